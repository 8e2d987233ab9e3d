#pragma once
// The real application run headless: a scratch folder holding a copy of
// the level file, a hand-driven clock advanced 16 ms per update, a window
// without a screen, and the ability to save the game's state and go back
// to it, which is what lets the pilot try a stretch of flight again.

#include <memory>
#include <optional>
#include <string>

#include "framework/ofAppBaseWindow.h"
#include "framework/ofClock.h"
#include "shell/testApp.h"

// Which keys the pilot holds during one frame.
struct Keys {
  bool up = false, left = false, right = false;
  bool operator==(const Keys& o) const { return up == o.up && left == o.left && right == o.right; }
};

// Everything a frame of the game depends on; the sound bank and the random
// generator only change what is heard and seen.
struct Snapshot {
  uint32_t now = 0;
  int frame = 0;
  Keys held;
  InputState input, previousInput;
  Screen screen = Screen::title;
  float fadeAlpha = 0;
  float fuel = 0, finishScale = 0, playTime = 0, lastClock = 0, angle = 0, turnSpeed = 0, thrust = 0;
  bool paused = false, finishing = false, dying = false;
  int finishStart = 0, flame = 0, deathTime = 0;
  ofxVec2f pos, vel;
  std::string markLevel, markReceiver, markDir;
  std::optional<ofxVec2f> markPlace;
  LevelData data;
};

class Harness {
 public:
  // Copies levelFile into a scratch folder's data/ and sets the app up there.
  explicit Harness(const std::string& levelFile);
  ~Harness();

  // Presses and releases through the app, as a window would, then updates.
  void step(const Keys& keys);
  // Holds Enter through two updates, releases it and waits for the fade.
  void startRun();
  // A practice run in level guid, chosen as the title's level list does:
  // the fade, then the ship at the level's spawner or where a warp into it
  // arrives. False when the game did not start one (no such level).
  bool startAt(const std::string& guid);
  // Raw key events for replaying a timeline.
  void press(int key) { app->keyPressed(key); }
  void release(int key) { app->keyReleased(key); }
  void update();

  Snapshot save() const;
  void restore(const Snapshot& s);

  testApp& game() { return *app; }
  Game& run() { return app->game; }
  int frame = 0;  // updates done since setup

 private:
  std::string scratch, home;
  ManualClock clock{1000};
  ofHeadlessWindow window;
  std::unique_ptr<testApp> app;
  Keys held;
};

// Key codes by the names the timeline uses; 0 for an unknown name.
int keyCode(const std::string& name);
