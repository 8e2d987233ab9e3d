#pragma once
// The level's still walls, drawn once into a texture and laid down each
// frame as one quad under the walls that change, for levels of thousands of
// walls. Game owns one for play; the editors draw through LevelData::draw.

#include <functional>
#include <vector>

#include "level/LevelData.h"

// What the layer makes of a level's walls, in list order.
struct WallSplit {
  std::vector<int> live;     // flickering and fading walls: drawn every frame
  bool liveCovered = false;  // a solid wall later in the list touches a live one
  float solidWork = 0;       // the solid walls' length, plus a set-up cost each
  bool cacheable = true;     // false when a wall's type draws in an inherited colour
};
// margin: how far apart (screen pixels) two walls' boxes may lie and still
// share a pixel once rasterised.
WallSplit splitWalls(const std::vector<Wall>& walls, float margin);

class WallLayer {
 public:
  WallLayer() = default;
  ~WallLayer();
  WallLayer(const WallLayer&) = delete;
  WallLayer& operator=(const WallLayer&) = delete;

  // At the start of a frame, before anything is drawn: the picture is taken
  // in the back buffer and cleared away again. True when this frame may draw
  // the level's walls with draw(). setupLevelFrame sets the matrices the
  // level is drawn with when still; while they move (a shake) the picture is
  // neither used nor taken.
  bool prepare(const LevelData& data, bool frameMoves,
               const std::function<void()>& setupLevelFrame);
  // The level's walls and then its models, in the level's frame, exactly as
  // LevelData::draw(false) would draw them; colorScale as ofSetColorScale.
  void draw(const LevelData& data, float colorScale);
  // The next prepare() looks at the level afresh (a new run's data).
  void forget() { stale = true; }

  // Pictures taken so far, and whether the last prepare() allowed draw().
  int picturesTaken() const { return pictures; }
  bool inUse() const { return used; }

  // The picture is used when the solid walls' line work (wall length in
  // pixels, plus kSetUpWork per wall) is at least this many times the
  // screen's area in pixels, and kDepthWork times more when live walls need
  // hiding: below that, laying a textured window (and its depth) costs the
  // software renderer more than the lines (measured: break-even near 0.3
  // and 0.45; the shipped levels are under 0.05). Tests set 0 to use it on
  // any level.
  float worthRatio = 0.35f;
  static constexpr float kDepthWork = 1.4f;
  // A line's set-up costs llvmpipe about as much as 6 pixels of its length.
  static constexpr float kSetUpWork = 6;

 private:
  struct Key {
    const Level* level = nullptr;
    const Wall* walls = nullptr;
    size_t count = 0;
    int viewport[4] = {0, 0, 0, 0};  // GL's, bottom-up
    int width = 0, height = 0;
    float lineWidth = 0, pixelScale = 0;
    bool operator==(const Key& o) const;
  };
  Key keyFor(const LevelData& data) const;
  bool build(const Level& level, const std::function<void()>& setupLevelFrame);
  bool worthIt(const Level& level);
  bool readLevelFrame(const std::function<void()>& setupLevelFrame);
  void fillVertices(const std::vector<Wall>& walls);
  void capture(const std::vector<Wall>& walls);
  void keepPicture();
  bool sameLevelFrame() const;
  void layPicture(float colorScale) const;
  void restoreDepth() const;
  int drawLiveWalls(const std::vector<Wall>& walls, float colorScale);

  Key key;
  bool stale = true;
  bool ready = false;
  bool used = false;
  int pictures = 0;
  WallSplit split;

  unsigned texture = 0;
  int textureWidth = 0, textureHeight = 0;
  float projection[16] = {};
  float levelMatrix[16] = {};
  // The level's modelview with z carrying a depth per wall (see readLevelFrame).
  float depthMatrix[16] = {};
  std::vector<float> depthOf;   // the z each wall is drawn at, by list index
  std::vector<unsigned> depth;  // the picture's depth, viewport sized
  std::vector<float> liveVertices, liveColors;
};
