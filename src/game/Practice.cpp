// Starting a run in any level, as a run that has just arrived there would:
// the place a warp brings the ship to, the music playing by then, and a
// checkpoint where it begins, so that no practice pass can cut through the
// walls before the level's first checkpoint.

#include "game/Game.h"
#include "game/ZoneCommands.h"
#include "level/LevelData.h"

namespace {
int levelIndex(const LevelData& data, const std::string& guid) {
  for (size_t i = 0; i < data.levels.size(); ++i) {
    if (data.levels[i].guid == guid) return static_cast<int>(i);
  }
  return -1;
}

// Where a warp into the level arrives: the first zone of another level
// naming it whose receiver exists.
const Receiver* arrival(const LevelData& data, int index) {
  const Level& level = data.levels[static_cast<size_t>(index)];
  for (size_t i = 0; i < data.levels.size(); ++i) {
    if (static_cast<int>(i) == index) continue;
    for (const Warp& zone : data.levels[i].warps) {
      if (zone.level != level.guid || isZoneCommand(zone.level)) continue;
      for (const Receiver& receiver : level.receivers) {
        if (receiver.id == zone.id) return &receiver;
      }
    }
  }
  return level.receivers.empty() ? nullptr : &level.receivers.front();
}

// The last zone of an earlier level that starts a song: the music the
// campaign plays on arriving.
const Warp* songOfEarlierLevels(const LevelData& data, int index) {
  const Warp* song = nullptr;
  for (int i = 0; i < index; ++i) {
    for (const Warp& zone : data.levels[static_cast<size_t>(i)].warps) {
      if (startsSong(zone)) song = &zone;
    }
  }
  return song;
}
}  // namespace

bool Game::startPractice(const LevelData& data, const std::string& guid) {
  const int index = levelIndex(data, guid);
  if (index < 0) return false;
  LevelData from = data;
  from.currentLevel = index;
  if (!start(from)) return false;
  if (!levelData->getCurrentLevel().hasModelRef("spawner")) {
    if (const Receiver* receiver = arrival(data, index)) pos = receiver->pos;
  }
  // The ship faces up at the start, and so it does coming back there.
  markLevel = guid;
  markPlace = pos;
  markDir = "u";
  if (const Warp* song = songOfEarlierLevels(data, index)) playSongOf(*this, *song);
  reportState();
  return true;
}
