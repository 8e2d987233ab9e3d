#include "shell/LoadingFade.h"

#include "framework/ofAppRunner.h"
#include "framework/ofGraphics.h"
#include "framework/ofScreen.h"
#include "framework/ofTrueTypeFont.h"

bool LoadingFade::step(bool loading) {
  if (loading) {
    alpha += 5;
    return alpha > 255;
  }
  alpha -= 10;
  if (alpha < 0) alpha = 0;
  return false;
}

void LoadingFade::draw(ofTrueTypeFont& font, bool loading) const {
  if (!(alpha > 0)) return;
  const int w = ofGetWidth(), h = ofGetHeight();
  ofSetupScreen();
  ofFill();
  ofSetColor(0, 0, 0, static_cast<int>(alpha));
  ofRect(0, 0, static_cast<float>(w), static_cast<float>(h));
  ofNoFill();
  ofSetColor(255, 211, 0);
  if (loading) font.drawString("Loading...", static_cast<float>(w - 150), static_cast<float>(h - 30));
}
