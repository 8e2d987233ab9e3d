// What the editing state adds around the tools: the F3 list of what to mend,
// the F2 keys, 'g' to fly from the level tool and back, and space to pause
// the game test.

#include "framework/ofAppRunner.h"
#include "shell/testApp.h"

namespace {
constexpr int KEY_F3 = 259;
}  // namespace

bool testApp::updateEditingAids() {
  if (checksList.isOpen()) {
    if (const editor::Finding* chosen = checksList.update(input, previousInput)) goToFinding(*chosen);
    return true;
  }
  const bool inTool = editorMode == LEVEL_TOOL || editorMode == MODEL_TOOL;
  if (inTool && codeWentDown(input, previousInput, KEY_F3)) {
    checksList.open(editData);
    return true;
  }
  help.update(input, previousInput);
  updatePlayFromHere();
  // A pause belongs to the game test it was made in: leaving the test (F1,
  // 'g', Escape) resumes it, so that no later run starts paused.
  const bool leaving = editorMode != GAME_TEST || wentDown(input.keyEscape, previousInput.keyEscape);
  if (game.paused && leaving) togglePause();
  return false;
}

// As in a game, space pauses; only a run started with 'g' returns at its end.
void testApp::updateGameTest() {
  if (noLevelToFly) return;
  const bool goesOn = game.update(input, previousInput);
  if (wentDown(input.keySpace, previousInput.keySpace)) togglePause();
  if (!goesOn && playHere.isRunning()) backToLevelTool();
}

void testApp::updatePlayFromHere() {
  if (editorMode != GAME_TEST) playHere.stop();  // F1 or Escape left the run
  if (!codeWentDown(input, previousInput, 'g')) return;
  if (editorMode == GAME_TEST && playHere.isRunning()) {
    backToLevelTool();
  } else if (editorMode == LEVEL_TOOL) {
    if (!playHere.start(game, editData, levelTool, input)) {
      status.show("no level to fly");
      return;
    }
    editorMode = GAME_TEST;
    noLevelToFly = false;
    ofHideCursor();
  }
}

void testApp::backToLevelTool() {
  playHere.stop();
  editorMode = LEVEL_TOOL;
  ofShowCursor();
}

// From either tool: the places are places of levels.
void testApp::goToFinding(const editor::Finding& finding) {
  if (finding.level < 0) return;
  showFinding(finding, editData, levelTool, ofGetWidth(), ofGetHeight());
  editorMode = LEVEL_TOOL;
}

void testApp::drawEditingAids() {
  if (editorMode == GAME_TEST && game.paused) drawGameTestPaused();
  help.draw(editorMode);
  if (checksList.isOpen()) checksList.draw();
}
