// Runs on the application's screens: the campaign started from the title,
// a practice run of one level chosen from the level list (or by --level),
// the restarts the pause offers, and where each run ends: the score
// screen, the level list or the title.

#include "framework/XmlSettings.h"
#include "framework/ofLog.h"
#include "framework/ofUtils.h"
#include "shell/testApp.h"

namespace {
// "data/data.xml: why it does not load", for the window: the log has said
// it already, as the load failed.
std::string levelsProblem() {
  XmlSettings probe;
  probe.loadFile("data.xml");
  return ofToDataPath("data.xml") + ": " + probe.lastError();
}
}  // namespace

bool testApp::startRun() {
  // A run plays the saved levels; the ones being edited stay as they are.
  LevelData saved{LevelData::Empty{}};
  if (!saved.load("data.xml")) {
    ofLog(OF_ERROR, "cannot start a run without %s", ofToDataPath("data.xml").c_str());
    title.say("cannot start a run: " + levelsProblem());
    return false;
  }
  if (!game.start(saved)) {
    ofLog(OF_ERROR, "cannot start a run: %s holds no level", ofToDataPath("data.xml").c_str());
    title.say("cannot start a run: " + ofToDataPath("data.xml") + " holds no level");
    return false;
  }
  runAssisted = false;
  journey.start(game);
  return true;
}

void testApp::openLevelList() {
  LevelData saved{LevelData::Empty{}};
  if (!saved.load("data.xml")) {
    ofLog(OF_ERROR, "cannot list the levels without %s", ofToDataPath("data.xml").c_str());
    title.say("cannot list the levels: " + levelsProblem());
    return;
  }
  levelList.open(progress, saved);
  enter(Screen::levelList);
}

void testApp::updateLevelList() {
  switch (levelList.update(input, previousInput)) {
    case LevelList::Choice::start:
      practiceLevel = levelList.chosen();
      enter(Screen::loading);
      break;
    case LevelList::Choice::back: enter(Screen::title); break;
    case LevelList::Choice::none: break;
  }
}

bool testApp::startPracticeRun(const std::string& guid) {
  LevelData saved{LevelData::Empty{}};
  if (!saved.load("data.xml")) {
    ofLog(OF_ERROR, "cannot start a practice run without %s", ofToDataPath("data.xml").c_str());
    title.say("cannot practise: " + levelsProblem());
    practiceLevel.clear();
    return false;
  }
  if (!game.startPractice(saved, guid)) {
    ofLog(OF_ERROR, "cannot practise \"%s\": %s has no level of that name; showing the title",
          guid.c_str(), ofToDataPath("data.xml").c_str());
    title.say("cannot practise \"" + guid + "\": no level of that name");
    practiceLevel.clear();
    return false;
  }
  practiceLevel = guid;
  runAssisted = false;
  journey.start(game);
  return true;
}

void testApp::startPracticeFromOption() {
  practiceFromOption = startPracticeRun(levelOnStart);
  if (practiceFromOption) enter(Screen::game);
}

// The run is over or quit. A campaign run that is over is offered to the
// tables; a practice run never is, and returns to the list it was chosen
// from, or to the title when the command line chose it.
void testApp::endRun() {
  const bool over = shown == Screen::game;
  const bool assisted = runAssisted;
  if (practiceLevel.empty()) {
    if (!over) return enter(Screen::title);
    enter(Screen::scores);
    scoreScreen.recordRun(scores, game.playTime, game.fuel, assisted);
    return;
  }
  practiceLevel.clear();
  if (practiceFromOption) {
    practiceFromOption = false;
    return enter(Screen::title);
  }
  openLevelList();
  if (shown != Screen::levelList) enter(Screen::title);
}

// The same run goes on from the checkpoint: the journey is shown the
// restart as the frame it is, so that a checkpoint in another level begins
// a pass there as a respawn does.
void testApp::restartAtCheckpoint() {
  if (!game.restartFromCheckpoint()) return;
  journey.update(game);
  enter(Screen::game);
}

// A new run from the start, as one begun from the title or the list: the
// run left is not over, so it reaches no table, and the journey starts
// afresh, leaving the pass under way without a time.
void testApp::restartRun() {
  if (game.finishing) return;
  closeRun();
  const bool started = practiceLevel.empty() ? startRun() : startPracticeRun(practiceLevel);
  // The levels could not be read again: the title says why.
  if (!started) practiceFromOption = false;
  enter(started ? Screen::game : Screen::title);
}

PauseOverlay::Offer testApp::pauseOffer() const {
  PauseOverlay::Offer offer;
  offer.checkpoint = game.canRestartFromCheckpoint();
  offer.restart = !game.finishing;
  offer.practice = !practiceLevel.empty();
  return offer;
}
