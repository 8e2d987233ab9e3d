#include "shell/testApp.h"

#include <cstdlib>

#include "framework/XmlSettings.h"
#include "framework/ofAppRunner.h"
#include "framework/ofGraphics.h"
#include "framework/ofLog.h"
#include "framework/ofScreen.h"
#include "framework/ofUtils.h"
#include "shell/WindowText.h"

void testApp::setup() {
  ofSetWindowTitle("Orvane");
  ofNoFill();
  ofBackground(0, 0, 0);
  ofSetVerticalSync(false);
  ofSetFrameRate(60);
  ofSetColor(0, 255, 0);
  ofEnableAlphaBlending();
  editor.smoothLines = false;
  ofHideCursor();
  shown = Screen::title;
  fade = LoadingFade();
  scores.clearNewMarks();
  scoreScreen = ScoreScreen();

  XmlSettings xml;
  // Said in the window too (see the end of setup); the text falls back to
  // the built-in bitmap font.
  std::string fontProblem;
  if (xml.loadFile("font.xml")) {
    font.loadFont(xml.getAttribute("font", "file", "", 0), xml.getAttribute("font", "size", 8, 0));
    if (!font.isLoaded()) {
      fontProblem = "the font named in " + ofToDataPath("font.xml") + " did not load";
    }
  } else {
    fontProblem = "could not load " + ofToDataPath("font.xml") + ": " + xml.lastError();
    ofLog(OF_ERROR, "%s", fontProblem.c_str());
  }

  input.reset();
  previousInput = input;
  gamepad.open();
  levelTool = LevelTool();
  modelTool = ModelTool();
  editData = LevelData();
  levelTool.data = &editData;
  modelTool.data = &editData;
  levelTool.prompt = &editor.prompt;
  modelTool.prompt = &editor.prompt;
  levelTool.status = &editor.status;
  modelTool.status = &editor.status;
  game.start(editData);
  editor.mode = EditingState::LEVEL_TOOL;
  resetFlightDefaults();
  pauseOverlay = PauseOverlay();
  title.load();
  game.ownAudio.playSong("menu", true);
  scores.setDefaults();
  scores.load();
  progress.load();
  loadSettings();
  // The editors' game test flies no run of the journey: no ghost there.
  game.drawBeforeShip = [this] {
    if (playing()) journey.drawGhost();
  };
  // What could not be read is said on the title, where the player looks first.
  for (const std::string& problem :
       {noticeOnStart, fontProblem, scores.problem, progress.takeProblem()}) {
    if (!problem.empty()) title.say(problem);
  }
  if (editOnStart) enter(Screen::editing);
  if (!levelOnStart.empty() && !editing()) startPracticeFromOption();
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
  gamepad.poll(input, editing() ? editor.flying() : playing());
  if (ofGetWidth() != 530 || ofGetHeight() != 370) ofSetWindowShape(530, 370);
  game.ownAudio.update();
  const Screen at = shown;
  // A settings or progress file that could not be read or written is said
  // on the title.
  if (at == Screen::title) {
    for (const std::string& problem : {settings.takeProblem(), progress.takeProblem()}) {
      if (!problem.empty()) title.say(problem);
    }
  }
  switch (at) {
    case Screen::title: updateTitle(title.update(input, previousInput)); break;
    case Screen::loading: updateTitle(title.updateWhileLoading(input, previousInput)); break;
    case Screen::levelList: updateLevelList(); break;
    case Screen::keys: updateKeysScreen(); break;
    case Screen::game:
    case Screen::pause: updateGame(); break;
    case Screen::scores:
      if (scoreScreen.update(input, previousInput, scores) == ScoreScreen::Step::back) {
        enter(Screen::title);
        // Leaving may have saved a name typed; a table not saved is said again.
        if (!scores.problem.empty()) title.say(scores.problem);
      }
      break;
    case Screen::editing:
      if (!editor.update()) enter(Screen::title);
      break;
  }
  // The fade runs on every screen but the editors'.
  if (at != Screen::editing) updateFade();
  endFrame(input, previousInput);
}

