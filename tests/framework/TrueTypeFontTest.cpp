#include <GL/gl.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "framework/ofGraphics.h"
#include "framework/ofTrueTypeFont.h"
#include "support/GlTestWindow.h"

using GlTestWindow::beginFrame;

namespace {
const std::string fontFile = std::string(ORVANE_SOURCE_DIR) + "/data/fonts/DejaVuSansMono.ttf";

std::vector<unsigned char> frame() {
  std::vector<unsigned char> pixels(530 * 370 * 4);
  ofFlushDrawing();
  glFinish();
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, 530, 370, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

// Text as it was drawn before a font's glyphs shared one texture: each glyph
// in a power-of-two texture of its own, one draw per glyph, the matrix moved
// between them. The picture drawString gives is held to this one.
class PerGlyphFont {
 public:
  PerGlyphFont(const std::string& file, int size, bool antiAliased, bool fullCharacterSet);
  ~PerGlyphFont() { glDeleteTextures(static_cast<GLsizei>(textures.size()), textures.data()); }
  void drawString(const std::string& text, float x, float y);
  size_t textureBytes() const { return bytes; }

 private:
  struct Glyph {
    int top = 0, width = 0, rows = 0, left = 0, advance = 0;
    float s1 = 0, t1 = 0, s2 = 0, t2 = 0;
  };
  void loadGlyph(FT_GlyphSlot slot, int i, bool antiAliased);
  void drawChar(int i);

  static constexpr int border = 3, visibleBorder = 2;
  std::vector<Glyph> glyphs;
  std::vector<GLuint> textures;
  float lineHeight = 0;
  size_t bytes = 0;
};

int powerOfTwoAtLeast(int n) {
  int p = 2;
  while (p < n) p *= 2;
  return p;
}

PerGlyphFont::PerGlyphFont(const std::string& file, int size, bool antiAliased, bool fullCharacterSet) {
  FT_Library library;
  FT_Init_FreeType(&library);
  FT_Face face;
  FT_New_Face(library, file.c_str(), 0, &face);
  FT_Set_Char_Size(face, size * 64, size * 64, 96, 96);
  lineHeight = size * 1.43f;
  const int count = fullCharacterSet ? 256 : 95;
  glyphs.resize(count);
  textures.resize(count);
  glGenTextures(count, textures.data());
  for (int i = 0; i < count; ++i) {
    FT_Load_Glyph(face, FT_Get_Char_Index(face, (i + 33) % 256), FT_LOAD_DEFAULT);
    FT_Render_Glyph(face->glyph, antiAliased ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO);
    loadGlyph(face->glyph, i, antiAliased);
  }
  FT_Done_Face(face);
  FT_Done_FreeType(library);
}

void PerGlyphFont::loadGlyph(FT_GlyphSlot slot, int i, bool antiAliased) {
  const FT_Bitmap& bitmap = slot->bitmap;
  const int w = powerOfTwoAtLeast(static_cast<int>(bitmap.width) + 2 * border);
  const int h = powerOfTwoAtLeast(static_cast<int>(bitmap.rows) + 2 * border);
  Glyph& g = glyphs[i];
  g = {slot->bitmap_top, static_cast<int>(bitmap.width), static_cast<int>(bitmap.rows),
       slot->bitmap_left, static_cast<int>(slot->advance.x >> 6)};
  g.s1 = static_cast<float>(border - visibleBorder) / w;
  g.t1 = static_cast<float>(border - visibleBorder) / h;
  g.s2 = g.s1 + static_cast<float>(g.width + 2 * visibleBorder) / w;
  g.t2 = g.t1 + static_cast<float>(g.rows + 2 * visibleBorder) / h;
  std::vector<unsigned char> image(static_cast<size_t>(w) * h * 2);
  for (size_t p = 0; p < image.size(); p += 2) image[p] = 255;
  for (int r = 0; r < g.rows; ++r) {
    const unsigned char* row = bitmap.buffer + static_cast<long>(r) * bitmap.pitch;
    for (int c = 0; c < g.width; ++c) {
      image[((r + border) * w + c + border) * 2 + 1] =
          antiAliased ? row[c] : ((row[c / 8] >> (7 - c % 8)) & 1 ? 255 : 0);
    }
  }
  glBindTexture(GL_TEXTURE_2D, textures[i]);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
  const GLint filter = antiAliased ? GL_LINEAR : GL_NEAREST;
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_LUMINANCE_ALPHA, w, h, 0, GL_LUMINANCE_ALPHA, GL_UNSIGNED_BYTE,
               image.data());
  bytes += image.size();
}

void PerGlyphFont::drawChar(int i) {
  const Glyph& g = glyphs[i];
  const float x1 = g.left + g.width + 2.0f * visibleBorder, y1 = g.rows - g.top + 2.0f * visibleBorder;
  const float x2 = g.left, y2 = -g.top;
  const float texCoords[8] = {g.s1, g.t1, g.s1, g.t2, g.s2, g.t2, g.s2, g.t1};
  const float verts[8] = {x2, y2, x2, y1, x1, y1, x1, y2};
  glBindTexture(GL_TEXTURE_2D, textures[i]);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glTexCoordPointer(2, GL_FLOAT, 0, texCoords);
  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(2, GL_FLOAT, 0, verts);
  glDrawArrays(GL_TRIANGLE_FAN, 0, 4);
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
}

void PerGlyphFont::drawString(const std::string& text, float x, float y) {
  ofFlushDrawing();
  glPushAttrib(GL_COLOR_BUFFER_BIT);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_TEXTURE_2D);
  glPushMatrix();
  glTranslatef(x, y, 0);
  float penX = 0;
  for (const char ch : text) {
    const int c = static_cast<unsigned char>(ch);
    const int g = c - 33;
    if (c == '\n') {
      glTranslatef(-penX, lineHeight, 0);
      penX = 0;
    } else if (c == ' ') {
      const float width = static_cast<float>(glyphs['p' - 33].width);
      glTranslatef(width, 0, 0);
      penX += width;
    } else if (g >= 0 && g < static_cast<int>(glyphs.size())) {
      drawChar(g);
      glTranslatef(static_cast<float>(glyphs[g].advance), 0, 0);
      penX += glyphs[g].advance;
    }
  }
  glPopMatrix();
  glDisable(GL_TEXTURE_2D);
  glPopAttrib();
}

