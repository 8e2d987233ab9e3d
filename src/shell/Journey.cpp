// The player's journey on the application's screens: the title's practice
// list, its ghost and calm switches and the way to the keys screen, practice
// runs, and the name typed into the rows a run entered.

#include "framework/ofLog.h"
#include "framework/ofUtils.h"
#include "progress/Practice.h"
#include "shell/testApp.h"

namespace {
// Flips a setting and keeps it; true when it is now on.
bool toggle(Settings& settings, bool Settings::*setting) {
  settings.*setting = !(settings.*setting);
  settings.save();
  return settings.*setting;
}
}  // namespace

void testApp::updateTitleSwitches() {
  if (keyPressedNow(input, previousInput, 'h')) toggle(settings, &Settings::ghosts);
  if (keyPressedNow(input, previousInput, 'c')) game.calm = toggle(settings, &Settings::calm);
  if (keyPressedNow(input, previousInput, 'k')) openKeysScreen();
  if (keyPressedNow(input, previousInput, 'l')) {
    LevelData saved{LevelData::Empty{}};
    if (!saved.load("data.xml")) {
      ofLog(OF_ERROR, "cannot list the levels without %s", ofToDataPath("data.xml").c_str());
      return;
    }
    levelList.open(progress, saved);
    choosingLevel = true;
  }
}

void testApp::updateLevelList() {
  switch (levelList.update(input, previousInput)) {
    case LevelList::Choice::start:
      choosingLevel = false;
      practiceLevel = levelList.chosen();
      fading = true;
      fadeAlpha = 0;
      break;
    case LevelList::Choice::back:
      choosingLevel = false;
      break;
    case LevelList::Choice::none:
      break;
  }
}

bool testApp::startPracticeRun(const std::string& guid) {
  LevelData saved{LevelData::Empty{}};
  if (!saved.load("data.xml")) {
    ofLog(OF_ERROR, "cannot start a practice run without %s", ofToDataPath("data.xml").c_str());
    practiceLevel.clear();
    return false;
  }
  if (!startPractice(game, saved, guid)) {
    ofLog(OF_ERROR, "cannot practise \"%s\": %s has no level of that name; showing the title",
          guid.c_str(), ofToDataPath("data.xml").c_str());
    practiceLevel.clear();
    return false;
  }
  practiceLevel = guid;
  runAssisted = false;
  journey.start(game);
  return true;
}

void testApp::startPracticeFromOption() {
  playing = startPracticeRun(levelOnStart);
  practiceFromOption = playing;
}

// A practice run never enters the tables; it returns to the list it was
// chosen from, or to the title when the command line chose it.
void testApp::endPractice() {
  practiceLevel.clear();
  runAssisted = false;
  if (practiceFromOption) {
    practiceFromOption = false;
    return;
  }
  LevelData saved{LevelData::Empty{}};
  if (!saved.load("data.xml")) return;
  levelList.open(progress, saved);
  choosingLevel = true;
}

bool testApp::typeName(int key) {
  if (scores.newTimeRow < 0 && scores.newFuelRow < 0) return false;
  if (!nameEntry.keyPressed(key)) return false;
  scores.renameNewRows(nameEntry.name());
  nameTypedUnsaved = true;
  return true;
}
