#include "Effects.h"

#include <algorithm>
#include <cmath>

#include "Instruments.h"
#include "Sequencer.h"

namespace synth::effect {

namespace {
using Mode = Filter::Mode;

// p.seconds of sound from a function of the time since the start.
template <typename SampleAt>
Samples render(const Params& p, SampleAt sampleAt) {
  Samples out(static_cast<size_t>(samplesFor(p.seconds)));
  for (size_t i = 0; i < out.size(); ++i) {
    out[i] = static_cast<float>(sampleAt(static_cast<double>(i) / sampleRate));
  }
  return out;
}

// 0 before `start`, then rising over `attack` and decaying with time constant `decay`.
double strike(double t, double start, double attack, double decay) {
  t -= start;
  if (t <= 0) return 0;
  return std::min(1.0, t / attack) * std::exp(-t / decay);
}

// An envelope that swells in over `attack` and fades out over the last
// `release` seconds of the sound.
Adsr swell(double attack, double release) { return Adsr{attack, 1, 1, release}; }
// How long to hold a note for its release to end on the last sample.
double heldFor(const Params& p, const Adsr& env) {
  return (samplesFor(p.seconds) - 1) / static_cast<double>(sampleRate) - env.release;
}
}  // namespace

Samples thrusterStart(const Params& p) {
  Noise noise(p.seed);
  Filter whoosh(Mode::bandpass, 400, 1.2), body(Mode::lowpass, 220);
  Oscillator pop;
  const Adsr env{0.015, 0.12, 0.35, 0.1};
  return render(p, [&](double t) {
    // The hiss rises and falls back as the engine catches.
    whoosh.setCutoff(400 * std::pow(6.0, std::sin(pi * t / p.seconds)));
    const double n = noise.next();
    const double v = whoosh.process(n) + 0.5 * body.process(n) +
                     0.5 * pop.sine(45 + 45 * std::exp(-t / 0.05)) * strike(t, 0, 0.004, 0.06);
    return env.at(t, heldFor(p, env)) * v;
  });
}

// The engine rumble is restarted every frame (60 times a second) while the
// thrust is held, earlier copies playing on. So each copy is one grain:
// low-passed noise under a Hann window that starts and ends at zero. At
// seven frames long, seven copies overlap and their windows add up to a flat
// level; the longer the grain, the less an uneven frame or a mixer that
// starts sounds in blocks shows. Steep filters keep it a rumble: copies a
// frame apart make anything bright buzz at 60 Hz. Nothing varies between copies.
Samples thrusterSustained(const Params& p) {
  Noise noise(p.seed);
  Filter low1(Mode::lowpass, 200), low2(Mode::lowpass, 200);
  Filter grit1(Mode::bandpass, 400, 1.5), grit2(Mode::bandpass, 400, 1.5);
  auto next = [&]() {
    const double n = noise.next();
    return low2.process(low1.process(n)) + 0.2 * grit2.process(grit1.process(n));
  };
  for (int i = 0; i < 4096; ++i) next();  // let the filters settle
  const double length = static_cast<double>(samplesFor(p.seconds));
  return render(p, [&](double t) {
    const double window = 0.5 - 0.5 * std::cos(2 * pi * t * sampleRate / length);
    return window * next();
  });
}

Samples fuel(const Params& p) {
  Oscillator osc[6];
  const double ratios[] = {1, 1.26, 1.5};  // a major triad upwards
  return render(p, [&](double t) {
    double v = 0;
    for (int i = 0; i < 3; ++i) {
      const double hz = p.hz * ratios[i];
      const double level = strike(t, 0.06 * i, 0.002, 0.22);
      v += level * (osc[2 * i].sine(hz) + 0.3 * osc[2 * i + 1].sine(2 * hz));
    }
    return v;
  });
}

Samples shaking(const Params& p) {
  Noise noise(p.seed), wobbleNoise(p.seed + 1);
  Filter low1(Mode::lowpass, 90), low2(Mode::lowpass, 90), wobble(Mode::lowpass, 6);
  Oscillator hum;
  const Adsr env = swell(0.15, 0.5);
  return render(p, [&](double t) {
    const double w = std::clamp(0.6 + 8 * wobble.process(wobbleNoise.next()), 0.2, 1.4);
    const double v = 3 * low2.process(low1.process(noise.next())) + 0.5 * hum.sine(38);
    return env.at(t, heldFor(p, env)) * w * v;
  });
}

Samples warp(const Params& p) {
  Oscillator a, b, vibrato;
  Noise noise(p.seed);
  Filter tone(Mode::bandpass, p.hz, 2), air(Mode::bandpass, p.hz, 3);
  const Adsr env = swell(0.02, 0.3);
  return render(p, [&](double t) {
    const double hz = p.hz * std::pow(12.0, t / p.seconds) * (1 + 0.02 * vibrato.sine(12));
    tone.setCutoff(2 * hz);
    air.setCutoff(3 * hz);
    const double v = tone.process(a.saw(hz) + b.saw(1.5 * hz)) + 0.6 * air.process(noise.next());
    return env.at(t, heldFor(p, env)) * v;
  });
}

Samples dying(const Params& p) {
  Noise noise(p.seed), sparks(p.seed + 1);
  Filter blast1(Mode::lowpass, 6000), blast2(Mode::lowpass, 6000), crackle(Mode::bandpass, 3000, 2);
  Oscillator boom;
  const Adsr env = swell(0.002, 0.15);
  Samples s = render(p, [&](double t) {
    const double cutoff = 150 + 6000 * std::exp(-t / 0.15);
    blast1.setCutoff(cutoff);
    blast2.setCutoff(cutoff);
    const double burst = blast2.process(blast1.process(noise.next())) * std::exp(-t / 0.3);
    const double thump = 0.8 * boom.sine(30 + 40 * std::exp(-t / 0.1)) * std::exp(-t / 0.35);
    // Sparse sparks, fewer as the blast dies down.
    const double spark = sparks.next() > 1 - 0.01 * std::exp(-t / 0.3) ? 1.0 : 0.0;
    const double crack = 4 * crackle.process(spark) * std::exp(-t / 0.4);
    return env.at(t, heldFor(p, env)) * (burst + thump + crack);
  });
  saturate(s, 2);  // a blast overdrives everything
  return s;
}

Samples respawn(const Params& p) {
  static const int steps[] = {0, 4, 7, 12, 16, 19, 24};  // up a major chord
  Oscillator tones[7], sweep, tremolo;
  const Adsr env = swell(0.01, 0.25);
  return render(p, [&](double t) {
    double v = 0;
    for (int i = 0; i < 7; ++i) {
      const double hz = p.hz * std::pow(2.0, steps[i] / 12.0);
      v += strike(t, 0.09 * i, 0.01, 0.25) * tones[i].sine(hz);
    }
    v += 0.2 * sweep.sine(p.hz * std::pow(3.0, t / p.seconds));
    const double shimmer = 0.75 + 0.25 * tremolo.sine(18);
    return env.at(t, heldFor(p, env)) * shimmer * v;
  });
}

Samples door(const Params& p) {
  // A heavy clunk as the door lands, then the lighter click of its latch.
  struct Clunk {
    double start, bodyHz, noiseHz, level;
  };
  const Clunk clunks[] = {{0.0, 85, 700, 1.0}, {0.22, 140, 1200, 0.6}};
  Noise noise(p.seed);
  Oscillator bodies[2];
  Filter thud[2] = {{Mode::lowpass, 700}, {Mode::lowpass, 1200}};
  Filter ring[2] = {{Mode::bandpass, 2200, 8}, {Mode::bandpass, 3100, 8}};
  return render(p, [&](double t) {
    const double n = noise.next();
    double v = 0;
    for (int i = 0; i < 2; ++i) {
      const Clunk& c = clunks[i];
      v += c.level * (1.5 * thud[i].process(n) * strike(t, c.start, 0.001, 0.03) +
                      bodies[i].sine(c.bodyHz) * strike(t, c.start, 0.002, 0.12) +
                      2.5 * ring[i].process(n) * strike(t, c.start, 0.001, 0.08));
    }
    return v;
  });
}

Samples beep(const Params& p) {
  Oscillator osc;
  Filter soften(Mode::lowpass, 4000);
  const Adsr env = swell(0.005, 0.07);
  return render(p, [&](double t) { return env.at(t, heldFor(p, env)) * soften.process(osc.square(p.hz)); });
}

Samples checkpoint(const Params& p) {
  Oscillator low, lowOver, high, highOver;
  const Adsr first{0.005, 0.2, 0.6, 0.04}, second{0.005, 0.2, 0.6, 0.12};
  const double gap = 0.16;
  return render(p, [&](double t) {
    const double hz = p.hz * 4 / 3;  // up a fourth
    const double a = first.at(t, 0.12) * (low.triangle(p.hz) + 0.2 * lowOver.sine(2 * p.hz));
    const double b = second.at(t - gap, p.seconds - gap - second.release) *
                     (high.triangle(hz) + 0.2 * highOver.sine(2 * hz));
    return a + b;
  });
}

Samples zap(const Params& p) {
  Noise noise(p.seed), jumps(p.seed + 1), sparks(p.seed + 2);
  Oscillator buzz;
  Filter body(Mode::lowpass, 2500), sizzle(Mode::bandpass, 3000, 1.2), snap(Mode::bandpass, 5000, 3);
  const Adsr env{0.003, 0.15, 0.5, 0.1};
  double hz = 60, gate = 1;
  long untilJump = 0;
  Samples s = render(p, [&](double t) {
    // Every 10 to 30 ms the arc jumps: a new buzz pitch and strength.
    if (--untilJump <= 0) {
      hz = 40 + 80 * (0.5 + 0.5 * jumps.next());
      gate = 0.3 + 0.7 * (0.5 + 0.5 * jumps.next());
      untilJump = samplesFor(0.02 + 0.01 * jumps.next());
    }
    const double arc = buzz.saw(hz);
    // The sizzle flares only at the top of each buzz cycle; sparks snap now and then.
    const double flare = arc > 0.6 ? 1.0 : 0.0;
    const double spark = sparks.next() > 0.996 ? 1.0 : 0.0;
    const double v = gate * (0.6 * body.process(arc) + 1.5 * sizzle.process(noise.next() * flare)) +
                     6 * snap.process(spark);
    return env.at(t, heldFor(p, env)) * v;
  });
  saturate(s, 3);  // the snaps are short; squash them so the arc is heard
  return s;
}

Samples siren(const Params& p) {
  Oscillator a, b;
  Filter soften(Mode::lowpass, 3000);
  const Adsr env = swell(0.08, 0.3);
  return render(p, [&](double t) {
    // Up and down once a second, from p.hz to 1.7 times it.
    const double hz = p.hz * (1 + 0.7 * (0.5 - 0.5 * std::cos(2 * pi * t)));
    const double v = soften.process(0.6 * a.square(hz) + 0.4 * b.saw(hz));
    return env.at(t, heldFor(p, env)) * v;
  });
}

Samples thunder(const Params& p) {
  Noise noise(p.seed);
  Filter crack(Mode::highpass, 1500), roll1(Mode::lowpass, 400), roll2(Mode::lowpass, 400);
  const Adsr env = swell(0.002, 0.6);
  const double rolls[][2] = {{0.05, 1.0}, {0.45, 0.8}, {1.0, 0.6}};  // start, level
  Samples s = render(p, [&](double t) {
    const double cutoff = 80 + 400 * std::exp(-t / 0.8);
    roll1.setCutoff(cutoff);
    roll2.setCutoff(cutoff);
    const double n = noise.next();
    double rumble = 0;
    for (const auto& r : rolls) rumble += r[1] * strike(t, r[0], 0.1, 0.5);
    const double v = 0.35 * crack.process(n) * strike(t, 0, 0.001, 0.05) +
                     6 * rumble * roll2.process(roll1.process(n));
    return env.at(t, heldFor(p, env)) * v;
  });
  saturate(s, 1.5);
  return s;
}

Samples drip(const Params& p) {
  // A drop: a quick upward bloop, and its echo off the cave wall.
  Oscillator drop, echo;
  auto bloop = [&](Oscillator& osc, double t) {
    const double hz = p.hz * (1 + 1.2 * (1 - std::exp(-std::max(0.0, t) / 0.02)));
    const double v = osc.sine(hz);
    return strike(t, 0, 0.001, 0.05) * v;
  };
  return render(p, [&](double t) { return bloop(drop, t) + 0.3 * bloop(echo, t - 0.11); });
}

Samples finish(const Params& p) {
  namespace ins = instrument;
  Tune fanfare{140, 4, {}, 0, 0};
  fanfare.parts.push_back({ins::brass, 0.5, 4, "G4 . G4 . C5 - - . E5 - - . G5 - - -"});
  fanfare.parts.push_back({ins::brass, 0.3, 4, ". . . . . . . . . . . . C4+E4+G4+C5 - - -"});
  fanfare.parts.push_back({ins::timpani, 0.5, 4, "C2 . . . . . . . G1 . . . C2 . . ."});
  fanfare.parts.push_back({ins::snare, 0.25, 4, ". . . . . . . . X x x x X x x X"});
  Samples s = renderOnce(fanfare, p.seconds);
  // The last chord rings out over the rest of the sound.
  const long n = static_cast<long>(s.size());
  const long from = std::lround(tuneLength(fanfare) * 0.9);
  for (long i = from; i < n; ++i) {
    s[i] = static_cast<float>(s[i] * std::cos(pi / 2 * (i - from) / static_cast<double>(n - from)));
  }
  return s;
}

}  // namespace synth::effect
