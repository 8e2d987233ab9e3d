// A run's journey through the levels, flown by script on the hand-driven
// clock: splits on warps and the finish, deaths, bests kept per user, the
// ghost of a best replayed frame for frame, help, the banners' timing and
// practice runs.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <future>
#include <memory>

#include "framework/ofFile.h"
#include "progress/Ghost.h"
#include "progress/PlayerProgress.h"
#include "progress/RunJourney.h"
#include "support/GameFixture.h"
#include "support/ScopedEnvironment.h"

namespace {
// "one": the ship starts at (100, 100) on checkpoint "a"; a warp at
// (300, 100) leads to "two" at receiver "in" (50, 50), where a wall stands
// across x = 200 from y 140 to 180 and the finish waits at (400, 200).
// Neither level has gravity or a spawner.
LevelData twoLevels(bool checkpointInTwo = true) {
  LevelData data = GameFixture::emptyLevel();
  Level& one = data.levels[0];
  one.receivers = {Receiver{ofxVec2f(100, 100), "a"}};
  one.warps = {zone(90, 90, 20, 20, "mark", "a", "u"), zone(300, 100, 20, 20, "two", "in")};
  data.addLevel();
  Level& two = data.levels[1];
  two.guid = "two";
  two.gravity = two.friction = false;
  two.receivers = {Receiver{ofxVec2f(50, 50), "in"}};
  two.walls.emplace_back(200, 140, 200, 180, 255, 255, 255, 'w');
  if (checkpointInTwo) two.warps.push_back(zone(40, 40, 20, 20, "mark", "in", "u"));
  two.warps.push_back(zone(400, 200, 20, 20, "finish_it"));
  data.currentLevel = 0;
  return data;
}

struct Journey : GameFixture {
  ScopedEnvironment xdg{"XDG_DATA_HOME", scratch.path() + "/share"};
  PlayerProgress progress;
  bool ghosts = true;
  RunJourney journey{progress, ghosts};

  // The journey the frames go to: the fixture's, or another game's.
  RunJourney* flying = &journey;

  void begin(const LevelData& data, RunJourney& with) {
    start(data);
    flying = &with;
    with.start(*game);
  }
  void begin(const LevelData& data) { begin(data, journey); }
  void step() {
    frame();
    flying->update(*game);
  }
  void steps(int n) {
    for (int i = 0; i < n; ++i) step();
  }
  // Flies `frames` frames along y = 100 from x = 100, one pixel a frame.
  void flyAcross(int frames) {
    for (int i = 1; i <= frames; ++i) {
      game->pos = ofxVec2f(100.0f + static_cast<float>(i), 100);
      step();
    }
  }
  void warpToTwo() {
    game->pos = ofxVec2f(310, 110);
    step();
  }
  void finish() {
    game->pos = ofxVec2f(410, 210);
    step();
  }
  // A crash into the wall of "two" and the half second until the ship is
  // back: 40 frames.
  void dieAndReturn() {
    game->pos = ofxVec2f(200, 160);
    step();
    ASSERT_TRUE(game->dying);
    steps(39);
  }
};

const float frameSeconds = 0.016f;
}  // namespace

TEST_F(Journey, WarpsAndTheFinishSplitTheRunAndBestsAreKeptOnDisk) {
  begin(twoLevels());
  flyAcross(30);
  warpToTwo();
  steps(10);
  dieAndReturn();
  finish();

  const std::vector<LevelSplit>& splits = journey.splits().splits();
  ASSERT_EQ(splits.size(), 2u);
  EXPECT_EQ(splits[0].guid, "one");
  EXPECT_NEAR(splits[0].seconds, 31 * frameSeconds, 1e-3);
  EXPECT_EQ(splits[0].deaths, 0);
  EXPECT_EQ(splits[1].guid, "two");
  EXPECT_NEAR(splits[1].seconds, 51 * frameSeconds, 1e-3);
  EXPECT_EQ(splits[1].deaths, 1);
  EXPECT_TRUE(splits[0].done && splits[1].done);
  EXPECT_TRUE(journey.splits().finished());
  EXPECT_TRUE(journey.results()[0].newBest && journey.results()[1].newBest);
  EXPECT_FALSE(journey.results()[0].bestBefore);

  PlayerProgress reread;
  ASSERT_TRUE(reread.load());
  EXPECT_NEAR(*reread.bestTime("one"), 31 * 16, 1);
  EXPECT_NEAR(*reread.bestTime("two"), 51 * 16, 1);

  // A second run: slower in "one", faster in "two".
  begin(twoLevels());
  flyAcross(40);
  warpToTwo();
  steps(4);
  finish();
  ASSERT_EQ(journey.results().size(), 2u);
  EXPECT_FALSE(journey.results()[0].newBest);
  EXPECT_NEAR(*journey.results()[0].bestBefore, 31 * frameSeconds, 1e-3);
  EXPECT_TRUE(journey.results()[1].newBest);
  EXPECT_NEAR(*progress.bestTime("one"), 31 * 16, 1);
  EXPECT_NEAR(*progress.bestTime("two"), 5 * 16, 1);
}

