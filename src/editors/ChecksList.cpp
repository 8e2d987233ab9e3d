#include "editors/ChecksList.h"

#include <algorithm>

#include "editors/EditorCommon.h"
#include "framework/ofAppRunner.h"
#include "framework/ofGraphics.h"
#include "framework/ofUtils.h"

namespace {
constexpr int KEY_F3 = 259;

int truncated(float v) { return static_cast<int>(v); }

std::string problemCount(size_t count) {
  return ofToString(static_cast<int>(count)) + (count == 1 ? " problem" : " problems");
}
}  // namespace

void ChecksList::open(const LevelData& data) {
  found = editor::checkLevels(data);
  std::vector<std::string> rows;
  for (const editor::Finding& finding : found) rows.push_back(findingRowText(finding));
  const std::string title =
      found.empty() ? "checks: nothing to mend" : "checks: " + problemCount(found.size());
  list.open(title, "go there", std::move(rows), 0, KEY_F3);
}

const editor::Finding* ChecksList::update(const InputState& current, const InputState& previous) {
  const int chosen = list.update(current, previous);
  return chosen < 0 ? nullptr : &found[static_cast<size_t>(chosen)];
}

std::string findingRowText(const editor::Finding& finding) {
  if (finding.level < 0) return "whole set  " + finding.text;
  return "level " + ofToString(finding.level + 1) + "  " + ofToString(truncated(finding.pos.x)) + "," +
         ofToString(truncated(finding.pos.y)) + "  " + finding.text;
}

std::string problemsNote(const LevelData& data) {
  const size_t count = editor::checkLevels(data).size();
  return count == 0 ? "; no problems" : "; " + problemCount(count) + " (F3)";
}

void showFinding(const editor::Finding& finding, LevelData& data, LevelTool& tool, int width,
                 int height) {
  if (finding.level < 0 || finding.level >= static_cast<int>(data.levels.size())) return;
  data.currentLevel = finding.level;
  tool.showAt(ofxVec2f(static_cast<float>(truncated(finding.pos.x)), static_cast<float>(truncated(finding.pos.y))),
              ofxVec2f(static_cast<float>(width / 2), static_cast<float>(height / 2)));
}
