// The record is one XML file, read and written through XmlSettings:
//   <Progress version="1">
//     <Reached guid="..." bestMs="61234.5"></Reached>   (one per level, in order)
//   </Progress>
// Records of older games also hold <Settings ghosts="1" calm="0">, which is
// read but no longer written.

#include "progress/PlayerProgress.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <mutex>

#include "framework/XmlSettings.h"
#include "framework/ofFile.h"
#include "framework/ofLog.h"
#include "level/LevelData.h"
#include "platform/KeepAside.h"
#include "platform/UserPaths.h"
#include "progress/RecordFile.h"
#include "progress/RecordWriter.h"

namespace {
struct OlderSwitchRow {
  const char* name;
  std::optional<bool> PlayerProgress::OlderSwitches::*field;
};
const OlderSwitchRow olderSwitchRows[] = {
    {"ghosts", &PlayerProgress::OlderSwitches::ghosts},
    {"calm", &PlayerProgress::OlderSwitches::calm},
};

constexpr int version = 1;

// An attribute value never holds a NUL byte: this default tells an
// attribute that is absent from one that is empty.
const std::string absent("\0", 1);

bool isTime(float ms) { return std::isfinite(ms) && ms >= 0; }

// The version the text names; 1 for none, nothing for text that is not a
// whole number.
std::optional<long> versionOf(const std::string& text) {
  if (text == absent) return version;
  long number = 0;
  const char* last = text.data() + text.size();
  const std::from_chars_result end = std::from_chars(text.data(), last, number);
  if (end.ec != std::errc() || end.ptr != last) return std::nullopt;
  return number;
}

// The first few things a record could not take, in words that follow
// "could not be read" in the line that keeps the file aside.
std::string listed(const std::vector<std::string>& dropped) {
  std::string text = "in part: ";
  const size_t shown = std::min<size_t>(dropped.size(), 3);
  for (size_t i = 0; i < shown; ++i) text += (i ? ", " : "") + dropped[i];
  if (dropped.size() > shown) text += " and " + std::to_string(dropped.size() - shown) + " more";
  return text;
}
}  // namespace

// What a file held, as the record sees it.
struct PlayerProgress::Reading {
  enum class Found { missing, unreadable, newer, damaged, record } found = Found::missing;
  std::string why;                   // unreadable, newer, damaged: in words after the path
  std::vector<std::string> dropped;  // record: what it held that the record cannot

  // The line that says a file this game must not replace is left alone
  // (one that cannot be read, or of a newer version); empty for others.
  std::string leftAlone(const std::string& file) const {
    const std::string kept =
        "; it is left as it is, and this run's progress is kept only until the game ends";
    if (found == Found::unreadable) return "could not read " + file + ": " + why + kept;
    if (found == Found::newer) return file + " " + why + kept;
    return "";
  }
};

// Shared by a record and its copies, and written from the writer's thread.
struct PlayerProgress::Problem {
  std::mutex lock;
  std::string text;
  bool taken = false;

  void keep(const std::string& next) {
    if (next != text) taken = false;
    text = next;
  }
};

PlayerProgress::PlayerProgress() : problemSaid(std::make_shared<Problem>()) {}

std::string PlayerProgress::path() { return userDataPath("progress.xml"); }

std::string PlayerProgress::problem() const {
  std::lock_guard<std::mutex> hold(problemSaid->lock);
  return problemSaid->text;
}

std::string PlayerProgress::takeProblem() {
  std::lock_guard<std::mutex> hold(problemSaid->lock);
  if (problemSaid->taken) return "";
  problemSaid->taken = true;
  return problemSaid->text;
}

void PlayerProgress::say(int level, const std::string& text) const {
  std::lock_guard<std::mutex> hold(problemSaid->lock);
  if (!text.empty() && text != problemSaid->text) ofLog(level, "%s", text.c_str());
  problemSaid->keep(text);
}

void PlayerProgress::remember(const std::string& text) const {
  std::lock_guard<std::mutex> hold(problemSaid->lock);
  problemSaid->keep(text);
}

bool PlayerProgress::keptNothing(const std::string& file) const {
  remember("could not save " + file +
           ": the file there does not load, and could not be kept aside");
  return false;
}

PlayerProgress::Entry* PlayerProgress::find(const std::string& guid) {
  const auto at = position.find(guid);
  return at == position.end() ? nullptr : &entries[at->second];
}

const PlayerProgress::Entry* PlayerProgress::find(const std::string& guid) const {
  return const_cast<PlayerProgress*>(this)->find(guid);
}

void PlayerProgress::reach(const std::string& guid) {
  if (guid.empty() || position.count(guid)) return;
  position.emplace(guid, entries.size());
  entries.push_back(Entry{guid, std::nullopt});
}

bool PlayerProgress::hasReached(const std::string& guid) const { return find(guid) != nullptr; }

std::optional<float> PlayerProgress::bestTime(const std::string& guid) const {
  const Entry* entry = find(guid);
  return entry ? entry->best : std::nullopt;
}

bool PlayerProgress::offerTime(const std::string& guid, float ms) {
  if (guid.empty() || !isTime(ms)) return false;
  reach(guid);
  Entry* entry = find(guid);
  if (entry->best && *entry->best <= ms) return false;
  entry->best = ms;
  return true;
}

// By the levels' places in the record: a set of a few dozen levels costs
// the same against a record of any size.
std::vector<std::string> PlayerProgress::reachedIn(const LevelData& data) const {
  std::vector<size_t> places;
  for (const Level& level : data.levels) {
    const auto at = position.find(level.guid);
    if (at != position.end()) places.push_back(at->second);
  }
  std::sort(places.begin(), places.end());
  places.erase(std::unique(places.begin(), places.end()), places.end());
  std::vector<std::string> found;
  found.reserve(places.size());
  for (size_t place : places) found.push_back(entries[place].guid);
  return found;
}

