#include <gtest/gtest.h>

#include <functional>
#include <utility>

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

// A place as a pair, to compare in one expectation.
std::pair<float, float> xy(const ofPoint& p) { return {p.x, p.y}; }
const std::pair<float, float> checkpoint{50, 50};

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

TEST_F(Death, ARestartFromThePauseIsARespawnAtOnceWithTheClockRunningOnAndNoDeath) {
  start(cave());
  frame();  // the checkpoint
  game->pos = ofxVec2f(200, 200);
  game->vel = ofxVec2f(1, 1);
  game->angle = 10;
  game->fuel = 3.5f;
  frames(30);
  game->paused = true;
  clock.advance(5000);
  frame();
  const float playTime = game->playTime;
  stopAllSounds();
  ASSERT_TRUE(game->canRestartFromCheckpoint());
  ASSERT_TRUE(game->restartFromCheckpoint());
  EXPECT_EQ(xy(game->pos), checkpoint);
  EXPECT_EQ(xy(game->vel), std::make_pair(0.0f, 0.0f));
  EXPECT_EQ(game->angle, 90);
  EXPECT_FLOAT_EQ(game->fuel, 3.5f);
  EXPECT_TRUE(level().hasModelRef("player_respawn"));
  EXPECT_TRUE(effectPlaying("respawn"));
  const FrameReport& report = game->report();
  EXPECT_TRUE(report.respawned);
  EXPECT_FALSE(report.died) << "the ship was not lost";
  EXPECT_FALSE(report.enteredLevel);
  EXPECT_FALSE(report.paused);
  EXPECT_EQ(xy(report.position), checkpoint);
  EXPECT_FLOAT_EQ(report.playTime, playTime) << "the time since the checkpoint stays spent";
  game->paused = false;
  frame();
  EXPECT_NEAR(game->playTime, playTime + 0.016f, 1e-4);
}

TEST_F(Death, ARestartFromTheCheckpointWhereThereIsOneAndTheFinishHasNotBegun) {
  struct Case {
    const char* what;
    std::function<void(Death&)> prepare;  // after the checkpoint's frame
    bool restarts;
    bool entersLevel;
  };
  const Case cases[] = {
      {"while the wreck burns: at once, without waiting the half second",
       [](Death& f) { crashInto(f, ofxVec2f(0, 0)); }, true, false},
      {"from another level: the checkpoint's level is entered",
       [](Death& f) {
         f.game->levelData->addLevel();
         f.game->levelData->levels[1].guid = "two";
         f.game->levelData->currentLevel = 1;
       },
       true, true},
      {"before any checkpoint", [](Death& f) { f.game->markLevel.clear(); }, false, false},
      {"at a checkpoint without a place", [](Death& f) { f.game->markReceiver = "gone"; }, false,
       false},
      {"during the finish", [](Death& f) { f.game->beginFinish(); }, false, false},
  };
  for (const Case& c : cases) {
    start(cave());
    frame();
    game->pos = ofxVec2f(200, 200);
    c.prepare(*this);
    const std::pair<float, float> before = xy(game->pos);
    EXPECT_EQ(game->canRestartFromCheckpoint(), c.restarts) << c.what;
    EXPECT_EQ(game->restartFromCheckpoint(), c.restarts) << c.what;
    EXPECT_EQ(xy(game->pos), c.restarts ? checkpoint : before) << c.what;
    if (!c.restarts) continue;
    EXPECT_FALSE(game->dying) << c.what;
    EXPECT_EQ(game->levelData->currentLevel, 0) << c.what;
    EXPECT_EQ(game->report().enteredLevel, c.entersLevel) << c.what;
    EXPECT_EQ(game->report().levelGuid, "one") << c.what;
    EXPECT_FALSE(game->report().died) << c.what;
  }
}
