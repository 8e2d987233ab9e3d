#pragma once
// The editing state's status line: the file being edited, marked with '*'
// while the edits differ from what it holds, and the latest message (a save,
// a load, a failure, a refusal) for a few seconds after it was said. Timed
// by the framework clock.

#include <string>
#include <vector>

class StatusLine {
 public:
  static constexpr int messageMs = 4000;
  // Pixels at the window's right kept clear of the message: the colour
  // swatch is there.
  static constexpr int swatchRoom = 65;

  // text replaces whatever was shown, for ms milliseconds from now.
  void show(const std::string& text, int ms = messageMs);
  // The message while its time lasts, else "".
  std::string message() const;
  // "data/data.xml *" while there are unsaved edits, else "data/data.xml".
  static std::string fileText(const std::string& path, bool unsaved);
  // The message in the lines it is drawn in, in a window that wide: none
  // once its time is over.
  std::vector<std::string> messageLines(int windowWidth) const;
  // Both at the bottom of the window.
  void draw(const std::string& path, bool unsaved) const;

 private:
  std::string text;
  int shownAt = 0;
  int shownFor = 0;
};
