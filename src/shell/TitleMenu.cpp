#include "shell/TitleMenu.h"

#include <algorithm>
#include <string>

#include "framework/InputState.h"
#include "framework/ofAppRunner.h"
#include "framework/ofClock.h"
#include "framework/ofGraphics.h"
#include "framework/ofMath.h"
#include "framework/ofScreen.h"
#include "framework/ofTrueTypeFont.h"
#include "platform/Settings.h"
#include "shell/WindowText.h"

namespace {
// The keys that choose, in the order they are asked when several go down
// in one frame.
struct MenuKey {
  int code;
  TitleMenu::Choice choice;
};
constexpr MenuKey menuKeys[] = {
    {'s', TitleMenu::Choice::scores}, {'e', TitleMenu::Choice::edit},
    {'l', TitleMenu::Choice::levels}, {'k', TitleMenu::Choice::keys},
    {'h', TitleMenu::Choice::ghosts}, {'c', TitleMenu::Choice::calm},
};

bool enterHeld(const InputState& current, const InputState& previous) {
  return current.lastKey == KEY_ENTER && previous.lastKey == KEY_ENTER;
}

// The menu's text flickers; in calm mode it holds still in the middle.
void setMenuColor(bool calm) {
  ofSetColor(255, 211, 0, calm ? 150 : static_cast<int>(ofRandom(100, 200)));
}

const char* onOff(bool on) { return on ? "on" : "off"; }

constexpr int noticeMs = 6000;

std::string boundKey(const Settings& settings, KeyBindings::Action action) {
  return keyName(settings.keys.key(action));
}
}  // namespace

void TitleMenu::load() { logo.load("logo.xml"); }

void TitleMenu::say(const std::string& text) {
  if (text == notice) {
    noticeAtMs = ofGetElapsedTimeMillis();
  } else if (std::find(waiting.begin(), waiting.end(), text) == waiting.end()) {
    waiting.push_back(text);
  }
  nextNotice();
}

void TitleMenu::nextNotice() {
  const int now = ofGetElapsedTimeMillis();
  if (!notice.empty() && now - noticeAtMs <= noticeMs) return;
  notice.clear();
  if (waiting.empty()) return;
  notice = waiting.front();
  waiting.erase(waiting.begin());
  noticeAtMs = now;
}

std::vector<std::string> TitleMenu::notices() const {
  std::vector<std::string> lines;
  if (!notice.empty() && ofGetElapsedTimeMillis() - noticeAtMs <= noticeMs) lines.push_back(notice);
  lines.insert(lines.end(), waiting.begin(), waiting.end());
  return lines;
}

TitleMenu::Choice TitleMenu::update(const InputState& current, const InputState& previous) {
  nextNotice();
  const Choice loading = updateWhileLoading(current, previous);
  if (loading != Choice::none) return loading;
  for (const MenuKey& key : menuKeys) {
    if (keyPressedNow(current, previous, key.code)) return key.choice;
  }
  return Choice::none;
}

TitleMenu::Choice TitleMenu::updateWhileLoading(const InputState& current,
                                                const InputState& previous) {
  logo.update(true, false);
  if (enterHeld(current, previous)) return Choice::start;
  if (keyPressedNow(current, previous, KEY_ESCAPE)) return Choice::quit;
  return Choice::none;
}

void TitleMenu::draw(ofTrueTypeFont& font, const Settings& settings) const {
  const int w = ofGetWidth(), h = ofGetHeight();
  ofTranslate(static_cast<float>(w / 2 - 240), static_cast<float>(h / 2 - 160), 0);
  logo.draw(false);
  const bool calm = settings.calm;
  ofTranslate(static_cast<float>(w / 2), static_cast<float>(h / 2), 0);
  const std::string lines[] = {
      "start   : " + boundKey(settings, KeyBindings::start),
      "score   : s",
      "levels  : l",
      std::string("ghost h : ") + onOff(settings.ghosts) + "   calm c : " + onOff(calm),
      "exit    : " + boundKey(settings, KeyBindings::back),
      "keys    : k",
  };
  float y = 30;
  for (const std::string& line : lines) {
    setMenuColor(calm);
    // Without a font (font.xml missing or broken) the menu is still read.
    drawReadableText(font, line, 0, y);
    y += 20;
  }
  ofNoFill();
  if (notice.empty() || ofGetElapsedTimeMillis() - noticeAtMs > noticeMs) return;
  ofSetupScreen();
  drawNotice(font, notice, static_cast<float>(h - 4));
}
