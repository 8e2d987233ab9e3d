// Losing the ship after a checkpoint, and its return there half a second later.

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

  for (size_t l = 0; l < levelData->levels.size(); ++l) {
    const Level& level = levelData->levels[l];
    if (level.guid != markLevel) continue;
    for (const Receiver& receiver : level.receivers) {
      if (receiver.id != markReceiver) continue;
      levelData->currentLevel = static_cast<int>(l);
      levelData->resetAnimations();
      pos = receiver.pos;
      vel = ofxVec2f(0, 0);
      faceMarkedDirection();
      if (fuel < 0.01f) fuel = 10;
      audio->playEffect("respawn");
      ModelRef arrival;
      arrival.guid = "player_respawn";
      arrival.pos = pos;
      levelData->addModelRef(arrival);
      return;
    }
  }
  // No such checkpoint: the ship flies on from where it died.
}
