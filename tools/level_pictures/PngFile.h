#pragma once
// Writes an 8-bit RGB image to a PNG file through libpng.

#include <string>
#include <vector>

// rgb holds width * height pixels of three bytes, top row first. False, with
// the reason in *error, if the file cannot be written.
bool writePng(const std::string& path, int width, int height, const std::vector<unsigned char>& rgb,
              std::string* error);
