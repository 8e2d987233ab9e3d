#pragma once
// The window runner's frame bookkeeping (limiter, smoothed frame rate, frame
// counter) and its routing of window events to the application, kept apart
// from GLUT so that both can be driven without a window.

#include <cstdint>

#include "framework/ofWindowScale.h"

class ofBaseApp;

struct ofFrameLoop {
  int frameNum = 0;
  bool limitFrameRate = false;
  int millisPerFrame = 0;
  // When the frame being made is due on screen, in microseconds since the
  // time origin.
  int64_t nextFrameMicros = 0;
  // How long before it is due a frame is started: enough for update and
  // draw, so that the moment it is shown does not move with their length.
  int leadMicros = 4000;
  float previousFrameTime = 0;
  float frameTime = 0;
  float frameRate = 60;
  double lastFrameTime = 0;

  // 0 turns limiting off; otherwise the period is whole milliseconds,
  // truncated (60 gives 16).
  void setFrameRate(float framesPerSecond);
  // Before update: sleeps until the lead before the next frame is due
  // (never on the first frame). Frames are due one period apart on a fixed
  // grid, to the microsecond: a frame that took long is followed by a
  // shorter sleep, so the period holds on average and jitter does not add
  // up; a frame later than a whole period starts the grid afresh.
  void waitForNextFrame();
  // After draw, before the buffer swap: sleeps until the frame is due.
  void waitToShow();
  // Advances the frame counter and the smoothed rate after a buffer swap.
  void frameDisplayed(float nowSeconds);
};

// Turns window events into application calls: key codes, mouse gating until
// the first frame is shown, the button a drag reports, and mouse positions
// from window pixels to screen pixels (through view, when there is one), so
// that the application sees the same positions at every scale.
class ofEventRouter {
 public:
  ofEventRouter(ofBaseApp*& app, const ofFrameLoop& loop, const ofWindowScale* view = nullptr)
      : app(app), loop(loop), view(view) {}

  void keyboard(unsigned char key, bool down);
  // GLUT special key code; arrives as code + 256. The modifier keys alone
  // (Shift, Ctrl, Alt) are dropped: the game sees only the codes they change.
  void special(int glutKey, bool down);
  void mouseButton(int button, bool down, int x, int y);
  void mouseMotion(int x, int y);         // a button is held
  void mousePassiveMotion(int x, int y);  // no button held
  void windowFocusLost();

 private:
  bool acceptsMouse() const { return app && loop.frameNum != 0; }
  // Sets the application's mouse position from a window position.
  void place(int& x, int& y);

  ofBaseApp*& app;
  const ofFrameLoop& loop;
  const ofWindowScale* view;
  int lastButton = 0;
};
