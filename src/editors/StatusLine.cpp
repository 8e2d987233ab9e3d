#include "editors/StatusLine.h"

#include <algorithm>

#include "editors/EditorCommon.h"

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

std::vector<std::string> StatusLine::messageLines(int windowWidth) const {
  const std::string shown = message();
  if (shown.empty()) return {};
  const int room = std::max(windowWidth - swatchRoom, editor::glyphWidth);
  return editor::wrapText(shown, static_cast<size_t>(room / editor::glyphWidth));
}

// In the strip below the level tool's play area, clear of the game test's
// HUD at the top: the file beside the tool's name, the message above them,
// wrapped so that it ends left of the colour swatch and grows upwards.
void StatusLine::draw(const std::string& path, bool unsaved) const {
  const float h = static_cast<float>(ofGetHeight());
  ofSetupScreen();
  ofSetColor(255, 211, 0, 255);
  ofDrawBitmapString(fileText(path, unsaved), 100, h - 5);
  const std::vector<std::string> lines = messageLines(ofGetWidth());
  for (size_t i = 0; i < lines.size(); ++i) {
    const float up = 12.0f * static_cast<float>(lines.size() - 1 - i);
    ofDrawBitmapString(lines[i], 5, h - 22 - up);
  }
}
