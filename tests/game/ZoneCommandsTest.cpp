#include <gtest/gtest.h>

#include "support/GameFixture.h"

using Zones = GameFixture;

namespace {
Receiver receiverAt(float x, float y, const std::string& id) { return Receiver{ofxVec2f(x, y), id}; }

// A model of `frames` empty frames that advances every update.
Model animated(const std::string& guid, int frames, const std::string& se = "", bool playOnce = false) {
  Model model;
  model.guid = guid;
  model.frames.resize(frames);
  model.SE = se;
  model.playOnce = playOnce;
  return model;
}

// The effects with this tag play and no other effect does.
bool onlyEffectPlaying(Game& game, const std::string& tag) {
  for (auto& effect : game.ownAudio.effects) {
    if (effect->getIsPlaying() != (effect->tag == tag)) return false;
  }
  return true;
}
}  // namespace

TEST_F(Zones, OverlappingOneShotZonesFireInSuccessiveFrames) {
  LevelData data = emptyLevel();
  data.levels[0].warps = {zone(90, 90, 20, 20, "breaks"), zone(90, 90, 20, 20, "fuel", "1")};
  start(data);
  game->vel = ofxVec2f(0.001f, 0);
  frame();
  EXPECT_EQ(game->vel.x, 0);
  ASSERT_EQ(level().warps.size(), 1u);  // the second moved into index 0 and waits
  EXPECT_EQ(game->fuel, 10);
  frame();
  EXPECT_EQ(game->fuel, 11);
  EXPECT_TRUE(level().warps.empty());
}

TEST_F(Zones, FuelAddsItsAmountAndTakesThePickupsOfThisLevelOnly) {
  LevelData data = emptyLevel();
  data.levels[0].warps = {zone(90, 90, 20, 20, "fuel", "2.5")};
  data.levels[0].modelRefs = {placed("fuel_tank", 1, 1), placed("gas_fumes", 2, 2),
                              placed("battery_charge", 3, 3), placed("rock", 4, 4)};
  data.addLevel();
  data.levels[1].modelRefs = {placed("fuel_tank", 1, 1)};
  data.currentLevel = 0;
  start(data);
  game->fuel = 3;
  stopAllSounds();
  frame();
  EXPECT_FLOAT_EQ(game->fuel, 5.5f);
  ASSERT_EQ(level().modelRefs.size(), 1u);
  EXPECT_EQ(level().modelRefs[0].guid, "rock");
  EXPECT_EQ(game->levelData->levels[1].modelRefs.size(), 1u);
  EXPECT_TRUE(effectPlaying("fuel"));
  EXPECT_TRUE(level().warps.empty());
}

TEST_F(Zones, FuelThatIsNoFiniteNumberAddsNothing) {
  for (const char* amount : {"nan", "inf", "-infinity", "1e39"}) {
    LevelData data = emptyLevel();
    data.levels[0].warps = {zone(90, 90, 20, 20, "fuel", amount)};
    start(data);
    frame();
    EXPECT_EQ(game->fuel, 10) << amount;
    EXPECT_TRUE(level().warps.empty()) << amount;
  }
}

TEST_F(Zones, MarkSetsTheCheckpointEveryFrameAndFaceUsesItsLetter) {
  LevelData data = emptyLevel();
  data.levels[0].warps = {zone(90, 90, 20, 20, "mark", "start", "r"),
                          zone(190, 90, 20, 20, "face")};
  start(data);
  game->markDir = "u";
  game->angle = 45;
  frame();
  EXPECT_EQ(game->markLevel, "one");
  EXPECT_EQ(game->markReceiver, "start");
  EXPECT_EQ(game->markDir, "r");
  game->markReceiver = "";
  frame();
  EXPECT_EQ(game->markReceiver, "start");  // set again while inside
  EXPECT_EQ(level().warps.size(), 2u);

  game->pos = ofxVec2f(200, 100);
  frame();
  EXPECT_EQ(game->angle, 90);  // the mark's letter, and the zone is gone
  EXPECT_EQ(level().warps.size(), 1u);
}

TEST_F(Zones, ANewCheckpointIsCuedOnceAtItsReceiverWithItsSound) {
  LevelData data = emptyLevel();
  data.levels[0].receivers = {receiverAt(100, 95, "a"), receiverAt(200, 95, "b")};
  data.levels[0].warps = {zone(90, 90, 20, 20, "mark", "a"), zone(190, 90, 20, 20, "mark", "b"),
                          zone(290, 90, 20, 20, "mark", "nowhere")};
  start(data);
  stopAllSounds();
  frame();
  const int cuedAt = game->checkpointCueStart;
  EXPECT_EQ(cuedAt, ofGetElapsedTimeMillis());
  EXPECT_TRUE(game->checkpointCueHasPlace);
  EXPECT_EQ(game->checkpointCuePlace.y, 95);
  EXPECT_TRUE(onlyEffectPlaying(*game, "checkpoint"));

  stopAllSounds();
  frames(3);  // still inside: the same checkpoint, marked again in silence
  EXPECT_EQ(game->checkpointCueStart, cuedAt);
  EXPECT_EQ(channelsPlaying(), 0);

  game->pos = ofxVec2f(200, 100);
  frame();
  EXPECT_GT(game->checkpointCueStart, cuedAt);
  EXPECT_EQ(game->checkpointCuePlace.x, 200);
  EXPECT_TRUE(effectPlaying("checkpoint"));

  // A checkpoint without a receiver is still told, but has no place to flash.
  game->pos = ofxVec2f(300, 100);
  frame();
  EXPECT_FALSE(game->checkpointCueHasPlace);
}

