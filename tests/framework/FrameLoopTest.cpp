#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/ofBaseApp.h"
#include "framework/ofClock.h"
#include "framework/ofFrameLoop.h"

namespace {
struct ClockFixture : testing::Test {
  ManualClock clock{1000};
  void SetUp() override { ofSetClock(&clock); }
  void TearDown() override { ofSetClock(nullptr); }
};
}  // namespace

using Clock = ClockFixture;
using FrameLoop = ClockFixture;

TEST_F(Clock, ElapsedTimeCountsFromTheOriginOnlyWhenAdvanced) {
  EXPECT_EQ(ofGetElapsedTimeMillis(), 0);
  clock.advance(1500);
  EXPECT_EQ(ofGetElapsedTimeMillis(), 1500);
  EXPECT_FLOAT_EQ(ofGetElapsedTimeSeconds(), 1.5f);
  ofSleepMillis(16);
  EXPECT_EQ(ofGetElapsedTimeMillis(), 1516);
  ofResetElapsedTimeCounter();
  EXPECT_EQ(ofGetElapsedTimeMillis(), 0);
}

TEST_F(Clock, SurvivesTheTickWrapping) {
  ManualClock nearWrap(0xFFFFFFF0u);
  ofSetClock(&nearWrap);
  nearWrap.advance(32);
  EXPECT_EQ(ofGetElapsedTimeMillis(), 32);
}

TEST_F(FrameLoop, FrameRateSettingTruncatesThePeriod) {
  ofFrameLoop loop;
  loop.setFrameRate(60);
  EXPECT_TRUE(loop.limitFrameRate);
  EXPECT_EQ(loop.millisPerFrame, 16);
  EXPECT_EQ(loop.frameRate, 60);

  loop.frameRate = 42;
  loop.setFrameRate(0);
  EXPECT_FALSE(loop.limitFrameRate);
  EXPECT_EQ(loop.frameRate, 42);  // unchanged by turning the limit off
}

// One frame as the window runner makes it: the wait before update, update
// and draw taking workMicros, the wait before the swap. Returns when the
// frame was shown.
int64_t makeFrame(ofFrameLoop& loop, ManualClock& clock, int workMicros) {
  loop.waitForNextFrame();
  clock.advanceMicros(workMicros);
  loop.waitToShow();
  loop.frameNum += 1;
  return ofGetElapsedTimeMicros();
}

TEST_F(FrameLoop, FramesAreShownOnAFixedGridToTheMicrosecond) {
  ofFrameLoop loop;
  loop.setFrameRate(60);
  EXPECT_EQ(makeFrame(loop, clock, 0), 0) << "the first frame waits for nothing";
  struct Case {
    int betweenMicros;  // from the last frame shown to the next frame's start
    int workMicros;     // its update and draw
    int64_t shownAt;
  };
  const Case cases[] = {
      {1000, 1000, 16000},   // shown when due, however long the work
      {1000, 3700, 32000},   //   to the microsecond
      {14000, 1000, 48000},  // started after its lead: still shown when due
      {1000, 6000, 66000},   // work longer than the lead: shown 2 ms late,
      {1000, 1000, 80000},   //   and the next one on the grid again
      {40000, 1000, 124000}, // more than a period late: the grid starts afresh
      {1000, 1000, 140000},
  };
  for (const Case& c : cases) {
    clock.advanceMicros(c.betweenMicros);
    EXPECT_EQ(makeFrame(loop, clock, c.workMicros), c.shownAt) << c.shownAt;
  }
}

TEST_F(FrameLoop, UnevenFramesKeepTheAveragePeriodExact) {
  ofFrameLoop loop;
  loop.setFrameRate(60);
  const int64_t start = makeFrame(loop, clock, 0);
  const int work[] = {3100, 1900, 7000, 500, 900, 2345};
  const int frames = 600;
  int64_t shown = start;
  for (int i = 0; i < frames; ++i) shown = makeFrame(loop, clock, work[i % 6]);
  EXPECT_EQ(shown - start, int64_t{frames} * 16000);
}

TEST_F(FrameLoop, NoSleepWithoutALimit) {
  ofFrameLoop loop;
  loop.setFrameRate(0);
  loop.frameNum = 5;
  clock.advanceMicros(100);
  makeFrame(loop, clock, 0);
  makeFrame(loop, clock, 0);
  EXPECT_EQ(ofGetElapsedTimeMicros(), 100);
}

