#include "framework/ofAppRunner.h"

#include <GL/glx.h>

#include <cstdlib>
#include <cstring>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

#include "framework/ofAppBaseWindow.h"
#include "framework/ofBaseApp.h"
#include "framework/ofClock.h"
#include "framework/ofLog.h"
#include "framework/ofMath.h"

namespace {
ofAppBaseWindow nullWindow;
ofAppBaseWindow* window = &nullWindow;
ofBaseApp* app = nullptr;

constexpr int maxExitHooks = 8;
void (*exitHooks[maxExitHooks])() = {};
int exitHookCount = 0;
bool exitHandlerRan = false;

void exitHandler() { ofRunExitHandler(); }
}  // namespace

void ofSetupOpenGL(ofAppBaseWindow* w, int width, int height, int mode) {
  window = w ? w : &nullWindow;
  window->setupOpenGL(width, height, mode);
}

void ofSetCurrentWindow(ofAppBaseWindow* w) { window = w ? w : &nullWindow; }

void ofRunApp(ofBaseApp* a) {
  app = a;
  if (app) {
    app->mouseX = 0;
    app->mouseY = 0;
  }
  std::atexit(exitHandler);
  window->initializeWindow();
  ofSeedRandom();
  ofResetElapsedTimeCounter();
  window->runMainLoop(app);
}

void ofAddExitHook(void (*hook)()) {
  for (int i = 0; i < exitHookCount; ++i) {
    if (exitHooks[i] == hook) return;
  }
  if (exitHookCount < maxExitHooks) exitHooks[exitHookCount++] = hook;
}

void ofRunExitHandler() {
  if (exitHandlerRan) return;
  exitHandlerRan = true;
  for (int i = 0; i < exitHookCount; ++i) exitHooks[i]();
  if (app) {
    app->exit();
    delete app;
    app = nullptr;
  }
  ofLog(OF_NOTICE, "exit handler: application closed");
#if defined(__SANITIZE_ADDRESS__)
  // Look for leaks now, while the GL driver is still loaded: once it is
  // unloaded at exit, what it allocated looks like the game's own leaks.
  __lsan_do_leak_check();
#endif
}

bool ofExitHandlerStarted() { return exitHandlerRan; }

ofBaseApp* ofGetAppPtr() { return app; }
ofAppBaseWindow* ofGetWindowPtr() { return window; }
int ofGetFrameNum() { return window->getFrameNum(); }
float ofGetFrameRate() { return window->getFrameRate(); }
double ofGetLastFrameTime() { return window->getLastFrameTime(); }
void ofSetFrameRate(int framesPerSecond) { window->setFrameRate(static_cast<float>(framesPerSecond)); }
void ofHideCursor() { window->hideCursor(); }
void ofShowCursor() { window->showCursor(); }
void ofSetWindowPosition(int x, int y) { window->setWindowPosition(x, y); }
void ofSetWindowShape(int width, int height) { window->setWindowShape(width, height); }
int ofGetWindowPositionX() { return static_cast<int>(window->getWindowPosition().x); }
int ofGetWindowPositionY() { return static_cast<int>(window->getWindowPosition().y); }
int ofGetScreenWidth() { return static_cast<int>(window->getScreenSize().x); }
int ofGetScreenHeight() { return static_cast<int>(window->getScreenSize().y); }
int ofGetWidth() { return static_cast<int>(window->getWindowSize().x); }
int ofGetHeight() { return static_cast<int>(window->getWindowSize().y); }
void ofSetWindowTitle(const std::string& title) { window->setWindowTitle(title); }
void ofEnableSetupScreen() { window->enableSetupScreen(); }
void ofDisableSetupScreen() { window->disableSetupScreen(); }
void ofToggleFullscreen() { window->toggleFullscreen(); }
void ofSetFullscreen(bool on) { window->setFullscreen(on); }
int ofGetWindowMode() { return window->getWindowMode(); }

void ofSetVerticalSync(bool on) {
  Display* display = glXGetCurrentDisplay();
  if (!display) return;
  const char* extensions = glXQueryExtensionsString(display, DefaultScreen(display));
  if (!extensions) return;
  const int interval = on ? 1 : 0;
  if (std::strstr(extensions, "GLX_EXT_swap_control")) {
    auto swapInterval = reinterpret_cast<void (*)(Display*, GLXDrawable, int)>(
        glXGetProcAddressARB(reinterpret_cast<const GLubyte*>("glXSwapIntervalEXT")));
    if (swapInterval) swapInterval(display, glXGetCurrentDrawable(), interval);
  } else if (std::strstr(extensions, "GLX_MESA_swap_control")) {
    auto swapInterval = reinterpret_cast<int (*)(unsigned)>(
        glXGetProcAddressARB(reinterpret_cast<const GLubyte*>("glXSwapIntervalMESA")));
    if (swapInterval) swapInterval(static_cast<unsigned>(interval));
  }
}
