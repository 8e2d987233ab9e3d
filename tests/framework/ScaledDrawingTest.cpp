// Drawing on a screen shown larger: the test window's 530 by 370 pixels
// show a screen of 265 by 185 twice as large, as the window runner does at
// scale 2. Lines must grow as wide and the editors' bitmap text as large.

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/ofAppBaseWindow.h"
#include "framework/ofAppRunner.h"
#include "framework/ofGraphics.h"
#include "framework/ofScreen.h"
#include "support/GlTestWindow.h"

namespace {
struct ScaledDrawing : testing::Test {
  ofHeadlessWindow halfSize;

  // A cleared frame of a screen 1/scale of the window, shown scale times.
  void beginFrame(int scale) {
    GlTestWindow::beginFrame();
    halfSize.setWindowShape(530 / scale, 370 / scale);
    ofSetCurrentWindow(&halfSize);
    ofSetupScreen();  // the screen's coordinates over the whole viewport
    GlTestWindow::ensure();
    ofSetPixelScale(static_cast<float>(scale));
    ofSetColor(255, 255, 255);
  }
  void TearDown() override {
    ofSetPixelScale(1);
    ofSetLineWidth(1);
  }

  // The window's pixels in a rectangle, top row first: lit or not.
  static std::vector<bool> lit(int x, int y, int w, int h) {
    ofFlushDrawing();
    glFinish();
    glReadBuffer(GL_BACK);
    std::vector<unsigned char> p(static_cast<size_t>(w) * h * 4);
    glReadPixels(x, 370 - y - h, w, h, GL_RGBA, GL_UNSIGNED_BYTE, p.data());
    std::vector<bool> rows(static_cast<size_t>(w) * h);
    for (int j = 0; j < h; ++j) {
      for (int i = 0; i < w; ++i) {
        const size_t at = (static_cast<size_t>(h - 1 - j) * w + i) * 4;
        rows[static_cast<size_t>(j) * w + i] = (p[at] | p[at + 1] | p[at + 2]) != 0;
      }
    }
    return rows;
  }
};
}  // namespace

TEST_F(ScaledDrawing, LinesAreAsManyTimesWiderAsTheScreenIsLarger) {
  struct Case {
    int scale;
    float width;
  };
  const Case cases[] = {{1, 1}, {1, 3}, {2, 1}, {2, 3}};
  for (const Case& c : cases) {
    beginFrame(c.scale);
    ofSetLineWidth(c.width);
    ofLine(5, 20, 100, 20);
    const std::vector<bool> column = lit(40 * c.scale, 0, 1, 370);
    const int rows = static_cast<int>(std::count(column.begin(), column.end(), true));
    EXPECT_EQ(rows, static_cast<int>(c.width) * c.scale) << c.scale << " x " << c.width;
    EXPECT_EQ(ofGetStyle().lineWidth, c.width) << "the style keeps screen pixels";
  }
}

TEST_F(ScaledDrawing, BitmapTextIsTheSamePictureTwiceAsLarge) {
  const std::string text = "Ag|\nb_";
  const int x = 20, y = 30;  // baseline of the first line, in screen pixels
  const int left = 16, top = 14, w = 40, h = 40;
  beginFrame(1);
  ofDrawBitmapString(text, x, y);
  const std::vector<bool> small = lit(left, top, w, h);
  ASSERT_GT(std::count(small.begin(), small.end(), true), 40) << "the text was drawn";

  beginFrame(2);
  ofDrawBitmapString(text, x, y);
  const std::vector<bool> large = lit(2 * left, 2 * top, 2 * w, 2 * h);
  int differing = 0;
  for (int j = 0; j < 2 * h; ++j) {
    for (int i = 0; i < 2 * w; ++i) {
      const bool expected = small[static_cast<size_t>(j / 2) * w + i / 2];
      differing += large[static_cast<size_t>(j) * 2 * w + i] != expected;
    }
  }
  EXPECT_EQ(differing, 0);
}
