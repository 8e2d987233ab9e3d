#include "support/PlayerHarness.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;

namespace {
// The first viewable top-level window: on a server of our own, the game's.
unsigned long findGameWindow(Display* d) {
  Window root, parent, *children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count)) return 0;
  unsigned long found = 0;
  for (unsigned i = 0; i < count && !found; ++i) {
    XWindowAttributes attributes;
    if (XGetWindowAttributes(d, children[i], &attributes) && attributes.map_state == IsViewable) {
      found = children[i];
    }
  }
  if (children) XFree(children);
  return found;
}

std::string shellQuote(const std::string& s) {
  std::string out = "'";
  for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}
}  // namespace

int Screenshot::count(int x, int y, int w, int h, Rgb c, int tolerance) const {
  int n = 0;
  for (int j = y; j < y + h && j < height; ++j) {
    for (int i = x; i < x + w && i < width; ++i) {
      const Rgb p = at(i, j);
      if (std::abs(p.r - c.r) <= tolerance && std::abs(p.g - c.g) <= tolerance &&
          std::abs(p.b - c.b) <= tolerance) {
        ++n;
      }
    }
  }
  return n;
}

void GameProcess::startServer() {
  int fds[2];
  if (pipe(fds) != 0) return;
  serverPid = fork();
  if (serverPid == 0) {
    close(fds[0]);
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    dup2(null, 2);
    const std::string fd = std::to_string(fds[1]);
    // -noreset: a server resetting as its last client leaves drops a client
    // that connects at that moment ("failed to open display", a broken pipe).
    // Large enough for the window at scale 2 (1060 by 740), whole on screen.
    execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24",
           "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  // The server writes its display number once it is ready for clients.
  std::string number;
  char c;
  while (read(fds[0], &c, 1) == 1 && c != '\n') number += c;
  close(fds[0]);
  if (number.empty()) return;
  displayName = ":" + number;
  display = XOpenDisplay(displayName.c_str());
}

GameProcess::GameProcess(const std::string& dataSource, std::vector<std::string> args)
    : GameProcess(dataSource, std::move(args), [](const std::string&) {}) {}

GameProcess::GameProcess(const std::string& dataSource, std::vector<std::string> args,
                         const std::function<void(const std::string&)>& prepare,
                         const std::vector<std::pair<std::string, std::string>>& environment) {
  char pattern[] = "/tmp/orvane-play-XXXXXX";
  scratch = mkdtemp(pattern);
  startServer();
  if (!dataSource.empty()) {
    fs::copy(dataSource, scratch + "/data", fs::copy_options::recursive);
    if (!fs::exists(scratch + "/data/fonts")) {
      fs::create_directory_symlink(std::string(ORVANE_SOURCE_DIR) + "/data/fonts",
                                   scratch + "/data/fonts");
    }
  }
  prepare(scratch);
  launch(std::move(args), environment);
}

GameProcess::GameProcess(const Start& how, std::vector<std::string> args,
                         const std::function<void(const std::string&)>& prepare,
                         const std::vector<std::pair<std::string, std::string>>& environment)
    : start(how) {
  char pattern[] = "/tmp/orvane-play-XXXXXX";
  scratch = mkdtemp(pattern);
  startServer();
  if (!start.folder.empty()) fs::create_directories(scratch + "/" + start.folder);
  prepare(scratch);
  if (!start.user.empty() && !handOverScratch()) {
    std::ofstream(scratch + "/output.log") << "no user " << start.user << " to run the game as\n";
    return;  // no game: waitForWindow says false
  }
  launch(std::move(args), environment);
}

bool GameProcess::handOverScratch() {
  const passwd* user = getpwnam(start.user.c_str());
  if (!user) return false;
  userId = user->pw_uid;
  groupId = user->pw_gid;
  // mkdtemp made the scratch folder the tester's alone.
  fs::permissions(scratch, fs::perms::group_read | fs::perms::group_exec | fs::perms::others_read |
                               fs::perms::others_exec,
                  fs::perm_options::add);
  for (const char* name : {"share", "config", "home"}) {
    const std::string folder = scratch + "/" + name;
    fs::create_directories(folder);
    bool given = chown(folder.c_str(), userId, groupId) == 0;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
      given = given && lchown(entry.path().c_str(), userId, groupId) == 0;
    }
    if (!given) return false;
  }
  return true;
}

