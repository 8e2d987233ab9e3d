#include "platform/DataFolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "framework/ofLog.h"

namespace fs = std::filesystem;

namespace {
constexpr const char* variableName = "ORVANE_DATA";

// What keeps folder from being the game's data, or "" when it holds a
// data.xml the game can read. Only data.xml is asked after: an empty or
// unrelated folder named data must not hide the game's own data.
std::string whyNotData(const std::string& folder) {
  struct stat st {};
  if (::stat(folder.c_str(), &st) != 0) {
    if (errno == ENOENT) return "it is not there";
    return std::string("it cannot be looked into: ") + std::strerror(errno);
  }
  if (!S_ISDIR(st.st_mode)) return "it is not a folder";
  const std::string file = folder + "/data.xml";
  if (::stat(file.c_str(), &st) != 0) {
    if (errno == ENOENT) return "it holds no data.xml";
    return std::string("its data.xml cannot be read: ") + std::strerror(errno);
  }
  if (!S_ISREG(st.st_mode)) return "its data.xml is not a file";
  if (::access(file.c_str(), R_OK) != 0) {
    return std::string("its data.xml cannot be read: ") + std::strerror(errno);
  }
  return "";
}

std::string programPath() {
  std::error_code error;
  const fs::path path = fs::read_symlink("/proc/self/exe", error);
  return error ? std::string() : path.string();
}
}  // namespace

std::vector<DataFolderSearch::Candidate> dataFolderCandidates(const std::string& variable,
                                                              const std::string& program) {
  std::vector<DataFolderSearch::Candidate> candidates;
  if (!variable.empty()) candidates.push_back({variable, variableName, ""});
  candidates.push_back({"data", "in the working folder", ""});
  if (!program.empty()) {
    const fs::path folder = fs::path(program).parent_path();
    candidates.push_back({(folder / "data").string(), "beside the program", ""});
    candidates.push_back(
        {(folder / "../share/orvane/data").lexically_normal().string(), "installed", ""});
  }
  return candidates;
}

DataFolderSearch findDataFolder(std::vector<DataFolderSearch::Candidate> candidates) {
  DataFolderSearch search;
  search.tried = std::move(candidates);
  for (auto& candidate : search.tried) {
    candidate.problem = whyNotData(candidate.folder);
    if (candidate.problem.empty()) {
      search.found = candidate.folder;
      break;
    }
  }
  return search;
}

DataFolderSearch searchDataFolder() {
  const char* variable = std::getenv(variableName);
  const std::string named = variable ? variable : "";
  DataFolderSearch search = findDataFolder(dataFolderCandidates(named, programPath()));
  for (const auto& candidate : search.tried) {
    if (candidate.problem.empty()) continue;
    // Said even when another place is found: the player asked for this one.
    if (candidate.why == variableName) {
      ofLog(OF_WARNING, "%s names %s, but %s", variableName, named.c_str(),
            candidate.problem.c_str());
    } else if (!search.found.empty()) {
      ofLog(OF_NOTICE, "passed over %s (%s): %s", candidate.folder.c_str(), candidate.why.c_str(),
            candidate.problem.c_str());
    }
  }
  return search;
}

std::vector<std::string> noDataFolderLines(const DataFolderSearch& search) {
  std::vector<std::string> lines = {"Orvane cannot find its data folder.", "It looked for:"};
  if (search.tried.empty() || search.tried.front().why != std::string(variableName)) {
    lines.push_back(std::string("  ") + variableName + ": not set");
  }
  for (const auto& candidate : search.tried) {
    lines.push_back("  " + candidate.folder + "  (" + candidate.why + ")");
    lines.push_back("    " + candidate.problem);
  }
  lines.push_back(std::string("Set ") + variableName + " to the folder that holds data.xml,");
  lines.push_back("or start orvane from the folder that holds data/.");
  lines.push_back("Escape quits.");
  return lines;
}
