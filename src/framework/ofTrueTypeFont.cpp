#include "framework/ofTrueTypeFont.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>

#include "framework/GlyphAtlas.h"
#include "framework/ofFile.h"
#include "framework/ofGraphics.h"
#include "framework/ofLog.h"
#include "framework/ofUtils.h"

namespace {
constexpr int spaceWidthGlyph = 'p' - 33;  // a space is as wide as a 'p'

// One byte of coverage per pixel, rows top to bottom.
std::vector<unsigned char> coverageOf(const FT_Bitmap& bitmap, bool antiAliased) {
  std::vector<unsigned char> coverage(static_cast<size_t>(bitmap.width) * bitmap.rows);
  for (unsigned r = 0; r < bitmap.rows; ++r) {
    const unsigned char* row = bitmap.buffer + static_cast<long>(r) * bitmap.pitch;
    for (unsigned c = 0; c < bitmap.width; ++c) {
      coverage[r * bitmap.width + c] =
          antiAliased ? row[c] : ((row[c / 8] >> (7 - c % 8)) & 1 ? 255 : 0);
    }
  }
  return coverage;
}
}  // namespace

struct ofTrueTypeFont::RenderedGlyph {
  GlyphInfo info;
  std::vector<unsigned char> coverage;  // info.bitmapWidth by info.bitmapRows
};

ofTrueTypeFont::~ofTrueTypeFont() { unload(); }

void ofTrueTypeFont::unload() {
  // Text gathered from the old glyphs is not drawn with the new ones.
  ofDropHeldDrawing(this);
  batch.clear();
  if (loaded && texture != 0) glDeleteTextures(1, &texture);
  glyphs.clear();
  texture = 0;
  textureWidth = textureHeight = 0;
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
  reportedLostTexture = false;
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
  // Read whole through the one reader (a pipe or a folder is refused, not
  // waited on); FreeType keeps only the glyphs rendered from it.
  const ofFileRead file = ofReadFile(path);
  if (!file.ok) {
    ofLog(OF_ERROR, "could not load font %s: %s", path.c_str(),
          file.missing ? "no such file" : file.error.c_str());
    return;
  }
  FT_Library library;
  if (FT_Init_FreeType(&library)) {
    ofLog(OF_ERROR, " PROBLEM WITH FT lib");
    return;
  }
  FT_Face face;
  const auto* bytes = reinterpret_cast<const FT_Byte*>(file.bytes.data());
  if (FT_New_Memory_Face(library, bytes, static_cast<FT_Long>(file.bytes.size()), 0, &face)) {
    ofLog(OF_ERROR, "could not load font %s: not a font FreeType reads", path.c_str());
    FT_Done_FreeType(library);
    return;
  }
  FT_Set_Char_Size(face, size * 64, size * 64, 96, 96);
  lineHeight = size * 1.43f;

  characterCount = fullCharacterSet ? 256 : 95;
  std::vector<RenderedGlyph> rendered(characterCount);
  for (int i = 0; i < characterCount; ++i) {
    const FT_UInt index = FT_Get_Char_Index(face, (i + 33) % 256);
    if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT)) ofLog(OF_ERROR, "error with FT_Load_Glyph %i", i);
    FT_Render_Glyph(face->glyph, antiAliased ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO);
    const FT_Bitmap& bitmap = face->glyph->bitmap;
    GlyphInfo& g = rendered[i].info;
    g.bitmapTop = face->glyph->bitmap_top;
    g.bitmapWidth = static_cast<int>(bitmap.width);
    g.advance = static_cast<int>(face->glyph->advance.x >> 6);
    g.bitmapRows = static_cast<int>(bitmap.rows);
    g.bitmapLeft = face->glyph->bitmap_left;
    rendered[i].coverage = coverageOf(bitmap, antiAliased);
  }
  FT_Done_Face(face);
  FT_Done_FreeType(library);
  loaded = buildTexture(rendered);
}

