#include "SoundTable.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "Effects.h"
#include "Music.h"
#include "SoundFile.h"

namespace synth {

const std::vector<Sound>& soundTable() {
  using K = Kind;
  namespace fx = effect;
  // clang-format off
  static const std::vector<Sound> table = {
    // tag, file under sounds/, kind, generator, {seconds, hz, peak dBFS, noise seed}.
    // Music lasts as long as its tune; the sustained thruster lasts seven frames.
    {"menu",               "menu.ogg",               K::music,  music::menu,           {0,        0,      -6,  0}},
    {"cave",               "cave.ogg",               K::music,  music::cave,           {0,        0,      -6,  0}},
    {"drive",              "drive.ogg",              K::music,  music::drive,          {0,        0,      -6,  0}},
    {"deep",               "deep.ogg",               K::music,  music::deep,           {0,        0,      -6,  0}},
    {"finale",             "finale.ogg",             K::music,  music::finale,         {0,        0,      -6,  0}},
    {"thruster_start",     "thruster_start.wav",     K::effect, fx::thrusterStart,     {0.25,     0,      -3,  11}},
    {"thruster_sustained", "thruster_sustained.wav", K::effect, fx::thrusterSustained, {7 / 60.0, 0,      -18, 14}},
    {"fuel",               "fuel.wav",               K::effect, fx::fuel,              {0.6,      1318.5, -2,  0}},
    {"shaking",            "shaking.wav",            K::effect, fx::shaking,           {1.5,      0,      -3,  13}},
    {"warp",               "warp.wav",               K::effect, fx::warp,              {0.9,      150,    -2,  14}},
    {"dying",              "dying.wav",              K::effect, fx::dying,             {1.0,      0,      -1,  15}},
    {"respawn",            "respawn.wav",            K::effect, fx::respawn,           {1.0,      523.25, -2,  0}},
    {"door",               "door.wav",               K::effect, fx::door,              {0.6,      0,      -1,  16}},
    {"beep",               "beep.wav",               K::effect, fx::beep,              {0.15,     1320,   -8,  0}},
    {"checkpoint",         "checkpoint.wav",         K::effect, fx::checkpoint,        {0.5,      784,    -3,  0}},
    {"zap",                "zap.wav",                K::effect, fx::zap,               {0.45,     0,      -1,  17}},
    {"siren",              "siren.wav",              K::effect, fx::siren,             {2.0,      650,    -6,  0}},
    {"thunder",            "thunder.wav",            K::effect, fx::thunder,           {2.2,      0,      -1,  18}},
    {"drip",               "drip.wav",               K::effect, fx::drip,              {0.35,     700,    -3,  0}},
    {"finish",             "finish.wav",             K::effect, fx::finish,            {2.2,      0,      -2,  0}},
  };
  // clang-format on
  return table;
}

Samples render(const Sound& sound) {
  Samples s = sound.generate(sound.params);
  if (sound.kind == Kind::effect) fadeEdges(s, 0.001, 0.005);
  normalize(s, sound.params.peakDb);
  return s;
}

std::string audioXml(const std::vector<Sound>& sounds) {
  std::string xml;
  auto list = [&](const char* group, const char* entry, Kind kind) {
    xml += std::string("<") + group + ">\n";
    for (const Sound& s : sounds) {
      if (s.kind != kind) continue;
      xml += std::string("    <") + entry + " tag=\"" + s.tag + "\" path=\"sounds/" + s.file + "\"></" + entry +
             ">\n";
    }
    xml += std::string("</") + group + ">\n";
  };
  list("BGM", "bgm", Kind::music);
  list("SE", "se", Kind::effect);
  return xml;
}

namespace {
bool makeFolder(const std::string& path, std::string& error) {
  if (mkdir(path.c_str(), 0755) == 0 || errno == EEXIST) return true;
  error = "cannot make " + path + ": " + std::strerror(errno);
  return false;
}
}  // namespace

bool writeAll(const std::string& dataDir, std::string& error, std::ostream* log) {
  const std::string folder = dataDir + "/sounds";
  if (!makeFolder(dataDir, error) || !makeFolder(folder, error)) return false;
  for (const Sound& sound : soundTable()) {
    const Samples s = render(sound);
    const std::string path = folder + "/" + sound.file;
    const bool written = sound.kind == Kind::music ? writeOgg(path, s, musicQuality, error) : writeWav(path, s, error);
    if (!written) return false;
    if (log) {
      char line[160];
      std::snprintf(line, sizeof line, "%-20s %-24s %6.2f s  peak %6.1f dBFS  rms %6.1f dBFS\n", sound.tag,
                    sound.file, static_cast<double>(s.size()) / sampleRate, gainToDb(peak(s)),
                    gainToDb(rms(s)));
      *log << line;
    }
  }
  std::ofstream xml(dataDir + "/audio.xml", std::ios::trunc);
  xml << audioXml(soundTable());
  if (!xml) {
    error = "cannot write " + dataDir + "/audio.xml";
    return false;
  }
  return true;
}

}  // namespace synth
