#include "editors/Prompt.h"

#include <cstdio>

#include "editors/EditorCommon.h"
#include "framework/InputState.h"
#include "framework/Latin1Text.h"
#include "framework/ofAppRunner.h"
#include "framework/ofConsole.h"
#include "framework/ofGraphics.h"
#include "framework/ofScreen.h"

namespace {
constexpr int glyphWidth = 8;  // the bitmap font's cell
// Fits the line of the game's 530 pixel wide window.
constexpr const char* whatAWordHolds = "refused: letters (accented too), digits, signs, spaces only";

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Spaces at either end are no part of a word (nor, from the terminal, tabs
// and the line end).
std::string trimmed(const std::string& text) {
  size_t first = 0, last = text.size();
  while (first < last && isBlank(text[first])) ++first;
  while (last > first && isBlank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

// The end of text that fits in width pixels: the caret stays in view. Cut
// between characters, never inside one.
std::string tailThatFits(const std::string& text, float width) {
  const size_t fits = width > 0 ? static_cast<size_t>(width / glyphWidth) : 0;
  size_t start = text.size(), count = 0;
  while (start > 0 && count < fits) {
    --start;
    if ((static_cast<unsigned char>(text[start]) & 0xC0) != 0x80) ++count;
  }
  return text.substr(start);
}
}  // namespace

bool Prompt::ask(const std::string& question, Answer onAnswer) {
  if (open) return false;
  open = true;
  asked = question;
  text.clear();
  refusal.clear();
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
    finish(true);
  } else if (key == KEY_ESCAPE) {
    finish(false);
  } else if (key == KEY_BACKSPACE) {
    popLastCharacter(text);
  } else if (isLatin1Printable(key)) {
    appendLatin1(text, key);
    refusal.clear();
  } else if (key <= 255 && key != KEY_DELETE) {
    refuse();
  }
  return true;
}

void Prompt::pollTerminal() {
  if (!open) return;
  std::string line;
  if (ofPollConsoleLine(line) != ofConsoleLine::line) return;
  const std::string word = trimmed(line);
  if (!isLatin1Word(word)) {
    refuse();
    std::printf("%s\n", whatAWordHolds);
    std::fflush(stdout);
    return;
  }
  text = word;
  finish(true);
}

void Prompt::refuse() { refusal = whatAWordHolds; }

// Closed before the answer runs, so that the answer may ask again (which
// clears text: the answer gets its own copy).
void Prompt::finish(bool confirmed) {
  open = false;
  Answer run = std::move(answer);
  answer = nullptr;
  const std::string word = trimmed(text);
  if (confirmed && !word.empty() && run) run(word);
}

void Prompt::draw() const {
  if (!open) return;
  const float w = static_cast<float>(ofGetWidth()), y = static_cast<float>(ofGetHeight() / 2);
  const float height = refusal.empty() ? 22 : 40;  // the note below the word
  editor::drawQuestionPanel(y - 14, height);
  const float room = w - 30 - glyphWidth * static_cast<float>(characterCount(asked) + 1);
  ofDrawBitmapString(asked + tailThatFits(text, room) + "_", 15, y + 2);
  ofDrawBitmapString(refusal, 15, y + 20);
}
