// The restarts the pause offers, driven headless update by update: back to
// the checkpoint in the same run, and a new run (in practice, the level
// again) that leaves the run abandoned out of the tables and the bests.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "framework/InputState.h"
#include "support/AppFixture.h"

namespace {
// "first": the ship starts on checkpoint "a" at (240, 200), facing right; a
// warp at (420, 270) leads to "second" at (240, 100), which has no
// checkpoint of its own and the finish at (420, 70). No gravity: the ship
// stays where it is put.
const char* const twoLevels =
    "<Info count=\"1\"></Info>\n"
    "<Models><Model guid=\"spawner\" animSpeed=\"0\" solid=\"0\" playOnce=\"0\" SE=\"\">"
    "<Frame></Frame></Model></Models>\n"
    "<Levels>\n"
    "<Level guid=\"first\" gravity=\"0\" friction=\"1\">"
    "<Reciever x=\"240\" y=\"200\" id=\"a\"></Reciever>"
    "<Warp x=\"220\" y=\"180\" w=\"40\" h=\"40\" level=\"mark\" id=\"a\" dir=\"r\"></Warp>"
    "<Warp x=\"400\" y=\"250\" w=\"40\" h=\"40\" level=\"second\" id=\"in\" dir=\"\"></Warp>"
    "<Model_Ref guid=\"spawner\" x=\"240\" y=\"200\" warpOnEndAnimation=\"0\" level=\"\" id=\"\">"
    "</Model_Ref></Level>\n"
    "<Level guid=\"second\" gravity=\"0\" friction=\"1\">"
    "<Reciever x=\"240\" y=\"100\" id=\"in\"></Reciever>"
    "<Warp x=\"400\" y=\"50\" w=\"40\" h=\"40\" level=\"finish_it\" id=\"\" dir=\"\"></Warp>"
    "</Level>\n"
    "</Levels>\n";

struct PauseRestart : AppFixture {
  void prepareData() override {
    scratch.write("data/data.xml", twoLevels);
    std::filesystem::create_directories(scratch.path() + "/share/orvane");
    scratch.write("share/orvane/progress.xml",
                  "<Progress version=\"1\"><Reached guid=\"first\"></Reached>"
                  "<Reached guid=\"second\"></Reached></Progress>");
  }
  Game& game() { return app->game; }
  void moveShip(float x, float y) {
    game().pos = ofxVec2f(x, y);
    update();
  }
  void warpToSecond() {
    moveShip(420, 270);
    ASSERT_EQ(game().levelData->getCurrentLevel().guid, "second");
  }
  void pause() {
    tap(KEY_ESCAPE);
    ASSERT_EQ(app->screen(), Screen::pause);
  }
  float bestOf(const std::string& guid) {
    app->journey.flush();
    return app->progress.bestTime(guid).value_or(-1);
  }
};
}  // namespace

TEST_F(PauseRestart, RGoesBackToTheCheckpointInTheSameRunWithoutADeath) {
  startRun();
  update(60);
  moveShip(100, 300);
  update(60);
  pause();
  const float playTime = game().playTime;
  tap('r');
  EXPECT_EQ(app->screen(), Screen::game) << "the run goes on";
  EXPECT_FALSE(game().paused);
  EXPECT_NEAR(game().pos.x, 240, 0.5f);
  EXPECT_NEAR(game().pos.y, 200, 0.5f);
  EXPECT_EQ(game().angle, 90) << "facing as the checkpoint says";
  EXPECT_GE(game().playTime, playTime) << "the clock is not turned back";
  ASSERT_EQ(app->journey.splits().splits().size(), 1u);
  EXPECT_EQ(app->journey.splits().splits()[0].deaths, 0);
}

TEST_F(PauseRestart, RFromAnotherLevelBeginsAPassAtTheCheckpointAsARespawnDoes) {
  startRun();
  update(30);  // the checkpoint where the run starts
  warpToSecond();
  update(30);
  pause();
  tap('r');
  EXPECT_EQ(game().levelData->getCurrentLevel().guid, "first");
  const auto& passes = app->journey.splits().splits();
  ASSERT_EQ(passes.size(), 3u);
  EXPECT_EQ(passes[2].guid, "first");
  EXPECT_FALSE(passes[1].done) << "a pass left by going back has no time";
  EXPECT_EQ(bestOf("second"), -1);
}

