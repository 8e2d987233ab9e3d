#pragma once
// The one window of the program, on freeglut: opens it, runs the GLUT main
// loop with the frame limiter, and forwards GLUT's callbacks to the
// application, with one GLUT lacks: the window losing the keyboard. GLUT
// calls back without an object, so the runner state is process-wide;
// create at most one of these.

#include <cstdio>

#include "framework/ofAppBaseWindow.h"
#include "framework/ofFrameLoop.h"
#include "framework/ofWindowScale.h"

class ofAppGlutWindow : public ofAppBaseWindow {
 public:
  void setupOpenGL(int width, int height, int mode) override;
  void initializeWindow() override;
  void runMainLoop(ofBaseApp* app) override;
  void hideCursor() override;
  void showCursor() override;
  void setWindowPosition(int x, int y) override;
  void setWindowShape(int width, int height) override;
  int getFrameNum() override;
  float getFrameRate() override;
  double getLastFrameTime() override;
  ofPoint getWindowPosition() override;
  ofPoint getWindowSize() override;
  ofPoint getScreenSize() override;
  void setFrameRate(float framesPerSecond) override;
  void setWindowTitle(const std::string& title) override;
  int getWindowMode() override;
  void setFullscreen(bool on) override;
  void toggleFullscreen() override;
  void enableSetupScreen() override;
  void disableSetupScreen() override;

  // Shows the screen n times larger in a window of n times its size (n is
  // kept within 1..ofMaxWindowScale): lines n times wider, the mouse mapped
  // back to screen pixels, and ofGetWidth, ofGetHeight and setWindowShape
  // still in screen pixels. Set before setupOpenGL, it is the size the
  // window opens at; afterwards the window is resized. A window too large
  // for the display takes the largest scale that fits (ofFitWindowScale).
  static void setScale(int n);
  // The scale the window takes and whether it is lower than the one asked,
  // once the display's size is known (from setupOpenGL on).
  static ofScaleFit scaleFit();

  // Appends one line per displayed frame to file: frame number, wall-clock
  // milliseconds and process CPU milliseconds since start (for benchmarks).
  static void setFrameLog(std::FILE* file);
  // The runner's frame bookkeeping, for tests.
  static ofFrameLoop& frameLoop();
};
