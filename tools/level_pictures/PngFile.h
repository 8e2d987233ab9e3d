#pragma once
// Pictures of the game's own drawing: the GL back buffer read as an 8-bit
// RGB image, and that image written to a PNG file through libpng.

#include <string>
#include <vector>

// rgb holds width * height pixels of three bytes, top row first. False, with
// the reason in *error, if the file cannot be written.
bool writePng(const std::string& path, int width, int height, const std::vector<unsigned char>& rgb,
              std::string* error);

// The bottom-left w by h rectangle of the back buffer, top row first (GL
// hands rows over bottom row first). Lines still gathered are drawn first.
std::vector<unsigned char> readBackBuffer(int w, int h);
