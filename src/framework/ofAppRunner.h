#pragma once
// Program start-up and the free functions that reach the current window and
// application: size, frame counter, frame rate, title, cursor.

#include <string>

class ofAppBaseWindow;
class ofBaseApp;

// Stores window as the current window and opens it.
void ofSetupOpenGL(ofAppBaseWindow* window, int width, int height, int mode);
// Makes an already open window current again (nullptr: none), without
// opening it anew; tests switch between a real and a headless window.
void ofSetCurrentWindow(ofAppBaseWindow* window);
// Installs the exit handler, seeds the random generator, resets the clock and
// hands the application to the window's main loop, which does not return.
void ofRunApp(ofBaseApp* app);

// Registers a function the exit handler calls before the application's exit()
// (the sound system closes itself this way). At most a handful are kept.
void ofAddExitHook(void (*hook)());
// The exit handler itself, run once at process exit; exposed for tests.
void ofRunExitHandler();
// The exit handler has begun: the program is ending.
bool ofExitHandlerStarted();

ofBaseApp* ofGetAppPtr();
ofAppBaseWindow* ofGetWindowPtr();
int ofGetFrameNum();
float ofGetFrameRate();
double ofGetLastFrameTime();
void ofSetFrameRate(int framesPerSecond);
void ofHideCursor();
void ofShowCursor();
void ofSetWindowPosition(int x, int y);
void ofSetWindowShape(int width, int height);
int ofGetWindowPositionX();
int ofGetWindowPositionY();
int ofGetScreenWidth();
int ofGetScreenHeight();
// The current window size in pixels.
int ofGetWidth();
int ofGetHeight();
void ofSetWindowTitle(const std::string& title);
void ofEnableSetupScreen();
void ofDisableSetupScreen();
void ofToggleFullscreen();
void ofSetFullscreen(bool on);
int ofGetWindowMode();
// Turns vertical sync on or off where the GL driver lets us; otherwise nothing.
void ofSetVerticalSync(bool on);
