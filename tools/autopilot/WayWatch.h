#pragma once
// What a person hovering at a route point learns by watching the way on:
// whether the level's moving hazards cross it, where along it, and how
// often they open it again; and from that rhythm, whether leaving at a
// given moment would take the ship past them while the way is clear.

#include <vector>

#include "Perception.h"

class WayWatch {
 public:
  WayWatch() = default;
  // The way from `from` to `to`, `clearance` px wide either side.
  WayWatch(const ofxVec2f& from, const ofxVec2f& to, float clearance);

  // One perception, one a frame, oldest first.
  void look(const Perception& seen);
  bool clearNow() const { return !blocked.empty() && !blocked.back(); }
  // The way turned clear in the newest look.
  bool justOpened() const { return !openings.empty() && openings.back() == firstFrame + watched() - 1; }
  int watched() const { return static_cast<int>(blocked.size()); }
  bool everBlocked() const { return farthest >= nearest; }
  // Frames from one opening of the way to the next; 0 until two were seen.
  int period() const;

  enum class Verdict { unknown, through, caught };
  // Leaving at frame `leave`, getting going for `startup` frames and then
  // moving along the way at `speed` px/frame: whether the ship is past the
  // stretch the hazards cross while the rhythm seen says it is clear, with
  // `slack` frames to spare either side.
  Verdict leaving(int leave, float speed, int startup, int slack) const;

 private:
  // True when a hazard crosses the way; widens the stretch they cross.
  bool crossed(const Perception& seen);
  // The way at a frame, from the same moment of an earlier cycle; -1 when
  // that was not seen.
  int blockedAt(int frame) const;

  ofxVec2f from, along, side;  // along: unit vector; side: clearance to one side
  float length = 0;
  int firstFrame = 0;
  std::vector<char> blocked;               // one a frame from firstFrame
  std::vector<int> openings;               // frames the way turned clear
  float nearest = 1e9f, farthest = -1e9f;  // px along the way
};
