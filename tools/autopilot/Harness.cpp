#include "Harness.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "framework/ofAppRunner.h"
#include "framework/ofLog.h"

namespace fs = std::filesystem;

int keyCode(const std::string& name) {
  static const struct {
    const char* name;
    int code;
  } keys[] = {{"enter", KEY_ENTER}, {"escape", KEY_ESCAPE}, {"space", KEY_SPACE},
              {"up", KEY_UP},       {"down", KEY_DOWN},     {"left", KEY_LEFT},
              {"right", KEY_RIGHT}, {"f", 'f'},             {"q", 'q'},
              {"s", 's'}};
  for (const auto& k : keys) {
    if (name == k.name) return k.code;
  }
  return 0;
}

Harness::Harness(const std::string& levelFile) {
  // No sound device is wanted; this must be set before the sound system opens.
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  home = fs::current_path().string();
  char pattern[] = "/tmp/orvane-autopilot-XXXXXX";
  scratch = mkdtemp(pattern);
  fs::create_directories(scratch + "/data");
  fs::copy_file(levelFile, scratch + "/data/data.xml");
  fs::current_path(scratch);
  // The player's own settings (keys bound elsewhere) must not steer it, and
  // its many trial passes must not become the player's bests and ghosts.
  setenv("XDG_CONFIG_HOME", (scratch + "/config").c_str(), 1);
  setenv("XDG_DATA_HOME", (scratch + "/share").c_str(), 1);
  // The scratch folder has no font, logo or sounds; each would be logged.
  ofSetLogLevel(OF_FATAL_ERROR);
  ofSetClock(&clock);
  ofSetupOpenGL(&window, 530, 370, 0);
  app = std::make_unique<testApp>();
  app->setup();
}

Harness::~Harness() {
  app.reset();
  ofSetupOpenGL(nullptr, 0, 0, 0);
  ofSetClock(nullptr);
  fs::current_path(home);
  std::error_code ignored;
  fs::remove_all(scratch, ignored);
}

void Harness::update() {
  clock.advance(16);
  app->update();
  ++frame;
}

namespace {
const std::pair<bool Keys::*, int> pilotKeys[] = {
    {&Keys::up, KEY_UP}, {&Keys::left, KEY_LEFT}, {&Keys::right, KEY_RIGHT}};
}  // namespace

void Harness::step(const Keys& keys) {
  for (const auto& [flag, code] : pilotKeys) {
    if (keys.*flag && !(held.*flag)) app->keyPressed(code);
    if (!(keys.*flag) && held.*flag) app->keyReleased(code);
  }
  held = keys;
  update();
}

void Harness::startRun() {
  app->keyPressed(KEY_ENTER);
  update();
  update();
  app->keyReleased(KEY_ENTER);
  while (!app->playing() && frame < 200) update();
}

bool Harness::startAt(const std::string& guid) {
  app->practiceLevel = guid;
  app->enter(Screen::loading);
  const int limit = frame + 200;
  while (!app->playing() && app->fading() && frame < limit) update();
  return app->playing();
}

Snapshot Harness::save() const {
  const Game& g = app->game;
  Snapshot s;
  s.now = clock.now;
  s.frame = frame;
  s.held = held;
  s.input = app->input;
  s.previousInput = app->previousInput;
  s.screen = app->screen();
  s.fadeAlpha = app->fade.alpha;
  s.fuel = g.fuel;
  s.finishScale = g.finishScale;
  s.playTime = g.playTime;
  s.lastClock = g.lastClock;
  s.angle = g.angle;
  s.turnSpeed = g.turnSpeed;
  s.thrust = g.thrust;
  s.paused = g.paused;
  s.finishing = g.finishing;
  s.dying = g.dying;
  s.finishStart = g.finishStart;
  s.flame = g.flame;
  s.deathTime = g.deathTime;
  s.pos = g.pos;
  s.vel = g.vel;
  s.markLevel = g.markLevel;
  s.markReceiver = g.markReceiver;
  s.markDir = g.markDir;
  s.markPlace = g.markPlace;
  s.data = g.ownData;
  return s;
}

void Harness::restore(const Snapshot& s) {
  Game& g = app->game;
  clock.now = s.now;
  frame = s.frame;
  held = s.held;
  // The window's record of held keys as the snapshot had them: a key let go
  // on a path given up is held again, so that its next release counts. The
  // input those presses make is replaced just below.
  app->windowFocusLost();
  for (const auto& [flag, code] : pilotKeys) {
    if (held.*flag) app->keyPressed(code);
  }
  app->input = s.input;
  app->previousInput = s.previousInput;
  // The screen first: entering it touches the game's pause, restored below.
  app->enter(s.screen);
  app->fade.alpha = s.fadeAlpha;
  g.fuel = s.fuel;
  g.finishScale = s.finishScale;
  g.playTime = s.playTime;
  g.lastClock = s.lastClock;
  g.angle = s.angle;
  g.turnSpeed = s.turnSpeed;
  g.thrust = s.thrust;
  g.paused = s.paused;
  g.finishing = s.finishing;
  g.dying = s.dying;
  g.finishStart = s.finishStart;
  g.flame = s.flame;
  g.deathTime = s.deathTime;
  g.pos = s.pos;
  g.vel = s.vel;
  g.markLevel = s.markLevel;
  g.markReceiver = s.markReceiver;
  g.markDir = s.markDir;
  g.markPlace = s.markPlace;
  g.ownData = s.data;
  g.levelData = &g.ownData;
}
