#pragma once
// A list drawn over the tools to choose one row from: F3's findings, the
// models to place, the undo history. While it is open it has the keyboard:
// Up and Down (Page Up and Page Down a page) choose, Enter takes the chosen
// row, Escape or the key that opened it closes it.

#include <string>
#include <vector>

#include "framework/InputState.h"

class PickList {
 public:
  // Opens on rows with row `start` chosen, under title and a line of the
  // keys that says what Enter does; closeKey closes it as Escape does.
  void open(const std::string& title, const std::string& enterDoes, std::vector<std::string> rows,
            int start, int closeKey);
  void close() { shown = false; }
  bool isOpen() const { return shown; }
  // The keys of one frame while open: the row Enter took (the list then
  // closes), else -1.
  int update(const InputState& current, const InputState& previous);
  // Over the tool, on a dark backdrop; the chosen row stays in sight.
  void draw() const;

  int selected() const { return row; }
  const std::string& title() const { return heading; }
  const std::vector<std::string>& rows() const { return listed; }
  // The rows drawn from y 50 down: as many as the window has room for.
  static int visibleRows(int windowHeight);

 private:
  bool shown = false;
  std::string heading;
  std::string keysLine;
  std::vector<std::string> listed;
  int row = 0;
  int closeKey = -1;
};
