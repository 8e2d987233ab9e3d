#include "framework/ofTypes.h"

#include <cmath>

ofxVec2f ofxVec2f::getRotated(float angle) const {
  const double t = static_cast<float>(angle * 0.017453292519943295);
  const float s = static_cast<float>(std::sin(t));
  const float c = static_cast<float>(std::cos(t));
  ofxVec2f rotated(c * x - s * y, s * x + c * y);
  return rotated;
}

float ofxVec2f::distance(const ofPoint& p) const {
  const float dx = x - p.x;
  const float dy = y - p.y;
  return std::sqrt(static_cast<float>(dx * dx + dy * dy));
}
