#include "framework/ofWindowScale.h"

#include <algorithm>
#include <cmath>

namespace {
// size / scale, rounded away from wanted: a size that is not exactly
// wanted * scale never reads as wanted.
int awayFrom(int wanted, int size, int scale) {
  if (size == wanted * scale) return wanted;
  if (size > wanted * scale) return (size + scale - 1) / scale;
  return size / scale;
}

// Window pixel p of an axis whose span of `length` window pixels, starting
// at `start`, shows `units` screen pixels.
int toScreen(int p, int start, int length, int units) {
  // A minimised window has no length; nothing to divide by.
  if (length <= 0) return p;
  return static_cast<int>(std::floor((p - start) * static_cast<double>(units) / length));
}
}  // namespace

ofScaleFit ofFitWindowScale(int asked, int width, int height, int displayWidth,
                            int displayHeight) {
  ofScaleFit fit;
  fit.scale = std::clamp(asked, 1, ofMaxWindowScale);
  if (displayWidth <= 0 || displayHeight <= 0) return fit;
  // In whole numbers: 10 * size <= 9 * display.
  auto fits = [&](int scale) {
    return 10L * width * scale <= 9L * displayWidth && 10L * height * scale <= 9L * displayHeight;
  };
  while (fit.scale > 1 && !fits(fit.scale)) {
    --fit.scale;
    fit.reduced = true;
  }
  return fit;
}

void ofWindowScale::setScale(int n) { scale = std::clamp(n, 1, ofMaxWindowScale); }

int ofWindowScale::reportedWidth() const {
  return fullscreen ? screenWidth : awayFrom(screenWidth, windowWidth, scale);
}

int ofWindowScale::reportedHeight() const {
  return fullscreen ? screenHeight : awayFrom(screenHeight, windowHeight, scale);
}

ofWindowScale::Area ofWindowScale::area() const {
  if (!fullscreen || screenWidth <= 0 || screenHeight <= 0) {
    return Area{0, 0, windowWidth, windowHeight};
  }
  const double fit = std::min(static_cast<double>(windowWidth) / screenWidth,
                              static_cast<double>(windowHeight) / screenHeight);
  Area a;
  a.width = static_cast<int>(std::lround(screenWidth * fit));
  a.height = static_cast<int>(std::lround(screenHeight * fit));
  a.x = (windowWidth - a.width) / 2;
  a.y = (windowHeight - a.height) / 2;
  return a;
}

float ofWindowScale::factor() const {
  const int units = reportedWidth();
  return units > 0 && windowWidth > 0 ? static_cast<float>(area().width) / units : 1.0f;
}

int ofWindowScale::toScreenX(int windowX) const {
  const Area a = area();
  return toScreen(windowX, a.x, a.width, reportedWidth());
}

int ofWindowScale::toScreenY(int windowY) const {
  const Area a = area();
  return toScreen(windowY, a.y, a.height, reportedHeight());
}
