#pragma once
// The words the first levels show a newcomer: models of text, one frame,
// never solid, placed by the levels like any decoration. Their guids all
// begin with "hint_"; Hints.cpp lists them.

#include "level/LevelData.h"

void addHints(LevelData& data);
