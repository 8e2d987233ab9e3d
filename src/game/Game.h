#pragma once
// One run of the game: the ship with its fuel, heading and timers, the
// checkpoint it respawns at, the screen effects, the heads-up display, and
// private copies of the level data and the sound bank. The application owns
// one Game for the program's life, starts runs with start() and drives
// update() and draw() once per frame; report() tells what each frame did.

#include <functional>
#include <optional>
#include <string>

#include "audio/AudioBank.h"
#include "framework/InputState.h"
#include "framework/ofTrueTypeFont.h"
#include "framework/ofTypes.h"
#include "game/FrameReport.h"
#include "game/WallLayer.h"
#include "level/LevelData.h"

// A play time as the HUD and the score screen show it: hours, minutes and
// seconds without leading zeros ("0:3:7").
std::string playTimeText(float seconds);

class Game {
 public:
  Game();  // loads the HUD font (second "font" of "font.xml") and "audio.xml"
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  // Begins a run on a copy of data, in the level current there, unpaused.
  // A run needs a level: without one nothing changes and false is returned.
  bool start(const LevelData& data);
  // Begins a practice run on a copy of data in the level guid, as a run that
  // has just arrived there: at its spawner when it has one, else where a
  // warp from another level leads in, with the music the campaign plays
  // there, and with its checkpoint where it begins. False, with nothing
  // changed, when data has no such level (Practice.cpp).
  bool startPractice(const LevelData& data, const std::string& guid);
  void reset();
  // One frame; false once the finish sequence is over.
  bool update(const InputState& current, const InputState& previous);
  void draw(const InputState& current);
  // What the last update (or start) did and where it left the ship.
  const FrameReport& report() const { return frameReport; }

  // The flight step (steering, thrust, gravity, bounds, movement) with the
  // zone scan and the hull test.
  void fly(const InputState& current, const InputState& previous);
  // A segment crosses a wall of the current level or of a solid model in it.
  bool hitsWalls(float x1, float y1, float x2, float y2) const;
  // Where a run in level begins: its last "spawner", else (100, 100).
  static ofxVec2f startingPlace(const Level& level);
  // Where the level origin is drawn in a window of that size (pixels): the
  // 480 by 320 play area the levels are made for, centred by whole pixels.
  static ofxVec2f playAreaOrigin(int width, int height);

  // Zones and model events.
  void scanZones();
  void enterZone(int index);
  void handleModelEvents(int ms);
  // What zone commands do to the run, told in the frame's report.
  void markCheckpoint(const std::string& receiverId, const std::string& dir);
  void jumpTo(const ofxVec2f& place);              // within the level
  void warpTo(int level, const ofxVec2f& place);  // into the level of that index
  void beginFinish();

  // Death and respawn.
  void die();
  void updateDeath();
  // The ship back at the checkpoint at once, as a respawn puts it there
  // (paused or not, dying or not), reported as a frame that did just that:
  // respawned, and entered when the checkpoint is in another level. False,
  // with nothing changed, when it cannot be (see canRestartFromCheckpoint).
  bool restartFromCheckpoint();
  // There is a checkpoint with a place to go back to, and the finish has
  // not begun.
  bool canRestartFromCheckpoint() const;
  // Where a respawn puts the ship: the level's index and the place in it.
  // False when the checkpoint names no place (or there is none).
  bool checkpointPlace(int& level, ofxVec2f& place) const;
  // Turns the ship to the checkpoint's facing letter: "u" 0, "r" 90, "l" -90,
  // "d" 180; any other letter keeps the heading.
  void faceMarkedDirection();

  // Screen effects.
  void startFlash(const ofColor& color, float rate, bool enable);
  void startCycle(float minMs, float maxMs, const ofColor& color, float rate);
  void endCycle();
  void updateEffects(int ms);

  // A checkpoint newly set, as the frame's report tells: the receiver's
  // place flashes, a "checkpoint" label shows beside the ship and its effect
  // plays (CheckpointCue.cpp).
  void cueCheckpoint();

  // The hull as last flown: turned to the heading, relative to pos.
  ofxVec2f outline[3];
  float thrust = 0;
  LevelData* levelData;
  AudioBank* audio;

  // Flight constants; the application resets them to these values.
  float thrustPower = 0.04f;
  float turnAccel = 1.0f;
  float frictionFactor = 1.0f;
  float turnDamping = 0.7f;
  ofxVec2f gravityAccel{0, 0.01f};

  float fuel = 10;
  bool paused = false;
  bool finishing = false;
  int finishStart = 0;
  float finishScale = 1.0f;
  float playTime = 0;
  ofTrueTypeFont hudFont;
  float lastClock = 0;
  ofxVec2f pos{100, 100};
  ofxVec2f vel;
  float angle = 0;
  float turnSpeed = 0;
  int flame = 0;
  bool dying = false;
  int deathTime = 0;

  bool flashDone = true;
  float flashAlpha = 0;
  ofColor flashColor;
  float flashRate = 0;
  float flashLast = 0;
  bool cycleOn = false;
  float cycleMin = 0, cycleMax = 0, cycleNext = 0, cycleLast = 0;
  ofColor cycleColor;
  float cycleRate = 0;
  ofxVec2f shakeOffset;
  float shakeAngle = 0;
  int shakeDuration = 0;
  int shakeStart = 0;
  int shakeLast = 0;

  // For players sensitive to flicker: the dimming layer holds still and
  // flashes peak at a quarter of their alpha.
  bool calm = false;
  // Drawn in the level's frame just before the ship (a ghost, say).
  std::function<void()> drawBeforeShip;
  // When the last new checkpoint was cued (ms; -1 for none) and where.
  int checkpointCueStart = -1;
  bool checkpointCueHasPlace = false;
  ofxVec2f checkpointCuePlace;

  std::string markLevel;
  std::string markReceiver;
  std::string markDir = "u";
  // Set: the checkpoint is this place of level markLevel, where a practice
  // run began, rather than a receiver; no zone has marked one since.
  std::optional<ofxVec2f> markPlace;

  LevelData ownData;
  AudioBank ownAudio;
  // The current level's walls as a picture, for levels with so many that
  // drawing them line by line would slow the frame.
  WallLayer wallLayer;

 private:
  // The matrices the level is drawn with: the screen, turned and moved by
  // the shake.
  void setupLevelFrame();
  void drawHud();
  void drawShip();
  void drawCheckpointCue();
  // Where the checkpoint label of that width (pixels) has its baseline, in
  // the level's frame (CheckpointCue.cpp).
  ofxVec2f checkpointLabelPlace(float width) const;
  bool hullHitsWalls();
  // The frame's work after the F key, from the clock on.
  bool advance(const InputState& current, const InputState& previous);
  // Makes the level of that index current, telling a change of level.
  void moveToLevel(int index);
  // The ship at the checkpoint's place in that level, coming back to life.
  void respawn(int level, const ofxVec2f& place);
  // The report's account of where the run stands, after a frame or a start.
  void reportState();

  FrameReport frameReport;
};
