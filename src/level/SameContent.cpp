#include "level/SameContent.h"

#include <algorithm>

namespace {
bool samePoint(const ofxVec2f& a, const ofxVec2f& b) { return a.x == b.x && a.y == b.y; }

bool sameRect(const ofRectangle& a, const ofRectangle& b) {
  return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

template <typename T>
bool sameList(const std::vector<T>& a, const std::vector<T>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](const T& x, const T& y) { return sameContent(x, y); });
}
}  // namespace

bool sameContent(const Warp& a, const Warp& b) {
  return sameRect(a.rect, b.rect) && a.level == b.level && a.id == b.id && a.dir == b.dir;
}

bool sameContent(const Receiver& a, const Receiver& b) {
  return samePoint(a.pos, b.pos) && a.id == b.id;
}

bool sameContent(const ModelRef& a, const ModelRef& b) {
  return a.guid == b.guid && samePoint(a.pos, b.pos) &&
         a.warpOnEndAnimation == b.warpOnEndAnimation && a.level == b.level && a.id == b.id;
}

bool sameContent(const GravityPoint& a, const GravityPoint& b) { return samePoint(a, b); }

bool sameContent(const ModelFrame& a, const ModelFrame& b) { return sameList(a.walls, b.walls); }

bool sameContent(const Level& a, const Level& b) {
  return levelSettings(a) == levelSettings(b) && sameList(a.walls, b.walls) &&
         sameList(a.warps, b.warps) && sameList(a.receivers, b.receivers) &&
         sameList(a.modelRefs, b.modelRefs) && sameList(a.gravityPoints, b.gravityPoints);
}

bool sameContent(const Model& a, const Model& b) {
  return modelSettings(a) == modelSettings(b) && sameList(a.frames, b.frames);
}

bool sameContent(const LevelData& a, const LevelData& b) {
  return sameList(a.models, b.models) && sameList(a.levels, b.levels);
}
