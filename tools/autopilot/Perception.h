#pragma once
// What a player sees of the game in one frame: the ship's motion and where
// the level's moving hazards are, stamped with the frame. A person acts on
// what they saw a moment ago; PerceptionDelay holds perceptions back until
// they are that old, and is the only way the novice gets to see them.

#include <deque>
#include <vector>

#include "game/Game.h"

// A wall as a segment between its ends, in level pixels.
struct WallLine {
  ofxVec2f a, b;
};

struct Perception {
  int frame = 0;  // the frame whose start this is, before its keys act
  ofxVec2f pos, vel;
  float angle = 0, turnSpeed = 0, fuel = 0;
  bool dying = false;
  // The shown walls of the solid animated models placed in the level, in
  // level pixels; a solid model of one frame (rubble) never moves.
  std::vector<WallLine> hazards;
};

Perception perceive(const Game& game, int frame);

class PerceptionDelay {
 public:
  explicit PerceptionDelay(int frames) : frames(frames) {}
  void push(const Perception& seen) { queue.push_back(seen); }
  // The newest perception at least `frames` old at frame `now`, or null
  // while none is; older ones are dropped.
  const Perception* ready(int now);

  const int frames;

 private:
  std::deque<Perception> queue;
};
