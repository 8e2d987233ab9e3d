// Losing the ship after a checkpoint, and its return there half a second
// later, or at once when the player asks for it from the pause.

#include "framework/ofClock.h"
#include "game/Game.h"

void Game::die() {
  // Before the first checkpoint the ship flies through walls unharmed.
  if (markLevel.empty()) return;
  dying = true;
  audio->playEffect("dying");
  deathTime = ofGetElapsedTimeMillis();
  ModelRef wreck;
  wreck.guid = "player_death";
  wreck.pos = pos;
  levelData->addModelRef(wreck);
  frameReport.died = true;
}

bool Game::checkpointPlace(int& level, ofxVec2f& place) const {
  if (markLevel.empty()) return false;
  for (size_t l = 0; l < levelData->levels.size(); ++l) {
    const Level& candidate = levelData->levels[l];
    if (candidate.guid != markLevel) continue;
    if (markPlace) {
      level = static_cast<int>(l);
      place = *markPlace;
      return true;
    }
    for (const Receiver& receiver : candidate.receivers) {
      if (receiver.id != markReceiver) continue;
      level = static_cast<int>(l);
      place = receiver.pos;
      return true;
    }
  }
  return false;
}

void Game::updateDeath() {
  if (!dying) return;
  // The explosion drifts on with the ship's last velocity.
  for (ModelRef& ref : levelData->getCurrentLevel().modelRefs) {
    if (ref.guid == "player_death") ref.pos += vel;
  }
  if (ofGetElapsedTimeMillis() - deathTime < 500) return;
  dying = false;
  deathTime = 0;

  int level = 0;
  ofxVec2f place;
  // No such checkpoint: the ship flies on from where it died.
  if (checkpointPlace(level, place)) respawn(level, place);
}

// The clock runs on and no death is told: the time spent since the
// checkpoint stays spent, and the ship was not lost.
bool Game::restartFromCheckpoint() {
  int level = 0;
  ofxVec2f place;
  if (finishing || !checkpointPlace(level, place)) return false;
  frameReport = FrameReport();
  dying = false;
  deathTime = 0;
  respawn(level, place);
  reportState();
  return true;
}

bool Game::canRestartFromCheckpoint() const {
  int level = 0;
  ofxVec2f place;
  return !finishing && checkpointPlace(level, place);
}

void Game::respawn(int level, const ofxVec2f& place) {
  moveToLevel(level);
  levelData->resetAnimations();
  pos = place;
  vel = ofxVec2f(0, 0);
  faceMarkedDirection();
  if (fuel < 0.01f) fuel = 10;
  audio->playEffect("respawn");
  ModelRef arrival;
  arrival.guid = "player_respawn";
  arrival.pos = pos;
  levelData->addModelRef(arrival);
  frameReport.respawned = true;
}
