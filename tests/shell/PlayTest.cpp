// A run as the player sees it: the real binary, keys through xdotool,
// screenshots probed for pixels.

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "support/PlayerHarness.h"

namespace {
const Rgb hudColor{20, 205, 220};
const Rgb shipColor{108, 140, 255};
// The ship under the pause overlay (black at alpha 200).
const Rgb pausedShipColor{23, 30, 55};

struct Spot {
  double x = -1, y = -1;
  int pixels = 0;
};

// Where the pixels near a colour are, on average.
Spot find(const Screenshot& shot, Rgb color, int tolerance) {
  Spot spot;
  double sx = 0, sy = 0;
  for (int y = 0; y < shot.height; ++y) {
    for (int x = 0; x < shot.width; ++x) {
      if (shot.count(x, y, 1, 1, color, tolerance) == 0) continue;
      sx += x;
      sy += y;
      ++spot.pixels;
    }
  }
  if (spot.pixels) spot.x = sx / spot.pixels, spot.y = sy / spot.pixels;
  return spot;
}

}  // namespace

TEST(Play, EnterStartsARunWhoseShipThrustsAndPauses) {
  GameProcess game(fixturePath("play"));
  ASSERT_TRUE(game.waitForWindow());
  ASSERT_TRUE(game.startRun());
  GameProcess::pause(500);  // the fade from black is over

  const Screenshot started = game.screenshot();
  EXPECT_GT(started.count(0, 0, 530, 16, hudColor, 50), 20) << "the HUD shows fuel and time";
  const Spot before = find(started, shipColor, 60);
  ASSERT_GT(before.pixels, 10) << "the ship is drawn";

  game.keyDown("Up");
  GameProcess::pause(600);
  game.keyUp("Up");
  const Spot moved = find(game.screenshot(), shipColor, 60);
  EXPECT_LT(moved.y, before.y - 3) << "thrust carries the ship up";

  game.key("space");
  GameProcess::pause(400);
  game.keepScreenshot("paused");
  const Spot pausedAt = find(game.screenshot(), pausedShipColor, 15);
  GameProcess::pause(400);
  const Spot stillAt = find(game.screenshot(), pausedShipColor, 15);
  ASSERT_GT(stillAt.pixels, 5) << "the paused game shows under the overlay";
  EXPECT_NEAR(pausedAt.y, stillAt.y, 0.5) << "nothing moves while paused";

  game.key("space");
  GameProcess::pause(400);
  const Spot resumed = find(game.screenshot(), shipColor, 60);
  EXPECT_LT(resumed.y, stillAt.y - 1) << "the ship drifts on after the pause";
}

TEST(Play, AFinishedRunShowsTheScoresAndEntersTheTable) {
  GameProcess game(fixturePath("finish"));
  ASSERT_TRUE(game.waitForWindow());
  game.keepScreenshot("title");
  ASSERT_TRUE(game.startRun());  // the ship starts inside the finish zone
  bool scores = false;
  for (int waited = 0; waited < 15000 && !scores; waited += 250) {
    GameProcess::pause(250);
    scores = game.screenshot().count(240, 31, 50, 10, Rgb{0, 153, 153}, 40) > 10;
  }
  ASSERT_TRUE(scores) << "the score screen shows SCORE";
  game.keepScreenshot("scores");

  std::ifstream file(game.folder() + "/data/high.dat", std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  ASSERT_EQ(bytes.size(), 70u);
  EXPECT_EQ(bytes.substr(0, 3), "YOU");
  float time;
  std::memcpy(&time, bytes.data() + 6, 4);
  EXPECT_GE(time, 0);
  EXPECT_LT(time, 1) << "the clock stops when the finish zone is entered";

  game.key("Escape");
  EXPECT_TRUE(game.waitFor(
      [](const Screenshot& s) { return s.count(240, 31, 50, 10, Rgb{0, 153, 153}, 40) == 0; }, 5000))
      << "back on the title";
  game.key("Escape");
  EXPECT_EQ(game.waitForExit(), 0);
}

TEST(Play, TheWindowReturnsTo530By370AfterAResize) {
  GameProcess game(fixturePath("play"));
  ASSERT_TRUE(game.waitForWindow());
  game.resizeWindow(700, 500);
  GameProcess::pause(100);  // the server takes the new size first
  EXPECT_TRUE(game.waitFor(
      [](const Screenshot& s) { return s.width == 530 && s.height == 370; }, 5000));
}
