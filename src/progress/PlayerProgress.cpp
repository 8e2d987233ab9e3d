// The record is one XML file, read and written through XmlSettings:
//   <Progress version="1">
//     <Reached guid="..." bestMs="61234.5"></Reached>   (one per level, in order)
//   </Progress>
// Records of older games also hold <Settings ghosts="1" calm="0">, which is
// read but no longer written.

#include "progress/PlayerProgress.h"

#include <charconv>
#include <cmath>

#include "framework/XmlSettings.h"
#include "framework/ofLog.h"
#include "framework/ofUtils.h"
#include "level/LevelData.h"
#include "platform/KeepAside.h"
#include "platform/UserPaths.h"

namespace {
struct OlderSwitchRow {
  const char* name;
  std::optional<bool> PlayerProgress::OlderSwitches::*field;
};
const OlderSwitchRow olderSwitchRows[] = {
    {"ghosts", &PlayerProgress::OlderSwitches::ghosts},
    {"calm", &PlayerProgress::OlderSwitches::calm},
};

bool isTime(float ms) { return std::isfinite(ms) && ms >= 0; }

// The shortest text that reads back as the same float, whatever the locale.
std::string timeText(float ms) {
  char text[32];
  const std::to_chars_result end = std::to_chars(text, text + sizeof text, ms);
  return std::string(text, end.ptr);
}

// A time is the whole text as a number; anything else, or a number that is
// not finite ("nan", "inf", "1e39"), counts as no time at all.
std::optional<float> parseTime(const std::string& text) {
  float ms = 0;
  const char* last = text.data() + text.size();
  const std::from_chars_result end = std::from_chars(text.data(), last, ms);
  if (end.ec != std::errc() || end.ptr != last || !isTime(ms)) return std::nullopt;
  return ms;
}

// Why the file at path holds no record; empty when xml now holds one.
std::string readDocument(const std::string& path, XmlSettings& xml) {
  // Only regular files are read: opening a pipe could wait forever.
  if (!ofIsRegularFile(path)) return "it is not a regular file";
  if (!xml.loadFile(path)) return xml.lastError();
  if (xml.getNumTags("Progress") == 0) return "there is no Progress element";
  return "";
}
}  // namespace

std::string PlayerProgress::path() { return userDataPath("progress.xml"); }

PlayerProgress::Entry* PlayerProgress::find(const std::string& guid) {
  for (Entry& entry : entries) {
    if (entry.guid == guid) return &entry;
  }
  return nullptr;
}

const PlayerProgress::Entry* PlayerProgress::find(const std::string& guid) const {
  return const_cast<PlayerProgress*>(this)->find(guid);
}

void PlayerProgress::reach(const std::string& guid) {
  if (!guid.empty() && !find(guid)) entries.push_back(Entry{guid, std::nullopt});
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

std::vector<std::string> PlayerProgress::reachedIn(const LevelData& data) const {
  std::vector<std::string> found;
  for (const Entry& entry : entries) {
    for (const Level& level : data.levels) {
      if (level.guid == entry.guid) {
        found.push_back(entry.guid);
        break;
      }
    }
  }
  return found;
}

void PlayerProgress::write(XmlSettings& xml) const {
  xml.addTag("Progress");
  xml.setAttribute("Progress", "version", 1);
  xml.pushTag("Progress");
  for (const Entry& entry : entries) {
    const int k = xml.addTag("Reached");
    xml.setAttribute("Reached", "guid", entry.guid, k);
    if (entry.best) xml.setAttribute("Reached", "bestMs", timeText(*entry.best), k);
  }
  xml.popTag();
}

// Duplicate and empty guids and bad times go through reach and offerTime,
// which keep the record's rules: a guid once, in its first place, with the
// best of its times.
void PlayerProgress::read(XmlSettings& xml) {
  xml.pushTag("Progress");
  // An attribute that is not there reads as -1: no value to carry over.
  for (const OlderSwitchRow& row : olderSwitchRows) {
    const int value = xml.getAttribute("Settings", row.name, -1);
    if (value != -1) olderSwitches.*row.field = value != 0;
  }
  const int count = xml.getNumTags("Reached");
  for (int k = 0; k < count; ++k) {
    const std::string guid = xml.getAttribute("Reached", "guid", "", k);
    reach(guid);
    const std::optional<float> best = parseTime(xml.getAttribute("Reached", "bestMs", "", k));
    if (best) offerTime(guid, *best);
  }
  xml.popTag();
}

bool PlayerProgress::load() {
  *this = PlayerProgress();
  const std::string file = path();
  if (file.empty()) {
    ofLog(OF_WARNING, "no player's progress: neither XDG_DATA_HOME nor HOME names a folder");
    return false;
  }
  if (!pathTaken(file)) {
    ofLog(OF_NOTICE, "no progress in %s yet: starting afresh", file.c_str());
    return false;
  }
  XmlSettings xml;
  const std::string why = readDocument(file, xml);
  if (!why.empty()) {
    ofLog(OF_WARNING, "could not load %s: %s; starting with no progress", file.c_str(),
          why.c_str());
    return false;
  }
  read(xml);
  return true;
}

bool PlayerProgress::save() const {
  if (!makeUserDataFolder()) return false;
  const std::string file = path();
  // A regular file that holds no record is kept before it is written over.
  XmlSettings old;
  const std::string why = ofIsRegularFile(file) ? readDocument(file, old) : "";
  if (!why.empty() && !keepAside(file, why)) return false;
  XmlSettings xml;
  write(xml);
  if (!xml.saveFile(file)) {
    ofLog(OF_ERROR, "could not save %s: %s", file.c_str(), xml.lastError().c_str());
    return false;
  }
  return true;
}
