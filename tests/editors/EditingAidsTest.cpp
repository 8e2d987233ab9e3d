// The checks list, help, play from here and the game test's pause, driven
// through the application's callbacks.

#include <gtest/gtest.h>

#include "support/AppFixture.h"

namespace {
constexpr int F2 = 258, F3 = 259, UP = 357, DOWN = 359, ENTER = 13, ESCAPE = 27;

Warp zone(float x, float y, float w, float h, const std::string& map, const std::string& id = "") {
  return Warp{ofRectangle(x, y, w, h), map, id, "u"};
}

// Two levels; the second holds a finish under (300, 200) and a model
// reference nobody made, the one thing wrong.
LevelData twoLevels() {
  LevelData data;
  data.models[0].guid = "spawner";
  data.levels[0].guid = "a";
  data.levels[0].modelRefs = {ModelRef{"spawner", ofxVec2f(50, 50), false, "", ""}};
  data.levels[0].receivers = {Receiver{ofxVec2f(50, 50), "start"}};
  data.levels[0].warps = {zone(400, 0, 40, 40, "b", "in"), zone(30, 30, 40, 40, "mark", "start")};
  data.addLevel();
  data.levels[1].guid = "b";
  data.levels[1].receivers = {Receiver{ofxVec2f(10, 10), "in"}};
  data.levels[1].warps = {zone(280, 180, 40, 40, "finish_it"), zone(0, 0, 40, 40, "mark", "in")};
  data.levels[1].modelRefs = {ModelRef{"ghost", ofxVec2f(300, 200), false, "", ""}};
  data.currentLevel = 0;
  return data;
}

struct EditingAids : AppFixture {
  void prepareData() override { scratch.write("data/data.xml", readFixture("level/full_set.xml")); }
  void SetUp() override {
    AppFixture::SetUp();
    tap('e');
    ASSERT_TRUE(app->editing());
    app->editData = twoLevels();
  }
  Level& edited(int level) { return app->editData.levels[level]; }
  void mouseAt(int x, int y) { app->mouseMoved(x, y); }
};
}  // namespace

TEST_F(EditingAids, F3ListsTheFindingsAndEnterShowsThePlaceInTheLevelTool) {
  edited(0).warps.push_back(zone(0, 0, 20, 20, "nowhere"));
  tap(F3);
  ASSERT_TRUE(app->editor.checksList.isOpen());
  ASSERT_EQ(app->editor.checksList.findings().size(), 2u);
  tap(DOWN);
  tap(DOWN);  // stays on the last row
  EXPECT_EQ(app->editor.checksList.selected(), 1);
  tap(ENTER);
  EXPECT_FALSE(app->editor.checksList.isOpen());
  EXPECT_EQ(app->editor.mode, 1);
  EXPECT_EQ(app->editData.currentLevel, 1);
  // The reference at (300, 200) in the middle of the 530 by 370 window.
  const ofxVec2f middle = app->levelTool.levelPoint(ofxVec2f(265, 185));
  EXPECT_EQ(middle.x, 300);
  EXPECT_EQ(middle.y, 200);

  tap(257);  // F1: the modeling tool, whose list leads to the level tool too
  ASSERT_EQ(app->editor.mode, 2);
  tap(F3);
  tap(UP);
  tap(ENTER);
  EXPECT_EQ(app->editor.mode, 1);
  EXPECT_EQ(app->editData.currentLevel, 0);
}

TEST_F(EditingAids, EnterOnAFindingAboutTheWholeSetMovesNothing) {
  edited(1).warps.erase(edited(1).warps.begin());  // no finish anywhere
  edited(1).modelRefs.clear();
  app->levelTool.offset = ofxVec2f(3, 4);
  tap(257);
  tap(F3);
  ASSERT_EQ(app->editor.checksList.findings().size(), 1u);
  ASSERT_EQ(app->editor.checksList.findings()[0].level, -1);
  tap(ENTER);
  EXPECT_FALSE(app->editor.checksList.isOpen());
  EXPECT_EQ(app->editor.mode, 2);
  EXPECT_EQ(app->editData.currentLevel, 0);
  EXPECT_EQ(app->levelTool.offset.x, 3);
}

