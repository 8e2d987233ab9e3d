#include "shell/EditingState.h"

#include <string>

#include "editors/EditorCommon.h"
#include "framework/ofAppRunner.h"
#include "framework/ofGraphics.h"
#include "framework/ofLog.h"
#include "framework/ofTrueTypeFont.h"
#include "platform/WritableData.h"

namespace {
// Longer than other messages: it is said once, on entering.
constexpr int recoveryHintMs = 10000;
constexpr int KEY_CTRL_S = 19, KEY_CTRL_L = 12, KEY_CTRL_N = 14, KEY_CTRL_D = 4;
constexpr int KEY_CTRL_E = 5, KEY_CTRL_B = 2;
}  // namespace

EditingState::EditingState(const Parts& parts) : parts(parts) {}

void EditingState::enter() {
  if (!editSetOpened) openEditSet();
  const std::string hint = editedFile.recoveryHint();
  if (!hint.empty()) status.show(hint, recoveryHintMs);
  mode = LEVEL_TOOL;
}

void EditingState::openEditSet() {
  editedFile.saveInto(editorSaveFolder());
  const std::string trouble = editedFile.open(parts.data);
  if (!trouble.empty()) status.show(trouble);
  editSetOpened = true;
}

void EditingState::startGameTest() {
  noLevelToFly = !parts.game.start(parts.data);
  if (noLevelToFly) ofLog(OF_WARNING, "game test: the edited set has no level to fly");
}

bool EditingState::update() {
  const InputState& input = parts.input;
  const InputState& previous = parts.previous;
  autosave.update(editedFile, parts.data);
  if (leaveWithoutEdits) {
    leaveWithoutEdits = false;
    mode = GAME_TEST;
    return false;
  }
  // While a question is open nothing else moves; the window still draws.
  if (prompt.isOpen() || question.isOpen()) {
    prompt.pollTerminal();
    return true;
  }
  if (updateAids()) return true;  // the F3 list has the keys while it is open
  switch (mode) {
    case GAME_TEST: updateGameTest(); break;
    case LEVEL_TOOL: parts.levelTool.update(input, previous); break;
    case MODEL_TOOL: parts.modelTool.update(input, previous); break;
    default: break;
  }
  if (codeWentDown(input, previous, KEY_CTRL_S)) saveAsked();
  if (codeWentDown(input, previous, KEY_CTRL_E)) askSaveAs();
  if (codeWentDown(input, previous, KEY_CTRL_B)) startNewSet();
  if (codeWentDown(input, previous, KEY_CTRL_L)) askFileToLoad();
  // In the tools only: the game test flies a copy and keeps the keys.
  if (mode != GAME_TEST) history.update(input, previous, parts.data);
  if (wentDown(input.keyA, previous.keyA)) {
    smoothLines = !smoothLines;
    if (smoothLines) {
      ofEnableSmoothing();
    } else {
      ofDisableSmoothing();
    }
  }
  if (wentDown(input.keyEscape, previous.keyEscape)) {
    // A run flown from the level tool goes back there, as 'g' does.
    if (mode == GAME_TEST && playHere.isRunning()) {
      backToLevelTool();
      return true;
    }
    if (!readyToLeave()) return true;
    mode = GAME_TEST;
    return false;
  }
  return true;
}

void EditingState::draw() {
  switch (mode) {
    case GAME_TEST:
      if (noLevelToFly) {
        drawNoLevelToFly();
      } else {
        parts.game.draw(parts.input);
      }
      break;
    case LEVEL_TOOL: parts.levelTool.draw(parts.input); break;
    case MODEL_TOOL: parts.modelTool.draw(parts.input); break;
    default: break;
  }
  status.draw(editedFile.path(), editedFile.unsaved(parts.data));
  drawAids();  // over the status line, under a question
  prompt.draw();
  question.draw();
}

bool EditingState::questionTakes(int key) {
  return prompt.keyPressed(key) || question.keyPressed(key);
}

void EditingState::askFileToLoad() {
  prompt.ask("load file: ", [this](const std::string& name) {
    autosave.finish(editedFile);
    status.show(editedFile.load(parts.data, name));
    history.loaded(parts.data);
  });
}

// The checks run on every save: what they find is said, and saved anyway.
void EditingState::save(bool keepOutsideVersion) {
  autosave.finish(editedFile);
  const std::string kept = keepOutsideVersion ? editedFile.keepOutsideVersion() : "";
  status.show(editedFile.save(parts.data) + kept + problemsNote(parts.data));
}

void EditingState::saveAsked() {
  if (editedFile.isNew()) {
    askSaveAs();
    return;
  }
  if (!editedFile.changedOnDisk()) {
    save(false);
    return;
  }
  question.ask(editedFile.name() + " was changed on disk since it was loaded: o overwrite it "
               "(it is kept as a numbered copy), e save as, Esc cancel",
               {{'o', [this] { save(true); }}, {'e', [this] { askSaveAs(); }}});
}

