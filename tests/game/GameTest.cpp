#include <gtest/gtest.h>

#include "support/GameFixture.h"

using GameRun = GameFixture;

TEST_F(GameRun, StartsAtTheLastSpawnerOfTheCurrentLevel) {
  LevelData data = emptyLevel();
  data.addLevel();
  data.levels[1].modelRefs = {placed("spawner", 10, 20), placed("spawner", 30, 40)};
  data.currentLevel = 1;
  start(data);
  EXPECT_EQ(game->levelData->currentLevel, 1);
  EXPECT_EQ(game->pos.x, 30);
  EXPECT_EQ(game->pos.y, 40);
  start(emptyLevel());
  EXPECT_EQ(game->pos.x, 100);
  EXPECT_EQ(game->fuel, 10);
}

TEST_F(GameRun, ARunNeedsALevel) {
  start(emptyLevel());
  game->pos = ofxVec2f(7, 7);
  EXPECT_FALSE(game->start(LevelData(LevelData::Empty{})));
  EXPECT_EQ(game->pos.x, 7);  // the game is left as it was
  EXPECT_TRUE(game->levelData->hasLevel());
}

TEST_F(GameRun, PlayTimeStandsStillWhilePausedAndFRefuelsAnyway) {
  start(emptyLevel());
  frames(10);
  EXPECT_NEAR(game->playTime, 0.16f, 1e-4);
  game->paused = true;
  game->fuel = 2;
  game->vel = ofxVec2f(1, 1);
  current.keyF = true;
  clock.advance(5000);
  frames(5);
  EXPECT_NEAR(game->playTime, 0.16f, 1e-4);
  EXPECT_EQ(game->fuel, 10);
  EXPECT_EQ(game->vel.x, 0);
  game->paused = false;
  current.keyF = false;
  frame();
  EXPECT_NEAR(game->playTime, 0.176f, 1e-4);  // no jump after the pause
}

TEST_F(GameRun, TimeTextHasNoLeadingZeros) {
  EXPECT_EQ(playTimeText(3725.4f), "1:2:5");
  EXPECT_EQ(playTimeText(187), "0:3:7");
  EXPECT_EQ(playTimeText(59.9f), "0:0:59");
  EXPECT_EQ(playTimeText(3600), "1:0:0");
}

TEST_F(GameRun, EffectsCarryOverIntoTheNextRun) {
  start(emptyLevel());
  game->startCycle(500, 500, ofColor(40, 0, 0), 1.0f);
  start(emptyLevel());
  EXPECT_TRUE(game->cycleOn);
  frames(40);
  EXPECT_FALSE(game->flashDone);
}

TEST_F(GameRun, AStartClearsThePause) {
  start(emptyLevel());
  game->paused = true;
  start(emptyLevel());
  EXPECT_FALSE(game->paused);
  frames(10);
  EXPECT_NEAR(game->playTime, 0.16f, 1e-4);
}
