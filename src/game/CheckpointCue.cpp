// Showing that a checkpoint was set: without it a player only learns where
// the checkpoints are by dying.

#include "framework/ofClock.h"
#include "framework/ofGraphics.h"
#include "game/Game.h"

namespace {
const int flashMs = 600;
const int labelMs = 1000;
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
  hudFont.drawString("checkpoint", pos.x + 12, pos.y - 12);
}
