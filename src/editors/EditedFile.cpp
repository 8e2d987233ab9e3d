#include "editors/EditedFile.h"

#include <algorithm>
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

// The file the recovery copy's edits were made on.
std::string recoveryOrigin() {
  XmlSettings probe;
  probe.loadFile(EditedFile::recoveryName);
  return probe.getAttribute("Info", recoveredFrom, "data.xml", 0);
}

std::string loadError(const std::string& name) {
  XmlSettings probe;
  probe.loadFile(name);
  return "could not load " + ofToDataPath(name) + ": " + probe.lastError();
}

bool modifiedLater(const std::string& newer, const std::string& older) {
  std::error_code failed;
  const auto a = std::filesystem::last_write_time(ofToDataPath(newer), failed);
  if (failed) return false;
  const auto b = std::filesystem::last_write_time(ofToDataPath(older), failed);
  return failed || a > b;
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

std::string EditedFile::path() const { return ofToDataPath(fileName); }

std::string EditedFile::open(LevelData& data) {
  fileName = "data.xml";
  std::string said;
  // A fresh set rather than an empty one: a save right away must not
  // replace data.xml with nothing.
  if (!data.load(fileName)) {
    said = "new set: " + loadError(fileName);
    data = LevelData();
  }
  stored = data;
  return said;
}

std::string EditedFile::save(LevelData& data) {
  if (!data.save(fileName)) return "could not save " + path() + ": see the terminal";
  stored = data;
  return "saved " + path() + " (copy save_" + ofToString(data.saveCount) + ".xml)";
}

std::string EditedFile::load(LevelData& data, const std::string& typed) {
  const std::string name = withExtension(typed);
  LevelData loaded{LevelData::Empty{}};
  if (!loaded.load(name)) return loadError(name);
  // Read before the recovery copy may be written over just below.
  const bool recovery = name == recoveryName;
  const std::string target = recovery ? recoveryOrigin() : name;
  std::string kept;
  if (unsaved(data)) {
    // Edits that cannot be kept are not dropped for another file.
    if (!writeRecovery(data)) return "did not load " + ofToDataPath(name) + ": unsaved edits";
    kept = "; unsaved edits in " + ofToDataPath(recoveryName);
  }
  data = std::move(loaded);
  fileName = target;
  if (!recovery) {
    stored = data;
    return "loaded " + path() + kept;
  }
  // The recovered edits show as unsaved until saved into their own file.
  stored = LevelData{LevelData::Empty{}};
  stored.load(fileName);
  return "recovered edits of " + path() + ": Ctrl+S saves them" + kept;
}

bool EditedFile::unsaved(const LevelData& data) const { return !sameSet(data, stored); }

bool EditedFile::writeRecovery(const LevelData& data) const {
  XmlSettings xml;
  data.toXml(xml, data.saveCount);
  xml.setAttribute("Info", recoveredFrom, fileName, 0);
  if (xml.saveFile(recoveryName)) return true;
  ofLog(OF_ERROR, "could not keep the unsaved edits in %s: %s", ofToDataPath(recoveryName).c_str(),
        xml.lastError().c_str());
  return false;
}

// Measured against the file the edits were made on, which is the one being
// edited unless the recovery copy came from another.
std::string EditedFile::recoveryHint() const {
  if (!ofIsRegularFile(ofToDataPath(recoveryName))) return "";
  const std::string from = recoveryOrigin();
  if (!modifiedLater(recoveryName, from)) return "";
  return "unsaved edits of " + from + " kept: Ctrl+L recovered";
}
