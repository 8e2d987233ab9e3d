// Moving from one screen to another: what leaving a screen and entering
// the next mean, in one place.

#include "framework/ofAppRunner.h"
#include "shell/RunPause.h"
#include "shell/testApp.h"

namespace {
bool inRun(Screen screen) { return screen == Screen::game || screen == Screen::pause; }
}  // namespace

void testApp::enter(Screen next) {
  const Screen old = shown;
  if (next == old) return;
  leave(old, next);
  shown = next;
  arrive(old, next);
}

void testApp::leave(Screen old, Screen next) {
  if (old == Screen::scores) scoreScreen.leave(scores);
  if (old == Screen::editing) ofHideCursor();
  if (inRun(old) && !inRun(next)) closeRun();
}

// However a run ends (a restart too), the title's music comes back and
// nothing of the run's pause or help is left for the next one.
void testApp::closeRun() {
  game.paused = false;
  game.ownAudio.release();
  game.ownAudio.playSong("menu", true);
  game.ownAudio.resumeSong();
  runAssisted = false;
}

void testApp::arrive(Screen old, Screen next) {
  switch (next) {
    case Screen::pause: setRunPaused(game, true); break;
    case Screen::game:
      if (old == Screen::pause) setRunPaused(game, false);
      break;
    case Screen::loading: fade.restart(); break;
    case Screen::editing:
      editor.enter();
      ofShowCursor();
      break;
    default: break;
  }
}
