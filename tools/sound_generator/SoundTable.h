#pragma once
// Every sound of Orvane in one table: its tag in audio.xml, its file under
// sounds/, the function that makes it and that function's parameters.
// Adding a sound is adding a row to the table in SoundTable.cpp.

#include <ostream>
#include <string>
#include <vector>

#include "Synth.h"

namespace synth {

enum class Kind { effect, music };

// libsndfile's Vorbis quality (0..1) for the music.
constexpr double musicQuality = 0.5;

struct Sound {
  const char* tag;
  const char* file;  // under sounds/: .wav for effects, .ogg for music
  Kind kind;
  Generator generate;
  Params params;
};

const std::vector<Sound>& soundTable();
// The sound's samples at its level. Effects are faded over their first and
// last milliseconds so they start and end at zero; music is left untouched
// so that its loop stays seamless.
Samples render(const Sound& sound);
// The audio.xml that lists the table: music under BGM, effects under SE.
std::string audioXml(const std::vector<Sound>& sounds);
// Writes every sound to dataDir/sounds/ and the list to dataDir/audio.xml,
// with a line per sound on `log` if given. False with the reason in `error`.
bool writeAll(const std::string& dataDir, std::string& error, std::ostream* log = nullptr);

}  // namespace synth
