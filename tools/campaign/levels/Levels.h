#pragma once
// The campaign's levels, one function and one file each. A level function
// writes the level `guid` into data; every level but the last ends in an
// exit portal that warps to the arrival receiver "in" of `next`, the level
// after it in the campaign (see Campaign.cpp for the order).
//
// The "trigger" zones written by LevelKit::route() do nothing in the game:
// they mark the way through the level for the autopilot (tools/autopilot),
// in order.

#include <string>

#include "level/LevelData.h"

using LevelBuilder = void (*)(LevelData& data, const std::string& guid, const std::string& next);

void hangarLevel(LevelData& data, const std::string& guid, const std::string& next);
void shaftLevel(LevelData& data, const std::string& guid, const std::string& next);
void cavernsLevel(LevelData& data, const std::string& guid, const std::string& next);
void wellsLevel(LevelData& data, const std::string& guid, const std::string& next);
void slingshotLevel(LevelData& data, const std::string& guid, const std::string& next);
void millLevel(LevelData& data, const std::string& guid, const std::string& next);
void pistonsLevel(LevelData& data, const std::string& guid, const std::string& next);
void stormLevel(LevelData& data, const std::string& guid, const std::string& next);
void switchyardLevel(LevelData& data, const std::string& guid, const std::string& next);
void shortcutLevel(LevelData& data, const std::string& guid, const std::string& next);
void locksLevel(LevelData& data, const std::string& guid, const std::string& next);
void deepLevel(LevelData& data, const std::string& guid, const std::string& next);
void glideLevel(LevelData& data, const std::string& guid, const std::string& next);
void gauntletLevel(LevelData& data, const std::string& guid, const std::string& next);
void escapeLevel(LevelData& data, const std::string& guid, const std::string& next);
void coreLevel(LevelData& data, const std::string& guid, const std::string& next);
