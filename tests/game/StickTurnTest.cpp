// A gamepad's stick turning the ship: in proportion to its push, full
// deflection as a turn key does, and never against a key that is held.

#include <gtest/gtest.h>

#include "support/GameFixture.h"

using StickTurn = GameFixture;

TEST_F(StickTurn, TheTurnFollowsHowFarTheStickIsPushed) {
  struct Case {
    float stick;
    bool keyLeft, keyRight;
    float firstSpeed;  // turnSpeed after one frame, damped
  };
  const Case cases[] = {
      {1, false, false, 0.7f},     // as the Right key
      {-1, false, false, -0.7f},   // as the Left key
      {0.5f, false, false, 0.35f},
      {-0.25f, false, false, -0.175f},
      {0, false, false, 0},
      {-1, false, true, 0.7f},     // a held key wins over the stick
      {1, true, false, -0.7f},
      {1, true, true, 0},          // both keys still cancel out
  };
  for (const Case& c : cases) {
    start(emptyLevel());
    current.stickTurn = c.stick;
    current.keyLeft = c.keyLeft;
    current.keyRight = c.keyRight;
    frame();
    EXPECT_NEAR(game->turnSpeed, c.firstSpeed, 1e-5)
        << "stick " << c.stick << " left " << c.keyLeft << " right " << c.keyRight;
  }
}

TEST_F(StickTurn, FullDeflectionTurnsAsTheKeyAndHalfwayHalfAsFar) {
  auto turnedBy = [&](float stick, bool keyRight) {
    start(emptyLevel());
    current.stickTurn = stick;
    current.keyRight = keyRight;
    frames(60);
    return game->angle;
  };
  const float byKey = turnedBy(0, true);
  EXPECT_FLOAT_EQ(turnedBy(1, false), byKey);
  EXPECT_NEAR(turnedBy(0.5f, false), byKey / 2, 1e-3);
}
