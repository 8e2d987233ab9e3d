#include "framework/ofTrueTypeFont.h"

#include <GL/gl.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>

#include "framework/ofGraphics.h"
#include "framework/ofLog.h"
#include "framework/ofUtils.h"

namespace {
constexpr int spaceWidthGlyph = 'p' - 33;  // a space is as wide as a 'p'

int powerOfTwoAtLeast(int n) {
  int p = 1;
  while (p < n) p *= 2;
  return p == 1 ? 2 : p;
}

// White texels, glyph coverage in alpha, border texels left transparent.
std::vector<unsigned char> glyphImage(const FT_Bitmap& bitmap, int texWidth, int texHeight,
                                      int border, bool antiAliased) {
  std::vector<unsigned char> image(static_cast<size_t>(texWidth) * texHeight * 2);
  for (size_t i = 0; i < image.size(); i += 2) {
    image[i] = 255;
    image[i + 1] = 0;
  }
  for (unsigned r = 0; r < bitmap.rows; ++r) {
    for (unsigned c = 0; c < bitmap.width; ++c) {
      const unsigned char* row = bitmap.buffer + static_cast<long>(r) * bitmap.pitch;
      const unsigned char coverage =
          antiAliased ? row[c] : ((row[c / 8] >> (7 - c % 8)) & 1 ? 255 : 0);
      image[((r + border) * texWidth + c + border) * 2 + 1] = coverage;
    }
  }
  return image;
}
}  // namespace

ofTrueTypeFont::~ofTrueTypeFont() { unload(); }

void ofTrueTypeFont::unload() {
  if (loaded && !textures.empty()) glDeleteTextures(static_cast<GLsizei>(textures.size()), textures.data());
  glyphs.clear();
  textures.clear();
  loaded = false;
}

void ofTrueTypeFont::reportNotLoaded() const {
  if (reportedNotLoaded) return;
  reportedNotLoaded = true;
  if (path.empty()) {
    ofLog(OF_ERROR, "no font loaded: text is not drawn");
  } else {
    ofLog(OF_ERROR, "font %s did not load: its text is not drawn", path.c_str());
  }
}

void ofTrueTypeFont::loadFont(const std::string& filename, int fontSize) {
  loadFont(filename, fontSize, true, false, false);
}

void ofTrueTypeFont::loadFont(const std::string& filename, int fontSize, bool aa, bool full,
                              bool contours) {
  makeContours = contours;
  unload();
  reportedNotLoaded = false;
  path = filename.empty() ? std::string() : ofToDataPath(filename);
  antiAliased = aa;
  fullCharacterSet = full;
  size = fontSize;

  // Sizes come from a data file: a huge one would render glyphs of
  // gigabytes, and FreeType's 26.6 sizes overflow long before int does.
  if (size < minSize || size > maxSize) {
    ofLog(OF_ERROR, "could not load font %s: size %d is not within %d..%d", path.c_str(), size,
          minSize, maxSize);
    return;
  }
  if (filename.empty()) {
    ofLog(OF_ERROR, "could not load font (no file named)");
    return;
  }
  if (!ofIsRegularFile(path)) {
    ofLog(OF_ERROR, "could not load font %s: no such file", path.c_str());
    return;
  }
  FT_Library library;
  if (FT_Init_FreeType(&library)) {
    ofLog(OF_ERROR, " PROBLEM WITH FT lib");
    return;
  }
  FT_Face face;
  if (FT_New_Face(library, path.c_str(), 0, &face)) {
    ofLog(OF_ERROR, "could not load font %s: not a font FreeType reads", path.c_str());
    FT_Done_FreeType(library);
    return;
  }
  FT_Set_Char_Size(face, size * 64, size * 64, 96, 96);
  lineHeight = size * 1.43f;

  characterCount = fullCharacterSet ? 256 : 95;
  glyphs.assign(characterCount, GlyphInfo());
  textures.assign(characterCount, 0);
  glGenTextures(characterCount, textures.data());
  for (int i = 0; i < characterCount; ++i) {
    const FT_UInt index = FT_Get_Char_Index(face, (i + 33) % 256);
    if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT)) ofLog(OF_ERROR, "error with FT_Load_Glyph %i", i);
    FT_Render_Glyph(face->glyph, antiAliased ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO);
    const FT_Bitmap& bitmap = face->glyph->bitmap;
    const int texWidth = powerOfTwoAtLeast(static_cast<int>(bitmap.width) + 2 * border);
    const int texHeight = powerOfTwoAtLeast(static_cast<int>(bitmap.rows) + 2 * border);

    GlyphInfo& g = glyphs[i];
    g.index = i;
    g.bitmapTop = face->glyph->bitmap_top;
    g.bitmapWidth = static_cast<int>(bitmap.width);
    g.advance = static_cast<int>(face->glyph->advance.x >> 6);
    g.bitmapRows = static_cast<int>(bitmap.rows);
    g.bitmapLeft = face->glyph->bitmap_left;
    g.texWidthFraction = static_cast<float>(g.bitmapWidth + 2 * visibleBorder) / texWidth;
    g.texHeightFraction = static_cast<float>(g.bitmapRows + 2 * visibleBorder) / texHeight;
    g.texOffsetX = static_cast<float>(border - visibleBorder) / texWidth;
    g.texOffsetY = static_cast<float>(border - visibleBorder) / texHeight;

    const std::vector<unsigned char> image = glyphImage(bitmap, texWidth, texHeight, border, antiAliased);
    glBindTexture(GL_TEXTURE_2D, textures[i]);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    const GLint filter = antiAliased ? GL_LINEAR : GL_NEAREST;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_LUMINANCE_ALPHA, texWidth, texHeight, 0, GL_LUMINANCE_ALPHA,
                 GL_UNSIGNED_BYTE, image.data());
  }
  FT_Done_Face(face);
  FT_Done_FreeType(library);
  loaded = true;
}

