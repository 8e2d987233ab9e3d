#include "support/GlTestWindow.h"

#include <GL/freeglut.h>
#include <dlfcn.h>
#include <link.h>

#include <string>

#include <vector>

#include "framework/ofAppGlutWindow.h"
#include "framework/ofAppRunner.h"
#include "framework/ofGraphics.h"
#include "framework/ofScreen.h"

namespace {
// Keeps the GL driver mapped until the process is gone. At exit the display
// is closed and the driver unloaded, and what the driver still holds would
// then look like leaks of ours to LeakSanitizer; mapped, it stays reachable.
int keepDriverLoaded(dl_phdr_info* info, size_t, void*) {
  const std::string name = info->dlpi_name ? info->dlpi_name : "";
  if (name.find("_dri.so") != std::string::npos || name.find("libgallium") != std::string::npos) {
    dlopen(name.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
  }
  return 0;
}
}  // namespace

namespace GlTestWindow {

void ensure() {
  static ofAppGlutWindow* window = nullptr;
  if (window) {
    // A headless test may have left its own window current.
    ofSetCurrentWindow(window);
    return;
  }
  window = new ofAppGlutWindow();
  ofSetupOpenGL(window, 530, 370, 0);
  // freeglut insists on a display callback before it handles events.
  glutDisplayFunc([] {});
  // Let the server map the window before anything is read back.
  for (int i = 0; i < 5; ++i) glutMainLoopEvent();
  dl_iterate_phdr(keepDriverLoaded, nullptr);
}

void beginFrame() {
  ensure();
  glViewport(0, 0, ofGetWidth(), ofGetHeight());
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  ofSetupScreen();
  ofSetColor(255, 255, 255);
}

Rgb pixel(int x, int y) {
  ofFlushDrawing();
  glFinish();
  glReadBuffer(GL_BACK);
  unsigned char p[4] = {};
  glReadPixels(x, ofGetHeight() - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
  return Rgb{p[0], p[1], p[2]};
}

int litPixels(int x, int y, int w, int h) {
  ofFlushDrawing();
  glFinish();
  glReadBuffer(GL_BACK);
  std::vector<unsigned char> p(static_cast<size_t>(w) * h * 4);
  glReadPixels(x, ofGetHeight() - y - h, w, h, GL_RGBA, GL_UNSIGNED_BYTE, p.data());
  int lit = 0;
  for (size_t i = 0; i < p.size(); i += 4) lit += (p[i] | p[i + 1] | p[i + 2]) ? 1 : 0;
  return lit;
}


std::vector<unsigned char> windowRgb() {
  ofFlushDrawing();
  std::vector<unsigned char> rgb(530 * 370 * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, 530, 370, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  return rgb;
}
}  // namespace GlTestWindow
