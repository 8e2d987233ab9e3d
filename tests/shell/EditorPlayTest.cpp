// The editors as a level builder meets them: the real binary with --edit.

#include <gtest/gtest.h>

#include "support/EditorScreen.h"
#include "support/PlayerHarness.h"

namespace {
const Rgb white{255, 255, 255};
}  // namespace

TEST(Editor, DrawAWallSaveItAndVisitTheModelingTool) {
  GameProcess game(fixturePath("edit"), {"--edit"});
  ASSERT_TRUE(game.waitForWindow());
  const std::string before = readFile(game.folder() + "/data/data.xml");

  drawTestWall(game);
  game.key("ctrl+s");
  // The fixture counts five saves: this is the sixth.
  const std::string saved = waitForSave(game, "data.xml", 6);
  ASSERT_FALSE(saved.empty()) << game.output();
  EXPECT_NE(saved.find("<Info count=\"6\">"), std::string::npos);
  EXPECT_EQ(occurrences(saved, "<Wall "), occurrences(before, "<Wall ") + 1);
  EXPECT_NE(saved.find(testWallInFile), std::string::npos) << saved;

  // The modeling tool shows a frame counter at the top right, which the
  // level tool does not.
  const auto frameCounter = [](const Screenshot& s) { return s.count(390, 3, 135, 14, white, 60); };
  EXPECT_EQ(frameCounter(game.screenshot()), 0);
  game.key("F1");  // the editor opens on the level tool; the modeling tool is next
  EXPECT_TRUE(game.waitFor([&](const Screenshot& s) { return frameCounter(s) > 10; }, 5000))
      << "frame: 1 of 2";
  const Screenshot modeling = game.screenshot();
  game.keepScreenshot("modeling");
  EXPECT_GT(modeling.count(5, 355, 70, 14, white, 60), 10) << "the modeling label";

  game.key("Escape");  // leaves editing: the title's menu shows
  EXPECT_TRUE(game.waitFor(
      [](const Screenshot& s) { return s.count(290, 225, 200, 100, Rgb{255, 211, 0}, 150) > 10; },
      5000));
}
