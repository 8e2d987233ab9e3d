// The ship meets the world through the three edges of its hull: each edge is
// tested against every wall of the current level and against the shown frame
// of every solid model placed in it.

#include <algorithm>

#include "game/Game.h"
#include "game/Hull.h"

namespace {
struct Segment {
  double x1, y1, x2, y2;
};

// An axis-aligned box around segments, a hair larger so that rounding can
// never make it reject a wall the exact test would count.
struct Box {
  double minX, minY, maxX, maxY;

  static Box around(const Segment* segments, int count) {
    Box b{segments[0].x1, segments[0].y1, segments[0].x1, segments[0].y1};
    for (int i = 0; i < count; ++i) {
      b.take(segments[i].x1, segments[i].y1);
      b.take(segments[i].x2, segments[i].y2);
    }
    const double margin = 1e-6 * (1 + std::max(b.maxX - b.minX, b.maxY - b.minY));
    b.minX -= margin, b.minY -= margin, b.maxX += margin, b.maxY += margin;
    return b;
  }
  void take(double x, double y) {
    minX = std::min(minX, x), maxX = std::max(maxX, x);
    minY = std::min(minY, y), maxY = std::max(maxY, y);
  }
  // A segment wholly outside cannot cross anything inside.
  bool misses(double x1, double y1, double x2, double y2) const {
    return std::max(x1, x2) < minX || std::min(x1, x2) > maxX || std::max(y1, y2) < minY ||
           std::min(y1, y2) > maxY;
  }
};

bool anyCrosses(const Segment* edges, int count, double px, double py, double qx, double qy) {
  double x, y;
  for (int i = 0; i < count; ++i) {
    const Segment& e = edges[i];
    if (LevelData::intersectSegments(e.x1, e.y1, e.x2, e.y2, px, py, qx, qy, &x, &y)) return true;
  }
  return false;
}

// The bounding box of a model frame's walls, in model coordinates.
bool frameBox(const std::vector<Wall>& walls, Box& box) {
  if (walls.empty()) return false;
  box = Box{walls[0].x, walls[0].y, walls[0].x, walls[0].y};
  for (const Wall& w : walls) {
    box.take(w.x, w.y);
    box.take(w.z, w.w);
  }
  return true;
}

// Whether any edge crosses a wall of the level or of a solid model in it.
bool edgesHitLevel(const LevelData& data, const Segment* edges, int count) {
  const Box reach = Box::around(edges, count);
  const Level& level = data.getCurrentLevel();
  for (const Wall& wall : level.walls) {
    if (reach.misses(wall.x, wall.y, wall.z, wall.w)) continue;
    if (anyCrosses(edges, count, wall.x, wall.y, wall.z, wall.w)) return true;
  }
  for (const Model& model : data.models) {
    Box shown;
    if (!model.solid || !frameBox(model.currentWalls(), shown)) continue;
    for (const ModelRef& ref : level.modelRefs) {
      // Placements whose frame lies wholly outside need no name comparison.
      if (reach.misses(shown.minX + ref.pos.x, shown.minY + ref.pos.y, shown.maxX + ref.pos.x,
                       shown.maxY + ref.pos.y) ||
          ref.guid != model.guid) {
        continue;
      }
      for (const Wall& wall : model.currentWalls()) {
        const double px = wall.x + ref.pos.x, py = wall.y + ref.pos.y;
        const double qx = wall.z + ref.pos.x, qy = wall.w + ref.pos.y;
        if (anyCrosses(edges, count, px, py, qx, qy)) return true;
      }
    }
  }
  return false;
}
}  // namespace

bool Game::hitsWalls(float x1, float y1, float x2, float y2) const {
  const Segment edge{x1, y1, x2, y2};
  return edgesHitLevel(*levelData, &edge, 1);
}

bool Game::hullHitsWalls() {
  placeHull(pos, angle, outline);
  const Segment edges[3] = {{outline[0].x, outline[0].y, outline[1].x, outline[1].y},
                            {outline[1].x, outline[1].y, outline[2].x, outline[2].y},
                            {outline[2].x, outline[2].y, outline[0].x, outline[0].y}};
  const bool hit = edgesHitLevel(*levelData, edges, 3);
  // The drawing expects the outline relative to the ship's centre.
  for (ofxVec2f& point : outline) point -= pos;
  return hit;
}
