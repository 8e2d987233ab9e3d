#pragma once
// Small copyable value types passed around by everything that draws or
// simulates: points, 2D and 4D vectors, colours, rectangles and the drawing
// style. Positions are in drawing units (window pixels after ofSetupScreen).

struct ofPoint {
  ofPoint() = default;
  ofPoint(float x, float y, float z = 0) : x(x), y(y), z(z) {}
  virtual ~ofPoint() = default;
  ofPoint(const ofPoint&) = default;
  ofPoint& operator=(const ofPoint&) = default;

  float x = 0, y = 0, z = 0;
};

// A 2D vector; z rides along untouched by the arithmetic.
struct ofxVec2f : ofPoint {
  ofxVec2f() = default;
  ofxVec2f(float x, float y) : ofPoint(x, y, 0) {}
  ofxVec2f(const ofPoint& p) : ofPoint(p) {}  // NOLINT: implicit by design

  ofxVec2f operator+(const ofxVec2f& b) const { return ofxVec2f(x + b.x, y + b.y); }
  ofxVec2f operator-(const ofxVec2f& b) const { return ofxVec2f(x - b.x, y - b.y); }
  ofxVec2f& operator+=(const ofxVec2f& b) { x += b.x; y += b.y; return *this; }
  ofxVec2f& operator-=(const ofxVec2f& b) { x -= b.x; y -= b.y; return *this; }
  ofxVec2f& operator*=(float s) { x *= s; y *= s; return *this; }

  // This vector turned by angle degrees (clockwise on screen, y pointing down).
  ofxVec2f getRotated(float angle) const;
  float distance(const ofPoint& p) const;
};

// Four floats; a level wall keeps its segment ends in x, y, z, w.
struct ofxVec4f : ofPoint {
  ofxVec4f() = default;
  ofxVec4f(float x, float y, float z, float w) : ofPoint(x, y, z), w(w) {}

  float w = 0;
};

// RGBA on the 0..255 scale; not clamped here (the colour setters clamp).
struct ofColor {
  ofColor() = default;
  ofColor(float r, float g, float b, float a = 255) : r(r), g(g), b(b), a(a) {}
  virtual ~ofColor() = default;
  ofColor(const ofColor&) = default;
  ofColor& operator=(const ofColor&) = default;

  float r = 255, g = 255, b = 255, a = 255;
};

struct ofRectangle {
  ofRectangle() = default;
  ofRectangle(float x, float y, float width, float height)
      : x(x), y(y), width(width), height(height) {}
  virtual ~ofRectangle() = default;
  ofRectangle(const ofRectangle&) = default;
  ofRectangle& operator=(const ofRectangle&) = default;

  float x = 0, y = 0, width = 0, height = 0;
};

enum { OF_RECTMODE_CORNER = 0, OF_RECTMODE_CENTER = 1 };
enum { OF_POLY_WINDING_ODD = 100130 };

// Mirror of the current drawing state; every drawing setter writes into it.
struct ofStyle {
  virtual ~ofStyle() = default;

  ofColor color;
  int polyMode = OF_POLY_WINDING_ODD;
  int rectMode = OF_RECTMODE_CORNER;
  bool fillMode = true;
  bool blending = false;
  bool smoothing = false;
  int circleResolution = 22;
  float lineWidth = 1.0f;
};
