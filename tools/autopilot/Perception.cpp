#include "Perception.h"

Perception perceive(const Game& game, int frame) {
  Perception seen;
  seen.frame = frame;
  seen.pos = game.pos;
  seen.vel = game.vel;
  seen.angle = game.angle;
  seen.turnSpeed = game.turnSpeed;
  seen.fuel = game.fuel;
  seen.dying = game.dying;
  const LevelData& data = *game.levelData;
  const Level& level = data.getCurrentLevel();
  for (const Model& model : data.models) {
    if (!model.solid || model.frames.size() < 2) continue;
    for (const ModelRef& ref : level.modelRefs) {
      if (ref.guid != model.guid) continue;
      for (const Wall& w : model.currentWalls()) {
        seen.hazards.push_back({ofxVec2f(w.x, w.y) + ref.pos, ofxVec2f(w.z, w.w) + ref.pos});
      }
    }
  }
  return seen;
}

const Perception* PerceptionDelay::ready(int now) {
  // Keep the newest old-enough one at the front.
  while (queue.size() > 1 && queue[1].frame <= now - frames) queue.pop_front();
  if (queue.empty() || queue.front().frame > now - frames) return nullptr;
  return &queue.front();
}