TEST_F(Zones, FaceBeforeAnyMarkFacesUpAndAnOddLetterKeepsTheHeading) {
  for (const char* letter : {"u", "i"}) {
    LevelData data = emptyLevel();
    data.levels[0].warps = {zone(90, 90, 20, 20, "face")};
    start(data);
    game->markDir = letter;
    game->angle = 33;
    frame();
    EXPECT_EQ(game->angle, std::string(letter) == "u" ? 0 : 33) << letter;
  }
}

TEST_F(Zones, LevelWarpsLandAtTheFirstLevelHoldingTheReceiver) {
  LevelData data = emptyLevel();
  data.levels[0].warps = {zone(90, 90, 20, 20, "deep", "door")};
  data.addLevel();
  data.levels[1].guid = "deep";  // no such receiver here
  data.addLevel();
  data.levels[2].guid = "deep";
  data.levels[2].receivers = {receiverAt(300, 200, "door")};
  data.currentLevel = 0;
  start(data);
  game->vel = ofxVec2f(0.5f, 0);
  game->angle = 20;
  frame();
  EXPECT_EQ(game->levelData->currentLevel, 2);
  EXPECT_EQ(game->pos.x, 300);
  EXPECT_EQ(game->vel.x, 0.5f);  // speed and heading carry through
  EXPECT_EQ(game->angle, 20);
}

TEST_F(Zones, AWarpToNowhereDoesNothingAndStays) {
  LevelData data = emptyLevel();
  data.levels[0].warps = {zone(90, 90, 20, 20, "missing", "door"),
                          zone(90, 90, 20, 20, "remove", "nobody"),
                          zone(90, 90, 20, 20, "trigger")};
  start(data);
  frames(3);
  EXPECT_EQ(game->levelData->currentLevel, 0);
  EXPECT_EQ(level().warps.size(), 3u);
  EXPECT_EQ(game->pos.x, 100);
}

TEST_F(Zones, ThisJumpsInsideTheLevelKeepingTheSpeedIntoTheNextZone) {
  LevelData data = emptyLevel();
  data.levels[0].warps = {zone(90, 90, 20, 20, "this", "far"), zone(390, 90, 20, 20, "breaks")};
  data.levels[0].receivers = {receiverAt(400, 100, "far")};
  start(data);
  game->vel = ofxVec2f(0.001f, 0);
  stopAllSounds();
  frame();
  EXPECT_FLOAT_EQ(game->pos.x, 400);
  EXPECT_EQ(game->vel.x, 0);  // the "breaks" zone at the arrival ran in the same scan
  EXPECT_TRUE(effectPlaying("warp"));
  EXPECT_EQ(level().warps.size(), 1u);
}

TEST_F(Zones, AddedModelsPlayTheirSoundAndPlayOnceModelsVanishWhenTheyWrap) {
  LevelData data = emptyLevel();
  data.models.push_back(animated("spark", 3, "ding", true));
  data.levels[0].warps = {zone(90, 90, 20, 20, "add", "spark")};
  data.levels[0].receivers = {receiverAt(50, 60, "here")};
  start(data);
  // The run's start marks every model's sound as due; this one is not placed yet.
  frame();
  ASSERT_EQ(level().modelRefs.size(), 1u);
  EXPECT_EQ(level().modelRefs[0].pos.x, 90);
  EXPECT_TRUE(effectPlaying("ding"));
  EXPECT_FALSE(game->levelData->models[0].sePending);
  frames(2);
  EXPECT_EQ(level().modelRefs.size(), 1u);
  frame();  // the third frame change wraps: gone
  EXPECT_TRUE(level().modelRefs.empty());
}

TEST_F(Zones, AddXPlacesTheModelAtTheLastReceiverOfThatId) {
  LevelData data = emptyLevel();
  data.models.push_back(animated("gate", 1));
  data.levels[0].receivers = {receiverAt(10, 20, "g"), receiverAt(30, 40, "g")};
  data.levels[0].warps = {zone(90, 90, 20, 20, "addX", "gate", "g"),
                          zone(90, 90, 20, 20, "addX", "gate", "none")};
  start(data);
  frames(2);
  ASSERT_EQ(level().modelRefs.size(), 2u);
  EXPECT_EQ(level().modelRefs[0].pos.x, 30);
  EXPECT_EQ(level().modelRefs[1].pos.x, 0);
}

