#pragma once
// What one step of the undo history did, said in the game's terms for the
// history list: "level 3: 1 wall added", "model 1: frame 2 changed",
// "level 5 added". Made once, when the step is recorded.

#include <string>

#include "editors/EditHistory.h"
#include "level/LevelData.h"

// step as just recorded: its splices hold what was there before, and now
// the content it made. Parts for several levels or models are joined by
// "; ".
std::string describeStep(const EditHistory::Step& step, const LevelData& now);
