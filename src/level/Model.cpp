#include "level/Model.h"

#include "framework/ofClock.h"
#include "level/LevelData.h"

Model::Model() : guid(LevelData::makeGuid()), frames(1), lastFrameTime(ofGetElapsedTimeMillis()) {}

Model::Model(Blank) : lastFrameTime(ofGetElapsedTimeMillis()) {}

bool Model::hasCurrentFrame() const {
  return currentFrame >= 0 && currentFrame < static_cast<int>(frames.size());
}

const std::vector<Wall>& Model::currentWalls() const {
  static const std::vector<Wall> none;
  return hasCurrentFrame() ? frames[currentFrame].walls : none;
}

void Model::update(bool advance) {
  if (!hasCurrentFrame()) return;
  for (Wall& wall : frames[currentFrame].walls) wall.update();
  if (!advance) return;
  const int now = ofGetElapsedTimeMillis();
  if (now - lastFrameTime <= animSpeed) return;
  currentFrame += 1;
  if (currentFrame > static_cast<int>(frames.size()) - 1) {
    currentFrame = 0;
    if (!SE.empty()) sePending = true;
    ended = true;
  }
  lastFrameTime = now;
}

void Model::nextFrame() {
  currentFrame += 1;
  if (currentFrame > static_cast<int>(frames.size()) - 1) currentFrame = 0;
}

void Model::prevFrame() {
  currentFrame -= 1;
  // With no frames there is no last index; stay on 0.
  if (currentFrame < 0) currentFrame = frames.empty() ? 0 : static_cast<int>(frames.size()) - 1;
}

void Model::restart(int now) {
  currentFrame = 0;
  lastFrameTime = now;
  ended = false;
  if (!SE.empty()) sePending = true;
}

void Model::drawCurrentFrame(float dx, float dy) const {
  for (const Wall& wall : currentWalls()) wall.draw(dx, dy);
}
