#include "framework/ofFrameLoop.h"

#include "framework/ofBaseApp.h"
#include "framework/ofClock.h"
#include "framework/ofLog.h"

void ofFrameLoop::setFrameRate(float framesPerSecond) {
  if (framesPerSecond == 0) {
    limitFrameRate = false;
    return;
  }
  limitFrameRate = true;
  millisPerFrame = static_cast<int>(1000 * (1.0f / framesPerSecond));
  frameRate = framesPerSecond;
}

void ofFrameLoop::waitForNextFrame() {
  const int64_t now = ofGetElapsedTimeMicros();
  const int64_t period = int64_t{millisPerFrame} * 1000;
  if (frameNum == 0 || !limitFrameRate) {
    nextFrameMicros = now;
  } else if (now > nextFrameMicros + 2 * period) {
    // The next frame would be more than a whole period late.
    nextFrameMicros = now + leadMicros;
  } else {
    nextFrameMicros += period;
    ofSleepUntilMicros(nextFrameMicros - leadMicros);
  }
}

void ofFrameLoop::waitToShow() {
  if (frameNum == 0 || !limitFrameRate) return;
  ofSleepUntilMicros(nextFrameMicros);
}

void ofFrameLoop::frameDisplayed(float nowSeconds) {
  frameTime = nowSeconds;
  const double dt = static_cast<double>(frameTime) - previousFrameTime;
  if (dt > 0.00001) {
    frameRate = frameRate * 0.9f + static_cast<float>(1 / dt) * 0.1f;
  }
  lastFrameTime = dt;
  previousFrameTime = frameTime;
  frameNum += 1;
}

void ofEventRouter::keyboard(unsigned char key, bool down) {
  if (!app) return;
  if (down) {
    app->keyPressed(key);
  } else {
    app->keyReleased(key);
  }
}

void ofEventRouter::special(int glutKey, bool down) {
  const bool modifierAlone = glutKey >= 112 && glutKey <= 117;
  if (!app || modifierAlone) return;
  if (down) {
    app->keyPressed(glutKey | 256);
  } else {
    app->keyReleased(glutKey | 256);
  }
}

void ofEventRouter::place(int& x, int& y) {
  if (view) {
    x = view->toScreenX(x);
    y = view->toScreenY(y);
  }
  app->mouseX = x;
  app->mouseY = y;
}

void ofEventRouter::mouseButton(int button, bool down, int x, int y) {
  if (!acceptsMouse()) return;
  place(x, y);
  if (down) {
    app->mousePressed(x, y, button);
  } else {
    app->mouseReleased(x, y, button);
    app->mouseReleased();
  }
  lastButton = button;
}

void ofEventRouter::mouseMotion(int x, int y) {
  if (!acceptsMouse()) return;
  place(x, y);
  app->mouseDragged(x, y, lastButton);
}

void ofEventRouter::mousePassiveMotion(int x, int y) {
  if (!acceptsMouse()) return;
  place(x, y);
  app->mouseMoved(x, y);
}

void ofEventRouter::windowFocusLost() {
  ofLog(OF_NOTICE, "the window lost the keyboard");
  if (app) app->windowFocusLost();
}
