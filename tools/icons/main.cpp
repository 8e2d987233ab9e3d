// orvane_icons: draws the game's icon with the game's own drawing code and
// writes it as PNG files for the desktop.
//
//   orvane_icons LOGO_XML OUTDIR
//
// The icon is the first letter of the title logo, its O with the shadow,
// and inside it the logo's ship (its model "logo_ship", first frame), nose
// up. Written as OUTDIR/orvane-N.png for N 64, 128 and 256, each drawn at
// its own size (lines as wide as suits the size, not a scaled-down copy).
// Needs a display (under xvfb-run when there is none).

#include <GL/freeglut.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "PngFile.h"
#include "framework/ofAppGlutWindow.h"
#include "framework/ofAppRunner.h"
#include "framework/ofGraphics.h"
#include "framework/ofLog.h"
#include "framework/ofMath.h"
#include "framework/ofScreen.h"
#include "level/LevelData.h"

namespace fs = std::filesystem;

namespace {
const char* usage = "usage: orvane_icons LOGO_XML OUTDIR\n";
const int sizes[] = {64, 128, 256};
constexpr int canvas = 256;  // drawing units across the icon, whatever its size

// The box round the logo's O and its shadow (the title scene's letters are
// 60 by 80 from (22, 62), shadows 4 further right and down).
struct Box {
  float left, top, right, bottom;
  bool holds(const Wall& w) const {
    return w.x >= left && w.x <= right && w.z >= left && w.z <= right && w.y >= top &&
           w.y <= bottom && w.w >= top && w.w <= bottom;
  }
  ofxVec2f centre() const { return ofxVec2f((left + right) / 2, (top + bottom) / 2); }
};
const Box letterO{18, 58, 90, 150};

struct Icon {
  std::vector<Wall> letter;
  std::vector<Wall> ship;
};

ofxVec2f centreOf(const std::vector<Wall>& walls) {
  ofxVec2f sum(0, 0);
  for (const Wall& w : walls) sum += ofxVec2f(w.x + w.z, w.y + w.w);
  if (!walls.empty()) sum *= 1.0f / (2.0f * static_cast<float>(walls.size()));
  return sum;
}

// False (logged) when the logo lacks the letter or the ship.
bool pickIcon(const LevelData& logo, Icon& icon) {
  for (const Wall& w : logo.levels.front().walls) {
    if (letterO.holds(w)) icon.letter.push_back(w);
  }
  for (const Model& model : logo.models) {
    if (model.guid == "logo_ship" && !model.frames.empty()) icon.ship = model.frames.front().walls;
  }
  if (icon.letter.empty() || icon.ship.empty()) {
    ofLog(OF_ERROR, "the logo has no %s to draw the icon from",
          icon.letter.empty() ? "letter O" : "model logo_ship");
    return false;
  }
  return true;
}

void drawIcon(const Icon& icon, int size) {
  glViewport(0, 0, size, size);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  ofSetupScreen();  // canvas units over the viewport, whatever its size
  ofEnableAlphaBlending();
  ofEnableSmoothing();
  // Strokes a touch bolder than the title's, so the small sizes still read.
  ofSetLineWidth(static_cast<float>(size) / 48.0f + 1.0f);
  const float scale = canvas * 0.84f / (letterO.bottom - letterO.top);
  const ofxVec2f centre = letterO.centre();
  ofPushMatrix();
  ofTranslate(canvas / 2.0f, canvas / 2.0f, 0);
  ofScale(scale, scale, 1);
  ofTranslate(-centre.x, -centre.y, 0);
  for (const Wall& w : icon.letter) w.draw();
  // The ship in the hollow of the O (the letter's own middle, left of its
  // shadow), larger than on the title, climbing to the right (its first
  // frame points straight down).
  const ofxVec2f ship = centreOf(icon.ship);
  ofTranslate(centre.x - 2, centre.y - 2, 0);
  ofScale(2.4f, 2.4f, 1);
  ofRotate(205);
  ofTranslate(-ship.x, -ship.y, 0);
  for (const Wall& w : icon.ship) w.draw();
  ofPopMatrix();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs(usage, stderr);
    return 2;
  }
  // A relative name is taken from the current folder, as any command line
  // path is, not from the data folder.
  const std::string logoFile = fs::absolute(argv[1]).string();
  const std::string outDir = argv[2];
  // The flame flickers (a random opacity each frame): a fixed seed gives the
  // same icon every time.
  ofSeedRandom(1);
  LevelData logo{LevelData::Empty{}};
  if (!logo.load(logoFile)) return 1;  // load() has logged the file and why
  Icon icon;
  if (!logo.hasLevel() || !pickIcon(logo, icon)) return 1;
  std::error_code made;
  fs::create_directories(outDir, made);
  if (made || !fs::is_directory(outDir)) {
    ofLog(OF_ERROR, "could not make the folder %s: %s", outDir.c_str(),
          made ? made.message().c_str() : "a file of that name is in the way");
    return 1;
  }

  static ofAppGlutWindow window;
  ofSetupOpenGL(&window, canvas, canvas, OF_WINDOW);
  ofSetWindowTitle("Orvane icons");
  // freeglut insists on a display callback before it handles events.
  glutDisplayFunc([] {});
  for (int i = 0; i < 5; ++i) glutMainLoopEvent();

  for (const int size : sizes) {
    drawIcon(icon, size);
    const std::string path = (fs::path(outDir) / ("orvane-" + std::to_string(size) + ".png")).string();
    std::string error;
    if (!writePng(path, size, size, readBackBuffer(size, size), &error)) {
      ofLog(OF_ERROR, "could not write %s: %s", path.c_str(), error.c_str());
      return 1;
    }
    std::printf("%s\n", path.c_str());
  }
  return 0;
}
