#include "Kit.h"

#include <cmath>
#include <utility>

ofColor hsl(float hue, float saturation, float lightness) {
  hue -= std::floor(hue);
  const ofColor c = LevelData::hslToRgb(hue, saturation, lightness);
  return ofColor(std::floor(c.r), std::floor(c.g), std::floor(c.b));
}

ofxVec2f turned(float x, float y, float degrees) {
  const float a = degrees * 3.14159265f / 180;
  return ofxVec2f(x * std::cos(a) - y * std::sin(a), x * std::sin(a) + y * std::cos(a));
}

namespace {
// Level files keep whole numbers; rounding here keeps the data in memory
// equal to what a load of the saved file gives.
float whole(float v) { return std::round(v); }

Wall makeWall(float x1, float y1, float x2, float y2, const ofColor& color, int type) {
  return Wall(whole(x1), whole(y1), whole(x2), whole(y2), std::floor(color.r),
              std::floor(color.g), std::floor(color.b), type);
}
}  // namespace

LevelKit::LevelKit(LevelData& data, const std::string& guid, bool gravity)
    : data(data), index(data.levels.size()) {
  Level level{Level::Blank{}};
  level.guid = guid;
  level.gravity = gravity;
  level.friction = true;
  data.levels.push_back(level);
}

Level& LevelKit::level() { return data.levels[index]; }

namespace {
// The loop moved `depth` pixels into the rock, which lies on the left of
// each edge (the loops run clockwise around the open cave).
Polyline intoRock(const Polyline& loop, float depth) {
  Polyline out;
  for (size_t i = 0; i < loop.size(); ++i) {
    const ofxVec2f& prev = loop[(i + loop.size() - 1) % loop.size()];
    const ofxVec2f& p = loop[i];
    const ofxVec2f& next = loop[(i + 1) % loop.size()];
    float nx = 0, ny = 0;
    for (const auto& [a, b] : {std::make_pair(prev, p), std::make_pair(p, next)}) {
      const float length = a.distance(b);
      if (length > 0) nx += (b.y - a.y) / length, ny -= (b.x - a.x) / length;
    }
    const float n = std::hypot(nx, ny);
    out.emplace_back(std::round(p.x + (n > 0 ? nx / n * depth : 0)),
                     std::round(p.y + (n > 0 ? ny / n * depth : 0)));
  }
  return out;
}
}  // namespace

void LevelKit::rock(const Cave& cave, const Palette& palette, unsigned seed, int type) {
  // A dim second line just inside the rock gives the walls some depth; the
  // ship meets the bright one first.
  for (const Polyline& loop : cave.outlines(seed)) {
    const Polyline inner = intoRock(loop, 4);
    for (size_t i = 0; i < inner.size(); ++i) {
      const ofxVec2f& p = inner[i];
      const ofxVec2f& q = inner[(i + 1) % inner.size()];
      wall(p.x, p.y, q.x, q.y, hsl(palette.hue, palette.saturation * 0.8f, palette.lightness * 0.45f), type);
    }
  }
  for (const Polyline& loop : cave.outlines(seed)) {
    for (size_t i = 0; i < loop.size(); ++i) {
      const ofxVec2f& p = loop[i];
      const ofxVec2f& q = loop[(i + 1) % loop.size()];
      // Loops run clockwise around the open cave, so the open side of an
      // edge is on its right: a floor runs right to left.
      const float length = p.distance(q);
      const float up = length > 0 ? (p.x - q.x) / length : 0;  // 1 for a floor
      const float grain = (noise(static_cast<int>(p.x), static_cast<int>(p.y), seed + 7) - 0.5f) * 0.08f;
      const float light = palette.lightness + 0.12f * up + grain;
      wall(p.x, p.y, q.x, q.y,
           hsl(palette.hue + grain, palette.saturation, light < 0.15f ? 0.15f : light), type);
    }
  }
}

void LevelKit::retype(float x, float y, float w, float h, int type, const ofColor& color) {
  for (Wall& wall : level().walls) {
    const float mx = (wall.x + wall.z) / 2, my = (wall.y + wall.w) / 2;
    if (mx < x || mx > x + w || my < y || my > y + h) continue;
    wall = makeWall(wall.x, wall.y, wall.z, wall.w, color, type);
  }
}

