#pragma once
// The editing state: the level tool, the modeling tool and the game test
// that flies the edited levels, with what they share: the edited file, the
// edit history, questions asked in the window, the status line, F3's list
// of checks, F2's help and 'g' to fly from the level tool. The application
// owns the tools and the edited levels; this drives them while the state is
// up and keeps unsaved edits when the program ends.

#include <functional>

#include "editors/Autosave.h"
#include "editors/ChecksList.h"
#include "editors/EditHistory.h"
#include "editors/EditedFile.h"
#include "editors/HelpOverlay.h"
#include "editors/HistoryList.h"
#include "editors/KeyQuestion.h"
#include "editors/LevelTool.h"
#include "editors/ModelTool.h"
#include "editors/PickList.h"
#include "editors/PlayFromHere.h"
#include "editors/Prompt.h"
#include "editors/StatusLine.h"
#include "framework/InputState.h"
#include "game/Game.h"
#include "level/LevelData.h"

class ofTrueTypeFont;

class EditingState {
 public:
  // The three modes, in F1's order.
  enum Mode { GAME_TEST = 0, LEVEL_TOOL = 1, MODEL_TOOL = 2 };
  enum class MouseEvent { pressed, released, dragged };

  // What the state works on; all of it outlives the state.
  struct Parts {
    Game& game;
    LevelData& data;
    LevelTool& levelTool;
    ModelTool& modelTool;
    ofTrueTypeFont& font;
    const InputState& input;
    const InputState& previous;
    // F9 held: the flight constants and the line width back to defaults.
    std::function<void()> resetFlightDefaults;
  };
  explicit EditingState(const Parts& parts);

  // Entered with the level tool, the first time on the levels of
  // "data.xml" (or a fresh set when it does not load), afterwards on the
  // levels as they were left.
  void enter();
  // One frame; false when Escape leaves the state.
  bool update();
  void draw();
  // Runs on every key press event, so key repeat repeats all but F1.
  void keyPressed(int key);
  // Left presses and releases and right drags reach the tool of the mode.
  void forwardMouse(MouseEvent event, int button);
  // An open question (a word or a key) takes the key; nothing else sees it.
  bool questionTakes(int key);
  // Unsaved edits are kept in the recovery copy.
  void keepUnsavedEdits();
  // A ship flies here (the game test), so a pad's stick steers.
  bool flying() const { return mode == GAME_TEST; }

  int mode = LEVEL_TOOL;
  bool smoothLines = false;
  // Every edit of the levels in the tools, for Ctrl+Z and Ctrl+Y.
  EditHistory history;
  EditedFile editedFile;
  Prompt prompt;
  KeyQuestion question;
  Autosave autosave;
  StatusLine status;
  ChecksList checksList;
  // F5: the models by name, to choose the one m places (or to edit).
  PickList modelList;
  // F6: the undo history, shown beside the tools while they go on.
  HistoryList historyList;
  HelpOverlay help;
  PlayFromHere playHere;
  // The game test was started on a set without a level: nothing to fly.
  bool noLevelToFly = false;

 private:
  void openEditSet();
  void startGameTest();
  void askFileToLoad();
  // Ctrl+S: a file changed on disk since it was loaded is not written over
  // unasked, and a new set has no file yet.
  void saveAsked();
  void save(bool keepOutsideVersion);
  void askSaveAs();
  void startNewSet();
  // Escape: the edits stay in memory, and are kept in their recovery copy
  // first; false (asking what to do) when that copy cannot be written.
  bool readyToLeave();
  void drawNoLevelToFly();
  void switchTool();
  // The checks list, help, play from here and the game test's pause
  // (EditingAids.cpp); true while the checks list takes the keys.
  bool updateAids();
  void updateGameTest();
  void updatePlayFromHere();
  void backToLevelTool();
  void goToFinding(const editor::Finding& finding);
  void openModelList();
  void chooseModel(int index);
  // A list drawn over the tools has the keys and the mouse.
  bool listOpen() const;
  void drawAids();

  Parts parts;
  // The levels are opened once; after that what is being edited, saved or
  // not, stays in memory until the program ends.
  bool editSetOpened = false;
  // Chosen in the question asked when leaving could not keep the edits.
  bool leaveWithoutEdits = false;
};
