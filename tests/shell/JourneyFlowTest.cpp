// The player's journey on the application's screens, driven headless update
// by update: names typed into the table, practice runs from the level list
// and from the command line, and the title's remembered switches.

#include <gtest/gtest.h>

#include <string>

#include "framework/InputState.h"
#include "framework/ofAppRunner.h"
#include "support/AppFixture.h"

namespace {
// One level, "end", whose run begins inside the finish zone and so ends
// 5.5 s after it starts.
struct JourneyFlow : AppFixture {
  void prepareData() override { scratch.write("data/data.xml", readFixture("finish/data.xml")); }

  void runToItsEnd() {
    for (int i = 0; i < 400 && app->playing(); ++i) update();
    ASSERT_FALSE(app->playing());
  }
  void playCampaignRun() {
    press(KEY_ENTER);
    update(2);
    release(KEY_ENTER);
    update(51);
    ASSERT_TRUE(app->playing());
    runToItsEnd();
    ASSERT_TRUE(app->showingScores());
  }
  void typeKeys(const std::string& keys) {
    for (char c : keys) tap(c == '<' ? static_cast<int>(KEY_BACKSPACE) : c);
  }
  // 'l' on the title, then Enter on the first row, and the fade.
  void practiseFirstListed() {
    tap('l');
    ASSERT_TRUE(app->choosingLevel());
    tap(KEY_ENTER);
    update(52);
    ASSERT_TRUE(app->playing());
    ASSERT_EQ(app->practiceLevel, "end");
  }
  std::string nameInFile(size_t row, size_t column) {
    return scratch.read("data/high.dat").substr(row * 6 + column * 3, 3);
  }
};

struct FromTheCommandLine : JourneyFlow {
  void SetUp() override {}  // each test names its level first
  void startWith(const std::string& guid) {
    ofSetClock(&clock);
    ofSetupOpenGL(&window, 530, 370, 0);
    prepareData();
    testing::internal::CaptureStdout();
    app = std::make_unique<testApp>();
    app->levelOnStart = guid;
    app->setup();
    setupLog = testing::internal::GetCapturedStdout();
  }
};
}  // namespace

TEST_F(JourneyFlow, TheNameTypedReplacesYouInTheRowsTheRunEnteredAndEnterWritesIt) {
  playCampaignRun();
  ASSERT_EQ(app->scores.newTimeRow, 0);
  EXPECT_EQ(nameInFile(0, 0), "YOU");  // written when the run ended, as before
  typeKeys("ab<cde");
  EXPECT_EQ(app->scores.timeNames[0], "ACD");
  EXPECT_EQ(nameInFile(0, 0), "YOU") << "typing alone writes nothing";
  tap(KEY_ENTER);
  EXPECT_EQ(nameInFile(0, 0), "ACD");
  EXPECT_EQ(app->scores.newFuelRow < 0 ? "ACD" : nameInFile(app->scores.newFuelRow, 1), "ACD");
}

TEST_F(JourneyFlow, ANameTypedIsKeptWhenEscapeLeavesAndTheTitlesScoresTakeNoName) {
  playCampaignRun();
  typeKeys("zz");
  tap(27);
  ASSERT_FALSE(app->showingScores());
  EXPECT_EQ(nameInFile(0, 0), "ZZ ");

  const std::string before = scratch.read("data/high.dat");
  tap('s');
  ASSERT_TRUE(app->showingScores());
  typeKeys("qq");
  tap(KEY_ENTER);
  EXPECT_EQ(scratch.read("data/high.dat"), before);
}

TEST_F(JourneyFlow, APracticeRunReturnsToTheListAndNeverEntersTheTables) {
  ASSERT_TRUE(app->scores.save());
  const std::string before = scratch.read("data/high.dat");
  practiseFirstListed();
  runToItsEnd();
  EXPECT_FALSE(app->showingScores());
  EXPECT_TRUE(app->choosingLevel());
  EXPECT_EQ(scratch.read("data/high.dat"), before);
  EXPECT_TRUE(app->progress.bestTime("end"));

  // q from the pause leads back to the list as well; Escape to the title.
  tap(KEY_ENTER);
  update(52);
  ASSERT_TRUE(app->playing());
  tap(' ');
  tap('q');
  EXPECT_FALSE(app->playing());
  EXPECT_TRUE(app->choosingLevel());
  tap(27);
  EXPECT_FALSE(app->choosingLevel());
  EXPECT_EQ(scratch.read("data/high.dat"), before);
}

TEST_F(JourneyFlow, GhostsAndCalmModeSwitchOnTheTitleAndAreRemembered) {
  EXPECT_TRUE(app->settings.ghosts);
  EXPECT_FALSE(app->game.calm);
  tap('h');
  tap('c');
  EXPECT_FALSE(app->settings.ghosts);
  EXPECT_TRUE(app->game.calm);

  testing::internal::CaptureStdout();  // the data this test leaves out is logged
  app = std::make_unique<testApp>();
  app->setup();
  testing::internal::GetCapturedStdout();
  EXPECT_FALSE(app->settings.ghosts);
  EXPECT_TRUE(app->game.calm);
}

TEST_F(FromTheCommandLine, ALevelNamedStartsAPracticeRunThatEndsAtTheTitle) {
  startWith("end");
  ASSERT_TRUE(app->playing());
  runToItsEnd();
  EXPECT_FALSE(app->showingScores());
  EXPECT_FALSE(app->choosingLevel());
  EXPECT_FALSE(scratch.exists("data/high.dat"));
}

TEST_F(FromTheCommandLine, AnUnknownLevelIsSaidAndTheTitleShows) {
  startWith("nowhere");
  EXPECT_FALSE(app->playing());
  EXPECT_NE(setupLog.find("\"nowhere\""), std::string::npos) << setupLog;
}
