// The recovery copies of the edited file: one numbered copy for each set of
// unsaved edits, written on leaving, on a load over them, once a minute and
// when the program ends; the newest kept, and offered back.

#include <filesystem>
#include <memory>

#include "editors/EditedFile.h"
#include "editors/EditedFileNames.h"
#include "framework/XmlSettings.h"
#include "framework/ofLog.h"
#include "framework/ofUtils.h"

using namespace editor;

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

std::string EditedFile::recoveryPath() const {
  return shownPath(ofToDataPath(saved(recoveryName())));
}

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
