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

namespace {
// A name as the file gave it may hold any byte: what the font has no glyph
// for shows as '?', so that a row never loses its name's place.
std::string shownName(const std::string& name) {
  std::string shown = name;
  for (char& c : shown) {
    if (c < ' ' || c > '~') c = '?';
  }
  return shown;
}

// How far the pen moves over text, trailing blanks included (a width ends
// at the last glyph).
float advance(ofTrueTypeFont& font, const std::string& text) {
  return font.stringWidth(text + "0") - font.stringWidth("0");
}
}  // namespace

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
  const TableColumn timeColumn{q - static_cast<int>(font.stringWidth("5  WWW  0:00:00") / 2),
                               &scores.timeNames, scores.newTimeRow};
  const TableColumn fuelColumn{c3 - static_cast<int>(font.stringWidth("5  WWW  000") / 2),
                               &scores.fuelNames, scores.newFuelRow};
  for (int row = 0; row < 5; ++row) {
    const float y = static_cast<float>(140 + 30 * row);
    drawRow(font, timeColumn, row, y, scores.isDefaultTimeRow(row),
            playTimeText(scores.bestTimes[row]));
    drawRow(font, fuelColumn, row, y, scores.isDefaultFuelRow(row),
            ofToString(static_cast<double>(scores.bestFuel[row]), 0));
  }
}

// A row reads rank, name, value ("2  ANN  0:4:31"); a default row, which no
// run has taken, reads as empty ("2  -    -").
void ScoreScreen::drawRow(ofTrueTypeFont& font, const TableColumn& column, int row, float y,
                          bool isDefault, const std::string& value) const {
  const float x = static_cast<float>(column.x);
  ofSetColor(255, 0, 0);
  font.drawString(ofToString(row + 1), x, y);
  ofSetColor(255, 170, 0);
  if (blinkOn && row == column.newRow) ofSetColor(200, 100, 0);
  const std::vector<std::string>& names = *column.names;
  const std::string name = row < static_cast<int>(names.size()) ? names[row] : std::string();
  font.drawString(isDefault ? "-" : shownName(name), x + advance(font, "5  "), y);
  font.drawString(isDefault ? "-" : value, x + advance(font, "5  WWW  "), y);
}
