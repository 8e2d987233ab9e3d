#include "editors/EditedFile.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "editors/EditedFileNames.h"
#include "framework/XmlSettings.h"
#include "framework/ofFile.h"
#include "framework/ofLog.h"
#include "framework/ofUtils.h"
#include "level/SameContent.h"
#include "platform/UserPaths.h"

namespace {
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

template <typename T>
bool sameList(const std::vector<T>& a, const std::vector<T>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](const T& x, const T& y) { return sameContent(x, y); });
}

// Everything a save writes is equal (not the selection, animation or count).
bool sameSet(const LevelData& a, const LevelData& b) {
  return sameList(a.models, b.models) && sameList(a.levels, b.levels);
}

// The time and size of the file at path as the disk has them; size -1
// when there is no file.
void diskStateOf(const std::string& path, std::int64_t& time, std::int64_t& size) {
  std::error_code failed;
  const auto when = std::filesystem::last_write_time(path, failed);
  const auto bytes = failed ? 0 : std::filesystem::file_size(path, failed);
  time = failed ? 0 : static_cast<std::int64_t>(when.time_since_epoch().count());
  size = failed ? -1 : static_cast<std::int64_t>(bytes);
}
}  // namespace

using namespace editor;

void EditedFile::saveInto(const std::string& where) { folder = where; }

std::string EditedFile::saved(const std::string& name) const {
  return folder.empty() ? name : (std::filesystem::path(folder) / name).string();
}

// The folder saved into first, then the player's own levels, then the data
// folder; a path with a folder in it is read where it says.
std::string EditedFile::source(const std::string& name) const {
  if (name.find('/') != std::string::npos) return name;
  if (ofIsRegularFile(ofToDataPath(saved(name)))) return saved(name);
  const std::string levels = playerLevelFolder();
  const std::string mine = levels.empty() ? "" : (std::filesystem::path(levels) / name).string();
  return !mine.empty() && ofIsRegularFile(mine) ? mine : name;
}

// A file of the player's own levels, or one named by its path, is saved
// where it was found; one of the data folder into the folder saved into.
std::string EditedFile::saveTargetOf(const std::string& name) const {
  const std::string from = source(name);
  return from == name && name.find('/') == std::string::npos ? saved(name) : from;
}

std::string EditedFile::playerLevelFolder() { return userDataPath("levels"); }

std::string EditedFile::path() const {
  return isNew() ? "new set (Ctrl+S names it)" : shownPath(ofToDataPath(target));
}

void EditedFile::adopt(const std::string& file) {
  target = file;
  fileName = isNew() ? "new set" : std::filesystem::path(file).filename().string();
  noteDiskState();
}

void EditedFile::noteDiskState() {
  diskTime = 0;
  diskSize = -1;
  if (!isNew()) diskStateOf(ofToDataPath(target), diskTime, diskSize);
}

bool EditedFile::changedOnDisk() const {
  if (isNew()) return false;
  std::int64_t time = 0, size = -1;
  diskStateOf(ofToDataPath(target), time, size);
  return size >= 0 && (time != diskTime || size != diskSize);
}

std::string EditedFile::keepOutsideVersion() const {
  std::string keptAs;
  if (!LevelData::keepAsNumberedCopy(target, keptAs)) return "; could not keep the file on disk";
  return "; the file on disk was kept as " + shownPath(keptAs);
}

std::string EditedFile::open(LevelData& data) {
  std::string said;
  // A fresh set rather than an empty one: a save right away must not
  // replace data.xml with nothing.
  if (!data.load(source(fileName))) {
    said = "new set: " + loadError(source(fileName));
    data = LevelData();
  }
  stored = data;
  adopt(saved("data.xml"));
  if (folder.empty()) return said;
  // Said at once: the player should not look for the saves in the data folder.
  const std::string where = "read-only data: saves go to " + shownPath(folder);
  return said.empty() ? where : said + "; " + where;
}

