// The title, pause, score and fade pictures, drawn in a real GL window.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>

#include "framework/ofLog.h"
#include "support/AppFixture.h"
#include "support/FileSizeLimit.h"
#include "support/FrameProbe.h"
#include "support/GlTestWindow.h"

namespace {
const Hue menuYellow{{255, 211, 0}};
const Hue heading{{0, 153, 153}};
const Hue tableValue{{255, 170, 0}};
const Hue blinking{{200, 100, 0}};
const Hue pauseText{{255, 255, 0}};
const Hue hudCyan{{20, 205, 220}};

struct Screens : AppFixture {
  bool withGlWindow() const override { return true; }
  void prepareData() override {
    std::filesystem::create_directory_symlink(std::string(ORVANE_SOURCE_DIR) + "/data/fonts",
                                              "data/fonts");
    scratch.write("data/font.xml", readFixture("play/font.xml"));
  }
  void drawFrame() {
    GlTestWindow::beginFrame();
    app->draw();
  }
};
}  // namespace

TEST_F(Screens, TitleMenuLinesStartAt290) {
  drawFrame();
  // Three lines with baselines at 240, 260 and 320 from x = 290.
  for (int baseline : {240, 260, 320}) {
    EXPECT_GT(pixelsOf(menuYellow, 290, baseline - 9, 80, 9), 10) << baseline;
    EXPECT_EQ(pixelsOf(menuYellow, 250, baseline - 9, 38, 9), 0) << baseline;
  }
}

TEST_F(Screens, ThePauseOverlayFadesInOverTenFrames) {
  app->enter(Screen::pause);
  for (int i = 1; i <= 10; ++i) {
    drawFrame();
    EXPECT_NEAR(app->pauseOverlay.fade, 0.1f * i, 1e-5) << i;
  }
  drawFrame();
  EXPECT_EQ(app->pauseOverlay.fade, 1);
  // "quit to menu:   q" starts at the window centre, under "paused" and
  // "resume:   space".
  EXPECT_GT(pixelsOf(pauseText, 265, 176, 120, 10), 10);
  EXPECT_GT(pixelsOf(pauseText, 265, 136, 50, 10), 10);
  EXPECT_GT(pixelsOf(pauseText, 265, 156, 110, 10), 10);
  app->enter(Screen::game);
  drawFrame();
  EXPECT_NEAR(app->pauseOverlay.fade, 0.9f, 1e-5);
}

namespace {
// The right-most column of pause text in the rows of a line with that
// baseline, from the window centre; -1 for no line.
int pauseLineEnd(int baseline) {
  for (int x = 529; x >= 265; --x) {
    if (pixelsOf(pauseText, x, baseline - 9, 1, 10) > 0) return x;
  }
  return -1;
}
}  // namespace

TEST_F(Screens, ThePauseOffersTheCheckpointAndARestartOnTheLinesUnderQuit) {
  struct Case {
    const char* what;
    bool checkpoint, finishing, practice;
    bool checkpointLine, restartLine;
  };
  const Case cases[] = {
      {"a campaign run past a checkpoint", true, false, false, true, true},
      {"a practice run", true, false, true, true, true},
      {"before the first checkpoint", false, false, false, false, true},
      {"during the finish", true, true, false, false, false},
  };
  int campaignEnd = -1, practiceEnd = -1;
  for (const Case& c : cases) {
    app->game.markLevel = c.checkpoint ? app->game.levelData->getCurrentLevel().guid : "";
    app->game.markPlace = ofxVec2f(100, 100);
    app->game.finishing = c.finishing;
    app->practiceLevel = c.practice ? "anywhere" : "";
    app->enter(Screen::pause);
    for (int i = 0; i < 11; ++i) drawFrame();
    // Under "quit to menu" (baseline 185): the checkpoint's line, then the
    // restart's, each 20 pixels lower; a line not offered leaves its place
    // to the next.
    const int first = pauseLineEnd(205), second = pauseLineEnd(225);
    const int lines = (c.checkpointLine ? 1 : 0) + (c.restartLine ? 1 : 0);
    EXPECT_EQ(first >= 0, lines >= 1) << c.what;
    EXPECT_EQ(second >= 0, lines == 2) << c.what;
    if (c.checkpointLine && c.restartLine && !c.practice) campaignEnd = second;
    if (c.practice) practiceEnd = second;
    app->enter(Screen::game);
    for (int i = 0; i < 11; ++i) drawFrame();
  }
  // "restart the level" is two letters longer than "restart the run".
  EXPECT_GT(practiceEnd, campaignEnd + 6);
}

namespace {
int brightness(int x, int y, int w, int h) {
  int sum = 0;
  for (int j = y; j < y + h; ++j) {
    for (int i = x; i < x + w; ++i) {
      const Rgb p = GlTestWindow::pixel(i, j);
      sum += p.r + p.g + p.b;
    }
  }
  return sum;
}
}  // namespace

