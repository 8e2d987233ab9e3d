#include "editors/EditedFile.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "framework/XmlSettings.h"
#include "framework/ofFile.h"
#include "framework/ofLog.h"
#include "framework/ofUtils.h"
#include "level/SameContent.h"
#include "platform/UserPaths.h"

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
// "recovered_3.xml" is 3, "recovered.xml" (an older game's) 0; -1 for any
// other name.
int recoveryNumberOf(const std::string& name) {
  const std::string stem = EditedFile::recoveryStem;
  if (name == stem + ".xml") return 0;
  const std::string prefix = stem + "_", ext = ".xml";
  const size_t around = prefix.size() + ext.size();
  if (name.size() <= around || name.compare(0, prefix.size(), prefix) != 0 ||
      name.compare(name.size() - ext.size(), ext.size(), ext) != 0) {
    return -1;
  }
  const std::string digits = name.substr(prefix.size(), name.size() - around);
  const bool number = digits.size() <= 9 && std::all_of(digits.begin(), digits.end(), [](char c) {
                        return c >= '0' && c <= '9';
                      });
  if (!number) return -1;
  const int n = std::atoi(digits.c_str());
  return n > 0 ? n : -1;
}

std::string recoveryFileName(int number) {
  const std::string stem = EditedFile::recoveryStem;
  return number == 0 ? stem + ".xml" : stem + "_" + ofToString(number) + ".xml";
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

// The file a recovery copy's edits were made on. The name is read from a
// file, so it is taken only as a file name in the folder saved into, or a
// file in the player's level folder: a path elsewhere ("../../x.xml",
// "/etc/x.xml") must not aim a save anywhere else.
std::string EditedFile::recoveryOrigin(const std::string& copy) const {
  XmlSettings probe;
  probe.loadFile(saved(copy));
  const std::string named = probe.getAttribute("Info", recoveredFrom, "data.xml", 0);
  if (named.empty()) return "";  // a new set, with no file yet
  if (isPlainFileName(named)) return saved(named);
  const std::filesystem::path asPath(named);
  const std::string levels = playerLevelFolder();
  if (!levels.empty() && asPath.is_absolute() && asPath.parent_path() == levels &&
      isPlainFileName(asPath.filename().string())) {
    return named;
  }
  ofLog(OF_WARNING, "%s names \"%s\" as the file its edits came from: not a file of %s; "
        "the edits are a new set, saved under a name asked for",
        shownPath(ofToDataPath(saved(copy))).c_str(), named.c_str(),
        shownPath(ofToDataPath(saved(""))).c_str());
  return "";
}

std::string EditedFile::recoveryName() const {
  if (recoveryNumber > 0) return recoveryFileName(recoveryNumber);
  const std::vector<int> used = recoveryNumbers();
  return recoveryFileName(used.empty() ? 1 : std::max(used.front(), 0) + 1);
}

std::string EditedFile::path() const {
  return isNew() ? "new set (Ctrl+S names it)" : shownPath(ofToDataPath(target));
}

void EditedFile::adopt(const std::string& file) {
  target = file;
  fileName = isNew() ? "new set" : std::filesystem::path(file).filename().string();
  noteDiskState();
}

std::string EditedFile::recoveryPath() const {
  return shownPath(ofToDataPath(saved(recoveryName())));
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
  const std::string trouble = makeFolder(folder);
  if (!trouble.empty()) return "could not save " + path() + ": " + trouble;
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

bool EditedFile::writeRecovery(const LevelData& data) {
  const bool ok = recoveryJob(data)();
  recoveryWritten(ok);
  return ok;
}

// The file the edits came from is named as a plain name when it is in the
// folder saved into, else by its whole path. The job holds copies of all
// it needs: the edits may change while it runs.
std::function<bool()> EditedFile::recoveryJob(const LevelData& data) {
  if (recoveryNumber == 0) recoveryNumber = recoveryNumberOf(recoveryName());
  auto edits = std::make_shared<const LevelData>(data);
  const std::string origin = target == saved(fileName) ? fileName : target;
  return [edits, origin, copy = saved(recoveryName()), made = folder, from = path()] {
    XmlSettings xml;
    edits->toXml(xml, edits->saveCount);
    xml.setAttribute("Info", recoveredFrom, origin, 0);
    const std::string trouble = makeFolder(made);
    if (trouble.empty() && xml.saveFile(copy)) return true;
    ofLog(OF_ERROR, "could not keep the unsaved edits of %s in %s: %s", from.c_str(),
          ofToDataPath(copy).c_str(), trouble.empty() ? xml.lastError().c_str() : trouble.c_str());
    return false;
  };
}

void EditedFile::recoveryWritten(bool ok) {
  recoveryWriteFailed = !ok;
  if (ok) pruneRecoveryCopies();
}

std::vector<int> EditedFile::recoveryNumbers() const {
  std::vector<int> found;
  std::error_code failed;
  for (const auto& entry : std::filesystem::directory_iterator(ofToDataPath(saved("")), failed)) {
    const int n = recoveryNumberOf(entry.path().filename().string());
    if (n >= 0 && entry.is_regular_file(failed)) found.push_back(n);
  }
  std::sort(found.rbegin(), found.rend());
  return found;
}

void EditedFile::pruneRecoveryCopies() const {
  const std::vector<int> used = recoveryNumbers();
  for (size_t i = recoveryCopiesKept; i < used.size(); ++i) {
    std::error_code failed;
    const std::string old = ofToDataPath(saved(recoveryFileName(used[i])));
    if (std::filesystem::remove(old, failed)) ofLog(OF_NOTICE, "removed the old recovery copy %s", old.c_str());
  }
}

std::vector<RecoveryCopy> EditedFile::recoveryOffers() const {
  std::vector<RecoveryCopy> offers;
  for (int n : recoveryNumbers()) {
    if (n == recoveryNumber) continue;  // these edits are still in memory
    const std::string name = recoveryFileName(n);
    const std::string origin = recoveryOrigin(name);
    if (origin.empty()) {
      offers.push_back({name, "a new set"});
      continue;
    }
    // Until saved into the folder saved into, the file is the data folder's.
    const std::string plain = std::filesystem::path(origin).filename().string();
    const std::string against = ofIsRegularFile(ofToDataPath(origin)) ? origin : source(plain);
    if (!modifiedLater(saved(name), against)) continue;
    offers.push_back({name, shownPath(ofToDataPath(origin))});
  }
  return offers;
}

std::string EditedFile::recoveryHint() const {
  const std::vector<RecoveryCopy> offers = recoveryOffers();
  if (offers.empty()) return "";
  auto shortName = [](const RecoveryCopy& copy) {
    return copy.origin == "a new set" ? copy.origin
                                      : std::filesystem::path(copy.origin).filename().string();
  };
  if (offers.size() == 1) return "unsaved edits of " + shortName(offers[0]) + " kept: Ctrl+L recovered";
  std::string listed;
  for (const RecoveryCopy& copy : offers) {
    listed += (listed.empty() ? "" : ", ") + copy.name.substr(0, copy.name.size() - 4) + " (" +
              shortName(copy) + ")";
  }
  return "unsaved edits kept: " + listed + ": Ctrl+L and a name loads them";
}
