#include "framework/ofUtils.h"

#include <sys/stat.h>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <iomanip>
#include <sstream>

namespace {
std::string dataRoot = "data/";
}

void ofSetDataPathRoot(const std::string& folder) {
  dataRoot = folder.empty() || folder.back() == '/' ? folder : folder + "/";
}

const std::string& ofGetDataPathRoot() { return dataRoot; }

std::string ofToString(int value) { return std::to_string(value); }

std::string ofToString(double value, int precision) {
  std::ostringstream out;
  out << std::fixed << std::setprecision(precision) << value;
  return out.str();
}

std::string ofToString(bool value) { return value ? "true" : "false"; }

// strtol and strtof read what "%d" and "%f" read, but out-of-range text
// saturates instead of being undefined.
int ofToInt(const std::string& text) {
  const long value = std::strtol(text.c_str(), nullptr, 10);
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

// strtof also reads "nan", "inf" and "infinity", and gives infinity for text
// beyond the float range: none of these is a usable amount, and one of them
// would spread through every sum it enters.
float ofToFloat(const std::string& text) {
  const float value = std::strtof(text.c_str(), nullptr);
  return std::isfinite(value) ? value : 0.0f;
}

bool ofIsRegularFile(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string ofToDataPath(const std::string& path, bool /*makeAbsolute*/) {
  const bool absolute = !path.empty() && path[0] == '/';
  const bool driveLetter = path.size() >= 2 && path[1] == ':';
  const bool alreadyRooted = path.compare(0, dataRoot.size(), dataRoot) == 0;
  if (absolute || driveLetter || alreadyRooted) return path;
  return dataRoot + path;
}