void GameProcess::launch(std::vector<std::string> args,
                         const std::vector<std::pair<std::string, std::string>>& environment) {
  pid = fork();
  if (pid == 0) {
    setenv("DISPLAY", displayName.c_str(), 1);
    // The game plays its sounds through SDL's silent output, never the test
    // process's own sound file.
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    unsetenv("SDL_DISKAUDIOFILE");
    // The player's own files go to the scratch folder, never the tester's home.
    setenv("XDG_DATA_HOME", (scratch + "/share").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (scratch + "/config").c_str(), 1);
    // The tester's own choice of data folder is not the test's.
    unsetenv("ORVANE_DATA");
    if (!start.user.empty()) setenv("HOME", (scratch + "/home").c_str(), 1);
    for (const auto& [name, value] : environment) setenv(name.c_str(), value.c_str(), 1);
    const std::string folder = start.folder.empty() ? scratch : scratch + "/" + start.folder;
    if (chdir(folder.c_str()) != 0) _exit(126);
    const int out = open((scratch + "/output.log").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(out, 1);
    dup2(out, 2);
    const int in = open("/dev/null", O_RDONLY);
    dup2(in, 0);
    std::vector<char*> argv;
    std::string binary = start.program.empty() ? ORVANE_BINARY : start.program;
    if (binary[0] != '/') binary = scratch + "/" + binary;
    argv.push_back(binary.data());
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    if (!start.user.empty() &&
        (setgroups(0, nullptr) != 0 || setgid(groupId) != 0 || setuid(userId) != 0)) {
      _exit(125);
    }
    execv(binary.c_str(), argv.data());
    _exit(127);
  }
}

GameProcess::~GameProcess() {
  if (pid > 0 && !exited) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
  }
  if (display) XCloseDisplay(display);
  if (serverPid > 0) {
    kill(serverPid, SIGTERM);
    waitpid(serverPid, nullptr, 0);
  }
  std::error_code ignored;
  if (!std::getenv("ORVANE_KEEP_SCRATCH")) fs::remove_all(scratch, ignored);
}

bool GameProcess::waitFor(const std::function<bool(const Screenshot&)>& condition, int timeoutMs) {
  for (int waited = 0; waited <= timeoutMs; waited += 100) {
    if (condition(screenshot())) return true;
    pause(100);
  }
  return false;
}

bool GameProcess::startRun(int timeoutMs) {
  // The run needs Enter held through two of the game's frames, which a busy
  // machine or the sanitized build may take long over: hold it until the
  // title says "Loading..." (without a font there is no such word, and the
  // wait ends by its time).
  keyDown("Return");
  pause(150);
  waitFor([](const Screenshot& shot) { return shot.count(380, 328, 140, 18, Rgb{255, 211, 0}, 60) > 10; },
          3000);
  keyUp("Return");
  // The HUD's fuel and time along the top, or (without a font) the ship.
  return waitFor(
      [](const Screenshot& shot) {
        return shot.count(0, 0, 530, 16, Rgb{20, 205, 220}, 50) > 10 ||
               shot.count(0, 0, 530, 370, Rgb{108, 140, 255}, 40) > 10;
      },
      timeoutMs);
}

void GameProcess::pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

bool GameProcess::waitForWindow(int timeoutMs) {
  if (pid <= 0) return false;  // the game was never started
  for (int waited = 0; waited < timeoutMs; waited += 50) {
    windowId = display ? findGameWindow(display) : 0;
    if (windowId) {
      // GLUT leaves the placement to a window manager; a bare server puts the
      // window at (-1, -1), partly off screen. Place it as a manager would.
      XMoveWindow(display, windowId, 0, 0);
      XSync(display, False);
      pause(300);  // a few frames, so the first picture is on screen
      return true;
    }
    int status;
    if (waitpid(pid, &status, WNOHANG) == pid) {
      exited = true;
      return false;
    }
    pause(50);
  }
  return false;
}

void GameProcess::xdotool(const std::string& args) const {
  const std::string command = "DISPLAY=" + displayName + " xdotool " + args + " >/dev/null 2>&1";
  if (std::system(command.c_str()) != 0) {
    // A failed send shows up as a failed expectation on what the game did.
  }
}

