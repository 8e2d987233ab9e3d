#include "progress/OverlayText.h"

#include <cmath>

#include "framework/ofGraphics.h"
#include "framework/ofTrueTypeFont.h"

void drawTextPanel(const ofRectangle& box, int alpha) {
  ofFill();
  ofSetColor(10, 12, 20, alpha);
  ofRect(box);
  ofNoFill();
  ofSetColor(70, 80, 105, alpha);
  ofRect(box);
}

std::string fitText(const ofTrueTypeFont& font, const std::string& text, float width) {
  if (font.stringWidth(text) <= width) return text;
  std::string cut = text;
  while (!cut.empty() && font.stringWidth(cut + "..") > width) cut.pop_back();
  return cut + "..";
}

float textLineHeight(const ofTrueTypeFont& font) {
  return std::round(font.lineHeight > 0 ? font.lineHeight : 14);
}

ofRectangle lineBox(const ofTrueTypeFont& font, float x, float baseline, float width, float pad) {
  // Most of a line's height is above its baseline: a quarter below.
  const float height = textLineHeight(font);
  const float below = std::round(height / 4);
  return ofRectangle(x - pad, baseline - (height - below) - pad, width + 2 * pad, height + 2 * pad);
}

void setDifferenceColour(std::optional<float> best, float seconds, int alpha) {
  if (!best) {
    ofSetColor(200, 220, 255, alpha);
  } else if (seconds < *best) {
    ofSetColor(90, 255, 120, alpha);
  } else {
    ofSetColor(255, 120, 90, alpha);
  }
}
