#pragma once
// F2: every key of the editing mode in use, in groups, drawn over it; F2
// again hides it. The keys are tables of data, one per mode, so a new key is
// one row. The application owns the overlay; the tools keep their keys while
// it shows.

#include <string>
#include <vector>

#include "framework/InputState.h"

struct HelpKey {
  const char* keys;
  const char* does;
};

struct HelpGroup {
  const char* title;
  std::vector<HelpKey> keys;
};

// The key groups of an editing mode: 0 game test, 1 level tool, 2 modeling
// tool; no groups for any other value.
const std::vector<HelpGroup>& helpGroups(int editorMode);

// One line of the overlay at its baseline, in window pixels.
struct HelpLine {
  float x, y;
  std::string text;
  bool title;
};

// The lines of a mode's help in a window of that size: a heading, then the
// groups kept whole, top to bottom in as many columns as they need.
std::vector<HelpLine> helpLayout(int editorMode, int width, int height);

class HelpOverlay {
 public:
  // F2 shows or hides the overlay.
  void update(const InputState& current, const InputState& previous);
  bool isShown() const { return shown; }
  void draw(int editorMode) const;

 private:
  bool shown = false;
};