void LevelKit::wall(float x1, float y1, float x2, float y2, const ofColor& color, int type) {
  level().walls.push_back(makeWall(x1, y1, x2, y2, color, type));
}

void LevelKit::zone(float x, float y, float w, float h, const std::string& command,
                    const std::string& id, const std::string& dir) {
  level().warps.push_back(Warp{ofRectangle(whole(x), whole(y), whole(w), whole(h)), command, id, dir});
}

void LevelKit::receiver(const std::string& id, float x, float y) {
  level().receivers.push_back(Receiver{ofxVec2f(whole(x), whole(y)), id});
}

void LevelKit::place(const std::string& model, float x, float y) {
  ModelRef ref;
  ref.guid = model;
  ref.pos = ofxVec2f(whole(x), whole(y));
  level().modelRefs.push_back(ref);
}

void LevelKit::gravityPoint(float x, float y) { level().gravityPoints.emplace_back(whole(x), whole(y)); }

void LevelKit::checkpoint(const std::string& id, float x, float y, const std::string& facing,
                          float half) {
  receiver(id, x, y);
  place("checkpoint_marker", x, y);
  zone(x - half, y - half, 2 * half, 2 * half, "mark", id, facing);
  zone(x - half, y - half, 2 * half, 2 * half, "addX", "checkpoint_glow", id);
}

void LevelKit::arrival(float x, float y, const std::string& facing) {
  checkpoint("in", x, y, facing);
  zone(x - 20, y - 20, 40, 40, "breaks");
}

void LevelKit::fuelPickup(const std::string& model, float x, float y, float amount) {
  place(model, x, y);
  zone(x - 18, y - 18, 36, 36, "fuel", std::to_string(static_cast<int>(amount)));
}

void LevelKit::exit(float x, float y, float w, float h, const std::string& guid,
                    const std::string& id) {
  zone(x, y, w, h, guid, id);
  place("exit_portal", x + w / 2, y + h / 2);
}

void LevelKit::route(float x, float y, const std::string& hints, float half) {
  zone(x - half, y - half, 2 * half, 2 * half, "trigger", "route", hints);
}

ModelKit::ModelKit(LevelData& data, const std::string& guid, int animSpeed, bool solid,
                   bool playOnce, const std::string& sound)
    : data(data), index(data.models.size()) {
  Model m{Model::Blank{}};
  m.guid = guid;
  m.animSpeed = animSpeed;
  m.solid = solid;
  m.playOnce = playOnce;
  m.SE = sound;
  data.models.push_back(m);
}

Model& ModelKit::model() { return data.models[index]; }

ModelKit& ModelKit::frame() {
  model().frames.emplace_back();
  return *this;
}

ModelKit& ModelKit::line(float x1, float y1, float x2, float y2, const ofColor& color, int type) {
  if (model().frames.empty()) frame();
  const Wall w = makeWall(x1, y1, x2, y2, color, type);
  // A wall rounded to a point would never draw or collide.
  if (w.x != w.z || w.y != w.w) model().frames.back().walls.push_back(w);
  return *this;
}

ModelKit& ModelKit::loop(const Polyline& points, const ofColor& color, int type) {
  for (size_t i = 0; i < points.size(); ++i) {
    const ofxVec2f& p = points[i];
    const ofxVec2f& q = points[(i + 1) % points.size()];
    line(p.x, p.y, q.x, q.y, color, type);
  }
  return *this;
}

ModelKit& ModelKit::path(const Polyline& points, const ofColor& color, int type) {
  for (size_t i = 0; i + 1 < points.size(); ++i) {
    line(points[i].x, points[i].y, points[i + 1].x, points[i + 1].y, color, type);
  }
  return *this;
}

ModelKit& ModelKit::ring(float cx, float cy, float radius, int sides, const ofColor& color,
                         int type, float turn) {
  Polyline points;
  for (int i = 0; i < sides; ++i) {
    const ofxVec2f p = turned(0, -radius, turn + 360.0f * i / sides);
    points.emplace_back(cx + p.x, cy + p.y);
  }
  return loop(points, color, type);
}