TEST_F(Journey, ComingBackToLifeInAnEarlierLevelIsNoSplitOfTheLevelLeft) {
  begin(twoLevels(false));
  flyAcross(5);
  warpToTwo();
  steps(3);
  dieAndReturn();  // back at checkpoint "a" of "one"

  const std::vector<LevelSplit>& splits = journey.splits().splits();
  ASSERT_EQ(splits.size(), 3u);
  EXPECT_TRUE(splits[0].done);
  EXPECT_EQ(splits[1].guid, "two");
  EXPECT_FALSE(splits[1].done);
  EXPECT_EQ(splits[1].deaths, 1);
  EXPECT_EQ(splits[2].guid, "one");
  EXPECT_TRUE(progress.hasReached("two"));
  EXPECT_FALSE(progress.bestTime("two"));
}

// The summary sets each pass against the level's best as the run began: a
// level flown twice keeps that best for both passes, while its banner
// measures the second pass against the best the first one set.
TEST_F(Journey, EachPassKeepsTheBestItsLevelHadAsTheRunBegan) {
  begin(twoLevels());
  flyAcross(30);
  warpToTwo();
  finish();

  begin(twoLevels(false));
  flyAcross(5);
  warpToTwo();
  steps(3);
  dieAndReturn();  // back in "one": a second pass of it
  flyAcross(10);
  warpToTwo();
  finish();
  const std::vector<LevelSplit>& splits = journey.splits().splits();
  ASSERT_EQ(splits.size(), 4u);
  const auto& results = journey.results();
  for (size_t pass : {0u, 2u}) {
    ASSERT_TRUE(results[pass].bestBeforeRun) << pass;
    EXPECT_NEAR(*results[pass].bestBeforeRun, 31 * frameSeconds, 1e-3) << pass;
  }
  EXPECT_NEAR(*results[2].bestBefore, splits[0].seconds, 1e-3);
  EXPECT_NEAR(*results[3].bestBeforeRun, 1 * frameSeconds, 1e-3);
}

// F stops the ship and fills the tank, paused or not: either way the pass
// was helped.
TEST_F(Journey, APassFlownWithHelpReachesItsLevelButSetsNoBestNorGhost) {
  for (const bool paused : {false, true}) {
    begin(twoLevels());
    game->paused = paused;
    current.keyF = true;
    step();
    current.keyF = false;
    game->paused = false;
    warpToTwo();
    finish();
    EXPECT_TRUE(progress.hasReached("one")) << paused;
    EXPECT_FALSE(progress.bestTime("one")) << paused;
    EXPECT_FALSE(std::filesystem::exists(Ghost::path("one"))) << paused;
    EXPECT_TRUE(progress.bestTime("two")) << paused;
  }
}

// The banners count the run's own clock: a pause holds them as they were.
TEST_F(Journey, TheLevelsNameAndTheSplitShowForAWhileOfPlayNotThroughAPause) {
  begin(twoLevels());
  EXPECT_EQ(journey.levelNameAlpha(), 255);
  EXPECT_EQ(journey.splitAlpha(), 0) << "no level left yet";
  flyAcross(5);
  warpToTwo();
  game->paused = true;
  steps(600);  // ten seconds
  game->paused = false;
  EXPECT_EQ(journey.levelNameAlpha(), 255) << "the name of the level entered";
  EXPECT_EQ(journey.splitAlpha(), 255) << "the split of the level left";
  // Both show whole for two and a half seconds of play and fade over the
  // half second after.
  steps(155);  // 2.48 s
  EXPECT_EQ(journey.levelNameAlpha(), 255);
  EXPECT_EQ(journey.splitAlpha(), 255);
  steps(15);  // 2.72 s
  EXPECT_EQ(journey.levelNameAlpha(), 255 * 280 / 500);
  EXPECT_EQ(journey.splitAlpha(), 255 * 280 / 500);
  steps(18);  // 3.008 s
  EXPECT_EQ(journey.levelNameAlpha(), 0);
  EXPECT_EQ(journey.splitAlpha(), 0);
}

TEST_F(Journey, TheBestPassIsReplayedFrameForFrameInTheNextRun) {
  begin(twoLevels());
  flyAcross(20);
  warpToTwo();
  finish();

  begin(twoLevels());
  journey.flush();  // the ghost is read beside the frames, not in one
  const Ghost& ghost = journey.replayed();
  ASSERT_EQ(ghost.frames(), 21u);
  for (size_t i = 0; i < ghost.frames(); ++i) {
    ASSERT_EQ(journey.framesInLevel(), i);
    const Ghost::Frame* shown = ghost.at(journey.framesInLevel());
    ASSERT_NE(shown, nullptr);
    EXPECT_FLOAT_EQ(shown->x, 100.0f + static_cast<float>(i)) << "frame " << i;
    EXPECT_FLOAT_EQ(shown->y, 100.0f) << "frame " << i;
    step();
  }
  EXPECT_EQ(ghost.at(journey.framesInLevel()), nullptr);

  // With ghosts switched off nothing is loaded to be shown.
  ghosts = false;
  begin(twoLevels());
  EXPECT_TRUE(journey.replayed().empty());
}

