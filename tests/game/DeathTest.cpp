#include <gtest/gtest.h>

#include "support/GameFixture.h"

using Death = GameFixture;

namespace {
// A level with a checkpoint receiver, and a wall the ship is placed on.
LevelData cave(const std::string& markId = "cp", const std::string& dir = "r") {
  LevelData data = GameFixture::emptyLevel();
  data.levels[0].walls.emplace_back(300, 80, 300, 120, 255, 255, 255, 'w');
  data.levels[0].receivers = {Receiver{ofxVec2f(50, 50), "cp"}};
  data.levels[0].warps = {zone(90, 90, 20, 20, "mark", markId, dir)};
  return data;
}

void crashInto(GameFixture& f, ofxVec2f velocity) {
  f.game->pos = ofxVec2f(300, 100);
  f.game->vel = velocity;
  f.frame();
}
}  // namespace

TEST_F(Death, AfterAMarkAWallHitRespawnsAtTheReceiverHalfASecondLater) {
  start(cave());
  frame();  // inside the mark zone
  frames(10);
  game->fuel = 3.5f;
  game->angle = 10;
  stopAllSounds();
  crashInto(*this, ofxVec2f(0.25f, 0));
  ASSERT_TRUE(game->dying);
  EXPECT_TRUE(effectPlaying("dying"));
  ASSERT_TRUE(level().hasModelRef("player_death"));
  const float wreckX = level().modelRefs[0].pos.x;
  frames(30);  // 480 ms
  EXPECT_TRUE(game->dying);
  EXPECT_GT(level().modelRefs[0].pos.x, wreckX + 7);  // the wreck drifts on
  frame();     // 496 ms: still waiting
  EXPECT_TRUE(game->dying);
  frame();     // 512 ms
  EXPECT_FALSE(game->dying);
  EXPECT_EQ(game->pos.x, 50);
  EXPECT_EQ(game->vel.x, 0);
  EXPECT_EQ(game->angle, 90);
  EXPECT_FLOAT_EQ(game->fuel, 3.5f);
  EXPECT_TRUE(level().hasModelRef("player_respawn"));
  EXPECT_TRUE(effectPlaying("respawn"));
}

TEST_F(Death, AnEmptyTankIsRefilledOnRespawnAndAnOddLetterKeepsTheHeading) {
  start(cave("cp", "o"));
  frame();
  game->fuel = 0.005f;
  game->angle = 33;
  crashInto(*this, ofxVec2f(0, 0));
  frames(32);
  EXPECT_FALSE(game->dying);
  EXPECT_EQ(game->fuel, 10);
  EXPECT_EQ(game->angle, 33);
}

TEST_F(Death, AMarkWithoutAReceiverLetsTheShipFlyOnFromTheCrash) {
  start(cave("nowhere"));
  frame();
  crashInto(*this, ofxVec2f(0, 2));
  frames(32);
  EXPECT_FALSE(game->dying);
  EXPECT_EQ(game->vel.y, 2);
  EXPECT_GT(game->pos.y, 100);
}

TEST_F(Death, APauseRightAfterADeathRespawnsOnTheFirstFrameBack) {
  start(cave());
  frame();
  crashInto(*this, ofxVec2f(0, 0));
  game->paused = true;
  clock.advance(2000);
  frame();
  EXPECT_TRUE(game->dying);
  game->paused = false;
  frame();
  EXPECT_FALSE(game->dying);
  EXPECT_EQ(game->pos.x, 50);
}

TEST_F(Death, NoCheckpointNoDeath) {
  LevelData data = cave();
  data.levels[0].warps.clear();
  start(data);
  crashInto(*this, ofxVec2f(0, 0));
  EXPECT_FALSE(game->dying);
  EXPECT_FALSE(level().hasModelRef("player_death"));
}
