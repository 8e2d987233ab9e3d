#pragma once
// The application: owns the game, the editors, the editable level data, the
// title logo, the two input snapshots, the high scores and the player's
// progress, and moves between the title, the practice list, the keys
// screen, the loading fade, a game, the pause, the score screen and the
// editing state.

#include <map>
#include <optional>
#include <string>

#include "framework/InputState.h"
#include "framework/ofBaseApp.h"
#include "editors/ChecksList.h"
#include "editors/EditedFile.h"
#include "editors/EditHistory.h"
#include "editors/HelpOverlay.h"
#include "editors/LevelTool.h"
#include "editors/ModelTool.h"
#include "editors/PlayFromHere.h"
#include "editors/Prompt.h"
#include "editors/StatusLine.h"
#include "framework/ofTrueTypeFont.h"
#include "game/Game.h"
#include "level/LevelData.h"
#include "platform/Gamepad.h"
#include "platform/Settings.h"
#include "progress/LevelList.h"
#include "progress/PlayerProgress.h"
#include "progress/RunJourney.h"
#include "shell/HighScores.h"
#include "shell/KeysScreen.h"
#include "shell/NameEntry.h"

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
  // Unsaved edits are kept in the recovery copy before the program ends.
  void exit() override;

  // The five flight constants and the line width back to their defaults.
  void resetFlightDefaults();

  // The editing state: entered with the level tool, the first time on the
  // levels of "data.xml" (or a fresh set when it does not load), afterwards
  // on the levels as they were left.
  void enterEditing();
  void updateEditing();
  void drawEditing();
  void drawNoLevelToFly();
  void editingKeyPressed(int key);
  enum class MouseEvent { pressed, released, dragged };
  // Left presses and releases and right drags reach the tool of editorMode,
  // in every state.
  void forwardMouse(MouseEvent event, int button);

  // The screens.
  void drawTitle();
  void drawPauseOverlay();
  void drawScores();
  void drawFadeOverlay();

  ofTrueTypeFont font;
  // The three editing modes, in F1's order; editorMode holds one of them.
  enum EditorMode { GAME_TEST = 0, LEVEL_TOOL = 1, MODEL_TOOL = 2 };
  int editorMode = LEVEL_TOOL;
  bool smoothLines = false;
  bool editing = false;
  bool playing = false;
  bool scoreScreen = false;
  float blinkTime = 0;
  bool blinkOn = false;
  bool fading = false;
  float fadeAlpha = 0;
  Game game;
  LevelTool levelTool;
  ModelTool modelTool;
  LevelData editData;
  // Every edit of editData in the tools, for Ctrl+Z and Ctrl+Y.
  EditHistory editHistory;
  // The file editData came from, the questions asked in the window and the
  // editing state's status line.
  EditedFile editedFile;
  Prompt prompt;
  StatusLine status;
  // F3's list of what to mend, F2's keys, and 'g' in the level tool.
  ChecksList checksList;
  HelpOverlay help;
  PlayFromHere playHere;
  LevelData logoData;
  InputState input;
  InputState previousInput;
  HighScores scores;
  int lineWidth = 1;
  float pauseFade = 0;
  // F was held during the current or last campaign run: the score screen
  // says so and the run is not entered in the tables.
  bool runAssisted = false;
  // editData holds the levels being edited (loaded on the first entry).
  bool editSetOpened = false;
  // The game test was started on a set without a level: nothing to fly.
  bool noLevelToFly = false;
  // Set before setup to start in the editing state (orvane --edit).
  bool editOnStart = false;

  // The player's settings, the keys screen that changes them and, set
  // before setup, the settings main has read already to open the window
  // (setup reads them itself otherwise). PlayerSettings.cpp.
  Settings settings;
  std::optional<Settings> settingsOnStart;
  KeysScreen keysScreen;
  bool choosingKeys = false;

  // The player's own record, what the current run adds to it, the practice
  // list, and the name typed on the score screen (Journey.cpp).
  PlayerProgress progress;
  RunJourney journey{progress, settings.ghosts};
  LevelList levelList;
  NameEntry nameEntry;
  bool choosingLevel = false;
  // The level the current or coming practice run begins in; empty for the
  // campaign.
  std::string practiceLevel;
  // Set before setup to start a practice run in that level (orvane --level).
  std::string levelOnStart;
  // The practice run was started by --level: it ends at the title.
  bool practiceFromOption = false;
  // A name was typed into the run's rows since the table was last written.
  bool nameTypedUnsaved = false;
  // The gamepads, read into input at the start of every update.
  Gamepad gamepad;

 private:
  void updateGame();
  void updateScoreScreen();
  void updateTitle();
  void updateFade();
  // The title's practice list and switches, a practice run's start and end,
  // and the name typed on the score screen (Journey.cpp).
  void updateTitleSwitches();
  void updateLevelList();
  bool startPracticeRun(const std::string& guid);
  void startPracticeFromOption();
  void endPractice();
  // True when the key was typed into the name.
  bool typeName(int key);
  // The settings read, carried over from an older record and applied; the
  // keys screen; F11; the key code input gets for a key (PlayerSettings.cpp).
  void loadSettings();
  bool carryOverOlderSwitches();
  void applySettings();
  void openKeysScreen();
  void updateKeysScreen();
  void toggleFullscreen();
  int gameKey(int key) const;
  // The code each key held went down as, so that its release lets go of
  // that code even when the screen changed in between.
  std::map<int, int> keysDownAs;
  // Loads "data.xml" and starts a run on it; refuses (and says why) when
  // there is no level to play.
  bool startRun();
  // Offers a finished run to the high scores, unless F helped it along.
  void recordRun();
  void returnToMenuMusic();
  void togglePause();
  void openEditSet();
  // Ctrl+L: asks for a file name in the window and loads it in place.
  void askFileToLoad();
  // Restarts the game test on the edited levels, if there is one to fly.
  void startGameTest();
  // The checks list, help, play from here and the game test's pause
  // (EditingAids.cpp); true while the checks list takes the keys.
  bool updateEditingAids();
  void updateGameTest();
  void updatePlayFromHere();
  void backToLevelTool();
  void goToFinding(const editor::Finding& finding);
  void drawEditingAids();
};
