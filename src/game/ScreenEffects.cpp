// Flashes, colour cycles (lightning, a siren) and the shaking of the scene.

#include "framework/ofClock.h"
#include "framework/ofMath.h"
#include "game/Game.h"

void Game::startFlash(const ofColor& color, float rate, bool enable) {
  if (!enable) return;
  flashDone = false;
  flashAlpha = 255;
  flashColor = color;
  flashRate = rate;
  flashLast = static_cast<float>(ofGetElapsedTimeMillis());
}

void Game::startCycle(float minMs, float maxMs, const ofColor& color, float rate) {
  cycleOn = true;
  cycleMin = minMs;
  cycleMax = maxMs;
  cycleLast = static_cast<float>(ofGetElapsedTimeMillis());
  cycleNext = ofRandom(minMs, maxMs);
  cycleColor = color;
  cycleRate = rate;
}

void Game::endCycle() { cycleOn = false; }

void Game::updateEffects(int ms) {
  if (!flashDone) {
    // A rate of 0 would divide by zero: such a flash is over at once.
    flashAlpha = flashRate > 0 ? flashAlpha - (ms - flashLast) / flashRate : 0;
    if (flashAlpha <= 0) flashDone = true;
  }
  flashLast = static_cast<float>(ms);

  if (cycleOn && cycleNext < ms - cycleLast) {
    startFlash(cycleColor, cycleRate, true);
    cycleNext = ofRandom(cycleMin, cycleMax);
    cycleLast = static_cast<float>(ms);
  }

  if (ms - shakeStart >= shakeDuration) {
    shakeOffset = ofxVec2f(0, 0);
    shakeAngle = 0;
  } else if (ms - shakeLast > 150) {
    shakeOffset.x = ofRandom(-1, 1);
    shakeOffset.y = ofRandom(-1, 1);
    shakeAngle = ofRandom(-1, 1);
    shakeLast = ms;
  }
}
