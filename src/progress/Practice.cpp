#include "progress/Practice.h"

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

// The campaign's music on arriving: the last song a zone of an earlier
// level starts.
void playSongOfEarlierLevels(Game& game, const LevelData& data, int index) {
  const Warp* song = nullptr;
  for (int i = 0; i < index; ++i) {
    for (const Warp& zone : data.levels[static_cast<size_t>(i)].warps) {
      if (zone.level == "song" || zone.level == "songAtFull") song = &zone;
    }
  }
  if (!song) return;
  game.audio->release();
  game.audio->playSong(song->id, song->level == "song");
}
}  // namespace

bool startPractice(Game& game, const LevelData& data, const std::string& guid) {
  const int index = levelIndex(data, guid);
  if (index < 0) return false;
  LevelData from = data;
  from.currentLevel = index;
  if (!game.start(from)) return false;
  if (!game.levelData->getCurrentLevel().hasModelRef("spawner")) {
    if (const Receiver* receiver = arrival(data, index)) game.pos = receiver->pos;
  }
  playSongOfEarlierLevels(game, data, index);
  return true;
}
