#include "Cave.h"

#include <cmath>
#include <cstdint>
#include <map>

namespace {
float segmentDistance(const ofxVec2f& p, const ofxVec2f& a, const ofxVec2f& b) {
  const float dx = b.x - a.x, dy = b.y - a.y;
  const float lengthSquared = dx * dx + dy * dy;
  float t = lengthSquared > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSquared : 0;
  t = t < 0 ? 0 : (t > 1 ? 1 : t);
  return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// Cuts every corner of a closed loop: each edge keeps its middle half.
Polyline chaikin(const Polyline& loop) {
  Polyline out;
  for (size_t i = 0; i < loop.size(); ++i) {
    const ofxVec2f& p = loop[i];
    const ofxVec2f& q = loop[(i + 1) % loop.size()];
    out.emplace_back(0.75f * p.x + 0.25f * q.x, 0.75f * p.y + 0.25f * q.y);
    out.emplace_back(0.25f * p.x + 0.75f * q.x, 0.25f * p.y + 0.75f * q.y);
  }
  return out;
}

// Douglas-Peucker on the open run loop[first..last]; keeps the ends.
void simplifyRun(const Polyline& loop, size_t first, size_t last, float tolerance,
                 std::vector<bool>& keep) {
  if (last <= first + 1) return;
  float worst = -1;
  size_t at = first;
  for (size_t i = first + 1; i < last; ++i) {
    const float d = segmentDistance(loop[i], loop[first], loop[last]);
    if (d > worst) worst = d, at = i;
  }
  if (worst <= tolerance) return;
  keep[at] = true;
  simplifyRun(loop, first, at, tolerance, keep);
  simplifyRun(loop, at, last, tolerance, keep);
}

Polyline simplify(const Polyline& loop, float tolerance) {
  // The loop is split at its first point and the point farthest from it.
  size_t far = 0;
  for (size_t i = 1; i < loop.size(); ++i) {
    if (loop[i].distance(loop[0]) > loop[far].distance(loop[0])) far = i;
  }
  Polyline closed = loop;
  closed.push_back(loop[0]);
  std::vector<bool> keep(closed.size(), false);
  keep[0] = keep[far] = keep[closed.size() - 1] = true;
  simplifyRun(closed, 0, far, tolerance, keep);
  simplifyRun(closed, far, closed.size() - 1, tolerance, keep);
  Polyline out;
  for (size_t i = 0; i + 1 < closed.size(); ++i) {
    if (keep[i]) out.push_back(closed[i]);
  }
  return out;
}

// Long straight stretches get kinks, displaced sideways by the noise, and
// every point is rounded to whole pixels (the level file stores integers).
Polyline roughen(const Polyline& loop, unsigned seed) {
  Polyline out;
  for (size_t i = 0; i < loop.size(); ++i) {
    const ofxVec2f& p = loop[i];
    const ofxVec2f& q = loop[(i + 1) % loop.size()];
    out.emplace_back(std::round(p.x), std::round(p.y));
    const float length = p.distance(q);
    const int pieces = static_cast<int>(std::ceil(length / 18));
    if (length < 24 || pieces < 2) continue;
    const float nx = -(q.y - p.y) / length, ny = (q.x - p.x) / length;
    for (int k = 1; k < pieces; ++k) {
      const float t = static_cast<float>(k) / pieces;
      const float x = p.x + t * (q.x - p.x), y = p.y + t * (q.y - p.y);
      const float side = (noise(static_cast<int>(x), static_cast<int>(y), seed) - 0.5f) * 5;
      out.emplace_back(std::round(x + nx * side), std::round(y + ny * side));
    }
  }
  Polyline clean;
  for (const ofxVec2f& p : out) {
    if (clean.empty() || clean.back().x != p.x || clean.back().y != p.y) clean.push_back(p);
  }
  while (clean.size() > 1 && clean.front().x == clean.back().x && clean.front().y == clean.back().y) {
    clean.pop_back();
  }
  return clean;
}
}  // namespace

float noise(int a, int b, unsigned seed) {
  uint32_t h = seed * 0x9E3779B1u ^ static_cast<uint32_t>(a) * 0x85EBCA77u ^
               static_cast<uint32_t>(b) * 0xC2B2AE3Du;
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  h *= 0x297A2D39u;
  h ^= h >> 15;
  return static_cast<float>(h & 0xFFFFFF) / 16777216.0f;
}

template <typename Inside>
void Cave::set(bool value, Inside inside) {
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < columns; ++column) {
      const ofxVec2f centre(column * cell + cell / 2.0f, row * cell + cell / 2.0f);
      if (inside(centre)) cells[row * columns + column] = value;
    }
  }
}

