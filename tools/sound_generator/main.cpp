// orvane_sounds DATADIR: makes every sound of Orvane into DATADIR/sounds/ and
// lists them in DATADIR/audio.xml. The same program always writes the same bytes.

#include <exception>
#include <iostream>
#include <string>

#include "SoundTable.h"

int main(int argc, char** argv) {
  if (argc != 2 || std::string(argv[1]) == "--help") {
    std::cerr << "usage: orvane_sounds DATADIR\n"
                 "Writes every sound of the game to DATADIR/sounds/ and the list to DATADIR/audio.xml.\n";
    return argc == 2 ? 0 : 2;
  }
  try {
    std::string error;
    if (!synth::writeAll(argv[1], error, &std::cout)) {
      std::cerr << "orvane_sounds: " << error << "\n";
      return 1;
    }
  } catch (const std::exception& e) {
    std::cerr << "orvane_sounds: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
