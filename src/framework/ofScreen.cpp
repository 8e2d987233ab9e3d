#include "framework/ofScreen.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

#include "framework/ofAppRunner.h"
#include "framework/ofGraphics.h"

namespace {
float background[4] = {0, 0, 0, 0};
}

void ofBackground(int r, int g, int b) {
  background[0] = r / 255.0f;
  background[1] = g / 255.0f;
  background[2] = b / 255.0f;
  background[3] = 1.0f;
}

const float* ofGetBackground() { return background; }

void ofViewport(int width, int height) {
  ofFlushDrawing();
  glViewport(0, 0, width, height > 0 ? height : 1);
}

void ofSetupScreen() {
  const float w = static_cast<float>(ofGetWidth());
  // A zero height would make the aspect infinite; the viewport uses 1 too.
  const float h = static_cast<float>(ofGetHeight() > 0 ? ofGetHeight() : 1);
  const float halfFov = static_cast<float>(60 * M_PI / 360);
  const float t = std::tan(halfFov);
  const float eyeX = w / 2, eyeY = h / 2;
  const float dist = eyeY / t;
  const float nearDist = dist / 10, farDist = dist * 10;
  const float aspect = w / h;
  ofFlushDrawing();

  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(60, aspect, nearDist, farDist);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  gluLookAt(eyeX, eyeY, dist, eyeX, eyeY, 0, 0, 1, 0);
  glScalef(1, -1, 1);
  glTranslatef(0, -h, 0);
}

void ofSetupGraphicDefaults() {
  glEnableClientState(GL_VERTEX_ARRAY);
  glDisableClientState(GL_NORMAL_ARRAY);
  glDisableClientState(GL_COLOR_ARRAY);
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  ofDisableSmoothing();
  ofDisableAlphaBlending();
  ofBackground(200, 200, 200);
  ofSetColor(255, 255, 255, 255);
}
