#pragma once
// The player's folder (XDG_DATA_HOME) in a temporary folder of the
// benchmark's own for the life of the object, so that no benchmark writes
// into the home folder of whoever runs it.

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "support/ScopedEnvironment.h"

struct ScratchUserFolder {
  std::string folder = [] {
    char pattern[] = "/tmp/orvane-bench-XXXXXX";
    return std::string(mkdtemp(pattern));
  }();
  ScopedEnvironment xdg{"XDG_DATA_HOME", folder};
  ~ScratchUserFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
};
