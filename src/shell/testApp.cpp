#include "shell/testApp.h"

#include <cstdlib>

#include "framework/XmlSettings.h"
#include "framework/ofAppRunner.h"
#include "framework/ofGraphics.h"
#include "framework/ofLog.h"
#include "framework/ofScreen.h"
#include "framework/ofUtils.h"

void testApp::setup() {
  ofSetWindowTitle("Orvane");
  ofNoFill();
  ofBackground(0, 0, 0);
  ofSetVerticalSync(false);
  ofSetFrameRate(60);
  ofSetColor(0, 255, 0);
  ofEnableAlphaBlending();
  smoothLines = false;
  ofHideCursor();
  fading = false;
  fadeAlpha = 0;
  editing = playing = scoreScreen = false;
  scores.clearNewMarks();
  blinkTime = 0;
  blinkOn = false;

  XmlSettings xml;
  if (xml.loadFile("font.xml")) {
    font.loadFont(xml.getAttribute("font", "file", "", 0), xml.getAttribute("font", "size", 8, 0));
  } else {
    ofLog(OF_ERROR, "could not load %s: %s", ofToDataPath("font.xml").c_str(), xml.lastError().c_str());
  }

  input.reset();
  previousInput = input;
  gamepad.open();
  levelTool = LevelTool();
  modelTool = ModelTool();
  editData = LevelData();
  levelTool.data = &editData;
  modelTool.data = &editData;
  levelTool.prompt = &prompt;
  modelTool.prompt = &prompt;
  game.start(editData);
  editorMode = 1;
  lineWidth = 1;
  resetFlightDefaults();
  pauseFade = 0;
  logoData.load("logo.xml");
  game.ownAudio.playSong("menu", true);
  scores.setDefaults();
  scores.load();
  progress.load();
  loadSettings();
  // The editors' game test flies no run of the journey: no ghost there.
  game.drawBeforeShip = [this] {
    if (playing) journey.drawGhost();
  };
  if (editOnStart) enterEditing();
  if (!levelOnStart.empty() && !editing) startPracticeFromOption();
}

void testApp::resetFlightDefaults() {
  lineWidth = 1;
  game.thrustPower = 0.04f;
  game.turnAccel = 1.0f;
  game.frictionFactor = 1.0f;
  game.turnDamping = 0.7f;
  game.gravityAccel = ofxVec2f(0, 0.01f);
}

void testApp::update() {
  // The pads' keys are pressed before anything reads input; a stick or A
  // means flight wherever a ship flies (a run or the editors' game test).
  gamepad.poll(input, editing ? editorMode == GAME_TEST : playing);
  if (ofGetWidth() != 530 || ofGetHeight() != 370) ofSetWindowShape(530, 370);
  game.ownAudio.update();
  if (editing) {
    updateEditing();
  } else {
    if (playing) {
      updateGame();
    } else if (choosingLevel) {
      updateLevelList();
    } else if (choosingKeys) {
      updateKeysScreen();
    } else if (scoreScreen) {
      updateScoreScreen();
    } else {
      updateTitle();
    }
    updateFade();
  }
  endFrame(input, previousInput);
}

void testApp::updateGame() {
  // The game stops the ship and fills the tank while F is held, paused or not.
  if (input.keyF) runAssisted = true;
  const bool running = game.update(input, previousInput);
  journey.update(game, input.keyF);
  if (!running) {
    game.ownAudio.release();
    game.ownAudio.playSong("menu", true);
    playing = false;
    if (!practiceLevel.empty()) {
      endPractice();
      return;
    }
    scoreScreen = true;
    recordRun();
  }
  if (wentDown(input.keyEscape, previousInput.keyEscape)) togglePause();
  if (wentDown(input.keySpace, previousInput.keySpace)) togglePause();
  if (game.paused && wentDown(input.keyQ, previousInput.keyQ)) {
    game.paused = false;
    playing = false;
    runAssisted = false;
    returnToMenuMusic();
    game.ownAudio.resumeSong();
    if (!practiceLevel.empty()) endPractice();
  }
}

void testApp::recordRun() {
  nameEntry.clear();
  // The rows typed into are this run's alone.
  scores.clearNewMarks();
  if (!runAssisted) {
    scores.insert(game.playTime, game.fuel, nameEntry.name());
    return;
  }
  ofLog(OF_NOTICE, "a run flown with F held is not entered in the high scores");
}

void testApp::togglePause() {
  game.paused = !game.paused;
  if (game.paused) {
    game.ownAudio.pauseSong();
  } else {
    game.ownAudio.resumeSong();
  }
}

