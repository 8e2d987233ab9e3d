// One screen at a time: keys that arrive together, or in the frame a run
// ends, move the application to exactly one screen.

#include <gtest/gtest.h>

#include <filesystem>

#include "framework/ofClock.h"
#include "support/AppFixture.h"
#include "support/GlTestWindow.h"

namespace {
struct ScreenState : AppFixture {
  void prepareData() override { scratch.write("data/data.xml", readFixture("finish/data.xml")); }
  // Flies the run (it begins in the finish zone) up to the frame it ends in.
  void flyToTheLastFrame() {
    startRun();
    const Game& game = app->game;
    for (int i = 0; i < 400; ++i) {
      if (game.finishing && ofGetElapsedTimeMillis() + 16 - game.finishStart > 5500) return;
      update();
    }
    FAIL() << "the run did not come to its end";
  }
};
}  // namespace

TEST_F(ScreenState, APauseKeyInTheFrameTheRunEndsPausesNothing) {
  for (int key : {KEY_ESCAPE, KEY_SPACE}) {
    flyToTheLastFrame();
    press(key);
    update();
    release(key);
    ASSERT_TRUE(app->showingScores()) << key;
    EXPECT_FALSE(app->game.paused) << key;
    update();
    tap(KEY_ESCAPE);
    ASSERT_EQ(app->screen(), Screen::title) << key;
    startRun();
    EXPECT_FALSE(app->game.paused) << "the next run starts paused: " << key;
    EXPECT_EQ(app->screen(), Screen::game) << key;
    tap(KEY_ESCAPE);
    tap('q');
  }
}

TEST_F(ScreenState, TwoTitleKeysInOneFrameOpenOneScreen) {
  struct Case {
    int first, second;
    Screen shown;
  };
  const Case cases[] = {
      {'s', 'k', Screen::scores},
      {'e', 'l', Screen::editing},
      {'l', 'k', Screen::levelList},
      {'k', 's', Screen::scores},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(app->screen(), Screen::title);
    press(c.first);
    press(c.second);
    update();
    release(c.first);
    release(c.second);
    update();
    EXPECT_EQ(app->screen(), c.shown) << char(c.first) << char(c.second);
    // Leaving that one screen shows the title, not a second one underneath.
    tap(KEY_ESCAPE);
    EXPECT_EQ(app->screen(), Screen::title) << char(c.first) << char(c.second);
  }
}

TEST_F(ScreenState, AQuickEnterOnTheScoreScreenWritesTheTables) {
  flyToTheLastFrame();
  update();
  ASSERT_TRUE(app->showingScores());
  type("ab");
  std::filesystem::remove(scratch.path() + "/data/high.dat");
  // Down and up between two frames, as a fast finger or a stalled frame has it.
  press(KEY_ENTER);
  clock.advance(60);
  release(KEY_ENTER);
  update();
  EXPECT_EQ(scratch.read("data/high.dat").substr(0, 3), "AB ");
}

namespace {
struct UnknownLevelOnStart : ScreenState {
  bool withGlWindow() const override { return true; }
  void prepareData() override {
    ScreenState::prepareData();
    std::filesystem::create_directory_symlink(std::string(ORVANE_SOURCE_DIR) + "/data/fonts",
                                              "data/fonts");
    scratch.write("data/font.xml", readFixture("play/font.xml"));
  }
  void SetUp() override {}
};

int reddish(int x, int y, int w, int h) {
  int n = 0;
  for (int j = y; j < y + h; ++j) {
    for (int i = x; i < x + w; ++i) {
      const Rgb p = GlTestWindow::pixel(i, j);
      n += p.r > 120 && p.g < p.r / 2 + 10 && p.b < p.r / 2 + 10 ? 1 : 0;
    }
  }
  return n;
}
}  // namespace

TEST_F(UnknownLevelOnStart, ThePlayerIsToldInTheWindow) {
  ofSetClock(&clock);
  GlTestWindow::ensure();
  prepareData();
  testing::internal::CaptureStdout();
  app = std::make_unique<testApp>();
  app->levelOnStart = "no-such-level";
  app->setup();
  setupLog = testing::internal::GetCapturedStdout();
  EXPECT_EQ(app->screen(), Screen::title);
  EXPECT_NE(setupLog.find("no-such-level"), std::string::npos) << setupLog;
  GlTestWindow::beginFrame();
  app->draw();
  EXPECT_GT(reddish(0, 340, 530, 30), 30) << "the reason under the menu";
  clock.advance(10000);
  GlTestWindow::beginFrame();
  app->draw();
  EXPECT_EQ(reddish(0, 340, 530, 30), 0) << "and it goes after a while";
}

TEST_F(ScreenState, CapsLockDoesNotChangeWhatTheTitlesLettersDo) {
  const struct {
    int key;
    Screen shown;
  } cases[] = {{'S', Screen::scores}, {'K', Screen::keys}, {'L', Screen::levelList}};
  for (const auto& c : cases) {
    tap(c.key);
    EXPECT_EQ(app->screen(), c.shown) << char(c.key);
    tap(KEY_ESCAPE);
  }
  const bool ghosts = app->settings.ghosts;
  tap('H');
  EXPECT_NE(app->settings.ghosts, ghosts);
}
