#pragma once
// The background colour every frame is cleared to, the pixel-space
// projection (origin top-left, y down, one unit one pixel) and the GL state
// the window starts with.

// Stores the background colour for the frame loop's clear.
void ofBackground(int r, int g, int b);
// The stored background colour as four floats 0..1.
const float* ofGetBackground();
// The GL viewport for a window of width by height; a height of 0 or less
// (a minimised window) becomes 1.
void ofViewport(int width, int height);
// Rebuilds the projection and model-view matrices for the current window size.
void ofSetupScreen();
// The GL state a new window starts with; called once by the window runner.
void ofSetupGraphicDefaults();
