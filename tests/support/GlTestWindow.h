#pragma once
// One real GL window per test process (under Xvfb when there is no display),
// for tests that draw and read the pixels back.

#include <cstdint>
#include <ostream>
#include <vector>

struct Rgb {
  int r = 0, g = 0, b = 0;
  bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
  bool operator!=(const Rgb& o) const { return !(*this == o); }
};

inline std::ostream& operator<<(std::ostream& out, const Rgb& c) {
  return out << "rgb(" << c.r << ", " << c.g << ", " << c.b << ")";
}

namespace GlTestWindow {
// Opens the 530 by 370 window on first use and makes it the current window.
void ensure();
// Clears to black and sets up the pixel coordinate system, as a frame does.
void beginFrame();
// The colour of the pixel at (x, y), top-left origin, from the back buffer.
Rgb pixel(int x, int y);
// Counts pixels in the rectangle that differ from black.
int litPixels(int x, int y, int w, int h);
// The whole 530 by 370 window as RGB bytes, bottom row first, for comparing
// two pictures component by component.
std::vector<unsigned char> windowRgb();
}  // namespace GlTestWindow
