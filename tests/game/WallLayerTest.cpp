// The wall picture of big levels: which walls it holds and which are drawn
// every frame, that a frame drawn through it has the pixels of every wall
// drawn in list order, and when it is taken again or set aside.

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <limits>
#include <memory>
#include <vector>

#include "framework/ofAppRunner.h"
#include "framework/ofGraphics.h"
#include "framework/ofMath.h"
#include "framework/ofScreen.h"
#include "game/WallLayer.h"
#include "support/GameFixture.h"
#include "support/GlTestWindow.h"

namespace {
Wall wall(float x1, float y1, float x2, float y2, int type) {
  return Wall(x1, y1, x2, y2, 255, 255, 255, type);
}

// Solid, flickering and fading walls crossing one another in every order:
// solid rails, flickering posts across them, solid braces over the posts,
// fading diagonals over all of it, a solid wall laid exactly on a red
// flickering one (which must not show at all), and a model over the walls.
LevelData crossingWalls() {
  LevelData data = GameFixture::emptyLevel();
  std::vector<Wall>& walls = data.levels[0].walls;
  for (int i = 0; i < 8; ++i) {
    const float y = 40.0f + i * 35;
    walls.emplace_back(20, y, 470, y + 10, 200, 40 + i * 25, 60, WALL_SOLID);
    walls.emplace_back(50 + i * 55, 20, 60 + i * 50, 320, 60, 220, 255 - i * 20, WALL_FLICKER);
  }
  for (int i = 0; i < 8; ++i) {
    walls.emplace_back(40 + i * 55, 30 + i * 30, 90 + i * 55, 120 + i * 25, 250, 250, 40 + i * 20,
                       WALL_SOLID);
    walls.emplace_back(10 + i * 60, 300, 120 + i * 50, 10, 120, 90, 250, WALL_FADE);
  }
  walls.emplace_back(300, 50, 300, 250, 255, 0, 0, WALL_FLICKER);
  walls.emplace_back(300, 50, 300, 250, 0, 255, 0, WALL_SOLID);
  walls.emplace_back(305, 60, 380, 200, 180, 180, 180, WALL_SOLID);
  Model box;
  box.guid = "box";
  box.frames[0].walls = {Wall(-10, -10, 10, 10, 255, 128, 0, WALL_SOLID),
                         Wall(-10, 10, 10, -10, 255, 128, 0, WALL_FLICKER)};
  data.models.push_back(box);
  data.levels[0].modelRefs.push_back(placed("box", 200, 150));
  return data;
}

// The same walls with every solid one first: no live wall lies under a
// later solid one.
LevelData liveWallsOnTop() {
  LevelData data = crossingWalls();
  std::vector<Wall>& walls = data.levels[0].walls;
  std::stable_partition(walls.begin(), walls.end(),
                        [](const Wall& w) { return w.type == WALL_SOLID; });
  return data;
}


struct Difference {
  int worst = 0;  // the largest difference of one colour component
  int apart = 0;  // components that differ at all
  int lit = 0;    // components lit in the first picture
};

Difference compare(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
  Difference d;
  for (size_t i = 0; i < a.size(); ++i) {
    const int step = std::abs(a[i] - b[i]);
    d.worst = std::max(d.worst, step);
    d.apart += step > 0;
    d.lit += a[i] > 0;
  }
  return d;
}

// The level's frame as the game sets it up when the scene is still.
void levelFrame() {
  ofSetupScreen();
  ofTranslate(25, 25);
}

// The game draws with alpha blending on; each test gives back what it found.
struct BlendingOn {
  bool was = ofGetStyle().blending;
  BlendingOn() { ofEnableAlphaBlending(); }
  ~BlendingOn() {
    if (!was) ofDisableAlphaBlending();
  }
};
}  // namespace

