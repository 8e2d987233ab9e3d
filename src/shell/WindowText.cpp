#include "shell/WindowText.h"

#include <algorithm>
#include <vector>

#include "framework/ofAppRunner.h"
#include "framework/ofGraphics.h"
#include "framework/ofTrueTypeFont.h"

namespace {
constexpr float bitmapColumns = 8;  // every bitmap glyph is 8 pixels wide
// Lines of a notice: the bitmap glyphs' cells are 14 pixels high.
constexpr float fontLineStep = 11, bitmapLineStep = 14;
constexpr float noticeMargin = 10;

// text broken between words into lines no wider than width; a word wider
// than that stands on a line of its own.
std::vector<std::string> wrapped(const ofTrueTypeFont& font, const std::string& text, float width) {
  std::vector<std::string> lines;
  std::string line;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(' ', start);
    if (end == std::string::npos) end = text.size();
    const std::string word = text.substr(start, end - start);
    const std::string longer = line.empty() ? word : line + " " + word;
    if (!line.empty() && readableTextWidth(font, longer) > width) {
      lines.push_back(line);
      line = word;
    } else {
      line = longer;
    }
    start = end + 1;
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}
}  // namespace

void drawReadableText(ofTrueTypeFont& font, const std::string& text, float x, float y) {
  if (font.isLoaded()) {
    font.drawString(text, x, y);
  } else {
    ofDrawBitmapString(text, x, y);
  }
}

float readableTextWidth(const ofTrueTypeFont& font, const std::string& text) {
  if (font.isLoaded()) return font.stringWidth(text);
  return bitmapColumns * static_cast<float>(text.size());
}

void drawNotice(ofTrueTypeFont& font, const std::string& text, float bottom) {
  const float w = static_cast<float>(ofGetWidth());
  const std::vector<std::string> lines = wrapped(font, text, w - 2 * noticeMargin);
  if (lines.empty()) return;
  ofSetColor(255, 90, 90);
  const float step = font.isLoaded() ? fontLineStep : bitmapLineStep;
  float y = bottom - step * static_cast<float>(lines.size() - 1);
  for (const std::string& line : lines) {
    // A line that starts left of the window is not drawn at all in bitmap text.
    const float x = std::max(noticeMargin, (w - readableTextWidth(font, line)) / 2);
    drawReadableText(font, line, x, y);
    y += step;
  }
}