TEST_F(Zones, OneShotCommandsActAndDisappear) {
  struct Case {
    const char* command;
    const char* id;
    bool (*check)(Game&);
    const char* sound;
  };
  const Case cases[] = {
      {"shake", "2000", [](Game& g) { return g.shakeDuration == 2000; }, "shaking"},
      {"sound", "ding", [](Game& g) { return onlyEffectPlaying(g, "ding"); }, "ding"},
      {"cycle_siren", "", [](Game& g) { return g.cycleOn && g.cycleMin == 500 && g.cycleColor.r == 40; }, ""},
      {"cycle_thunder", "", [](Game& g) { return g.cycleOn && g.cycleMax == 10000 && g.cycleRate == 0.5f; }, ""},
      {"cycle_end", "", [](Game& g) { return !g.cycleOn; }, ""},
      {"song_fade", "", [](Game& g) { return g.ownAudio.fadeStep == AudioBank::fadeOut; }, ""},
      {"song_setFullVolume", "", [](Game& g) { return g.ownAudio.fullVolume == 1 && g.ownAudio.fadeStep == 0; }, ""},
  };
  for (const Case& c : cases) {
    LevelData data = emptyLevel();
    data.levels[0].warps = {zone(90, 90, 20, 20, c.command, c.id)};
    start(data);
    game->cycleOn = std::string(c.command) == "cycle_end";
    stopAllSounds();
    frame();
    EXPECT_TRUE(c.check(*game)) << c.command;
    if (*c.sound) {
      EXPECT_TRUE(effectPlaying(c.sound)) << c.command;
    }
    EXPECT_TRUE(level().warps.empty()) << c.command;
  }
}

TEST_F(Zones, StopThenPlayLeavesTheMusicSilent) {
  LevelData data = emptyLevel();
  data.levels[0].warps = {zone(90, 90, 20, 20, "songAtFull", "cave"),
                          zone(190, 90, 20, 20, "song_stop"), zone(290, 90, 20, 20, "song_play")};
  start(data);
  frame();
  ASSERT_TRUE(game->ownAudio.songActive);
  EXPECT_EQ(game->ownAudio.currentSong->tag, "cave");
  EXPECT_TRUE(game->ownAudio.currentSong->getIsPlaying());
  game->pos = ofxVec2f(200, 100);
  frame();
  EXPECT_TRUE(game->ownAudio.held);
  game->pos = ofxVec2f(300, 100);
  frame();
  EXPECT_FALSE(game->ownAudio.held);
  EXPECT_FALSE(game->ownAudio.songActive);  // the stopped track was forgotten
  EXPECT_FALSE(game->ownAudio.songs[1]->getIsPlaying());
}

TEST_F(Zones, PauseThenSongWaitsForTheResume) {
  LevelData data = emptyLevel();
  data.levels[0].warps = {zone(90, 90, 20, 20, "songAtFull", "cave"),
                          zone(190, 90, 20, 20, "song_pause"), zone(290, 90, 20, 20, "song", "menu")};
  start(data);
  frame();
  game->pos = ofxVec2f(200, 100);
  frame();
  EXPECT_TRUE(game->ownAudio.currentSong->paused);
  game->pos = ofxVec2f(300, 100);
  // The application advances the music once a frame.
  auto framesWithMusic = [&](int n) {
    for (int i = 0; i < n; ++i) {
      frame();
      game->ownAudio.update();
    }
  };
  framesWithMusic(400);  // the fade-out stands still while the track is paused
  EXPECT_EQ(game->ownAudio.currentSong->tag, "cave");
  game->ownAudio.resumeSong();
  framesWithMusic(400);
  EXPECT_EQ(game->ownAudio.currentSong->tag, "menu");
}

TEST_F(Zones, TheFinishEndsTheRunOnTheFirstFrameAfter5500ms) {
  LevelData data = emptyLevel();
  data.levels[0].warps = {zone(90, 90, 20, 20, "finish_it")};
  data.levels[0].modelRefs = {placed("grav_center", 100, 200)};
  start(data);
  game->vel = ofxVec2f(1, 0);
  frame();
  ASSERT_TRUE(game->finishing);
  EXPECT_EQ(game->vel.x, 0);
  const float time = game->playTime;
  const int started = game->finishStart;
  bool running = true;
  for (int i = 0; i < 400 && running; ++i) running = frame();  // 5.5 s is 344 frames
  ASSERT_FALSE(running) << "the finish never ended the run";
  EXPECT_GT(ofGetElapsedTimeMillis() - started, 5500);
  EXPECT_LE(ofGetElapsedTimeMillis() - started, 5516);
  EXPECT_EQ(game->playTime, time);  // the clock stops at the finish
  EXPECT_NEAR(game->pos.y, 200, 3);  // pulled onto the centre
  EXPECT_NEAR(game->pos.x, 100, 3);
}
