#pragma once
// Words drawn over a run (the level's name, the split, the finish summary):
// each on a dark panel so that it reads over any level, cut to the room it
// has so that it never runs into its neighbour, and on whole pixels.

#include <optional>
#include <string>

#include "framework/ofTypes.h"

class ofTrueTypeFont;

// A filled dark panel with a thin rim, box in screen pixels, as strong as
// alpha (0..255). Drawn before the text it carries.
void drawTextPanel(const ofRectangle& box, int alpha);
// text, or as much of it as fits in width pixels followed by "..".
std::string fitText(const ofTrueTypeFont& font, const std::string& text, float width);
// The height of a line of text in whole pixels (a font that did not load
// has none: the bitmap font's stands in).
float textLineHeight(const ofTrueTypeFont& font);
// The box a line of text takes around its baseline (for a panel), the ink
// and a margin of pad pixels; the font's line height, not the letters
// drawn, sets it, so that panels of a row are all alike.
ofRectangle lineBox(const ofTrueTypeFont& font, float x, float baseline, float width, float pad);
// The colour of a split (seconds) against the level's best: green when
// faster, red when slower, pale blue when there was none.
void setDifferenceColour(std::optional<float> best, float seconds, int alpha);
