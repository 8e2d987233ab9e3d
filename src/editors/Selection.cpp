#include "editors/Selection.h"

#include <algorithm>
#include <limits>

#include "editors/EditorCommon.h"

namespace {
bool inside(const ofRectangle& r, const ofxVec2f& p) {
  return p.x >= r.x && p.y >= r.y && p.x <= r.x + r.width && p.y <= r.y + r.height;
}

ofxVec2f firstEnd(const Wall& w) { return ofxVec2f(w.x, w.y); }
ofxVec2f secondEnd(const Wall& w) { return ofxVec2f(w.z, w.w); }
ofxVec2f cornerOf(const Warp& z) { return ofxVec2f(z.rect.x, z.rect.y); }
ofxVec2f farCornerOf(const Warp& z) { return ofxVec2f(z.rect.x + z.rect.width, z.rect.y + z.rect.height); }

// The band's choice for one list: what lies inside, added to (or, when
// already there, taken out of) what was chosen before.
template <typename T, typename Inside>
void choose(std::vector<size_t>& chosen, const std::vector<T>& list, bool add, Inside in) {
  std::vector<size_t> found;
  for (size_t i = 0; i < list.size(); ++i) {
    if (in(list[i])) found.push_back(i);
  }
  if (!add) {
    chosen = found;
    return;
  }
  std::vector<size_t> result;
  std::set_symmetric_difference(chosen.begin(), chosen.end(), found.begin(), found.end(),
                                std::back_inserter(result));
  chosen = result;
}

template <typename T>
void eraseChosen(std::vector<T>& list, std::vector<size_t>& chosen) {
  for (auto it = chosen.rbegin(); it != chosen.rend(); ++it) {
    if (*it < list.size()) list.erase(list.begin() + static_cast<std::ptrdiff_t>(*it));
  }
  chosen.clear();
}

template <typename T>
std::vector<T> picked(const std::vector<T>& list, const std::vector<size_t>& chosen) {
  std::vector<T> out;
  for (size_t i : chosen) {
    if (i < list.size()) out.push_back(list[i]);
  }
  return out;
}

// Appends items to list; chosen becomes their places.
template <typename T>
void appendChosen(std::vector<T>& list, const std::vector<T>& items, std::vector<size_t>& chosen) {
  chosen.clear();
  for (const T& item : items) {
    chosen.push_back(list.size());
    list.push_back(item);
  }
}

template <typename T>
void fitTo(std::vector<size_t>& chosen, const std::vector<T>& list) {
  chosen.erase(std::remove_if(chosen.begin(), chosen.end(), [&](size_t i) { return i >= list.size(); }),
               chosen.end());
}

void moveWall(Wall& w, const ofxVec2f& step) {
  w.x += step.x;
  w.y += step.y;
  w.z += step.x;
  w.w += step.y;
}

// Moves every item of the clipboard by step.
void shift(LevelClipboard& items, const ofxVec2f& step) {
  for (Wall& w : items.walls) moveWall(w, step);
  for (Warp& z : items.warps) {
    z.rect.x += step.x;
    z.rect.y += step.y;
  }
  for (Receiver& r : items.receivers) r.pos += step;
  for (ModelRef& m : items.modelRefs) m.pos += step;
  for (GravityPoint& g : items.gravityPoints) g += step;
}

}  // namespace

bool LevelClipboard::empty() const {
  return walls.empty() && warps.empty() && receivers.empty() && modelRefs.empty() &&
         gravityPoints.empty();
}

ofRectangle bandBetween(const ofxVec2f& a, const ofxVec2f& b) {
  return ofRectangle(std::min(a.x, b.x), std::min(a.y, b.y), std::abs(b.x - a.x), std::abs(b.y - a.y));
}

void Selection::select(const Level& level, const ofRectangle& band, bool add) {
  auto in = [&](const ofxVec2f& p) { return inside(band, p); };
  choose(walls, level.walls, add, [&](const Wall& w) { return in(firstEnd(w)) && in(secondEnd(w)); });
  choose(warps, level.warps, add, [&](const Warp& z) { return in(cornerOf(z)) && in(farCornerOf(z)); });
  choose(receivers, level.receivers, add, [&](const Receiver& r) { return in(r.pos); });
  choose(modelRefs, level.modelRefs, add, [&](const ModelRef& m) { return in(m.pos); });
  choose(gravityPoints, level.gravityPoints, add, in);
}

