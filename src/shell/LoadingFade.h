#pragma once
// The fade to black that leads from the title or the level list into a
// run, and out again over the run's first frames, with "Loading..." while
// it darkens.

class ofTrueTypeFont;

class LoadingFade {
 public:
  // (Again) from clear: Enter held on the title restarts it every frame.
  void restart() { alpha = 0; }
  // One frame, darkening while loading and clearing otherwise; true in the
  // frame the screen has gone fully dark.
  bool step(bool loading);
  void draw(ofTrueTypeFont& font, bool loading) const;

  float alpha = 0;
};
