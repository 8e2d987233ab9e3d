#include "platform/WritableData.h"

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

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

std::string writableDataFile(const std::string& name, bool dataReadOnly) {
  const std::string shipped = ofToDataPath(name);
  if (!dataReadOnly) return shipped;
  const std::string own = userDataPath(name);
  if (own.empty()) return shipped;
  std::error_code error;
  if (fs::exists(fs::symlink_status(own, error)) || !ofIsRegularFile(shipped)) return own;
  if (!makeUserDataFolder()) return own;
  fs::copy_file(shipped, own, error);
  if (error) {
    ofLog(OF_ERROR, "could not copy %s to %s: %s", shipped.c_str(), own.c_str(),
          error.message().c_str());
  }
  return own;
}

std::string writableDataFile(const std::string& name) {
  return writableDataFile(name, dataFolderReadOnly());
}

std::string editorSaveFolder() {
  return dataFolderReadOnly() ? userDataPath("levels") : std::string();
}
