#include "framework/ofConsole.h"

#include <cstdio>
#include <iostream>

namespace {
std::istream* input = nullptr;
}

bool ofReadConsoleWord(const std::string& prompt, std::string& word) {
  if (!prompt.empty()) {
    std::fputs(prompt.c_str(), stdout);
    std::fflush(stdout);
  }
  std::istream& in = input ? *input : std::cin;
  std::string read;
  if (!(in >> read)) {
    in.clear();  // a closed console must not poison later reads
    return false;
  }
  word = read;
  return true;
}

void ofSetConsoleInput(std::istream* in) { input = in; }
