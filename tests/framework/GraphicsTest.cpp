#include <GL/gl.h>
#include <gtest/gtest.h>

#include "framework/ofAppRunner.h"
#include "framework/ofGraphics.h"
#include "framework/ofScreen.h"
#include "support/GlTestWindow.h"

using GlTestWindow::beginFrame;
using GlTestWindow::litPixels;
using GlTestWindow::pixel;

TEST(Graphics, ColourComponentsAreClampedOnTheWayToGl) {
  beginFrame();
  ofFill();
  ofSetColor(300, -5, 128);
  EXPECT_EQ(ofGetStyle().color.r, 255);
  EXPECT_EQ(ofGetStyle().color.g, 0);
  EXPECT_NEAR(ofGetStyle().color.b, 128, 0.01);
  ofRect(100, 100, 20, 20);
  const Rgb p = pixel(110, 110);
  EXPECT_EQ(p.r, 255);
  EXPECT_EQ(p.g, 0);
  EXPECT_NEAR(p.b, 128, 1);

  ofSetHexColor(0xFF8000);
  EXPECT_EQ(ofGetStyle().color.g, 128);
  EXPECT_EQ(ofGetStyle().color.a, 255);
}

TEST(Graphics, ScreenOriginIsTheTopLeftPixel) {
  // A one-pixel square at (0, 0) covers exactly the window's first pixel.
  beginFrame();
  ofFill();
  ofRect(0, 0, 1, 1);
  ofRect(529, 369, 1, 1);
  EXPECT_EQ(pixel(0, 0), (Rgb{255, 255, 255}));
  EXPECT_EQ(pixel(529, 369), (Rgb{255, 255, 255}));
  EXPECT_EQ(litPixels(0, 0, 530, 370), 2);
}

TEST(Graphics, FilledAndOutlineShapes) {
  struct Case {
    const char* name;
    void (*draw)();
  };
  const Case cases[] = {
      {"rect", [] { ofRect(200, 100, 60, 60); }},
      {"circle", [] { ofCircle(230, 130, 30); }},
      {"ellipse", [] { ofEllipse(230, 130, 60, 60); }},
      {"triangle", [] { ofTriangle(200, 160, 260, 160, 230, 100); }},
  };
  for (const Case& c : cases) {
    beginFrame();
    ofFill();
    c.draw();
    EXPECT_NE(pixel(230, 145), (Rgb{})) << c.name << " filled";
    beginFrame();
    ofNoFill();
    c.draw();
    EXPECT_EQ(pixel(230, 145), (Rgb{})) << c.name << " outline leaves the inside empty";
    EXPECT_GT(litPixels(195, 95, 70, 70), 60) << c.name << " outline is drawn";
  }
  ofFill();
}

TEST(Graphics, NegativeRectangleSizesDrawLeftAndUp) {
  beginFrame();
  ofFill();
  ofRect(300, 300, -20, -20);
  EXPECT_NE(pixel(290, 290), (Rgb{}));
  EXPECT_EQ(pixel(310, 310), (Rgb{}));
}

TEST(Graphics, CirclesHaveTwentyTwoVerticesUnlessChanged) {
  beginFrame();
  ofFill();
  ofCircle(100, 100, 40);
  EXPECT_EQ(ofGetCircleResolution(), 22);
  // The first vertex is at angle 0, so the rightmost point reaches the radius.
  EXPECT_NE(pixel(139, 100), (Rgb{}));
  ofSetCircleResolution(1);
  EXPECT_EQ(ofGetCircleResolution(), 22);
  ofSetCircleResolution(0);
  EXPECT_EQ(ofGetCircleResolution(), 22);
  ofSetCircleResolution(5000);
  EXPECT_EQ(ofGetCircleResolution(), 1024);
  ofSetCircleResolution(22);
}

TEST(Graphics, SmoothingFlagFollowsTheSetters) {
  ofEnableSmoothing();
  EXPECT_TRUE(ofGetStyle().smoothing);
  beginFrame();
  ofLine(10, 10, 100, 10);
  EXPECT_NE(pixel(50, 10), (Rgb{}));
  // The smoothing bracket restores the blend state it changed.
  EXPECT_FALSE(glIsEnabled(GL_LINE_SMOOTH));
  ofDisableSmoothing();
  EXPECT_FALSE(ofGetStyle().smoothing);
}

TEST(Graphics, BitmapTextBaselineAndSecondLineThirteenPixelsLower) {
  beginFrame();
  ofDrawBitmapString("A\nB", 10, 20);
  // The lowest lit row of each letter is its baseline row.
  auto lowestLitRow = [](int top, int bottom) {
    for (int y = bottom; y >= top; --y) {
      if (litPixels(10, y, 8, 1) > 0) return y;
    }
    return -1;
  };
  const int baselineA = lowestLitRow(0, 21);
  const int baselineB = lowestLitRow(22, 45);
  EXPECT_NEAR(baselineA, 19, 1);
  EXPECT_EQ(baselineB - baselineA, 13);
  // 'A' is nine rows tall: baseline row and eight above.
  EXPECT_EQ(litPixels(10, baselineA - 8, 8, 9), litPixels(10, 0, 8, 22));
}

TEST(Graphics, BitmapTextSkipsControlAndHighBytes) {
  beginFrame();
  ofDrawBitmapString("\tA\x01\xC3", 10, 20);
  const int onlyA = litPixels(0, 0, 100, 30);
  beginFrame();
  ofDrawBitmapString("A", 10, 20);
  EXPECT_EQ(litPixels(0, 0, 100, 30), onlyA);
  EXPECT_EQ(litPixels(18, 0, 82, 30), 0);  // nothing advanced past 'A'
}

TEST(Screen, ZeroHeightViewportBecomesOne) {
  GlTestWindow::ensure();
  ofViewport(530, 0);
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 530);
  EXPECT_EQ(viewport[3], 1);
  ofViewport(ofGetWidth(), ofGetHeight());
}

TEST(Screen, BackgroundIsStoredNotClearedAtOnce) {
  beginFrame();
  ofSetColor(255, 255, 255);
  ofFill();
  ofRect(0, 0, 10, 10);
  ofBackground(0, 0, 0);
  EXPECT_NE(pixel(5, 5), (Rgb{}));
  EXPECT_FLOAT_EQ(ofGetBackground()[3], 1.0f);
}
