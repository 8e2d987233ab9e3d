#include "framework/ofConsole.h"

#include <poll.h>
#include <unistd.h>

#include <istream>

namespace {
std::istream* input = nullptr;
// What the terminal has sent beyond the last whole line taken.
std::string pending;

// Moves the first whole line of pending into line; a "\r\n" end counts as one.
bool takeLine(std::string& line) {
  const size_t end = pending.find('\n');
  if (end == std::string::npos) return false;
  line = pending.substr(0, end);
  if (!line.empty() && line.back() == '\r') line.pop_back();
  pending.erase(0, end + 1);
  return true;
}

ofConsoleLine pollTestInput(std::string& line) {
  std::string read;
  if (!std::getline(*input, read)) {
    input->clear();  // a closed input must not poison later reads
    return ofConsoleLine::closed;
  }
  if (!read.empty() && read.back() == '\r') read.pop_back();
  line = read;
  return ofConsoleLine::line;
}
}  // namespace

ofConsoleLine ofPollConsoleLine(std::string& line) {
  if (input) return pollTestInput(line);
  if (takeLine(line)) return ofConsoleLine::line;
  if (!isatty(STDIN_FILENO)) return ofConsoleLine::closed;
  pollfd ready{STDIN_FILENO, POLLIN, 0};
  if (poll(&ready, 1, 0) <= 0) return ofConsoleLine::none;
  char bytes[256];
  const ssize_t got = read(STDIN_FILENO, bytes, sizeof bytes);
  if (got <= 0) return ofConsoleLine::closed;
  pending.append(bytes, static_cast<size_t>(got));
  return takeLine(line) ? ofConsoleLine::line : ofConsoleLine::none;
}

bool ofConsoleIsInteractive() { return input || isatty(STDIN_FILENO); }

void ofSetConsoleInput(std::istream* in) { input = in; }
