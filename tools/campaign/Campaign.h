#pragma once
// The game's content, built in code: the models every level shares, the
// levels of the campaign in the order they are flown, and the title scene.

#include "level/LevelData.h"

// The shared models: the roles the game looks for (spawner, player_death,
// player_respawn, grav_center, the fuel pick-ups), the hazards and the
// decorations the levels place.
void addModels(LevelData& data);
// The campaign's levels, first to last; they expect the shared models.
void addLevels(LevelData& data);
// The title scene drawn behind the menu.
LevelData buildLogo();
