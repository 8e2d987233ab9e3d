// ofDrawBitmapString gathers its text and draws it at the flush; the picture
// must be the one the text drew one glBitmap per character (one quad array
// per glyph on a screen shown larger), pixel for pixel. Each scene is drawn
// three times: without text, with that older drawing, which the test keeps
// as the reference, and with ofDrawBitmapString.

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "framework/ofAppRunner.h"
#include "framework/ofBitmapFont.h"
#include "framework/ofGraphics.h"
#include "support/GlTestWindow.h"

namespace {
using DrawText = void (*)(const std::string& text, float x, float y);

void noText(const std::string&, float, float) {}

// The characters of UTF-8 text up to 255: a byte below 128 is itself, 0xC2
// or 0xC3 and a continuation byte make one of 128..255, and any other byte
// is -1.
std::vector<int> codesOf(const std::string& text) {
  std::vector<int> codes;
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char b = static_cast<unsigned char>(text[i]);
    const unsigned char next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
    if (b < 0x80) {
      codes.push_back(b);
    } else if ((b == 0xC2 || b == 0xC3) && (next & 0xC0) == 0x80) {
      codes.push_back((b & 0x1F) << 6 | (next & 0x3F));
      ++i;
    } else {
      codes.push_back(-1);
    }
  }
  return codes;
}

// ASCII from the space on and the Latin-1 letters and signs have glyphs.
bool drawn(int code) { return (code >= 32 && code < 128) || code >= 160; }

// At pixel scale 1: one glBitmap per character from GL's raster position.
void glBitmapText(const std::string& text, float x, float y) {
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
  glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glRasterPos2f(x, y);
  float lineOffset = 0;
  for (const int code : codesOf(text)) {
    if (code == '\n') {
      lineOffset += 8 * 1.7f;
      glRasterPos2f(x, y + static_cast<int>(lineOffset));
    } else if (drawn(code)) {
      glBitmap(8, 14, 0, 3, 8, 0, ofBitmapFontGlyphs[code] + 1);
    }
  }
  glPopClientAttrib();
}

// On a screen shown larger: one quad per lit pixel, one draw per glyph.
void glyphQuadText(const std::string& text, float x, float y) {
  float left = x, baseline = y, lineOffset = 0;
  for (const int code : codesOf(text)) {
    if (code == '\n') {
      lineOffset += 8 * 1.7f;
      left = x;
      baseline = y + static_cast<int>(lineOffset);
    } else if (drawn(code)) {
      const unsigned char* rows = ofBitmapFontGlyphs[code] + 1;
      std::vector<float> quads;
      for (int r = 0; r < 14; ++r) {
        const float top = baseline + 2 - r;
        for (int col = 0; col < 8; ++col) {
          if (!(rows[r] & (0x80 >> col))) continue;
          const float px = left + col;
          quads.insert(quads.end(), {px, top, px + 1, top, px + 1, top + 1, px, top + 1});
        }
      }
      glEnableClientState(GL_VERTEX_ARRAY);
      glVertexPointer(2, GL_FLOAT, 0, quads.data());
      glDrawArrays(GL_QUADS, 0, static_cast<int>(quads.size() / 2));
      left += 8;
    }
  }
}

// The older drawing as ofDrawBitmapString did it: lines gathered so far
// first, then the text straight away.
void referenceText(const std::string& text, float x, float y) {
  ofFlushDrawing();
  if (ofGetPixelScale() != 1) {
    glyphQuadText(text, x, y);
  } else {
    glBitmapText(text, x, y);
  }
}

void severalStrings(DrawText text) {
  ofSetHexColor(0x009B95);
  text("map: level07", 10, 20);
  text("id: 3", 10, 33);
  ofSetColor(255, 255, 255);
  text("no warp", 200, 150);
  ofSetColor(250, 200, 40);
  text("{}[]()<>!?@#$%^&*_~|\\/`'\"", 10, 300);
  text("ABCDEFGHIJKLMNOPQRSTUVWXYZ abcdefghijklmnopqrstuvwxyz 0123456789", 10, 320);
}

