#include "Synth.h"

#include <algorithm>
#include <cmath>

namespace synth {

long samplesFor(double seconds) { return std::lround(seconds * sampleRate); }
double dbToGain(double db) { return std::pow(10.0, db / 20); }
double gainToDb(double gain) { return 20 * std::log10(gain); }

namespace {
// The correction a band-limited step needs near a discontinuity at phase 0.
double polyBlep(double t, double dt) {
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1;
  }
  if (t > 1 - dt) {
    t = (t - 1) / dt;
    return t * t + t + t + 1;
  }
  return 0;
}
}  // namespace

double Oscillator::advance(double hz) {
  const double now = phase;
  step = std::fabs(hz) / sampleRate;
  phase += step;
  phase -= std::floor(phase);
  return now;
}

double Oscillator::sine(double hz) { return std::sin(2 * pi * advance(hz)); }

double Oscillator::triangle(double hz) {
  const double t = advance(hz);
  return 4 * std::fabs(t - 0.5) - 1;
}

double Oscillator::saw(double hz) {
  const double t = advance(hz);
  return 2 * t - 1 - polyBlep(t, step);
}

double Oscillator::square(double hz, double width) {
  const double t = advance(hz);
  double v = t < width ? 1 : -1;
  v += polyBlep(t, step);
  double u = t + 1 - width;
  u -= std::floor(u);
  v -= polyBlep(u, step);
  return v;
}

double Adsr::at(double t, double held) const {
  auto holding = [this](double time) {
    if (time < attack) return std::sin(pi / 2 * time / attack);
    return sustain + (1 - sustain) * std::exp(-(time - attack) / decay);
  };
  if (t < 0) return 0;
  if (t < held) return holding(t);
  if (t >= held + release) return 0;
  return holding(held) * std::cos(pi / 2 * (t - held) / release);
}

Noise::Noise(std::uint32_t seed) {
  // Spread nearby seeds apart; xorshift must not start at zero.
  std::uint32_t x = seed * 0x9E3779B9u + 0x7F4A7C15u;
  x ^= x >> 16;
  x *= 0x85EBCA6Bu;
  x ^= x >> 13;
  state = x ? x : 1;
}

double Noise::next() {
  state ^= state << 13;
  state ^= state >> 17;
  state ^= state << 5;
  return state / 2147483648.0 - 1;
}

Filter::Filter(Mode m, double cutoffHz, double q) : mode(m), k(1 / q) { setCutoff(cutoffHz); }

void Filter::setCutoff(double hz) {
  hz = std::clamp(hz, 10.0, 0.45 * sampleRate);
  g = std::tan(pi * hz / sampleRate);
  a1 = 1 / (1 + g * (g + k));
  a2 = g * a1;
  a3 = g * a2;
}

double Filter::process(double x) {
  const double v3 = x - s2;
  const double v1 = a1 * s1 + a2 * v3;
  const double v2 = s2 + a2 * s1 + a3 * v3;
  s1 = 2 * v1 - s1;
  s2 = 2 * v2 - s2;
  switch (mode) {
    case Mode::lowpass: return v2;
    case Mode::bandpass: return v1;
    case Mode::highpass: return x - k * v1 - v2;
  }
  return v2;
}

double peak(const Samples& s) {
  double p = 0;
  for (float v : s) p = std::max(p, static_cast<double>(std::fabs(v)));
  return p;
}

double rms(const Samples& s, long from, long to) {
  if (to < 0 || to > static_cast<long>(s.size())) to = static_cast<long>(s.size());
  if (to <= from) return 0;
  double sum = 0;
  for (long i = from; i < to; ++i) sum += static_cast<double>(s[i]) * s[i];
  return std::sqrt(sum / (to - from));
}

void normalize(Samples& s, double peakDb) {
  const double p = peak(s);
  if (p == 0) return;
  const double scale = dbToGain(peakDb) / p;
  for (float& v : s) v = static_cast<float>(v * scale);
}

void saturate(Samples& s, double drive) {
  const double p = peak(s);
  if (p == 0) return;
  for (float& v : s) v = static_cast<float>(p * std::tanh(drive * v / p) / std::tanh(drive));
}

void fadeEdges(Samples& s, double inSeconds, double outSeconds) {
  const long n = static_cast<long>(s.size());
  const long in = std::min(n, samplesFor(inSeconds));
  const long out = std::min(n, samplesFor(outSeconds));
  for (long i = 0; i < in; ++i) s[i] = static_cast<float>(s[i] * (static_cast<double>(i) / in));
  for (long i = 0; i < out; ++i) {
    s[n - 1 - i] = static_cast<float>(s[n - 1 - i] * (static_cast<double>(i) / out));
  }
}

void mixInto(Samples& dst, const Samples& src, long at, double gain, bool wrap) {
  const long n = static_cast<long>(dst.size());
  if (n == 0) return;
  for (long i = 0; i < static_cast<long>(src.size()); ++i) {
    long j = at + i;
    if (wrap) {
      j %= n;
      if (j < 0) j += n;
    } else if (j < 0 || j >= n) {
      continue;
    }
    dst[j] = static_cast<float>(dst[j] + gain * src[i]);
  }
}

}  // namespace synth