TEST(WallSplit, TheChangingWallsAreLiveAndCoveredWhenALaterSolidWallTouchesOne) {
  std::vector<Wall> manyFlickers;
  for (int i = 0; i < 200; ++i)
    manyFlickers.push_back(wall(i % 20, i / 20, i % 20 + 5, i / 20, WALL_FLICKER));
  std::vector<Wall> farSolid = manyFlickers, nearSolid = manyFlickers;
  farSolid.push_back(wall(400, 300, 450, 320, WALL_SOLID));
  nearSolid.push_back(farSolid.back());
  nearSolid.push_back(wall(26, 0, 40, 0, WALL_SOLID));  // 1 pixel past the last post's end
  std::vector<int> posts(200);
  for (int i = 0; i < 200; ++i) posts[i] = i;

  struct Case {
    const char* name;
    std::vector<Wall> walls;
    std::vector<int> live;
    bool covered;
    bool cacheable;
  };
  const Wall crossing = wall(0, 0, 100, 100, WALL_FLICKER);
  const Wall fading = wall(0, 0, 100, 100, WALL_FADE);
  const Wall across = wall(0, 100, 100, 0, WALL_SOLID), post = wall(0, 0, 50, 0, WALL_FLICKER);
  const Wall far = wall(0, 60, 50, 60, WALL_SOLID), beside = wall(0, 2, 50, 2, WALL_SOLID);
  const Wall pastMargin = wall(0, 3, 50, 3, WALL_SOLID), solid = wall(0, 0, 100, 100, WALL_SOLID);
  // clang-format off
  const Case cases[] = {
      {"solid after a flickering wall it crosses", {crossing, across}, {0}, true, true},
      {"solid after a fading wall it crosses", {fading, across}, {0}, true, true},
      {"solid before the flickering wall", {across, crossing}, {1}, false, true},
      {"solid far from the flickering wall", {post, far}, {0}, false, true},
      {"solid beside it, within the margin", {post, beside}, {0}, true, true},
      {"solid beside it, past the margin", {post, pastMargin}, {0}, false, true},
      {"solid after a solid wall it crosses", {solid, across}, {}, false, true},
      {"many posts, a solid far off", farSolid, posts, false, true},
      {"many posts, a solid at the end of the last", nearSolid, posts, true, true},
      {"a wall of another type", {wall(0, 0, 10, 0, 'x'), across}, {}, false, false},
  };
  // clang-format on
  for (const Case& c : cases) {
    const WallSplit split = splitWalls(c.walls, 2);
    EXPECT_EQ(split.live, c.live) << c.name;
    EXPECT_EQ(split.liveCovered, c.covered) << c.name;
    EXPECT_EQ(split.cacheable, c.cacheable) << c.name;
  }
}

TEST(WallSplit, SolidWorkIsTheSolidWallsLengthAndTheirSetUp) {
  const std::vector<Wall> walls = {wall(0, 0, 30, 40, WALL_SOLID), wall(0, 0, 500, 0, WALL_FLICKER),
                                   wall(10, 10, 10, 30, WALL_SOLID)};
  EXPECT_FLOAT_EQ(splitWalls(walls, 2).solidWork, 50 + 20 + 2 * WallLayer::kSetUpWork);
}

// With no dimming the picture gives the very pixels of every wall drawn in
// list order; dimmed, the picture is darkened after rounding to 8 bits and a
// pixel may be a step apart.
TEST(WallLayer, DrawsThePixelsOfEveryWallInListOrder) {
  GlTestWindow::ensure();
  BlendingOn blending;
  struct Case {
    const char* name;
    LevelData data;
    bool covered;
  };
  const Case cases[] = {{"live walls under solid ones", crossingWalls(), true},
                        {"live walls on top", liveWallsOnTop(), false}};
  for (const Case& c : cases) {
    ASSERT_EQ(splitWalls(c.data.levels[0].walls, 2).liveCovered, c.covered) << c.name;
    WallLayer layer;
    layer.worthRatio = 0;
    for (const float scale : {1.0f, 0.85f}) {
      GlTestWindow::beginFrame();
      ofSetColorScale(scale);
      ofSeedRandom(11);
      levelFrame();
      c.data.draw(false);
      const std::vector<unsigned char> plain = GlTestWindow::windowRgb();

      GlTestWindow::beginFrame();
      ASSERT_TRUE(layer.prepare(c.data, false, levelFrame)) << c.name;
      ofSetColorScale(scale);
      ofSeedRandom(11);
      levelFrame();
      layer.draw(c.data, scale);
      const std::vector<unsigned char> layered = GlTestWindow::windowRgb();
      ofSetColorScale(1);

      const Difference d = compare(plain, layered);
      EXPECT_GT(d.lit, 20000) << c.name;
      EXPECT_LE(d.worst, scale == 1 ? 0 : 1) << c.name << " scale " << scale;
    }
    EXPECT_EQ(layer.picturesTaken(), 1) << c.name;
  }
}

namespace {
// Two games on the same levels in step, one drawing through the wall
// picture and one drawing every wall, in the real window.
struct WallLayerGame : GameFixture {
  std::unique_ptr<Game> plain;
  std::unique_ptr<BlendingOn> blending;

