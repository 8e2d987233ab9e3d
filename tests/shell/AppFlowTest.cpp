// The application's screen flow, driven headless update by update.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/ofAppRunner.h"
#include "support/AppFixture.h"

namespace {
struct AppFlow : AppFixture {
  void prepareData() override { scratch.write("data/data.xml", readFixture("level/fresh_saved.xml")); }

  // Holds Enter on the title for two updates and lets the fade run out.
  void startGame() {
    press(13);
    update(2);
    release(13);
    update(51);
    ASSERT_TRUE(app->playing());
  }
  void quitToTitle() {
    tap(27);
    tap('q');
    ASSERT_FALSE(app->playing());
  }
};

// A run that begins inside the finish zone: it ends 5.5 s after it starts.
struct FinishedRun : AppFlow {
  void prepareData() override { scratch.write("data/data.xml", readFixture("finish/data.xml")); }
  // Plays the run to its end, holding F over the first frames if asked.
  void playToTheEnd(bool holdF) {
    startGame();
    if (holdF) press('f');
    update(3);
    if (holdF) release('f');
    for (int i = 0; i < 400 && app->playing(); ++i) update();
    ASSERT_TRUE(app->showingScores());
    ASSERT_FALSE(app->playing());
  }
};
}  // namespace

TEST_F(AppFlow, EnterHeldThroughTwoUpdatesFadesIntoAGameOnThe51stUpdateAfterRelease) {
  press(13);
  update();
  EXPECT_FALSE(app->fading());  // one update is a tap, not a hold
  update();
  EXPECT_TRUE(app->fading());
  EXPECT_EQ(app->fade.alpha, 5);
  update();
  EXPECT_EQ(app->fade.alpha, 5);  // set back to 0 while Enter is held
  release(13);
  update(50);
  EXPECT_FALSE(app->playing());
  EXPECT_EQ(app->fade.alpha, 255);
  update();
  EXPECT_TRUE(app->playing());
  EXPECT_FALSE(app->fading());
  EXPECT_EQ(app->game.levelData->getCurrentLevel().guid, "l1");  // loaded from data.xml
  update(26);
  EXPECT_EQ(app->fade.alpha, 0);
}

TEST_F(AppFlow, ATapShorterThanTwoUpdatesStartsNothing) {
  tap(13);
  update(60);
  EXPECT_FALSE(app->fading());
  EXPECT_FALSE(app->playing());
}

TEST_F(AppFlow, EscapeAndSpaceTogglePauseAndTogetherCancelOut) {
  startGame();
  tap(27);
  EXPECT_TRUE(app->game.paused);
  tap(32);
  EXPECT_FALSE(app->game.paused);
  press(27);
  press(32);
  update();
  EXPECT_FALSE(app->game.paused);
}

TEST_F(AppFlow, QFromThePauseReturnsToTheTitle) {
  startGame();
  tap('q');  // not paused: q does nothing
  EXPECT_TRUE(app->playing());
  tap(27);
  tap('q');
  EXPECT_FALSE(app->playing());
  EXPECT_FALSE(app->game.paused);
  EXPECT_FALSE(app->showingScores());
}

TEST_F(AppFlow, ARunWithoutALevelIsRefusedAndTheTitleStays) {
  for (const char* text : {static_cast<const char*>(nullptr), "<Info count=\"1\"></Info>"}) {
    if (text) {
      scratch.write("data/data.xml", text);
    } else {
      std::remove("data/data.xml");
    }
    testing::internal::CaptureStdout();
    press(13);
    update(2);
    release(13);
    update(51);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_FALSE(app->playing());
    EXPECT_NE(out.find("OF_ERROR: cannot start a run"), std::string::npos) << out;
    EXPECT_NE(out.find("data/data.xml"), std::string::npos) << out;
    update(30);
    EXPECT_EQ(app->fade.alpha, 0);  // the title fades back in
  }
}

TEST_F(AppFlow, EAndSDoNothingWhileTheFadeToARunIsUnderWay) {
  for (int key : {'e', 's'}) {
    press(13);
    update(2);
    release(13);
    update();
    ASSERT_TRUE(app->fading());
    tap(key);
    EXPECT_FALSE(app->editing()) << char(key);
    EXPECT_FALSE(app->showingScores()) << char(key);
    update(51 - 3);
    EXPECT_TRUE(app->playing()) << char(key);
    quitToTitle();
    EXPECT_FALSE(app->showingScores()) << char(key);  // q leads to the title
  }
}

TEST_F(FinishedRun, ARunWithFHeldIsShownAsAssistedAndNotRecorded) {
  ASSERT_TRUE(app->scores.save());
  const std::string before = scratch.read("data/high.dat");
  const std::vector<float> times = app->scores.bestTimes, fuel = app->scores.bestFuel;
  playToTheEnd(true);
  EXPECT_TRUE(app->scoreScreen.assisted);
  EXPECT_EQ(app->scores.bestTimes, times);
  EXPECT_EQ(app->scores.bestFuel, fuel);
  EXPECT_FALSE(app->scores.newRecord);
  EXPECT_EQ(scratch.read("data/high.dat"), before);
  tap(27);
  EXPECT_FALSE(app->scoreScreen.assisted);  // the next visit to the scores is a plain one
}

TEST_F(FinishedRun, AnAssistedRunQuitFromThePauseLeavesNoMarkAndAPlainRunIsRecorded) {
  startGame();
  tap('f');
  quitToTitle();
  tap('s');
  EXPECT_FALSE(app->scoreScreen.assisted);
  tap(27);
  playToTheEnd(false);
  EXPECT_FALSE(app->scoreScreen.assisted);
  EXPECT_TRUE(app->scores.newRecord);
  EXPECT_EQ(app->scores.newTimeRow, 0);
  EXPECT_EQ(scratch.read("data/high.dat").size(), 70u);
}

TEST_F(AppFlow, ScoreScreenFromTheTitleAndBack) {
  tap('s');
  EXPECT_TRUE(app->showingScores());
  tap(13);  // Enter writes the table
  EXPECT_EQ(scratch.read("data/high.dat").size(), 70u);
  tap(27);
  EXPECT_FALSE(app->showingScores());
}

TEST_F(AppFlow, TheWindowIsHeldAt530By370) {
  window.setWindowShape(800, 600);
  update();
  EXPECT_EQ(ofGetWidth(), 530);
  EXPECT_EQ(ofGetHeight(), 370);
}

TEST_F(AppFlow, FlightDefaultsAreResetBySetup) {
  EXPECT_FLOAT_EQ(app->game.thrustPower, 0.04f);
  EXPECT_FLOAT_EQ(app->game.turnDamping, 0.7f);
  EXPECT_FLOAT_EQ(app->game.gravityAccel.y, 0.01f);
  EXPECT_EQ(window.title, "Orvane");
  EXPECT_FALSE(window.cursorShown);
}
