#pragma once
// A cave carved out of solid rock on a grid of 5-pixel cells over the
// 480 by 320 play area: tunnels, rooms and discs open cells, pillars fill
// them again, and the outline of the rock becomes the level's walls
// (smoothed, then roughened a little so it reads as stone).

#include <vector>

#include "framework/ofTypes.h"

using Polyline = std::vector<ofxVec2f>;

class Cave {
 public:
  static constexpr int cell = 5;  // pixels
  static constexpr int columns = 96, rows = 64;

  // Opens every cell whose centre lies within width / 2 of the polyline.
  void tunnel(const Polyline& path, float width);
  // Opens the cells whose centres lie inside the rectangle (pixels).
  void room(float x, float y, float w, float h);
  void disc(float cx, float cy, float radius);
  // Puts rock back: a pillar or a ledge.
  void pillar(float x, float y, float w, float h);
  void boulder(float cx, float cy, float radius);

  bool open(int column, int row) const;
  // The closed outlines between open cells and rock, in level pixels with
  // whole-number coordinates. `seed` varies the roughness between levels.
  std::vector<Polyline> outlines(unsigned seed) const;

 private:
  template <typename Inside>
  void set(bool value, Inside inside);
  bool cells[columns * rows] = {};
};

// A deterministic hash of three integers to [0, 1): the only source of
// variation in the generated content, so every build writes the same file.
float noise(int a, int b, unsigned seed);
