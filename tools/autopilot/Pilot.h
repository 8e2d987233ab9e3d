#pragma once
// Steering: from the ship's state and a point to reach, the keys for one
// frame. The pilot wants a velocity towards the point (capped, and falling
// off near a point it must stop at), works out the acceleration that gets
// it there against gravity and the gravity points, turns the nose along it
// and thrusts when the nose is close enough.

#include <string>
#include <vector>

#include "Harness.h"

// A point of a level's route: a "trigger" zone with id "route" (written by
// the campaign generator) and the hints in its dir text.
struct RoutePoint {
  ofRectangle rect;
  float cap = 1.5f;   // px/frame on the way to this point
  bool stop = false;  // arrive slowly
  bool wait = false;  // the pilot may hover here before going on
  ofxVec2f centre() const { return ofxVec2f(rect.x + rect.width / 2, rect.y + rect.height / 2); }
  bool contains(const ofxVec2f& p) const {
    return rect.x < p.x && p.x < rect.x + rect.width && rect.y < p.y && p.y < rect.y + rect.height;
  }
};

std::vector<RoutePoint> routeOf(const Level& level);

const float degreesPerRadian = 180 / 3.14159265f;
// An angle brought into -180..180 degrees.
float wrapDegrees(float a);
// The acceleration a level puts on a ship at pos, as the flight step
// computes it: gravity when the level has it, and every gravity point.
ofxVec2f levelPull(bool gravity, const ofxVec2f& gravityAccel,
                   const std::vector<GravityPoint>& points, const ofxVec2f& pos);

struct Steering {
  float capScale = 1;    // multiplies the route's speed caps
  float response = 0.08f;  // how hard velocity errors are corrected, 1/frames
};

class Pilot {
 public:
  // Keys for this frame towards `target`; `stop` asks to arrive slowly.
  Keys steer(const Game& game, const ofxVec2f& target, float cap, bool stop, const Steering& how);

 private:
  float owed = 0;  // thrust asked for but not yet given, px/frame
};
