#pragma once
// How the screen the application draws on (530 by 370 screen pixels for the
// game) is shown in the window: N times larger in a window of N times its
// size, or, full screen, as large as fits, centred between black borders.
// Window pixels and screen pixels meet here alone, apart from GLUT, so that
// tests can drive it. The window runner owns the one in use.

// The largest whole-number scale a window takes.
constexpr int ofMaxWindowScale = 4;

// The scale of a window showing a screen of width by height screen pixels
// on a display of displayWidth by displayHeight pixels: the one asked
// (within 1..ofMaxWindowScale) when the window fits in nine tenths of the
// display each way (the rest is left to the window's frame and the
// desktop's panels), else the largest that does, 1 at least. A display of
// unknown size (0) takes the one asked.
struct ofScaleFit {
  int scale = 1;
  bool reduced = false;  // lower than the one asked, which did not fit
};
ofScaleFit ofFitWindowScale(int asked, int width, int height, int displayWidth,
                            int displayHeight);

struct ofWindowScale {
  // The screen the application draws, in screen pixels: the size it asked
  // the window for.
  int screenWidth = 0, screenHeight = 0;
  // Window pixels per screen pixel in a window, 1 to ofMaxWindowScale.
  int scale = 1;
  bool fullscreen = false;
  // The window as it is now, in window pixels.
  int windowWidth = 0, windowHeight = 0;

  // The part of the window the screen is shown in, in window pixels from
  // the window's top-left corner.
  struct Area {
    int x = 0, y = 0, width = 0, height = 0;
  };

  // Keeps n within 1..ofMaxWindowScale.
  void setScale(int n);
  // The window size, in window pixels, that shows the screen at the scale.
  int wantedWidth() const { return screenWidth * scale; }
  int wantedHeight() const { return screenHeight * scale; }

  // The window's size in screen pixels, as ofGetWidth and ofGetHeight tell
  // the application. Full screen it is the screen's. In a window it is the
  // window's size over the scale, rounded away from the screen's size, so
  // that a window one pixel off its size reads as off and is sprung back.
  int reportedWidth() const;
  int reportedHeight() const;
  // Where the screen is drawn: the whole window in a window; full screen,
  // the largest area of the screen's shape that fits, centred (the factor
  // need not be whole).
  Area area() const;
  // Window pixels per screen pixel across: how much wider lines are drawn.
  float factor() const;
  // A window position (of the mouse) in screen pixels; positions outside
  // the area map outside the screen.
  int toScreenX(int windowX) const;
  int toScreenY(int windowY) const;
};
