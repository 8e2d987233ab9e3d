#include <GL/gl.h>
#include <gtest/gtest.h>

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
