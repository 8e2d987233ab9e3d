// The file is text, one setting a line, in the order written here:
//   # a note
//   turn_left = left
//   music_volume = 80
//   fullscreen = off
// Names are exact; values may be surrounded by blanks; blank lines and
// lines that start with # are skipped.

#include "platform/Settings.h"

#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

#include "framework/ofLog.h"
#include "framework/ofUtils.h"
#include "framework/ofWindowScale.h"
#include "platform/KeepAside.h"
#include "platform/UserPaths.h"

namespace {
// Each row's note, when it has one, is written above it.
struct NumberRow {
  const char* name;
  int Settings::*field;
  int low, high;
  const char* note;
};
const NumberRow numberRows[] = {
    {"music_volume", &Settings::musicVolume, 0, 100, "# Volumes, 0 to 100.\n"},
    {"effects_volume", &Settings::effectsVolume, 0, 100, nullptr},
    {"scale", &Settings::scale, 1, ofMaxWindowScale,
     "# The window: 1 to 4 times 530 by 370, or the whole screen (F11 too).\n"},
};

struct SwitchRow {
  const char* name;
  bool Settings::*field;
  const char* note;
};
const SwitchRow switchRows[] = {
    {"fullscreen", &Settings::fullscreen, nullptr},
    {"calm", &Settings::calm, "# Calm mode (c on the title) and the best run's ghost (h).\n"},
    {"ghosts", &Settings::ghosts, nullptr},
};

// Words a switch is read from; the first pair is the one written.
struct SwitchWord {
  const char* word;
  bool on;
};
const SwitchWord switchWords[] = {{"on", true},  {"off", false}, {"yes", true}, {"no", false},
                                  {"true", true}, {"false", false}, {"1", true}, {"0", false}};

// A file larger than this is no settings file: a few hundred bytes are.
constexpr std::streamsize largestFile = 64 * 1024;
// Bad lines said one by one; past this many, the rest are counted.
constexpr int badLinesSaid = 8;

// Without the blanks around it; a carriage return counts as one, so that a
// file edited where lines end in CR LF reads the same.
std::string trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return "";
  const size_t last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

// Text from the file as the log shows it: short, and only printable bytes,
// so a damaged file cannot spoil the terminal.
std::string shown(const std::string& text) {
  std::string out;
  for (char c : text.substr(0, 40)) out += c >= ' ' && c < 127 ? c : '?';
  return text.size() > 40 ? out + "..." : out;
}

std::string quoted(const std::string& text) { return "\"" + shown(text) + "\""; }

const char* switchWord(bool on) { return on ? "on" : "off"; }

// Writes text to path through a temporary file beside it, synced and
// renamed over path, so that a crash leaves the old file or the new one.
// Empty on success, else why not.
std::string writeWhole(const std::string& path, const std::string& text) {
  const std::string temporary = path + ".tmp";
  std::FILE* file = std::fopen(temporary.c_str(), "w");
  if (!file) return std::strerror(errno);
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  const bool flushed = std::fflush(file) == 0 && fsync(fileno(file)) == 0;
  const bool closed = std::fclose(file) == 0;
  if (!written || !flushed || !closed) {
    std::remove(temporary.c_str());
    return "could not write the whole file";
  }
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    const std::string why = std::strerror(errno);
    std::remove(temporary.c_str());
    return why;
  }
  return "";
}
}  // namespace

// What one read has seen so far: which actions a line of the text bound, so
// that a later line cannot take their keys from them.
struct Settings::Reading {
  bool keyFromText[KeyBindings::actionCount] = {};
};

std::string Settings::path() { return userConfigPath("settings"); }

std::string Settings::applyKey(KeyBindings::Action action, const std::string& value,
                               Reading& reading) {
  const std::optional<int> key = keyNamed(value);
  if (!key) return quoted(value) + " names no key";
  const std::string why = whyNotBindable(*key);
  if (!why.empty()) return why;
  const KeyBindings::Action holder = keys.actionOf(*key);
  if (holder != KeyBindings::actionCount && holder != action && reading.keyFromText[holder]) {
    return keyName(*key) + " is bound to " + KeyBindings::info(holder).name + " already";
  }
  keys.bind(action, *key);
  reading.keyFromText[action] = true;
  return "";
}

