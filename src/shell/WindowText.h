#pragma once
// Text in the window that stays readable whatever data is missing: in the
// game's font when it loaded, else in the built-in bitmap text, which needs
// no font file. And the red lines that say what went wrong, where the
// player is looking (the title, the score screen).

#include <string>

class ofTrueTypeFont;

// Draws text in the current colour, its baseline starting at (x, y).
void drawReadableText(ofTrueTypeFont& font, const std::string& text, float x, float y);
// How wide drawReadableText draws text, in pixels.
float readableTextWidth(const ofTrueTypeFont& font, const std::string& text);
// Draws what went wrong in red across the window, centred and broken
// between words to fit its width; the last line's baseline is at bottom.
void drawNotice(ofTrueTypeFont& font, const std::string& text, float bottom);
