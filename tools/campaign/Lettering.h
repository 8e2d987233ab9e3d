#pragma once
// The campaign's own vector alphabet, for words drawn into the levels:
// capitals, digits, a little punctuation (: - ! . , / = ? ' +) and the
// arrows ← → ↑ ↓, each a few line strokes on a grid 4 wide and 6 tall.

#include <string>

#include "level/LevelData.h"

// Adds a non-solid model of one frame showing `text`, centred on the
// model's origin: capitals `height` pixels tall (lower case is drawn as
// capitals), lines split at '\n' and each centred. A character the
// alphabet lacks leaves a gap.
void textModel(LevelData& data, const std::string& guid, const std::string& text, float height,
               const ofColor& color);
