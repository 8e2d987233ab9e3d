#include "ReactorPit.h"

#include <algorithm>
#include <cmath>

#include "Kit.h"

using namespace reactorPit;

namespace {
const float fillBottom = hallY + hallRadius - 8, fillTop = passageTop + 6;

// A run of level x coordinates; empty until something is taken in.
struct Span {
  float left = 1e9f, right = -1e9f;
  void take(float l, float r) { left = std::min(left, l), right = std::max(right, r); }
  bool empty() const { return left >= right; }
};

// The open span of the pit at level height y, a little inside the rock so
// the fill never shows over it; it ends at the gate. Empty below the hall.
Span spanAt(float y) {
  Span s;
  const float dy = y - hallY;
  if (std::fabs(dy) < hallRadius) {
    const float w = std::sqrt(hallRadius * hallRadius - dy * dy);
    s.take(hallX - w, hallX + w);
  }
  if (y > passageTop && y < hallY) s.take(hallX - shaftHalf, hallX + shaftHalf);
  if (y > passageTop && y < passageBottom) s.take(gateX + 11, hallX + shaftHalf);
  if (!s.empty()) s.left = std::max(s.left + 5, gateX + 6), s.right -= 5;
  return s;
}

float fillLevel(int step) {
  const float rise = (fillBottom - fillTop) / (fillFull - fillHold);
  return std::clamp(fillBottom - rise * (step - fillHold), fillTop, fillBottom);
}

// The fill at one step, in coordinates from the hall's centre: a bright,
// broken surface and dim lines under it, close enough that no ship fits
// between them.
void fill(ModelKit& melt, float level, int step) {
  const Span top = spanAt(level);
  if (!top.empty()) {
    Polyline surface;
    for (int k = 0; k <= 8; ++k) {
      const float jag = k == 0 || k == 8 ? 0 : (noise(step, k, 21) - 0.5f) * 6;
      surface.emplace_back(top.left + (top.right - top.left) * k / 8 - hallX, level + jag - hallY);
    }
    melt.path(surface, ofColor(255, 150, 40), WALL_FLICKER);
  }
  for (float y = level + 9; y < fillBottom + 6; y += 9) {
    const Span s = spanAt(y);
    const ofColor glow = hsl(0.03f, 0.9f, 0.22f + 0.1f * noise(step, static_cast<int>(y), 22));
    if (!s.empty()) melt.line(s.left - hallX, y - hallY, s.right - hallX, y - hallY, glow);
  }
}

// One leaf of the gate, from inside the rock on `side` (-1 above, 1 below)
// to its tip, in coordinates from the gate's centre.
void leaf(ModelKit& gate, float side, float tip) {
  const float root = side * ((passageBottom - passageTop) / 2 + 14);
  const ofColor frame(255, 190, 60), stripe(255, 110, 40);
  gate.loop({{-6, root}, {6, root}, {6, tip}, {-6, tip}}, frame);
  for (float d = 6; d < std::fabs(root - tip) - 4; d += 8) {
    const float at = tip + side * d;
    gate.line(-6, at, 6, at + side * 5, stripe);
  }
}

// How far the gate is shut at a step of the countdown, 0 to 1.
float gateShutAt(int step) {
  if (step < gateOpen) return 1 - float(step) / gateOpen;
  return std::clamp(float(step - gateStarts) / (gateShut - gateStarts), 0.0f, 1.0f);
}

void gateFrame(ModelKit& gate, float shut) {
  // Open, the leaves' tips rest in the rock of the passage.
  const float tip = ((passageBottom - passageTop) / 2 + 4) * (1 - shut);
  gate.frame();
  leaf(gate, -1, -tip);
  leaf(gate, 1, tip);
}
}  // namespace

void reactorModels(LevelData& data) {
  ModelKit shut(data, "pit_gate_shut", 0, true);
  gateFrame(shut, 1);
  ModelKit melt(data, "meltdown", stepMs, true, true);
  ModelKit gate(data, "pit_gate", stepMs, true, true, "door");
  for (int step = 0; step < steps; ++step) {
    melt.frame();
    fill(melt, fillLevel(step), step);
    gateFrame(gate, gateShutAt(step));
  }
}
