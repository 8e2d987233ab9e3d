#pragma once
// F6: the undo history as a list over the tool, one row per step with what
// it did; the step the edited set stands at is marked, and the steps Ctrl+Y
// would do again show dimmer below it. F6 again hides it. The application
// owns it; the tools keep their keys while it shows, so Ctrl+Z and Ctrl+Y
// move the mark as they go.

#include <string>
#include <vector>

#include "editors/EditHistory.h"
#include "framework/InputState.h"

struct HistoryRow {
  enum Kind { DONE, CURRENT, REDOABLE };
  std::string text;
  Kind kind;
};

// At most rows rows of history: "no edits yet" alone, unmarked, when there
// are no steps; else the start of the history and then the steps, numbered,
// with the current one in view and below it up to a third of the rows for
// the steps that can be redone. The start is current when all are undone.
std::vector<HistoryRow> historyRows(const EditHistory& history, int rows);

class HistoryList {
 public:
  // Rows the list shows at most: the last steps and a few to redo.
  static constexpr int shownRows = 15;

  // F6 shows or hides the list.
  void update(const InputState& current, const InputState& previous);
  bool isShown() const { return shown; }
  void draw(const EditHistory& history) const;

 private:
  bool shown = false;
};