void Cave::tunnel(const Polyline& path, float width) {
  set(true, [&](const ofxVec2f& c) {
    for (size_t i = 0; i + 1 < path.size(); ++i) {
      if (segmentDistance(c, path[i], path[i + 1]) <= width / 2) return true;
    }
    return path.size() == 1 && c.distance(path[0]) <= width / 2;
  });
}

void Cave::room(float x, float y, float w, float h) {
  set(true, [&](const ofxVec2f& c) { return c.x > x && c.x < x + w && c.y > y && c.y < y + h; });
}

void Cave::disc(float cx, float cy, float radius) {
  set(true, [&](const ofxVec2f& c) { return c.distance(ofxVec2f(cx, cy)) <= radius; });
}

void Cave::pillar(float x, float y, float w, float h) {
  set(false, [&](const ofxVec2f& c) { return c.x > x && c.x < x + w && c.y > y && c.y < y + h; });
}

void Cave::boulder(float cx, float cy, float radius) {
  set(false, [&](const ofxVec2f& c) { return c.distance(ofxVec2f(cx, cy)) <= radius; });
}

bool Cave::open(int column, int row) const {
  if (column < 0 || row < 0 || column >= columns || row >= rows) return false;
  return cells[row * columns + column];
}

std::vector<Polyline> Cave::outlines(unsigned seed) const {
  // Every side between an open cell and rock, walked clockwise around the
  // open cell, keyed by its start corner (corners are numbered row-wise).
  const int stride = columns + 1;
  std::multimap<int, int> edges;
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < columns; ++column) {
      if (!open(column, row)) continue;
      const int tl = row * stride + column, tr = tl + 1, bl = tl + stride, br = bl + 1;
      if (!open(column, row - 1)) edges.emplace(tl, tr);
      if (!open(column + 1, row)) edges.emplace(tr, br);
      if (!open(column, row + 1)) edges.emplace(br, bl);
      if (!open(column - 1, row)) edges.emplace(bl, tl);
    }
  }
  std::vector<Polyline> loops;
  while (!edges.empty()) {
    const int start = edges.begin()->first;
    int at = start;
    Polyline loop;
    do {
      loop.emplace_back(static_cast<float>(at % stride * cell), static_cast<float>(at / stride * cell));
      // Where two rock cells meet at a corner the walk turns into the open
      // side's next edge, so each loop stays simple.
      auto range = edges.equal_range(at);
      auto chosen = range.first;
      if (loop.size() > 1 && std::next(range.first) != range.second) {
        const ofxVec2f& from = loop[loop.size() - 2];
        const float inX = loop.back().x - from.x, inY = loop.back().y - from.y;
        for (auto e = range.first; e != range.second; ++e) {
          const float outX = static_cast<float>(e->second % stride - at % stride);
          const float outY = static_cast<float>(e->second / stride - at / stride);
          if (inX * outY - inY * outX > 0) chosen = e;  // a clockwise (right) turn
        }
      }
      at = chosen->second;
      edges.erase(chosen);
    } while (at != start && edges.count(at) > 0);
    if (loop.size() >= 4) {
      loops.push_back(roughen(simplify(chaikin(chaikin(chaikin(loop))), 0.75f), seed));
    }
  }
  return loops;
}
