#include "shell/NameEntry.h"

#include "framework/InputState.h"
#include "shell/HighScores.h"

namespace {
// Plain ASCII ranges rather than <cctype>: the answer must not depend on the
// locale, and codes of 256 and up are special keys (Left is 256 + 'd').
bool isLower(int key) { return key >= 'a' && key <= 'z'; }
bool isUpper(int key) { return key >= 'A' && key <= 'Z'; }
bool isDigit(int key) { return key >= '0' && key <= '9'; }
}  // namespace

bool NameEntry::keyPressed(int key) {
  // On some systems the Backspace key arrives as Delete; with no caret to
  // move, both can only mean "rub out".
  if (key == KEY_BACKSPACE || key == KEY_DELETE) {
    if (!text.empty()) text.pop_back();
    return true;
  }
  if (!isLower(key) && !isUpper(key) && !isDigit(key)) return false;
  if (text.size() < HighScores::nameBytes) {
    text += static_cast<char>(isLower(key) ? key - 'a' + 'A' : key);
  }
  return true;
}

std::string NameEntry::name() const { return text.empty() ? "YOU" : text; }
