#pragma once
// The campaign the game ships (data/data.xml), loaded once for the
// benchmarks that measure on it, and the level of it with the most in it.

#include <filesystem>

#include "level/LevelData.h"

inline const LevelData& shippedCampaign() {
  static LevelData data{LevelData::Empty{}};
  static bool loaded = false;
  if (!loaded) {
    std::filesystem::current_path(ORVANE_SOURCE_DIR);
    loaded = data.load("data.xml");
  }
  return data;
}

// The level with the most walls and model placements.
inline int busiestLevel(const LevelData& data) {
  int best = 0;
  size_t most = 0;
  for (size_t l = 0; l < data.levels.size(); ++l) {
    const Level& level = data.levels[l];
    const size_t things = level.walls.size() + level.modelRefs.size();
    if (things > most) most = things, best = static_cast<int>(l);
  }
  return best;
}