void GameProcess::key(const std::string& name) {
  // Held for a few frames, as a finger does: a press and release between two
  // frames is never seen by the game.
  keyDown(name);
  pause(60);
  keyUp(name);
}

void GameProcess::keyDown(const std::string& name) {
  xdotool("keydown --window " + std::to_string(windowId) + " " + shellQuote(name));
}

void GameProcess::keyUp(const std::string& name) {
  xdotool("keyup --window " + std::to_string(windowId) + " " + shellQuote(name));
}

void GameProcess::mouseMove(int x, int y) {
  xdotool("mousemove --window " + std::to_string(windowId) + " " + std::to_string(x) + " " +
          std::to_string(y));
}

void GameProcess::mouseDown(int button) {
  xdotool("mousedown --window " + std::to_string(windowId) + " " + std::to_string(button));
}

void GameProcess::mouseUp(int button) {
  xdotool("mouseup --window " + std::to_string(windowId) + " " + std::to_string(button));
}

void GameProcess::resizeWindow(int width, int height) {
  XResizeWindow(display, windowId, static_cast<unsigned>(width), static_cast<unsigned>(height));
  XSync(display, False);
}

void GameProcess::closeWindow() {
  Display* d = display;
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = windowId;
  event.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(d, windowId, False, NoEventMask, &event);
  XFlush(d);
}

void GameProcess::focusGame() { xdotool("windowfocus --sync " + std::to_string(windowId)); }

void GameProcess::focusOtherWindow() {
  if (!otherWindowId) {
    otherWindowId =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 600, 0, 100, 100, 0, 0, 0);
    XMapWindow(display, otherWindowId);
    XSync(display, False);
  }
  xdotool("windowfocus --sync " + std::to_string(otherWindowId));
}

Screenshot GameProcess::screenshot() const {
  Screenshot shot;
  XWindowAttributes attributes;
  if (!windowId || !XGetWindowAttributes(display, windowId, &attributes)) return shot;
  // Read from the root window: the GL window's own visual need not match
  // what XGetImage can return for it.
  const Window root = DefaultRootWindow(display);
  int x = 0, y = 0;
  Window child;
  XTranslateCoordinates(display, windowId, root, 0, 0, &x, &y, &child);
  XImage* image = XGetImage(display, root, x, y, attributes.width, attributes.height,
                            AllPlanes, ZPixmap);
  if (!image) return shot;
  shot.width = attributes.width;
  shot.height = attributes.height;
  shot.pixels.reserve(static_cast<size_t>(shot.width) * shot.height);
  for (int y = 0; y < shot.height; ++y) {
    for (int x = 0; x < shot.width; ++x) {
      const unsigned long p = XGetPixel(image, x, y);
      shot.pixels.push_back(Rgb{static_cast<int>((p >> 16) & 0xFF),
                                static_cast<int>((p >> 8) & 0xFF), static_cast<int>(p & 0xFF)});
    }
  }
  XDestroyImage(image);
  return shot;
}

bool GameProcess::savePng(const std::string& path) const {
  const std::string command = "import -display " + displayName + " -window " + std::to_string(windowId) + " " +
                              shellQuote(path) + " >/dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}

void GameProcess::keepScreenshot(const std::string& name) const {
  if (const char* folder = std::getenv("ORVANE_SCREENSHOT_DIR")) {
    savePng(std::string(folder) + "/" + name + ".png");
  }
}

std::string GameProcess::title() const {
  char* name = nullptr;
  std::string result;
  if (windowId && XFetchName(display, windowId, &name) && name) {
    result = name;
    XFree(name);
  }
  return result;
}

void GameProcess::sendSignal(int number) const {
  if (pid > 0) kill(pid, number);
}

int GameProcess::waitForExit(int timeoutMs) {
  for (int waited = 0; waited <= timeoutMs; waited += 20) {
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) == pid) {
      exited = true;
      return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    pause(20);
  }
  return -1;
}

std::string GameProcess::output() const {
  std::ifstream in(scratch + "/output.log");
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string fixturePath(const std::string& name) {
  return std::string(ORVANE_SOURCE_DIR) + "/tests/fixtures/" + name;
}
