#include "framework/ofAppGlutWindow.h"

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/XKBlib.h>
#include <sys/prctl.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "framework/ofAppRunner.h"
#include "framework/ofBaseApp.h"
#include "framework/ofClock.h"
#include "framework/ofGraphics.h"
#include "framework/ofKeyboardLayout.h"
#include "framework/ofLog.h"
#include "framework/ofScreen.h"
#include "framework/ofStopSignals.h"
#include "framework/ofWindowFocus.h"
#include "framework/ofWindowScale.h"

namespace {
struct RunnerState {
  ofBaseApp* app = nullptr;
  int windowMode = OF_WINDOW;
  bool modeChanged = true;
  // The screen asked for (in screen pixels), the scale it is shown at and
  // the window's size now (in window pixels).
  ofWindowScale view;
  // The scale asked for, and what the display made of it.
  int askedScale = 1;
  ofScaleFit fit;
  int savedX = -1, savedY = -1;
  bool setupScreen = true;
  std::FILE* frameLog = nullptr;
  ofFrameLoop loop;
  ofWindowFocusWatch focus;
};

RunnerState state;
ofEventRouter router(state.app, state.loop, &state.view);

double millisOf(clockid_t clock) {
  timespec ts{};
  clock_gettime(clock, &ts);
  return ts.tv_sec * 1000.0 + ts.tv_nsec / 1.0e6;
}

void logFrame() {
  if (!state.frameLog) return;
  std::fprintf(state.frameLog, "%d %.3f %.3f\n", state.loop.frameNum,
               millisOf(CLOCK_MONOTONIC), millisOf(CLOCK_PROCESS_CPUTIME_ID));
  std::fflush(state.frameLog);
}

void applyWindowMode() {
  if (state.windowMode == OF_GAME_MODE || !state.modeChanged) return;
  state.view.fullscreen = state.windowMode == OF_FULLSCREEN;
  if (state.view.fullscreen) {
    state.savedX = glutGet(GLUT_WINDOW_X);
    state.savedY = glutGet(GLUT_WINDOW_Y);
    glutFullScreen();
  } else {
    glutLeaveFullScreen();
    glutReshapeWindow(state.view.wantedWidth(), state.view.wantedHeight());
    if (state.loop.frameNum > 0) glutPositionWindow(state.savedX, state.savedY);
  }
  state.modeChanged = false;
}

// Clears the window and leaves GL drawing into the part that shows the
// screen: all of it in a window; full screen, the centred area, with the
// borders around it cleared black whatever the background, and drawing
// that strays off the screen (a shake) cut off at its edge.
void prepareFrame() {
  const ofWindowScale& view = state.view;
  const ofWindowScale::Area a = view.area();
  const bool letterboxed = a.width != view.windowWidth || a.height != view.windowHeight;
  ofFlushDrawing();
  if (letterboxed) {
    glViewport(0, 0, view.windowWidth, view.windowHeight);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
  }
  // GL counts rows from the bottom.
  const int bottom = view.windowHeight - a.y - a.height;
  const int height = a.height > 0 ? a.height : 1;
  glViewport(a.x, bottom, a.width, height);
  glScissor(a.x, bottom, a.width, height);
  if (letterboxed) glEnable(GL_SCISSOR_TEST);
  const float* bg = ofGetBackground();
  glClearColor(bg[0], bg[1], bg[2], bg[3]);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  ofSetPixelScale(view.factor());
}

// The asked scale, lowered when its window would not fit the display (its
// size is known once GLUT has started).
void fitScaleToDisplay() {
  state.fit = ofFitWindowScale(state.askedScale, state.view.screenWidth, state.view.screenHeight,
                               glutGet(GLUT_SCREEN_WIDTH), glutGet(GLUT_SCREEN_HEIGHT));
  state.view.setScale(state.fit.scale);
}

void display() {
  applyWindowMode();
  prepareFrame();
  if (state.setupScreen) ofSetupScreen();
  if (state.app) state.app->draw();
  ofFlushDrawing();
  glDisable(GL_SCISSOR_TEST);
  // The picture is finished before the wait, so that the swap shows it at
  // once when the frame is due.
  glFinish();
  state.loop.waitToShow();
  glutSwapBuffers();
  state.loop.frameDisplayed(ofGetElapsedTimeSeconds());
  logFrame();
}

void idle() {
  state.loop.waitForNextFrame();
  // Asked to stop: ended as closing the window ends it, through exit.
  if (const int signal = ofStopSignal()) {
    ofLog(OF_NOTICE, "stopping: signal %d", signal);
    std::exit(128 + signal);
  }
  // Losses since the last frame are one: there is nothing more to let go.
  if (state.focus.lossesSinceLastPoll() > 0) router.windowFocusLost();
  if (state.app) state.app->update();
  glutPostRedisplay();
}

void reshape(int width, int height) {
  state.view.windowWidth = width;
  state.view.windowHeight = height;
  if (state.app) state.app->windowResized(ofGetWidth(), ofGetHeight());
}

void keyDown(unsigned char key, int, int) { router.keyboard(key, true); }
void keyUp(unsigned char key, int, int) { router.keyboard(key, false); }
void specialDown(int key, int, int) { router.special(key, true); }
void specialUp(int key, int, int) { router.special(key, false); }
void mouse(int button, int buttonState, int x, int y) {
  router.mouseButton(button, buttonState == GLUT_DOWN, x, y);
}
void motion(int x, int y) { router.mouseMotion(x, y); }
void passiveMotion(int x, int y) { router.mousePassiveMotion(x, y); }
// Closing the window ends the process through exit, so the exit handler runs.
// The window is also closed while the program ends another way (a signal,
// Escape on the title): exit must not be called again then, which would
// replace the status the program is ending with.
void windowClosed() {
  if (!ofExitHandlerStarted()) std::exit(0);
}

// What the key callbacks need of the X server, once the window is open and
// its context current.
void watchKeyboard() {
  Display* display = glXGetCurrentDisplay();
  if (!display) return;
  // A held key then repeats as presses alone, not as a release and a press
  // each time, so that a repeat can be told from a new press.
  XkbSetDetectableAutoRepeat(display, True, nullptr);
  ofSetKeyboardLayout(ofReadKeyboardLayout(display));
  if (!state.focus.open(DisplayString(display), glXGetCurrentDrawable())) {
    ofLog(OF_WARNING, "cannot watch the window's keyboard focus: keys held when it goes stay held");
  }
}
}  // namespace

