// Showing that a checkpoint was set: without it a player only learns where
// the checkpoints are by dying.

#include <cmath>

#include "framework/ofClock.h"
#include "framework/ofGraphics.h"
#include "game/Game.h"

namespace {
const int flashMs = 600;
const int labelMs = 1000;
const char* const checkpointLabel = "checkpoint";
}  // namespace

void Game::cueCheckpoint() {
  checkpointCueStart = ofGetElapsedTimeMillis();
  // A zone later in the frame may have taken the ship to another level,
  // where the checkpoint's place would be a wrong one to flash.
  int level = 0;
  ofxVec2f place;
  checkpointCueHasPlace = checkpointPlace(level, place) && level == levelData->currentLevel;
  if (checkpointCueHasPlace) checkpointCuePlace = place;
  audio->playEffect("checkpoint");
}

// In the level's frame: a ring that widens and fades at the receiver, and the
// label beside the ship.
void Game::drawCheckpointCue() {
  if (checkpointCueStart < 0) return;
  const int age = ofGetElapsedTimeMillis() - checkpointCueStart;
  if (age < 0 || age >= labelMs) return;
  if (checkpointCueHasPlace && age < flashMs) {
    const float left = 1.0f - static_cast<float>(age) / flashMs;
    ofSetColor(90, 255, 120, static_cast<int>(255 * left));
    ofNoFill();
    ofCircle(checkpointCuePlace.x, checkpointCuePlace.y, 8 + 24 * (1 - left));
    ofCircle(checkpointCuePlace.x, checkpointCuePlace.y, 4 + 12 * (1 - left));
  }
  const float labelLeft = 1.0f - static_cast<float>(age) / labelMs;
  ofSetColor(90, 255, 120, static_cast<int>(80 + 175 * labelLeft));
  const ofxVec2f at = checkpointLabelPlace(hudFont.stringWidth(checkpointLabel));
  hudFont.drawString(checkpointLabel, at.x, at.y);
}

// Above and to the right of the ship, unless that leaves the play area:
// then below it (clear of the HUD's line above the play area), or to its
// left (clear of the window's edge). The banners are below the play area.
ofxVec2f Game::checkpointLabelPlace(float width) const {
  const float aboveBaseline = pos.y - 12;
  const float ascent = hudFont.lineHeight * 3 / 4;
  const float y = aboveBaseline - ascent >= 0 ? aboveBaseline : pos.y + 12 + ascent;
  const float x = pos.x + 12 + width <= 480 ? pos.x + 12 : pos.x - 12 - width;
  // On whole pixels, where text is drawn sharp.
  return ofxVec2f(std::round(x), std::round(y));
}
