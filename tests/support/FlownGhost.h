#pragma once
// A ghost of random places and headings over the play area, so that most
// numbers take their longest written form (3 digits, a decimal, a sign):
// the largest file a pass of that many frames makes.

#include <random>

#include "progress/Ghost.h"

inline Ghost flownGhost(size_t frames, unsigned seed = 7) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<float> x(0, 480), y(0, 320), heading(-180, 180);
  Ghost ghost;
  for (size_t i = 0; i < frames; ++i) {
    const float fx = x(random), fy = y(random);
    ghost.record(ofxVec2f(fx, fy), heading(random));
  }
  return ghost;
}
