// Orvane: opens the 530 by 370 window and runs the application in it.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "framework/ofAppGlutWindow.h"
#include "framework/ofAppRunner.h"
#include "framework/ofLog.h"
#include "framework/ofUtils.h"
#include "framework/ofWindowScale.h"
#include "platform/DataFolder.h"
#include "platform/Settings.h"
#include "shell/NoDataApp.h"
#include "shell/TestPatternApp.h"
#include "shell/testApp.h"

namespace {
const char* usage =
    "Usage: orvane [options]\n"
    "The data folder is the first that holds data.xml of: $ORVANE_DATA;\n"
    "data/ in the working folder; data/ beside the program;\n"
    "../share/orvane/data from the program.\n"
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
    "  --scale N           show the game N times larger, N from 1 to 4; a window\n"
    "                      too large for the display takes the largest that fits\n"
    "  --fullscreen        fill the screen (F11 switches while playing)\n"
    "                      The window's scale and full screen are remembered in\n"
    "                      the settings file, as F11 and these options leave them.\n"
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
  int scale = 0;  // 0: as the settings say
  bool fullscreen = false;
};

// A whole number from 1 to ofMaxWindowScale, else 0.
int scaleNamed(const char* text) {
  char* end = nullptr;
  const long n = std::strtol(text, &end, 10);
  return end != text && *end == '\0' && n >= 1 && n <= ofMaxWindowScale ? static_cast<int>(n) : 0;
}

// The options override the window the settings keep, and are kept in turn:
// a scale asks for a window unless --fullscreen is given too. True when
// that changed the settings.
bool chooseWindow(const Options& options, Settings& settings) {
  const Settings before = settings;
  if (options.scale) {
    settings.scale = options.scale;
    settings.fullscreen = options.fullscreen;
  }
  if (options.fullscreen) settings.fullscreen = true;
  return settings != before;
}

// What to tell the player when the window took a smaller scale than the
// one chosen, which did not fit the display; "" when it took that one.
// The choice stays as it was, for a larger display.
std::string scaleNotice(int chosen) {
  const ofScaleFit fit = ofAppGlutWindow::scaleFit();
  if (!fit.reduced) return "";
  return "scale " + std::to_string(chosen) + " does not fit this " +
         std::to_string(ofGetScreenWidth()) + " by " + std::to_string(ofGetScreenHeight()) +
         " display: the window is shown at scale " + std::to_string(fit.scale);
}

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
    } else if (std::strcmp(argv[i], "--fullscreen") == 0) {
      options.fullscreen = true;
    } else if (std::strcmp(argv[i], "--scale") == 0 && i + 1 < argc) {
      options.scale = scaleNamed(argv[++i]);
      if (options.scale == 0) {
        std::fprintf(stderr, "orvane: --scale takes a whole number from 1 to %d, not '%s'\n",
                     ofMaxWindowScale, argv[i]);
        status = 2;
        return false;
      }
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

  Settings settings;
  settings.load();
  if (chooseWindow(options, settings)) settings.save();
  static ofAppGlutWindow window;
  ofAppGlutWindow::setScale(settings.scale);
  ofSetupOpenGL(&window, 530, 370, settings.fullscreen ? OF_FULLSCREEN : OF_WINDOW);
  const std::string notice = scaleNotice(settings.scale);
  if (!notice.empty()) ofLog(OF_WARNING, "%s", notice.c_str());
  // The test pattern needs no data; the game looks for it before it loads.
  const DataFolderSearch data = options.testPattern ? DataFolderSearch() : searchDataFolder();
  if (!data.found.empty()) ofSetDataPathRoot(data.found);
  if (options.testPattern) {
    ofRunApp(new TestPatternApp());
  } else if (data.found.empty()) {
    const std::vector<std::string> lines = noDataFolderLines(data);
    for (const std::string& line : lines) std::fprintf(stderr, "%s\n", line.c_str());
    ofRunApp(new NoDataApp(lines));
  } else {
    auto* app = new testApp();
    app->settingsOnStart = settings;
    app->noticeOnStart = notice;
    app->editOnStart = options.edit;
    if (options.level) app->levelOnStart = options.level;
    ofRunApp(app);
  }
  return 0;
}
