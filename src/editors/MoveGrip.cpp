#include "editors/MoveGrip.h"

#include "editors/EditorCommon.h"

using namespace editor;

namespace {
ofxVec2f endOf(const Wall& wall, bool second) {
  return second ? ofxVec2f(wall.z, wall.w) : ofxVec2f(wall.x, wall.y);
}

void setEnd(Wall& wall, bool second, const ofxVec2f& p) {
  (second ? wall.z : wall.x) = p.x;
  (second ? wall.w : wall.y) = p.y;
}

// The first end near p of the walls other than skip, in list order.
bool snapEnd(const std::vector<Wall>& walls, const Wall* skip, const ofxVec2f& p, ofxVec2f& out) {
  for (const Wall& wall : walls) {
    if (&wall == skip) continue;
    for (bool second : {false, true}) {
      if (!isNear(endOf(wall, second), p)) continue;
      out = endOf(wall, second);
      return true;
    }
  }
  return false;
}

// The first index of list whose point lies near p.
template <typename T, typename Point>
bool findNear(const std::vector<T>& list, const ofxVec2f& p, Point point, size_t& index) {
  for (size_t i = 0; i < list.size(); ++i) {
    if (!isNear(point(list[i]), p)) continue;
    index = i;
    return true;
  }
  return false;
}

// The held point of a list, left alone when it is gone (deleted or undone
// during the drag).
template <typename T, typename Point>
void movePoint(std::vector<T>& list, size_t index, const ofxVec2f& to, Point point) {
  if (index < list.size()) point(list[index]) = to;
}
}  // namespace

bool MoveGrip::grab(const Level& level, const ofxVec2f& p) {
  *this = MoveGrip();
  if (grabWallEnd(level.walls, p)) return true;
  press = p;
  for (size_t i = 0; i < level.warps.size() && kind == Kind::none; ++i) {
    if (!strictlyInside(level.warps[i].rect, p)) continue;
    kind = Kind::zone;
    index = i;
    from = ofxVec2f(level.warps[i].rect.x, level.warps[i].rect.y);
  }
  if (kind == Kind::none && findNear(level.receivers, p, [](auto& r) { return r.pos; }, index)) {
    kind = Kind::receiver;
    from = level.receivers[index].pos;
  }
  if (kind == Kind::none && findNear(level.modelRefs, p, [](auto& r) { return r.pos; }, index)) {
    kind = Kind::modelRef;
    from = level.modelRefs[index].pos;
  }
  if (kind == Kind::none && findNear(level.gravityPoints, p, [](auto& g) { return g; }, index)) {
    kind = Kind::gravityPoint;
    from = level.gravityPoints[index];
  }
  return holding();
}

bool MoveGrip::grabWallEnd(const std::vector<Wall>& walls, const ofxVec2f& p) {
  kind = Kind::none;
  for (size_t i = 0; i < walls.size(); ++i) {
    for (bool second : {false, true}) {
      if (!isNear(endOf(walls[i], second), p)) continue;
      kind = Kind::wallEnd;
      index = i;
      secondEnd = second;
      from = endOf(walls[i], second);
      press = p;
      return true;
    }
  }
  return false;
}

void MoveGrip::moveTo(Level& level, const ofxVec2f& p) const {
  const ofxVec2f to = from + (p - press);
  switch (kind) {
    case Kind::wallEnd: moveWallEnd(level.walls, p, {&level.walls}); break;
    case Kind::zone:
      if (index < level.warps.size()) {
        level.warps[index].rect.x = to.x;
        level.warps[index].rect.y = to.y;
      }
      break;
    case Kind::receiver:
      movePoint(level.receivers, index, to, [](Receiver& r) -> ofxVec2f& { return r.pos; });
      break;
    case Kind::modelRef:
      movePoint(level.modelRefs, index, to, [](ModelRef& r) -> ofxVec2f& { return r.pos; });
      break;
    case Kind::gravityPoint:
      movePoint(level.gravityPoints, index, to, [](GravityPoint& g) -> ofxVec2f& { return g; });
      break;
    default: break;
  }
}

void MoveGrip::moveWallEnd(std::vector<Wall>& walls, const ofxVec2f& p,
                           const std::vector<const std::vector<Wall>*>& snapTo) const {
  if (kind != Kind::wallEnd || index >= walls.size()) return;
  const ofxVec2f to = from + (p - press);
  ofxVec2f snapped = to;
  for (const std::vector<Wall>* list : snapTo) {
    if (snapEnd(*list, &walls[index], to, snapped)) break;
  }
  setEnd(walls[index], secondEnd, snapped);
}