void newlines(DrawText text) { text("first\nsecond line\n\nfourth, after a blank", 30, 60); }

void skippedBytes(DrawText text) { text("\tA\x01\xC3\x7F" "B\x80z", 40, 90); }

// UTF-8 for caf\u00e9 \u00fcber \u00a35 \u00c5 \u00ff; a character beyond Latin-1 (\u0142), a lone
// lead byte and the C1 control U+0085 draw nothing.
void latinLetters(DrawText text) {
  text("caf\xC3\xA9 \xC3\xBC" "ber \xC2\xA3" "5 \xC3\x85 \xC3\xBF|\xC5\x82|\xC3|\xC2\x85|", 40, 120);
}

void fractionalStarts(DrawText text) {
  text("ends .99995", 10.99995f, 40.99995f);
  text("ends .5", 10.5f, 60.5f);
  text("ends .00004", 10.00004f, 80.00004f);
  text("ends .4999\nnext", 100.4999f, 100.4999f);
}

void translatedModelView(DrawText text) {
  ofPushMatrix();
  ofTranslate(123.4f, 56.7f);
  text("moved\nwith the matrix", 5, 10);
  ofPopMatrix();
}

// Only where the text starts moves: glBitmap neither turns nor scales it.
void turnedAndScaledModelView(DrawText text) {
  ofPushMatrix();
  ofTranslate(250, 120);
  ofRotate(30);
  ofScale(1.5f, 1.5f);
  text("upright\nand life size", 20, 10);
  ofPopMatrix();
}

void alphaOverDrawing(DrawText text) {
  ofFill();
  ofSetColor(200, 30, 30);
  ofRect(20, 100, 200, 60);
  ofEnableAlphaBlending();
  ofSetColor(0, 155, 149, 128);
  text("half seen over red", 25, 120);
  ofSetColor(255, 255, 255, 77);
  text("half seen over red", 26, 121);  // overlaps the first: blended twice
  text("over the black", 25, 190);
  ofDisableAlphaBlending();
}

// The start outside the viewport invalidates the whole line: nothing drawn,
// though most of each string would be inside the window.
void startsOffTheLeftAndTop(DrawText text) {
  text("starts just off the left edge", -0.5f, 100);
  text("starts just above the top", 50, -0.5f);
  text("off the left\nand still off", -3, 200);
}

// Only the line whose own start is inside is drawn.
void secondLineComesIntoView(DrawText text) { text("above the top\nthis line shows", 20, -5); }

// Starts on the window's edges, and a string cut off by the right edge.
void alongTheEdges(DrawText text) {
  text("this string runs off the right edge of the window", 420, 50);
  text("on the left edge", 0, 30);
  text("on the bottom row", 100, 369.5f);
  text("on the bottom edge", 300, 370);
}

// A viewport smaller than the window: glBitmap draws past its edge.
void pastTheViewport(DrawText text) {
  glViewport(0, 0, 265, 185);
  text("runs past the viewport", 200, 250);
  ofFlushDrawing();
  glViewport(0, 0, ofGetWidth(), ofGetHeight());
}

void insideTheScissor(DrawText text) {
  glScissor(40, 200, 60, 100);
  glEnable(GL_SCISSOR_TEST);
  text("cut by the scissor box", 20, 150);
  ofFlushDrawing();
  glDisable(GL_SCISSOR_TEST);
}

// Lines through the text before and after it: each drawn over the other in
// the order of the calls.
void betweenLines(DrawText text) {
  ofSetColor(255, 0, 0);
  ofLine(0, 115, 300, 115);
  ofLine(60, 100, 60, 130);
  ofSetColor(0, 255, 0);
  text("struck through", 50, 120);
  text("twice", 50, 133);
  ofSetColor(0, 0, 255);
  ofLine(0, 117, 300, 117);
  ofLine(62, 100, 62, 140);
  ofSetColor(255, 255, 0);
  text("and again", 50, 146);
}

