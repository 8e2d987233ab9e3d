#pragma once
// Plays the real orvane binary as a user would: starts it in a scratch
// folder with a data/ folder of the test's choosing, on an X server of its
// own (so tests can run side by side), sends keys and mouse events with
// xdotool, reads pixels and takes screenshots, and watches the process end.

#include <sys/types.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "support/GlTestWindow.h"

// A screenshot of the game window, pixels top-left first.
struct Screenshot {
  int width = 0, height = 0;
  std::vector<Rgb> pixels;
  Rgb at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  // Pixels in the rectangle whose colour is within tolerance of c.
  int count(int x, int y, int w, int h, Rgb c, int tolerance = 40) const;
};

class GameProcess {
 public:
  // How the game starts when not as the build's own program from the scratch
  // folder: an installed copy, say, from an empty folder, as another user.
  struct Start {
    std::string program;  // "" for the build's own; relative: in the scratch folder
    std::string folder;   // the working folder, made empty inside the scratch folder
    // A user to run as ("" the test's own): root writes into any folder
    // whatever its permissions, so read-only data is tried as someone else.
    // The scratch folder is opened to that user, and the player's folders
    // in it (and HOME, there too) are made theirs.
    std::string user;
  };

  // dataSource: a folder copied to scratch/data, or "" for no data folder.
  // A data folder without fonts/ gets the game's shipped fonts beside it.
  explicit GameProcess(const std::string& dataSource, std::vector<std::string> args = {});
  // The same, with prepare(scratch folder) run before the game starts (to
  // remove or spoil files of the copied data folder).
  GameProcess(const std::string& dataSource, std::vector<std::string> args,
              const std::function<void(const std::string&)>& prepare,
              const std::vector<std::pair<std::string, std::string>>& environment = {});
  // Starts as start says, with no data folder copied: prepare(scratch folder)
  // lays out what the game should find.
  GameProcess(const Start& start, std::vector<std::string> args,
              const std::function<void(const std::string&)>& prepare,
              const std::vector<std::pair<std::string, std::string>>& environment = {});
  ~GameProcess();
  GameProcess(const GameProcess&) = delete;
  GameProcess& operator=(const GameProcess&) = delete;

  // Waits until the game's window exists and has been drawn; false on timeout.
  bool waitForWindow(int timeoutMs = 15000);
  // Presses and releases a key (xdotool names: "Return", "Escape", "ctrl+s").
  void key(const std::string& name);
  void keyDown(const std::string& name);
  void keyUp(const std::string& name);
  void mouseMove(int x, int y);
  void mouseDown(int button);
  void mouseUp(int button);
  // Resizes the window from outside, as a user dragging its border would.
  void resizeWindow(int width, int height);
  // Asks the window to close the way a window manager's close button does.
  void closeWindow();
  // Gives the keyboard to the game's window, or to a window of the test's
  // own beside it (opened on first use), as a player switching windows does.
  void focusGame();
  void focusOtherWindow();
  Screenshot screenshot() const;
  // Saves a PNG of the window (for the README).
  bool savePng(const std::string& path) const;
  // When ORVANE_SCREENSHOT_DIR is set, saves the window there as name.png
  // (the README's pictures are made this way).
  void keepScreenshot(const std::string& name) const;
  std::string title() const;
  // Sends the game a signal, as kill(1) or a terminal's Ctrl+C does.
  void sendSignal(int number) const;
  // Waits for the process to end; returns its exit status, or -1 on timeout
  // or a crash (a signal).
  int waitForExit(int timeoutMs = 10000);
  // Lets the game run for roughly this long (real time; the game's own clock).
  static void pause(int ms);
  // Waits until a screenshot shows condition, checking every 100 ms; false
  // after timeoutMs. A busy machine draws late: wait for what is shown.
  bool waitFor(const std::function<bool(const Screenshot&)>& condition, int timeoutMs);
  // Holds Enter on the title as a player does and waits for the run's HUD
  // (or its ship); false when no run started within timeoutMs.
  bool startRun(int timeoutMs = 8000);
  // What the game printed so far.
  std::string output() const;
  const std::string& folder() const { return scratch; }
  unsigned long window() const { return windowId; }

 private:
  void xdotool(const std::string& args) const;
  void startServer();
  void launch(std::vector<std::string> args,
              const std::vector<std::pair<std::string, std::string>>& environment);
  // Opens the scratch folder to start.user and gives them its player's
  // folders; false when there is no such user.
  bool handOverScratch();

  Start start;
  unsigned userId = 0, groupId = 0;
  std::string scratch;
  pid_t serverPid = -1;
  std::string displayName;
  struct _XDisplay* display = nullptr;
  pid_t pid = -1;
  bool exited = false;
  unsigned long windowId = 0;
  unsigned long otherWindowId = 0;
};

// The folder of test fixtures in the source tree.
std::string fixturePath(const std::string& name);
