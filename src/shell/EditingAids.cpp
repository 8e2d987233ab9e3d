// What the editing state adds around the tools: the F3 list of what to mend,
// the F2 keys, 'g' to fly from the level tool and back, and space to pause
// the game test.

#include "framework/ofAppRunner.h"
#include "framework/ofUtils.h"
#include "shell/EditingState.h"
#include "shell/RunPause.h"

namespace {
constexpr int KEY_F3 = 259, KEY_F5 = 261;
}  // namespace

bool EditingState::updateAids() {
  const InputState& input = parts.input;
  const InputState& previous = parts.previous;
  if (checksList.isOpen()) {
    if (const editor::Finding* chosen = checksList.update(input, previous)) goToFinding(*chosen);
    return true;
  }
  if (modelList.isOpen()) {
    const int chosen = modelList.update(input, previous);
    if (chosen >= 0) chooseModel(chosen);
    return true;
  }
  const bool inTool = mode == LEVEL_TOOL || mode == MODEL_TOOL;
  if (inTool && codeWentDown(input, previous, KEY_F3)) {
    checksList.open(parts.data);
    return true;
  }
  if (inTool && codeWentDown(input, previous, KEY_F5)) {
    openModelList();
    return true;
  }
  help.update(input, previous);
  if (mode != GAME_TEST) historyList.update(input, previous);
  updatePlayFromHere();
  // A pause belongs to the game test it was made in: leaving the test (F1,
  // 'g', Escape) resumes it, so that no later run starts paused.
  const bool leaving = mode != GAME_TEST || wentDown(input.keyEscape, previous.keyEscape);
  if (parts.game.paused && leaving) setRunPaused(parts.game, false);
  return false;
}

// As in a game, space pauses; only a run started with 'g' returns at its end.
void EditingState::updateGameTest() {
  if (noLevelToFly) return;
  Game& game = parts.game;
  const bool goesOn = game.update(parts.input, parts.previous);
  if (wentDown(parts.input.keySpace, parts.previous.keySpace)) setRunPaused(game, !game.paused);
  if (!goesOn && playHere.isRunning()) backToLevelTool();
}

void EditingState::updatePlayFromHere() {
  if (mode != GAME_TEST) playHere.stop();  // F1 or Escape left the run
  if (!codeWentDown(parts.input, parts.previous, 'g')) return;
  if (mode == GAME_TEST && playHere.isRunning()) {
    backToLevelTool();
  } else if (mode == LEVEL_TOOL) {
    if (!playHere.start(parts.game, parts.data, parts.levelTool, parts.input)) {
      status.show("no level to fly");
      return;
    }
    mode = GAME_TEST;
    noLevelToFly = false;
    ofHideCursor();
  }
}

void EditingState::backToLevelTool() {
  playHere.stop();
  mode = LEVEL_TOOL;
  ofShowCursor();
}

// From either tool: the places are places of levels.
void EditingState::goToFinding(const editor::Finding& finding) {
  if (finding.level < 0) return;
  showFinding(finding, parts.data, parts.levelTool, ofGetWidth(), ofGetHeight());
  mode = LEVEL_TOOL;
}

void EditingState::openModelList() {
  std::vector<std::string> rows;
  for (const Model& model : parts.data.models) {
    const size_t frames = model.frames.size();
    rows.push_back(model.guid + "  (" + ofToString(static_cast<int>(frames)) +
                   (frames == 1 ? " frame)" : " frames)"));
  }
  // Said before the rows are handed over.
  const std::string title = rows.empty() ? "models: none yet (Ctrl+N in the modeling tool)" : "models";
  modelList.open(title, mode == LEVEL_TOOL ? "m and M place it" : "edit it", std::move(rows),
                 parts.data.currentModel, KEY_F5);
}

void EditingState::chooseModel(int index) {
  LevelData& data = parts.data;
  if (index < 0 || index >= static_cast<int>(data.models.size())) return;
  data.currentModel = index;
  status.show("model " + data.models[static_cast<size_t>(index)].guid +
              (mode == LEVEL_TOOL ? ": m and M place it" : ""));
}

bool EditingState::listOpen() const { return checksList.isOpen() || modelList.isOpen(); }

void EditingState::drawAids() {
  if (mode == GAME_TEST && parts.game.paused) drawGameTestPaused();
  help.draw(mode);
  if (mode != GAME_TEST) historyList.draw(history);
  if (checksList.isOpen()) checksList.draw();
  modelList.draw();
}
