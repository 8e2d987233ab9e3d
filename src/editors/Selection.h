#pragma once
// What the level tool has selected in one level: walls, zones, receivers,
// model placements and gravity points, by their place in the level's lists.
// Chosen with a rubber band (or all at once), it can be moved, deleted,
// duplicated, and copied to be pasted into this level or another one. Every
// operation is plain data work on a Level; the tool draws the marks.

#include <vector>

#include "framework/ofTypes.h"
#include "level/Level.h"

// Copied items, apart from any level: what Ctrl+V pastes.
struct LevelClipboard {
  std::vector<Wall> walls;
  std::vector<Warp> warps;
  std::vector<Receiver> receivers;
  std::vector<ModelRef> modelRefs;
  std::vector<GravityPoint> gravityPoints;
  ofxVec2f corner;  // the top left of what was copied
  bool empty() const;
};

class Selection {
 public:
  // The items of level wholly inside band (a wall with both its ends, a
  // zone with its whole rectangle) become the selection; with add, they
  // are added to it instead, and any of them selected already leave it.
  void select(const Level& level, const ofRectangle& band, bool add);
  void selectAll(const Level& level);
  void clear();
  bool empty() const;
  size_t count() const;

  // An item of the selection lies at p: a point, a wall end or a wall's
  // line near it, or a zone around it.
  bool contains(const Level& level, const ofxVec2f& p) const;
  // Moves every selected item by step.
  void moveBy(Level& level, const ofxVec2f& step) const;
  // Removes the selected items from level; the selection is then empty.
  void erase(Level& level);
  LevelClipboard copy(const Level& level) const;
  // Appends the clipboard's items to level with their top left at corner;
  // they become the selection.
  void paste(Level& level, const LevelClipboard& clipboard, const ofxVec2f& corner);
  // Copies of the selected items, step away; the copies become the selection.
  void duplicate(Level& level, const ofxVec2f& step);
  // Indices that no longer exist in level (another level, an undo) are dropped.
  void fit(const Level& level);

  // The places of the selected items in their lists, in ascending order.
  std::vector<size_t> walls, warps, receivers, modelRefs, gravityPoints;
};

// The rectangle spanned by two corners, of positive size whichever way it
// was dragged.
ofRectangle bandBetween(const ofxVec2f& a, const ofxVec2f& b);