TEST_F(EditingAids, KeysAndClicksWhileTheListIsOpenReachNeitherToolNorEditor) {
  tap(F3);
  ASSERT_TRUE(app->editor.checksList.isOpen());
  const bool gravity = edited(0).gravity;
  for (int key : {int{'2'}, int{'>'}, 14 /* Ctrl+N */, int{'g'}, 257 /* F1 */, F2}) tap(key);
  press('x');
  update();
  app->mousePressed(100, 100, 0);
  app->mouseReleased(100, 100, 0);
  release('x');
  update();
  EXPECT_EQ(edited(0).gravity, gravity);
  EXPECT_EQ(app->editData.currentLevel, 0);
  EXPECT_EQ(app->editData.levels.size(), 2u);
  EXPECT_EQ(edited(0).receivers.size(), 1u) << "no receiver placed";
  EXPECT_EQ(app->editor.mode, 1);
  EXPECT_FALSE(app->editor.help.isShown());

  tap(ESCAPE);  // closes the list and does not leave the editor
  EXPECT_FALSE(app->editor.checksList.isOpen());
  EXPECT_TRUE(app->editing());
  tap('2');
  EXPECT_NE(edited(0).gravity, gravity);
  tap(F3);
  tap(F3);  // F3 closes it too
  EXPECT_FALSE(app->editor.checksList.isOpen());
  EXPECT_TRUE(app->editing());
}

TEST_F(EditingAids, CtrlSSavesAndSaysHowManyProblemsTheChecksFind) {
  tap(19);
  EXPECT_NE(app->editor.status.message().find("saved data/data.xml"), std::string::npos) << app->editor.status.message();
  EXPECT_NE(app->editor.status.message().find("; 1 problem (F3)"), std::string::npos) << app->editor.status.message();
  EXPECT_NE(scratch.read("data/data.xml").find("guid=\"ghost\""), std::string::npos);
  edited(1).modelRefs.clear();
  tap(19);
  EXPECT_NE(app->editor.status.message().find("; no problems"), std::string::npos) << app->editor.status.message();
}

TEST_F(EditingAids, GFliesAFreshCopyFromTheMouseAndGGoesBackToTheSameView) {
  app->editData.currentLevel = 1;
  app->levelTool.offset = ofxVec2f(20, 10);
  edited(1).warps.push_back(zone(150, 100, 60, 60, "shake", "100"));  // one-shot, under the ship
  mouseAt(200, 150);
  tap('g');
  ASSERT_EQ(app->editor.mode, 0);
  EXPECT_FALSE(window.cursorShown);
  EXPECT_EQ(app->game.levelData->currentLevel, 1);
  EXPECT_TRUE(app->game.levelData->levels[1].warps.size() == 2u) << "the shake zone fired in the copy";
  EXPECT_EQ(edited(1).warps.size(), 3u);
  // The mouse less the pan and the (25, 25) where the game shows the level
  // origin: the ship starts right under the mouse.
  EXPECT_NEAR(app->game.pos.x, 155, 1);
  EXPECT_NEAR(app->game.pos.y, 115, 1);

  update(10);
  tap('g');
  EXPECT_EQ(app->editor.mode, 1);
  EXPECT_TRUE(window.cursorShown);
  EXPECT_EQ(app->editData.currentLevel, 1);
  EXPECT_EQ(app->levelTool.offset.x, 20);
  EXPECT_EQ(app->levelTool.offset.y, 10);
}

TEST_F(EditingAids, EscapeInARunFromHereGoesBackToTheLevelToolNotToTheTitle) {
  mouseAt(200, 150);
  tap('g');
  ASSERT_EQ(app->editor.mode, 0);
  tap(' ');
  tap(ESCAPE);
  EXPECT_TRUE(app->editing());
  EXPECT_EQ(app->editor.mode, 1);
  EXPECT_FALSE(app->game.paused) << "the pause ends with the run";
  tap(ESCAPE);
  EXPECT_FALSE(app->editing()) << "from the level tool Escape leaves the editors";
}

