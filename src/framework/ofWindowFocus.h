#pragma once
// Tells the window runner when its window loses the keyboard, so that the
// keys and buttons held then, whose releases now go to another window, can
// be let go. freeglut has no focus callback: a connection of our own to the
// X server watches the window's focus events.

struct _XDisplay;

class ofWindowFocusWatch {
 public:
  ofWindowFocusWatch() = default;
  ofWindowFocusWatch(const ofWindowFocusWatch&) = delete;
  ofWindowFocusWatch& operator=(const ofWindowFocusWatch&) = delete;

  // Watches the X window on the server named as DisplayString names it;
  // false when the server or the window cannot be reached.
  bool open(const char* displayName, unsigned long window);
  // Closing talks to the server, so it is not left to a destructor: the
  // runner's watch ends with the process, whose end may come from the
  // server having gone, when a last exchange would end it a second time.
  void close();
  // How many times the window lost the keyboard since the last call. Reads
  // only what has arrived: no round trip to the server, never blocks.
  int lossesSinceLastPoll();

 private:
  _XDisplay* display = nullptr;
};

// A FocusOut of this detail means the keyboard went elsewhere: not to a
// window inside this one (NotifyInferior), and not the pointer's window
// under PointerRoot focus (NotifyPointer).
bool ofFocusOutLosesKeyboard(int detail);
