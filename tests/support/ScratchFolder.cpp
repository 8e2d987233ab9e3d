#include "support/ScratchFolder.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder(bool withDataFolder) {
  char pattern[] = "/tmp/orvane-test-XXXXXX";
  folder = mkdtemp(pattern);
  previous = fs::current_path().string();
  fs::current_path(folder);
  if (withDataFolder) fs::create_directory("data");
}

ScratchFolder::~ScratchFolder() {
  fs::current_path(previous);
  std::error_code ignored;
  fs::remove_all(folder, ignored);
}

void ScratchFolder::write(const std::string& path, const std::string& text) const {
  std::ofstream out(folder + "/" + path, std::ios::binary);
  out << text;
}

std::string ScratchFolder::read(const std::string& path) const {
  std::ifstream in(folder + "/" + path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

bool ScratchFolder::exists(const std::string& path) const { return fs::exists(folder + "/" + path); }

std::string readFixture(const std::string& name) {
  std::ifstream in(std::string(ORVANE_SOURCE_DIR) + "/tests/fixtures/" + name, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}
