// The editing state: the keyboard and window belong to the game test, the
// level tool or the modeling tool; the application handles the keys common
// to all three and forwards the mouse to the tool of editorMode.

#include <string>

#include "framework/ofAppRunner.h"
#include "framework/ofGraphics.h"
#include "framework/ofLog.h"
#include "shell/testApp.h"

namespace {
enum EditorMode { GAME_TEST = 0, LEVEL_TOOL = 1, MODEL_TOOL = 2 };
}

void testApp::enterEditing() {
  // The levels are opened once; after that what is being edited, saved or
  // not, stays in memory until the program ends.
  if (!editSetOpened) openEditSet();
  editing = true;
  editorMode = LEVEL_TOOL;
  ofShowCursor();
}

void testApp::openEditSet() {
  // Open on the game's own levels: a save right away must not replace
  // data.xml with an empty set.
  if (!editData.load("data.xml")) {
    editData = LevelData();
    ofLog(OF_WARNING, "editing a fresh level set");
  }
  editSetOpened = true;
}

void testApp::startGameTest() {
  noLevelToFly = !game.start(editData);
  if (noLevelToFly) ofLog(OF_WARNING, "game test: the edited set has no level to fly");
}

void testApp::updateEditing() {
  switch (editorMode) {
    case GAME_TEST:
      if (!noLevelToFly) game.update(input, previousInput);
      break;
    case LEVEL_TOOL: levelTool.update(input, previousInput); break;
    case MODEL_TOOL: modelTool.update(input, previousInput); break;
    default: break;
  }
  if (codeWentDown(input, previousInput, 19)) editData.save();          // Ctrl+S
  if (codeWentDown(input, previousInput, 12)) editData.loadFromConsole();  // Ctrl+L
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
