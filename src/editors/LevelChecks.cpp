// The checks before a level set ships. Each is one row of the table below:
// its name and a function that adds what it finds. Nothing here changes the
// data, so the checks can run on every save.

#include "editors/LevelChecks.h"

#include <set>

#include "editors/EditorCommon.h"
#include "game/Game.h"
#include "game/ZoneCommands.h"

namespace editor {
namespace {
using Findings = std::vector<Finding>;

// Where a zone's finding is shown: the middle of its rectangle.
ofxVec2f middleOf(const ofRectangle& r) { return ofxVec2f(r.x + r.width / 2, r.y + r.height / 2); }

// The middle of the play area, for findings about a whole level.
const ofxVec2f playAreaMiddle(240, 160);

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

bool hasReceiver(const Level& level, const std::string& id) {
  for (const Receiver& receiver : level.receivers) {
    if (receiver.id == id) return true;
  }
  return false;
}

bool namesLevel(const LevelData& data, const std::string& guid) {
  for (const Level& level : data.levels) {
    if (level.guid == guid) return true;
  }
  return false;
}

// Where a level warp lands: the first receiver of its id in the first level
// of its guid that has one; nullptr when there is none.
const Receiver* landing(const LevelData& data, const Warp& zone) {
  for (const Level& level : data.levels) {
    if (level.guid != zone.level) continue;
    for (const Receiver& receiver : level.receivers) {
      if (receiver.id == zone.id) return &receiver;
    }
  }
  return nullptr;
}

bool isLevelWarp(const Warp& zone) { return !isZoneCommand(zone.level); }

// Some zone of the set warps into a level with this guid.
bool warpedInto(const LevelData& data, const std::string& guid) {
  for (const Level& level : data.levels) {
    for (const Warp& zone : level.warps) {
      if (isLevelWarp(zone) && zone.level == guid) return true;
    }
  }
  return false;
}

// Calls visit(index, level) for every level in list order.
template <typename Visit>
void eachLevel(const LevelData& data, Visit visit) {
  for (size_t l = 0; l < data.levels.size(); ++l) visit(static_cast<int>(l), data.levels[l]);
}

void unknownMapIds(const LevelData& data, const char* name, Findings& out) {
  eachLevel(data, [&](int l, const Level& level) {
    for (const Warp& zone : level.warps) {
      if (isLevelWarp(zone) && !namesLevel(data, zone.level)) {
        out.push_back({name, l, middleOf(zone.rect),
                       "map id " + quoted(zone.level) + " is no level and no command"});
      }
    }
  });
}

// "this" and a checkpoint look in the zone's own level, a level warp in its
// target levels. A checkpoint without its receiver respawns nowhere: the
// ship flies on from where it died.
void missingReceivers(const LevelData& data, const char* name, Findings& out) {
  eachLevel(data, [&](int l, const Level& level) {
    for (const Warp& zone : level.warps) {
      if (zone.level == "this" && !hasReceiver(level, zone.id)) {
        out.push_back({name, l, middleOf(zone.rect),
                       "\"this\": no receiver " + quoted(zone.id) + " in this level"});
      } else if (marksCheckpoint(zone) && !hasReceiver(level, zone.id)) {
        out.push_back({name, l, middleOf(zone.rect),
                       "checkpoint: no receiver " + quoted(zone.id) + " to respawn at"});
      } else if (isLevelWarp(zone) && namesLevel(data, zone.level) && !landing(data, zone)) {
        out.push_back({name, l, middleOf(zone.rect),
                       "warp to " + quoted(zone.level) + ": it has no receiver " + quoted(zone.id)});
      }
    }
  });
}

// Each receiver whose id an earlier one of its level already has.
void duplicateReceivers(const LevelData& data, const char* name, Findings& out) {
  eachLevel(data, [&](int l, const Level& level) {
    for (size_t i = 0; i < level.receivers.size(); ++i) {
      for (size_t j = 0; j < i; ++j) {
        if (level.receivers[j].id != level.receivers[i].id) continue;
        out.push_back({name, l, level.receivers[i].pos,
                       "two receivers " + quoted(level.receivers[i].id)});
        break;
      }
    }
  });
}

// A reference to no model draws nothing: it is there but cannot be seen.
void missingModels(const LevelData& data, const char* name, Findings& out) {
  auto exists = [&](const std::string& guid) {
    for (const Model& model : data.models) {
      if (model.guid == guid) return true;
    }
    return false;
  };
  eachLevel(data, [&](int l, const Level& level) {
    for (const ModelRef& ref : level.modelRefs) {
      if (!exists(ref.guid)) out.push_back({name, l, ref.pos, "model " + quoted(ref.guid) + " does not exist"});
    }
  });
}

// A run starts in the first level at its spawner, else at a fixed point.
// Other levels are normally entered through warps, at a receiver; one that
// no warp leads into can only be started in, so it needs a spawner too.
void levelsWithoutSpawner(const LevelData& data, const char* name, Findings& out) {
  eachLevel(data, [&](int l, const Level& level) {
    if (level.hasModelRef("spawner")) return;
    if (l == 0) {
      out.push_back({name, l, playAreaMiddle, "no \"spawner\": a run starts here"});
    } else if (!warpedInto(data, level.guid)) {
      out.push_back({name, l, playAreaMiddle, "no \"spawner\" and no warp leads here"});
    }
  });
}

// The game does not move the ship at the end of a warping model's
// animation, but the editors keep and show the level it leads to, which
// should exist.
void warpingModelsToNowhere(const LevelData& data, const char* name, Findings& out) {
  eachLevel(data, [&](int l, const Level& level) {
    for (const ModelRef& ref : level.modelRefs) {
      if (!ref.warpOnEndAnimation || namesLevel(data, ref.level)) continue;
      out.push_back({name, l, ref.pos, "warping model " + quoted(ref.guid) + ": no level " + quoted(ref.level)});
    }
  });
}

bool inCheckpointZone(const Level& level, const ofxVec2f& p) {
  for (const Warp& zone : level.warps) {
    if (marksCheckpoint(zone) && strictlyInside(zone.rect, p)) return true;
  }
  return false;
}

// A warp keeps the checkpoint the ship had before it until a checkpoint zone
// of the new level marks one. Arriving outside every one, a death there
// goes back to the level before; a practice run, which starts with its
// checkpoint at the arrival, does not show it.
void arrivalsOutsideCheckpoints(const LevelData& data, const char* name, Findings& out) {
  std::set<const Receiver*> arrivals;
  for (const Level& level : data.levels) {
    for (const Warp& zone : level.warps) {
      if (isLevelWarp(zone)) arrivals.insert(landing(data, zone));
    }
  }
  eachLevel(data, [&](int l, const Level& level) {
    for (const Receiver& receiver : level.receivers) {
      if (!arrivals.count(&receiver) || inCheckpointZone(level, receiver.pos)) continue;
      out.push_back({name, l, receiver.pos,
                     "arrival " + quoted(receiver.id) + " is in no checkpoint zone: deaths go a level back"});
    }
  });
}

// A run starts at the first level's spawner with no checkpoint yet: outside
// every checkpoint zone, walls let the ship through until it reaches one,
// and a level can be crossed through its walls.
void startOutsideCheckpoints(const LevelData& data, const char* name, Findings& out) {
  if (data.levels.empty() || !data.levels[0].hasModelRef("spawner")) return;
  const Level& first = data.levels[0];
  const ofxVec2f start = Game::startingPlace(first);
  if (inCheckpointZone(first, start)) return;
  out.push_back({name, 0, start, "the run starts in no checkpoint zone: walls let the ship through"});
}

void setWithoutFinish(const LevelData& data, const char* name, Findings& out) {
  for (const Level& level : data.levels) {
    for (const Warp& zone : level.warps) {
      if (zone.level == "finish_it") return;
    }
  }
  out.push_back({name, -1, ofxVec2f(0, 0), "no zone says \"finish_it\": a run never ends"});
}

struct Check {
  const char* name;
  void (*run)(const LevelData& data, const char* name, Findings& out);
};

const Check checks[] = {
    {"map id", unknownMapIds},
    {"receiver", missingReceivers},
    {"same receiver", duplicateReceivers},
    {"model", missingModels},
    {"spawner", levelsWithoutSpawner},
    {"model warp", warpingModelsToNowhere},
    {"arrival", arrivalsOutsideCheckpoints},
    {"start", startOutsideCheckpoints},
    {"finish", setWithoutFinish},
};
}  // namespace

std::vector<Finding> checkLevels(const LevelData& data) {
  Findings found;
  for (const Check& check : checks) check.run(data, check.name, found);
  return found;
}

}  // namespace editor