TEST_F(Screens, CalmModeHoldsTheFlickerStillAndQuartersFlashes) {
  struct Look {
    std::set<int> hud, menu;
    int flash = 0;
  };
  auto look = [&](bool calm) {
    app->game.calm = calm;
    app->settings.calm = calm;
    Look seen;
    for (int i = 0; i < 5; ++i) {
      app->enter(Screen::game);
      drawFrame();
      seen.hud.insert(brightness(0, 0, 200, 14));
      app->enter(Screen::title);
      drawFrame();
      seen.menu.insert(brightness(290, 231, 120, 90));
    }
    app->enter(Screen::game);
    app->game.startFlash(ofColor(255, 255, 255), 1000, true);
    drawFrame();
    seen.flash = GlTestWindow::pixel(5, 200).r;
    app->game.flashAlpha = 0;
    return seen;
  };
  const Look lively = look(false), calm = look(true);
  EXPECT_GT(lively.hud.size(), 1u);
  EXPECT_GT(lively.menu.size(), 1u);
  EXPECT_EQ(calm.hud.size(), 1u) << "the dimming holds still";
  EXPECT_EQ(calm.menu.size(), 1u) << "the menu's brightness holds still";
  EXPECT_GE(lively.flash, 200);
  EXPECT_NEAR(calm.flash, 255 / 4 * 230 / 255, 4) << "a quarter of the flash, dimmed by 25";
}

TEST_F(Screens, ScoreScreenHeadingsAndABlinkingNewRow) {
  app->enter(Screen::scores);
  app->scores.newRecord = true;
  app->scores.newTimeRow = 2;
  app->scores.newFuelRow = -1;
  drawFrame();
  EXPECT_GT(pixelsOf(heading, 240, 31, 50, 10), 10) << "SCORE";
  EXPECT_GT(pixelsOf(heading, 110, 91, 50, 10), 10) << "TIME";
  const int row2 = 140 + 60;
  const bool firstOn = app->scoreScreen.blinkOn;
  const int litFirst = pixelsOf(blinking, 100, row2 - 10, 150, 12);
  clock.advance(301);
  drawFrame();
  EXPECT_NE(app->scoreScreen.blinkOn, firstOn);
  const int litSecond = pixelsOf(blinking, 100, row2 - 10, 150, 12);
  EXPECT_TRUE((litFirst > 0) != (litSecond > 0)) << litFirst << " " << litSecond;
  // The fuel rows never blink with newFuelRow -1.
  EXPECT_EQ(pixelsOf(blinking, 330, 130, 150, 150), 0);
  EXPECT_GT(pixelsOf(tableValue, 330, 130, 150, 150), 10);
}

// Each row reads rank, name, value; the rows a fresh table starts with read
// as empty, and showing them changes nothing in the file.
TEST_F(Screens, TheTablesNameEachRunAndShowTheDefaultRowsAsEmpty) {
  app->scores.insert(83, 60, "ABC");
  app->scores.insert(200, 55, "Q7");
  app->scores.timeNames[1] = std::string("Q\x01\xff", 3);  // as a damaged file may give it
  app->scores.clearNewMarks();
  ASSERT_TRUE(app->scores.save());
  const std::string file = scratch.read("data/high.dat");
  app->enter(Screen::scores);
  drawFrame();
  const Frame frame = Frame::capture();
  const Rgb value = tableValue.color;

  struct Case {
    const char* name;
    const char* value;
    int tableLeft, tableRight;
  };
  const Case rows[] = {{"ABC", "0:1:23", 0, 265}, {"Q??", "0:3:20", 0, 265},
                       {"ABC", "60", 265, 530}, {"Q7", "55", 265, 530}};
  for (const Case& row : rows) {
    std::vector<TextSpot> names, values;
    for (const TextSpot& at : findText(frame, app->font, row.name, value)) {
      if (at.x >= row.tableLeft && at.x < row.tableRight) names.push_back(at);
    }
    for (const TextSpot& at : findText(frame, app->font, row.value, value)) {
      if (at.x >= row.tableLeft && at.x < row.tableRight) values.push_back(at);
    }
    ASSERT_EQ(names.size(), 1u) << row.name;
    ASSERT_EQ(values.size(), 1u) << row.value;
    EXPECT_EQ(names[0].y, values[0].y) << row.name << " on the row of " << row.value;
    EXPECT_LT(names[0].x, values[0].x) << row.name << " before " << row.value;
  }
  // Three default rows in each table, each a dash for its name and its value.
  int dashes = 0;
  for (const TextSpot& at : findText(frame, app->font, "-", value)) dashes += at.y > 110 ? 1 : 0;
  EXPECT_EQ(dashes, 12);
  EXPECT_TRUE(findText(frame, app->font, "16050:0:0", value).empty());
  EXPECT_TRUE(findText(frame, app->font, "50", value).empty()) << "the default fuel row";

  app->enter(Screen::title);
  EXPECT_EQ(scratch.read("data/high.dat"), file);
}

