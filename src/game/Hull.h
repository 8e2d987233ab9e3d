#pragma once
// The ship's hull, one triangle: the game flies, collides and draws it and a
// ghost outlines it from this one definition, so that they always agree.

#include "framework/ofTypes.h"

// The corners at heading 0, x and y in pixels from the ship's centre: the
// nose, the right rear corner and the left rear corner. Plain numbers, so
// that they are there before any object that uses them is built.
inline constexpr float hullShape[3][2] = {{0, -10}, {6, 5}, {-6, 5}};

// The corners turned to heading (degrees, clockwise on screen) and moved to
// centre, in the order of hullShape.
void placeHull(const ofxVec2f& centre, float heading, ofxVec2f corners[3]);
