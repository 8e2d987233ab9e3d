#pragma once
// The two ways LevelData::load reads a level file. A file of the plain shape
// a save writes is read a model and a level at a time, so that its XML never
// stands in memory whole; any other file is read as one TinyXML tree, which
// gives the same content and reports what is wrong with a broken one.

#include <string>

#include "level/LevelData.h"

// Fills an empty `into` from data/fileName, parsing and converting one model
// or level at a time. False, logging nothing and with `into` perhaps half
// filled, when the file is not of that plain shape or not well formed.
bool readLevelFileInParts(const std::string& fileName, LevelData& into);
// Fills an empty `into` from data/fileName parsed whole. False, with the
// reason logged ("could not load data/x.xml: line 3: ..."), when it cannot.
bool readLevelFileWhole(const std::string& fileName, LevelData& into);