struct Difference {
  int worst = 0;      // the largest difference in one channel
  int apart = 0;      // channels that differ at all
  int beyondOne = 0;  // channels that differ by more than one step
  int lit = 0;        // channels lit in the reference
};

// Red, green and blue of every pixel; the window's alpha is not looked at.
Difference compare(const std::vector<unsigned char>& reference, const std::vector<unsigned char>& drawn) {
  Difference d;
  for (size_t i = 0; i < reference.size(); ++i) {
    if (i % 4 == 3) continue;
    const int delta = std::abs(reference[i] - drawn[i]);
    d.worst = std::max(d.worst, delta);
    d.apart += delta > 0;
    d.beyondOne += delta > 1;
    d.lit += reference[i] > 0;
  }
  return d;
}

struct FontTest : testing::Test {
  ofTrueTypeFont font;
  void SetUp() override {
    GlTestWindow::ensure();
    font.loadFont(fontFile, 8);
    ASSERT_TRUE(font.isLoaded());
  }
};
}  // namespace

TEST_F(FontTest, LineHeightAndWidthsOfSpaces) {
  EXPECT_FLOAT_EQ(font.lineHeight, 11.44f);
  EXPECT_EQ(font.stringWidth(""), 0);
  EXPECT_EQ(font.stringWidth("   "), 0);
  EXPECT_EQ(font.stringWidth(" A"), font.stringWidth("A"));
  EXPECT_GT(font.stringWidth("A"), 4);  // the glyph plus its drawn border
  EXPECT_GT(font.stringWidth("AA"), font.stringWidth("A"));
  // A leading space moves the box without widening it.
  EXPECT_GT(font.getStringBoundingBox(" A", 0, 0).x, font.getStringBoundingBox("A", 0, 0).x);
  const ofRectangle blank = font.getStringBoundingBox("   ", 0, 0);
  EXPECT_EQ(blank.x, -1);
  EXPECT_EQ(blank.width, 0);
}

