#include "framework/ofGraphics.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "framework/ofBitmapText.h"

namespace {
constexpr int maxCirclePoints = 1024;

ofStyle style;
bool fillOn = true;
bool smoothingOn = false;
int circleResolution = 0;  // 0 until the circle table is first built
float circleCos[maxCirclePoints];
float circleSin[maxCirclePoints];

// Lines are gathered with their colours and drawn together: the software
// renderer pays for every change of colour between two draws far more than
// for the lines themselves. Anything else that draws or changes the matrix
// or the GL state first draws the gathered lines (ofFlushDrawing), so the
// order of what appears on screen is the order of the calls.
constexpr int maxBatchedLines = 4096;
float batchVerts[maxBatchedLines * 2 * 2];
float batchColors[maxBatchedLines * 2 * 4];
int batchedLines = 0;
float currentColor[4] = {1, 1, 1, 1};
float colorScale = 1;
// Window pixels per screen pixel (ofSetPixelScale).
float pixelScale = 1;

// Static vertex storage: drawing never allocates.
float triangleVerts[3 * 2];
float rectVerts[4 * 2];
float circleVerts[maxCirclePoints * 2];

float toUnit(int c) {
  const float v = static_cast<float>(c / 255.0);
  if (v >= 1) return 1;
  if (v < 0) return 0;
  return v;
}

void drawBatchedLines() {
  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(2, GL_FLOAT, 0, batchVerts);
  glEnableClientState(GL_COLOR_ARRAY);
  glColorPointer(4, GL_FLOAT, 0, batchColors);
  glDrawArrays(GL_LINES, 0, batchedLines * 2);
  glDisableClientState(GL_COLOR_ARRAY);
  // The colour array leaves the current colour undefined: set it again.
  glColor4fv(currentColor);
}

void drawArrays(GLenum mode, const float* verts, int count) {
  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(2, GL_FLOAT, 0, verts);
  glDrawArrays(mode, 0, count);
}

// Smoothed drawing happens inside a bracket that restores the blend and
// enable state afterwards.
template <typename Draw>
void drawMaybeSmoothed(bool smooth, Draw draw) {
  if (!smooth) {
    draw();
    return;
  }
  glPushAttrib(GL_COLOR_BUFFER_BIT | GL_ENABLE_BIT);
  glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
  glEnable(GL_LINE_SMOOTH);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  draw();
  glPopAttrib();
}

// Outlines are smoothed with the smoothing flag; filled shapes never are.
void drawShape(GLenum filledMode, GLenum outlineMode, const float* verts, int count) {
  ofFlushDrawing();
  const GLenum mode = fillOn ? filledMode : outlineMode;
  drawMaybeSmoothed(smoothingOn && !fillOn, [&] { drawArrays(mode, verts, count); });
}

void batchLine(float x1, float y1, float x2, float y2) {
  if (batchedLines == maxBatchedLines) ofFlushDrawing();
  float* v = batchVerts + batchedLines * 4;
  v[0] = x1, v[1] = y1, v[2] = x2, v[3] = y2;
  float* c = batchColors + batchedLines * 8;
  for (int i = 0; i < 8; ++i) c[i] = currentColor[i % 4];
  ++batchedLines;
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

namespace {
void* heldOwner = nullptr;
void (*heldDraw)(void*) = nullptr;
}  // namespace

void ofHoldDrawing(void* owner, void (*draw)(void* owner)) {
  heldOwner = owner;
  heldDraw = draw;
}

bool ofDrawingGatheredBesides(const void* owner) {
  return (heldOwner && heldOwner != owner) || bitmapText::gathered() || batchedLines > 0;
}

void ofDropHeldDrawing(const void* owner) {
  if (heldOwner == owner) heldOwner = nullptr;
}

void ofFlushDrawing() {
  // Held drawing is the oldest, then bitmap text, then lines: each is
  // gathered only after what would have to come before it was drawn.
  if (heldOwner) {
    void* owner = heldOwner;
    heldOwner = nullptr;
    heldDraw(owner);
  }
  bitmapText::draw();
  if (batchedLines == 0) return;
  drawMaybeSmoothed(smoothingOn, drawBatchedLines);
  batchedLines = 0;
}

void ofSetColor(int r, int g, int b, int a) {
  const float fr = toUnit(r), fg = toUnit(g), fb = toUnit(b), fa = toUnit(a);
  currentColor[0] = fr * colorScale, currentColor[1] = fg * colorScale;
  currentColor[2] = fb * colorScale, currentColor[3] = fa;
  glColor4fv(currentColor);
  style.color = ofColor(fr * 255, fg * 255, fb * 255, fa * 255);
}

void ofSetColorScale(float scale) {
  // NaN draws colours as given.
  colorScale = !(scale < 1) ? 1 : scale > 0 ? scale : 0;
}

void ofSetHexColor(int hex) {
  ofSetColor((hex >> 16) & 0xFF, (hex >> 8) & 0xFF, hex & 0xFF);
}

void ofFill() { fillOn = true; style.fillMode = true; }

void ofNoFill() { fillOn = false; style.fillMode = false; }

void ofSetLineWidth(float width) {
  ofFlushDrawing();
  glLineWidth(width * pixelScale);
  style.lineWidth = width;
}

void ofSetPixelScale(float windowPixelsPerScreenPixel) {
  // Zero, negative or NaN would make every line vanish: taken as 1.
  const float f = windowPixelsPerScreenPixel > 0 ? windowPixelsPerScreenPixel : 1;
  if (f == pixelScale) return;
  ofFlushDrawing();
  pixelScale = f;
  glLineWidth(style.lineWidth * pixelScale);
}

float ofGetPixelScale() { return pixelScale; }

void ofEnableAlphaBlending() {
  ofFlushDrawing();
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  style.blending = true;
}

void ofDisableAlphaBlending() {
  ofFlushDrawing();
  glDisable(GL_BLEND);
  style.blending = false;
}

void ofEnableSmoothing() {
  ofFlushDrawing();
  smoothingOn = true;
  style.smoothing = true;
}

void ofDisableSmoothing() {
  ofFlushDrawing();
  smoothingOn = false;
  style.smoothing = false;
}

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

void ofLine(float x1, float y1, float x2, float y2) { batchLine(x1, y1, x2, y2); }

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

void ofPushMatrix() {
  ofFlushDrawing();
  glPushMatrix();
}

void ofPopMatrix() {
  ofFlushDrawing();
  glPopMatrix();
}

void ofTranslate(float x, float y, float z) {
  ofFlushDrawing();
  glTranslatef(x, y, z);
}

void ofScale(float x, float y, float z) {
  ofFlushDrawing();
  glScalef(x, y, z);
}

void ofRotate(float degrees) {
  ofFlushDrawing();
  glRotatef(degrees, 0, 0, 1);
}

void ofDrawBitmapString(const std::string& text, float x, float y) {
  // What was gathered before the text is drawn before it.
  if (batchedLines > 0 || heldOwner) ofFlushDrawing();
  if (pixelScale != 1) {
    bitmapText::gatherInModelView(text, x, y);
  } else {
    bitmapText::gatherAtRasterPosition(text, x, y);
  }
}

const ofStyle& ofGetStyle() { return style; }

bool ofGetFill() { return fillOn; }

bool ofGetSmoothing() { return smoothingOn; }

int ofGetCircleResolution() { return circleResolution; }
