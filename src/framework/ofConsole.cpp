#include "framework/ofConsole.h"

#include <cstdio>
#include <iostream>

namespace {
std::istream* input = nullptr;

constexpr int endOfInput = std::char_traits<char>::eof();

// Spaces within a line; the end of the line ends the answer.
bool isBlank(int c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; }

void skipBlanks(std::istream& in) {
  while (isBlank(in.peek())) in.get();
}

std::string takeWord(std::istream& in) {
  std::string word;
  for (int c = in.peek(); c != endOfInput && c != '\n' && !isBlank(c); c = in.peek()) {
    word += static_cast<char>(in.get());
  }
  return word;
}
}  // namespace

bool ofReadConsoleWord(const std::string& prompt, std::string& word) {
  if (!prompt.empty()) {
    std::fputs(prompt.c_str(), stdout);
    std::fflush(stdout);
  }
  std::istream& in = input ? *input : std::cin;
  skipBlanks(in);
  const std::string read = takeWord(in);
  // The Enter that ended the line is used up here, or the next question
  // would take it for an empty answer; more words on the line stay for it.
  skipBlanks(in);
  if (in.peek() == '\n') in.get();
  in.clear();  // a closed console must not poison later reads
  if (read.empty()) return false;
  word = read;
  return true;
}

void ofSetConsoleInput(std::istream* in) { input = in; }