// Packs every glyph, with its transparent border, into one texture: a
// string then draws without a texture change between its characters, which
// the software renderer pays for dearly.
bool ofTrueTypeFont::buildTexture(const std::vector<RenderedGlyph>& rendered) {
  std::vector<GlyphBox> boxes;
  for (const RenderedGlyph& r : rendered) boxes.push_back({r.info.bitmapWidth, r.info.bitmapRows});
  // Without a GL context yet (a game set up off screen) nothing is drawn,
  // but the font still measures text.
  GLint largest = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
  if (largest <= 0) largest = 1 << 15;
  // Filtering at a quad's edge reaches `border` texels past the glyph on
  // each side: clear ones, as in a texture of the glyph alone, which
  // neighbours may share.
  const GlyphAtlasLayout layout = packGlyphBoxes(boxes, border, largest);
  if (layout.width == 0) {
    ofLog(OF_ERROR, "could not load font %s: its glyphs at size %d do not fit in one %dx%d texture",
          path.c_str(), size, largest, largest);
    return false;
  }
  textureWidth = layout.width;
  textureHeight = layout.height;

  // Coverage alone, everything outside the glyphs clear: an alpha texture
  // modulates like white texels with that alpha, and the software renderer
  // builds a smaller, cheaper fragment program to sample it.
  std::vector<unsigned char> image(static_cast<size_t>(textureWidth) * textureHeight);
  glyphs.clear();
  for (size_t i = 0; i < rendered.size(); ++i) {
    GlyphInfo g = rendered[i].info;
    const int left = layout.spots[i].x, top = layout.spots[i].y;
    for (int r = 0; r < g.bitmapRows; ++r) {
      for (int c = 0; c < g.bitmapWidth; ++c) {
        image[(static_cast<size_t>(top) + r) * textureWidth + left + c] =
            rendered[i].coverage[static_cast<size_t>(r) * g.bitmapWidth + c];
      }
    }
    // Powers of two: these fractions are exact.
    g.texLeft = static_cast<float>(left - visibleBorder) / textureWidth;
    g.texTop = static_cast<float>(top - visibleBorder) / textureHeight;
    g.texRight = static_cast<float>(left + g.bitmapWidth + visibleBorder) / textureWidth;
    g.texBottom = static_cast<float>(top + g.bitmapRows + visibleBorder) / textureHeight;
    glyphs.push_back(g);
  }

  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  textureFilter = antiAliased ? GL_LINEAR : GL_NEAREST;
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, textureFilter);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, textureFilter);
  glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);  // rows of one byte a texel
  glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA, textureWidth, textureHeight, 0, GL_ALPHA,
               GL_UNSIGNED_BYTE, image.data());
  glPopClientAttrib();
  return true;
}

size_t ofTrueTypeFont::textureBytes() const {
  return loaded ? static_cast<size_t>(textureWidth) * textureHeight : 0;
}

int ofTrueTypeFont::glyphOf(unsigned char c) const {
  const int g = static_cast<int>(c) - 33;
  return g >= 0 && g < characterCount ? g : -1;
}

bool ofTrueTypeFont::hasTexture() {
  if (glIsTexture(texture)) return true;
  if (!reportedLostTexture) {
    reportedLostTexture = true;
    ofLog(OF_WARNING, "font %s has lost its texture: its text is not drawn", path.c_str());
  }
  return false;
}

void ofTrueTypeFont::addQuad(int i, float penX, float penY, const float* color) {
  const GlyphInfo& g = glyphs[i];
  const float stretch = 2.0f * visibleBorder;
  const float left = penX + g.bitmapLeft;
  const float right = penX + (g.bitmapLeft + g.bitmapWidth + stretch);
  const float top = penY + -g.bitmapTop;
  const float bottom = penY + (g.bitmapRows - g.bitmapTop + stretch);
  // The two triangles a fan of the corners would make, in the same order.
  const float corners[4][4] = {{left, top, g.texLeft, g.texTop},
                               {left, bottom, g.texLeft, g.texBottom},
                               {right, bottom, g.texRight, g.texBottom},
                               {right, top, g.texRight, g.texTop}};
  for (const int c : {0, 1, 2, 0, 2, 3}) {
    batch.insert(batch.end(), corners[c], corners[c] + 4);
    batch.insert(batch.end(), color, color + 4);
  }
}