TEST_F(FontTest, BoxCountsWholeLinesWhileDrawingUsesTheExactLineHeight) {
  const ofRectangle both = font.getStringBoundingBox("A\nB", 10, 30);
  const ofRectangle second = font.getStringBoundingBox("B", 10, 41);
  EXPECT_EQ(both.y + both.height, second.y + second.height);

  beginFrame();
  font.drawString("A\nB", 10, 30);
  const std::vector<unsigned char> together = frame();
  beginFrame();
  font.drawString("A", 10, 30);
  font.drawString("B", 10, 30 + 11.44f);
  EXPECT_TRUE(frame() == together);
}

TEST_F(FontTest, DrawnTextTakesTheCurrentColour) {
  ofTrueTypeFont big;
  big.loadFont(fontFile, 30);
  beginFrame();
  ofSetColor(255, 0, 0);
  big.drawString("M", 100, 100);
  const std::vector<unsigned char> pixels = frame();
  int red = 0, other = 0;
  for (size_t i = 0; i < pixels.size(); i += 4) {
    if (pixels[i] == 0 && pixels[i + 1] == 0 && pixels[i + 2] == 0) continue;
    (pixels[i + 1] == 0 && pixels[i + 2] == 0 ? red : other) += 1;
  }
  EXPECT_GT(red, 50);
  EXPECT_EQ(other, 0);
}

TEST_F(FontTest, BytesOutsideTheCharacterSetAreSkippedWithoutMovingThePen) {
  EXPECT_EQ(font.stringWidth("A\xE9" "B"), font.stringWidth("AB"));
  EXPECT_EQ(font.stringWidth("A\x01\tB"), font.stringWidth("AB"));
  ofTrueTypeFont full;
  full.loadFont(fontFile, 8, true, true, false);
  EXPECT_GT(full.stringWidth("A\xE9" "B"), full.stringWidth("AB"));
}

TEST(FontLoading, BadFilesAndNamesLeaveTheFontUnloadedWithOneLogLine) {
  GlTestWindow::ensure();
  const std::string notAFont = std::string(ORVANE_SOURCE_DIR) + "/README.md";
  for (const std::string& name :
       {notAFont, std::string(""), std::string("/no/such/font.ttf"), std::string("/dev/zero")}) {
    ofTrueTypeFont font;
    testing::internal::CaptureStdout();
    font.loadFont(name, 8);
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_FALSE(font.isLoaded()) << name;
    EXPECT_EQ(log.rfind("OF_ERROR: could not load font ", 0), 0u) << log;
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << log;

    testing::internal::CaptureStdout();
    font.drawString("x", 0, 0);
    font.drawString("x", 0, 0);  // every frame: said once, not every time
    font.stringWidth("x");
    const std::string drawLog = testing::internal::GetCapturedStdout();
    // The font's file and the trouble, never a place in the program's source.
    const std::string said = name.empty() ? "OF_ERROR: no font loaded: text is not drawn"
                                          : "OF_ERROR: font " + name + " did not load";
    EXPECT_EQ(drawLog.rfind(said, 0), 0u) << drawLog;
    EXPECT_EQ(drawLog.find(".cpp"), std::string::npos) << drawLog;
    EXPECT_EQ(std::count(drawLog.begin(), drawLog.end(), '\n'), 1) << drawLog;
  }
}

TEST(FontLoading, SizesOutsideOneTo256AreRefused) {
  GlTestWindow::ensure();
  for (int size : {0, -8, 257, 100000000}) {
    ofTrueTypeFont font;
    testing::internal::CaptureStdout();
    font.loadFont(fontFile, size);
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_FALSE(font.isLoaded()) << size;
    EXPECT_NE(log.find("is not within 1..256"), std::string::npos) << log;
  }
}

TEST(FontLoading, AFailedReloadLeavesTheFontUnloaded) {
  GlTestWindow::ensure();
  ofTrueTypeFont font;
  font.loadFont(fontFile, 8);
  ASSERT_TRUE(font.isLoaded());
  testing::internal::CaptureStdout();
  font.loadFont("/no/such/font.ttf", 8);
  testing::internal::GetCapturedStdout();
  EXPECT_FALSE(font.isLoaded());
}

