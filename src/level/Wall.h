#pragma once
// One coloured line segment of a level or a model frame. The segment ends
// are kept in the vector's components: x, y is the first end, z, w the
// second. The type letter chooses how the wall is drawn and animated.

#include "framework/ofTypes.h"

enum WallType : int {
  WALL_SOLID = 'w',    // opaque
  WALL_FLICKER = 'e',  // alpha drawn anew every frame
  WALL_FADE = 't',     // fades out and snaps back
};

class Wall : public ofxVec4f {
 public:
  Wall() = default;
  // Draws a random starting opacity for fading walls.
  Wall(float x1, float y1, float x2, float y2, float r, float g, float b, int type);

  // The fading step of a 't' wall: alpha falls by 10, below 50 it is 255 again.
  void update();
  // Sets the colour by type (other types keep the current colour) and draws,
  // moved by (dx, dy).
  void draw(float dx = 0, float dy = 0) const;

  int type = 0;
  int alpha = 255;
  ofColor color;
};
