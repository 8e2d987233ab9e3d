#pragma once
// The window interface behind the ofGet.../ofSet... window functions. The
// base versions do nothing and return zeros, which is what headless tests see.

#include <string>

#include "framework/ofTypes.h"

class ofBaseApp;

enum { OF_WINDOW = 0, OF_FULLSCREEN = 1, OF_GAME_MODE = 2 };

class ofAppBaseWindow {
 public:
  virtual ~ofAppBaseWindow() = default;
  virtual void setupOpenGL(int /*width*/, int /*height*/, int /*mode*/) {}
  virtual void initializeWindow() {}
  virtual void runMainLoop(ofBaseApp* /*app*/) {}
  virtual void hideCursor() {}
  virtual void showCursor() {}
  virtual void setWindowPosition(int /*x*/, int /*y*/) {}
  virtual void setWindowShape(int /*width*/, int /*height*/) {}
  virtual int getFrameNum() { return 0; }
  virtual float getFrameRate() { return 0; }
  virtual double getLastFrameTime() { return 0; }
  virtual ofPoint getWindowPosition() { return ofPoint(); }
  virtual ofPoint getWindowSize() { return ofPoint(); }
  virtual ofPoint getScreenSize() { return ofPoint(); }
  virtual void setFrameRate(float /*framesPerSecond*/) {}
  virtual void setWindowTitle(const std::string& /*title*/) {}
  virtual int getWindowMode() { return 0; }
  virtual void setFullscreen(bool /*on*/) {}
  virtual void toggleFullscreen() {}
  virtual void enableSetupScreen() {}
  virtual void disableSetupScreen() {}
};

// A window without a screen, for tests and tools that run the game headless:
// it reports a fixed size, a frame counter the caller advances and the
// window mode last asked for.
class ofHeadlessWindow : public ofAppBaseWindow {
 public:
  void setupOpenGL(int width, int height, int /*mode*/) override { setWindowShape(width, height); }
  void setWindowShape(int width, int height) override { size = ofPoint(width, height); }
  ofPoint getWindowSize() override { return size; }
  int getFrameNum() override { return frameNum; }
  void hideCursor() override { cursorShown = false; }
  void showCursor() override { cursorShown = true; }
  void setWindowTitle(const std::string& t) override { title = t; }
  int getWindowMode() override { return mode; }
  void setFullscreen(bool on) override { mode = on ? OF_FULLSCREEN : OF_WINDOW; }
  void toggleFullscreen() override { setFullscreen(mode != OF_FULLSCREEN); }

  ofPoint size;
  int mode = OF_WINDOW;
  int frameNum = 0;
  bool cursorShown = true;
  std::string title;
};
