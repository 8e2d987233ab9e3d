#pragma once
// A question asked in the game window: the question, the word typed so far
// and a caret on one line. While it is open it takes every key typed, so
// nothing else (the tools, the editing state's own keys) sees them, and the
// window goes on drawing. The terminal the game was started from may answer
// too; whichever answers first wins.
//
// A word holds what the level file holds and the bitmap font draws: letters
// (accented Latin-1 ones such as é or ü too, kept as UTF-8), digits, signs
// and spaces between them; spaces at either end are not part of it. A key
// or a terminal line with anything else is refused, and the line says what
// a word may hold.

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
  // A key pressed while the line is open: keys of characters (codes 32..126
  // and the Latin-1 160..255) type, Backspace deletes a character, Enter
  // confirms and Escape cancels; Enter on a line of nothing but spaces
  // cancels too. Other keys of codes up to 255 are refused, with the note;
  // special keys (arrows, F keys) do nothing. False, touching nothing, when
  // the line is closed: the key is someone else's.
  bool keyPressed(int key);
  // A whole line typed on the terminal answers as Enter would with that
  // word (read as UTF-8; an empty line cancels); a line holding what a word
  // cannot is refused, said on the terminal and on the line, and the
  // question stays open. The end of terminal input changes nothing: the
  // window can still answer.
  void pollTerminal();
  // The line across the window, over whatever was drawn, with the note
  // under it after a refusal.
  void draw() const;

  const std::string& question() const { return asked; }
  const std::string& typed() const { return text; }
  // What a word may hold, once something was refused; empty otherwise.
  const std::string& note() const { return refusal; }

 private:
  void finish(bool confirmed);
  void refuse();

  bool open = false;
  std::string asked;
  std::string text;
  std::string refusal;
  Answer answer;
};
