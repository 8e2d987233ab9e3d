// orvane_level_pictures: draws every level of a level file the way the game
// draws it, in the game's own window, and writes one PNG per level.
//
//   orvane_level_pictures DATA_XML OUTDIR [--markers]
//
// Each picture is the whole 530 by 370 window with the 480 by 320 play area
// centred in it, as in a run but without the ship and the HUD, and is named
// OUTDIR/level-NN-<guid>.png with NN counted from 01 in file order. The
// level's number and guid are printed in the top-left margin. --markers adds
// what the level editor shows: zones, receivers, model references and
// gravity points. Needs a display (under xvfb-run when there is none).

#include <GL/freeglut.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "PngFile.h"
#include "framework/ofAppBaseWindow.h"
#include "framework/ofAppGlutWindow.h"
#include "framework/ofAppRunner.h"
#include "framework/ofGraphics.h"
#include "framework/ofLog.h"
#include "framework/ofMath.h"
#include "framework/ofScreen.h"
#include "level/LevelData.h"

namespace fs = std::filesystem;

namespace {
const char* usage = "usage: orvane_level_pictures DATA_XML OUTDIR [--markers]\n";

struct Options {
  std::string dataFile, outDir;
  bool markers = false;
};

bool parseOptions(int argc, char** argv, Options& options) {
  std::vector<std::string> paths;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--markers") == 0) {
      options.markers = true;
    } else if (argv[i][0] == '-' && argv[i][1] != '\0') {
      return false;
    } else {
      paths.push_back(argv[i]);
    }
  }
  if (paths.size() != 2) return false;
  options.dataFile = paths[0];
  options.outDir = paths[1];
  return true;
}

// A guid as a piece of a file name: anything but letters, digits, '-' and
// '_' becomes '_', so a guid can never reach outside OUTDIR.
std::string fileNamePart(const std::string& guid) {
  std::string out;
  for (char c : guid) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       c == '-' || c == '_';
    out += plain ? c : '_';
  }
  return out.empty() ? "unnamed" : out;
}

std::string twoDigits(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

// The current level as a frame of the game shows it, plus the label.
void drawFrame(const LevelData& data, bool markers, const std::string& label) {
  const int w = ofGetWidth(), h = ofGetHeight();
  glViewport(0, 0, w, h);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  ofSetupScreen();
  ofEnableAlphaBlending();
  ofNoFill();
  ofPushMatrix();
  // The same centring as a run: the play area sits 25 pixels in from the
  // top-left corner of the 530 by 370 window.
  ofTranslate(static_cast<float>(w / 2 - 240), static_cast<float>(h / 2 - 160), 0);
  data.draw(markers);
  ofPopMatrix();
  ofSetColor(170, 170, 170);
  ofDrawBitmapString(label, 6, 17);
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!parseOptions(argc, argv, options)) {
    std::fputs(usage, stderr);
    return 2;
  }
  // A relative name is taken from the current folder, as any command line
  // path is, not from data/ as the game's own loaders would.
  const std::string dataFile = fs::absolute(options.dataFile).string();

  // Flickering walls draw a random opacity each frame and fading walls start
  // at a random one: a fixed seed gives the same pictures every time.
  ofSeedRandom(1);
  LevelData data{LevelData::Empty{}};
  if (!data.load(dataFile)) return 1;  // load() has logged the file and why
  if (!data.hasLevel()) {
    ofLog(OF_ERROR, "%s holds no levels: no pictures written", dataFile.c_str());
    return 1;
  }
  std::error_code made;
  fs::create_directories(options.outDir, made);
  if (made || !fs::is_directory(options.outDir)) {
    ofLog(OF_ERROR, "could not make the folder %s: %s", options.outDir.c_str(),
          made ? made.message().c_str() : "a file of that name is in the way");
    return 1;
  }

  static ofAppGlutWindow window;
  ofSetupOpenGL(&window, 530, 370, OF_WINDOW);
  ofSetWindowTitle("Orvane level pictures");
  // freeglut insists on a display callback before it handles events.
  glutDisplayFunc([] {});
  // Let the server map the window before anything is read back.
  for (int i = 0; i < 5; ++i) glutMainLoopEvent();

  const int count = static_cast<int>(data.levels.size());
  for (int l = 0; l < count; ++l) {
    data.currentLevel = l;
    data.resetAnimations();
    const Level& level = data.levels[l];
    const std::string number = twoDigits(l + 1);
    drawFrame(data, options.markers,
              "level " + std::to_string(l + 1) + "/" + std::to_string(count) + "  " + level.guid);
    const int w = ofGetWidth(), h = ofGetHeight();
    const std::string path =
        (fs::path(options.outDir) / ("level-" + number + "-" + fileNamePart(level.guid) + ".png")).string();
    std::string error;
    if (!writePng(path, w, h, readBackBuffer(w, h), &error)) {
      ofLog(OF_ERROR, "could not write %s: %s", path.c_str(), error.c_str());
      return 1;
    }
    std::printf("%s\n", path.c_str());
  }
  return 0;
}
