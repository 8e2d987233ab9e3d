#pragma once
// The application interface the window runner drives: setup once, then
// update and draw every frame with the input callbacks in between.

class ofBaseApp {
 public:
  virtual ~ofBaseApp() = default;
  virtual void setup() {}
  virtual void update() {}
  virtual void draw() {}
  virtual void exit() {}
  virtual void windowResized(int /*width*/, int /*height*/) {}
  // Ordinary keys arrive as their byte 0..255, special keys as GLUT code + 256.
  virtual void keyPressed(int /*key*/) {}
  virtual void keyReleased(int /*key*/) {}
  virtual void mouseMoved(int /*x*/, int /*y*/) {}
  virtual void mouseDragged(int /*x*/, int /*y*/, int /*button*/) {}
  virtual void mousePressed(int /*x*/, int /*y*/, int /*button*/) {}
  virtual void mouseReleased(int /*x*/, int /*y*/, int /*button*/) {}
  // Delivered right after the three-argument form.
  virtual void mouseReleased() {}
  // The window lost the keyboard (another window took it): the releases of
  // the keys and buttons held now go elsewhere, so let go of them here.
  // Delivered before the next update.
  virtual void windowFocusLost() {}

  int mouseX = 0;
  int mouseY = 0;
};
