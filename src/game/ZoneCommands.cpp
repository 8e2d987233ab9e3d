// Zones: rectangles of a level whose text runs a command while the ship's
// centre is inside. The command words map to handlers through one table;
// any other text is the guid of a level to warp to.

#include "framework/ofClock.h"
#include "framework/ofUtils.h"
#include "game/Game.h"
#include "game/ZoneCommands.h"

namespace {
// What becomes of a zone after its command ran.
enum class After { stays, removed };

struct ZoneCommand {
  const char* word;
  After after;
  void (*run)(Game& game, const Warp& zone);
};

ModelRef placement(const std::string& guid, const ofxVec2f& pos) {
  ModelRef ref;
  ref.guid = guid;
  ref.pos = pos;
  return ref;
}

// The zone stays and marks again on every frame the ship is in it.
void mark(Game& g, const Warp& z) { g.markCheckpoint(z.id, z.dir); }

void refuel(Game& g, const Warp& z) {
  g.fuel += ofToFloat(z.id);
  for (const char* pickup : {"fuel_tank", "gas_fumes", "battery_charge"}) {
    g.levelData->removeModelRefs(pickup);
  }
  g.audio->playEffect("fuel");
}

void addModel(Game& g, const Warp& z) {
  g.levelData->addModelRef(placement(z.id, ofxVec2f(z.rect.x, z.rect.y)));
}

void addModelAtReceiver(Game& g, const Warp& z) {
  ModelRef ref = placement(z.id, ofxVec2f(0, 0));
  for (const Receiver& receiver : g.levelData->getCurrentLevel().receivers) {
    if (receiver.id == z.dir) ref.pos = receiver.pos;
  }
  g.levelData->addModelRef(ref);
}

void shake(Game& g, const Warp& z) {
  g.shakeDuration = ofToInt(z.id);
  g.shakeStart = ofGetElapsedTimeMillis();
  g.audio->playEffect("shaking");
}

// The letter of the last checkpoint, not this zone's.
void face(Game& g, const Warp&) { g.faceMarkedDirection(); }

void jumpToReceiver(Game& g, const Warp& z) {
  for (const Receiver& receiver : g.levelData->getCurrentLevel().receivers) {
    if (receiver.id != z.id) continue;
    g.jumpTo(receiver.pos);
    return;
  }
}

// A song fades the track playing out first; songAtFull switches at once.
void startSong(Game& g, const Warp& z) {
  g.audio->release();
  g.audio->playSong(z.id, true);
}

void switchSong(Game& g, const Warp& z) {
  g.audio->release();
  g.audio->playSong(z.id, false);
}

const ZoneCommand commands[] = {
    {"mark", After::stays, mark},
    {"fuel", After::removed, refuel},
    {"trigger", After::stays, [](Game&, const Warp&) {}},
    {"add", After::removed, addModel},
    {"addX", After::removed, addModelAtReceiver},
    {"shake", After::removed, shake},
    {"face", After::removed, face},
    {"breaks", After::removed, [](Game& g, const Warp&) { g.vel = ofxVec2f(0, 0); }},
    {"remove", After::stays, [](Game& g, const Warp& z) { g.levelData->removeModelRefs(z.id); }},
    {"sound", After::removed, [](Game& g, const Warp& z) { g.audio->playEffect(z.id); }},
    {"song", After::removed, startSong},
    {"songAtFull", After::removed, switchSong},
    {"song_play", After::removed,
     [](Game& g, const Warp&) {
       g.audio->release();
       g.audio->resumeSong();
     }},
    {"song_pause", After::removed,
     [](Game& g, const Warp&) {
       g.audio->hold();
       g.audio->pauseSong();
     }},
    {"song_stop", After::removed,
     [](Game& g, const Warp&) {
       g.audio->hold();
       g.audio->stopSong();
     }},
    {"song_fade", After::removed, [](Game& g, const Warp&) { g.audio->fadeOutSong(); }},
    {"song_setFullVolume", After::removed, [](Game& g, const Warp&) { g.audio->setFullVolume(1.0f); }},
    {"cycle_thunder", After::removed,
     [](Game& g, const Warp&) { g.startCycle(1000, 10000, ofColor(81, 40, 130), 0.5f); }},
    {"cycle_siren", After::removed,
     [](Game& g, const Warp&) { g.startCycle(500, 500, ofColor(40, 0, 0), 1.0f); }},
    {"cycle_end", After::removed, [](Game& g, const Warp&) { g.endCycle(); }},
    {"finish_it", After::removed, [](Game& g, const Warp&) { g.beginFinish(); }},
    {"this", After::stays, jumpToReceiver},
};

// Into the first level with this guid that holds the receiver; speed and
// heading carry through.
void warpToLevel(Game& g, const Warp& z) {
  LevelData& data = *g.levelData;
  for (size_t l = 0; l < data.levels.size(); ++l) {
    if (data.levels[l].guid != z.level) continue;
    for (const Receiver& receiver : data.levels[l].receivers) {
      if (receiver.id != z.id) continue;
      g.warpTo(static_cast<int>(l), receiver.pos);
      return;
    }
  }
}

const ZoneCommand* commandOf(const std::string& text) {
  for (const ZoneCommand& command : commands) {
    if (text == command.word) return &command;
  }
  return nullptr;
}
}  // namespace

