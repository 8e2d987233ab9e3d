#include "platform/DataFolder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "framework/ofLog.h"

namespace fs = std::filesystem;

namespace {
constexpr const char* variableName = "ORVANE_DATA";

bool isFolder(const std::string& path) {
  std::error_code error;
  return fs::is_directory(path, error);
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
  if (!variable.empty()) candidates.push_back({variable, variableName});
  candidates.push_back({"data", "in the working folder"});
  if (!program.empty()) {
    const fs::path folder = fs::path(program).parent_path();
    candidates.push_back({(folder / "data").string(), "beside the program"});
    candidates.push_back(
        {(folder / "../share/orvane/data").lexically_normal().string(), "installed"});
  }
  return candidates;
}

DataFolderSearch findDataFolder(std::vector<DataFolderSearch::Candidate> candidates) {
  DataFolderSearch search;
  search.tried = std::move(candidates);
  for (const auto& candidate : search.tried) {
    if (isFolder(candidate.folder)) {
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
  // Said even when another place is found: the player asked for this one.
  if (!named.empty() && search.found != named) {
    ofLog(OF_WARNING, "%s names %s, which is not a folder", variableName, named.c_str());
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
  }
  lines.push_back(std::string("Set ") + variableName + " to the folder that holds data.xml,");
  lines.push_back("or start orvane from the folder that holds data/.");
  lines.push_back("Escape quits.");
  return lines;
}
