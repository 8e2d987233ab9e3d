// The campaign's order: its levels flown from the landing pad in the hangar
// to the swirl at the core. Every level after the first sets a checkpoint
// where the ship arrives, "in", and every level but the last ends in an
// exit portal that warps there.

#include "Campaign.h"
#include "Levels.h"

namespace {
struct Stage {
  const char* guid;
  LevelBuilder build;
};

const Stage campaign[] = {
    {"hangar", hangarLevel},     {"shaft", shaftLevel},
    {"caverns", cavernsLevel},   {"wells", wellsLevel},
    {"slingshot", slingshotLevel}, {"mill", millLevel},
    {"pistons", pistonsLevel},   {"storm", stormLevel},
    {"switchyard", switchyardLevel}, {"shortcut", shortcutLevel},
    {"locks", locksLevel},       {"deep", deepLevel},
    {"glide", glideLevel},       {"gauntlet", gauntletLevel},
    {"escape", escapeLevel},     {"core", coreLevel},
};
}  // namespace

void addLevels(LevelData& data) {
  const size_t count = sizeof campaign / sizeof campaign[0];
  for (size_t i = 0; i < count; ++i) {
    campaign[i].build(data, campaign[i].guid, i + 1 < count ? campaign[i + 1].guid : "");
  }
}
