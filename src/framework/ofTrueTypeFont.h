#pragma once
// Text in a TrueType face at a pixel size: each character becomes one small
// GL texture (white, coverage in alpha), drawn as a quad in the current
// colour. Load after the window exists; a font is never copied.

#include <string>
#include <vector>

#include "framework/ofTypes.h"

class ofTrueTypeFont {
 public:
  ofTrueTypeFont() = default;
  virtual ~ofTrueTypeFont();
  ofTrueTypeFont(const ofTrueTypeFont&) = delete;
  ofTrueTypeFont& operator=(const ofTrueTypeFont&) = delete;

  // Anti-aliased, 95 characters (33..127).
  void loadFont(const std::string& filename, int size);
  void loadFont(const std::string& filename, int size, bool antiAliased, bool fullCharacterSet,
                bool makeContours);
  bool isLoaded() const { return loaded; }

  // Draws text with the pen starting on the baseline at (x, y).
  void drawString(const std::string& text, float x, float y);
  // The box drawString(text, x, y) would cover; lines count as whole pixels.
  ofRectangle getStringBoundingBox(const std::string& text, float x, float y) const;
  float stringWidth(const std::string& text) const;
  // Draws one glyph quad at the current origin.
  void drawChar(int glyph);

  float lineHeight = 0;

 private:
  struct GlyphInfo {
    int index = 0;
    int bitmapTop = 0, bitmapWidth = 0, advance = 0, bitmapRows = 0, bitmapLeft = 0;
    float texWidthFraction = 0, texHeightFraction = 0, texOffsetX = 0, texOffsetY = 0;
  };

  void unload();
  // Logs that the font is not loaded, once per load: a missing font would
  // otherwise say so on every frame.
  void reportNotLoaded() const;
  // The glyph for byte c, or -1 for bytes without one (the space included).
  int glyphOf(unsigned char c) const;

  bool loaded = false;
  mutable bool reportedNotLoaded = false;
  std::string path;  // of the last load, for the log

  bool antiAliased = true;
  bool fullCharacterSet = false;
  bool makeContours = false;
  int characterCount = 0;
  int size = 0;
  std::vector<GlyphInfo> glyphs;
  std::vector<unsigned> textures;
  static constexpr int minSize = 1;
  static constexpr int maxSize = 256;
  static constexpr int border = 3;
  static constexpr int visibleBorder = 2;
};