void ofAppGlutWindow::setupOpenGL(int width, int height, int mode) {
  // The frame limiter sleeps to a deadline; the kernel's default slack of
  // 50 microseconds on every wake-up would show as jitter in the period.
  prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
  int argc = 1;
  char name[] = "orvane";
  char* argv[] = {name, nullptr};
  glutInit(&argc, argv);
  glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_ALPHA | GLUT_DEPTH);
  state.windowMode = mode;
  state.modeChanged = true;
  if (mode == OF_GAME_MODE) {
    const std::string gameMode = std::to_string(width) + "x" + std::to_string(height) + ":32@60";
    glutGameModeString(gameMode.c_str());
    if (glutGameModeGet(GLUT_GAME_MODE_POSSIBLE) == 0) {
      ofLog(OF_ERROR, "game mode error: selected format (%s) not available \n", gameMode.c_str());
    }
    glutEnterGameMode();
  } else {
    state.view.screenWidth = width;
    state.view.screenHeight = height;
    fitScaleToDisplay();
    glutInitWindowSize(state.view.wantedWidth(), state.view.wantedHeight());
    glutCreateWindow("");
    ofSetupGraphicDefaults();
  }
  state.view.windowWidth = glutGet(GLUT_WINDOW_WIDTH);
  state.view.windowHeight = glutGet(GLUT_WINDOW_HEIGHT);
  watchKeyboard();
  // Game mode shows the screen on the whole display, one to one.
  if (mode == OF_GAME_MODE) {
    state.view.screenWidth = state.view.windowWidth;
    state.view.screenHeight = state.view.windowHeight;
  }
}

