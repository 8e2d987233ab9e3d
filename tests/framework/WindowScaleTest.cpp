// The screen shown larger: the size the game is told, the area it is drawn
// in, and mouse positions brought back to screen pixels through the router.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "framework/ofBaseApp.h"
#include "framework/ofFrameLoop.h"
#include "framework/ofWindowScale.h"

namespace {
ofWindowScale windowAt(int scale, int width, int height, bool fullscreen = false) {
  ofWindowScale view;
  view.screenWidth = 530;
  view.screenHeight = 370;
  view.setScale(scale);
  view.windowWidth = width;
  view.windowHeight = height;
  view.fullscreen = fullscreen;
  return view;
}

struct MouseApp : ofBaseApp {
  std::string last;
  void mouseMoved(int x, int y) override { last = "moved " + at(x, y); }
  void mouseDragged(int x, int y, int) override { last = "dragged " + at(x, y); }
  void mousePressed(int x, int y, int) override { last = "pressed " + at(x, y); }
  static std::string at(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }
};
}  // namespace

TEST(WindowScale, TheScaleStaysWithinOneToFour) {
  const int asked[] = {-3, 0, 1, 2, 3, 4, 5, 100};
  const int kept[] = {1, 1, 1, 2, 3, 4, 4, 4};
  for (size_t i = 0; i < sizeof(asked) / sizeof(asked[0]); ++i) {
    ofWindowScale view;
    view.setScale(asked[i]);
    EXPECT_EQ(view.scale, kept[i]) << asked[i];
  }
}

TEST(WindowScale, AScaleTooLargeForTheDisplayDropsToTheLargestThatFitsInNineTenthsOfIt) {
  struct Case {
    int asked, displayWidth, displayHeight;
    int scale;
    bool reduced;
  };
  const Case cases[] = {
      {4, 1920, 1080, 2, true},   // 1480 and 1110 rows are more than 972
      {3, 1920, 1080, 2, true},
      {2, 1920, 1080, 2, false},  // 1060 by 740
      {1, 1920, 1080, 1, false},
      {4, 3840, 2160, 4, false},  // 2120 by 1480
      {4, 2560, 1440, 3, true},   // 1590 by 1110 within 2304 by 1296
      {3, 1280, 1024, 2, true},
      {2, 1024, 768, 1, true},    // 1060 columns are more than the display's
      {2, 1177, 823, 1, true},    // a pixel too narrow for 1060 in nine tenths
      {2, 1178, 822, 1, true},    // a pixel too low for 740
      {2, 1178, 823, 2, false},   // just wide and high enough
      {1, 640, 400, 1, false},    // nothing smaller to take
      {3, 0, 0, 3, false},        // a display of unknown size
      {9, 3840, 2160, 4, false},  // within 1..4 first
  };
  for (const Case& c : cases) {
    const ofScaleFit fit = ofFitWindowScale(c.asked, 530, 370, c.displayWidth, c.displayHeight);
    const std::string label = std::to_string(c.asked) + " on " + std::to_string(c.displayWidth) +
                              "x" + std::to_string(c.displayHeight);
    EXPECT_EQ(fit.scale, c.scale) << label;
    EXPECT_EQ(fit.reduced, c.reduced) << label;
  }
}

TEST(WindowScale, TheGameIsToldItsOwnSizeOnlyWhileTheWindowHoldsItsScaledSize) {
  for (int scale = 1; scale <= ofMaxWindowScale; ++scale) {
    const ofWindowScale exact = windowAt(scale, 530 * scale, 370 * scale);
    EXPECT_EQ(exact.reportedWidth(), 530) << scale;
    EXPECT_EQ(exact.reportedHeight(), 370) << scale;
    EXPECT_FLOAT_EQ(exact.factor(), static_cast<float>(scale));
    // Resized by a single pixel either way: the game must see it to spring
    // the window back.
    for (int off : {-1, 1}) {
      const ofWindowScale resized = windowAt(scale, 530 * scale + off, 370 * scale + off);
      EXPECT_NE(resized.reportedWidth(), 530) << scale << " " << off;
      EXPECT_NE(resized.reportedHeight(), 370) << scale << " " << off;
    }
    // Full screen, the game keeps its size whatever the display's.
    const ofWindowScale full = windowAt(scale, 1024, 768, true);
    EXPECT_EQ(full.reportedWidth(), 530) << scale;
    EXPECT_EQ(full.reportedHeight(), 370) << scale;
  }
  // At scale 1 a resized window is told its size in pixels, as it always was.
  EXPECT_EQ(windowAt(1, 700, 500).reportedWidth(), 700);
  EXPECT_EQ(windowAt(1, 700, 500).reportedHeight(), 500);
}

