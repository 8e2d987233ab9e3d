#include "level/Level.h"

#include "level/LevelData.h"

Level::Level() : guid(LevelData::makeGuid()) {}

Level::Level(Blank) : gravity(false), friction(false) {}

bool Level::hasModelRef(const std::string& modelGuid) const {
  for (const ModelRef& ref : modelRefs) {
    if (ref.guid == modelGuid) return true;
  }
  return false;
}