void EditingState::askSaveAs() {
  prompt.ask("save as (a name, or a path with /): ", [this](const std::string& name) {
    autosave.finish(editedFile);
    status.show(editedFile.saveAs(parts.data, name) + problemsNote(parts.data));
  });
}

void EditingState::startNewSet() {
  autosave.finish(editedFile);
  status.show(editedFile.startNew(parts.data));
  history.loaded(parts.data);
}

bool EditingState::readyToLeave() {
  if (!editedFile.unsaved(parts.data)) return true;
  autosave.finish(editedFile);
  if (editedFile.writeRecovery(parts.data)) return true;
  question.ask("the unsaved edits could not be kept in a recovery copy (see the terminal): "
               "e save them elsewhere, l leave without them, Esc stay",
               {{'e', [this] { askSaveAs(); }}, {'l', [this] { leaveWithoutEdits = true; }}});
  return false;
}

// Said in the window, in the menu's colour, instead of the last run's picture.
void EditingState::drawNoLevelToFly() {
  ofTrueTypeFont& font = parts.font;
  const int w = ofGetWidth(), h = ofGetHeight();
  ofSetColor(255, 211, 0);
  auto centred = [&](const std::string& text, int y) {
    font.drawString(text, w / 2 - font.stringWidth(text) / 2, static_cast<float>(y));
  };
  centred("no level to fly", h / 2);
  centred("F1 -> level tool", h / 2 + 20);
}

void EditingState::switchTool() {
  mode += 1;
  if (mode == 3) {
    mode = GAME_TEST;
    startGameTest();
  }
  if (mode == GAME_TEST) {
    ofHideCursor();
  } else {
    ofShowCursor();
  }
}

void EditingState::keyPressed(int key) {
  if (listOpen()) return;  // its keys are its own
  const InputState& input = parts.input;
  if (wentDown(input.keyF1, parts.previous.keyF1)) switchTool();
  LevelData& data = parts.data;
  if (key == KEY_RIGHT) data.getCurrentModel().nextFrame();
  if (key == KEY_LEFT) data.getCurrentModel().prevFrame();
  const bool levels = mode == LEVEL_TOOL, models = mode == MODEL_TOOL;
  if (key == '>') {
    if (levels) data.nextLevel();
    if (models) data.nextModel();
  }
  if (key == '<') {
    if (levels) data.prevLevel();
    if (models) data.prevModel();
  }
  if (key == KEY_CTRL_N) {
    if (levels) data.addLevel();
    if (models) data.addModel();
  }
  if (key == KEY_CTRL_D) {
    if (levels) data.removeLevel();
    if (models) data.removeModel();
  }
  // F9 held until the key repeats: the flag was set at the last update too.
  if (input.keyF9 && parts.previous.keyF9) parts.resetFlightDefaults();
}

void EditingState::forwardMouse(MouseEvent event, int button) {
  // The wheel comes as presses of buttons 3 (up) and 4 (down).
  const bool wheel = event == MouseEvent::pressed && (button == 3 || button == 4);
  if (wheel && mode == LEVEL_TOOL && !listOpen() && !prompt.isOpen()) {
    const float step = button == 3 ? LevelView::zoomStep : 1 / LevelView::zoomStep;
    parts.levelTool.zoomAround(editor::mouseOf(parts.input), step);
    return;
  }
  const bool pan = event == MouseEvent::dragged && button == 2;
  const bool click = event != MouseEvent::dragged && button == 0;
  if (!pan && !click) return;
  if (prompt.isOpen() && event == MouseEvent::pressed) return;  // no new gesture under a question
  if (listOpen() && event == MouseEvent::pressed) return;
  const InputState& input = parts.input;
  const InputState& previous = parts.previous;
  auto forward = [&](auto& tool) {
    if (pan) tool.pan(input, previous);
    if (click && event == MouseEvent::pressed) tool.mousePressed(input, previous);
    if (click && event == MouseEvent::released) tool.mouseReleased(input, previous);
  };
  if (mode == LEVEL_TOOL) forward(parts.levelTool);
  if (mode == MODEL_TOOL) forward(parts.modelTool);
}

void EditingState::keepUnsavedEdits() {
  autosave.finish(editedFile);
  if (!editSetOpened || !editedFile.unsaved(parts.data)) return;
  if (editedFile.writeRecovery(parts.data)) {
    ofLog(OF_WARNING, "the unsaved edits of %s are kept in %s: Ctrl+L recovered loads them",
          editedFile.path().c_str(), editedFile.recoveryPath().c_str());
  }
}
