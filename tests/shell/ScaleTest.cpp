// The game shown larger, as the player sees it: the real binary under its
// own X server, with --scale, F11, a resize and the level tool's mouse.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/PlayerHarness.h"

namespace {
// The title's menu text: yellow at alpha 100 to 200 on black.
const Rgb menuColor{150, 126, 0};
const Rgb black{0, 0, 0};

// The play fixture with the shipped title logo beside it.
void withLogo(const std::string& scratch) {
  std::filesystem::copy_file(std::string(ORVANE_SOURCE_DIR) + "/data/logo.xml",
                             scratch + "/data/logo.xml");
}

int lit(const Screenshot& s, int x, int y, int w, int h) {
  return w * h - s.count(x, y, w, h, black, 30);
}

std::string fileText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

// The title at scale 2: the menu twice as far from the corner and twice
// as large as at scale 1 (where it lies within 265..465 by 215..335), and
// the logo's right half beyond the 530 pixels a window of scale 1 has.
bool titleAtScaleTwo(const Screenshot& s) {
  return s.width == 1060 && s.height == 740 && s.count(530, 430, 400, 240, menuColor, 70) > 160 &&
         lit(s, 600, 120, 400, 260) > 300;
}
}  // namespace

TEST(ScaledWindow, ScaleTwoOpensA1060By740WindowWithTheTitleDrawnAcrossIt) {
  GameProcess game(fixturePath("play"), {"--scale", "2"}, withLogo);
  ASSERT_TRUE(game.waitForWindow());
  EXPECT_TRUE(game.waitFor(titleAtScaleTwo, 5000));
  game.keepScreenshot("scale2");
  const std::string settings = fileText(game.folder() + "/config/orvane/settings");
  EXPECT_NE(settings.find("\nscale = 2\n"), std::string::npos) << settings;

  game.resizeWindow(900, 600);
  GameProcess::pause(100);  // the server takes the new size first
  EXPECT_TRUE(game.waitFor(
      [](const Screenshot& s) { return s.width == 1060 && s.height == 740; }, 5000))
      << "a resize springs back to twice 530 by 370";
}

TEST(ScaledWindow, F11ShowsTheScreenCentredAsLargeAsFitsAndF11AgainGoesBack) {
  GameProcess game(fixturePath("play"), {}, withLogo);
  ASSERT_TRUE(game.waitForWindow());
  ASSERT_TRUE(game.waitFor([](const Screenshot& s) { return s.width == 530; }, 5000));
  game.key("F11");
  // The 1280 by 1024 display shows the screen 1280 by 894 from row 65: the
  // menu lies 2.415 times as far from that corner as in the window, and
  // nothing is drawn on the borders above and below.
  EXPECT_TRUE(game.waitFor(
      [](const Screenshot& s) {
        return s.width == 1280 && s.height == 1024 &&
               s.count(640, 584, 483, 290, menuColor, 70) > 160 && lit(s, 0, 0, 1280, 65) == 0 &&
               lit(s, 0, 959, 1280, 65) == 0;
      },
      5000));
  game.keepScreenshot("fullscreen");
  std::string settings = fileText(game.folder() + "/config/orvane/settings");
  EXPECT_NE(settings.find("\nfullscreen = on\n"), std::string::npos) << settings;

  game.key("F11");
  EXPECT_TRUE(game.waitFor(
      [](const Screenshot& s) {
        return s.width == 530 && s.height == 370 && s.count(265, 215, 200, 120, menuColor, 70) > 40;
      },
      5000))
      << "back in the window";
  settings = fileText(game.folder() + "/config/orvane/settings");
  EXPECT_NE(settings.find("\nfullscreen = off\n"), std::string::npos) << settings;
}

TEST(ScaledWindow, TheLevelToolDrawsAWallWhereTheMouseDragsItAtScaleTwo) {
  GameProcess game(fixturePath("play"), {"--edit", "--scale", "2"});
  ASSERT_TRUE(game.waitForWindow());
  const Rgb wall{0, 255, 0};
  ASSERT_TRUE(game.waitFor([](const Screenshot& s) { return s.width == 1060; }, 5000));
  const int before = game.screenshot().count(220, 196, 360, 9, wall, 80);
  game.mouseMove(200, 200);
  game.keyDown("w");
  GameProcess::pause(100);
  game.mouseDown(1);
  GameProcess::pause(100);
  game.mouseMove(400, 200);
  game.mouseMove(600, 200);
  GameProcess::pause(100);
  game.mouseUp(1);
  game.keyUp("w");
  // The new wall lies under the mouse's path, window row 200, not twice as
  // far out as an unmapped mouse would put it.
  EXPECT_TRUE(game.waitFor(
      [&](const Screenshot& s) { return s.count(220, 196, 360, 9, wall, 80) > before + 300; }, 5000));
}

TEST(ScaledWindow, AScaleOutsideOneToFourIsRefused) {
  for (const char* scale : {"0", "5", "two", "2x"}) {
    GameProcess game("", {"--scale", scale});
    EXPECT_EQ(game.waitForExit(), 2) << scale;
    EXPECT_NE(game.output().find("--scale takes a whole number from 1 to 4"), std::string::npos)
        << game.output();
    EXPECT_EQ(game.window(), 0u);
  }
}

namespace {
// The harness's display is 1280 by 1024: a window of scale 3 (1590 by 1110)
// or 4 does not fit in nine tenths of it, one of scale 2 (1060 by 740) does.
const char* const loweredToTwo = "does not fit this 1280 by 1024 display: the window is shown at scale 2";

// The title at scale 2 with a notice in red along its bottom.
bool titleAtTwoWithNotice(const Screenshot& s) {
  return titleAtScaleTwo(s) && s.count(0, 660, 1060, 80, Rgb{255, 90, 90}, 60) > 80;
}
}  // namespace

TEST(ScaledWindow, AScaleTooLargeForTheDisplayTakesTheLargestThatFitsAndSaysSo) {
  GameProcess game(fixturePath("play"), {"--scale", "3"}, withLogo);
  ASSERT_TRUE(game.waitForWindow());
  EXPECT_TRUE(game.waitFor(titleAtTwoWithNotice, 5000));
  EXPECT_NE(game.output().find(std::string("scale 3 ") + loweredToTwo), std::string::npos)
      << game.output();
  // The player asked for 3: it is kept, for a larger display.
  const std::string settings = fileText(game.folder() + "/config/orvane/settings");
  EXPECT_NE(settings.find("\nscale = 3\n"), std::string::npos) << settings;
}

TEST(ScaledWindow, AScaleKeptInTheSettingsThatDoesNotFitIsShownSmallerAndTheFileIsLeftAlone) {
  const std::string kept = "# chosen on a larger display\nscale = 4\n";
  GameProcess game(fixturePath("play"), {}, [&](const std::string& scratch) {
    withLogo(scratch);
    std::filesystem::create_directories(scratch + "/config/orvane");
    std::ofstream(scratch + "/config/orvane/settings") << kept;
  });
  ASSERT_TRUE(game.waitForWindow());
  EXPECT_TRUE(game.waitFor(titleAtTwoWithNotice, 5000));
  EXPECT_NE(game.output().find(std::string("scale 4 ") + loweredToTwo), std::string::npos)
      << game.output();
  game.resizeWindow(900, 600);
  GameProcess::pause(100);
  EXPECT_TRUE(game.waitFor(
      [](const Screenshot& s) { return s.width == 1060 && s.height == 740; }, 5000))
      << "a resize springs back to the scale the window took";
  EXPECT_EQ(fileText(game.folder() + "/config/orvane/settings"), kept);
}
