#pragma once
// The F3 list of what the checks find in the edited set, one row per finding
// with its level and place, drawn over the tool. While it is open it has the
// keyboard: Up and Down choose, Enter goes to the chosen place, Escape or F3
// closes. The application owns it and keeps the keys from the tools while
// it is open.

#include <string>
#include <vector>

#include "editors/LevelChecks.h"
#include "editors/LevelTool.h"
#include "editors/PickList.h"
#include "framework/InputState.h"
#include "level/LevelData.h"

class ChecksList {
 public:
  // Runs the checks on data and opens the list on its first row.
  void open(const LevelData& data);
  bool isOpen() const { return list.isOpen(); }
  // The keys of one frame while open. Enter closes the list and returns the
  // finding chosen; otherwise nullptr.
  const editor::Finding* update(const InputState& current, const InputState& previous);
  void draw() const { list.draw(); }

  const std::vector<editor::Finding>& findings() const { return found; }
  int selected() const { return list.selected(); }

 private:
  std::vector<editor::Finding> found;
  PickList list;
};

// One row of the list: "level 3  120,40  " and what is wrong; "whole set"
// for a finding about no level in particular.
std::string findingRowText(const editor::Finding& finding);

// What a save adds to its status line: "; 3 problems (F3)", or
// "; no problems" when the checks find nothing.
std::string problemsNote(const LevelData& data);

// Shows a finding in the level tool: its level becomes the current one and
// its place the middle of a window of that size. A finding about the whole
// set moves nothing.
void showFinding(const editor::Finding& finding, LevelData& data, LevelTool& tool, int width,
                 int height);
