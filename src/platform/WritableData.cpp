#include "platform/WritableData.h"

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "framework/ofFile.h"
#include "framework/ofLog.h"
#include "framework/ofUtils.h"
#include "platform/UserPaths.h"

namespace fs = std::filesystem;

bool folderWritable(const std::string& folder) {
  // A fresh name each time: two games started together must not see each
  // other's probe.
  std::string probe = (fs::path(folder.empty() ? "." : folder) / ".orvane-probe-XXXXXX").string();
  const int fd = mkstemp(probe.data());
  if (fd < 0) return false;
  close(fd);
  unlink(probe.c_str());
  return true;
}

bool dataFolderReadOnly() {
  const std::string& folder = ofGetDataPathRoot();
  std::error_code error;
  return fs::is_directory(folder.empty() ? "." : folder, error) && !folderWritable(folder);
}

namespace {
// The player has a copy of their own at own: anything at all is there,
// but an empty file, which is what a full disk left of a first copy
// before copies went through the writer.
bool ownCopyThere(const std::string& own) {
  std::error_code error;
  const fs::file_status status = fs::symlink_status(own, error);
  if (!fs::exists(status)) return false;
  return !fs::is_regular_file(status) || fs::file_size(own, error) != 0;
}
}  // namespace

std::string writableDataFile(const std::string& name, bool dataReadOnly) {
  const std::string shipped = ofToDataPath(name);
  if (!dataReadOnly) return shipped;
  const std::string own = userDataPath(name);
  if (own.empty()) return shipped;
  if (ownCopyThere(own)) return own;
  const ofFileRead seed = ofReadFile(shipped);
  if (!seed.ok) return own;  // nothing to seed from: the first save makes it
  if (!makeUserDataFolder()) return own;
  // Whole or not at all: a half-made copy would stand for the table forever.
  std::string error;
  if (!ofWriteFile(own, seed.bytes, error)) {
    ofLog(OF_ERROR, "could not copy %s to %s: %s", shipped.c_str(), own.c_str(), error.c_str());
  }
  return own;
}

std::string writableDataFile(const std::string& name) {
  return writableDataFile(name, dataFolderReadOnly());
}

std::string editorSaveFolder() {
  return dataFolderReadOnly() ? userDataPath("levels") : std::string();
}
