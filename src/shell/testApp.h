#pragma once
// The application: owns the game, the editors, the editable level data, the
// two input snapshots, the high scores, the player's settings and progress,
// and the screens. One value says which screen is up; enter() is the only
// way to another, and update and draw each dispatch on it once. The
// screens' own logic lives in their own types; this wires them.

#include <optional>
#include <string>

#include "editors/LevelTool.h"
#include "editors/ModelTool.h"
#include "framework/InputState.h"
#include "framework/ofBaseApp.h"
#include "framework/ofTrueTypeFont.h"
#include "game/Game.h"
#include "level/LevelData.h"
#include "platform/Gamepad.h"
#include "platform/Settings.h"
#include "progress/LevelList.h"
#include "progress/PlayerProgress.h"
#include "progress/RunJourney.h"
#include "shell/EditingState.h"
#include "shell/HeldKeys.h"
#include "shell/HighScores.h"
#include "shell/KeysScreen.h"
#include "shell/LoadingFade.h"
#include "shell/PauseOverlay.h"
#include "shell/Screen.h"
#include "shell/ScoreScreen.h"
#include "shell/TitleMenu.h"

class testApp : public ofBaseApp {
 public:
  void setup() override;
  void update() override;
  void draw() override;
  void keyPressed(int key) override;
  void keyReleased(int key) override;
  void mouseMoved(int x, int y) override;
  void mouseDragged(int x, int y, int button) override;
  void mousePressed(int x, int y, int button) override;
  void mouseReleased(int x, int y, int button) override;
  // Every key and button held is let go, and a gesture in the editors ends.
  void windowFocusLost() override;
  // Unsaved edits are kept in the recovery copy before the program ends.
  void exit() override;

  // The five flight constants and the line width back to their defaults.
  void resetFlightDefaults();

  // Shows another screen, doing what leaving the old one and entering the
  // new one mean: music, cursor, pause, fade, what is saved on leaving.
  void enter(Screen next);
  Screen screen() const { return shown; }
  // Questions asked of the screen.
  bool playing() const { return shown == Screen::game || shown == Screen::pause; }
  bool editing() const { return shown == Screen::editing; }
  bool fading() const { return shown == Screen::loading; }
  bool showingScores() const { return shown == Screen::scores; }
  bool choosingLevel() const { return shown == Screen::levelList; }
  bool choosingKeys() const { return shown == Screen::keys; }
  // What the pause offers the run now, besides resuming and quitting.
  PauseOverlay::Offer pauseOffer() const;

  ofTrueTypeFont font;
  Game game;
  LevelTool levelTool;
  ModelTool modelTool;
  LevelData editData;
  InputState input;
  InputState previousInput;
  HighScores scores;
  int lineWidth = 1;

  // The screens' own state.
  TitleMenu title;
  LoadingFade fade;
  PauseOverlay pauseOverlay;
  ScoreScreen scoreScreen;
  KeysScreen keysScreen;
  LevelList levelList;
  EditingState editor{{game, editData, levelTool, modelTool, font, input, previousInput,
                       [this] { resetFlightDefaults(); }}};
  // Set before setup to start in the editing state (orvane --edit).
  bool editOnStart = false;
  // Set before setup: said under the title's menu (a window that took a
  // smaller scale than the one chosen, say).
  std::string noticeOnStart;

  // The player's settings and, set before setup, the settings main has
  // read already to open the window (setup reads them itself otherwise).
  // PlayerSettings.cpp.
  Settings settings;
  std::optional<Settings> settingsOnStart;

  // The player's own record and what the current run adds to it.
  PlayerProgress progress;
  RunJourney journey{progress, settings.ghosts};
  // F was held during the current run: it is not entered in the tables.
  bool runAssisted = false;
  // The level the current or coming practice run begins in; empty for the
  // campaign.
  std::string practiceLevel;
  // Set before setup to start a practice run in that level (orvane --level).
  std::string levelOnStart;
  // The practice run was started by --level: it ends at the title.
  bool practiceFromOption = false;
  // The gamepads, read into input at the start of every update.
  Gamepad gamepad;

 private:
  // One frame of each screen.
  void updateTitle(TitleMenu::Choice choice);
  void updateGame();
  void updateLevelList();
  void updateKeysScreen();
  void updateFade();
  // A run's start and end (Runs.cpp): the campaign from "data.xml", a
  // practice run of one level, the end of a run.
  bool startRun();
  bool startPracticeRun(const std::string& guid);
  void startPracticeFromOption();
  void endRun();
  void openLevelList();
  // From the pause: back to the checkpoint in the same run, or a new run
  // (in practice, the level again).
  void restartAtCheckpoint();
  void restartRun();
  // The settings read, carried over from an older record and applied; F11;
  // the key code input gets for a key (PlayerSettings.cpp).
  void loadSettings();
  bool carryOverOlderSwitches();
  void applySettings();
  void toggleSetting(bool Settings::*setting);
  void toggleFullscreen();
  int gameKey(int key) const;
  // What entering and leaving a screen mean (Screens.cpp); what ending a run
  // means, however it ends.
  void leave(Screen old, Screen next);
  void closeRun();
  void arrive(Screen old, Screen next);

  Screen shown = Screen::title;
  // What each key held was taken as, so that its release lets go of exactly
  // that, whatever Shift, the bindings or the screen changed in between.
  HeldKeys heldKeys;
};
