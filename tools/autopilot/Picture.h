#pragma once
// A level drawn to an image file (binary PPM) at twice its size, with what
// the game shows only in the editors: zones, receivers, gravity points, the
// route, and the track the pilot flew. For looking at levels while they are
// designed.

#include <string>
#include <vector>

#include "level/LevelData.h"

void drawLevel(const LevelData& data, int levelIndex, const std::vector<ofxVec2f>& track,
               const std::string& path);