void Selection::selectAll(const Level& level) {
  const float huge = std::numeric_limits<float>::max();
  select(level, ofRectangle(-huge / 2, -huge / 2, huge, huge), false);
}

void Selection::clear() {
  walls.clear();
  warps.clear();
  receivers.clear();
  modelRefs.clear();
  gravityPoints.clear();
}

bool Selection::empty() const { return count() == 0; }

size_t Selection::count() const {
  return walls.size() + warps.size() + receivers.size() + modelRefs.size() + gravityPoints.size();
}

bool Selection::contains(const Level& level, const ofxVec2f& p) const {
  for (size_t i : walls) {
    if (i < level.walls.size() &&
        editor::distanceToSegment(p, firstEnd(level.walls[i]), secondEnd(level.walls[i])) < editor::pickRadius) {
      return true;
    }
  }
  auto near = [&](const ofxVec2f& q) { return editor::isNear(q, p); };
  for (size_t i : receivers) if (i < level.receivers.size() && near(level.receivers[i].pos)) return true;
  for (size_t i : modelRefs) if (i < level.modelRefs.size() && near(level.modelRefs[i].pos)) return true;
  for (size_t i : gravityPoints) if (i < level.gravityPoints.size() && near(level.gravityPoints[i])) return true;
  for (size_t i : warps) if (i < level.warps.size() && inside(level.warps[i].rect, p)) return true;
  return false;
}

void Selection::moveBy(Level& level, const ofxVec2f& step) const {
  for (size_t i : walls) if (i < level.walls.size()) moveWall(level.walls[i], step);
  for (size_t i : warps) {
    if (i >= level.warps.size()) continue;
    level.warps[i].rect.x += step.x;
    level.warps[i].rect.y += step.y;
  }
  for (size_t i : receivers) if (i < level.receivers.size()) level.receivers[i].pos += step;
  for (size_t i : modelRefs) if (i < level.modelRefs.size()) level.modelRefs[i].pos += step;
  for (size_t i : gravityPoints) if (i < level.gravityPoints.size()) level.gravityPoints[i] += step;
}

void Selection::erase(Level& level) {
  eraseChosen(level.walls, walls);
  eraseChosen(level.warps, warps);
  eraseChosen(level.receivers, receivers);
  eraseChosen(level.modelRefs, modelRefs);
  eraseChosen(level.gravityPoints, gravityPoints);
}

// The top left over every point of what is copied.
LevelClipboard Selection::copy(const Level& level) const {
  LevelClipboard out;
  out.walls = picked(level.walls, walls);
  out.warps = picked(level.warps, warps);
  out.receivers = picked(level.receivers, receivers);
  out.modelRefs = picked(level.modelRefs, modelRefs);
  out.gravityPoints = picked(level.gravityPoints, gravityPoints);
  float x = std::numeric_limits<float>::max(), y = x;
  auto take = [&](const ofxVec2f& p) {
    x = std::min(x, p.x);
    y = std::min(y, p.y);
  };
  for (const Wall& w : out.walls) {
    take(firstEnd(w));
    take(secondEnd(w));
  }
  for (const Warp& z : out.warps) take(cornerOf(z));
  for (const Receiver& r : out.receivers) take(r.pos);
  for (const ModelRef& m : out.modelRefs) take(m.pos);
  for (const GravityPoint& g : out.gravityPoints) take(g);
  out.corner = out.empty() ? ofxVec2f(0, 0) : ofxVec2f(x, y);
  return out;
}

void Selection::paste(Level& level, const LevelClipboard& clipboard, const ofxVec2f& corner) {
  LevelClipboard items = clipboard;
  shift(items, corner - clipboard.corner);
  appendChosen(level.walls, items.walls, walls);
  appendChosen(level.warps, items.warps, warps);
  appendChosen(level.receivers, items.receivers, receivers);
  appendChosen(level.modelRefs, items.modelRefs, modelRefs);
  appendChosen(level.gravityPoints, items.gravityPoints, gravityPoints);
}

void Selection::duplicate(Level& level, const ofxVec2f& step) {
  const LevelClipboard items = copy(level);
  paste(level, items, items.corner + step);
}

void Selection::fit(const Level& level) {
  fitTo(walls, level.walls);
  fitTo(warps, level.warps);
  fitTo(receivers, level.receivers);
  fitTo(modelRefs, level.modelRefs);
  fitTo(gravityPoints, level.gravityPoints);
}
