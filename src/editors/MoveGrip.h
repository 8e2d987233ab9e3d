#pragma once
// What a 'v' drag moves: a wall end, a zone, a receiver, a model reference
// or a gravity point of a level, or a wall end of a model frame. Grabbed at
// the press from what lies under the mouse (pickAt below, which Delete
// uses too), it follows the mouse by the distance dragged until the
// release; a moved wall end snaps to the ends of other walls as a drawn one
// does. The tools own one each; the whole drag is one step of the undo
// history.

#include <vector>

#include "framework/ofTypes.h"
#include "level/Level.h"

// The key held to move things with the left button.
constexpr int KEY_MOVE = 'v';

struct MoveGrip {
  enum class Kind { none, wallEnd, zone, receiver, modelRef, gravityPoint };

  // What pickAt finds in level at p; false, holding nothing, when there is none.
  bool grab(const Level& level, const ofxVec2f& p);
  // The first end of walls near p.
  bool grabWallEnd(const std::vector<Wall>& walls, const ofxVec2f& p);
  // What is held, moved from where it was grabbed by the drag from the press
  // point to p. A wall end snaps to the ends of the level's other walls.
  void moveTo(Level& level, const ofxVec2f& p) const;
  // The held wall end of walls to p; snapTo lists the walls its end snaps to
  // (the held wall itself among them is passed over).
  void moveWallEnd(std::vector<Wall>& walls, const ofxVec2f& p,
                   const std::vector<const std::vector<Wall>*>& snapTo) const;
  bool holding() const { return kind != Kind::none; }

  Kind kind = Kind::none;
  size_t index = 0;        // in the list of its kind
  bool secondEnd = false;  // a wall's z, w end rather than its x, y end
  int owner = -1;          // the level or model it was grabbed in (set by the tool)
  int frame = -1;          // the model frame it was grabbed in (modeling tool)
  ofxVec2f from;           // where it was at the press
  ofxVec2f press;          // the press point
};

// One thing of a level: its kind, its index in the list of its kind and, for
// a wall end, which end.
struct Picked {
  MoveGrip::Kind kind = MoveGrip::Kind::none;
  size_t index = 0;
  bool secondEnd = false;
};

// What lies under p, as 'v' and Delete take it. A point near p comes first,
// in this order: a wall end, a receiver, a model reference (the spawner
// among them), a gravity point, each the first of its list closer than
// editor::pickRadius. Only then a zone p lies inside, the smallest by area
// (the first of equal ones): a zone drawn around a receiver or around other
// zones never hides them. Kind none when nothing is there.
Picked pickAt(const Level& level, const ofxVec2f& p);

// The smallest of zones p lies inside (the first of equal ones); false
// when p is in none.
bool findSmallestZone(const std::vector<Warp>& zones, const ofxVec2f& p, size_t& index);
