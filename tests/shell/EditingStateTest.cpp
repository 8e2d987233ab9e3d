// The editing state, driven headless through the application's callbacks.

#include <gtest/gtest.h>

#include <sstream>

#include "framework/ofAppRunner.h"
#include "framework/ofConsole.h"
#include "support/AppFixture.h"

namespace {
struct Editing : AppFixture {
  void prepareData() override { scratch.write("data/data.xml", readFixture("level/full_set.xml")); }
  void enter() {
    tap('e');
    ASSERT_TRUE(app->editing);
  }
};
}  // namespace

TEST_F(Editing, EOnTheTitleOpensTheLevelToolOnTheGamesLevels) {
  enter();
  EXPECT_EQ(app->editorMode, 1);
  EXPECT_TRUE(window.cursorShown);
  EXPECT_EQ(app->editData.levels[0].guid, "cave");
  EXPECT_EQ(app->levelTool.data, &app->editData);
  tap(27);
  EXPECT_FALSE(app->editing);
  EXPECT_EQ(app->editorMode, 0);
  EXPECT_FALSE(window.cursorShown);
  update(5);
  EXPECT_FALSE(app->scoreScreen);  // the Escape that left editing did not quit or act again
}

TEST_F(Editing, WithoutADataFileTheEditorOpensOnAFreshSet) {
  std::remove("data/data.xml");
  testing::internal::CaptureStdout();
  tap('e');
  const std::string log = testing::internal::GetCapturedStdout();
  EXPECT_TRUE(app->editing);
  EXPECT_EQ(app->editData.levels.size(), 1u);
  EXPECT_NE(log.find("could not load data/data.xml"), std::string::npos) << log;
}

TEST_F(Editing, F1CyclesToolsAndRestartsTheGameTestOnlyWhenItWraps) {
  enter();
  app->editData.levels[0].guid = "edited";
  app->keyPressed(257);
  update();
  app->keyReleased(257);
  update();
  EXPECT_EQ(app->editorMode, 2);
  EXPECT_TRUE(window.cursorShown);
  app->keyPressed(257);
  update();
  app->keyReleased(257);
  update();
  EXPECT_EQ(app->editorMode, 0);
  EXPECT_FALSE(window.cursorShown);
  EXPECT_EQ(app->game.levelData->getCurrentLevel().guid, "edited");
  app->editData.levels[0].guid = "later";
  app->keyPressed(257);
  update();
  EXPECT_EQ(app->editorMode, 1);
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
  std::istringstream typed("nosuchfile\n");
  ofSetConsoleInput(&typed);
  testing::internal::CaptureStdout();
  app->keyPressed(12);
  update();
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(app->editData.levels[0].guid, "mine");
  EXPECT_NE(out.find("kept"), std::string::npos) << out;
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
  ASSERT_TRUE(app->playing);
  EXPECT_EQ(app->game.levelData->levels[0].guid, "cave");  // from data.xml
}
