#include "editors/PlayFromHere.h"

#include "editors/EditorCommon.h"
#include "framework/ofAppRunner.h"
#include "framework/ofGraphics.h"

// The level tool shows the level where the game does when it is not
// panned, so the ship then starts right under the mouse.
bool PlayFromHere::start(Game& game, const LevelData& data, const LevelTool& tool,
                         const InputState& input) {
  if (!game.start(data)) return false;
  game.pos = tool.levelPoint(editor::mouseOf(input));
  running = true;
  return true;
}

void drawGameTestPaused() {
  editor::drawBackdrop(150);
  ofSetColor(255, 211, 0);
  ofDrawBitmapString("paused - space resumes", static_cast<float>(ofGetWidth() / 2 - 88),
                     static_cast<float>(ofGetHeight() / 2));
}
