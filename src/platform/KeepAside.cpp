#include "platform/KeepAside.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "framework/XmlSettings.h"
#include "framework/ofLog.h"
#include "framework/ofUtils.h"

bool pathTaken(const std::string& path) {
  std::error_code ignored;
  return std::filesystem::exists(std::filesystem::symlink_status(path, ignored));
}

bool keepAside(const std::string& path, const std::string& why) {
  std::string kept = path + ".broken";
  for (int n = 1; pathTaken(kept); ++n) kept = path + ".broken." + ofToString(n);
  if (std::rename(path.c_str(), kept.c_str()) != 0) {
    ofLog(OF_ERROR, "could not save %s: it does not load and could not be kept as %s: %s",
          path.c_str(), kept.c_str(), std::strerror(errno));
    return false;
  }
  ofLog(OF_WARNING, "%s could not be read (%s); kept it as %s before saving over it",
        path.c_str(), why.c_str(), kept.c_str());
  return true;
}

bool keepUnreadable(const std::string& name) {
  const std::string path = ofToDataPath(name);
  // Only regular files are read: opening a pipe could wait forever.
  if (!ofIsRegularFile(path)) return true;
  XmlSettings probe;
  if (probe.loadFile(name)) return true;
  return keepAside(path, probe.lastError());
}
