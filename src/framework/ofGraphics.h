#pragma once
// Immediate-mode drawing: colour, outlined or filled shapes, lines, the
// model-view matrix and the built-in bitmap text. Coordinates are floats in
// the current model-view space (screen pixels after ofSetupScreen: window
// pixels, unless the window shows the screen larger); colour components are
// 0..255 and clamped on the way to GL.

#include <string>

#include "framework/ofTypes.h"

void ofSetColor(int r, int g, int b);
void ofSetColor(int r, int g, int b, int a);
// 0xRRGGBB, opaque.
void ofSetHexColor(int hex);

void ofFill();
void ofNoFill();
// In screen pixels: a screen shown N times larger draws lines N times wider.
void ofSetLineWidth(float width);
// Window pixels per screen pixel, set by the window runner each frame: 1
// unless the screen is shown larger. Line widths and the bitmap text grow
// with it, so that the picture is the same at every size.
void ofSetPixelScale(float windowPixelsPerScreenPixel);
float ofGetPixelScale();
void ofEnableAlphaBlending();
void ofDisableAlphaBlending();
// Line smoothing for lines and outlined shapes drawn from now on.
void ofEnableSmoothing();
void ofDisableSmoothing();
// Vertices of circles and ellipses, clamped to 1..1024; 1 changes nothing.
void ofSetCircleResolution(int points);

// Lines are gathered and drawn together at the next call that draws
// anything else, changes the matrix or the GL state, or at ofFlushDrawing.
void ofLine(float x1, float y1, float x2, float y2);
void ofLine(const ofPoint& a, const ofPoint& b);
// Corner placement: (x, y) is the top-left corner; negative sizes draw left/up.
void ofRect(float x, float y, float w, float h);
void ofRect(const ofRectangle& r);
void ofCircle(float x, float y, float radius);
// Centred on (x, y).
void ofEllipse(float x, float y, float width, float height);
void ofTriangle(float x1, float y1, float x2, float y2, float x3, float y3);

void ofPushMatrix();
void ofPopMatrix();
void ofTranslate(float x, float y, float z = 0);
void ofScale(float x, float y, float z = 1);
// Degrees about the z axis: clockwise on screen.
void ofRotate(float degrees);

// Text in the 8x14 bitmap font, baseline at (x, y); a newline starts the next
// line 13.6 units lower (truncated); bytes outside 32..127 are skipped.
void ofDrawBitmapString(const std::string& text, float x, float y);

// Draws the lines gathered so far. The frame loop calls it before the
// buffer swap; code that calls GL directly calls it first.
void ofFlushDrawing();

// The style record mirroring the state set above.
const ofStyle& ofGetStyle();
bool ofGetFill();
bool ofGetSmoothing();
int ofGetCircleResolution();
