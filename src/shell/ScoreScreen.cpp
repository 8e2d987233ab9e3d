#include "shell/ScoreScreen.h"

#include "framework/InputState.h"
#include "framework/ofAppRunner.h"
#include "framework/ofClock.h"
#include "framework/ofGraphics.h"
#include "framework/ofLog.h"
#include "framework/ofTrueTypeFont.h"
#include "framework/ofUtils.h"
#include "game/Game.h"
#include "shell/HighScores.h"

void ScoreScreen::recordRun(HighScores& scores, float time, float fuel, bool wasAssisted) {
  nameEntry.clear();
  nameTypedUnsaved = false;
  // The rows typed into are this run's alone.
  scores.clearNewMarks();
  assisted = wasAssisted;
  if (!assisted) {
    scores.insert(time, fuel, nameEntry.name());
    return;
  }
  ofLog(OF_NOTICE, "a run flown with F held is not entered in the high scores");
}

bool ScoreScreen::keyPressed(int key, HighScores& scores) {
  if (scores.newTimeRow < 0 && scores.newFuelRow < 0) return false;
  if (!nameEntry.keyPressed(key)) return false;
  scores.renameNewRows(nameEntry.name());
  nameTypedUnsaved = true;
  return true;
}

ScoreScreen::Step ScoreScreen::update(const InputState& current, const InputState& previous,
                                      HighScores& scores) {
  if (keyPressedNow(current, previous, KEY_ESCAPE)) return Step::back;
  if (keyPressedNow(current, previous, KEY_ENTER)) {
    scores.save();
    nameTypedUnsaved = false;
  }
  return Step::none;
}

void ScoreScreen::leave(HighScores& scores) {
  if (nameTypedUnsaved) scores.save();
  nameTypedUnsaved = false;
  scores.clearNewMarks();
  assisted = false;
}

void ScoreScreen::draw(ofTrueTypeFont& font, const HighScores& scores) {
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
  if (assisted) centred("ASSISTED RUN - NOT RECORDED", c, 70);
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
