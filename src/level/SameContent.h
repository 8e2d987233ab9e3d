#pragma once
// Whether two levels or two models hold the same content: everything a save
// writes, nothing of the animation state (wall opacity, shown frame, frame
// timer). The editors' undo history tells edits apart from animation by it.

#include "level/Level.h"
#include "level/LevelData.h"
#include "level/Model.h"

bool sameContent(const Wall& a, const Wall& b);
bool sameContent(const Level& a, const Level& b);
bool sameContent(const Model& a, const Model& b);
// Every model and level (not the selection or the save count).
bool sameContent(const LevelData& a, const LevelData& b);
