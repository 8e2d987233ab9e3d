#pragma once
// The editing state's status line: the file being edited, marked with '*'
// while the edits differ from what it holds, and the latest message (a save,
// a load, a failure, a refusal) for a few seconds after it was said. Timed
// by the framework clock.

#include <string>

class StatusLine {
 public:
  static constexpr int messageMs = 4000;

  // text replaces whatever was shown, for ms milliseconds from now.
  void show(const std::string& text, int ms = messageMs);
  // The message while its time lasts, else "".
  std::string message() const;
  // "data/data.xml *" while there are unsaved edits, else "data/data.xml".
  static std::string fileText(const std::string& path, bool unsaved);
  // Both at the bottom of the window.
  void draw(const std::string& path, bool unsaved) const;

 private:
  std::string text;
  int shownAt = 0;
  int shownFor = 0;
};
