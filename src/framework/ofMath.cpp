#include "framework/ofMath.h"

#include <climits>


#include "framework/ofClock.h"

namespace {
// The generator's range is fixed at 0..32767 so that sequences do not depend
// on the C library's RAND_MAX.
unsigned long state = 1;

int nextRandom() {
  state = state * 1103515245UL + 12345UL;
  return static_cast<int>((state / 65536UL) % 32768UL);
}
}  // namespace

float ofRandom(float a, float b) {
  if (a == b) return a;
  const double lo = a < b ? a : b;
  const double hi = a < b ? b : a;
  return static_cast<float>(lo + nextRandom() * (hi - lo) / 32768.0);
}

void ofSeedRandom() { ofSeedRandom(ofGetSystemTicks()); }

void ofSeedRandom(unsigned seed) { state = seed; }

float ofClamp(float v, float lo, float hi) {
  if (v < lo) return lo;
  if (v > hi) return hi;
  return v;
}

int ofTruncateToInt(float v) {
  if (!(v == v)) return 0;
  if (v >= 2147483648.0f) return INT_MAX;
  if (v <= -2147483648.0f) return INT_MIN;
  return static_cast<int>(v);
}

float ofDegToRad(float degrees) {
  return static_cast<float>(degrees * 0.017453292519943295);
}
