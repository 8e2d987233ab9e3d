#include "framework/ofBitmapText.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "framework/Latin1Text.h"
#include "framework/ofBitmapFont.h"

namespace {
constexpr int glyphRows = 14, glyphColumns = 8;
constexpr int firstCode = 32, lastCode = 255;  // the glyphs that can be drawn
constexpr float lineStep = 8 * 1.7f;

// Lit pixels of a glyph cell as rectangles that cover each pixel exactly
// once (a pixel drawn twice would blend twice): runs along a row, stacked
// while the rows above repeat the run. Row 0 is the bottom of the cell.
struct Block {
  int column, row, width, height;
};
constexpr int maxBlocksPerGlyph = glyphRows * glyphColumns / 2;  // every other pixel lit
struct GlyphBlocks {
  int count = 0;
  Block blocks[maxBlocksPerGlyph];
};

bool lit(const unsigned char* rows, int row, int column) {
  return column < glyphColumns && (rows[row] & (0x80 >> column));
}

void addRun(GlyphBlocks& glyph, int row, int column, int width) {
  for (int i = 0; i < glyph.count; ++i) {
    Block& b = glyph.blocks[i];
    if (b.row + b.height == row && b.column == column && b.width == width) {
      ++b.height;
      return;
    }
  }
  glyph.blocks[glyph.count++] = Block{column, row, width, 1};
}

GlyphBlocks blocksOf(const unsigned char* rows) {
  GlyphBlocks glyph;
  for (int r = 0; r < glyphRows; ++r) {
    for (int c = 0; c < glyphColumns; ++c) {
      if (!lit(rows, r, c)) continue;
      int end = c;
      while (lit(rows, r, end)) ++end;
      addRun(glyph, r, c, end - c);
      c = end;
    }
  }
  return glyph;
}

struct FontBlocks {
  GlyphBlocks glyphs[lastCode - firstCode + 1];
};

FontBlocks blocksOfFont() {
  FontBlocks font;
  for (int code = firstCode; code <= lastCode; ++code) {
    font.glyphs[code - firstCode] = blocksOf(ofBitmapFontGlyphs[code] + 1);
  }
  return font;
}

// The font's table is constant-initialised, so it is complete before this runs.
const FontBlocks fontBlocks = blocksOfFont();

const GlyphBlocks& blocksFor(int code) { return fontBlocks.glyphs[code - firstCode]; }

// ASCII from the space to DEL, and the Latin-1 letters and signs that
// UTF-8 spells with two bytes; control codes and any other byte draw
// nothing and take no room.
bool drawsGlyph(int code) { return (code >= firstCode && code <= 127) || (code >= 160 && code <= lastCode); }

// Calls draw(code) for each character of text that draws a glyph and
// newLine() for each '\n', in order.
template <typename Draw, typename NewLine>
void eachGlyph(const std::string& text, Draw draw, NewLine newLine) {
  for (size_t at = 0, length = 0; at < text.size(); at += length) {
    const int code = latin1At(text, at, length);
    if (code == '\n') {
      newLine();
    } else if (drawsGlyph(code)) {
      draw(code);
    }
  }
}

// Gathered vertices with a colour each: triangles in window pixels, quads
// in model-view units. Static storage: drawing never allocates; a full
// batch is drawn and started again.
constexpr int maxVertices = 6 * 8192;
float vertices[maxVertices * 2];
float vertexColors[maxVertices * 4];
int vertexCount = 0;
// Window pixels (scale 1) or model-view units (a screen shown larger).
bool inWindowPixels = true;

void startBatch(bool windowPixels) {
  if (vertexCount > 0 && inWindowPixels != windowPixels) bitmapText::draw();
  inWindowPixels = windowPixels;
}

template <int N>
void addVertices(const float (&v)[N], const float* color) {
  constexpr int n = N / 2;
  if (vertexCount + n > maxVertices) bitmapText::draw();
  std::copy(v, v + N, vertices + vertexCount * 2);
  float* c = vertexColors + vertexCount * 4;
  for (int i = 0; i < n * 4; ++i) c[i] = color[i % 4];
  vertexCount += n;
}

// A block of pixels in window pixels. A run one pixel high is one triangle
// where a quad would be two, and the software renderer pays for each
// triangle by the 4x4 pixel tiles it touches: its left side stands on the
// run's left edge from half a pixel below the row to half above, its tip on
// the row's centre line at the run's right end. It holds the run's pixel
// centres, touches the rows above and below only at two corners, and has no
// pixel centre on an edge, so no fill rule decides anything.
void addBlock(float x0, float y0, float x1, float y1, const float* color) {
  if (y1 - y0 == 1) {
    const float v[] = {x0, y0 - 0.5f, x1, y0 + 0.5f, x0, y0 + 1.5f};
    addVertices(v, color);
    return;
  }
  const float v[] = {x0, y0, x1, y0, x1, y1, x0, y0, x1, y1, x0, y1};
  addVertices(v, color);
}

// Where glBitmap would start a line: GL's own raster position for (x, y),
// so that the transform, the viewport test and the colour latched are the
// driver's to the last bit.
struct RasterPosition {
  bool valid = false;
  float x = 0, y = 0;
  float color[4] = {};
};

RasterPosition rasterPosition(float x, float y) {
  glRasterPos2f(x, y);
  GLboolean valid = GL_FALSE;
  glGetBooleanv(GL_CURRENT_RASTER_POSITION_VALID, &valid);
  RasterPosition p;
  if (!valid) return p;
  p.valid = true;
  float window[4];
  glGetFloatv(GL_CURRENT_RASTER_POSITION, window);
  glGetFloatv(GL_CURRENT_RASTER_COLOR, p.color);
  p.x = window[0], p.y = window[1];
  return p;
}

// One glyph as glBitmap(8, 14, 0, 3, 8, 0) places it: the cell's bottom-left
// pixel at the raster position less the origin (0, 3), truncated after the
// driver's small epsilon (a position a rounding error short of a pixel
// still lands on it).
void addGlyphAt(const RasterPosition& p, int code) {
  const float epsilon = 0.0001f;
  const float left = std::floor(p.x + epsilon - 0.0f);
  const float bottom = std::floor(p.y + epsilon - 3.0f);
  const GlyphBlocks& glyph = blocksFor(code);
  for (int i = 0; i < glyph.count; ++i) {
    const Block& b = glyph.blocks[i];
    const float x = left + b.column, y = bottom + b.row;
    addBlock(x, y, x + b.width, y + b.height, p.color);
  }
}

// A glyph as one quad per lit pixel, corners in the order the unbatched
// drawing used, so that every quad is rasterised as it was.
void addGlyphPixels(int code, float left, float baseline, const float* color) {
  const unsigned char* rows = ofBitmapFontGlyphs[code] + 1;
  for (int r = 0; r < glyphRows; ++r) {
    const float top = baseline + 2 - r;
    for (int c = 0; c < glyphColumns; ++c) {
      if (!lit(rows, r, c)) continue;
      const float x = left + c;
      const float v[] = {x, top, x + 1, top, x + 1, top + 1, x, top + 1};
      addVertices(v, color);
    }
  }
}

void drawVertices(GLenum mode) {
  float current[4];
  glGetFloatv(GL_CURRENT_COLOR, current);
  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(2, GL_FLOAT, 0, vertices);
  glEnableClientState(GL_COLOR_ARRAY);
  glColorPointer(4, GL_FLOAT, 0, vertexColors);
  glDrawArrays(mode, 0, vertexCount);
  glDisableClientState(GL_COLOR_ARRAY);
  // The colour array leaves the current colour undefined: set it again.
  glColor4fv(current);
}

// A power-of-two square viewport from the window's corner: whole-pixel
// corners map to themselves exactly, and pixels outside the current
// viewport are drawn, as glBitmap draws them (the scissor still cuts).
int windowPixelSpan() {
  static const int span = [] {
    GLint most[2] = {4096, 4096};
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, most);
    int s = 1;
    while (s * 2 <= most[0] && s * 2 <= most[1]) s *= 2;
    return s;
  }();
  return span;
}

