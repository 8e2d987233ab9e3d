#include "game/Hull.h"

void placeHull(const ofxVec2f& centre, float heading, ofxVec2f corners[3]) {
  for (int i = 0; i < 3; ++i) {
    corners[i] = ofxVec2f(hullShape[i][0], hullShape[i][1]).getRotated(heading) + centre;
  }
}
