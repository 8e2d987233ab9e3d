#include "shell/KeysScreen.h"

#include <algorithm>

#include "framework/InputState.h"
#include "framework/ofAppRunner.h"
#include "framework/ofGraphics.h"
#include "framework/ofScreen.h"
#include "framework/ofTrueTypeFont.h"
#include "framework/ofUtils.h"
#include "platform/Settings.h"

namespace {
// The rows after the actions' rows.
struct VolumeRow {
  const char* label;
  int Settings::*field;
};
const VolumeRow volumeRows[] = {
    {"music volume", &Settings::musicVolume},
    {"effects volume", &Settings::effectsVolume},
};
// Left and Right move a volume by this much, within 0..100.
constexpr int volumeStep = 10;

const VolumeRow* volumeRow(int row) {
  const int v = row - KeyBindings::actionCount;
  return v >= 0 ? &volumeRows[v] : nullptr;
}
}  // namespace

int KeysScreen::rowCount() {
  return KeyBindings::actionCount + static_cast<int>(sizeof(volumeRows) / sizeof(volumeRows[0]));
}

void KeysScreen::open() {
  selected = 0;
  waiting = false;
  refusal.clear();
}

KeysScreen::Step KeysScreen::update(const InputState& current, const InputState& previous,
                                    Settings& settings) {
  if (waiting) return waitForKey(current, previous, settings);
  auto pressed = [&](int code) { return keyPressedNow(current, previous, code); };
  if (pressed(KEY_ESCAPE)) return Step::back;
  if (pressed(KEY_UP) && selected > 0) --selected;
  if (pressed(KEY_DOWN) && selected + 1 < rowCount()) ++selected;
  const VolumeRow* volume = volumeRow(selected);
  if (!volume) {
    if (pressed(KEY_ENTER)) {
      waiting = true;
      refusal.clear();
    }
    return Step::none;
  }
  const int step = (pressed(KEY_RIGHT) ? volumeStep : 0) - (pressed(KEY_LEFT) ? volumeStep : 0);
  int& value = settings.*volume->field;
  const int before = value;
  value = std::clamp(value + step, 0, 100);
  return value != before ? Step::changed : Step::none;
}

// The key that went down since the last frame is the new key, unless it is
// Escape (keep the old one) or a key that cannot be bound (say why and wait
// on). The Enter that began the wait is still held, not pressed anew.
KeysScreen::Step KeysScreen::waitForKey(const InputState& current, const InputState& previous,
                                        Settings& settings) {
  const int key = current.lastKey;
  if (key < 0 || !codeWentDown(current, previous, key)) return Step::none;
  if (key == KEY_ESCAPE) {
    waiting = false;
    refusal.clear();
    return Step::none;
  }
  refusal = whyNotBindable(key);
  if (!refusal.empty()) return Step::none;
  waiting = false;
  const KeyBindings before = settings.keys;
  settings.keys.bind(static_cast<KeyBindings::Action>(selected), key);
  return settings.keys != before ? Step::changed : Step::none;
}

void KeysScreen::draw(ofTrueTypeFont& font, const Settings& settings) const {
  ofSetupScreen();
  ofSetColor(0, 153, 153);
  font.drawString("KEYS", (ofGetWidth() - font.stringWidth("KEYS")) / 2, 40);
  for (int row = 0; row < rowCount(); ++row) {
    const float y = static_cast<float>(80 + 20 * row);
    if (row == selected) {
      ofSetColor(255, 211, 0);
      font.drawString(">", 100, y);
    } else {
      ofSetColor(255, 170, 0, 160);
    }
    std::string label, value;
    if (const VolumeRow* volume = volumeRow(row)) {
      label = volume->label;
      value = ofToString(settings.*volume->field);
    } else {
      // Only the actions' rows name an action: past them the enum has no value.
      const auto action = static_cast<KeyBindings::Action>(row);
      label = KeyBindings::info(action).label;
      value = row == selected && waiting ? "press a key" : keyName(settings.keys.key(action));
    }
    font.drawString(label, 120, y);
    font.drawString(value, 320, y);
  }
  const float bottom = static_cast<float>(ofGetHeight() - 10);
  if (!refusal.empty()) {
    ofSetColor(255, 90, 90);
    font.drawString(refusal, 120, bottom - 30);
  }
  ofSetColor(0, 153, 153);
  font.drawString(waiting ? "press the new key   esc: keep the old one"
                          : "up/down: choose   enter: new key   left/right: volume   esc: back",
                  10, bottom);
}
