// Keys that never stick, as a player meets them: the real game, keys sent
// through the X server with Shift and with a switch to another window.

#include <gtest/gtest.h>

#include <algorithm>

#include "support/PlayerHarness.h"

namespace {
const Rgb shipColor{108, 140, 255};

// The ship's height in the window: the average row of its pixels in the
// play area (the HUD's line above it and the level's name below it, whose
// pale blue comes near the ship's, are no part of the ship).
double shipY(const Screenshot& shot) {
  double sum = 0;
  int n = 0;
  for (int y = 16; y < std::min(shot.height, 345); ++y) {
    for (int x = 0; x < shot.width; ++x) {
      if (shot.count(x, y, 1, 1, shipColor, 60) == 0) continue;
      sum += y;
      ++n;
    }
  }
  return n > 10 ? sum / n : -1;
}

// How far the ship moves down the window in 700 ms; negative is up.
double drift(GameProcess& game) {
  const double before = shipY(game.screenshot());
  GameProcess::pause(700);
  const double after = shipY(game.screenshot());
  EXPECT_GE(before, 0);
  EXPECT_GE(after, 0);
  return after - before;
}
}  // namespace

TEST(StuckKeysPlayer, FLetGoWithShiftHeldNoLongerStopsTheShip) {
  GameProcess game(fixturePath("play"));
  ASSERT_TRUE(game.waitForWindow());
  ASSERT_TRUE(game.startRun());
  GameProcess::pause(500);
  game.keyDown("f");
  GameProcess::pause(200);
  game.keyDown("shift");
  game.keyUp("f");  // comes up as F
  game.keyUp("shift");
  // The level has no gravity: thrust shows whether F still stops the ship
  // (it would move it a pixel or two against F, tens of pixels without).
  game.keyDown("Up");
  EXPECT_LT(drift(game), -10) << "the ship thrusts again: F is not held";
  game.keyUp("Up");
}

TEST(StuckKeysPlayer, ThrustHeldWhileTheKeyboardGoesElsewhereStops) {
  GameProcess game(fixturePath("play"));
  ASSERT_TRUE(game.waitForWindow());
  game.focusGame();  // as a window manager gives it the keyboard
  ASSERT_TRUE(game.startRun());
  GameProcess::pause(500);
  game.keyDown("Up");
  GameProcess::pause(300);
  game.focusOtherWindow();
  game.keyUp("Up");  // heard by the other window
  game.focusGame();
  GameProcess::pause(1500);  // what thrust the ship had is spent against gravity
  EXPECT_GT(drift(game), 2) << "the ship falls: thrust is let go";
}
