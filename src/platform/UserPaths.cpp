#include "platform/UserPaths.h"

#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <system_error>

#include "framework/ofLog.h"

namespace fs = std::filesystem;

namespace {
// A variable counts only when it holds an absolute path: a relative one
// would move with the working folder.
std::string absoluteVariable(const char* name) {
  const char* value = std::getenv(name);
  return value && value[0] == '/' ? std::string(value) : std::string();
}

// The last failure said; a success clears it, so the next one is said again.
// The player's records are saved on a thread of their own: one at a time.
std::string lastReport;
std::mutex reportLock;

// Says why a folder could not be made, unless that was the last thing said:
// every save tries again, and the log should not fill with one complaint.
void reportOnce(const std::string& folder, const std::string& why) {
  const std::string report = folder + ": " + why;
  const std::lock_guard<std::mutex> hold(reportLock);
  if (report == lastReport) return;
  lastReport = report;
  ofLog(OF_ERROR, "could not make the player's folder %s", report.c_str());
}

// Makes folder and its parents; variable is the one that would have named it.
bool makeFolder(const std::string& folder, const std::string& variable) {
  if (folder.empty()) {
    reportOnce("(none)", "neither " + variable + " nor HOME names an absolute folder");
    return false;
  }
  std::error_code error;
  // A file in the way of the folder or of a parent is "Not a directory".
  fs::create_directories(folder, error);
  if (error) {
    reportOnce(folder, error.message());
    return false;
  }
  const std::lock_guard<std::mutex> hold(reportLock);
  lastReport.clear();
  return true;
}

// The game's folder under the one variable names, else under HOME/underHome.
std::string xdgFolder(const char* variable, const char* underHome) {
  const std::string xdg = absoluteVariable(variable);
  if (!xdg.empty()) return (fs::path(xdg) / "orvane").string();
  const std::string home = absoluteVariable("HOME");
  if (!home.empty()) return (fs::path(home) / underHome / "orvane").string();
  return "";
}
}  // namespace

std::string userDataFolder() { return xdgFolder("XDG_DATA_HOME", ".local/share"); }

std::string userDataPath(const std::string& name) {
  const std::string folder = userDataFolder();
  return folder.empty() ? "" : (fs::path(folder) / name).string();
}

bool makeUserDataFolder() { return makeFolder(userDataFolder(), "XDG_DATA_HOME"); }

std::string userConfigFolder() { return xdgFolder("XDG_CONFIG_HOME", ".config"); }

std::string userConfigPath(const std::string& name) {
  const std::string folder = userConfigFolder();
  return folder.empty() ? "" : (fs::path(folder) / name).string();
}

bool makeUserConfigFolder() { return makeFolder(userConfigFolder(), "XDG_CONFIG_HOME"); }
