#include "game/Game.h"

#include <cmath>

#include "framework/XmlSettings.h"
#include "framework/ofAppRunner.h"
#include "framework/ofClock.h"
#include "framework/ofGraphics.h"
#include "framework/ofMath.h"
#include "framework/ofScreen.h"
#include "framework/ofUtils.h"
#include "game/Hull.h"

std::string playTimeText(float seconds) {
  // Times read from the high-score file may be any float, NaN included.
  const int s = ofTruncateToInt(seconds);
  return ofToString(s / 3600) + ":" + ofToString((s / 60) % 60) + ":" + ofToString(s % 60);
}

Game::Game() : levelData(&ownData), audio(&ownAudio) {
  placeHull(ofxVec2f(0, 0), 0, outline);
  XmlSettings xml;
  if (xml.loadFile("font.xml")) {
    const int size = xml.getAttribute("font", "size", 8, 1);
    const std::string file = xml.getAttribute("font", "file", "", 1);
    hudFont.loadFont(file, size, true, true, false);
  }
}

bool Game::start(const LevelData& data) {
  if (!data.hasLevel()) return false;
  ownData = data;
  levelData = &ownData;
  wallLayer.forget();
  // A pause belongs to the run it was made in.
  paused = false;
  reset();
  frameReport = FrameReport();
  frameReport.enteredLevel = true;
  reportState();
  return true;
}

void Game::reset() {
  finishing = false;
  playTime = 0;
  lastClock = ofGetElapsedTimeSeconds();
  dying = false;
  deathTime = 0;
  pos = startingPlace(levelData->getCurrentLevel());
  angle = 0;
  vel = ofxVec2f(0, 0);
  turnSpeed = 0;
  flame = 0;
  markLevel = "";
  markReceiver = "";
  markPlace.reset();
  checkpointCueStart = -1;
  fuel = 10;
  levelData->resetAnimations();
}

ofxVec2f Game::startingPlace(const Level& level) {
  ofxVec2f place(100, 100);
  for (const ModelRef& ref : level.modelRefs) {
    if (ref.guid == "spawner") place = ref.pos;
  }
  return place;
}

ofxVec2f Game::playAreaOrigin(int width, int height) {
  return ofxVec2f(static_cast<float>(width / 2 - 240), static_cast<float>(height / 2 - 160));
}

bool Game::update(const InputState& current, const InputState& previous) {
  frameReport = FrameReport();
  if (current.keyF) {
    vel = ofxVec2f(0, 0);
    fuel = 10;
    frameReport.helped = true;
  }
  const bool running = advance(current, previous);
  if (frameReport.reachedCheckpoint) cueCheckpoint();
  reportState();
  return running;
}

bool Game::advance(const InputState& current, const InputState& previous) {
  const float t = ofGetElapsedTimeSeconds();
  if (!paused && !finishing) playTime += t - lastClock;
  lastClock = t;
  frameReport.paused = paused;
  if (paused) return true;

  if (!dying && !finishing) fly(current, previous);
  updateDeath();
  levelData->update(true, false);
  const int ms = ofGetElapsedTimeMillis();
  updateEffects(ms);
  handleModelEvents(ms);

  if (finishing) {
    for (const ModelRef& ref : levelData->getCurrentLevel().modelRefs) {
      if (ref.guid != "grav_center") continue;
      const float a = std::atan2(pos.y - ref.pos.y, pos.x - ref.pos.x);
      pos.x -= 3 * std::cos(a);
      pos.y -= 3 * std::sin(a);
    }
    if (ofGetElapsedTimeMillis() - finishStart > 5500) return false;
  }
  return true;
}

