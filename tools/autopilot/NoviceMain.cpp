// orvane_novice: how hard each level is for a person learning the game.
// Novices (Novice.h) fly every level of the campaign from its entrance, many
// times with different seeds, and a Markdown table says how many got
// through, how often they crashed and how long they took.
//
//   orvane_novice DATA_XML [--attempts N] [--level GUID] [--by-sight]
//
// --by-sight: at the route's "wait" points the novice goes as soon as the
// way looks clear, instead of by the rhythm of the hazards it watched.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "NoviceTrials.h"

namespace {
const float limitSeconds = 180;

int usage() {
  std::fprintf(stderr, "usage: orvane_novice DATA_XML [--attempts N] [--level GUID] [--by-sight]\n");
  return 2;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return usage();
  const std::string dataFile = argv[1];
  int attempts = 40;
  std::string only;
  NoviceProfile profile;
  for (int i = 2; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--attempts" && i + 1 < argc) {
      attempts = std::atoi(argv[++i]);
    } else if (arg == "--level" && i + 1 < argc) {
      only = argv[++i];
    } else if (arg == "--by-sight") {
      profile.learnsRhythm = false;
    } else {
      return usage();
    }
  }
  if (attempts < 1) return usage();

  const std::vector<std::string> guids = campaignLevels(dataFile);
  if (guids.empty()) {
    std::fprintf(stderr, "no levels in %s\n", dataFile.c_str());
    return 1;
  }
  const auto began = std::chrono::steady_clock::now();
  std::vector<LevelTrials> table;
  long frames = 0;
  for (size_t i = 0; i < guids.size(); ++i) {
    if (!only.empty() && guids[i] != only) continue;
    table.push_back(trialLevel(dataFile, guids, i, attempts, profile, limitSeconds));
    for (const Attempt& a : table.back().attempts) frames += a.frames;
  }
  if (table.empty()) {
    std::fprintf(stderr, "%s has no level \"%s\"\n", dataFile.c_str(), only.c_str());
    return 1;
  }
  printTable(stdout, table);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
  std::printf("\n%d attempts a level, at most %.0f s of play each; %ld frames flown in %.1f s\n", attempts,
              limitSeconds, frames, seconds);
  bool flown = true;
  for (const LevelTrials& t : table) flown = flown && t.started && t.routed;
  return flown ? 0 : 1;
}
