// The editing state: the keyboard and window belong to the game test, the
// level tool or the modeling tool; the application handles the keys common
// to all three and forwards the mouse to the tool of editorMode.

#include <string>

#include "framework/ofAppRunner.h"
#include "framework/ofGraphics.h"
#include "framework/ofLog.h"
#include "platform/WritableData.h"
#include "shell/testApp.h"

namespace {
// Longer than other messages: it is said once, on entering.
constexpr int recoveryHintMs = 10000;
}

void testApp::enterEditing() {
  // The levels are opened once; after that what is being edited, saved or
  // not, stays in memory until the program ends.
  if (!editSetOpened) openEditSet();
  const std::string hint = editedFile.recoveryHint();
  if (!hint.empty()) status.show(hint, recoveryHintMs);
  editing = true;
  editorMode = LEVEL_TOOL;
  ofShowCursor();
}

void testApp::openEditSet() {
  editedFile.saveInto(editorSaveFolder());
  const std::string trouble = editedFile.open(editData);
  if (!trouble.empty()) status.show(trouble);
  editSetOpened = true;
}

void testApp::startGameTest() {
  noLevelToFly = !game.start(editData);
  if (noLevelToFly) ofLog(OF_WARNING, "game test: the edited set has no level to fly");
}

void testApp::updateEditing() {
  // While a question is open nothing else moves; the window still draws.
  if (prompt.isOpen()) {
    prompt.pollTerminal();
    return;
  }
  if (updateEditingAids()) return;  // the F3 list has the keys while it is open
  switch (editorMode) {
    case GAME_TEST: updateGameTest(); break;
    case LEVEL_TOOL: levelTool.update(input, previousInput); break;
    case MODEL_TOOL: modelTool.update(input, previousInput); break;
    default: break;
  }
  if (codeWentDown(input, previousInput, 19)) {  // Ctrl+S: saves whatever the checks find
    status.show(editedFile.save(editData) + problemsNote(editData));
  }
  if (codeWentDown(input, previousInput, 12)) askFileToLoad();                       // Ctrl+L
  // In the tools only: the game test flies a copy and keeps the keys.
  if (editorMode != GAME_TEST) editHistory.update(input, previousInput, editData);
  if (wentDown(input.keyA, previousInput.keyA)) {
    smoothLines = !smoothLines;
    if (smoothLines) {
      ofEnableSmoothing();
    } else {
      ofDisableSmoothing();
    }
  }
  if (wentDown(input.keyEscape, previousInput.keyEscape)) {
    editorMode = GAME_TEST;
    editing = false;
    ofHideCursor();
  }
}

void testApp::drawEditing() {
  switch (editorMode) {
    case GAME_TEST:
      if (noLevelToFly) {
        drawNoLevelToFly();
      } else {
        game.draw(input);
      }
      break;
    case LEVEL_TOOL: levelTool.draw(input); break;
    case MODEL_TOOL: modelTool.draw(input); break;
    default: break;
  }
  status.draw(editedFile.path(), editedFile.unsaved(editData));
  drawEditingAids();  // over the status line, under a question
  prompt.draw();
}

void testApp::askFileToLoad() {
  prompt.ask("load file: ", [this](const std::string& name) {
    status.show(editedFile.load(editData, name));
    editHistory.loaded(editData);
  });
}

// Said in the window, in the menu's colour, instead of the last run's picture.
void testApp::drawNoLevelToFly() {
  const int w = ofGetWidth(), h = ofGetHeight();
  ofSetColor(255, 211, 0);
  auto centred = [&](const std::string& text, int y) {
    font.drawString(text, w / 2 - font.stringWidth(text) / 2, static_cast<float>(y));
  };
  centred("no level to fly", h / 2);
  centred("F1 -> level tool", h / 2 + 20);
}

// Runs on every key press event, so key repeat repeats all but F1.
void testApp::editingKeyPressed(int key) {
  if (checksList.isOpen()) return;  // its keys are its own
  if (wentDown(input.keyF1, previousInput.keyF1)) {
    editorMode += 1;
    if (editorMode == 3) {
      editorMode = GAME_TEST;
      startGameTest();
    }
    if (editorMode == GAME_TEST) {
      ofHideCursor();
    } else {
      ofShowCursor();
    }
  }
  if (key == 358) editData.getCurrentModel().nextFrame();
  if (key == 356) editData.getCurrentModel().prevFrame();
  const bool levels = editorMode == LEVEL_TOOL, models = editorMode == MODEL_TOOL;
  if (key == '>') {
    if (levels) editData.nextLevel();
    if (models) editData.nextModel();
  }
  if (key == '<') {
    if (levels) editData.prevLevel();
    if (models) editData.prevModel();
  }
  if (key == 14) {  // Ctrl+N
    if (levels) editData.addLevel();
    if (models) editData.addModel();
  }
  if (key == 4) {  // Ctrl+D
    if (levels) editData.removeLevel();
    if (models) editData.removeModel();
  }
  // F9 held until the key repeats: the flag was set at the last update too.
  if (input.keyF9 && previousInput.keyF9) resetFlightDefaults();
}

void testApp::forwardMouse(MouseEvent event, int button) {
  const bool pan = event == MouseEvent::dragged && button == 2;
  const bool click = event != MouseEvent::dragged && button == 0;
  if (!pan && !click) return;
  if (prompt.isOpen() && event == MouseEvent::pressed) return;  // no new gesture under a question
  if (checksList.isOpen() && event == MouseEvent::pressed) return;
  if (editorMode == LEVEL_TOOL) {
    if (pan) levelTool.pan(input, previousInput);
    if (click && event == MouseEvent::pressed) levelTool.mousePressed(input, previousInput);
    if (click && event == MouseEvent::released) levelTool.mouseReleased(input, previousInput);
  } else if (editorMode == MODEL_TOOL) {
    if (pan) modelTool.pan(input, previousInput);
    if (click && event == MouseEvent::pressed) modelTool.mousePressed(input, previousInput);
    if (click && event == MouseEvent::released) modelTool.mouseReleased(input, previousInput);
  }
}
