#pragma once
// A question in the game window answered by one key, such as "o overwrite,
// e save as, Esc cancel": each choice is a key and what it does. While it
// is open it takes every key, so nothing else sees them; Escape cancels.

#include <functional>
#include <string>
#include <vector>

class KeyQuestion {
 public:
  struct Choice {
    int key;
    std::function<void()> act;
  };

  // Opens on question (which says the keys); false while another is open.
  bool ask(const std::string& question, std::vector<Choice> choices);
  bool isOpen() const { return open; }
  // A key pressed while open: a choice's key closes the question and acts,
  // Escape closes it, any other key is taken and does nothing. False,
  // touching nothing, when closed.
  bool keyPressed(int key);
  // Over whatever was drawn: the question on a dark panel, wrapped to fit.
  void draw() const;

  const std::string& question() const { return asked; }

 private:
  bool open = false;
  std::string asked;
  std::vector<Choice> choices;
};
