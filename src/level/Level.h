#pragma once
// One level: its walls, the zones (warps) that carry commands, the receivers
// ships arrive at, the models placed in it and the points that pull the ship.

#include <string>
#include <vector>

#include "framework/ofTypes.h"
#include "level/Wall.h"

// A rectangular zone; `level` is a command word or the guid of a target level.
struct Warp {
  ofRectangle rect;
  std::string level;
  std::string id;
  std::string dir;
};

struct Receiver {
  ofxVec2f pos;
  std::string id;
};

// A placement of every model whose guid equals `guid`.
struct ModelRef {
  std::string guid;
  ofxVec2f pos;
  bool warpOnEndAnimation = false;
  std::string level;
  std::string id;
};

using GravityPoint = ofxVec2f;

class Level {
 public:
  Level();  // a fresh guid, gravity and friction on, nothing in it
  struct Blank {};
  explicit Level(Blank);  // empty guid, gravity and friction off: what a loader fills in

  bool hasModelRef(const std::string& modelGuid) const;

  std::string guid;
  bool gravity = true;
  bool friction = true;
  std::vector<Wall> walls;
  std::vector<Warp> warps;
  std::vector<Receiver> receivers;
  std::vector<ModelRef> modelRefs;
  std::vector<GravityPoint> gravityPoints;
};