TEST_F(EditingAids, GWithoutALevelStaysInTheLevelToolAndSaysWhy) {
  app->editData = LevelData{LevelData::Empty{}};
  tap('g');
  EXPECT_EQ(app->editor.mode, 1);
  EXPECT_EQ(app->editor.status.message(), "no level to fly");
}

TEST_F(EditingAids, TheEndOfARunFromHereReturnsToTheLevelTool) {
  app->editData.currentLevel = 1;
  mouseAt(325, 225);  // over the finish, shown where the game shows it
  tap('g');
  ASSERT_EQ(app->editor.mode, 0);
  ASSERT_TRUE(app->game.finishing);
  update(5500 / 16 + 2);
  EXPECT_EQ(app->editor.mode, 1);
  EXPECT_EQ(app->editData.currentLevel, 1);
}

// 'g' in a game test that F1 started is not a way back, and space pauses
// there as in a game.
TEST_F(EditingAids, SpacePausesTheGameTestAndLeavingItResumes) {
  tap('g');
  ASSERT_EQ(app->editor.mode, 0);
  tap(' ');
  ASSERT_TRUE(app->game.paused);
  const float playTime = app->game.playTime;
  update(30);
  EXPECT_EQ(app->game.playTime, playTime);
  tap(' ');
  EXPECT_FALSE(app->game.paused);
  tap(' ');
  tap('g');  // back to the level tool: the pause ends with the test
  EXPECT_EQ(app->editor.mode, 1);
  EXPECT_FALSE(app->game.paused);

  tap(257);
  tap(257);  // F1 twice: a game test from the modeling tool
  ASSERT_EQ(app->editor.mode, 0);
  tap(' ');
  EXPECT_TRUE(app->game.paused);
  tap('g');
  EXPECT_EQ(app->editor.mode, 0);
  tap(ESCAPE);
  EXPECT_FALSE(app->editing());
  EXPECT_FALSE(app->game.paused);
}

TEST_F(EditingAids, F2ShowsAndHidesTheKeysInEveryMode) {
  for (int mode = 0; mode < 3; ++mode) {
    tap(F2);
    EXPECT_TRUE(app->editor.help.isShown()) << mode;
    tap(F2);
    EXPECT_FALSE(app->editor.help.isShown()) << mode;
    tap(257);
  }
}

// F5 lists the models by name; the one chosen is what m places next.
TEST_F(EditingAids, F5ChoosesTheModelThatMPlacesFromTheirNames) {
  constexpr int F5 = 261;
  app->editData.addModel();
  app->editData.models[1].guid = "lamp";
  app->editData.currentModel = 0;
  tap(F5);
  ASSERT_TRUE(app->editor.modelList.isOpen());
  EXPECT_EQ(app->editor.modelList.title(), "models");
  EXPECT_EQ(app->editor.modelList.rows()[1], "lamp  (1 frame)");
  tap('w');
  tap(DOWN);
  tap(ENTER);
  EXPECT_FALSE(app->editor.modelList.isOpen());
  EXPECT_EQ(app->editData.currentModel, 1);
  EXPECT_EQ(app->editor.status.message(), "model lamp: m and M place it");
  EXPECT_EQ(edited(0).walls.size(), 0u) << "keys go to the list while it is open";
  press('m');
  update();
  app->mousePressed(200, 100, 0);
  app->mouseReleased(200, 100, 0);
  release('m');
  update();
  ASSERT_EQ(edited(0).modelRefs.size(), 2u);
  EXPECT_EQ(edited(0).modelRefs[1].guid, "lamp");
  tap(F5);
  tap(F5);
  EXPECT_FALSE(app->editor.modelList.isOpen()) << "F5 closes it again";
}
