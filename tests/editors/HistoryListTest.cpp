// The F6 list of the undo history: which steps it shows, which is marked.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editors/HistoryList.h"

namespace {
// A history of one-wall steps, the last undone of them undone.
EditHistory historyOf(int steps, int undone) {
  LevelData data;
  EditHistory history;
  history.restart(data);
  for (int i = 0; i < steps; ++i) {
    data.levels[0].walls.push_back(Wall(0, 0, 10, 10, 1, 1, 1, WALL_SOLID));
    history.record(data);
  }
  for (int i = 0; i < undone; ++i) history.undo(data);
  return history;
}

// The rows as one letter each: d done, C current, r redoable.
std::string kinds(const std::vector<HistoryRow>& rows) {
  std::string out;
  for (const HistoryRow& row : rows) out += "dCr"[row.kind];
  return out;
}
}  // namespace

TEST(HistoryList, ShowsTheCurrentStepWithTheLastDoneAboveAndAFewRedoableBelow) {
  struct Case {
    int steps, undone;
    const char* kinds;
    const char* firstRow;
  };
  const Case cases[] = {
      {0, 0, "d", "no edits yet"},
      {3, 0, "dddC", "     start of the history"},
      {3, 3, "Crrr", "     start of the history"},
      {3, 1, "ddCr", "     start of the history"},
      {30, 0, "ddddddddddddddC", " 16  level 1: 1 wall added"},
      {30, 2, "ddddddddddddCrr", " 16  level 1: 1 wall added"},
      {30, 20, "dddddddddCrrrrr", "  1  level 1: 1 wall added"},
      {30, 29, "dCrrrrrrrrrrrrr", "     start of the history"},
      {30, 30, "Crrrrrrrrrrrrrr", "     start of the history"},
  };
  for (const Case& c : cases) {
    const std::vector<HistoryRow> rows = historyRows(historyOf(c.steps, c.undone), 15);
    EXPECT_EQ(kinds(rows), c.kinds) << c.steps << " steps, " << c.undone << " undone";
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows[0].text, c.firstRow) << c.steps << " steps, " << c.undone << " undone";
  }
}

TEST(HistoryList, F6ShowsAndHidesIt) {
  HistoryList list;
  InputState previous, current;
  current.pressKey(262);
  list.update(current, previous);
  EXPECT_TRUE(list.isShown());
  list.update(current, current);  // still held
  EXPECT_TRUE(list.isShown());
  list.update(current, previous);
  EXPECT_FALSE(list.isShown());
}