void PlayerProgress::write(XmlSettings& xml) const {
  xml.addTag("Progress");
  xml.setAttribute("Progress", "version", version);
  xml.pushTag("Progress");
  for (const Entry& entry : entries) {
    const int k = xml.addTag("Reached");
    xml.setAttribute("Reached", "guid", entry.guid, k);
    if (entry.best) xml.setAttribute("Reached", "bestMs", recordTimeText(*entry.best), k);
  }
  xml.popTag();
}

// Duplicate guids go through reach and offerTime, which keep the record's
// rules: a guid once, in its first place, with the best of its times. What
// the rules cannot keep is listed in dropped.
void PlayerProgress::read(XmlSettings& xml, std::vector<std::string>& dropped) {
  xml.pushTag("Progress");
  // An attribute that is not there reads as -1: no value to carry over.
  for (const OlderSwitchRow& row : olderSwitchRows) {
    const int value = xml.getAttribute("Settings", row.name, -1);
    if (value != -1) olderSwitches.*row.field = value != 0;
  }
  const int count = xml.getNumTags("Reached");
  for (int k = 0; k < count; ++k) {
    const std::string entry = "entry " + std::to_string(k + 1);
    const std::string guid = xml.getAttribute("Reached", "guid", "", k);
    if (guid.empty()) {
      dropped.push_back(entry + " has no guid");
      continue;
    }
    reach(guid);
    const std::string bestText = xml.getAttribute("Reached", "bestMs", absent, k);
    if (bestText == absent) continue;
    const std::optional<float> best = parseRecordTime(bestText);
    if (best) {
      offerTime(guid, *best);
    } else {
      dropped.push_back(entry + "'s bestMs \"" + bestText + "\" is not a time");
    }
  }
  xml.popTag();
}

PlayerProgress::Reading PlayerProgress::readFile(const std::string& file) {
  Reading reading;
  XmlSettings xml;
  const RecordFile found = readRecordFile(file, ofFileReadLimit, xml);
  reading.why = found.why;
  switch (found.state) {
    case RecordFile::State::missing: return reading;
    case RecordFile::State::unreadable: reading.found = Reading::Found::unreadable; return reading;
    case RecordFile::State::damaged: reading.found = Reading::Found::damaged; return reading;
    case RecordFile::State::read: break;
  }
  if (xml.getNumTags("Progress") == 0) {
    reading.found = Reading::Found::damaged;
    reading.why = "there is no Progress element";
    return reading;
  }
  const std::string versionText = xml.getAttribute("Progress", "version", absent);
  const std::optional<long> fileVersion = versionOf(versionText);
  if (fileVersion && *fileVersion > version) {
    reading.found = Reading::Found::newer;
    reading.why = "was written by a newer version of the game (version " +
                  std::to_string(*fileVersion) + ")";
    return reading;
  }
  reading.found = Reading::Found::record;
  if (!fileVersion) reading.dropped.push_back("its version \"" + versionText + "\" is no number");
  read(xml, reading.dropped);
  if (!found.after.empty()) reading.dropped.push_back(found.after);
  return reading;
}

bool PlayerProgress::load() {
  flushRecordJobs();
  entries.clear();
  position.clear();
  olderSwitches = OlderSwitches();
  const std::string file = path();
  if (file.empty()) {
    say(OF_WARNING, "no player's progress: neither XDG_DATA_HOME nor HOME names a folder");
    return false;
  }
  const Reading reading = readFile(file);
  switch (reading.found) {
    case Reading::Found::missing:
      say(OF_NOTICE, "");
      ofLog(OF_NOTICE, "no progress in %s yet: starting afresh", file.c_str());
      return false;
    case Reading::Found::unreadable:
    case Reading::Found::newer: say(OF_WARNING, reading.leftAlone(file)); return false;
    case Reading::Found::damaged:
      say(OF_WARNING,
          "could not load " + file + ": " + reading.why + "; starting with no progress");
      return false;
    case Reading::Found::record: say(OF_NOTICE, ""); return true;
  }
  return false;
}

bool PlayerProgress::save() const {
  const std::string file = path();
  // Where makeUserDataFolder or keepAside fails it has said why itself.
  if (!makeUserDataFolder()) {
    remember("could not save " + (file.empty() ? "progress" : file) +
             ": there is no player's folder to keep it in");
    return false;
  }
  const ofFileLock lock(file);
  PlayerProgress merged;
  const Reading onDisk = merged.readFile(file);
  switch (onDisk.found) {
    case Reading::Found::unreadable:
    case Reading::Found::newer: say(OF_WARNING, onDisk.leftAlone(file)); return false;
    case Reading::Found::damaged:
      if (!keepAside(file, onDisk.why)) return keptNothing(file);
      break;
    case Reading::Found::record:
      if (!onDisk.dropped.empty() && !keepAside(file, listed(onDisk.dropped))) {
        return keptNothing(file);
      }
      break;
    case Reading::Found::missing: break;
  }
  for (const Entry& entry : entries) {
    merged.reach(entry.guid);
    if (entry.best) merged.offerTime(entry.guid, *entry.best);
  }
  XmlSettings xml;
  merged.write(xml);
  if (!xml.saveFile(file)) {
    say(OF_ERROR, "could not save " + file + ": " + xml.lastError());
    return false;
  }
  say(OF_NOTICE, "");
  return true;
}
