#pragma once
// A temporary working folder with an empty data/ inside, entered for the
// life of the object, so file tests never touch the repository.

#include <string>

class ScratchFolder {
 public:
  explicit ScratchFolder(bool withDataFolder = true);
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // Paths are relative to the scratch folder.
  void write(const std::string& path, const std::string& text) const;
  std::string read(const std::string& path) const;
  bool exists(const std::string& path) const;
  const std::string& path() const { return folder; }

 private:
  std::string folder;
  std::string previous;
};

// The text of a file in tests/fixtures.
std::string readFixture(const std::string& name);