namespace {
bool whole(double v) { return std::fabs(v - std::round(v)) < 1e-3; }

// One unit of the current drawing space is one pixel of the window, along
// its rows and columns, and whole units fall on the pixels' edges.
bool unitsArePixels() {
  GLdouble model[16], projection[16];
  GLint viewport[4];
  glGetDoublev(GL_MODELVIEW_MATRIX, model);
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  glGetIntegerv(GL_VIEWPORT, viewport);
  GLdouble o[3], x[3], y[3];
  if (!gluProject(0, 0, 0, model, projection, viewport, &o[0], &o[1], &o[2]) ||
      !gluProject(1, 0, 0, model, projection, viewport, &x[0], &x[1], &x[2]) ||
      !gluProject(0, 1, 0, model, projection, viewport, &y[0], &y[1], &y[2])) {
    return false;
  }
  const double ex[2] = {x[0] - o[0], x[1] - o[1]}, ey[2] = {y[0] - o[0], y[1] - o[1]};
  return whole(o[0]) && whole(o[1]) && std::fabs(ex[0] - 1) < 1e-3 && std::fabs(ex[1]) < 1e-3 &&
         std::fabs(ey[0]) < 1e-3 && std::fabs(std::fabs(ey[1]) - 1) < 1e-3;
}
}  // namespace

bool ofTrueTypeFont::batchOnPixels() const {
  for (size_t v = 0; v < batch.size(); v += floatsPerVertex) {
    if (!whole(batch[v]) || !whole(batch[v + 1])) return false;
  }
  return unitsArePixels();
}

void ofTrueTypeFont::drawBatch() {
  if (!hasTexture()) {
    batch.clear();
    return;
  }
  // Texel centres on pixel centres: the nearest texel is what linear
  // filtering would give.
  const GLint filter = antiAliased && !batchOnPixels() ? GL_LINEAR : GL_NEAREST;
  // The colour array leaves the current colour undefined: it is set again.
  float current[4];
  glGetFloatv(GL_CURRENT_COLOR, current);
  glPushAttrib(GL_COLOR_BUFFER_BIT);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, texture);
  if (filter != textureFilter) {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    textureFilter = filter;
  }
  const GLsizei stride = floatsPerVertex * sizeof(float);
  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(2, GL_FLOAT, stride, batch.data());
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glTexCoordPointer(2, GL_FLOAT, stride, batch.data() + 2);
  glEnableClientState(GL_COLOR_ARRAY);
  glColorPointer(4, GL_FLOAT, stride, batch.data() + 4);
  glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(batch.size() / floatsPerVertex));
  glDisableClientState(GL_COLOR_ARRAY);
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  glDisable(GL_TEXTURE_2D);
  glPopAttrib();
  glColor4fv(current);
  batch.clear();
}

void ofTrueTypeFont::drawHeld(void* font) { static_cast<ofTrueTypeFont*>(font)->drawBatch(); }

void ofTrueTypeFont::drawString(const std::string& text, float x, float y) {
  if (!loaded) {
    reportNotLoaded();
    return;
  }
  if (!hasTexture()) return;
  // What was gathered before this font's text is drawn before it.
  if (ofDrawingGatheredBesides(this)) ofFlushDrawing();
  float color[4];
  glGetFloatv(GL_CURRENT_COLOR, color);
  const size_t before = batch.size();
  float penX = x, penY = y;
  for (const char ch : text) {
    const unsigned char c = static_cast<unsigned char>(ch);
    if (c == '\n') {
      penX = x;
      penY += lineHeight;
    } else if (c == ' ') {
      penX += static_cast<float>(glyphs[spaceWidthGlyph].bitmapWidth);
    } else if (const int g = glyphOf(c); g >= 0) {
      addQuad(g, penX, penY, color);
      penX += static_cast<float>(glyphs[g].advance);
    }
  }
  if (batch.size() > before) ofHoldDrawing(this, drawHeld);
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
