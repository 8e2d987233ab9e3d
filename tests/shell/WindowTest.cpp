// The window runner as a player meets it: the real binary in the X server.

#include <gtest/gtest.h>

#include <string>

#include "support/PlayerHarness.h"

namespace {
int occurrences(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

const Rgb magenta{255, 0, 255};
const Rgb green{0, 255, 0};
}  // namespace

TEST(Window, OpensAt530By370WithItsTitleAndPixelExactCorners) {
  GameProcess game("", {"--test-pattern"});
  ASSERT_TRUE(game.waitForWindow());
  EXPECT_EQ(game.title(), "Orvane");
  const auto cornersDrawn = [](const Screenshot& s) {
    return s.at(0, 0) == magenta && s.at(529, 369) == magenta;
  };
  ASSERT_TRUE(game.waitFor(cornersDrawn, 5000));
  const Screenshot shot = game.screenshot();
  EXPECT_EQ(shot.width, 530);
  EXPECT_EQ(shot.height, 370);
  EXPECT_EQ(shot.at(0, 0), magenta);
  EXPECT_EQ(shot.at(529, 369), magenta);
  EXPECT_EQ(shot.at(1, 1), (Rgb{}));
}

TEST(Window, EveryFrameIsCleared) {
  GameProcess game("", {"--test-pattern"});
  ASSERT_TRUE(game.waitForWindow());
  // The test pattern draws a 20 by 20 square one pixel further on each frame;
  // without a clear it would leave a trail.
  const auto squareDrawn = [](const Screenshot& s) { return s.count(0, 190, 530, 40, green, 0) > 0; };
  ASSERT_TRUE(game.waitFor(squareDrawn, 5000));
  const Screenshot first = game.screenshot();
  ASSERT_TRUE(game.waitFor([&](const Screenshot& s) { return s.pixels != first.pixels; }, 5000));
  const Screenshot later = game.screenshot();
  EXPECT_EQ(first.count(0, 190, 530, 40, green, 0), 400);
  EXPECT_EQ(later.count(0, 190, 530, 40, green, 0), 400);
}

TEST(Window, EscapeEndsTheProcessAndRunsTheExitHandlerOnce) {
  GameProcess game("", {"--test-pattern", "--verbose"});
  ASSERT_TRUE(game.waitForWindow());
  game.key("Escape");
  EXPECT_EQ(game.waitForExit(), 0);
  EXPECT_EQ(occurrences(game.output(), "exit handler"), 1) << game.output();
}

TEST(Window, ClosingTheWindowEndsTheProcessTheSameWay) {
  GameProcess game("", {"--test-pattern", "--verbose"});
  ASSERT_TRUE(game.waitForWindow());
  game.closeWindow();
  EXPECT_EQ(game.waitForExit(), 0);
  EXPECT_EQ(occurrences(game.output(), "exit handler"), 1) << game.output();
}

TEST(Window, HelpListsTheOptionsWithoutOpeningAWindow) {
  GameProcess game("", {"--help"});
  EXPECT_EQ(game.waitForExit(), 0);
  EXPECT_NE(game.output().find("--frame-log"), std::string::npos);
  EXPECT_EQ(game.window(), 0u);
}

TEST(Window, UnknownOptionIsRefused) {
  GameProcess game("", {"--bogus"});
  EXPECT_EQ(game.waitForExit(), 2);
  EXPECT_NE(game.output().find("unknown option '--bogus'"), std::string::npos);
}