void ofAppGlutWindow::initializeWindow() {
  glutMouseFunc(mouse);
  glutMotionFunc(motion);
  glutPassiveMotionFunc(passiveMotion);
  glutIdleFunc(idle);
  glutDisplayFunc(display);
  glutKeyboardFunc(keyDown);
  glutKeyboardUpFunc(keyUp);
  glutSpecialFunc(specialDown);
  glutSpecialUpFunc(specialUp);
  glutReshapeFunc(reshape);
  glutCloseFunc(windowClosed);
}

void ofAppGlutWindow::runMainLoop(ofBaseApp* app) {
  state.app = app;
  ofCatchStopSignals();
  if (app) {
    app->setup();
    app->update();
  }
  glutMainLoop();
}

void ofAppGlutWindow::hideCursor() { glutSetCursor(GLUT_CURSOR_NONE); }
void ofAppGlutWindow::showCursor() { glutSetCursor(GLUT_CURSOR_LEFT_ARROW); }
void ofAppGlutWindow::setWindowPosition(int x, int y) { glutPositionWindow(x, y); }

// Full screen only keeps the size, for when full screen is left.
void ofAppGlutWindow::setWindowShape(int width, int height) {
  state.view.screenWidth = width;
  state.view.screenHeight = height;
  if (!state.view.fullscreen) glutReshapeWindow(state.view.wantedWidth(), state.view.wantedHeight());
}

void ofAppGlutWindow::setScale(int n) {
  const int before = state.view.scale;
  state.askedScale = n;
  state.view.setScale(n);
  // Before the window opens the scale only sets the size it opens at, and
  // the display's size is not known yet.
  const bool open = state.view.windowWidth > 0;
  if (!open) return;
  fitScaleToDisplay();
  if (state.view.scale != before && !state.view.fullscreen) {
    glutReshapeWindow(state.view.wantedWidth(), state.view.wantedHeight());
  }
}

ofScaleFit ofAppGlutWindow::scaleFit() { return state.fit; }

int ofAppGlutWindow::getFrameNum() { return state.loop.frameNum; }
float ofAppGlutWindow::getFrameRate() { return state.loop.frameRate; }
double ofAppGlutWindow::getLastFrameTime() { return state.loop.lastFrameTime; }

ofPoint ofAppGlutWindow::getWindowPosition() {
  return ofPoint(glutGet(GLUT_WINDOW_X), glutGet(GLUT_WINDOW_Y), 0);
}

ofPoint ofAppGlutWindow::getWindowSize() {
  return ofPoint(state.view.reportedWidth(), state.view.reportedHeight(), 0);
}

ofPoint ofAppGlutWindow::getScreenSize() {
  return ofPoint(glutGet(GLUT_SCREEN_WIDTH), glutGet(GLUT_SCREEN_HEIGHT), 0);
}

void ofAppGlutWindow::setFrameRate(float framesPerSecond) { state.loop.setFrameRate(framesPerSecond); }
void ofAppGlutWindow::setWindowTitle(const std::string& title) { glutSetWindowTitle(title.c_str()); }
int ofAppGlutWindow::getWindowMode() { return state.windowMode; }

void ofAppGlutWindow::setFullscreen(bool on) {
  if (state.windowMode == OF_GAME_MODE) return;
  const int wanted = on ? OF_FULLSCREEN : OF_WINDOW;
  if (state.windowMode != wanted) {
    state.windowMode = wanted;
    state.modeChanged = true;
  }
}

void ofAppGlutWindow::toggleFullscreen() {
  if (state.windowMode == OF_GAME_MODE) return;
  state.windowMode = 1 - state.windowMode;
  state.modeChanged = true;
}

void ofAppGlutWindow::enableSetupScreen() { state.setupScreen = true; }
void ofAppGlutWindow::disableSetupScreen() { state.setupScreen = false; }
void ofAppGlutWindow::setFrameLog(std::FILE* file) { state.frameLog = file; }
ofFrameLoop& ofAppGlutWindow::frameLoop() { return state.loop; }
