#include "shell/NoDataApp.h"

#include <cstdlib>

#include "framework/ofAppRunner.h"
#include "framework/ofGraphics.h"
#include "framework/ofScreen.h"

void NoDataApp::setup() {
  ofSetWindowTitle("Orvane");
  ofBackground(0, 0, 0);
  ofSetFrameRate(60);
}

void NoDataApp::draw() {
  // The title's menu colour, one bitmap row (14 pixels) and a gap per line.
  ofSetColor(255, 211, 0);
  for (size_t i = 0; i < lines.size(); ++i) {
    ofDrawBitmapString(lines[i], 10, 40 + 18 * static_cast<float>(i));
  }
}

void NoDataApp::keyPressed(int key) {
  if (key == 27) std::exit(0);
}
