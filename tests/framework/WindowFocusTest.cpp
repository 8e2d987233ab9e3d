// Telling when the window loses the keyboard: the watch on windows of the
// test's own, and the window runner in the real binary as a player switching
// windows meets it.

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "framework/ofWindowFocus.h"
#include "support/PlayerHarness.h"

// Last: Xlib's macros (None, Bool) would clash with gtest's names.
#include <X11/Xlib.h>

namespace {
// Losses counted until at least `expected` have arrived (or two seconds
// passed), and one poll more: a loss that should not have been counted
// arrives before the expected ones do.
int lossesOnceArrived(ofWindowFocusWatch& watch, int expected) {
  int losses = 0;
  for (int waited = 0; waited < 2000 && losses < expected; waited += 5) {
    losses += watch.lossesSinceLastPoll();
    if (losses < expected) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return losses + watch.lossesSinceLastPoll();
}

int occurrences(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

bool waitForOutput(GameProcess& game, const std::string& what, int count) {
  for (int waited = 0; waited < 5000; waited += 50) {
    if (occurrences(game.output(), what) >= count) return true;
    GameProcess::pause(50);
  }
  return false;
}
}  // namespace

TEST(WindowFocusWatch, CountsTheKeyboardGoingToAnotherWindowNotToOneInside) {
  Display* d = XOpenDisplay(nullptr);
  if (!d) GTEST_SKIP() << "no X server";
  const Window root = DefaultRootWindow(d);
  const Window watched = XCreateSimpleWindow(d, root, 0, 0, 60, 60, 0, 0, 0);
  const Window inside = XCreateSimpleWindow(d, watched, 10, 10, 20, 20, 0, 0, 0);
  const Window other = XCreateSimpleWindow(d, root, 100, 0, 60, 60, 0, 0, 0);
  XMapSubwindows(d, watched);
  XMapWindow(d, watched);
  XMapWindow(d, other);
  XSync(d, False);
  ofWindowFocusWatch watch;
  ASSERT_TRUE(watch.open(DisplayString(d), watched));
  const auto focus = [&](Window w) {
    XSetInputFocus(d, w, RevertToParent, CurrentTime);
    XSync(d, False);
  };

  // Into a window inside and on to another: the keyboard left once.
  focus(watched);
  focus(inside);
  focus(other);
  EXPECT_EQ(lossesOnceArrived(watch, 1), 1);
  // Straight to another window.
  focus(watched);
  focus(other);
  EXPECT_EQ(lossesOnceArrived(watch, 1), 1);

  watch.close();
  XDestroyWindow(d, watched);
  XDestroyWindow(d, other);
  XCloseDisplay(d);
}

TEST(WindowFocusWatch, AWindowThatIsGoneIsNotWatched) {
  Display* d = XOpenDisplay(nullptr);
  if (!d) GTEST_SKIP() << "no X server";
  const Window gone = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 10, 10, 0, 0, 0);
  XDestroyWindow(d, gone);
  XSync(d, False);
  ofWindowFocusWatch watch;
  EXPECT_FALSE(watch.open(DisplayString(d), gone));
  EXPECT_EQ(watch.lossesSinceLastPoll(), 0);
  XCloseDisplay(d);
}

TEST(WindowFocus, TheRunnerTellsTheApplicationOnceEachTimeAnotherWindowTakesTheKeyboard) {
  GameProcess game("", {"--test-pattern", "--verbose"});
  ASSERT_TRUE(game.waitForWindow());
  const std::string lost = "the window lost the keyboard";
  game.focusGame();
  game.focusOtherWindow();
  ASSERT_TRUE(waitForOutput(game, lost, 1)) << game.output();
  game.focusGame();
  game.focusOtherWindow();
  ASSERT_TRUE(waitForOutput(game, lost, 2)) << game.output();
  game.key("Escape");
  EXPECT_EQ(game.waitForExit(), 0);
  EXPECT_EQ(occurrences(game.output(), lost), 2) << game.output();
}
