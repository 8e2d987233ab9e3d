#include "editors/LevelView.h"

#include <algorithm>
#include <cmath>

#include "framework/ofGraphics.h"

ofxVec2f LevelView::toLevel(const ofxVec2f& screen) const {
  return ofxVec2f((screen.x - offset.x) / zoom, (screen.y - offset.y) / zoom);
}

ofxVec2f LevelView::toScreen(const ofxVec2f& level) const {
  return ofxVec2f(offset.x + level.x * zoom, offset.y + level.y * zoom);
}

void LevelView::zoomAround(const ofxVec2f& screen, float factor) {
  const ofxVec2f under = toLevel(screen);
  zoom = std::max(minZoom, std::min(maxZoom, zoom * factor));
  offset = ofxVec2f(screen.x - under.x * zoom, screen.y - under.y * zoom);
}

ofRectangle LevelView::shown(int width, int height) const {
  const ofxVec2f from = toLevel(ofxVec2f(0, 0));
  return ofRectangle(from.x, from.y, static_cast<float>(width) / zoom,
                     static_cast<float>(height) / zoom);
}

ofxVec2f LevelGrid::snap(const ofxVec2f& p) const {
  if (!on) return p;
  return ofxVec2f(std::round(p.x / spacing) * spacing, std::round(p.y / spacing) * spacing);
}

void LevelGrid::draw(const LevelView& view, int width, int height) const {
  if (!on || spacing * view.zoom < 4) return;
  const ofRectangle area = view.shown(width, height);
  ofSetColor(60, 60, 90, 255);
  const float left = std::floor(area.x / spacing) * spacing;
  const float top = std::floor(area.y / spacing) * spacing;
  for (float x = left; x <= area.x + area.width; x += spacing) {
    ofLine(x, area.y, x, area.y + area.height);
  }
  for (float y = top; y <= area.y + area.height; y += spacing) {
    ofLine(area.x, y, area.x + area.width, y);
  }
}
