// The player's settings on the application's screens: read at set-up (and
// the ghost and calm switches carried over from an older record), applied
// to the game and its sounds, changed on the keys screen and with F11, and
// the bound keys turned into the codes the game reads.

#include "framework/ofAppRunner.h"
#include "shell/testApp.h"

namespace {
// The switches older records kept, and where the settings keep them now.
struct CarriedSwitch {
  const char* name;
  bool Settings::*setting;
  std::optional<bool> PlayerProgress::OlderSwitches::*older;
};
const CarriedSwitch carriedSwitches[] = {
    {"ghosts", &Settings::ghosts, &PlayerProgress::OlderSwitches::ghosts},
    {"calm", &Settings::calm, &PlayerProgress::OlderSwitches::calm},
};
}  // namespace

void testApp::loadSettings() {
  if (settingsOnStart) {
    settings = *settingsOnStart;
  } else {
    settings.load();
  }
  if (carryOverOlderSwitches()) settings.save();
  applySettings();
}

// A switch the settings file does not give takes the value an older record
// kept for it. The settings file keeps it from then on, so this happens once.
bool testApp::carryOverOlderSwitches() {
  bool carried = false;
  for (const CarriedSwitch& row : carriedSwitches) {
    const std::optional<bool>& older = progress.olderSwitches.*row.older;
    if (!older || settings.given(row.name)) continue;
    settings.*row.setting = *older;
    carried = true;
  }
  return carried;
}

void testApp::applySettings() {
  game.calm = settings.calm;
  game.ownAudio.setMasterVolumes(settings.musicVolume / 100.0f, settings.effectsVolume / 100.0f);
}

void testApp::toggleSetting(bool Settings::*setting) {
  settings.*setting = !(settings.*setting);
  settings.save();
  applySettings();
}

void testApp::updateKeysScreen() {
  switch (keysScreen.update(input, previousInput, settings)) {
    case KeysScreen::Step::changed:
      applySettings();
      settings.save();
      break;
    case KeysScreen::Step::back: enter(Screen::title); break;
    case KeysScreen::Step::none: break;
  }
}

void testApp::toggleFullscreen() {
  settings.fullscreen = !settings.fullscreen;
  ofSetFullscreen(settings.fullscreen);
  settings.save();
}

// The editors and the keys screen take keys as the keyboard gives them.
int testApp::gameKey(int key) const {
  return editing() || choosingKeys() ? key : settings.keys.gameCode(key);
}
