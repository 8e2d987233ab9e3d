#pragma once
// The words a zone's map id can hold in place of a level guid; the table
// that maps them to what they do lives in ZoneCommands.cpp.

#include <string>

// text is a zone command word (exact, case-sensitive); any other text is
// read as the guid of a level to warp to.
bool isZoneCommand(const std::string& text);
