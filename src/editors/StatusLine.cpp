#include "editors/StatusLine.h"

#include "framework/ofAppRunner.h"
#include "framework/ofClock.h"
#include "framework/ofGraphics.h"
#include "framework/ofScreen.h"

void StatusLine::show(const std::string& message, int ms) {
  text = message;
  shownAt = ofGetElapsedTimeMillis();
  shownFor = ms;
}

std::string StatusLine::message() const {
  return ofGetElapsedTimeMillis() - shownAt < shownFor ? text : std::string();
}

std::string StatusLine::fileText(const std::string& path, bool unsaved) {
  return unsaved ? path + " *" : path;
}

// In the strip below the level tool's play area, clear of the game test's
// HUD at the top: the file beside the tool's name, the message above them.
void StatusLine::draw(const std::string& path, bool unsaved) const {
  const float h = static_cast<float>(ofGetHeight());
  ofSetupScreen();
  ofSetColor(255, 211, 0, 255);
  ofDrawBitmapString(fileText(path, unsaved), 100, h - 5);
  const std::string shown = message();
  if (!shown.empty()) ofDrawBitmapString(shown, 5, h - 22);
}