TEST(WindowScale, FullScreenShowsTheScreenAsLargeAsFitsCentredInTheDisplay) {
  struct Case {
    int width, height;
    ofWindowScale::Area area;
  };
  const Case cases[] = {
      {1024, 768, {0, 26, 1024, 715}},     // as wide as the display
      {1920, 1080, {186, 0, 1547, 1080}},  // as tall as the display
      {1060, 740, {0, 0, 1060, 740}},      // exactly twice: no border
      {800, 1280, {0, 361, 800, 558}},     // a display on its side
  };
  for (const Case& c : cases) {
    const ofWindowScale view = windowAt(2, c.width, c.height, true);
    const ofWindowScale::Area a = view.area();
    const std::string label = std::to_string(c.width) + "x" + std::to_string(c.height);
    EXPECT_EQ(a.x, c.area.x) << label;
    EXPECT_EQ(a.y, c.area.y) << label;
    EXPECT_EQ(a.width, c.area.width) << label;
    EXPECT_EQ(a.height, c.area.height) << label;
    // The borders either side differ by a pixel at most.
    EXPECT_LE(std::abs((c.width - a.x - a.width) - a.x), 1) << label;
    EXPECT_LE(std::abs((c.height - a.y - a.height) - a.y), 1) << label;
    // The mouse at the area's corners is at the screen's corners, and off
    // the area it is off the screen.
    EXPECT_EQ(view.toScreenX(a.x), 0) << label;
    EXPECT_EQ(view.toScreenY(a.y), 0) << label;
    EXPECT_EQ(view.toScreenX(a.x + a.width - 1), 529) << label;
    EXPECT_EQ(view.toScreenY(a.y + a.height - 1), 369) << label;
    if (a.x > 0) {
      EXPECT_LT(view.toScreenX(a.x - 1), 0) << label;
    }
    if (a.y > 0) {
      EXPECT_LT(view.toScreenY(a.y - 1), 0) << label;
    }
  }
  // In a window the screen covers the whole window.
  const ofWindowScale::Area windowed = windowAt(3, 1590, 1110).area();
  EXPECT_EQ(windowed.x, 0);
  EXPECT_EQ(windowed.y, 0);
  EXPECT_EQ(windowed.width, 1590);
  EXPECT_EQ(windowed.height, 1110);
}

TEST(WindowScale, TheRouterGivesTheGameMousePositionsInScreenPixelsAtEveryScale) {
  // Window pixels of each screen pixel: the first and the last of its block.
  struct Case {
    int windowX, windowY;
    int screenX, screenY;  // at scale 1 the window pixel itself
  };
  for (int scale = 1; scale <= ofMaxWindowScale; ++scale) {
    const int n = scale;
    const Case cases[] = {
        {0, 0, 0, 0},
        {n - 1, n - 1, 0, 0},
        {n, 2 * n, 1, 2},
        {100 * n + n - 1, 50 * n, 100, 50},
        {530 * n - 1, 370 * n - 1, 529, 369},
        {-1, -n - 1, -1, -2},  // a drag that leaves the window stays outside
    };
    ofWindowScale view = windowAt(scale, 530 * scale, 370 * scale);
    MouseApp app;
    ofBaseApp* appPtr = &app;
    ofFrameLoop loop;
    loop.frameNum = 1;
    ofEventRouter router(appPtr, loop, &view);
    for (const Case& c : cases) {
      const std::string label = "scale " + std::to_string(scale) + " at " +
                                MouseApp::at(c.windowX, c.windowY);
      const std::string at = MouseApp::at(c.screenX, c.screenY);
      router.mousePassiveMotion(c.windowX, c.windowY);
      EXPECT_EQ(app.last, "moved " + at) << label;
      router.mouseButton(0, true, c.windowX, c.windowY);
      EXPECT_EQ(app.last, "pressed " + at) << label;
      router.mouseMotion(c.windowX, c.windowY);
      EXPECT_EQ(app.last, "dragged " + at) << label;
      EXPECT_EQ(MouseApp::at(app.mouseX, app.mouseY), at) << label;
    }
  }
}
