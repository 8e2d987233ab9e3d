#include "editors/EditedFileNames.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "editors/EditedFile.h"
#include "framework/ofUtils.h"

namespace editor {

std::string withExtension(const std::string& typed) {
  const std::string ext = ".xml";
  const bool has =
      typed.size() >= ext.size() && typed.compare(typed.size() - ext.size(), ext.size(), ext) == 0;
  return has ? typed : typed + ext;
}

bool isPlainFileName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
         name.find('\0') == std::string::npos;
}

bool modifiedLater(const std::string& newer, const std::string& older) {
  std::error_code failed;
  const auto a = std::filesystem::last_write_time(ofToDataPath(newer), failed);
  if (failed) return false;
  const auto b = std::filesystem::last_write_time(ofToDataPath(older), failed);
  return failed || a > b;
}

std::string shownPath(const std::string& path) {
  const char* home = std::getenv("HOME");
  const std::string prefix = home && home[0] == '/' ? std::string(home) + "/" : "";
  const bool inHome = prefix.size() > 1 && path.compare(0, prefix.size(), prefix) == 0;
  return inHome ? "~/" + path.substr(prefix.size()) : path;
}

std::string makeFolder(const std::string& folder) {
  if (folder.empty()) return "";
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  return error ? error.message() : "";
}

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

}  // namespace editor