TEST_F(FrameLoop, SmoothsTheRateAndIgnoresTinyIntervals) {
  ofFrameLoop loop;
  loop.frameDisplayed(0.016f);
  EXPECT_FLOAT_EQ(loop.frameRate, 60 * 0.9f + (1 / 0.016f) * 0.1f);
  EXPECT_EQ(loop.frameNum, 1);

  const float rate = loop.frameRate;
  loop.frameDisplayed(0.016f);  // no time passed
  EXPECT_EQ(loop.frameRate, rate);
  EXPECT_EQ(loop.frameNum, 2);
  EXPECT_EQ(loop.lastFrameTime, 0);

  for (int i = 0; i < 200; ++i) loop.frameDisplayed(0.016f + 0.02f * (i + 1));
  EXPECT_NEAR(loop.frameRate, 50, 0.5);
}

namespace {
// Records every call the runner makes, as text.
struct RecordingApp : ofBaseApp {
  std::vector<std::string> calls;
  void keyPressed(int key) override { calls.push_back("press " + std::to_string(key)); }
  void keyReleased(int key) override { calls.push_back("release " + std::to_string(key)); }
  void mouseMoved(int x, int y) override { add("moved", x, y, -1); }
  void mouseDragged(int x, int y, int b) override { add("dragged", x, y, b); }
  void mousePressed(int x, int y, int b) override { add("pressed", x, y, b); }
  void mouseReleased(int x, int y, int b) override { add("released", x, y, b); }
  void mouseReleased() override { calls.push_back("released"); }
  void windowFocusLost() override { calls.push_back("focus lost"); }
  void add(const char* what, int x, int y, int b) {
    calls.push_back(std::string(what) + " " + std::to_string(x) + "," + std::to_string(y) +
                    (b >= 0 ? " b" + std::to_string(b) : ""));
  }
};
}  // namespace

TEST(EventRouter, KeyCodesAndDroppedModifiers) {
  RecordingApp app;
  ofBaseApp* appPtr = &app;
  ofFrameLoop loop;
  ofEventRouter router(appPtr, loop);
  router.keyboard(19, true);       // Ctrl+S arrives as its control code
  router.keyboard(200, false);     // bytes above 127 stay unsigned
  router.special(100, true);       // Left arrow
  router.special(1, true);         // F1
  router.special(106, false);      // Home
  router.special(112, true);       // Shift alone: dropped
  router.special(114, false);      // Ctrl alone: dropped
  router.special(117, true);       // Alt alone: dropped
  const std::vector<std::string> expected = {"press 19", "release 200", "press 356",
                                             "press 257", "release 362"};
  EXPECT_EQ(app.calls, expected);
}

// Keys are taken before the first frame too, and so is their loss.
TEST(EventRouter, FocusLossReachesTheApplicationBeforeTheFirstFrameToo) {
  RecordingApp app;
  ofBaseApp* appPtr = &app;
  ofFrameLoop loop;
  ofEventRouter router(appPtr, loop);
  router.windowFocusLost();
  EXPECT_EQ(app.calls, std::vector<std::string>{"focus lost"});
}

TEST(EventRouter, MouseIsIgnoredUntilTheFirstFrameAndDragsReportTheLastButton) {
  RecordingApp app;
  ofBaseApp* appPtr = &app;
  ofFrameLoop loop;
  ofEventRouter router(appPtr, loop);
  router.mouseButton(0, true, 5, 6);
  router.mousePassiveMotion(7, 8);
  EXPECT_TRUE(app.calls.empty());
  EXPECT_EQ(app.mouseX, 0);

  loop.frameNum = 1;
  router.mouseButton(0, true, 10, 10);   // press left
  router.mouseButton(2, true, 11, 11);   // press right
  router.mouseButton(2, false, 12, 12);  // release right
  router.mouseMotion(20, 30);            // left still held
  router.mousePassiveMotion(1, 2);
  const std::vector<std::string> expected = {
      "pressed 10,10 b0", "pressed 11,11 b2", "released 12,12 b2",
      "released",         "dragged 20,30 b2", "moved 1,2"};
  EXPECT_EQ(app.calls, expected);
  EXPECT_EQ(app.mouseX, 1);
  EXPECT_EQ(app.mouseY, 2);
}
