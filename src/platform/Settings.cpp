// The file is text, one setting a line, in the order written here:
//   # a note
//   turn_left = left
//   music_volume = 80
//   fullscreen = off
// Names are exact; values may be surrounded by blanks; blank lines and
// lines that start with # are skipped.

#include "platform/Settings.h"

#include <charconv>
#include <filesystem>
#include <system_error>

#include "framework/ofFile.h"
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

const char* const keysNote =
    "# Keys (k on the title changes them): a letter, digit or sign, or space,\n"
    "# enter, esc, tab, backspace, delete, left, right, up, down, home, end,\n"
    "# pageup, pagedown, insert, f1 to f12.\n";

// Words a switch is read from; the first pair is the one written.
struct SwitchWord {
  const char* word;
  bool on;
};
const SwitchWord switchWords[] = {{"on", true},  {"off", false}, {"yes", true}, {"no", false},
                                  {"true", true}, {"false", false}, {"1", true}, {"0", false}};

// A file larger than this is no settings file: a few hundred bytes are.
constexpr size_t largestFile = 64 * 1024;
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

// What is at the settings file's place: its text, nothing, a file too
// large to be one, or something that cannot be read (why in error).
struct OnDisk {
  enum Kind { text, missing, oversized, unreadable } kind;
  std::string bytes;
  std::string error;
};

OnDisk readSettingsFile(const std::string& file) {
  const ofFileRead read = ofReadFile(file, largestFile);
  if (read.ok) return {OnDisk::text, read.bytes, ""};
  if (read.missing) return {OnDisk::missing, "", ""};
  std::error_code ignored;
  if (std::filesystem::is_regular_file(file, ignored) &&
      std::filesystem::file_size(file, ignored) > largestFile) {
    return {OnDisk::oversized, "", read.error};
  }
  return {OnDisk::unreadable, "", read.error};
}
}  // namespace

// What one read has seen so far: which actions a line of the text bound, so
// that a later line cannot take their keys from them.
struct Settings::Reading {
  bool keyFromText[KeyBindings::actionCount] = {};
};

struct Settings::Line {
  std::string name, value;
  const char* note;  // written above the line; may be null
};

std::vector<Settings::Line> Settings::lines() const {
  std::vector<Line> out;
  for (int a = 0; a < KeyBindings::actionCount; ++a) {
    const auto action = static_cast<KeyBindings::Action>(a);
    out.push_back({KeyBindings::info(action).name, keyName(keys.key(action)),
                   a == 0 ? keysNote : nullptr});
  }
  for (const NumberRow& row : numberRows) {
    out.push_back({row.name, ofToString(this->*row.field), row.note});
  }
  for (const SwitchRow& row : switchRows) {
    out.push_back({row.name, switchWord(this->*row.field), row.note});
  }
  return out;
}

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
  return parse(text, where, false);
}

int Settings::parse(const std::string& text, const std::string& where, bool quiet) {
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
    } else if (++bad <= badLinesSaid && !quiet) {
      ofLog(OF_WARNING, "%s: line %d: %s; the line is left out", where.c_str(), lineNumber,
            why.c_str());
    }
  }
  if (bad > badLinesSaid && !quiet) {
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
  const OnDisk disk = readSettingsFile(file);
  switch (disk.kind) {
    case OnDisk::missing:
      ofLog(OF_NOTICE, "no settings in %s yet: the defaults apply", file.c_str());
      return false;
    case OnDisk::oversized:
      // The first save keeps it aside: it may be a file of the player's own.
      complain(OF_WARNING, "could not load " + file +
                               ": it is larger than a settings file can be; the defaults apply");
      return false;
    case OnDisk::unreadable:
      complain(OF_WARNING, "could not load " + file + ": " + disk.error +
                               "; the defaults apply for now, and the file is not written over");
      return false;
    case OnDisk::text: break;
  }
  read(disk.bytes, file);
  fileValues = values();
  return true;
}

std::string Settings::text() const {
  std::string out =
      "# Orvane's settings: one \"name = value\" a line; a line that starts with #\n"
      "# is a note. The game writes this file again when a setting changes.\n"
      "\n";
  for (const Line& line : lines()) {
    if (line.note) out += line.note;
    out += line.name + " = " + line.value + "\n";
  }
  return out;
}

std::vector<std::string> Settings::values() const {
  std::vector<std::string> out;
  for (const Line& line : lines()) out.push_back(line.value);
  return out;
}

void Settings::applyChangesTo(Settings& other) const {
  const std::vector<Line> now = lines();
  // With no file read or written yet, this game began from the defaults.
  const std::vector<std::string> was = fileValues.empty() ? Settings().values() : fileValues;
  Reading reading;
  for (size_t i = 0; i < now.size(); ++i) {
    // A value of text()'s always applies, and a game's own bindings never
    // clash: each of its keys belongs to one action.
    if (now[i].value != was[i]) other.apply(now[i].name, now[i].value, reading);
  }
}

void Settings::complain(ofLogLevel level, const std::string& message) {
  if (message == lastComplaint) return;
  lastComplaint = message;
  problem = message;
  ofLog(level, "%s", message.c_str());
}

bool Settings::save() {
  if (!makeUserConfigFolder()) return false;
  const std::string file = path();
  // Two games save in turn: each reads what the other wrote before it writes.
  const ofFileLock lock(file);
  const OnDisk disk = readSettingsFile(file);
  if (disk.kind == OnDisk::unreadable) {
    complain(OF_ERROR, "could not save " + file + ": it could not be read (" + disk.error +
                           "), so it is not written over");
    return false;
  }
  Settings merged = *this;
  if (disk.kind == OnDisk::text) {
    merged = Settings();
    const bool whole = merged.parse(disk.bytes, file, true) == 0;
    if (!whole && !keepAside(file, "it held lines the game could not use")) return false;
    applyChangesTo(merged);
  } else if (disk.kind == OnDisk::oversized &&
             !keepAside(file, "it is larger than a settings file can be")) {
    return false;
  }
  std::string error;
  if (!ofWriteFile(file, merged.text(), error)) {
    complain(OF_ERROR, "could not save " + file + ": " + error);
    return false;
  }
  merged.named.insert(named.begin(), named.end());
  merged.problem = std::move(problem);
  *this = std::move(merged);
  lastComplaint.clear();
  fileValues = values();
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
