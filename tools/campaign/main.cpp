// orvane_campaign [GAME_FOLDER]: builds the campaign and the title scene and
// writes GAME_FOLDER/data/data.xml and GAME_FOLDER/data/logo.xml (default:
// the current folder). Both are written by the game's own LevelData::save(),
// in a scratch folder whose numbered copy is then thrown away, so the
// shipped files are exactly what the level editor would save.

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "Campaign.h"
#include "editors/LevelChecks.h"
#include "framework/ofLog.h"

namespace fs = std::filesystem;

namespace {
// The text save() writes for data (with "count" 1).
std::string savedText(LevelData data) {
  const fs::path home = fs::current_path();
  char pattern[] = "/tmp/orvane-campaign-XXXXXX";
  const fs::path scratch = mkdtemp(pattern);
  fs::create_directory(scratch / "data");
  fs::current_path(scratch);
  data.saveCount = 0;
  const bool saved = data.save();
  std::stringstream text;
  text << std::ifstream("data/data.xml", std::ios::binary).rdbuf();
  fs::current_path(home);
  fs::remove_all(scratch);
  return saved ? text.str() : std::string();
}

bool write(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  return static_cast<bool>(out);
}
}  // namespace

int main(int argc, char** argv) {
  const fs::path folder = fs::path(argc > 1 ? argv[1] : ".") / "data";
  if (!fs::is_directory(folder)) {
    std::fprintf(stderr, "orvane_campaign: no folder %s\n", folder.c_str());
    return 2;
  }
  LevelData campaign{LevelData::Empty{}};
  addModels(campaign);
  addLevels(campaign);
  // What F3 would find is mended here, before the campaign ships: every
  // level's way in lies in a checkpoint zone, every zone leads somewhere.
  const std::vector<editor::Finding> findings = editor::checkLevels(campaign);
  for (const editor::Finding& finding : findings) {
    std::fprintf(stderr, "orvane_campaign: level %d: %s\n", finding.level + 1, finding.text.c_str());
  }
  if (!findings.empty()) return 1;
  const std::string levels = savedText(campaign);
  const std::string logo = savedText(buildLogo());
  if (levels.empty() || logo.empty() || !write(folder / "data.xml", levels) ||
      !write(folder / "logo.xml", logo)) {
    std::fprintf(stderr, "orvane_campaign: could not write into %s\n", folder.c_str());
    return 1;
  }
  std::printf("wrote %s: %zu levels, %zu models; and logo.xml\n", (folder / "data.xml").c_str(),
              campaign.levels.size(), campaign.models.size());
  return 0;
}
