#include "level/LevelData.h"

#include <algorithm>

#include "framework/ofAppRunner.h"
#include "framework/ofClock.h"
#include "framework/ofMath.h"
#include "framework/ofUtils.h"

namespace {
// Moves an index one step with wrap-around; an empty list keeps index 0.
int wrapped(int index, int step, size_t count) {
  if (count == 0) return 0;
  index += step;
  if (index > static_cast<int>(count) - 1) return 0;
  if (index < 0) return static_cast<int>(count) - 1;
  return index;
}

template <typename T>
void removeSelected(std::vector<T>& list, int& index) {
  if (list.size() <= 1 || index < 0 || index >= static_cast<int>(list.size())) return;
  list.erase(list.begin() + index);
  index -= 1;
  if (index < 0) index = 0;
}

template <typename T>
bool inRange(const std::vector<T>& list, int index) {
  return index >= 0 && index < static_cast<int>(list.size());
}
}  // namespace

LevelData::LevelData() : levels(1), models(1) {}

bool LevelData::hasLevel() const { return inRange(levels, currentLevel); }

bool LevelData::hasModel() const { return inRange(models, currentModel); }

Level& LevelData::getCurrentLevel() {
  if (hasLevel()) return levels[currentLevel];
  static Level standIn{Level::Blank{}};
  standIn = Level(Level::Blank{});
  return standIn;
}

const Level& LevelData::getCurrentLevel() const {
  return const_cast<LevelData*>(this)->getCurrentLevel();
}

Model& LevelData::getCurrentModel() {
  if (hasModel()) return models[currentModel];
  static Model standIn{Model::Blank{}};
  standIn = Model(Model::Blank{});
  return standIn;
}

const Model& LevelData::getCurrentModel() const {
  return const_cast<LevelData*>(this)->getCurrentModel();
}

void LevelData::nextLevel() { currentLevel = wrapped(currentLevel, 1, levels.size()); }
void LevelData::prevLevel() { currentLevel = wrapped(currentLevel, -1, levels.size()); }
void LevelData::nextModel() { currentModel = wrapped(currentModel, 1, models.size()); }
void LevelData::prevModel() { currentModel = wrapped(currentModel, -1, models.size()); }

void LevelData::addLevel() {
  levels.emplace_back();
  currentLevel = static_cast<int>(levels.size()) - 1;
}

void LevelData::addModel() {
  models.emplace_back();
  currentModel = static_cast<int>(models.size()) - 1;
}

void LevelData::removeLevel() { removeSelected(levels, currentLevel); }
void LevelData::removeModel() { removeSelected(models, currentModel); }

void LevelData::update(bool animateModels, bool stepModelFrame) {
  if (!hasLevel()) return;
  for (Wall& wall : levels[currentLevel].walls) wall.update();
  if (stepModelFrame && hasModel()) {
    Model& model = models[currentModel];
    if (model.hasCurrentFrame()) {
      for (Wall& wall : model.frames[model.currentFrame].walls) wall.update();
    }
  }
  if (animateModels) {
    for (Model& model : models) model.update(true);
  }
}

void LevelData::resetAnimations() {
  const int now = ofGetElapsedTimeMillis();
  for (Model& model : models) model.restart(now);
}

void LevelData::addModelRef(const ModelRef& ref) {
  if (!hasLevel()) return;
  levels[currentLevel].modelRefs.push_back(ref);
  for (Model& model : models) {
    if (model.guid == ref.guid) model.restart(ofGetElapsedTimeMillis());
  }
}

void LevelData::removeModelRefs(const std::string& guid) {
  if (!hasLevel()) return;
  std::vector<ModelRef>& refs = levels[currentLevel].modelRefs;
  std::vector<ModelRef> kept;
  for (ModelRef& ref : refs) {
    if (ref.guid != guid) kept.push_back(ref);
  }
  refs.swap(kept);
}

void LevelData::removeWarp(int index) {
  if (!hasLevel()) return;
  std::vector<Warp>& warps = levels[currentLevel].warps;
  if (inRange(warps, index)) warps.erase(warps.begin() + index);
}

std::string LevelData::makeGuid() {
  return ofToString(ofGetElapsedTimeMillis()) + ofToString(ofGetFrameNum()) +
         ofToString(static_cast<int>(ofRandom(-1000000, 1000000)));
}

ofColor LevelData::hslToRgb(float h, float s, float l) {
  float r = l, g = l, b = l;
  const float v = l <= 0.5f ? l * (1 + s) : l + s - l * s;
  if (v > 0) {
    const float m = 2 * l - v;
    const float sv = (v - m) / v;
    const float h6 = h * 6;
    const int sextant = static_cast<int>(h6);
    const float fract = h6 - sextant;
    const float vsf = v * sv * fract;
    const float mid1 = m + vsf, mid2 = v - vsf;
    switch (sextant) {
      case 0: r = v; g = mid1; b = m; break;
      case 1: r = mid2; g = v; b = m; break;
      case 2: r = m; g = v; b = mid1; break;
      case 3: r = m; g = mid2; b = v; break;
      case 4: r = mid1; g = m; b = v; break;
      case 5: r = v; g = m; b = mid2; break;
      default: break;
    }
  }
  return ofColor(r * 255, g * 255, b * 255, 255);
}

ofColor LevelData::rgbToHsl(const ofColor& c) {
  const float r = c.r / 255, g = c.g / 255, b = c.b / 255;
  const float max = std::max(r, std::max(g, b));
  const float min = std::min(r, std::min(g, b));
  const float l = (max + min) / 2;
  if (l <= 0) return ofColor(0, 0, l);
  const float delta = max - min;
  if (delta <= 0) return ofColor(0, 0, l);
  const float s = l <= 0.5f ? delta / (max + min) : delta / (2 - max - min);
  const float r2 = (max - r) / delta, g2 = (max - g) / delta, b2 = (max - b) / delta;
  float h;
  if (r == max) {
    h = g == min ? 5 + b2 : 1 - g2;
  } else if (g == max) {
    h = b == min ? 1 + r2 : 3 - b2;
  } else {
    h = r == min ? 3 + g2 : 5 - r2;
  }
  return ofColor(h / 6, s, l);
}
