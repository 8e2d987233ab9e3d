#include <gtest/gtest.h>

#include <vector>

#include "framework/ofMath.h"
#include "support/GameFixture.h"

using ScreenEffects = GameFixture;

TEST_F(ScreenEffects, ASirenFlashFadesOverItsRate) {
  start(emptyLevel());
  const int t = ofGetElapsedTimeMillis();
  game->startFlash(ofColor(40, 0, 0), 1.0f, true);
  game->updateEffects(t + 100);
  EXPECT_FLOAT_EQ(game->flashAlpha, 155);
  EXPECT_FALSE(game->flashDone);
  game->updateEffects(t + 255);
  EXPECT_FLOAT_EQ(game->flashAlpha, 0);
  EXPECT_TRUE(game->flashDone);
  game->startFlash(ofColor(1, 2, 3), 1.0f, false);  // disabled: nothing
  EXPECT_TRUE(game->flashDone);
}

TEST_F(ScreenEffects, AFlashWithRateZeroIsOverAtOnce) {
  start(emptyLevel());
  game->startFlash(ofColor(255, 255, 255), 0, true);
  game->updateEffects(ofGetElapsedTimeMillis());
  EXPECT_TRUE(game->flashDone);
  EXPECT_LE(game->flashAlpha, 0);
}

TEST_F(ScreenEffects, CyclesFlashAfterEachIntervalAndEndingLetsTheFlashFade) {
  start(emptyLevel());
  game->startCycle(500, 500, ofColor(40, 0, 0), 1.0f);
  int flashes = 0, firstAt = -1;
  const int start = ofGetElapsedTimeMillis();
  for (int i = 1; i <= 200; ++i) {  // 3.2 s at 16 ms
    const bool before = game->flashDone;
    const float alpha = game->flashAlpha;
    frame();
    if (game->flashAlpha > alpha || (before && !game->flashDone)) {
      ++flashes;
      if (firstAt < 0) firstAt = ofGetElapsedTimeMillis() - start;
    }
  }
  EXPECT_GT(firstAt, 500);
  EXPECT_LE(firstAt, 516);
  EXPECT_EQ(flashes, 6);  // every 512 ms: the first frame more than 500 ms on
  game->endCycle();
  game->startFlash(ofColor(40, 0, 0), 1.0f, true);
  frame();
  EXPECT_FALSE(game->flashDone);
  frames(20);
  EXPECT_TRUE(game->flashDone);
}

TEST_F(ScreenEffects, ThunderWaitsARandomSecondToTenFirst) {
  start(emptyLevel());
  ofSeedRandom(3u);
  game->startCycle(1000, 10000, ofColor(81, 40, 130), 0.5f);
  const float wait = game->cycleNext;
  EXPECT_GE(wait, 1000);
  EXPECT_LT(wait, 10000);
  // Every frame up to the first one past the wait; a flash is at full
  // opacity only in the frame that starts it.
  const int start = ofGetElapsedTimeMillis();
  std::vector<int> flashedAt;
  for (int i = 0; i < 700 && ofGetElapsedTimeMillis() - start <= wait; ++i) {  // 700 frames: 11.2 s
    frame();
    if (!game->flashDone && game->flashAlpha == 255) {
      flashedAt.push_back(ofGetElapsedTimeMillis() - start);
    }
  }
  ASSERT_EQ(flashedAt.size(), 1u);
  EXPECT_GT(flashedAt[0], wait);
  EXPECT_LE(flashedAt[0], wait + 16);
}

TEST_F(ScreenEffects, AShakeJittersForItsDurationThenStopsExactly) {
  start(emptyLevel());
  game->shakeDuration = 2000;
  game->shakeStart = ofGetElapsedTimeMillis();
  bool moved = false;
  for (int i = 0; i < 120; ++i) {  // 1.9 s
    frame();
    moved = moved || game->shakeOffset.x != 0 || game->shakeAngle != 0;
    EXPECT_LE(std::abs(game->shakeOffset.x), 1);
    EXPECT_LE(std::abs(game->shakeAngle), 1);
  }
  EXPECT_TRUE(moved);
  frames(10);
  EXPECT_EQ(game->shakeOffset.x, 0);
  EXPECT_EQ(game->shakeOffset.y, 0);
  EXPECT_EQ(game->shakeAngle, 0);

  game->shakeDuration = 0;
  game->shakeStart = ofGetElapsedTimeMillis();
  frame();
  EXPECT_EQ(game->shakeAngle, 0);
}
