#pragma once
// A tiny pattern sequencer for Orvane's music. A tune is a tempo, a length
// in beats and a few parts; each part is one instrument playing a line of
// steps written as text, for example (two bars of eighth notes):
//
//   "A3 - E4 . A4 - C5 . | F3 - C4 . F4 - A4 ."
//
// A step is a note name ("A4", "C#3", "Bb2"), a chord of names joined by "+"
// ("A3+C4+E4"), "x" or "X" (a hit at the instrument's own pitch, "X"
// accented), "-" (the note before is held on) or "." (a rest). "|" marks bars
// for the reader and is skipped.

#include <cstdint>
#include <string>
#include <vector>

#include "Synth.h"

namespace synth {

// One note as an instrument is asked to play it.
struct Note {
  double hz = 0;        // 0: the instrument's own pitch (drums)
  double held = 0;      // seconds the note is held before it is released
  double velocity = 1;  // 0..1
  std::uint32_t seed = 1;
};
// Renders one note from its start to the end of its release.
using Instrument = Samples (*)(const Note&);

// A note of a line of steps: where it starts and how many steps it lasts.
struct StepNote {
  int step = 0;
  int length = 1;
  double hz = 0;
  double velocity = 1;
};

// The frequency of a note name such as "A4" (440 Hz), "C#3" or "Bb2".
// Throws std::invalid_argument for anything else.
double noteHz(const std::string& name);
// The notes of a line of steps (one per chord name) and how many steps the
// line has. Throws std::invalid_argument naming the offending step.
std::vector<StepNote> parseSteps(const std::string& line, int* stepCount = nullptr);
// `bar` written `times` times, separated by bar lines.
std::string repeat(const std::string& bar, int times);
// One note held for `steps` steps.
std::string held(const std::string& note, int steps);

struct Part {
  Instrument instrument;
  double gain;       // the part's level in the mix
  int stepsPerBeat;  // 1: quarter notes, 2: eighths, 4: sixteenths
  std::string steps;
};

struct Tune {
  double bpm;
  int beats;  // the length of the tune (of the loop)
  std::vector<Part> parts;
  double echoBeats = 0;  // delay of a three-tap echo, in beats; 0 for none
  double echoGain = 0;   // level of its first repeat
};

// The length of the tune in samples.
long tuneLength(const Tune& tune);
// Renders the tune as a seamless loop: whatever sounds past the end (release
// tails, echoes) goes on from the start, so the last sample leads into the
// first exactly as the tune leads back into its first bar. Nothing is faded.
// Throws std::invalid_argument when a part does not fill the tune exactly.
Samples renderLoop(const Tune& tune);
// Renders the tune once into `seconds` of sound; what runs past is cut.
Samples renderOnce(const Tune& tune, double seconds);

}  // namespace synth