TEST_F(PauseRestart, NStartsANewCampaignRunAndTheOneLeftReachesNoTableNorBest) {
  ASSERT_TRUE(app->scores.save());
  const std::string tables = scratch.read("data/high.dat");
  startRun();
  update(30);
  warpToSecond();
  ASSERT_GT(bestOf("first"), 0) << "the pass through the first level was flown whole";
  update(120);
  pause();
  tap('n');
  EXPECT_EQ(app->screen(), Screen::game);
  EXPECT_FALSE(game().paused);
  EXPECT_EQ(game().levelData->getCurrentLevel().guid, "first");
  EXPECT_LT(game().playTime, 0.1f) << "a new run's clock";
  ASSERT_EQ(app->journey.splits().splits().size(), 1u);
  EXPECT_EQ(app->journey.splits().splits()[0].guid, "first");
  EXPECT_EQ(bestOf("second"), -1) << "the pass under way is not a time for its level";
  EXPECT_EQ(scratch.read("data/high.dat"), tables);

  // The new run, flown to the finish, is the one the tables take, with its
  // own time.
  warpToSecond();
  moveShip(420, 70);
  const float runTime = game().playTime;
  for (int i = 0; i < 400 && app->playing(); ++i) update();
  ASSERT_TRUE(app->showingScores());
  ASSERT_EQ(app->scores.newTimeRow, 0);
  EXPECT_NEAR(app->scores.bestTimes[0], runTime, 0.05f);
  EXPECT_GT(bestOf("second"), 0) << "the finished run's pass is a time for its level";
}

TEST_F(PauseRestart, NInPracticeFliesTheLevelAgainAndTheRunStillEndsAtTheList) {
  tap('l');
  ASSERT_TRUE(app->choosingLevel());
  tap(KEY_DOWN);
  tap(KEY_ENTER);
  for (int i = 0; i < 60 && !app->playing(); ++i) update();
  ASSERT_EQ(app->practiceLevel, "second");
  update(60);
  moveShip(100, 300);
  pause();
  tap('n');
  EXPECT_EQ(app->screen(), Screen::game);
  EXPECT_EQ(app->practiceLevel, "second");
  EXPECT_EQ(game().levelData->getCurrentLevel().guid, "second");
  EXPECT_NEAR(game().pos.x, 240, 0.5f);
  EXPECT_NEAR(game().pos.y, 100, 0.5f);
  EXPECT_LT(game().playTime, 0.1f);
  pause();
  tap('q');
  EXPECT_TRUE(app->choosingLevel());
}

TEST_F(PauseRestart, TheRestartKeysAreTheBoundOnesAndActOnlyInThePause) {
  app->settings.keys.bind(KeyBindings::checkpoint, 'x');
  app->settings.keys.bind(KeyBindings::restart, 'y');
  startRun();
  update(60);
  moveShip(100, 300);
  tap('x');
  tap('y');
  EXPECT_NEAR(game().pos.x, 100, 0.5f) << "flying, neither key does anything";
  EXPECT_GT(game().playTime, 0.9f);
  pause();
  tap('x');
  EXPECT_NEAR(game().pos.x, 240, 0.5f);
  moveShip(100, 300);
  pause();
  tap('y');
  EXPECT_LT(game().playTime, 0.1f);
}

TEST_F(PauseRestart, DuringTheFinishThePauseOffersNoRestart) {
  startRun();
  warpToSecond();
  moveShip(420, 70);
  ASSERT_TRUE(game().finishing);
  pause();
  EXPECT_FALSE(app->pauseOffer().checkpoint);
  EXPECT_FALSE(app->pauseOffer().restart);
  tap('r');
  tap('n');
  EXPECT_EQ(app->screen(), Screen::pause);
  EXPECT_TRUE(game().finishing);
}
