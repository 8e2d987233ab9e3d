#pragma once
// What every fuzz target needs around the code it feeds: a private scratch
// folder with a data/ inside, files in and out, and a clock and random
// sequence that start the same for every input.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>

#include "framework/ofClock.h"

namespace fuzz {

// The hand-driven clock every target installs.
extern ManualClock fuzzClock;

// Reports a broken check (with the target's name) and aborts: libFuzzer
// keeps the input that did it.
[[noreturn]] void fail(const char* what);

// The game reads data/ under the working directory, so each fuzzing process
// gets a folder of its own: parallel jobs never share files and the
// repository's data/ is never touched. Because of the chdir, give libFuzzer
// absolute paths (the binary, the corpora and -artifact_prefix). Installs
// fuzzClock as the game's clock too.
void enterScratchDirectory(const char* targetName);

void writeFile(const std::filesystem::path& path, const uint8_t* bytes, size_t size);
std::string readFile(const std::filesystem::path& path);
// Empties data/ but for the named entries, made once for every input.
void clearDataFolder(std::initializer_list<const char*> keep = {});
// Every input starts at the same clock reading and random sequence, so that
// a crashing input fails the same way when it is run again on its own.
void resetTimeAndRandom();

}  // namespace fuzz
