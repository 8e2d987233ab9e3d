#include "WayWatch.h"

#include <cmath>

#include "level/LevelData.h"

namespace {
// Beyond the stretch the hazards cross, px, before the hull is clear of it.
const float hull = 12;
}  // namespace

WayWatch::WayWatch(const ofxVec2f& from, const ofxVec2f& to, float clearance) : from(from) {
  const ofxVec2f d = to - from;
  length = std::hypot(d.x, d.y);
  if (length == 0) return;
  along = ofxVec2f(d.x / length, d.y / length);
  side = ofxVec2f(-along.y * clearance, along.x * clearance);
}

bool WayWatch::crossed(const Perception& seen) {
  const ofxVec2f to(from.x + along.x * length, from.y + along.y * length);
  const ofxVec2f lanes[3][2] = {{from, to}, {from + side, to + side}, {from - side, to - side}};
  bool any = false;
  double x, y;
  for (const WallLine& w : seen.hazards) {
    for (const auto& lane : lanes) {
      if (!LevelData::intersectSegments(lane[0].x, lane[0].y, lane[1].x, lane[1].y, w.a.x, w.a.y, w.b.x,
                                        w.b.y, &x, &y)) {
        continue;
      }
      any = true;
      const float s = static_cast<float>((x - lane[0].x) * along.x + (y - lane[0].y) * along.y);
      nearest = std::fmin(nearest, s);
      farthest = std::fmax(farthest, s);
    }
  }
  return any;
}

void WayWatch::look(const Perception& seen) {
  if (length == 0) return;
  if (blocked.empty()) firstFrame = seen.frame;
  const bool now = crossed(seen);
  // A frame not seen is taken to be as the one before.
  while (firstFrame + watched() < seen.frame) blocked.push_back(blocked.back());
  if (!blocked.empty() && blocked.back() && !now) openings.push_back(seen.frame);
  blocked.push_back(now);
}

int WayWatch::period() const {
  const size_t n = openings.size();
  return n < 2 ? 0 : openings[n - 1] - openings[n - 2];
}

int WayWatch::blockedAt(int frame) const {
  const int p = period();
  const int last = firstFrame + watched() - 1;
  if (p == 0) return -1;
  if (frame > last) frame -= ((frame - last + p - 1) / p) * p;
  if (frame < firstFrame) return -1;
  return blocked[static_cast<size_t>(frame - firstFrame)];
}

WayWatch::Verdict WayWatch::leaving(int leave, float speed, int startup, int slack) const {
  if (length == 0 || !everBlocked()) return Verdict::through;
  if (period() == 0 || speed <= 0) return Verdict::unknown;
  const int in = leave + startup + static_cast<int>((nearest - hull) / speed) - slack;
  const int out = leave + startup + static_cast<int>((farthest + hull) / speed) + slack;
  for (int f = in; f <= out; ++f) {
    const int b = blockedAt(f);
    if (b < 0) return Verdict::unknown;
    if (b) return Verdict::caught;
  }
  return Verdict::through;
}
