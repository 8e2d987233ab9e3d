#include "editors/Prompt.h"

#include <cstdio>
#include <sstream>

#include "framework/InputState.h"
#include "framework/ofAppRunner.h"
#include "framework/ofConsole.h"
#include "framework/ofGraphics.h"
#include "framework/ofScreen.h"

namespace {
constexpr int glyphWidth = 8;  // the bitmap font's cell

bool typesAChar(int key) { return key > ' ' && key < 127; }

std::string firstWord(const std::string& line) {
  std::istringstream words(line);
  std::string word;
  words >> word;
  return word;
}

// The end of text that fits in width pixels: the caret stays in view.
std::string tailThatFits(const std::string& text, float width) {
  const size_t fits = width > 0 ? static_cast<size_t>(width / glyphWidth) : 0;
  return text.size() <= fits ? text : text.substr(text.size() - fits);
}
}  // namespace

bool Prompt::ask(const std::string& question, Answer onAnswer) {
  if (open) return false;
  open = true;
  asked = question;
  text.clear();
  answer = std::move(onAnswer);
  // Said on the terminal too, for whoever answers there; a line of its own,
  // as the answer may come from the window instead.
  if (ofConsoleIsInteractive()) {
    std::printf("%s\n", question.c_str());
    std::fflush(stdout);
  }
  return true;
}

bool Prompt::keyPressed(int key) {
  if (!open) return false;
  if (key == KEY_ENTER) {
    finish(!text.empty());
  } else if (key == KEY_ESCAPE) {
    finish(false);
  } else if (key == KEY_BACKSPACE) {
    if (!text.empty()) text.pop_back();
  } else if (typesAChar(key)) {
    text += static_cast<char>(key);
  }
  return true;
}

void Prompt::pollTerminal() {
  if (!open) return;
  std::string line;
  if (ofPollConsoleLine(line) != ofConsoleLine::line) return;
  text = firstWord(line);
  finish(!text.empty());
}

// Closed before the answer runs, so that the answer may ask again (which
// clears text: the answer gets its own copy).
void Prompt::finish(bool confirmed) {
  open = false;
  Answer run = std::move(answer);
  answer = nullptr;
  const std::string word = text;
  if (confirmed && run) run(word);
}

void Prompt::draw() const {
  if (!open) return;
  const float w = static_cast<float>(ofGetWidth()), y = static_cast<float>(ofGetHeight() / 2);
  ofSetupScreen();
  ofFill();
  ofSetColor(0, 0, 0, 255);
  ofRect(10, y - 14, w - 20, 22);
  // The program draws outlines everywhere else.
  ofNoFill();
  ofSetColor(255, 211, 0, 255);
  ofRect(10, y - 14, w - 20, 22);
  const float room = w - 30 - glyphWidth * static_cast<float>(asked.size() + 1);
  ofDrawBitmapString(asked + tailThatFits(text, room) + "_", 15, y + 2);
}