void testApp::returnToMenuMusic() {
  game.ownAudio.release();
  game.ownAudio.playSong("menu", true);
}

void testApp::updateScoreScreen() {
  if (wentDown(input.keyEscape, previousInput.keyEscape)) {
    // A name typed but not yet written with Enter is not lost.
    if (nameTypedUnsaved) scores.save();
    nameTypedUnsaved = false;
    scoreScreen = false;
    scores.clearNewMarks();
    runAssisted = false;
  }
  if (wentDown(input.keyEnter, previousInput.keyEnter)) {
    scores.save();
    nameTypedUnsaved = false;
  }
}

void testApp::updateTitle() {
  logoData.update(true, false);
  // Enter held through two updates, not a went-down test.
  if (input.lastKey == 13 && previousInput.lastKey == 13) {
    fading = true;
    fadeAlpha = 0;
  }
  // Once the fade to a run is under way, the run is what comes next.
  if (!fading) {
    if (wentDown(input.keyS, previousInput.keyS)) scoreScreen = true;
    if (wentDown(input.keyE, previousInput.keyE)) enterEditing();
    updateTitleSwitches();
  }
  if (wentDown(input.keyEscape, previousInput.keyEscape)) std::exit(0);
}

void testApp::updateFade() {
  if (fading) {
    fadeAlpha += 5;
  } else {
    fadeAlpha -= 10;
    if (fadeAlpha < 0) fadeAlpha = 0;
  }
  if (fading && fadeAlpha > 255) {
    fading = false;
    playing = practiceLevel.empty() ? startRun() : startPracticeRun(practiceLevel);
  }
}

bool testApp::startRun() {
  // A run plays the saved levels; the ones being edited stay as they are.
  LevelData saved{LevelData::Empty{}};
  if (!saved.load("data.xml")) {
    ofLog(OF_ERROR, "cannot start a run without %s", ofToDataPath("data.xml").c_str());
    return false;
  }
  if (!game.start(saved)) {
    ofLog(OF_ERROR, "cannot start a run: %s holds no level", ofToDataPath("data.xml").c_str());
    return false;
  }
  runAssisted = false;
  journey.start(game);
  return true;
}

void testApp::draw() {
  ofSetLineWidth(static_cast<float>(lineWidth));
  if (editing) {
    drawEditing();
  } else if (playing) {
    game.draw(input);
    journey.drawOverlay(font);
    drawPauseOverlay();
  } else if (choosingLevel) {
    levelList.draw(font);
  } else if (choosingKeys) {
    keysScreen.draw(font, settings);
  } else if (scoreScreen) {
    drawScores();
  } else {
    drawTitle();
  }
  drawFadeOverlay();
}

void testApp::keyPressed(int key) {
  // An open question takes every key typed; nothing else sees them.
  if (prompt.keyPressed(key)) return;
  if (key == KEY_F11) toggleFullscreen();
  // A letter typed into the name is that letter, whatever it is bound to.
  const bool named = scoreScreen && !editing && typeName(key);
  const int code = named ? key : gameKey(key);
  keysDownAs[key] = code;
  input.pressKey(code);
  gamepad.keyboardPressed(code);
  if (editing) editingKeyPressed(key);
}

void testApp::keyReleased(int key) {
  const auto down = keysDownAs.find(key);
  const int code = down != keysDownAs.end() ? down->second : gameKey(key);
  if (down != keysDownAs.end()) keysDownAs.erase(down);
  for (int released : {key, code}) {
    input.releaseKey(released);
    gamepad.keyboardReleased(released);
  }
}

void testApp::mouseMoved(int x, int y) { input.moveMouse(x, y); }

void testApp::mouseDragged(int x, int y, int button) {
  input.pressButton(button, x, y);
  forwardMouse(MouseEvent::dragged, button);
}

void testApp::mousePressed(int x, int y, int button) {
  input.pressButton(button, x, y);
  forwardMouse(MouseEvent::pressed, button);
}

void testApp::mouseReleased(int x, int y, int button) {
  input.releaseButton(button, x, y);
  forwardMouse(MouseEvent::released, button);
}

void testApp::exit() {
  if (!editSetOpened || !editedFile.unsaved(editData)) return;
  if (editedFile.writeRecovery(editData)) {
    ofLog(OF_WARNING, "the unsaved edits of %s are kept in %s: Ctrl+L recovered loads them",
          editedFile.path().c_str(), editedFile.recoveryPath().c_str());
  }
}
