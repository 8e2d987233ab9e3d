#include "editors/PickList.h"

#include <algorithm>

#include "editors/EditorCommon.h"
#include "framework/ofAppRunner.h"
#include "framework/ofGraphics.h"

namespace {
constexpr int rowHeight = 14;
constexpr int firstRowY = 50;
constexpr int KEY_PAGE_UP = 360, KEY_PAGE_DOWN = 361;
}  // namespace

void PickList::open(const std::string& title, const std::string& enterDoes,
                    std::vector<std::string> rows, int start, int key) {
  heading = title;
  keysLine = "Up/Down choose  Enter " + enterDoes + "  Esc close";
  listed = std::move(rows);
  row = std::max(std::min(start, static_cast<int>(listed.size()) - 1), 0);
  closeKey = key;
  shown = true;
}

// Went-down tests on the last key: a tap shorter than a frame still counts.
int PickList::update(const InputState& current, const InputState& previous) {
  auto pressed = [&](int code) { return codeWentDown(current, previous, code); };
  const int last = static_cast<int>(listed.size()) - 1;
  const int page = visibleRows(ofGetHeight());
  int step = 0;
  if (pressed(KEY_UP)) step = -1;
  if (pressed(KEY_DOWN)) step = 1;
  if (pressed(KEY_PAGE_UP)) step = -page;
  if (pressed(KEY_PAGE_DOWN)) step = page;
  row = std::max(std::min(row + step, last), 0);
  if (pressed(KEY_ESCAPE) || pressed(closeKey)) shown = false;
  if (pressed(KEY_ENTER) && !listed.empty()) {
    shown = false;
    return row;
  }
  return -1;
}

int PickList::visibleRows(int windowHeight) {
  return std::max((windowHeight - firstRowY) / rowHeight, 1);
}

void PickList::draw() const {
  if (!shown) return;
  const int w = ofGetWidth();
  editor::drawBackdrop(235);
  ofSetColor(255, 211, 0);
  ofDrawBitmapString(heading, 10, 18);
  ofDrawBitmapString(keysLine, 10, 34);
  const int count = static_cast<int>(listed.size());
  const int visible = visibleRows(ofGetHeight());
  const int first = std::max(std::min(row - visible / 2, count - visible), 0);
  const size_t columns = static_cast<size_t>(std::max(w - 20, editor::glyphWidth) / editor::glyphWidth);
  for (int i = first; i < std::min(first + visible, count); ++i) {
    const float y = static_cast<float>(firstRowY + (i - first) * rowHeight);
    if (i == row) {
      ofSetColor(90, 60, 0);
      ofFill();
      ofRect(5, y - 11, static_cast<float>(w - 10), rowHeight);
      ofNoFill();
    }
    ofSetColor(255, 255, 255);
    ofDrawBitmapString(listed[static_cast<size_t>(i)].substr(0, columns), 10, y);
  }
}