// The save itself before anything else is written; the recovery copy of
// these edits is no longer needed once it is done.
std::string EditedFile::saveTo(LevelData& data, const std::string& to) {
  const std::string trouble = makeFolder(std::filesystem::path(ofToDataPath(to)).parent_path().string());
  const std::string shown = shownPath(ofToDataPath(to));
  if (!trouble.empty()) return "could not save " + shown + ": " + trouble;
  bool copyKept = true;
  if (!data.save(to, &copyKept)) return "could not save " + shown + " (see the terminal): Ctrl+E saves elsewhere";
  stored = data;
  adopt(to);
  if (recoveryNumber > 0) {
    std::error_code ignored;
    std::filesystem::remove(ofToDataPath(saved(recoveryFileName(recoveryNumber))), ignored);
    recoveryNumber = 0;
  }
  recoveryWriteFailed = false;
  if (!copyKept) return "saved " + shown + "; its numbered copy could not be written (see the terminal)";
  return "saved " + shown + " (copy save_" + ofToString(data.saveCount) + ".xml)";
}

std::string EditedFile::save(LevelData& data) {
  if (isNew()) return "not saved: a new set has no file yet: Ctrl+E names it";
  return saveTo(data, target);
}

std::string EditedFile::saveAs(LevelData& data, const std::string& typed) {
  const std::string name = withExtension(typed);
  const bool asPath = name.find('/') != std::string::npos;
  if (!asPath && !isPlainFileName(name)) return "not saved: \"" + typed + "\" is no file name";
  const std::string levels = playerLevelFolder();
  if (!asPath && levels.empty()) return "not saved: no home folder for the player's levels";
  const std::string to = asPath ? name : (std::filesystem::path(levels) / name).string();
  std::string kept;
  if (ofIsRegularFile(ofToDataPath(to)) && ofToDataPath(to) != ofToDataPath(target)) {
    std::string keptAs;
    if (!LevelData::keepAsNumberedCopy(to, keptAs)) {
      return "not saved: " + shownPath(ofToDataPath(to)) + " is there and could not be kept";
    }
    kept = "; the file there was kept as " + shownPath(keptAs);
  }
  return saveTo(data, to) + kept;
}

std::string EditedFile::load(LevelData& data, const std::string& typed) {
  std::string name = withExtension(typed);
  if (name == std::string(recoveryStem) + ".xml") {
    const std::vector<int> used = recoveryNumbers();
    if (!used.empty()) name = recoveryFileName(used.front());
  }
  const int number = recoveryNumberOf(name);
  const bool recovery = number >= 0;
  const std::string from = recovery ? saved(name) : source(name);
  const std::string refused = loadError(from);
  if (!refused.empty()) return refused;
  LevelData loaded{LevelData::Empty{}};
  if (!loaded.load(from)) return "could not load " + ofToDataPath(from);
  // Read before the recovery copy may be written over just below.
  const std::string origin = recovery ? recoveryOrigin(name) : saveTargetOf(name);
  std::string kept;
  if (unsaved(data)) {
    // Edits that cannot be kept are not dropped for another file.
    if (!writeRecovery(data)) return "did not load " + shownPath(ofToDataPath(from)) + ": unsaved edits";
    kept = "; unsaved edits in " + recoveryPath();
  }
  data = std::move(loaded);
  adopt(origin);
  // New edits are a new set, kept apart from the copy just written; the
  // edits of a recovery copy go on being kept in it.
  recoveryNumber = recovery ? number : 0;
  recoveryWriteFailed = false;
  if (!recovery) {
    stored = data;
    return "loaded " + shownPath(ofToDataPath(from)) + kept;
  }
  // The recovered edits show as unsaved until saved into their own file.
  stored = LevelData{LevelData::Empty{}};
  if (!isNew()) stored.load(ofIsRegularFile(ofToDataPath(target)) ? target : source(fileName));
  if (isNew()) return "recovered edits of a new set: Ctrl+E saves them under a name" + kept;
  return "recovered edits of " + path() + ": Ctrl+S saves them" + kept;
}

std::string EditedFile::startNew(LevelData& data) {
  std::string kept;
  if (unsaved(data)) {
    if (!writeRecovery(data)) return "no new set: the unsaved edits could not be kept";
    kept = "; unsaved edits in " + recoveryPath();
  }
  data = LevelData();
  stored = data;
  adopt("");
  recoveryNumber = 0;
  return "new set: Ctrl+E saves it under a name" + kept;
}

bool EditedFile::unsaved(const LevelData& data) const { return !sameSet(data, stored); }

