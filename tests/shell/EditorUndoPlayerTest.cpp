// Undo and redo as a level builder meets them: the real binary with --edit,
// a wall drawn, taken back with Ctrl+Z and done again with Ctrl+Y, and each
// state saved with Ctrl+S and read back from the file.

#include <gtest/gtest.h>

#include <string>

#include "support/EditorScreen.h"
#include "support/PlayerHarness.h"

namespace {
// A level file with its save count blanked: every save counts one more, so
// only the levels and models are left to compare.
std::string withoutSaveCount(std::string text) {
  const std::string tag = "<Info count=\"";
  const size_t from = text.find(tag);
  if (from == std::string::npos) return text;
  const size_t value = from + tag.size();
  const size_t end = text.find('"', value);
  if (end != std::string::npos) text.erase(value, end - value);
  return text;
}

// Presses Ctrl+S and returns data.xml once save number n is written whole.
std::string save(GameProcess& game, int n) {
  game.key("ctrl+s");
  return waitForSave(game, "data.xml", n);
}

bool wallGone(const Screenshot& shot) { return !testWallShown(shot); }
}  // namespace

TEST(EditorUndoPlayer, CtrlZKeepsADrawnWallOutOfTheSaveAndCtrlYBringsItBack) {
  GameProcess game(fixturePath("edit"), {"--edit"});
  ASSERT_TRUE(game.waitForWindow());
  const std::string before = readFile(game.folder() + "/data/data.xml");

  drawTestWall(game);
  ASSERT_TRUE(game.waitFor(testWallShown, 5000));
  game.key("ctrl+z");
  EXPECT_TRUE(game.waitFor(wallGone, 5000));
  // The fixture counts five saves: this is the sixth.
  const std::string undone = save(game, 6);
  ASSERT_FALSE(undone.empty()) << game.output();
  EXPECT_EQ(withoutSaveCount(undone), withoutSaveCount(before));

  game.key("ctrl+y");
  EXPECT_TRUE(game.waitFor(testWallShown, 5000));
  const std::string redone = save(game, 7);
  ASSERT_FALSE(redone.empty()) << game.output();
  EXPECT_EQ(occurrences(redone, "<Wall "), occurrences(before, "<Wall ") + 1);
  EXPECT_NE(redone.find(testWallInFile), std::string::npos) << redone;
}