void drawTrianglesInWindowPixels() {
  const int span = windowPixelSpan();
  glPushAttrib(GL_TRANSFORM_BIT | GL_VIEWPORT_BIT);
  glViewport(0, 0, span, span);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0, span, 0, span, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  drawVertices(GL_TRIANGLES);
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glPopAttrib();
}
}  // namespace

namespace bitmapText {

void gatherAtRasterPosition(const std::string& text, float x, float y) {
  startBatch(true);
  RasterPosition pen = rasterPosition(x, y);
  float lineOffset = 0;
  eachGlyph(
      text,
      [&](int code) {
        // An invalid raster position draws nothing until the next line.
        if (!pen.valid) return;
        addGlyphAt(pen, code);
        pen.x += glyphColumns;
      },
      [&] {
        lineOffset += lineStep;
        pen = rasterPosition(x, y + static_cast<int>(lineOffset));
      });
}

void gatherInModelView(const std::string& text, float x, float y) {
  startBatch(false);
  float color[4];
  glGetFloatv(GL_CURRENT_COLOR, color);
  float left = x, baseline = y, lineOffset = 0;
  eachGlyph(
      text,
      [&](int code) {
        addGlyphPixels(code, left, baseline, color);
        left += glyphColumns;
      },
      [&] {
        lineOffset += lineStep;
        left = x;
        baseline = y + static_cast<int>(lineOffset);
      });
}

bool gathered() { return vertexCount > 0; }

void draw() {
  if (vertexCount == 0) return;
  if (inWindowPixels) {
    drawTrianglesInWindowPixels();
  } else {
    drawVertices(GL_QUADS);
  }
  vertexCount = 0;
}

}  // namespace bitmapText
