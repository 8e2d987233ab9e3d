#pragma once
// What should be mended in a level set before it ships: zones that lead
// nowhere, receivers that clash, placed models that do not exist, warps
// that arrive outside a checkpoint, a run without a start, a set without an
// end. A pure function of the data, one
// table row per check; the F3 list shows what it finds.

#include <string>
#include <vector>

#include "framework/ofTypes.h"
#include "level/LevelData.h"

namespace editor {

// One thing wrong and where: a level index and a point of that level in
// level coordinates. A finding about the set as a whole has level -1.
struct Finding {
  const char* check;  // the name of the check that found it
  int level;
  ofxVec2f pos;
  std::string text;  // what is wrong, in a few words
};

// The findings of every check, check by check, each in level order.
std::vector<Finding> checkLevels(const LevelData& data);

}  // namespace editor
