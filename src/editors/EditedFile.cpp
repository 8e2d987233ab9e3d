#include "editors/EditedFile.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "framework/XmlSettings.h"
#include "framework/ofLog.h"
#include "framework/ofUtils.h"
#include "level/SameContent.h"

namespace {
// The attribute of the recovery copy's Info that names the file it was
// edited from; loaders of level files pass over it.
constexpr const char* recoveredFrom = "editedFile";

std::string withExtension(const std::string& typed) {
  const std::string ext = ".xml";
  const bool has =
      typed.size() >= ext.size() && typed.compare(typed.size() - ext.size(), ext.size(), ext) == 0;
  return has ? typed : typed + ext;
}

// A name with no folder in it, and not one of the folder's own names.
bool isPlainFileName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
         name.find('\0') == std::string::npos;
}

// Why the file is no level set to edit, or "" when it is one. A level file
// has its Info, Models or Levels (or models and levels of their own) at the
// top; the game's other XML files (the sound bank, the font list) load as
// XML too, and a save would replace them with levels.
std::string loadError(const std::string& name) {
  XmlSettings probe;
  if (!probe.loadFile(name)) {
    return "could not load " + ofToDataPath(name) + ": " + probe.lastError();
  }
  for (const char* part : {"Info", "Models", "Levels", "Model", "Level"}) {
    if (probe.getNumTags(part) > 0) return "";
  }
  return "did not load " + ofToDataPath(name) +
         ": it is not a level set (it has no Info, Models or Levels)";
}

bool modifiedLater(const std::string& newer, const std::string& older) {
  std::error_code failed;
  const auto a = std::filesystem::last_write_time(ofToDataPath(newer), failed);
  if (failed) return false;
  const auto b = std::filesystem::last_write_time(ofToDataPath(older), failed);
  return failed || a > b;
}

// The home folder as "~": the status line has room for a path in the
// player's folder only when it is shortened.
std::string shownPath(const std::string& path) {
  const char* home = std::getenv("HOME");
  const std::string prefix = home && home[0] == '/' ? std::string(home) + "/" : "";
  const bool inHome = prefix.size() > 1 && path.compare(0, prefix.size(), prefix) == 0;
  return inHome ? "~/" + path.substr(prefix.size()) : path;
}

// Makes the folder saves go to; "" when it is there, else why not.
std::string makeFolder(const std::string& folder) {
  if (folder.empty()) return "";
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  return error ? error.message() : "";
}

template <typename T>
bool sameList(const std::vector<T>& a, const std::vector<T>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](const T& x, const T& y) { return sameContent(x, y); });
}

// Everything a save writes is equal (not the selection, animation or count).
bool sameSet(const LevelData& a, const LevelData& b) {
  return sameList(a.models, b.models) && sameList(a.levels, b.levels);
}
}  // namespace

void EditedFile::saveInto(const std::string& where) { folder = where; }

std::string EditedFile::saved(const std::string& name) const {
  return folder.empty() ? name : (std::filesystem::path(folder) / name).string();
}

std::string EditedFile::source(const std::string& name) const {
  return ofIsRegularFile(ofToDataPath(saved(name))) ? saved(name) : name;
}

// The file the recovery copy's edits were made on. The name is read from a
// file, so it is taken only as a file name in the folder saved into: a path
// there ("../../x.xml", "/etc/x.xml") must not aim a save anywhere else.
std::string EditedFile::recoveryOrigin() const {
  XmlSettings probe;
  probe.loadFile(saved(recoveryName));
  const std::string named = probe.getAttribute("Info", recoveredFrom, "data.xml", 0);
  if (isPlainFileName(named)) return named;
  ofLog(OF_WARNING, "%s names \"%s\" as the file its edits came from: not a file name in %s; "
        "the edits are for data.xml", recoveryPath().c_str(), named.c_str(),
        shownPath(ofToDataPath(saved(""))).c_str());
  return "data.xml";
}

std::string EditedFile::path() const { return shownPath(ofToDataPath(saved(fileName))); }

std::string EditedFile::recoveryPath() const {
  return shownPath(ofToDataPath(saved(recoveryName)));
}

std::string EditedFile::open(LevelData& data) {
  fileName = "data.xml";
  std::string said;
  // A fresh set rather than an empty one: a save right away must not
  // replace data.xml with nothing.
  if (!data.load(source(fileName))) {
    said = "new set: " + loadError(source(fileName));
    data = LevelData();
  }
  stored = data;
  if (folder.empty()) return said;
  // Said at once: the player should not look for the saves in the data folder.
  const std::string where = "read-only data: saves go to " + shownPath(folder);
  return said.empty() ? where : said + "; " + where;
}

std::string EditedFile::save(LevelData& data) {
  const std::string trouble = makeFolder(folder);
  if (!trouble.empty()) return "could not save " + path() + ": " + trouble;
  if (!data.save(saved(fileName))) return "could not save " + path() + ": see the terminal";
  stored = data;
  return "saved " + path() + " (copy save_" + ofToString(data.saveCount) + ".xml)";
}

std::string EditedFile::load(LevelData& data, const std::string& typed) {
  const std::string name = withExtension(typed);
  const bool recovery = name == recoveryName;
  const std::string from = recovery ? saved(name) : source(name);
  const std::string refused = loadError(from);
  if (!refused.empty()) return refused;
  LevelData loaded{LevelData::Empty{}};
  if (!loaded.load(from)) return "could not load " + ofToDataPath(from);
  // Read before the recovery copy may be written over just below.
  const std::string target = recovery ? recoveryOrigin() : name;
  std::string kept;
  if (unsaved(data)) {
    // Edits that cannot be kept are not dropped for another file.
    if (!writeRecovery(data)) return "did not load " + shownPath(ofToDataPath(from)) + ": unsaved edits";
    kept = "; unsaved edits in " + recoveryPath();
  }
  data = std::move(loaded);
  fileName = target;
  if (!recovery) {
    stored = data;
    return "loaded " + shownPath(ofToDataPath(from)) + kept;
  }
  // The recovered edits show as unsaved until saved into their own file.
  stored = LevelData{LevelData::Empty{}};
  stored.load(source(fileName));
  return "recovered edits of " + path() + ": Ctrl+S saves them" + kept;
}

bool EditedFile::unsaved(const LevelData& data) const { return !sameSet(data, stored); }

bool EditedFile::writeRecovery(const LevelData& data) const {
  XmlSettings xml;
  data.toXml(xml, data.saveCount);
  xml.setAttribute("Info", recoveredFrom, fileName, 0);
  const std::string trouble = makeFolder(folder);
  if (trouble.empty() && xml.saveFile(saved(recoveryName))) return true;
  ofLog(OF_ERROR, "could not keep the unsaved edits in %s: %s",
        ofToDataPath(saved(recoveryName)).c_str(),
        trouble.empty() ? xml.lastError().c_str() : trouble.c_str());
  return false;
}

// Measured against the file the edits were made on, which is the one being
// edited unless the recovery copy came from another.
std::string EditedFile::recoveryHint() const {
  if (!ofIsRegularFile(ofToDataPath(saved(recoveryName)))) return "";
  const std::string from = recoveryOrigin();
  if (!modifiedLater(saved(recoveryName), source(from))) return "";
  return "unsaved edits of " + from + " kept: Ctrl+L recovered";
}