int ofTrueTypeFont::glyphOf(unsigned char c) const {
  const int g = static_cast<int>(c) - 33;
  return g >= 0 && g < characterCount ? g : -1;
}

void ofTrueTypeFont::drawChar(int i) {
  if (!loaded) {
    reportNotLoaded();
    return;
  }
  if (i < 0 || i >= characterCount) return;
  const GlyphInfo& g = glyphs[i];
  const float stretch = 2.0f * visibleBorder;
  const float x1 = g.bitmapLeft + g.bitmapWidth + stretch;
  const float y1 = g.bitmapRows - g.bitmapTop + stretch;
  const float x2 = g.bitmapLeft;
  const float y2 = -g.bitmapTop;
  const float s1 = g.texOffsetX, t1 = g.texOffsetY;
  const float s2 = g.texOffsetX + g.texWidthFraction, t2 = g.texOffsetY + g.texHeightFraction;
  if (!glIsTexture(textures[i])) {
    ofLog(OF_WARNING, "font %s: character %d has lost its texture", path.c_str(), i + 33);
    return;
  }
  ofFlushDrawing();
  const float texCoords[8] = {s1, t1, s1, t2, s2, t2, s2, t1};
  const float verts[8] = {x2, y2, x2, y1, x1, y1, x1, y2};
  glBindTexture(GL_TEXTURE_2D, textures[i]);
  glNormal3f(0, 0, 1);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glTexCoordPointer(2, GL_FLOAT, 0, texCoords);
  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(2, GL_FLOAT, 0, verts);
  glDrawArrays(GL_TRIANGLE_FAN, 0, 4);
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
}

void ofTrueTypeFont::drawString(const std::string& text, float x, float y) {
  if (!loaded) {
    reportNotLoaded();
    return;
  }
  ofFlushDrawing();
  glPushAttrib(GL_COLOR_BUFFER_BIT);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_TEXTURE_2D);
  glPushMatrix();
  glTranslatef(x, y, 0);
  float penX = 0;
  for (const char ch : text) {
    const unsigned char c = static_cast<unsigned char>(ch);
    if (c == '\n') {
      glTranslatef(-penX, lineHeight, 0);
      penX = 0;
    } else if (c == ' ') {
      const float width = static_cast<float>(glyphs[spaceWidthGlyph].bitmapWidth);
      glTranslatef(width, 0, 0);
      penX += width;
    } else if (const int g = glyphOf(c); g >= 0) {
      drawChar(g);
      glTranslatef(static_cast<float>(glyphs[g].advance), 0, 0);
      penX += glyphs[g].advance;
    }
  }
  glPopMatrix();
  glDisable(GL_TEXTURE_2D);
  glPopAttrib();
}

ofRectangle ofTrueTypeFont::getStringBoundingBox(const std::string& text, float x, float y) const {
  if (!loaded) {
    reportNotLoaded();
    return ofRectangle();
  }
  if (text.empty()) return ofRectangle();
  float penX = 0, penY = 0;
  float minX = -1, minY = -1, maxX = -1, maxY = -1;
  bool first = true;
  for (const char ch : text) {
    const unsigned char c = static_cast<unsigned char>(ch);
    if (c == '\n') {
      penY += static_cast<int>(lineHeight);
      penX = 0;
      continue;
    }
    if (c == ' ') {
      penX += glyphs[spaceWidthGlyph].bitmapWidth;
      continue;
    }
    const int g = glyphOf(c);
    if (g < 0) continue;
    const GlyphInfo& info = glyphs[g];
    const float left = x + penX + info.bitmapLeft;
    const float right = left + info.bitmapWidth + 2 * visibleBorder;
    const float top = y + penY - info.bitmapTop;
    const float bottom = y + penY + info.bitmapRows - info.bitmapTop + 2 * visibleBorder;
    penX += info.advance;
    if (first) {
      minX = left, minY = top, maxX = right, maxY = bottom;
      first = false;
    } else {
      minX = std::min(minX, left), minY = std::min(minY, top);
      maxX = std::max(maxX, right), maxY = std::max(maxY, bottom);
    }
  }
  return ofRectangle(minX, minY, maxX - minX, maxY - minY);
}

float ofTrueTypeFont::stringWidth(const std::string& text) const {
  return getStringBoundingBox(text, 0, 0).width;
}
