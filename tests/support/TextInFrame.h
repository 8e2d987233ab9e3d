#pragma once
// Finds a string in a frame drawn in the GL test window, as a player would
// read it there: the string is drawn alone in the same font and colour, and
// its glyphs are looked for in the frame. Text drawn on whole pixels looks
// the same wherever it is drawn, over black or over a dark panel.

#include <string>
#include <vector>

#include "support/GlTestWindow.h"

class ofTrueTypeFont;

// A frame read back from the test window, top row first.
struct Frame {
  std::vector<Rgb> pixels;
  Rgb at(int x, int y) const { return pixels[static_cast<size_t>(y) * 530 + x]; }
  // Reads what the window holds now (flushing what was drawn).
  static Frame capture();
};

// Where drawString would have been called: the pen on the baseline.
struct TextSpot {
  int x = 0, y = 0;
};

// Every place in frame where text shows in color, found by drawing text in
// the window, which clears it: capture the frame first.
std::vector<TextSpot> findText(const Frame& frame, ofTrueTypeFont& font, const std::string& text,
                               const Rgb& color);
