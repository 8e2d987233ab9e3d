#pragma once
// The building blocks of Orvane's generated sounds: oscillators, an envelope,
// seeded noise, a filter and a few level helpers. Everything works on mono
// float samples at 44.1 kHz in [-1, 1], and nothing depends on the clock or
// on a random device, so the same calls give the same samples every time.

#include <cstdint>
#include <vector>

namespace synth {

constexpr int sampleRate = 44100;
constexpr double pi = 3.14159265358979323846;
using Samples = std::vector<float>;

// Whole samples in a duration.
long samplesFor(double seconds);
double dbToGain(double db);
double gainToDb(double gain);

// The phase of an oscillator, advanced one sample per call; the frequency
// may change from sample to sample (sweeps, vibrato).
class Oscillator {
 public:
  explicit Oscillator(double startPhase = 0) : phase(startPhase) {}
  double sine(double hz);
  double triangle(double hz);
  // Band-limited (polyBLEP) so that high notes do not alias.
  double saw(double hz);
  double square(double hz, double width = 0.5);

 private:
  // The phase before this sample (0..1); moves it on by one sample.
  double advance(double hz);
  double phase;
  double step = 0;
};

// Attack, decay, sustain, release. The level rises over `attack` seconds,
// falls towards `sustain` with time constant `decay` while the note is held,
// and falls to zero over `release` seconds after it. Attack and release
// follow quarter sine curves, so a release and the next attack cross-fade at
// an even loudness.
struct Adsr {
  double attack = 0.005, decay = 0.1, sustain = 1, release = 0.05;
  // The level `t` seconds after the start of a note held for `held` seconds.
  double at(double t, double held) const;
  double length(double held) const { return held + release; }
};

// White noise in [-1, 1) from a fixed seed (xorshift32).
class Noise {
 public:
  explicit Noise(std::uint32_t seed);
  double next();

 private:
  std::uint32_t state;
};

// A two-pole state-variable filter (trapezoidal integration): stays stable
// while its cutoff moves every sample.
class Filter {
 public:
  enum class Mode { lowpass, bandpass, highpass };
  Filter(Mode mode, double cutoffHz, double q = 0.7071);
  void setCutoff(double hz);
  double process(double x);

 private:
  Mode mode;
  double k;
  double g = 0, a1 = 0, a2 = 0, a3 = 0;
  double s1 = 0, s2 = 0;
};

// Loudest absolute sample.
double peak(const Samples& s);
// Root-mean-square level of [from, to).
double rms(const Samples& s, long from = 0, long to = -1);
// Scales so that the loudest sample is `peakDb` dBFS (silence stays silent).
void normalize(Samples& s, double peakDb);
// Soft clipping (tanh) that squashes peaks by `drive` (1: hardly at all),
// keeping the level of the loudest sample: louder for the same peak.
void saturate(Samples& s, double drive);
// Linear fades over the first and last samples, ending exactly at zero.
void fadeEdges(Samples& s, double inSeconds, double outSeconds);
// Adds `src` times `gain` into `dst` from sample `at`; with `wrap`, what runs
// past the end continues from the start (a loop), otherwise it is dropped.
void mixInto(Samples& dst, const Samples& src, long at, double gain, bool wrap);

// What each generator of the sound table is given.
struct Params {
  double seconds = 0;  // length of an effect (music: its loop follows from the tune)
  double hz = 0;       // the main pitch, for sounds that have one
  double peakDb = -3;  // loudest sample, dBFS
  std::uint32_t seed = 1;
};
using Generator = Samples (*)(const Params&);

}  // namespace synth
