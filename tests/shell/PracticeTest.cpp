// Practice as the player sees it: the real binary under its own X server,
// keys through xdotool, screenshots probed for the level being flown.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/PlayerHarness.h"

namespace {
const Rgb hudColor{20, 205, 220};
const Rgb practiceHeading{0, 153, 153};
// The title's menu text: yellow at alpha 100 to 200 on black.
const Rgb menuColor{150, 126, 0};
// The walls of the practice fixture's two levels, at y 100 and y 200 of the
// level (window rows 125 and 225).
const Rgb firstWall{0, 200, 0};
const Rgb secondWall{220, 0, 220};

std::string fileText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

bool hudShown(const Screenshot& s) { return s.count(0, 0, 530, 16, hudColor, 50) > 20; }
bool titleShown(const Screenshot& s) {
  return !hudShown(s) && s.count(265, 215, 200, 120, menuColor, 70) > 40;
}

// What the practice fixture's player has reached: both levels.
void reachedBoth(const std::string& scratch) {
  std::filesystem::create_directories(scratch + "/share/orvane");
  std::ofstream(scratch + "/share/orvane/progress.xml")
      << "<Progress version=\"1\"><Reached guid=\"first\"></Reached>"
         "<Reached guid=\"second\" bestMs=\"61000\"></Reached></Progress>";
}
}  // namespace

TEST(Practice, LevelOptionFliesTheLevelThenRecordsItForThePlayerAndLeavesTheTablesAlone) {
  const std::string table(70, 'x');
  GameProcess game(fixturePath("finish"), {"--level", "end"}, [&](const std::string& scratch) {
    std::ofstream(scratch + "/data/high.dat", std::ios::binary) << table;
  });
  ASSERT_TRUE(game.waitForWindow());
  ASSERT_TRUE(game.waitFor(hudShown, 8000)) << "the run starts at once";
  ASSERT_TRUE(game.waitFor(titleShown, 15000)) << "the title follows the finish";

  const std::string record = fileText(game.folder() + "/share/orvane/progress.xml");
  EXPECT_NE(record.find("guid=\"end\" bestMs=\""), std::string::npos) << record;
  EXPECT_EQ(fileText(game.folder() + "/data/high.dat"), table);
  game.key("Escape");
  EXPECT_EQ(game.waitForExit(), 0);
}

TEST(Practice, TheListOnTheTitleStartsARunInTheLevelChosen) {
  GameProcess game(fixturePath("practice"), {}, reachedBoth);
  ASSERT_TRUE(game.waitForWindow());
  game.key("l");
  ASSERT_TRUE(game.waitFor(
      [](const Screenshot& s) { return s.count(230, 28, 70, 14, practiceHeading, 40) > 10; }, 5000))
      << "the list shows";
  game.keepScreenshot("practice");
  game.key("Down");
  game.key("Return");
  ASSERT_TRUE(game.waitFor(hudShown, 8000)) << "a run starts";
  EXPECT_TRUE(game.waitFor(
      [](const Screenshot& s) {
        return s.count(25, 222, 480, 6, secondWall, 60) > 200 &&
               s.count(25, 122, 480, 6, firstWall, 60) == 0;
      },
      5000))
      << "in the second level";
}

TEST(Practice, AnUnknownLevelIsSaidOnTheTerminalAndTheTitleShows) {
  GameProcess game(fixturePath("practice"), {"--level", "nowhere"});
  ASSERT_TRUE(game.waitForWindow());
  EXPECT_TRUE(game.waitFor(titleShown, 5000));
  EXPECT_NE(game.output().find("\"nowhere\""), std::string::npos) << game.output();
}
