// The level tool, unpanned, shows a level where the game test flies it: the
// same level point on the same pixel of the window.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "editors/LevelTool.h"
#include "framework/ofGraphics.h"
#include "support/GameFixture.h"
#include "support/GlTestWindow.h"

namespace {
// The smallest rectangle holding every green pixel of the window within the
// given rows and columns (top-left origin), as {left, top, right, bottom}.
std::vector<int> greenBox(const std::vector<unsigned char>& rgb, int x0, int y0, int x1, int y1) {
  std::vector<int> box{x1, y1, x0, y0};
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      const unsigned char* p = &rgb[static_cast<size_t>(((369 - y) * 530 + x) * 3)];
      if (p[1] < 60 || p[0] > 40 || p[2] > 40) continue;
      box = {std::min(box[0], x), std::min(box[1], y), std::max(box[2], x), std::max(box[3], y)};
    }
  }
  return box;
}

// A cleared window in the drawing state the program starts with: outlines
// and alpha blending.
void startFrame() {
  GlTestWindow::beginFrame();
  ofNoFill();
  ofEnableAlphaBlending();
}

struct LevelToolFraming : GameFixture {
  void SetUp() override {
    GameFixture::SetUp();
    GlTestWindow::ensure();
  }
  void TearDown() override {
    ofDisableAlphaBlending();
    GameFixture::TearDown();
  }
};
}  // namespace

TEST_F(LevelToolFraming, TheUnpannedLevelToolShowsTheLevelWhereTheGameTestDoes) {
  // A green corner far from the ship, the HUD and the tool's overlay.
  LevelData data = emptyLevel();
  data.levels[0].walls = {Wall(300, 180, 400, 180, 0, 255, 0, WALL_SOLID),
                          Wall(300, 180, 300, 240, 0, 255, 0, WALL_SOLID)};
  start(data);
  game->calm = true;
  startFrame();
  game->draw(current);
  const std::vector<int> flown = greenBox(GlTestWindow::windowRgb(), 250, 130, 470, 300);

  LevelTool tool;
  tool.data = &data;
  tool.resetOffset();
  tool.color = ofColor(255, 255, 255);  // the swatch is no wall
  startFrame();
  tool.draw(current);
  const std::vector<int> edited = greenBox(GlTestWindow::windowRgb(), 250, 130, 470, 300);

  ASSERT_LT(flown[0], flown[2]) << "the game drew the walls";
  EXPECT_EQ(edited, flown);
  // The game keeps its framing: the play area's origin at (25, 25).
  EXPECT_NEAR(flown[0], 325, 1);
  EXPECT_NEAR(flown[1], 205, 1);
}
