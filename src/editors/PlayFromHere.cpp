#include "editors/PlayFromHere.h"

#include "editors/EditorCommon.h"
#include "framework/ofAppRunner.h"
#include "framework/ofGraphics.h"

// The level tool shows the level shifted by its offset, so the point under
// the mouse is the mouse less the offset, whatever the game's own framing.
bool PlayFromHere::start(Game& game, const LevelData& data, const LevelTool& tool,
                         const InputState& input) {
  if (!game.start(data)) return false;
  game.pos = editor::mouseOf(input) - tool.offset;
  running = true;
  return true;
}

void drawGameTestPaused() {
  editor::drawBackdrop(150);
  ofSetColor(255, 211, 0);
  ofDrawBitmapString("paused - space resumes", static_cast<float>(ofGetWidth() / 2 - 88),
                     static_cast<float>(ofGetHeight() / 2));
}
