#pragma once
// The overlay over a paused run: the game darkened, "paused" and the keys
// that resume and quit. It fades in and out over ten drawn frames.

class Settings;
class ofTrueTypeFont;

class PauseOverlay {
 public:
  // Advances the fade towards shown (paused) or hidden, then draws.
  void draw(ofTrueTypeFont& font, const Settings& settings, bool paused);

  float fade = 0;  // 0 hidden .. 1 shown
};