bool isZoneCommand(const std::string& text) { return commandOf(text) != nullptr; }

bool marksCheckpoint(const Warp& zone) {
  const ZoneCommand* command = commandOf(zone.level);
  return command && command->run == mark;
}

bool startsSong(const Warp& zone) {
  const ZoneCommand* command = commandOf(zone.level);
  return command && (command->run == startSong || command->run == switchSong);
}

bool playSongOf(Game& game, const Warp& zone) {
  if (!startsSong(zone)) return false;
  commandOf(zone.level)->run(game, zone);
  return true;
}

void Game::markCheckpoint(const std::string& receiverId, const std::string& dir) {
  const std::string& level = levelData->getCurrentLevel().guid;
  if (markPlace || level != markLevel || receiverId != markReceiver) {
    frameReport.reachedCheckpoint = true;
    frameReport.checkpointReceiver = receiverId;
  }
  markLevel = level;
  markReceiver = receiverId;
  markDir = dir;
  markPlace.reset();
}

// Speed and heading carry through a warp.
void Game::jumpTo(const ofxVec2f& place) {
  pos = place;
  levelData->resetAnimations();
  audio->playEffect("warp");
  frameReport.warped = true;
}

void Game::warpTo(int level, const ofxVec2f& place) {
  moveToLevel(level);
  pos = place;
  levelData->resetAnimations();
  frameReport.warped = true;
}

void Game::beginFinish() {
  finishing = true;
  finishStart = ofGetElapsedTimeMillis();
  finishScale = 1.0f;
  vel = ofxVec2f(0, 0);
  frameReport.finished = true;
}

void Game::scanZones() {
  // The count and the level are read again on every step: a command may
  // remove its zone or move the ship to another level.
  for (size_t i = 0; i < levelData->getCurrentLevel().warps.size(); ++i) {
    const ofRectangle& r = levelData->getCurrentLevel().warps[i].rect;
    if (r.x < pos.x && pos.x < r.x + r.width && r.y < pos.y && pos.y < r.y + r.height) {
      enterZone(static_cast<int>(i));
    }
  }
}

void Game::enterZone(int index) {
  const Warp zone = levelData->getCurrentLevel().warps[index];  // the command may remove it
  const ZoneCommand* command = commandOf(zone.level);
  if (!command) {
    warpToLevel(*this, zone);
    return;
  }
  command->run(*this, zone);
  if (command->after == After::removed) levelData->removeWarp(index);
}

void Game::handleModelEvents(int ms) {
  for (Model& model : levelData->models) {
    if (model.sePending && levelData->getCurrentLevel().hasModelRef(model.guid)) {
      audio->playEffect(model.SE);
      model.sePending = false;
    }
    if (model.playOnce && model.ended) {
      levelData->removeModelRefs(model.guid);
      model.currentFrame = 0;
      model.lastFrameTime = ms;
      model.ended = false;
    }
  }
}
