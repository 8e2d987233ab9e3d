#pragma once
// Starting a run in any level, as a run that has just arrived there would.

#include <string>

class Game;
class LevelData;

// Starts game on data in the level guid: at its spawner when it has one,
// else at the receiver a warp from another level leads to, with the music
// the campaign plays there. False, with nothing changed, when data has no
// such level.
bool startPractice(Game& game, const LevelData& data, const std::string& guid);
