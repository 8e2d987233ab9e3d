#include "support/FrameProbe.h"

#include <algorithm>
#include <cstdlib>

#include "framework/ofGraphics.h"
#include "framework/ofTrueTypeFont.h"

namespace {
int brightest(const Rgb& p) { return std::max(p.r, std::max(p.g, p.b)); }

// Where the string is drawn alone; far enough in that nothing is clipped.
const int penX = 40, penY = 60;

// A glyph's own pixels, and the blank ones between and around them.
struct Pattern {
  int left = 0, top = 0, width = 0, height = 0;
  std::vector<Rgb> ink;  // each pixel of the box
};

Pattern drawAlone(ofTrueTypeFont& font, const std::string& text, const Rgb& color) {
  GlTestWindow::beginFrame();
  ofSetColor(color.r, color.g, color.b);
  font.drawString(text, penX, penY);
  const Frame alone = Frame::capture();
  int x0 = 530, y0 = 370, x1 = -1, y1 = -1;
  for (int y = 0; y < 370; ++y) {
    for (int x = 0; x < 530; ++x) {
      if (brightest(alone.at(x, y)) == 0) continue;
      x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
    }
  }
  Pattern pattern;
  if (x1 < 0) return pattern;
  // One blank pixel around the glyphs: text that runs on is another text.
  pattern.left = x0 - 1, pattern.top = y0 - 1;
  pattern.width = x1 - x0 + 3, pattern.height = y1 - y0 + 3;
  for (int y = pattern.top; y < pattern.top + pattern.height; ++y) {
    for (int x = pattern.left; x < pattern.left + pattern.width; ++x) {
      pattern.ink.push_back(alone.at(x, y));
    }
  }
  return pattern;
}

// Same hue: blending over black scales a colour but keeps its ratios.
bool sameHue(const Rgb& a, const Rgb& b) {
  const int ma = brightest(a), mb = brightest(b);
  auto near = [&](int ca, int cb) { return std::abs(ca * mb - cb * ma) <= 0.15 * ma * mb; };
  return near(a.r, b.r) && near(a.g, b.g) && near(a.b, b.b);
}

// The frame shows the pattern with its box at (x, y): strong ink of the
// same hue where the pattern has it, nothing bright where the pattern is
// blank. A few pixels may differ where faint edges blend over a panel
// instead of black.
bool showsAt(const Frame& frame, const Pattern& pattern, int x, int y) {
  int misses = 0;
  const int allowed = static_cast<int>(pattern.ink.size()) / 50;
  for (int j = 0; j < pattern.height; ++j) {
    for (int i = 0; i < pattern.width; ++i) {
      const Rgb& want = pattern.ink[static_cast<size_t>(j * pattern.width + i)];
      const Rgb got = frame.at(x + i, y + j);
      const int strength = brightest(want);
      const bool wrong = strength >= 128
                             ? brightest(got) < strength / 2 || !sameHue(want, got)
                             : strength == 0 && brightest(got) >= 48;
      if (wrong && ++misses > allowed) return false;
    }
  }
  return true;
}
}  // namespace

bool Hue::matches(const Rgb& p) const {
  const int strongest = brightest(p);
  const int reference = brightest(color);
  if (strongest < 40) return false;
  auto near = [&](int got, int want) {
    return std::abs(got * reference - want * strongest) <= 0.06 * reference * strongest;
  };
  return near(p.r, color.r) && near(p.g, color.g) && near(p.b, color.b);
}

int pixelsOf(const Hue& hue, int x, int y, int w, int h) {
  int n = 0;
  for (int j = y; j < y + h; ++j) {
    for (int i = x; i < x + w; ++i) n += hue.matches(GlTestWindow::pixel(i, j)) ? 1 : 0;
  }
  return n;
}

int Frame::count(const Hue& hue, int x, int y, int w, int h) const {
  int n = 0;
  for (int j = std::max(y, 0); j < std::min(y + h, 370); ++j) {
    for (int i = std::max(x, 0); i < std::min(x + w, 530); ++i) n += hue.matches(at(i, j)) ? 1 : 0;
  }
  return n;
}

Frame Frame::capture() {
  const std::vector<unsigned char> rgb = GlTestWindow::windowRgb();
  Frame frame;
  frame.pixels.resize(530 * 370);
  for (int y = 0; y < 370; ++y) {
    for (int x = 0; x < 530; ++x) {
      const unsigned char* p = &rgb[(static_cast<size_t>(369 - y) * 530 + x) * 3];
      frame.pixels[static_cast<size_t>(y) * 530 + x] = Rgb{p[0], p[1], p[2]};
    }
  }
  return frame;
}

std::vector<TextSpot> findText(const Frame& frame, ofTrueTypeFont& font, const std::string& text,
                               const Rgb& color) {
  const Pattern pattern = drawAlone(font, text, color);
  std::vector<TextSpot> spots;
  if (pattern.ink.empty()) return spots;
  for (int y = 0; y + pattern.height <= 370; ++y) {
    for (int x = 0; x + pattern.width <= 530; ++x) {
      if (!showsAt(frame, pattern, x, y)) continue;
      spots.push_back(TextSpot{x - pattern.left + penX, y - pattern.top + penY});
    }
  }
  return spots;
}
