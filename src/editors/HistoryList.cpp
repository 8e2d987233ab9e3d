#include "editors/HistoryList.h"

#include <algorithm>

#include "editors/EditorCommon.h"
#include "framework/ofAppRunner.h"
#include "framework/ofGraphics.h"

namespace {
constexpr int KEY_F6 = 262;
constexpr int rowHeight = 14;
constexpr int firstRowY = 50;
// The 8-pixel font fits this many characters in the 530-pixel window.
constexpr size_t rowChars = 64;

std::string numbered(size_t number, const std::string& text) {
  std::string label = std::to_string(number);
  if (label.size() < 3) label.insert(0, 3 - label.size(), ' ');
  return label + "  " + text;
}
}  // namespace

std::vector<HistoryRow> historyRows(const EditHistory& history, int rows) {
  const size_t steps = history.stepCount();
  if (steps == 0) return {{"no edits yet", HistoryRow::DONE}};
  // Row 0 is the start of the history, row i the state after step i.
  const int total = static_cast<int>(steps) + 1;
  const int current = static_cast<int>(history.undoCount());
  const int below = std::min(static_cast<int>(history.redoCount()), rows / 3);
  const int first = std::max(std::min(current + below + 1 - rows, total - rows), 0);
  std::vector<HistoryRow> shown;
  for (int row = first; row < std::min(first + rows, total); ++row) {
    const HistoryRow::Kind kind = row == current ? HistoryRow::CURRENT
                                  : row < current ? HistoryRow::DONE
                                                  : HistoryRow::REDOABLE;
    const size_t step = static_cast<size_t>(row);
    shown.push_back({row == 0 ? "     start of the history"
                              : numbered(step, history.description(step - 1)),
                     kind});
  }
  return shown;
}

void HistoryList::update(const InputState& current, const InputState& previous) {
  if (codeWentDown(current, previous, KEY_F6)) shown = !shown;
}

// Over the tool, on a dark backdrop, as the checks list is drawn.
void HistoryList::draw(const EditHistory& history) const {
  if (!shown) return;
  editor::drawBackdrop(235);
  ofSetColor(255, 211, 0);
  ofDrawBitmapString("undo history   F6 hides this", 10, 18);
  ofDrawBitmapString("Ctrl+Z undo  Ctrl+Y redo: dimmer steps can be redone", 10, 34);
  const std::vector<HistoryRow> rows = historyRows(history, shownRows);
  for (size_t i = 0; i < rows.size(); ++i) {
    const float y = static_cast<float>(firstRowY + static_cast<int>(i) * rowHeight);
    const HistoryRow& row = rows[i];
    if (row.kind == HistoryRow::CURRENT) {
      ofSetColor(90, 60, 0);
      ofFill();
      ofRect(5, y - 11, static_cast<float>(ofGetWidth() - 10), rowHeight);
      ofNoFill();
    }
    if (row.kind == HistoryRow::REDOABLE) {
      ofSetColor(120, 120, 120);
    } else {
      ofSetColor(255, 255, 255);
    }
    ofDrawBitmapString(row.text.substr(0, rowChars), 10, y);
  }
}
