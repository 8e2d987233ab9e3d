#include "shell/PauseOverlay.h"

#include <string>

#include "framework/ofAppRunner.h"
#include "framework/ofGraphics.h"
#include "framework/ofScreen.h"
#include "framework/ofTrueTypeFont.h"
#include "platform/Settings.h"

void PauseOverlay::draw(ofTrueTypeFont& font, const Settings& settings, bool paused,
                        const Offer& offer) {
  fade += paused ? 0.1f : -0.1f;
  if (fade > 1) fade = 1;
  if (fade < 0) fade = 0;
  const int a = static_cast<int>(200 * fade);
  // Faded out, the overlay shows nothing: no blend over the whole window.
  if (a == 0) return;
  const int w = ofGetWidth(), h = ofGetHeight();
  ofSetupScreen();
  ofSetColor(0, 0, 0, a);
  ofFill();
  ofRect(0, 0, static_cast<float>(w), static_cast<float>(h));
  ofNoFill();
  ofSetColor(255, 255, 0, a);
  const float x = static_cast<float>(w / 2), y = static_cast<float>(h / 2);
  auto bound = [&](KeyBindings::Action action) { return keyName(settings.keys.key(action)); };
  font.drawString("paused", x, y - 40);
  font.drawString("resume:   " + bound(KeyBindings::pause), x, y - 20);
  font.drawString("quit to menu:   " + bound(KeyBindings::quit), x, y);
  float below = y + 20;
  if (offer.checkpoint) {
    font.drawString("to the checkpoint:   " + bound(KeyBindings::checkpoint), x, below);
    below += 20;
  }
  if (offer.restart) {
    const std::string what = offer.practice ? "restart the level:   " : "restart the run:   ";
    font.drawString(what + bound(KeyBindings::restart), x, below);
  }
}
