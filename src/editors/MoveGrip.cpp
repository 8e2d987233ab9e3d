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

// The first wall, in list order, with an end near p, and which end.
bool findEnd(const std::vector<Wall>& walls, const ofxVec2f& p, size_t& index, bool& second) {
  for (size_t i = 0; i < walls.size(); ++i) {
    for (bool end : {false, true}) {
      if (!isNear(endOf(walls[i], end), p)) continue;
      index = i;
      second = end;
      return true;
    }
  }
  return false;
}


// Where the picked thing stands: a zone by its top left corner.
ofxVec2f placeOf(const Level& level, const Picked& picked) {
  switch (picked.kind) {
    case MoveGrip::Kind::wallEnd: return endOf(level.walls[picked.index], picked.secondEnd);
    case MoveGrip::Kind::zone: {
      const ofRectangle& r = level.warps[picked.index].rect;
      return ofxVec2f(r.x, r.y);
    }
    case MoveGrip::Kind::receiver: return level.receivers[picked.index].pos;
    case MoveGrip::Kind::modelRef: return level.modelRefs[picked.index].pos;
    case MoveGrip::Kind::gravityPoint: return level.gravityPoints[picked.index];
    default: return ofxVec2f();
  }
}

// The held point of a list, left alone when it is gone (deleted or undone
// during the drag).
template <typename T, typename Point>
void movePoint(std::vector<T>& list, size_t index, const ofxVec2f& to, Point point) {
  if (index < list.size()) point(list[index]) = to;
}
}  // namespace

bool findSmallestZone(const std::vector<Warp>& zones, const ofxVec2f& p, size_t& index) {
  bool found = false;
  for (size_t i = 0; i < zones.size(); ++i) {
    const ofRectangle& r = zones[i].rect;
    if (!strictlyInside(r, p)) continue;
    const ofRectangle& best = zones[index].rect;
    if (found && r.width * r.height >= best.width * best.height) continue;
    index = i;
    found = true;
  }
  return found;
}

Picked pickAt(const Level& level, const ofxVec2f& p) {
  using Kind = MoveGrip::Kind;
  Picked found;
  size_t& i = found.index;
  if (findEnd(level.walls, p, i, found.secondEnd)) {
    found.kind = Kind::wallEnd;
  } else if (findNear(level.receivers, p, [](auto& r) { return r.pos; }, i)) {
    found.kind = Kind::receiver;
  } else if (findNear(level.modelRefs, p, [](auto& r) { return r.pos; }, i)) {
    found.kind = Kind::modelRef;
  } else if (findNear(level.gravityPoints, p, [](auto& g) { return g; }, i)) {
    found.kind = Kind::gravityPoint;
  } else if (findSmallestZone(level.warps, p, i)) {
    found.kind = Kind::zone;
  }
  return found;
}

bool MoveGrip::grab(const Level& level, const ofxVec2f& p) {
  *this = MoveGrip();
  const Picked picked = pickAt(level, p);
  kind = picked.kind;
  index = picked.index;
  secondEnd = picked.secondEnd;
  from = placeOf(level, picked);
  press = p;
  return holding();
}

bool MoveGrip::grabWallEnd(const std::vector<Wall>& walls, const ofxVec2f& p) {
  kind = findEnd(walls, p, index, secondEnd) ? Kind::wallEnd : Kind::none;
  if (!holding()) return false;
  from = endOf(walls[index], secondEnd);
  press = p;
  return true;
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
