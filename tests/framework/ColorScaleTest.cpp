#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "framework/ofAppRunner.h"
#include "framework/ofGraphics.h"
#include "support/GlTestWindow.h"

namespace {

// Lines of several colours, some translucent and crossing each other, a
// translucent filled rectangle over them, and bitmap text.
void scene() {
  ofEnableAlphaBlending();
  ofNoFill();
  for (int i = 0; i < 40; ++i) {
    ofSetColor(40 + i * 5, 255 - i * 6, (i * 37) % 256, i % 3 == 0 ? 255 : 90 + i * 4);
    ofLine(10.0f + i * 12, 20, 500.0f - i * 9, 340);
  }
  ofFill();
  ofSetColor(255, 128, 0, 140);
  ofRect(100, 100, 200, 80);
  ofSetColor(20, 205, 220);
  ofDrawBitmapString("fuel: 9.87", 10, 30);
  ofNoFill();
}
}  // namespace

// The game dims its scene by drawing every colour darker instead of laying
// black over the finished picture: on a black background both must look
// the same, whatever the amount.
TEST(ColorScale, DarkerColoursLookLikeBlackLaidOver) {
  for (const int dimming : {0, 1, 25, 49}) {
    GlTestWindow::beginFrame();
    scene();
    ofFill();
    ofSetColor(0, 0, 0, dimming);
    ofRect(0, 0, 530, 370);
    const std::vector<unsigned char> laidOver = GlTestWindow::windowRgb();

    GlTestWindow::beginFrame();
    ofSetColorScale((255 - dimming) / 255.0f);
    scene();
    ofSetColorScale(1);
    const std::vector<unsigned char> scaled = GlTestWindow::windowRgb();

    // Each translucent layer rounds to 8 bits in its own place, so a pixel
    // under several of them may be a step or two apart; hardly any are.
    int worst = 0, lit = 0, apart = 0;
    for (size_t i = 0; i < scaled.size(); ++i) {
      const int d = std::abs(scaled[i] - laidOver[i]);
      worst = std::max(worst, d);
      apart += d > 1;
      lit += laidOver[i] > 0;
    }
    EXPECT_GT(lit, 10000) << "dimming " << dimming;
    EXPECT_LE(worst, 2) << "dimming " << dimming;
    EXPECT_LT(apart, lit / 100) << "dimming " << dimming;
  }
}

TEST(ColorScale, AppliesToColoursSetAfterItAndNotToAlpha) {
  GlTestWindow::beginFrame();
  ofFill();
  ofSetColor(200, 100, 50);
  ofSetColorScale(0.5f);
  ofRect(0, 0, 10, 10);  // set before: as given
  ofSetColor(200, 100, 50);
  ofRect(20, 0, 10, 10);
  ofSetColorScale(1);
  EXPECT_EQ(GlTestWindow::pixel(5, 5), (Rgb{200, 100, 50}));
  EXPECT_EQ(GlTestWindow::pixel(25, 5), (Rgb{100, 50, 25}));
  EXPECT_EQ(ofGetStyle().color.r, 200) << "the style keeps the colour asked for";
}
