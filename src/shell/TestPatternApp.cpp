#include "shell/TestPatternApp.h"

#include <cstdlib>

#include "framework/ofAppRunner.h"
#include "framework/ofGraphics.h"
#include "framework/ofScreen.h"

void TestPatternApp::setup() {
  ofSetWindowTitle("Orvane");
  ofBackground(0, 0, 0);
  ofSetVerticalSync(false);
  ofSetFrameRate(60);
  ofEnableAlphaBlending();
}

void TestPatternApp::update() { ++updates; }

void TestPatternApp::draw() {
  // Corner markers: the first and last pixel of the window.
  ofFill();
  ofSetColor(255, 0, 255);
  ofRect(0, 0, 1, 1);
  ofRect(ofGetWidth() - 1, ofGetHeight() - 1, 1, 1);
  // A square that moves one pixel per frame shows that every frame is cleared.
  ofSetColor(0, 255, 0);
  ofRect(static_cast<float>(40 + updates % 400), 200, 20, 20);
  ofNoFill();
  ofSetColor(255, 211, 0);
  ofDrawBitmapString("Orvane", 240, 100);
}

void TestPatternApp::keyPressed(int key) {
  if (key == 27) std::exit(0);
}
