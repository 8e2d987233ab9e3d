#include "framework/ofWindowFocus.h"

#include <X11/Xlib.h>

namespace {
bool selectFailed = false;

int noteSelectFailed(Display*, XErrorEvent*) {
  selectFailed = true;
  return 0;
}
}  // namespace

bool ofWindowFocusWatch::open(const char* displayName, unsigned long window) {
  close();
  display = XOpenDisplay(displayName);
  if (!display) return false;
  // A window gone already would end the program through Xlib's default
  // error handler; the handler is the process's, so it is put back at once.
  selectFailed = false;
  XErrorHandler previous = XSetErrorHandler(noteSelectFailed);
  XSelectInput(display, window, FocusChangeMask);
  XSync(display, False);
  XSetErrorHandler(previous);
  if (selectFailed) close();
  return display != nullptr;
}

void ofWindowFocusWatch::close() {
  if (display) XCloseDisplay(display);
  display = nullptr;
}

int ofWindowFocusWatch::lossesSinceLastPoll() {
  if (!display) return 0;
  int losses = 0;
  while (XPending(display) > 0) {
    XEvent event;
    XNextEvent(display, &event);
    if (event.type == FocusOut && ofFocusOutLosesKeyboard(event.xfocus.detail)) ++losses;
  }
  return losses;
}

bool ofFocusOutLosesKeyboard(int detail) {
  return detail != NotifyInferior && detail != NotifyPointer;
}
