#include <gtest/gtest.h>

#include <cmath>

#include "support/GameFixture.h"

using Flight = GameFixture;

TEST_F(Flight, OneFrameOfThrustFromRestAgainstGravity) {
  LevelData data = emptyLevel();
  data.levels[0].gravity = true;
  start(data);
  current.keyUp = true;
  frame();
  EXPECT_NEAR(game->vel.x, 0, 1e-6);
  EXPECT_NEAR(game->vel.y, -0.03f, 1e-6);
  EXPECT_FLOAT_EQ(game->fuel, 9.99f);
  EXPECT_EQ(game->flame, 245);
}

TEST_F(Flight, TheLastDropOfFuelStillGivesFullThrustThenAQuarter) {
  start(emptyLevel());
  game->fuel = 0.005f;
  current.keyUp = true;
  frame();
  EXPECT_EQ(game->fuel, 0);
  EXPECT_NEAR(game->vel.y, -0.04f, 1e-6);
  frame();
  EXPECT_NEAR(game->vel.y, -0.05f, 1e-6);
  EXPECT_EQ(game->flame, 90);  // 200, less 100 for the empty tank, less 10
}

TEST_F(Flight, AnEmptyTankExactlyHoldsTheShipAgainstGravity) {
  LevelData data = emptyLevel();
  data.levels[0].gravity = true;
  start(data);
  game->fuel = 0;
  game->vel = ofxVec2f(0, 0.5f);
  current.keyUp = true;
  for (int i = 0; i < 20; ++i) {
    frame();
    EXPECT_NEAR(game->vel.y, 0.5f, 1e-5) << "frame " << i;
  }
}

TEST_F(Flight, TheEdgesBounceWithoutLoss) {
  struct Case {
    ofxVec2f pos, vel, endPos, endVel;
  };
  const Case cases[] = {
      {{481, 100}, {2, 0}, {477, 100}, {-2, 0}},
      {{-1, 100}, {-2, 0}, {3, 100}, {2, 0}},
      {{100, 321}, {0, 1}, {100, 318}, {0, -1}},
      {{100, -0.5f}, {0, -1}, {100, 2}, {0, 1}},
  };
  for (const Case& c : cases) {
    start(emptyLevel());
    game->pos = c.pos;
    game->vel = c.vel;
    frame();
    EXPECT_FLOAT_EQ(game->pos.x, c.endPos.x);
    EXPECT_FLOAT_EQ(game->pos.y, c.endPos.y);
    EXPECT_FLOAT_EQ(game->vel.x, c.endVel.x);
    EXPECT_FLOAT_EQ(game->vel.y, c.endVel.y);
  }
}

TEST_F(Flight, HoldingRightTurnsFasterTowardsItsLimit) {
  start(emptyLevel());
  current.keyRight = true;
  const float speeds[] = {0.7f, 1.19f, 1.533f};
  const float turns[] = {1, 1.7f, 2.19f};
  float angle = 0;
  for (int i = 0; i < 3; ++i) {
    frame();
    angle += turns[i];
    EXPECT_NEAR(game->turnSpeed, speeds[i], 1e-4);
    EXPECT_NEAR(game->angle, angle, 1e-4);
  }
  frames(100);
  EXPECT_NEAR(game->turnSpeed, 2.3333f, 1e-3);
  current.keyLeft = true;  // both held cancel out
  const float before = game->turnSpeed;
  frame();
  EXPECT_NEAR(game->turnSpeed, before * 0.7f, 1e-5);
}

TEST_F(Flight, ThrusterSoundsStartOnceAndSustainEveryFrame) {
  start(emptyLevel());
  stopAllSounds();
  current.keyUp = true;
  frames(3);
  // One start and three overlapping sustains, all still sounding.
  EXPECT_TRUE(effectPlaying("thruster_start"));
  EXPECT_EQ(channelsPlaying(), 4);
  current.keyUp = false;
  frame();
  current.keyUp = true;
  frame();
  EXPECT_EQ(channelsPlaying(), 6);  // a new press starts again
}

TEST_F(Flight, WithoutGravityFrictionOrPointsTheShipDriftsStraight) {
  start(emptyLevel());
  game->vel = ofxVec2f(0.25f, -0.5f);
  frames(10);
  EXPECT_FLOAT_EQ(game->vel.x, 0.25f);
  EXPECT_FLOAT_EQ(game->vel.y, -0.5f);
  EXPECT_FLOAT_EQ(game->pos.x, 102.5f);
  EXPECT_FLOAT_EQ(game->pos.y, 95);
}

TEST_F(Flight, GravityPointsPullInverselyWithDistanceAndNeverMakeNaN) {
  LevelData data = emptyLevel();
  data.levels[0].gravityPoints.emplace_back(200, 100);
  start(data);
  game->pos = ofxVec2f(100, 100);
  frame();
  EXPECT_NEAR(game->vel.x, 0.001f, 1e-7);
  EXPECT_NEAR(game->vel.y, 0, 1e-7);

  start(data);
  game->pos = ofxVec2f(200, 100);  // exactly on the point
  frame();
  EXPECT_FALSE(std::isnan(game->vel.x));
  EXPECT_FALSE(std::isnan(game->pos.y));
  EXPECT_EQ(game->vel.x, 0);
}
