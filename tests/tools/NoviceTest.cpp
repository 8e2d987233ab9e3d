// The novice pilot over the shipped hangar: one seed flies one flight, the
// keys change at most four times in any 63 frames, it acts on nothing it
// saw less than 13 frames before, and it gets out of the hangar.

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <string>
#include <vector>

#include "NoviceTrials.h"

namespace {
const std::string dataFile = ORVANE_SOURCE_DIR "/data/data.xml";
const unsigned seed = 1001;
const float limitSeconds = 180;

struct Flown {
  Attempt attempt;
  AttemptLog log;
};

Flown flyHangar(unsigned withSeed) {
  Harness h(dataFile);
  const std::vector<std::string> guids = campaignLevels(dataFile);
  EXPECT_TRUE(startLevel(h, guids, 0));
  Flown flown;
  flown.attempt = flyAttempt(h, h.save(), withSeed, NoviceProfile{}, limitSeconds, &flown.log);
  return flown;
}

class NoviceTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { first = new Flown(flyHangar(seed)); }
  static void TearDownTestSuite() { delete first; }
  static Flown* first;
};
Flown* NoviceTest::first = nullptr;

TEST_F(NoviceTest, OneSeedFliesOneFlight) {
  const Flown again = flyHangar(seed);
  EXPECT_EQ(again.attempt.deaths, first->attempt.deaths);
  EXPECT_EQ(again.attempt.frames, first->attempt.frames);
  EXPECT_TRUE(again.log.keys == first->log.keys);
  EXPECT_FALSE(flyHangar(seed + 1).log.keys == first->log.keys) << "the seed changes nothing";
}

TEST_F(NoviceTest, KeysChangeAtMostFourTimesInAnySixtyThreeFrames) {
  std::deque<int> recent;  // frames of the changes in the last 63
  Keys was;
  size_t busiest = 0;
  for (size_t i = 0; i < first->log.keys.size(); ++i) {
    if (first->log.keys[i] == was) continue;
    was = first->log.keys[i];
    const int frame = first->log.frames[i];
    recent.push_back(frame);
    while (recent.front() <= frame - 63) recent.pop_front();
    ASSERT_LE(recent.size(), 4u) << "at frame " << frame;
    busiest = std::max(busiest, recent.size());
  }
  // A novice that never comes up to the limit would not test it.
  EXPECT_EQ(busiest, 4u);
}

// A novice handed each perception 13 frames late must fly exactly as one
// handed it at once: anything it read sooner would tell them apart.
TEST_F(NoviceTest, ActsOnNothingNewerThanThirteenFrames) {
  Harness h(dataFile);
  ASSERT_TRUE(startLevel(h, campaignLevels(dataFile), 0));
  Game& game = h.run();
  Novice atOnce(courseOf(game), NoviceProfile{}, seed), late(courseOf(game), NoviceProfile{}, seed);
  std::deque<Perception> held;
  for (int f = 0; f < 1500 && !game.finishing && game.levelData->currentLevel == 0; ++f) {
    const Perception seen = perceive(game, h.frame);
    atOnce.see(seen);
    held.push_back(seen);
    while (held.front().frame <= h.frame - 13) {
      late.see(held.front());
      held.pop_front();
    }
    const Keys keys = atOnce.act(h.frame);
    ASSERT_TRUE(keys == late.act(h.frame)) << "at frame " << h.frame;
    ASSERT_LE(atOnce.newestUsed(), h.frame - 13);
    h.step(keys);
  }
  EXPECT_GE(atOnce.newestUsed(), 0);
}

TEST_F(NoviceTest, GetsOutOfTheHangar) {
  EXPECT_TRUE(first->attempt.finished);
  EXPECT_LT(first->attempt.seconds, limitSeconds);
}
}  // namespace
