#include "editors/HelpOverlay.h"

#include "editors/EditorCommon.h"
#include "framework/ofAppRunner.h"
#include "framework/ofGraphics.h"

namespace {
constexpr int KEY_F2 = 258;
constexpr int lineHeight = 13;
constexpr int groupGap = 6;
constexpr int top = 38;
constexpr int columnWidth = 260;
// Keys are padded to this many characters, so the texts line up.
constexpr size_t keysWidth = 13;

const std::vector<HelpGroup> noGroups;

const HelpGroup colourKeys = {"Colour of new walls",
                              {{"8 9 0 (-)", "raise (lower) r g b"},
                               {"p (held)", "pick wall colour"},
                               {"r", "rainbow"}}};

const std::vector<HelpGroup> gameTestKeys = {
    {"Fly",
     {{"Left/Right", "turn"},
      {"Up", "thrust"},
      {"F (held)", "stop and refuel"},
      {"space", "pause / resume"}}},
    {"Editor",
     {{"g / Escape", "end a run from g"},
      {"F1", "level tool"},
      {"F2", "this help"},
      {"Ctrl+S / L", "save / load"},
      {"Ctrl+E / B", "save as / new set"},
      {"a", "smooth lines"},
      {"F9 (held)", "flight defaults"},
      {"Esc", "leave the editor"}}},
};

const std::vector<HelpGroup> levelToolKeys = {
    {"Place: hold, then left button",
     {{"w / e / t drag", "solid/flicker/fade"},
      {"c drag", "zone"},
      {"x click", "receiver"},
      {"m / M click", "model / +map, id"},
      {". click", "gravity point"},
      {"z drag", "crossing test"},
      {"v drag", "move what is there"}}},
    {"Zones and ids",
     {{"4 / $", "copy / type map id"},
      {"5 / %", "pick / type recv id"},
      {"u j h k i o", "zone direction"},
      {"n / N", "retype zone map/id"},
      {"Insert / 6", "rename level/model"}}},
    {"Level",
     {{"2 / 3", "gravity / friction"},
      {"> <", "next / prev level"},
      {"Ctrl+N / D", "add / remove level"},
      {"Delete", "delete under mouse"}}},
    colourKeys,
    {"Select and view",
     {{"s / S drag", "select / toggle"},
      {"Ctrl+A", "select all"},
      {"v drag on it", "move selection"},
      {"d / Delete", "duplicate/delete"},
      {"Ctrl+C X V", "copy cut paste"},
      {"PgUp / PgDn", "zoom (or wheel)"},
      {"right drag", "pan (Home: reset)"},
      {"#", "grid"}}},
    {"Editor",
     {{"F1", "modeling tool"},
      {"F2 / F3", "help / checks"},
      {"F5 / F6", "models / history"},
      {"g", "play from here"},
      {"Ctrl+S / L", "save / load"},
      {"Ctrl+E / B", "save as / new set"},
      {"Ctrl+Z / Y", "undo / redo"},
      {"1 / a", "params / smooth"},
      {"Left/Right", "model frame"},
      {"F9 (held)", "flight defaults"},
      {"Esc", "leave the editor"}}},
};

const std::vector<HelpGroup> modelToolKeys = {
    {"Draw: hold, then drag",
     {{"w drag", "solid wall"},
      {"e drag", "flickering wall"},
      {"t drag", "fading wall"},
      {"v drag", "move a wall end"},
      {"Delete", "delete under mouse"},
      {"right drag", "pan (Home: centre)"}}},
    {"Frames",
     {{"* / |", "add / remove frame"},
      {"Left/Right", "prev / next frame"},
      {"F4", "onion skin"},
      {"space (held)", "play animation"}}},
    {"Model",
     {{"2", "solid"},
      {"3 / 4 (held)", "faster / slower"},
      {"5", "play once"},
      {"6", "rename model"},
      {"7", "type sound tag"},
      {"> <", "next / prev model"},
      {"Ctrl+N / D", "add / remove model"}}},
    colourKeys,
    {"Editor",
     {{"F1", "game test"},
      {"F2", "this help"},
      {"F3", "checks"},
      {"F5", "choose model"},
      {"Ctrl+S / L", "save / load"},
      {"Ctrl+E / B", "save as / new set"},
      {"Ctrl+Z / Y", "undo / redo"},
      {"F6", "undo history"},
      {"1", "hide parameters"},
      {"a", "smooth lines"},
      {"F9 (held)", "flight defaults"},
      {"Esc", "leave the editor"}}},
};

const char* modeName(int editorMode) {
  switch (editorMode) {
    case 0: return "game test";
    case 1: return "level tool";
    case 2: return "modeling tool";
    default: return "editor";
  }
}

std::string padded(const char* keys) {
  std::string text = keys;
  if (text.size() < keysWidth) text.resize(keysWidth, ' ');
  return text;
}
}  // namespace

const std::vector<HelpGroup>& helpGroups(int editorMode) {
  switch (editorMode) {
    case 0: return gameTestKeys;
    case 1: return levelToolKeys;
    case 2: return modelToolKeys;
    default: return noGroups;
  }
}

// A group that does not fit below the last one starts the next column.
std::vector<HelpLine> helpLayout(int editorMode, int width, int height) {
  std::vector<HelpLine> lines;
  lines.push_back({10, 18, std::string("keys of the ") + modeName(editorMode) + "   F2 hides this", true});
  float x = 10, y = top;
  for (const HelpGroup& group : helpGroups(editorMode)) {
    const float needed = static_cast<float>((group.keys.size() + 1) * lineHeight);
    if (y > top && y + needed > height - 5 && x + 2 * columnWidth <= width) {
      x += columnWidth;
      y = top;
    }
    lines.push_back({x, y, group.title, true});
    for (const HelpKey& key : group.keys) {
      y += lineHeight;
      lines.push_back({x, y, padded(key.keys) + key.does, false});
    }
    y += lineHeight + groupGap;
  }
  return lines;
}

void HelpOverlay::update(const InputState& current, const InputState& previous) {
  if (codeWentDown(current, previous, KEY_F2)) shown = !shown;
}

void HelpOverlay::draw(int editorMode) const {
  if (!shown) return;
  editor::drawBackdrop(235);
  for (const HelpLine& line : helpLayout(editorMode, ofGetWidth(), ofGetHeight())) {
    if (line.title) {
      ofSetColor(255, 211, 0);
    } else {
      ofSetColor(255, 255, 255);
    }
    ofDrawBitmapString(line.text, line.x, line.y);
  }
}
