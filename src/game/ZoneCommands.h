#pragma once
// The words a zone's map id can hold in place of a level guid; the table
// that maps them to what they do lives in ZoneCommands.cpp.

#include <string>

class Game;
struct Warp;

// text is a zone command word (exact, case-sensitive); any other text is
// read as the guid of a level to warp to.
bool isZoneCommand(const std::string& text);

// The zone's command marks the checkpoint: a death respawns at the receiver
// of its level that the zone's id names.
bool marksCheckpoint(const Warp& zone);

// The zone's command starts a song ("song" fades the track playing out
// first, "songAtFull" switches at once).
bool startsSong(const Warp& zone);
// Starts the song as entering the zone would; false, with nothing done,
// when its command starts none.
bool playSongOf(Game& game, const Warp& zone);