void testApp::updateTitle(TitleMenu::Choice choice) {
  switch (choice) {
    case TitleMenu::Choice::start:
      if (shown == Screen::title) practiceLevel.clear();
      enter(Screen::loading);
      fade.restart();
      break;
    case TitleMenu::Choice::scores: enter(Screen::scores); break;
    case TitleMenu::Choice::levels: openLevelList(); break;
    case TitleMenu::Choice::keys:
      keysScreen.open();
      enter(Screen::keys);
      break;
    case TitleMenu::Choice::edit: enter(Screen::editing); break;
    case TitleMenu::Choice::ghosts: toggleSetting(&Settings::ghosts); break;
    case TitleMenu::Choice::calm: toggleSetting(&Settings::calm); break;
    case TitleMenu::Choice::quit: std::exit(0);
    case TitleMenu::Choice::none: break;
  }
}

void testApp::updateGame() {
  // The game stops the ship and fills the tank while F is held, paused or not.
  if (input.keyF) runAssisted = true;
  const bool running = game.update(input, previousInput);
  journey.update(game);
  // A run that is over takes no more keys: the pause belongs to runs.
  if (!running) {
    endRun();
    return;
  }
  // Escape and space together toggle twice: nothing changes.
  const bool toggle = wentDown(input.keyEscape, previousInput.keyEscape) !=
                      wentDown(input.keySpace, previousInput.keySpace);
  if (toggle) enter(shown == Screen::pause ? Screen::game : Screen::pause);
  if (shown != Screen::pause) return;
  // The keys read are the actions' usual ones: a bound key arrives as them.
  if (wentDown(input.keyQ, previousInput.keyQ)) {
    endRun();
  } else if (wentDown(input.keyN, previousInput.keyN)) {
    restartRun();
  } else if (wentDown(input.keyR, previousInput.keyR)) {
    restartAtCheckpoint();
  }
}

void testApp::updateFade() {
  if (!fade.step(fading())) return;
  const bool started = practiceLevel.empty() ? startRun() : startPracticeRun(practiceLevel);
  enter(started ? Screen::game : Screen::title);
}

void testApp::draw() {
  ofSetLineWidth(static_cast<float>(lineWidth));
  switch (shown) {
    case Screen::title:
    case Screen::loading: title.draw(font, settings); break;
    case Screen::levelList: levelList.draw(font); break;
    case Screen::keys: keysScreen.draw(font, settings); break;
    case Screen::game:
    case Screen::pause:
      game.draw(input);
      journey.drawOverlay(font);
      pauseOverlay.draw(font, settings, shown == Screen::pause, pauseOffer());
      break;
    case Screen::scores:
      scoreScreen.draw(font, scores);
      // A table that could not be saved is said above the screen's last line.
      if (!scores.problem.empty()) {
        drawNotice(font, scores.problem, static_cast<float>(ofGetHeight() - 26));
      }
      break;
    case Screen::editing: editor.draw(); break;
  }
  fade.draw(font, fading());
}

void testApp::keyPressed(int key) {
  // An open question takes every key typed; nothing else sees them.
  if (editor.questionTakes(key)) return;
  // A letter typed into the name is that letter, whatever it is bound to.
  const bool named = shown == Screen::scores && scoreScreen.keyPressed(key, scores);
  const int code = named ? key : gameKey(key);
  // A key repeat takes nothing new: it keeps what its first press took.
  const bool repeat = heldKeys.press(key, code);
  if (!repeat) {
    if (key == KEY_F11) toggleFullscreen();
    input.pressKey(code);
    gamepad.keyboardPressed(code);
  }
  if (editing()) editor.keyPressed(key);
}

void testApp::keyReleased(int key) {
  for (int code : heldKeys.release(key)) {
    input.releaseKey(code);
    gamepad.keyboardReleased(code);
  }
}

void testApp::windowFocusLost() {
  // The window hears no release of what is let go elsewhere.
  for (int code : heldKeys.releaseAll()) gamepad.keyboardReleased(code);
  const bool dragging = input.mouseLeft;
  input.releaseAll();
  if (dragging && editing()) editor.forwardMouse(EditingState::MouseEvent::released, 0);
}

void testApp::mouseMoved(int x, int y) { input.moveMouse(x, y); }

void testApp::mouseDragged(int x, int y, int button) {
  input.pressButton(button, x, y);
  editor.forwardMouse(EditingState::MouseEvent::dragged, button);
}

void testApp::mousePressed(int x, int y, int button) {
  input.pressButton(button, x, y);
  editor.forwardMouse(EditingState::MouseEvent::pressed, button);
}

void testApp::mouseReleased(int x, int y, int button) {
  input.releaseButton(button, x, y);
  editor.forwardMouse(EditingState::MouseEvent::released, button);
}

void testApp::exit() {
  // The records a run saved are written before the program ends.
  journey.flush();
  editor.keepUnsavedEdits();
}