namespace {
struct Line {
  const char* text;
  float x, y;  // y in lines of the font, from the top
  int r, g, b, a;
};

// Every kind of character the game shows, at whole, half (centred text) and
// other fractions of a pixel, opaque and translucent, over black and over a
// coloured band.
const Line lines[] = {
    {"The quick brown fox jumps over the lazy dog.", 4, 1, 255, 255, 255, 255},
    {"SPHINX OF BLACK QUARTZ, JUDGE MY VOW 0123456789", 4, 2.5f, 255, 0, 0, 255},
    {"!\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~\x7f", 4.5f, 4, 20, 205, 220, 128},
    {"fuel: 9.87   time  0:01:23", 10.25f, 5.5f, 255, 128, 0, 200},
    {"two lines\n  and a third\n\nafter a blank", 30, 7, 200, 200, 255, 255},
    {"  spaces before and after  ", 7.5f, 11.3f, 90, 255, 90, 60},
    {"A\xE9" "B\x01\tC \xF0\xFE", 300, 1, 255, 255, 0, 255},
    {"Loading...", 300.5f, 2.5f, 255, 255, 255, 255},
};

using DrawString = std::function<void(const std::string&, float, float)>;

// The table, then once more at twice the size, as on a screen shown larger.
void drawTable(const DrawString& drawString, float lineHeight, float shift) {
  ofFill();
  ofSetColor(40, 80, 120);
  ofRect(0, lineHeight * 3.2f, 530, lineHeight * 4);
  for (const float scale : {1.0f, 2.0f}) {
    ofPushMatrix();
    ofTranslate(0, (scale - 1) * lineHeight * 13);
    ofScale(scale, scale);
    for (const Line& line : lines) {
      ofSetColor(line.r, line.g, line.b, line.a);
      drawString(line.text, line.x + shift, line.y * lineHeight);
    }
    // A menu as the title draws it, in a batch of its own: on whole pixels
    // at the first scale, on every other pixel at the second.
    ofPushMatrix();
    ofTranslate(200, 40);
    ofSetColor(255, 211, 0, 150);
    drawString("start   : enter", shift, 0);
    drawString("ghost h : on   calm c : off", shift, 20);
    ofPopMatrix();
    ofPopMatrix();
  }
}

struct FontCase {
  const char* name;
  int size;
  bool antiAliased, fullCharacterSet;
  // Nearest-texel fonts: a pixel centre exactly on a texel edge takes either
  // texel, as float rounding falls, so such fonts are compared off the edges.
  float shift;
};

// The title's font (data/font.xml, loaded as the title loads it), the same
// face as play's display loads it, one without anti-aliasing, a large one.
const FontCase fontCases[] = {
    {"title", 8, true, false, 0},
    {"in play", 8, true, true, 0},
    {"not anti-aliased", 12, false, false, 0.1f},
    {"large", 30, true, true, 0},
};

// The channels the text touches: those where the table with its text
// differs from the table without.
int textChannels(const std::vector<unsigned char>& withText, const std::vector<unsigned char>& without) {
  int n = 0;
  for (size_t i = 0; i < withText.size(); ++i) n += i % 4 != 3 && withText[i] != without[i];
  return n;
}
}  // namespace