// More pixels than one batch of gathered text holds.
void aScreenfulOfText(DrawText text) {
  const std::string line(70, '#');
  for (int row = 0; row < 26; ++row) {
    ofSetColor(255, 10 * row, 255 - 9 * row);
    text(line, 0, 12.0f + 13.6f * row);
  }
}

// A screen shown twice as large: model-view quads, turned and blended.
void shownLarger(DrawText text) {
  ofSetPixelScale(2);
  ofEnableAlphaBlending();
  ofPushMatrix();
  ofTranslate(40.25f, 30.5f);
  ofRotate(7);
  ofScale(2, 2);
  ofSetColor(120, 220, 255, 160);
  text("Ag|\nb_ turned \xC3\xA9", 10, 12);
  ofPopMatrix();
  ofSetColor(255, 255, 255);
  text("straight", 300.5f, 200);
  ofLine(290, 196, 400, 196);
  ofDisableAlphaBlending();
  ofSetPixelScale(1);
}

struct Scene {
  const char* name;
  void (*draw)(DrawText);
  bool drawsText;  // false: the reference itself draws nothing
};

const Scene scenes[] = {
    {"several strings", severalStrings, true},
    {"newlines", newlines, true},
    {"skipped bytes", skippedBytes, true},
    {"Latin-1 letters in UTF-8", latinLetters, true},
    {"fractional starts", fractionalStarts, true},
    {"translated model-view", translatedModelView, true},
    {"turned and scaled model-view", turnedAndScaledModelView, true},
    {"alpha over drawing", alphaOverDrawing, true},
    {"starts off the left and top", startsOffTheLeftAndTop, false},
    {"second line comes into view", secondLineComesIntoView, true},
    {"along the edges", alongTheEdges, true},
    {"past the viewport", pastTheViewport, true},
    {"inside the scissor", insideTheScissor, true},
    {"between lines", betweenLines, true},
    {"a screenful of text", aScreenfulOfText, true},
    {"shown larger", shownLarger, true},
};

// The whole window, bottom row first.
std::vector<unsigned char> picture(const Scene& scene, DrawText text) {
  GlTestWindow::beginFrame();
  scene.draw(text);
  ofFlushDrawing();
  glFinish();
  glReadBuffer(GL_BACK);
  std::vector<unsigned char> p(static_cast<size_t>(ofGetWidth()) * ofGetHeight() * 4);
  glReadPixels(0, 0, ofGetWidth(), ofGetHeight(), GL_RGBA, GL_UNSIGNED_BYTE, p.data());
  return p;
}

struct Difference {
  int pixels = 0;
  std::string first;
};

Difference compare(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
  Difference d;
  for (size_t i = 0; i < a.size(); i += 4) {
    if (a[i] == b[i] && a[i + 1] == b[i + 1] && a[i + 2] == b[i + 2]) continue;
    if (d.pixels++ > 0) continue;
    const int at = static_cast<int>(i / 4);
    const int x = at % ofGetWidth(), y = ofGetHeight() - 1 - at / ofGetWidth();
    auto rgb = [&](const std::vector<unsigned char>& p) {
      return Rgb{p[i], p[i + 1], p[i + 2]};
    };
    std::ostringstream out;
    out << "first at (" << x << ", " << y << "): " << rgb(a) << " then " << rgb(b);
    d.first = out.str();
  }
  return d;
}
}  // namespace

TEST(BitmapText, GatheredTextDrawsTheSamePixelsAsOneDrawPerCharacter) {
  for (const Scene& scene : scenes) {
    const std::vector<unsigned char> blank = picture(scene, noText);
    const std::vector<unsigned char> reference = picture(scene, referenceText);
    const std::vector<unsigned char> gathered = picture(scene, ofDrawBitmapString);
    EXPECT_EQ(compare(blank, reference).pixels > 0, scene.drawsText)
        << scene.name << ": the reference drawing " << (scene.drawsText ? "drew no" : "drew")
        << " text";
    const Difference d = compare(reference, gathered);
    EXPECT_EQ(d.pixels, 0) << scene.name << ": " << d.first;
  }
}