std::string Settings::apply(const std::string& name, const std::string& value, Reading& reading) {
  const KeyBindings::Action action = KeyBindings::actionNamed(name);
  if (action != KeyBindings::actionCount) return applyKey(action, value, reading);
  for (const NumberRow& row : numberRows) {
    if (name != row.name) continue;
    int number = 0;
    const char* last = value.data() + value.size();
    const std::from_chars_result end = std::from_chars(value.data(), last, number);
    if (end.ec != std::errc() || end.ptr != last || number < row.low || number > row.high) {
      return name + " must be a whole number from " + ofToString(row.low) + " to " +
             ofToString(row.high) + ", not " + quoted(value);
    }
    this->*row.field = number;
    return "";
  }
  for (const SwitchRow& row : switchRows) {
    if (name != row.name) continue;
    for (const SwitchWord& word : switchWords) {
      if (value == word.word) {
        this->*row.field = word.on;
        return "";
      }
    }
    return name + " must be on or off, not " + quoted(value);
  }
  return "there is no setting " + quoted(name);
}

int Settings::read(const std::string& text, const std::string& where) {
  Reading reading;
  int bad = 0;
  int lineNumber = 0;
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    ++lineNumber;
    const std::string line = trimmed(text.substr(start, end - start));
    start = end + 1;
    if (line.empty() || line[0] == '#') continue;
    const size_t equals = line.find('=');
    const std::string name = trimmed(line.substr(0, equals));
    std::string why;
    if (equals == std::string::npos) {
      why = quoted(line) + " is not \"name = value\"";
    } else {
      why = apply(name, trimmed(line.substr(equals + 1)), reading);
    }
    if (why.empty()) {
      named.insert(name);
    } else if (++bad <= badLinesSaid) {
      ofLog(OF_WARNING, "%s: line %d: %s; the line is left out", where.c_str(), lineNumber,
            why.c_str());
    }
  }
  if (bad > badLinesSaid) {
    ofLog(OF_WARNING, "%s: %d more lines are left out", where.c_str(), bad - badLinesSaid);
  }
  return bad;
}

bool Settings::load() {
  *this = Settings();
  const std::string file = path();
  if (file.empty()) {
    ofLog(OF_WARNING, "no settings: neither XDG_CONFIG_HOME nor HOME names a folder");
    return false;
  }
  if (!pathTaken(file)) {
    ofLog(OF_NOTICE, "no settings in %s yet: the defaults apply", file.c_str());
    return false;
  }
  // Only regular files are read: opening a pipe could wait forever.
  if (!ofIsRegularFile(file)) {
    ofLog(OF_WARNING, "could not load %s: it is not a regular file; the defaults apply",
          file.c_str());
    return false;
  }
  std::ifstream in(file, std::ios::binary);
  std::string text;
  text.resize(static_cast<size_t>(largestFile) + 1);
  in.read(&text[0], largestFile + 1);
  text.resize(static_cast<size_t>(in.gcount()));
  if (text.size() > static_cast<size_t>(largestFile)) {
    ofLog(OF_WARNING, "could not load %s: it is larger than a settings file can be; the defaults apply",
          file.c_str());
    keepBeforeSaving = true;
    return false;
  }
  keepBeforeSaving = read(text, file) > 0;
  return true;
}

std::string Settings::text() const {
  std::string out =
      "# Orvane's settings: one \"name = value\" a line; a line that starts with #\n"
      "# is a note. The game writes this file again when a setting changes.\n"
      "\n"
      "# Keys (k on the title changes them): a letter, digit or sign, or space,\n"
      "# enter, esc, tab, backspace, delete, left, right, up, down, home, end,\n"
      "# pageup, pagedown, insert, f1 to f12.\n";
  for (int a = 0; a < KeyBindings::actionCount; ++a) {
    const auto action = static_cast<KeyBindings::Action>(a);
    out += std::string(KeyBindings::info(action).name) + " = " + keyName(keys.key(action)) + "\n";
  }
  for (const NumberRow& row : numberRows) {
    if (row.note) out += row.note;
    out += std::string(row.name) + " = " + ofToString(this->*row.field) + "\n";
  }
  for (const SwitchRow& row : switchRows) {
    if (row.note) out += row.note;
    out += std::string(row.name) + " = " + switchWord(this->*row.field) + "\n";
  }
  return out;
}

bool Settings::save() {
  if (!makeUserConfigFolder()) return false;
  const std::string file = path();
  if (keepBeforeSaving && ofIsRegularFile(file) &&
      !keepAside(file, "it held lines the game could not use")) {
    return false;
  }
  keepBeforeSaving = false;
  const std::string why = writeWhole(file, text());
  if (!why.empty()) {
    ofLog(OF_ERROR, "could not save %s: %s", file.c_str(), why.c_str());
    return false;
  }
  return true;
}

bool Settings::operator==(const Settings& other) const {
  for (const NumberRow& row : numberRows) {
    if (this->*row.field != other.*row.field) return false;
  }
  for (const SwitchRow& row : switchRows) {
    if (this->*row.field != other.*row.field) return false;
  }
  return keys == other.keys;
}
