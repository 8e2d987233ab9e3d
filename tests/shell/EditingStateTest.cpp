// The editing state, driven headless through the application's callbacks.

#include <gtest/gtest.h>

#include "framework/ofAppRunner.h"
#include "support/AppFixture.h"

namespace {
struct Editing : AppFixture {
  void prepareData() override { scratch.write("data/data.xml", readFixture("level/full_set.xml")); }
  void enter() {
    tap('e');
    ASSERT_TRUE(app->editing());
  }
  void leave() {
    tap(27);
    ASSERT_FALSE(app->editing());
  }
  void addLevel() {
    press(14);  // Ctrl+N
    update();
    release(14);
    update();
  }
};
}  // namespace

TEST_F(Editing, EOnTheTitleOpensTheLevelToolOnTheGamesLevels) {
  enter();
  EXPECT_EQ(app->editor.mode, 1);
  EXPECT_TRUE(window.cursorShown);
  EXPECT_EQ(app->editData.levels[0].guid, "cave");
  EXPECT_EQ(app->levelTool.data, &app->editData);
  tap(27);
  EXPECT_FALSE(app->editing());
  EXPECT_EQ(app->editor.mode, 0);
  EXPECT_FALSE(window.cursorShown);
  update(5);
  EXPECT_FALSE(app->showingScores());  // the Escape that left editing did not quit or act again
}

TEST_F(Editing, WithoutADataFileTheEditorOpensOnAFreshSet) {
  std::remove("data/data.xml");
  testing::internal::CaptureStdout();
  tap('e');
  const std::string log = testing::internal::GetCapturedStdout();
  EXPECT_TRUE(app->editing());
  EXPECT_EQ(app->editData.levels.size(), 1u);
  EXPECT_NE(log.find("could not load data/data.xml"), std::string::npos) << log;
}

TEST_F(Editing, EditsStayInMemoryWhenTheEditorIsLeftAndEnteredAgain) {
  enter();
  addLevel();
  ASSERT_EQ(app->editData.levels.size(), 3u);
  leave();
  enter();
  EXPECT_EQ(app->editData.levels.size(), 3u);
  leave();
  // A run in between plays the saved levels and leaves the edits alone.
  press(13);
  update(2);
  release(13);
  update(51);
  ASSERT_TRUE(app->playing());
  EXPECT_EQ(app->game.levelData->levels.size(), 2u);
  tap(27);
  tap('q');
  enter();
  EXPECT_EQ(app->editData.levels.size(), 3u);
}

TEST_F(Editing, AnUnreadableDataFileIsKeptBesideAndNoNumberedCopyIsReplaced) {
  const std::string broken = "<Info count=\"1\">\n<Levels>\n</Info>";
  scratch.write("data/data.xml", broken);
  scratch.write("data/save_1.xml", "an older save");
  testing::internal::CaptureStdout();
  enter();
  app->keyPressed(19);  // Ctrl+S
  update();
  app->keyReleased(19);
  update();
  const std::string log = testing::internal::GetCapturedStdout();
  EXPECT_EQ(scratch.read("data/data.xml.broken"), broken);
  EXPECT_NE(log.find("data/data.xml.broken"), std::string::npos) << log;
  EXPECT_EQ(scratch.read("data/save_1.xml"), "an older save");
  EXPECT_TRUE(scratch.exists("data/save_2.xml"));
  EXPECT_NE(scratch.read("data/data.xml").find("<Info count=\"2\">"), std::string::npos);
}

TEST_F(Editing, F1CyclesToolsAndRestartsTheGameTestOnlyWhenItWraps) {
  enter();
  app->editData.levels[0].guid = "edited";
  app->keyPressed(257);
  update();
  app->keyReleased(257);
  update();
  EXPECT_EQ(app->editor.mode, 2);
  EXPECT_TRUE(window.cursorShown);
  app->keyPressed(257);
  update();
  app->keyReleased(257);
  update();
  EXPECT_EQ(app->editor.mode, 0);
  EXPECT_FALSE(window.cursorShown);
  EXPECT_EQ(app->game.levelData->getCurrentLevel().guid, "edited");
  app->editData.levels[0].guid = "later";
  app->keyPressed(257);
  update();
  EXPECT_EQ(app->editor.mode, 1);
  EXPECT_EQ(app->game.levelData->getCurrentLevel().guid, "edited");  // not restarted
}

TEST_F(Editing, CtrlSSavesOncePerPressAndNavigationRepeatsWithTheKey) {
  enter();
  app->keyPressed(19);
  update();
  app->keyPressed(19);  // key repeat
  update();
  app->keyReleased(19);
  update();
  EXPECT_EQ(app->editData.saveCount, 6);  // the fixture's count was 5
  EXPECT_TRUE(scratch.exists("data/save_6.xml"));
  EXPECT_FALSE(scratch.exists("data/save_7.xml"));

  app->keyPressed('>');
  app->keyPressed('>');
  EXPECT_EQ(app->editData.currentLevel, 0);  // two levels: there and back
  app->keyPressed(14);  // Ctrl+N adds a level
  EXPECT_EQ(app->editData.levels.size(), 3u);
  app->keyPressed(4);  // Ctrl+D removes it
  EXPECT_EQ(app->editData.levels.size(), 2u);
}

TEST_F(Editing, F9HeldThroughAKeyRepeatResetsTheFlightConstants) {
  enter();
  app->game.thrustPower = 1;
  app->keyPressed(265);
  EXPECT_EQ(app->game.thrustPower, 1);  // a fresh press does nothing
  update();
  app->keyPressed(265);  // the repeat
  EXPECT_FLOAT_EQ(app->game.thrustPower, 0.04f);
}

TEST_F(Editing, CtrlLOfANameThatDoesNotLoadKeepsTheEditedLevels) {
  enter();
  app->editData.levels[0].guid = "mine";
  testing::internal::CaptureStdout();
  app->keyPressed(12);
  update();
  type("nosuchfile\r");
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(app->editData.levels[0].guid, "mine");
  EXPECT_EQ(app->editor.status.message().rfind("could not load data/nosuchfile.xml: ", 0), 0u)
      << app->editor.status.message();
  EXPECT_EQ(app->editor.editedFile.name(), "data.xml");
}

TEST_F(Editing, AClickOnTheTitleReachesTheLevelToolButNotTheNextGame) {
  app->keyPressed('w');
  update();
  app->mousePressed(10, 10, 0);
  app->mouseReleased(60, 10, 0);
  EXPECT_FALSE(app->editData.getCurrentLevel().walls.empty());
  app->keyReleased('w');
  update();
  app->keyPressed(13);
  update(2);
  app->keyReleased(13);
  update(51);
  ASSERT_TRUE(app->playing());
  EXPECT_EQ(app->game.levelData->levels[0].guid, "cave");  // from data.xml
}
