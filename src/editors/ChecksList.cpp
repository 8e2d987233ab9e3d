#include "editors/ChecksList.h"

#include <algorithm>

#include "editors/EditorCommon.h"
#include "framework/ofAppRunner.h"
#include "framework/ofGraphics.h"
#include "framework/ofUtils.h"

namespace {
constexpr int KEY_F3 = 259;
constexpr int rowHeight = 14;
constexpr int firstRowY = 50;
// The 8-pixel font fits this many characters in the 530-pixel window.
constexpr size_t rowChars = 64;

int truncated(float v) { return static_cast<int>(v); }

std::string problemCount(size_t count) {
  return ofToString(static_cast<int>(count)) + (count == 1 ? " problem" : " problems");
}
}  // namespace

void ChecksList::open(const LevelData& data) {
  found = editor::checkLevels(data);
  row = 0;
  shown = true;
}

// Went-down tests on the last key: a tap shorter than a frame still counts.
const editor::Finding* ChecksList::update(const InputState& current, const InputState& previous) {
  auto pressed = [&](int code) { return codeWentDown(current, previous, code); };
  const int last = static_cast<int>(found.size()) - 1;
  if (pressed(KEY_UP)) row = std::max(row - 1, 0);
  if (pressed(KEY_DOWN)) row = std::max(std::min(row + 1, last), 0);
  if (pressed(KEY_ESCAPE) || pressed(KEY_F3)) shown = false;
  if (pressed(KEY_ENTER) && !found.empty()) {
    shown = false;
    return &found[row];
  }
  return nullptr;
}

int ChecksList::visibleRows(int windowHeight) {
  return std::max((windowHeight - firstRowY) / rowHeight, 1);
}

// Over the tool, on a dark backdrop; the chosen row stays in sight.
void ChecksList::draw() const {
  const int w = ofGetWidth(), h = ofGetHeight();
  editor::drawBackdrop(235);
  ofSetColor(255, 211, 0);
  const int count = static_cast<int>(found.size());
  ofDrawBitmapString(count == 0 ? "checks: nothing to mend" : "checks: " + problemCount(found.size()), 10, 18);
  ofDrawBitmapString("Up/Down choose  Enter go there  Esc/F3 close", 10, 34);
  const int visible = visibleRows(h);
  const int first = std::max(std::min(row - visible / 2, count - visible), 0);
  for (int i = first; i < std::min(first + visible, count); ++i) {
    const float y = static_cast<float>(firstRowY + (i - first) * rowHeight);
    if (i == row) {
      ofSetColor(90, 60, 0);
      ofFill();
      ofRect(5, y - 11, static_cast<float>(w - 10), rowHeight);
      ofNoFill();
    }
    ofSetColor(255, 255, 255);
    ofDrawBitmapString(findingRowText(found[i]).substr(0, rowChars), 10, y);
  }
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
