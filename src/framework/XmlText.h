#pragma once
// A file's text as the XML readers parse it: read through the one safe
// reader, refused when its elements nest deeper than any file of the game
// needs (the parser recurses once per level, and a file of a few hundred
// kilobytes could otherwise overflow the stack), and with its line ends
// made LF as the parser expects.

#include <string>

// Deeper than any level file, logo, font list, sound bank, record or ghost
// nests its elements (they need fewer than ten).
constexpr int xmlDepthLimit = 64;

// The deepest nesting of elements in text, counted only up to limit + 1, so
// the scan ends early on a file built to be deep. Comments, processing
// instructions, declarations and CDATA do not count; a quoted '>' inside a
// tag does not end it.
int xmlNestingDepth(const std::string& text, int limit = xmlDepthLimit);

// Reads path into text. False, with why in error ("is a folder, not a
// file", "elements nested deeper than 64"), when it cannot be read or is
// too deep.
bool readXmlText(const std::string& path, std::string& text, std::string& error);
