#pragma once
// How the level tool shows a level: the screen point of the level's origin
// (the pan) and how many pixels a level unit takes (the zoom), with the
// conversions both ways, a zoom that keeps the point under the mouse where
// it is, and the grid that new and moved points may snap to.

#include "framework/ofTypes.h"

struct LevelView {
  static constexpr float minZoom = 0.25f;
  static constexpr float maxZoom = 8.0f;
  // One step of the wheel or of Page Up / Page Down.
  static constexpr float zoomStep = 1.25f;

  ofxVec2f toLevel(const ofxVec2f& screen) const;
  ofxVec2f toScreen(const ofxVec2f& level) const;
  // The zoom times factor (kept within its bounds), the level point under
  // screen staying under it.
  void zoomAround(const ofxVec2f& screen, float factor);
  // The part of the level a window of that size shows.
  ofRectangle shown(int width, int height) const;

  ofxVec2f offset;  // screen position of the level origin
  float zoom = 1;
};

// The snapping grid, in level units; off until asked for.
struct LevelGrid {
  static constexpr float spacing = 10;

  // p on the nearest grid point while the grid is on, else p.
  ofxVec2f snap(const ofxVec2f& p) const;
  // Faint lines over the shown part of the level (in level coordinates,
  // under the view's transformation); only while on, and only when the
  // lines are at least 4 pixels apart.
  void draw(const LevelView& view, int width, int height) const;

  bool on = false;
};
