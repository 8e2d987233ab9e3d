#include "framework/ofGraphics.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "framework/ofBitmapFont.h"

namespace {
constexpr int maxCirclePoints = 1024;

ofStyle style;
bool fillOn = true;
bool smoothingOn = false;
int circleResolution = 0;  // 0 until the circle table is first built
float circleCos[maxCirclePoints];
float circleSin[maxCirclePoints];

// Static vertex storage: drawing never allocates.
float lineVerts[2 * 2];
float triangleVerts[3 * 2];
float rectVerts[4 * 2];
float circleVerts[maxCirclePoints * 2];

float toUnit(int c) {
  const float v = static_cast<float>(c / 255.0);
  if (v >= 1) return 1;
  if (v < 0) return 0;
  return v;
}

void drawArrays(GLenum mode, const float* verts, int count) {
  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(2, GL_FLOAT, 0, verts);
  glDrawArrays(mode, 0, count);
}

// Lines always, and outlines, are smoothed inside a bracket that restores the
// blend and enable state afterwards.
void drawShape(GLenum filledMode, GLenum outlineMode, const float* verts, int count,
               bool isLine = false) {
  const GLenum mode = fillOn && !isLine ? filledMode : outlineMode;
  const bool smooth = smoothingOn && (isLine || !fillOn);
  if (!smooth) {
    drawArrays(mode, verts, count);
    return;
  }
  glPushAttrib(GL_COLOR_BUFFER_BIT | GL_ENABLE_BIT);
  glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
  glEnable(GL_LINE_SMOOTH);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  drawArrays(mode, verts, count);
  glPopAttrib();
}

void ensureCircleTable() {
  if (circleResolution == 0) ofSetCircleResolution(22);
}

void fillCircleVerts(float x, float y, float rx, float ry) {
  for (int i = 0; i < circleResolution; ++i) {
    circleVerts[2 * i] = x + circleCos[i] * rx;
    circleVerts[2 * i + 1] = y + circleSin[i] * ry;
  }
}
}  // namespace

void ofSetColor(int r, int g, int b) { ofSetColor(r, g, b, 255); }

void ofSetColor(int r, int g, int b, int a) {
  const float fr = toUnit(r), fg = toUnit(g), fb = toUnit(b), fa = toUnit(a);
  glColor4f(fr, fg, fb, fa);
  style.color = ofColor(fr * 255, fg * 255, fb * 255, fa * 255);
}

void ofSetHexColor(int hex) {
  ofSetColor((hex >> 16) & 0xFF, (hex >> 8) & 0xFF, hex & 0xFF);
}

void ofFill() { fillOn = true; style.fillMode = true; }

void ofNoFill() { fillOn = false; style.fillMode = false; }

void ofSetLineWidth(float width) {
  glLineWidth(width);
  style.lineWidth = width;
}

void ofEnableAlphaBlending() {
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  style.blending = true;
}

void ofDisableAlphaBlending() {
  glDisable(GL_BLEND);
  style.blending = false;
}

void ofEnableSmoothing() { smoothingOn = true; style.smoothing = true; }

void ofDisableSmoothing() { smoothingOn = false; style.smoothing = false; }

void ofSetCircleResolution(int points) {
  const int n = std::clamp(points, 1, maxCirclePoints);
  if (n == 1 || n == circleResolution) return;
  circleResolution = n;
  style.circleResolution = n;
  const float step = static_cast<float>(6.283185307179586 / n);
  float angle = 0;
  for (int i = 0; i < n; ++i) {
    circleCos[i] = static_cast<float>(std::cos(angle));
    circleSin[i] = static_cast<float>(std::sin(angle));
    angle += step;
  }
}

void ofLine(float x1, float y1, float x2, float y2) {
  lineVerts[0] = x1;
  lineVerts[1] = y1;
  lineVerts[2] = x2;
  lineVerts[3] = y2;
  drawShape(GL_LINES, GL_LINES, lineVerts, 2, true);
}

void ofLine(const ofPoint& a, const ofPoint& b) { ofLine(a.x, a.y, b.x, b.y); }

void ofRect(float x, float y, float w, float h) {
  const float v[8] = {x, y, x + w, y, x + w, y + h, x, y + h};
  std::copy(v, v + 8, rectVerts);
  drawShape(GL_TRIANGLE_FAN, GL_LINE_LOOP, rectVerts, 4);
}

void ofRect(const ofRectangle& r) { ofRect(r.x, r.y, r.width, r.height); }

void ofCircle(float x, float y, float radius) {
  ensureCircleTable();
  fillCircleVerts(x, y, radius, radius);
  drawShape(GL_TRIANGLE_FAN, GL_LINE_LOOP, circleVerts, circleResolution);
}

void ofEllipse(float x, float y, float width, float height) {
  ensureCircleTable();
  fillCircleVerts(x, y, width * 0.5f, height * 0.5f);
  drawShape(GL_TRIANGLE_FAN, GL_LINE_LOOP, circleVerts, circleResolution);
}

void ofTriangle(float x1, float y1, float x2, float y2, float x3, float y3) {
  const float v[6] = {x1, y1, x2, y2, x3, y3};
  std::copy(v, v + 6, triangleVerts);
  drawShape(GL_TRIANGLES, GL_LINE_LOOP, triangleVerts, 3);
}

void ofPushMatrix() { glPushMatrix(); }

void ofPopMatrix() { glPopMatrix(); }

void ofTranslate(float x, float y, float z) { glTranslatef(x, y, z); }

void ofScale(float x, float y, float z) { glScalef(x, y, z); }

void ofRotate(float degrees) { glRotatef(degrees, 0, 0, 1); }

void ofDrawBitmapString(const std::string& text, float x, float y) {
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
  glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glRasterPos2f(x, y);
  float lineOffset = 0;
  for (const char c : text) {
    const signed char code = static_cast<signed char>(c);
    if (code == '\n') {
      lineOffset += 8 * 1.7f;
      glRasterPos2f(x, y + static_cast<int>(lineOffset));
    } else if (code >= 32) {
      const unsigned char* glyph = ofBitmapFontGlyphs[static_cast<unsigned char>(code)];
      glBitmap(8, 14, 0, 3, 8, 0, glyph + 1);
    }
  }
  glPopClientAttrib();
}

const ofStyle& ofGetStyle() { return style; }

bool ofGetFill() { return fillOn; }

bool ofGetSmoothing() { return smoothingOn; }

int ofGetCircleResolution() { return circleResolution; }
