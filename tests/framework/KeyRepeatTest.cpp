// A key held down in the real GL window, pressed through the X server (as a
// keyboard does, so that the server repeats it): the window runner asks for
// repeats as presses alone, so a repeat can be told from a new press.

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <thread>

#include "support/GlTestWindow.h"

// Last: Xlib's macros (None, Bool) would clash with gtest's names.
#include <GL/glx.h>
#include <X11/Xlib.h>

namespace {
int presses = 0;
int releases = 0;

// Handles the window's events until done() or three seconds have passed.
void handleEventsUntil(const std::function<bool()>& done) {
  for (int waited = 0; waited < 3000 && !done(); waited += 5) {
    glutMainLoopEvent();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}
}  // namespace

TEST(KeyRepeat, AHeldKeyRepeatsAsPressesWithoutReleases) {
  GlTestWindow::ensure();
  Display* display = glXGetCurrentDisplay();
  ASSERT_NE(display, nullptr);
  XSetInputFocus(display, glXGetCurrentDrawable(), RevertToParent, CurrentTime);
  XSync(display, False);
  presses = releases = 0;
  glutKeyboardFunc([](unsigned char, int, int) { ++presses; });
  glutKeyboardUpFunc([](unsigned char, int, int) { ++releases; });

  ASSERT_EQ(std::system("xdotool keydown f"), 0);
  handleEventsUntil([] { return presses >= 3; });
  const int releasesWhileHeld = releases;
  ASSERT_EQ(std::system("xdotool keyup f"), 0);
  handleEventsUntil([] { return releases >= 1; });
  glutKeyboardFunc(nullptr);
  glutKeyboardUpFunc(nullptr);

  EXPECT_GE(presses, 3) << "the server repeated the key";
  EXPECT_EQ(releasesWhileHeld, 0);
  EXPECT_EQ(releases, 1);
}
