// What the application draws on its own: the title with the logo scene and
// its menu, the pause overlay, the score screen and the loading fade.

#include "framework/ofAppRunner.h"
#include "framework/ofClock.h"
#include "framework/ofGraphics.h"
#include "framework/ofMath.h"
#include "framework/ofScreen.h"
#include "framework/ofUtils.h"
#include "shell/testApp.h"

namespace {
// The menu's text flickers; in calm mode it holds still in the middle.
void setMenuColor(bool calm) {
  ofSetColor(255, 211, 0, calm ? 150 : static_cast<int>(ofRandom(100, 200)));
}

const char* onOff(bool on) { return on ? "on" : "off"; }

std::string boundKey(const Settings& settings, KeyBindings::Action action) {
  return keyName(settings.keys.key(action));
}
}  // namespace

void testApp::drawTitle() {
  const int w = ofGetWidth(), h = ofGetHeight();
  ofTranslate(static_cast<float>(w / 2 - 240), static_cast<float>(h / 2 - 160), 0);
  logoData.draw(false);
  const bool calm = settings.calm;
  setMenuColor(calm);
  ofTranslate(static_cast<float>(w / 2), static_cast<float>(h / 2), 0);
  font.drawString("start   : " + boundKey(settings, KeyBindings::start), 0, 30);
  setMenuColor(calm);
  font.drawString("score   : s", 0, 50);
  setMenuColor(calm);
  font.drawString("levels  : l", 0, 70);
  setMenuColor(calm);
  font.drawString(std::string("ghost h : ") + onOff(settings.ghosts) +
                      "   calm c : " + onOff(calm),
                  0, 90);
  setMenuColor(calm);
  font.drawString("exit    : " + boundKey(settings, KeyBindings::back), 0, 110);
  setMenuColor(calm);
  font.drawString("keys    : k", 0, 130);
  ofNoFill();
}

// Advances pauseFade: the overlay fades in and out over ten frames.
void testApp::drawPauseOverlay() {
  pauseFade += game.paused ? 0.1f : -0.1f;
  if (pauseFade > 1) pauseFade = 1;
  if (pauseFade < 0) pauseFade = 0;
  const int a = static_cast<int>(200 * pauseFade);
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
  font.drawString("paused", x, y - 40);
  font.drawString("resume:   " + boundKey(settings, KeyBindings::pause), x, y - 20);
  font.drawString("quit to menu:   " + boundKey(settings, KeyBindings::quit), x, y);
}

// Advances the blink of the new rows, every 300 ms or a little more.
void testApp::drawScores() {
  if (scores.newRecord) {
    const int t = ofGetElapsedTimeMillis();
    if (t - blinkTime > 300) {
      blinkTime = static_cast<float>(t);
      blinkOn = !blinkOn;
    }
  } else {
    blinkOn = false;
  }
  const int w = ofGetWidth(), h = ofGetHeight();
  const int c = w / 2, q = w / 4, c3 = c + q;
  auto centred = [&](const std::string& text, int column, float y) {
    font.drawString(text, column - font.stringWidth(text) / 2, y);
  };
  ofSetColor(0, 153, 153);
  centred("SCORE", c, 40);
  centred("TIME", q, 100);
  centred("FUEL", c3, 100);
  if (runAssisted) centred("ASSISTED RUN - NOT RECORDED", c, 70);
  font.drawString("ESC -> back", 10, static_cast<float>(h - 10));
  if (scores.newTimeRow >= 0 || scores.newFuelRow >= 0) {
    // The rows this run entered take the name typed here.
    const std::string typed = nameEntry.typed();
    const std::string caret = typed.size() < 3 && blinkOn ? "_" : " ";
    centred("name: " + (typed.empty() ? std::string("YOU") : typed + caret) + "   enter: save", c,
            static_cast<float>(h - 50));
  }

  // Sample rows centre each column; they are measured, never drawn.
  const int half1 = static_cast<int>(font.stringWidth("5 WWW 0:00:00") / 2);
  const int half2 = static_cast<int>(font.stringWidth("5 WWW 000") / 2);
  ofSetColor(255, 0, 0);
  for (int i = 0; i < 5; ++i) {
    const float y = static_cast<float>(140 + 30 * i);
    font.drawString(ofToString(i + 1), static_cast<float>(q - half1), y);
    font.drawString(ofToString(i + 1), static_cast<float>(c3 - half2), y);
  }
  for (int j = 0; j < 5; ++j) {
    const float y = static_cast<float>(140 + 30 * j);
    // Eight blanks leave room for the rank drawn at the same place.
    ofSetColor(255, 170, 0);
    if (blinkOn && j == scores.newTimeRow) ofSetColor(200, 100, 0);
    font.drawString("        " + playTimeText(scores.bestTimes[j]), static_cast<float>(q - half1), y);
    ofSetColor(255, 170, 0);
    if (blinkOn && j == scores.newFuelRow) ofSetColor(200, 100, 0);
    font.drawString("        " + ofToString(static_cast<double>(scores.bestFuel[j]), 0),
                    static_cast<float>(c3 - half2), y);
  }
}

void testApp::drawFadeOverlay() {
  if (!(fadeAlpha > 0)) return;
  const int w = ofGetWidth(), h = ofGetHeight();
  ofSetupScreen();
  ofFill();
  ofSetColor(0, 0, 0, static_cast<int>(fadeAlpha));
  ofRect(0, 0, static_cast<float>(w), static_cast<float>(h));
  ofNoFill();
  ofSetColor(255, 211, 0);
  if (fading) font.drawString("Loading...", static_cast<float>(w - 150), static_cast<float>(h - 30));
}