// A practice run is split like any other, from the level it began in.
TEST_F(Journey, APracticeRunIsSplitFromTheLevelItBeganIn) {
  ASSERT_TRUE(game->startPractice(twoLevels(), "two"));
  journey.start(*game);
  step();
  finish();
  ASSERT_EQ(journey.splits().splits().size(), 1u);
  EXPECT_EQ(journey.splits().splits()[0].guid, "two");
  EXPECT_TRUE(progress.bestTime("two"));
  EXPECT_FALSE(progress.hasReached("one"));
}

// Two games started on one record fly the same level: the slower pass is
// its own game's best, but the record and the ghost keep the faster one's,
// whichever game saved last.
TEST_F(Journey, TwoGamesFlyingOneLevelKeepTheBetterBestAndItsGhost) {
  PlayerProgress otherProgress;
  bool otherGhosts = true;
  RunJourney other{otherProgress, otherGhosts};
  progress.load();
  otherProgress.load();
  begin(twoLevels());
  flyAcross(30);
  warpToTwo();
  begin(twoLevels(), other);
  flyAcross(40);
  warpToTwo();
  EXPECT_TRUE(other.results()[0].newBest) << "the best this game knew of";
  journey.flush();
  other.flush();

  PlayerProgress reread;
  ASSERT_TRUE(reread.load());
  EXPECT_NEAR(*reread.bestTime("one"), 31 * 16, 1);
  Ghost kept;
  ASSERT_TRUE(kept.load("one"));
  EXPECT_EQ(kept.frames(), 31u);
}

// Another game holding the record while it saves stands for a disk that is
// slow: the frames go on, nothing is written or read until it lets go, and
// then everything lands, the ghost of the level entered at its frame.
TEST_F(Journey, FramesNeverWaitForTheDiskAndEverySaveLandsAfterwards) {
  Ghost earlier;
  for (int i = 0; i < 20; ++i) earlier.record(ofxVec2f(static_cast<float>(i), 7), 0);
  earlier.setBestMs(5000);
  ASSERT_TRUE(earlier.save("two"));
  progress.load();
  auto held = std::make_unique<ofFileLock>(PlayerProgress::path());
  ASSERT_TRUE(held->locked());
  auto flown = std::async(std::launch::async, [this] {
    begin(twoLevels());
    flyAcross(10);
    warpToTwo();
    steps(5);
  });
  if (flown.wait_for(std::chrono::seconds(30)) != std::future_status::ready) {
    ADD_FAILURE() << "a frame waited for the disk";
    held.reset();
    return;
  }
  flown.get();
  EXPECT_FALSE(std::filesystem::exists(PlayerProgress::path())) << "written in a frame";
  EXPECT_TRUE(journey.replayed().empty()) << "read in a frame, before the saves asked first";
  EXPECT_TRUE(progress.hasReached("two"));

  held.reset();
  journey.flush();
  ASSERT_EQ(journey.replayed().frames(), 20u);
  EXPECT_EQ(journey.framesInLevel(), 5u);
  EXPECT_EQ(journey.replayed().at(journey.framesInLevel())->x, 5.0f);
  PlayerProgress reread;
  ASSERT_TRUE(reread.load());
  EXPECT_TRUE(reread.hasReached("two"));
  EXPECT_NEAR(*reread.bestTime("one"), 11 * 16, 1);

  // A journey that ends (the program closing) first writes what it was
  // asked to.
  auto last = std::make_unique<RunJourney>(progress, ghosts);
  begin(twoLevels(), *last);
  flyAcross(3);
  warpToTwo();
  last.reset();
  flying = &journey;
  Ghost saved;
  ASSERT_TRUE(saved.load("one"));
  EXPECT_EQ(saved.frames(), 4u);
}

TEST(SplitText, MinutesSecondsAndTenthsAndTheDifferenceInHundredths) {
  struct Case {
    float seconds;
    const char* split;
    const char* difference;  // to a best of 0
  };
  const Case cases[] = {
      {0, "0:00.0", "+0.00 s"},       {5.04f, "0:05.0", "+5.04 s"},
      {65.36f, "1:05.4", "+65.36 s"}, {-1.25f, "0:00.0", "-1.25 s"},
      {-0.004f, "0:00.0", "+0.00 s"}, {3599.99f, "60:00.0", "+3599.99 s"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(splitText(c.seconds), c.split) << c.seconds;
    EXPECT_EQ(splitDifference(c.seconds, 0.0f), c.difference) << c.seconds;
  }
  EXPECT_EQ(splitDifference(12.34f, 13.57f), "-1.23 s");
  EXPECT_EQ(splitDifference(5.4f, 5.0f), "+0.40 s");
  EXPECT_EQ(splitDifference(5.4f, std::nullopt), "first run");
}
