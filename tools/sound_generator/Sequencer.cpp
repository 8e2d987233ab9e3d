#include "Sequencer.h"

#include <cmath>
#include <sstream>
#include <stdexcept>

namespace synth {

double noteHz(const std::string& name) {
  static const int semitoneOf[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G from C
  const auto bad = [&name]() { return std::invalid_argument("not a note name: \"" + name + "\""); };
  if (name.size() < 2 || name[0] < 'A' || name[0] > 'G') throw bad();
  int semitone = semitoneOf[name[0] - 'A'];
  size_t i = 1;
  if (name[i] == '#') {
    ++semitone;
    ++i;
  } else if (name[i] == 'b') {
    --semitone;
    ++i;
  }
  if (i + 1 != name.size() || name[i] < '0' || name[i] > '8') throw bad();
  const int octave = name[i] - '0';
  const int fromA4 = semitone + 12 * (octave - 4) - 9;
  return 440.0 * std::pow(2.0, fromA4 / 12.0);
}

std::vector<StepNote> parseSteps(const std::string& line, int* stepCount) {
  std::vector<StepNote> notes;
  std::vector<size_t> sounding;  // the notes of the step before, which "-" holds on
  std::istringstream words(line);
  std::string word;
  int step = 0;
  while (words >> word) {
    if (word == "|") continue;
    if (word == "-") {
      if (sounding.empty()) {
        throw std::invalid_argument("step " + std::to_string(step) + ": \"-\" holds nothing");
      }
      for (size_t n : sounding) ++notes[n].length;
    } else if (word == ".") {
      sounding.clear();
    } else {
      if (word.front() == '+' || word.back() == '+' || word.find("++") != std::string::npos) {
        throw std::invalid_argument("step " + std::to_string(step) + ": a chord lacks a note: \"" + word + "\"");
      }
      sounding.clear();
      std::istringstream chord(word);
      std::string name;
      while (std::getline(chord, name, '+')) {
        StepNote note;
        note.step = step;
        if (name == "x" || name == "X") {
          note.velocity = name == "X" ? 1.0 : 0.6;
        } else {
          try {
            note.hz = noteHz(name);
          } catch (const std::invalid_argument& e) {
            throw std::invalid_argument("step " + std::to_string(step) + ": " + e.what());
          }
        }
        sounding.push_back(notes.size());
        notes.push_back(note);
      }
    }
    ++step;
  }
  if (stepCount) *stepCount = step;
  return notes;
}

std::string repeat(const std::string& bar, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += (i ? " | " : "") + bar;
  return out;
}

std::string held(const std::string& note, int steps) {
  std::string out = note;
  for (int i = 1; i < steps; ++i) out += " -";
  return out;
}

namespace {
// Whole samples, so that every bar starts on the same sample in every pass
// through a loop (the tempo moves by less than a hundredth of a beat a minute).
double samplesPerBeat(const Tune& tune) { return std::round(sampleRate * 60.0 / tune.bpm); }

// Mixes every note of every part into `out`; `wrap` carries what runs past
// the end round to the start.
void renderParts(const Tune& tune, Samples& out, bool wrap) {
  for (size_t p = 0; p < tune.parts.size(); ++p) {
    const Part& part = tune.parts[p];
    int steps = 0;
    std::vector<StepNote> notes;
    try {
      notes = parseSteps(part.steps, &steps);
    } catch (const std::invalid_argument& e) {
      throw std::invalid_argument("part " + std::to_string(p) + ", " + e.what());
    }
    if (steps != tune.beats * part.stepsPerBeat) {
      throw std::invalid_argument("part " + std::to_string(p) + " has " + std::to_string(steps) +
                                  " steps instead of " +
                                  std::to_string(tune.beats * part.stepsPerBeat));
    }
    const double stepSamples = samplesPerBeat(tune) / part.stepsPerBeat;
    for (const StepNote& s : notes) {
      Note note;
      note.hz = s.hz;
      note.velocity = s.velocity;
      note.held = s.length * stepSamples / sampleRate;
      // The same note of a part sounds the same wherever it is played.
      note.seed = static_cast<std::uint32_t>(1 + p * 100003 + std::lround(s.hz * 100) * 7919 +
                                             std::lround(s.velocity * 10));
      const long start = std::lround(s.step * stepSamples);
      mixInto(out, part.instrument(note), start, part.gain, wrap);
    }
  }
}

// A three-tap echo; on a loop the repeats wrap round.
void echo(const Tune& tune, Samples& out, bool wrap) {
  if (tune.echoBeats <= 0 || tune.echoGain <= 0) return;
  const Samples dry = out;
  const long delay = std::lround(tune.echoBeats * samplesPerBeat(tune));
  double gain = tune.echoGain;
  for (int tap = 1; tap <= 3; ++tap, gain *= tune.echoGain) {
    mixInto(out, dry, tap * delay, gain, wrap);
  }
}
}  // namespace

long tuneLength(const Tune& tune) { return std::lround(tune.beats * samplesPerBeat(tune)); }

Samples renderLoop(const Tune& tune) {
  Samples out(static_cast<size_t>(tuneLength(tune)), 0.0f);
  renderParts(tune, out, true);
  echo(tune, out, true);
  // Any offset goes; taking it off every sample keeps the loop seamless.
  double mean = 0;
  for (float v : out) mean += v;
  mean /= static_cast<double>(out.size());
  for (float& v : out) v = static_cast<float>(v - mean);
  return out;
}

Samples renderOnce(const Tune& tune, double seconds) {
  Samples out(static_cast<size_t>(samplesFor(seconds)), 0.0f);
  renderParts(tune, out, false);
  echo(tune, out, false);
  return out;
}

}  // namespace synth
