#pragma once
// The overlay over a paused run: the game darkened, "paused" and the keys
// that resume, quit, go back to the checkpoint and restart, as far as the
// run allows them. It fades in and out over ten drawn frames.

class Settings;
class ofTrueTypeFont;

class PauseOverlay {
 public:
  // What the paused run allows besides resuming and quitting.
  struct Offer {
    bool checkpoint = false;  // back to the last checkpoint
    bool restart = false;     // a new run, or the practised level again
    bool practice = false;    // the run is a practice run: the level restarts
  };

  // Advances the fade towards shown (paused) or hidden, then draws.
  void draw(ofTrueTypeFont& font, const Settings& settings, bool paused, const Offer& offer);

  float fade = 0;  // 0 hidden .. 1 shown
};
