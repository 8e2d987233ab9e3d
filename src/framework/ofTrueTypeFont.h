#pragma once
// Text in a TrueType face at a pixel size: every character of the font packed
// into one GL texture (white, coverage in alpha). Strings are gathered as
// quads in the colour current when each is drawn, and the strings drawn one
// after another are drawn together at the next flush of the drawing
// (ofFlushDrawing). Load after the window exists; a font is never copied.

#include <cstddef>
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
  // Bytes of texture memory the glyphs take (0 when not loaded).
  size_t textureBytes() const;

  float lineHeight = 0;

 private:
  struct GlyphInfo {
    int bitmapTop = 0, bitmapWidth = 0, advance = 0, bitmapRows = 0, bitmapLeft = 0;
    // The glyph's place in the texture, its drawn border included.
    float texLeft = 0, texTop = 0, texRight = 0, texBottom = 0;
  };
  struct RenderedGlyph;

  void unload();
  // Logs that the font is not loaded, once per load: a missing font would
  // otherwise say so on every frame.
  void reportNotLoaded() const;
  // Whether the texture still exists; says so once per load when it does not.
  bool hasTexture();
  // The glyph for byte c, or -1 for bytes without one (the space included).
  int glyphOf(unsigned char c) const;
  bool buildTexture(const std::vector<RenderedGlyph>& rendered);
  // Adds the glyph's quad, pen at (penX, penY), to the batch.
  void addQuad(int glyph, float penX, float penY, const float* color);
  // Draws the batch from the font's texture, and empties it.
  void drawBatch();
  // Every glyph of the batch lies on whole pixels, one texel a pixel.
  bool batchOnPixels() const;
  static void drawHeld(void* font);

  bool loaded = false;
  mutable bool reportedNotLoaded = false;
  bool reportedLostTexture = false;
  std::string path;  // of the last load, for the log

  bool antiAliased = true;
  bool fullCharacterSet = false;
  bool makeContours = false;
  int characterCount = 0;
  int size = 0;
  std::vector<GlyphInfo> glyphs;
  unsigned texture = 0;
  int textureWidth = 0, textureHeight = 0;
  // The texture's filter now: anti-aliased text is filtered linearly unless
  // every texel lands on one pixel, where the nearest texel is the same
  // picture at a good deal less work for a software renderer.
  int textureFilter = 0;
  // x, y, s, t, r, g, b, a for each vertex of the strings gathered; kept
  // between frames so that drawing allocates only while the text grows.
  std::vector<float> batch;
  static constexpr int floatsPerVertex = 8;
  static constexpr int minSize = 1;
  static constexpr int maxSize = 256;
  // Transparent texels round each glyph; the quad takes in visibleBorder of
  // them, so that linear filtering at its edges fades to nothing.
  static constexpr int border = 3;
  static constexpr int visibleBorder = 2;
};
