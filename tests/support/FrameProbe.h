#pragma once
// Reading a frame drawn in the GL test window as a player would: colours
// told apart by hue, and strings found where they are drawn.

#include <string>
#include <vector>

#include "support/GlTestWindow.h"

class ofTrueTypeFont;

// Text is anti-aliased and blended over black, which scales a colour but
// keeps the ratios of its components: pixels are told apart by hue.
struct Hue {
  Rgb color;
  bool matches(const Rgb& p) const;
};
// Pixels of the window's back buffer in the rectangle that match hue.
int pixelsOf(const Hue& hue, int x, int y, int w, int h);

// A frame read back from the test window, top row first.
struct Frame {
  std::vector<Rgb> pixels;
  Rgb at(int x, int y) const { return pixels[static_cast<size_t>(y) * 530 + x]; }
  // Pixels in the rectangle that match hue.
  int count(const Hue& hue, int x, int y, int w, int h) const;
  // Reads what the window holds now (flushing what was drawn).
  static Frame capture();
};

// Where drawString would have been called: the pen on the baseline.
struct TextSpot {
  int x = 0, y = 0;
};

// Every place in frame where text shows in color: the string is drawn alone
// in the same font and colour, and its glyphs are looked for in the frame.
// Text drawn on whole pixels looks the same wherever it is drawn, over black
// or over a dark panel. Drawing the string clears the window: capture the
// frame first.
std::vector<TextSpot> findText(const Frame& frame, ofTrueTypeFont& font, const std::string& text,
                               const Rgb& color);