  void SetUp() override {
    GameFixture::SetUp();
    GlTestWindow::ensure();
    blending = std::make_unique<BlendingOn>();
    plain = std::make_unique<Game>();
    game->wallLayer.worthRatio = 0;
    plain->wallLayer.worthRatio = std::numeric_limits<float>::infinity();
  }
  void TearDown() override {
    plain.reset();
    blending.reset();
    GameFixture::TearDown();
  }
  void both(const std::function<void(Game&)>& change) {
    change(*game);
    change(*plain);
  }

  // How the window frames the screen: its viewport (GL's, from the bottom
  // left) and the line width.
  struct Framing {
    int x = 0, y = 0, width = 530, height = 370;
    float lineWidth = 1;
  };
  std::vector<unsigned char> drawn(Game& g, const Framing& f, unsigned seed) {
    GlTestWindow::beginFrame();
    glViewport(f.x, f.y, f.width, f.height);
    glScissor(f.x, f.y, f.width, f.height);
    glEnable(GL_SCISSOR_TEST);  // as the window does when it letterboxes
    ofSetLineWidth(f.lineWidth);
    ofSeedRandom(seed);
    g.draw(current);
    const std::vector<unsigned char> pixels = GlTestWindow::windowRgb();
    glDisable(GL_SCISSOR_TEST);
    ofSetLineWidth(1);
    return pixels;
  }
};

// crossingWalls as level 1, and as level 2 turned on its side.
LevelData twoLevels() {
  LevelData data = crossingWalls();
  data.levels.push_back(data.levels[0]);
  for (Wall& w : data.levels[1].walls)
    w = Wall(w.y, w.x, w.w, w.z, w.color.r, w.color.g, w.color.b, w.type);
  return data;
}
}  // namespace

TEST_F(WallLayerGame, TakenAgainWhenTheLevelOrFramingChangesAndSetAsideWhileShaking) {
  const LevelData levels = twoLevels();
  LevelData moved = levels;
  for (Wall& w : moved.levels[0].walls) w.x += 7, w.z += 7;
  start(levels);
  ASSERT_TRUE(plain->start(levels));

  const Framing window, letterboxed{37, 21, 460, 322, 1}, wideLines{0, 0, 530, 370, 2};
  struct Step {
    const char* name;
    std::function<void(Game&)> change;
    Framing framing;
    bool inUse;
    int pictures;
  };
  const auto nothing = [](Game&) {};
  const auto stepFades = [](Game& g) { g.levelData->update(true, false); };
  const auto newRun = [&](Game& g) { ASSERT_TRUE(g.start(moved)); };
  const auto warp = [](Game& g) { g.levelData->currentLevel = 1; };
  const auto shake = [](Game& g) { g.shakeAngle = 0.4f, g.shakeOffset = ofxVec2f(0.3f, -0.2f); };
  const auto settle = [](Game& g) { g.shakeAngle = 0, g.shakeOffset = ofxVec2f(0, 0); };
  // A new run on the same level, of the same size, in the same place: only
  // the start tells that the walls moved.
  // clang-format off
  const Step steps[] = {
      {"first frame",                      nothing,   window,      true,  1},
      {"next frame, fading walls stepped", stepFades, window,      true,  1},
      {"a new run on moved walls",         newRun,    window,      true,  2},
      {"warped to the second level",       warp,      window,      true,  3},
      {"shaking",                          shake,     window,      false, 3},
      {"still again",                      settle,    window,      true,  3},
      {"letterboxed full screen",          nothing,   letterboxed, true,  4},
      {"lines twice as wide",              nothing,   wideLines,   true,  5},
  };
  // clang-format on
  unsigned seed = 3;
  for (const Step& s : steps) {
    both(s.change);
    const std::vector<unsigned char> expected = drawn(*plain, s.framing, seed);
    const std::vector<unsigned char> layered = drawn(*game, s.framing, seed);
    ++seed;
    EXPECT_EQ(game->wallLayer.inUse(), s.inUse) << s.name;
    EXPECT_EQ(game->wallLayer.picturesTaken(), s.pictures) << s.name;
    EXPECT_FALSE(plain->wallLayer.inUse()) << s.name;
    const Difference d = compare(expected, layered);
    EXPECT_GT(d.lit, 10000) << s.name;
    EXPECT_LE(d.worst, 1) << s.name;  // the scene's dimming, rounded in another place
  }
}
