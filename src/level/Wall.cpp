#include "level/Wall.h"

#include "framework/ofGraphics.h"
#include "framework/ofMath.h"

Wall::Wall(float x1, float y1, float x2, float y2, float r, float g, float b, int type)
    : ofxVec4f(x1, y1, x2, y2),
      type(type),
      alpha(static_cast<int>(ofRandom(10, 240))),
      color(r, g, b, 255) {}

void Wall::update() {
  if (type != WALL_FADE) return;
  alpha -= 10;
  if (alpha < 50) alpha = 255;
}

void Wall::draw(float dx, float dy) const {
  const int r = ofTruncateToInt(color.r), g = ofTruncateToInt(color.g),
            b = ofTruncateToInt(color.b);
  switch (type) {
    case WALL_SOLID: ofSetColor(r, g, b); break;
    case WALL_FLICKER: ofSetColor(r, g, b, static_cast<int>(ofRandom(100, 255))); break;
    case WALL_FADE: ofSetColor(r, g, b, alpha); break;
    default: break;
  }
  ofLine(x + dx, y + dy, z + dx, w + dy);
}