// The nearest-texel font must match exactly. Linear filtering weighs two
// texels by the sample's place between them, cut to 1/256: where that place
// is a whole number of 256ths (text on whole and half pixels) the smallest
// rounding in the transform tips it one way or the other, so a step of
// difference is common and two steps (both directions tipped) rare. The old
// drawing does the same against itself moved by a ten-thousandth of a
// pixel. Anything moved by a pixel would differ by far more.
TEST(FontLook, StringsLookAsWhenEachGlyphHadItsOwnTextureInLessMemory) {
  GlTestWindow::ensure();
  for (const FontCase& fc : fontCases) {
    ofTrueTypeFont font;
    font.loadFont(fontFile, fc.size, fc.antiAliased, fc.fullCharacterSet, false);
    ASSERT_TRUE(font.isLoaded()) << fc.name;
    PerGlyphFont reference(fontFile, fc.size, fc.antiAliased, fc.fullCharacterSet);
    const auto table = [&](const DrawString& drawString) {
      beginFrame();
      drawTable(drawString, font.lineHeight, fc.shift);
      return frame();
    };
    const std::vector<unsigned char> expected =
        table([&](const std::string& s, float x, float y) { reference.drawString(s, x, y); });
    const Difference d = compare(expected, table([&](const std::string& s, float x, float y) {
      font.drawString(s, x, y);
    }));
    const int text = textChannels(expected, table([](const std::string&, float, float) {}));

    EXPECT_GT(text, 10000) << fc.name;
    if (fc.antiAliased) {
      EXPECT_LE(d.worst, 2) << fc.name;
      EXPECT_LE(d.beyondOne * 1000, text) << fc.name << ": " << d.beyondOne << " of " << text;
    } else {
      EXPECT_EQ(d.apart, 0) << fc.name << ": by as much as " << d.worst;
    }
    EXPECT_LT(font.textureBytes(), reference.textureBytes()) << fc.name;
    std::printf("%s: %d of %d channels of text apart, %d by more than one step, at most %d; "
                "texture bytes %zu, one texture a glyph %zu\n",
                fc.name, d.apart, text, d.beyondOne, d.worst, font.textureBytes(),
                reference.textureBytes());
  }
}

TEST_F(FontTest, ALostTextureIsReportedOnceAndItsTextIsNotDrawn) {
  beginFrame();
  font.drawString("A", 10, 30);
  ofFlushDrawing();
  GLint drawnFrom = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &drawnFrom);
  ASSERT_NE(drawnFrom, 0);
  const GLuint texture = static_cast<GLuint>(drawnFrom);
  glDeleteTextures(1, &texture);

  beginFrame();
  testing::internal::CaptureStdout();
  font.drawString("AB", 10, 30);
  font.drawString("CD\nEF", 10, 60);
  const std::string log = testing::internal::GetCapturedStdout();
  EXPECT_EQ(log.rfind("OF_WARNING: font " + fontFile + " has lost its texture", 0), 0u) << log;
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << log;
  EXPECT_EQ(GlTestWindow::litPixels(0, 0, 530, 370), 0);
}

// Strings wait to be drawn together, but never out of turn with lines and
// bitmap text: whatever is drawn later covers what was drawn earlier.
TEST_F(FontTest, GatheredTextKeepsItsTurnWithLinesAndBitmapText) {
  ofTrueTypeFont other;
  other.loadFont(fontFile, 8);
  const auto text = [](ofTrueTypeFont& f) {
    ofSetColor(0, 255, 0);
    f.drawString("MMMMMMMM", 100, 100);
  };
  const auto line = [] {
    ofSetColor(255, 0, 0);
    ofLine(90, 96.5f, 200, 96.5f);
  };
  struct Case {
    const char* name;
    std::function<void()> draw;
    bool lineOnTop;
  };
  const Case cases[] = {
      {"text, line", [&] { text(font), line(); }, true},
      {"line, text", [&] { line(), text(font); }, false},
      {"text, line, the same font", [&] { text(font), line(), text(font); }, false},
      {"text, bitmap text, line",
       [&] { text(font), ofDrawBitmapString("x", 300, 300), line(); }, true},
      {"another font, line, text", [&] { text(other), line(), text(font); }, false},
  };
  for (const Case& c : cases) {
    GlTestWindow::beginFrame();
    c.draw();
    int pureRed = 0, lineLength = 0;
    for (int x = 100; x < 150; ++x) {
      const Rgb p = GlTestWindow::pixel(x, 96);
      lineLength += p.r > 0;
      pureRed += p == Rgb{255, 0, 0};
    }
    EXPECT_GT(lineLength, 40) << c.name;
    if (c.lineOnTop) {
      EXPECT_EQ(pureRed, lineLength) << c.name;
    } else {
      EXPECT_LT(pureRed, lineLength - 10) << c.name;
    }
  }
}
