// Orvane: opens the 530 by 370 window and runs the application in it.

#include <cstdio>
#include <cstring>

#include "framework/ofAppGlutWindow.h"
#include "framework/ofAppRunner.h"
#include "framework/ofLog.h"
#include "shell/TestPatternApp.h"
#include "shell/testApp.h"

namespace {
const char* usage =
    "Usage: orvane [options]\n"
    "Run from the folder that holds data/.\n"
    "\n"
    "Options:\n"
    "  --help              show this text and exit\n"
    "  --verbose           also print notices to the console\n"
    "  --frame-log FILE    append one line per displayed frame to FILE:\n"
    "                      frame number, wall-clock ms, process CPU ms\n"
    "  --test-pattern      show a test pattern instead of the game\n"
    "  --edit              start in the level editor (e on the title does too)\n"
    "  --level GUID        practise the level named GUID (l on the title lists\n"
    "                      the levels reached); the run ends at the title\n"
    "\n"
    "Editor keys (see README.md for the whole guide):\n"
    "  F1           cycle: game test -> level tool -> modeling tool\n"
    "  Ctrl+S       save the file being edited and a numbered copy\n"
    "  Ctrl+L       load a level file named in the window\n"
    "  > <          next / previous level or model\n"
    "  Ctrl+N       add a level or model     Ctrl+D  remove it\n"
    "  Left Right   previous / next frame of the current model\n"
    "  w e t + drag wall (solid, flickering, fading)  c + drag  zone\n"
    "  x + click    receiver   m / M + click  model (warping)   . + click  gravity point\n"
    "  Delete       delete what is under the mouse   right drag  pan\n"
    "  a            line smoothing   F9 (held)  flight defaults   Escape  leave\n";

struct Options {
  const char* frameLog = nullptr;
  bool verbose = false;
  bool testPattern = false;
  bool edit = false;
  const char* level = nullptr;
};

// Returns false (after printing why) when the program should stop at once.
bool parseOptions(int argc, char** argv, Options& options, int& status) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0) {
      std::fputs(usage, stdout);
      status = 0;
      return false;
    }
    if (std::strcmp(argv[i], "--verbose") == 0) {
      options.verbose = true;
    } else if (std::strcmp(argv[i], "--test-pattern") == 0) {
      options.testPattern = true;
    } else if (std::strcmp(argv[i], "--edit") == 0) {
      options.edit = true;
    } else if (std::strcmp(argv[i], "--frame-log") == 0 && i + 1 < argc) {
      options.frameLog = argv[++i];
    } else if (std::strcmp(argv[i], "--level") == 0 && i + 1 < argc) {
      options.level = argv[++i];
    } else {
      std::fprintf(stderr, "orvane: unknown option '%s'\n\n%s", argv[i], usage);
      status = 2;
      return false;
    }
  }
  return true;
}
}  // namespace

int main(int argc, char** argv) {
  Options options;
  int status = 0;
  if (!parseOptions(argc, argv, options, status)) return status;
  if (options.verbose) ofSetLogLevel(OF_NOTICE);
  if (options.frameLog) {
    std::FILE* log = std::fopen(options.frameLog, "w");
    if (!log) {
      ofLog(OF_ERROR, "could not open frame log %s", options.frameLog);
    }
    ofAppGlutWindow::setFrameLog(log);
  }

  static ofAppGlutWindow window;
  ofSetupOpenGL(&window, 530, 370, OF_WINDOW);
  if (options.testPattern) {
    ofRunApp(new TestPatternApp());
  } else {
    auto* app = new testApp();
    app->editOnStart = options.edit;
    if (options.level) app->levelOnStart = options.level;
    ofRunApp(app);
  }
  return 0;
}
