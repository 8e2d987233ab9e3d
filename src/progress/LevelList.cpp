#include "progress/LevelList.h"

#include <algorithm>

#include "framework/InputState.h"
#include "framework/ofAppRunner.h"
#include "framework/ofGraphics.h"
#include "framework/ofScreen.h"
#include "framework/ofTrueTypeFont.h"
#include "level/LevelData.h"
#include "progress/PlayerProgress.h"
#include "progress/RunJourney.h"

namespace {
// As many rows as fit between the heading and the keys line.
const int visibleRows = 13;
}  // namespace

void LevelList::open(const PlayerProgress& progress, const LevelData& data) {
  listed.clear();
  for (size_t i = 0; i < data.levels.size(); ++i) {
    const std::string& guid = data.levels[i].guid;
    const bool listedAlready = std::any_of(listed.begin(), listed.end(),
                                           [&](const Row& row) { return row.guid == guid; });
    if (listedAlready || (i > 0 && !progress.hasReached(guid))) continue;
    listed.push_back(Row{guid, progress.bestTime(guid)});
  }
  selected = std::min(selected, static_cast<int>(listed.size()) - 1);
  if (selected < 0) selected = 0;
}

LevelList::Choice LevelList::update(const InputState& current, const InputState& previous) {
  const int count = static_cast<int>(listed.size());
  auto pressed = [&](int code) { return keyPressedNow(current, previous, code); };
  if (pressed(KEY_UP) && selected > 0) --selected;
  if (pressed(KEY_DOWN) && selected + 1 < count) ++selected;
  if (pressed(KEY_ESCAPE)) return Choice::back;
  if (pressed(KEY_ENTER) && count > 0) return Choice::start;
  return Choice::none;
}

std::string LevelList::chosen() const {
  return listed.empty() ? std::string() : listed[static_cast<size_t>(selected)].guid;
}

void LevelList::draw(ofTrueTypeFont& font) const {
  ofSetupScreen();
  ofSetColor(0, 153, 153);
  font.drawString("PRACTICE", (ofGetWidth() - font.stringWidth("PRACTICE")) / 2, 40);
  // The window of rows scrolls to keep the chosen one in it.
  const int first = std::max(0, std::min(selected - visibleRows / 2,
                                         static_cast<int>(listed.size()) - visibleRows));
  for (int i = first; i < static_cast<int>(listed.size()) && i < first + visibleRows; ++i) {
    const float y = static_cast<float>(80 + 20 * (i - first));
    const Row& row = listed[static_cast<size_t>(i)];
    if (i == selected) {
      ofSetColor(255, 211, 0);
      font.drawString(">", 120, y);
    } else {
      ofSetColor(255, 170, 0, 160);
    }
    font.drawString(row.guid, 140, y);
    font.drawString(row.bestMs ? splitText(*row.bestMs / 1000) : "-", 340, y);
  }
  ofSetColor(0, 153, 153);
  font.drawString("up/down: choose   enter: fly   esc: back", 10, static_cast<float>(ofGetHeight() - 10));
}