void Game::draw(const InputState& /*current*/) {
  // The wall picture is taken in the back buffer, so before anything of the
  // frame is drawn. A shake moves the level by fractions of a pixel, where
  // the picture would not match: every wall is drawn then.
  const bool shaking = shakeAngle != 0 || shakeOffset.x != 0 || shakeOffset.y != 0;
  const bool layered = wallLayer.prepare(*levelData, shaking, [this] { setupLevelFrame(); });

  // The scene is dimmed, by a random amount each frame (calm mode holds it
  // at the middle of its range), as if a black layer were laid over it; on
  // the black background darkening every colour drawn looks the same and
  // spares the software renderer a blend over the whole window.
  const int dimming = calm ? 25 : static_cast<int>(ofRandom(0, 50));
  const float colorScale = (255 - dimming) / 255.0f;
  ofSetColorScale(colorScale);

  // A flash that has faded out covers nothing; filling the window with it
  // anyway would cost a whole-window blend every frame.
  const int alpha = static_cast<int>(calm ? flashAlpha / 4 : flashAlpha);
  if (alpha > 0) {
    ofSetColor(static_cast<int>(flashColor.r), static_cast<int>(flashColor.g),
               static_cast<int>(flashColor.b), alpha);
    ofFill();
    ofRect(-1, -1, static_cast<float>(ofGetWidth()), static_cast<float>(ofGetHeight()));
    ofNoFill();
  }

  drawHud();

  setupLevelFrame();
  if (layered) {
    wallLayer.draw(*levelData, colorScale);
  } else {
    levelData->draw(false);
  }
  drawCheckpointCue();
  if (drawBeforeShip) drawBeforeShip();
  drawShip();
  ofSetupScreen();
  ofSetColorScale(1);
}

void Game::moveToLevel(int index) {
  if (index != levelData->currentLevel) frameReport.enteredLevel = true;
  levelData->currentLevel = index;
}

void Game::reportState() {
  frameReport.levelGuid = levelData->getCurrentLevel().guid;
  frameReport.levelIndex = levelData->currentLevel;
  frameReport.playTime = playTime;
  frameReport.position = pos;
  frameReport.heading = angle;
}

void Game::setupLevelFrame() {
  ofSetupScreen();
  ofRotate(shakeAngle);
  const ofxVec2f origin = playAreaOrigin(ofGetWidth(), ofGetHeight());
  ofTranslate(origin.x, origin.y, 0);
  ofTranslate(shakeOffset.x, shakeOffset.y, 0);
}

void Game::drawHud() {
  ofSetColor(20, 205, 220);
  hudFont.drawString("fuel: " + ofToString(static_cast<double>(fuel), 2), 10, 10);
  hudFont.drawString("time  " + playTimeText(playTime), static_cast<float>(ofGetWidth() / 2), 10);
}

// Changes the drawing "finishScale" counter: the ship shrinks once per drawn
// frame of the finish sequence.
void Game::drawShip() {
  ofTranslate(pos.x, pos.y, 0);
  if (finishing) {
    finishScale -= 0.01f;
    if (finishScale < 0) finishScale = 0;
    ofScale(finishScale, finishScale, 1);
  }
  if (dying) return;
  // A dark rim a few pixels round the hull keeps the ship apart from the
  // lines under it (hint lettering, walls flown past before a checkpoint).
  ofFill();
  ofSetColor(0, 0, 0);
  const float rim = 1.5f;
  ofTriangle(outline[0].x * rim, outline[0].y * rim, outline[1].x * rim, outline[1].y * rim,
             outline[2].x * rim, outline[2].y * rim);
  ofNoFill();
  ofSetColor(108, 140, 255);
  ofTriangle(outline[0].x, outline[0].y, outline[1].x, outline[1].y, outline[2].x, outline[2].y);
  ofRotate(angle);
  ofLine(0, -2, 0, 2);
  ofLine(-2, 0, 2, 0);
  ofSetColor(255, 0, 0, flame);
  ofRect(-3, 6, 7, 2);
}

void Game::faceMarkedDirection() {
  if (markDir == "u") {
    angle = 0;
  } else if (markDir == "r") {
    angle = 90;
  } else if (markDir == "l") {
    angle = -90;
  } else if (markDir == "d") {
    angle = 180;
  }
}
