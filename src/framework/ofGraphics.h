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
// A factor (0..1) for the red, green and blue of every colour set from now
// on; 1 draws colours as given. Over a black background a scene drawn at
// (255 - a) / 255 looks as if black of alpha a had been blended over it
// afterwards, without paying for a blend over the whole window.
void ofSetColorScale(float scale);

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
// line 13.6 units lower (truncated). Bytes 32..127 draw their glyph, and so
// do the Latin-1 letters and signs (160..255) spelt in UTF-8; control codes
// and other bytes are skipped.
void ofDrawBitmapString(const std::string& text, float x, float y);

// Draws what has been gathered so far (held drawing, bitmap text, lines, in
// the order they were gathered). The frame loop calls it before the buffer
// swap; code that calls GL directly calls it first.
void ofFlushDrawing();
// Drawing gathered outside this file (a font's text) joins the same order:
// its owner gathers only when nothing else is gathered (or flushes first),
// and hands in how to draw it; ofFlushDrawing draws it before the rest.
void ofHoldDrawing(void* owner, void (*draw)(void* owner));
// Whether anything other than owner's held drawing waits to be drawn.
bool ofDrawingGatheredBesides(const void* owner);
// Forgets owner's held drawing without drawing it (its owner goes away).
void ofDropHeldDrawing(const void* owner);

// The style record mirroring the state set above.
const ofStyle& ofGetStyle();
bool ofGetFill();
bool ofGetSmoothing();
int ofGetCircleResolution();
