#pragma once
// An animated vector model: frames of coloured walls shown one after another,
// at most one frame change per animSpeed milliseconds. The game places models
// in levels through model references.

#include <string>
#include <vector>

#include "level/Wall.h"

struct ModelFrame {
  std::vector<Wall> walls;
};

class Model {
 public:
  Model();  // a fresh guid and one empty frame
  struct Blank {};
  explicit Model(Blank);  // no frames, empty guid: what a loader fills in

  // Steps the shown frame's fading walls and, if advance, the frame timing.
  // A model without frames draws nothing and never advances.
  void update(bool advance);
  void nextFrame();
  void prevFrame();
  // Back to frame 0 with the timer at now; a model with a sound plays it anew.
  void restart(int now);
  // The walls of the shown frame; empty when the model has no such frame.
  const std::vector<Wall>& currentWalls() const;
  bool hasCurrentFrame() const;
  // Draws the shown frame at the current transformation, moved by (dx, dy).
  void drawCurrentFrame(float dx = 0, float dy = 0) const;

  std::string guid;
  int animSpeed = 0;
  bool solid = true;
  bool playOnce = false;
  std::string SE;
  bool sePending = false;
  std::vector<ModelFrame> frames;
  bool ended = false;
  int currentFrame = 0;
  int lastFrameTime = 0;
};
