#pragma once
// A question asked in the game window: the question, the word typed so far
// and a caret on one line. While it is open it takes every key typed, so
// nothing else (the tools, the editing state's own keys) sees them, and the
// window goes on drawing. The terminal the game was started from may answer
// too; whichever answers first wins.

#include <functional>
#include <string>

class Prompt {
 public:
  // Receives the word typed. It runs when the answer comes, frames after the
  // question: it must find its target anew rather than hold a reference.
  using Answer = std::function<void(const std::string&)>;

  // Opens the line on question; false (nothing asked) while another
  // question is open.
  bool ask(const std::string& question, Answer answer);
  bool isOpen() const { return open; }
  // A key pressed while the line is open: printable keys type (a space does
  // not: the answer is one word), Backspace deletes, Enter confirms and
  // Escape cancels; Enter on an empty line cancels too. False, touching
  // nothing, when the line is closed: the key is someone else's.
  bool keyPressed(int key);
  // A whole line typed on the terminal answers with its first word (an empty
  // line cancels). The end of terminal input changes nothing: the window can
  // still answer.
  void pollTerminal();
  // The line across the window, over whatever was drawn.
  void draw() const;

  const std::string& question() const { return asked; }
  const std::string& typed() const { return text; }

 private:
  void finish(bool confirmed);

  bool open = false;
  std::string asked;
  std::string text;
  Answer answer;
};