TEST_F(Screens, LoadingShowsFromTheFirstFrameOfTheFade) {
  app->enter(Screen::loading);
  app->fade.alpha = 5;
  drawFrame();
  EXPECT_GT(pixelsOf(menuYellow, 380, 330, 100, 12), 10) << "Loading...";
  app->enter(Screen::title);
  app->fade.alpha = 0;
  drawFrame();
  EXPECT_EQ(pixelsOf(menuYellow, 380, 330, 100, 12), 0);
}

TEST_F(Screens, TheScoreScreenMarksAnAssistedRun) {
  app->enter(Screen::scores);
  for (bool assisted : {false, true}) {
    app->scoreScreen.assisted = assisted;
    drawFrame();
    // "ASSISTED RUN - NOT RECORDED" centred between "SCORE" and the tables.
    EXPECT_EQ(pixelsOf(heading, 140, 60, 250, 12) > 10, assisted) << assisted;
  }
}

TEST_F(Screens, TheGameTestWithoutALevelSaysSoAndF1GoesOnToTheLevelTool) {
  scratch.write("data/data.xml",
                "<Info count=\"1\"></Info><Models><Model guid=\"m\"><Frame></Frame></Model>"
                "</Models><Levels></Levels>");
  auto f1 = [&] {
    press(257);
    update();
    release(257);
    update();
  };
  testing::internal::CaptureStdout();
  tap('e');
  ASSERT_TRUE(app->editing());
  ASSERT_FALSE(app->editData.hasLevel());
  f1();
  f1();
  const std::string log = testing::internal::GetCapturedStdout();
  ASSERT_EQ(app->editor.mode, 0);
  drawFrame();
  EXPECT_GT(pixelsOf(menuYellow, 130, 170, 270, 40), 10) << "no level to fly";
  EXPECT_EQ(pixelsOf(hudCyan, 0, 0, 530, 16), 0) << "the run from before is not shown";
  EXPECT_NE(log.find("no level"), std::string::npos) << log;
  f1();
  EXPECT_EQ(app->editor.mode, 1);
}

namespace {
const Hue noticeRed{{255, 90, 90}};

bool saidOnTitle(const testApp& app, const std::string& words) {
  for (const std::string& line : app.title.notices()) {
    if (line.find(words) != std::string::npos) return true;
  }
  return false;
}

// A data folder with neither font.xml nor data.xml in it: what went wrong
// is said in the window, in the built-in bitmap text where there is no font.
struct ScreensWithoutData : AppFixture {
  bool withGlWindow() const override { return true; }
  void drawFrame() {
    GlTestWindow::beginFrame();
    app->draw();
  }
};
}  // namespace

TEST_F(ScreensWithoutData, WithoutAFontTheMenuIsStillReadAndTheTitleSaysWhy) {
  drawFrame();
  for (int baseline : {240, 260, 320}) {
    EXPECT_GT(pixelsOf(menuYellow, 290, baseline - 11, 120, 13), 10) << baseline;
  }
  EXPECT_TRUE(saidOnTitle(*app, "could not load data/font.xml: No such file or directory"));
  EXPECT_GT(pixelsOf(noticeRed, 0, 340, 530, 30), 20) << "the notice is drawn";
}

TEST_F(ScreensWithoutData, EnterAndLWithoutLevelsSayWhyOnTheTitle) {
  struct Case {
    const char* name;
    std::function<void()> ask;
    const char* said;
  };
  const Case cases[] = {
      {"l", [&] { tap('l'); }, "cannot list the levels: data/data.xml: No such file or directory"},
      {"Enter",
       [&] {
         press(KEY_ENTER);
         update(2);
         release(KEY_ENTER);
         update(120);  // the fade there and back
       },
       "cannot start a run: data/data.xml: No such file or directory"},
  };
  for (const Case& c : cases) {
    clock.advance(10000);  // what was said before is gone
    testing::internal::CaptureStdout();
    c.ask();
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(app->screen(), Screen::title) << c.name;
    EXPECT_TRUE(saidOnTitle(*app, c.said)) << c.name;
    drawFrame();
    EXPECT_GT(pixelsOf(noticeRed, 0, 340, 530, 30), 20) << c.name;
  }
}

TEST_F(ScreensWithoutData, AHighScoreSaveThatFailsIsSaidOnTheScoreScreen) {
  tap('s');
  ASSERT_TRUE(app->showingScores());
  drawFrame();
  EXPECT_EQ(pixelsOf(noticeRed, 0, 300, 530, 70), 0);
  const int logLevel = ofGetLogLevel();
  {
    ofSetLogLevel(OF_FATAL_ERROR);  // said in problem, as the log says it
    FileSizeLimit full(10);
    tap(KEY_ENTER);  // writes the table
  }
  ofSetLogLevel(logLevel);
  EXPECT_EQ(app->scores.problem, "could not save the high scores to data/high.dat: File too large");
  drawFrame();
  EXPECT_GT(pixelsOf(noticeRed, 0, 300, 530, 70), 20);
}
