#pragma once
// Renaming a level or a model. Levels and models are found by their guid:
// zones warp to a level's, warping placements to a level's, placements and
// the add, addX and remove zone commands name a model's. A rename gives the
// new guid to every one of them, so that nothing is left aiming at a guid
// that is gone.

#include <string>

#include "level/LevelData.h"

namespace editor {

// The level (or model) at index takes the guid to, and every reference to
// its old guid follows. Refused, changing nothing, when to is empty or
// another level (model) has it already. Returns what the status line says.
std::string renameLevel(LevelData& data, int index, const std::string& to);
std::string renameModel(LevelData& data, int index, const std::string& to);

}  // namespace editor
