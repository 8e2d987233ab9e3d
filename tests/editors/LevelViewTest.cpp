// The level tool's view: screen and level points convert both ways at any
// zoom, a zoom keeps the point under the mouse in place, and the grid snaps.

#include <gtest/gtest.h>

#include "editors/LevelView.h"

TEST(LevelView, AZoomKeepsThePointUnderTheMouseAndStaysWithinBounds) {
  LevelView view;
  view.offset = ofxVec2f(20, -10);
  const ofxVec2f mouse(200, 150);
  const ofxVec2f under = view.toLevel(mouse);
  for (float factor : {LevelView::zoomStep, LevelView::zoomStep, 1 / LevelView::zoomStep}) {
    view.zoomAround(mouse, factor);
    const ofxVec2f still = view.toLevel(mouse);
    EXPECT_NEAR(still.x, under.x, 1e-3) << view.zoom;
    EXPECT_NEAR(still.y, under.y, 1e-3) << view.zoom;
    const ofxVec2f back = view.toScreen(under);
    EXPECT_NEAR(back.x, mouse.x, 1e-3);
  }
  for (int i = 0; i < 40; ++i) view.zoomAround(mouse, LevelView::zoomStep);
  EXPECT_EQ(view.zoom, LevelView::maxZoom);
  for (int i = 0; i < 80; ++i) view.zoomAround(mouse, 1 / LevelView::zoomStep);
  EXPECT_EQ(view.zoom, LevelView::minZoom);
  const ofRectangle shown = view.shown(530, 370);
  EXPECT_NEAR(shown.width, 530 / LevelView::minZoom, 1e-3);
}

TEST(LevelView, TheGridSnapsToItsNearestPointOnlyWhileOn) {
  LevelGrid grid;
  EXPECT_EQ(grid.snap(ofxVec2f(13.4f, -6)).x, 13.4f);
  grid.on = true;
  const ofxVec2f snapped = grid.snap(ofxVec2f(13.4f, -6));
  EXPECT_EQ(snapped.x, 10);
  EXPECT_EQ(snapped.y, -10);
  EXPECT_EQ(grid.snap(ofxVec2f(15, 25)).x, 20) << "halfway rounds away from zero";
}
