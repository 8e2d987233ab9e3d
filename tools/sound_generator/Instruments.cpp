#include "Instruments.h"

#include <algorithm>
#include <cmath>

namespace synth::instrument {

namespace {
using Mode = Filter::Mode;

// `seconds` of sound from a function of the time since the start.
template <typename SampleAt>
Samples render(double seconds, SampleAt sampleAt) {
  Samples out(static_cast<size_t>(samplesFor(seconds)));
  for (size_t i = 0; i < out.size(); ++i) {
    out[i] = static_cast<float>(sampleAt(static_cast<double>(i) / sampleRate));
  }
  return out;
}

// A drum: rings for `seconds`, with the first and last moments faded so that
// it starts and ends at zero.
template <typename SampleAt>
Samples hit(double seconds, SampleAt sampleAt) {
  Samples out = render(seconds, sampleAt);
  fadeEdges(out, 0.001, seconds / 4);
  return out;
}

// Three saws spread by `detune` (a ratio), through a low-pass filter.
Samples sawStack(const Note& n, const Adsr& env, double detune, double cutoff, double wobbleHz) {
  Oscillator a(0.0), b(0.31), c(0.67), wobble;
  Filter filter(Mode::lowpass, cutoff, 0.8);
  return render(env.length(n.held), [&](double t) {
    filter.setCutoff(cutoff * (1 + 0.25 * wobble.sine(wobbleHz)));
    const double v = (a.saw(n.hz) + b.saw(n.hz * detune) + c.saw(n.hz / detune)) / 3;
    return n.velocity * env.at(t, n.held) * filter.process(v);
  });
}
}  // namespace

Samples pad(const Note& n) {
  return sawStack(n, Adsr{0.45, 0.8, 0.7, 0.9}, 1.004, std::min(3200.0, 4 * n.hz), 0.3);
}

Samples darkPad(const Note& n) {
  return sawStack(n, Adsr{1.5, 2.0, 0.8, 2.0}, 1.003, std::min(900.0, 2.5 * n.hz), 0.12);
}

Samples drone(const Note& n) {
  const Adsr env{2.5, 4.0, 1.0, 2.5};
  Oscillator a(0.0), b(0.5), sub, sweep;
  Filter filter(Mode::lowpass, 3 * n.hz, 1.2);
  return render(env.length(n.held), [&](double t) {
    filter.setCutoff(n.hz * (2.5 + 1.5 * sweep.sine(0.07)));
    const double v = 0.5 * (a.saw(n.hz) + b.saw(n.hz * 1.0035)) + 0.8 * sub.sine(n.hz / 2);
    return n.velocity * env.at(t, n.held) * filter.process(v);
  });
}

Samples wind(const Note& n) {
  const Adsr env{3.0, 4.0, 1.0, 3.0};
  Noise noise(n.seed);
  Oscillator drift;
  Filter band1(Mode::bandpass, n.hz, 0.8), band2(Mode::bandpass, n.hz, 0.8);
  return render(env.length(n.held), [&](double t) {
    const double hz = n.hz * (1 + 0.35 * drift.sine(0.05));
    band1.setCutoff(hz);
    band2.setCutoff(hz);
    return 2.5 * n.velocity * env.at(t, n.held) * band2.process(band1.process(noise.next()));
  });
}

Samples bell(const Note& n) {
  struct Partial {
    double ratio, level, decay;
  };
  static const Partial partials[] = {{1, 1, 1.1}, {2, 0.35, 0.55}, {3.01, 0.16, 0.3}, {4.23, 0.08, 0.18}};
  Oscillator osc[4];
  const Adsr env{0.002, 1e9, 1, 0.3};
  const double held = std::max(n.held, 0.1) + 1.5;
  return render(env.length(held), [&](double t) {
    double v = 0;
    for (int i = 0; i < 4; ++i) {
      v += partials[i].level * std::exp(-t / partials[i].decay) * osc[i].sine(n.hz * partials[i].ratio);
    }
    return 0.6 * n.velocity * env.at(t, held) * v;
  });
}

Samples pluck(const Note& n) {
  // A burst of soft noise circulating in a delay line one period long, each
  // pass slightly averaged and damped: a plucked string.
  const size_t period = static_cast<size_t>(std::max(2L, std::lround(sampleRate / n.hz)));
  std::vector<double> line(period);
  Noise noise(n.seed);
  Filter soften(Mode::lowpass, std::min(5000.0, 8 * n.hz));
  for (double& v : line) v = soften.process(noise.next());
  const Adsr env{0.002, 1e9, 1, 0.25};
  const double held = n.held + 0.6;
  size_t i = 0;
  return render(env.length(held), [&](double t) {
    const double out = line[i];
    const size_t next = (i + 1) % period;
    line[i] = 0.996 * 0.5 * (line[i] + line[next]);
    i = next;
    return 1.4 * n.velocity * env.at(t, held) * out;
  });
}

Samples softBass(const Note& n) {
  const Adsr env{0.02, 0.4, 0.7, 0.15};
  Oscillator a, b, c;
  return render(env.length(n.held), [&](double t) {
    const double v = a.sine(n.hz) + 0.25 * b.sine(2 * n.hz) + 0.1 * c.triangle(n.hz);
    return 0.8 * n.velocity * env.at(t, n.held) * v;
  });
}

Samples bass(const Note& n) {
  const Adsr env{0.003, 0.15, 0.6, 0.04};
  Oscillator a, b;
  Filter filter(Mode::lowpass, 8 * n.hz, 1.3);
  return render(env.length(n.held), [&](double t) {
    filter.setCutoff(n.hz * (2 + 6 * std::exp(-t / 0.08)));
    const double v = 0.5 * a.saw(n.hz) + 0.5 * b.square(n.hz);
    return 0.8 * n.velocity * env.at(t, n.held) * filter.process(v);
  });
}

Samples arp(const Note& n) {
  const Adsr env{0.002, 0.09, 0.0, 0.05};
  Oscillator osc;
  Filter filter(Mode::lowpass, std::min(6000.0, 4 * n.hz));
  return render(env.length(n.held), [&](double t) {
    return n.velocity * env.at(t, n.held) * filter.process(osc.square(n.hz, 0.3));
  });
}

Samples lead(const Note& n) {
  const Adsr env{0.015, 0.3, 0.75, 0.12};
  Oscillator a, b, vibrato;
  Filter filter(Mode::lowpass, std::min(6000.0, 6 * n.hz));
  return render(env.length(n.held), [&](double t) {
    const double depth = 0.005 * std::min(1.0, std::max(0.0, (t - 0.15) / 0.2));
    const double hz = n.hz * (1 + depth * vibrato.sine(5.5));
    const double v = 0.6 * a.saw(hz) + 0.4 * b.square(hz);
    return 0.7 * n.velocity * env.at(t, n.held) * filter.process(v);
  });
}

Samples brass(const Note& n) {
  const Adsr env{0.03, 0.4, 0.8, 0.15};
  Oscillator a, b, vibrato;
  Filter filter(Mode::lowpass, 2 * n.hz, 1.1);
  return render(env.length(n.held), [&](double t) {
    // The filter opens fast on the attack and settles part of the way back.
    const double open = (1 - std::exp(-t / 0.04)) * (0.6 + 0.4 * std::exp(-t / 0.3));
    filter.setCutoff(std::min(7000.0, n.hz * (1.5 + 5 * open)));
    const double hz = n.hz * (1 + 0.003 * vibrato.sine(5));
    const double v = 0.7 * a.saw(hz) + 0.3 * b.saw(hz * 1.002);
    return 0.8 * n.velocity * env.at(t, n.held) * filter.process(v);
  });
}

Samples kick(const Note& n) {
  Oscillator body;
  Noise noise(n.seed);
  Filter click(Mode::lowpass, 3000);
  return hit(0.45, [&](double t) {
    const double hz = 45 + 110 * std::exp(-t / 0.035);
    const double v = body.sine(hz) * std::exp(-t / 0.18) +
                     0.2 * click.process(noise.next()) * std::exp(-t / 0.004);
    return n.velocity * v;
  });
}

Samples snare(const Note& n) {
  Oscillator tone;
  Noise noise(n.seed);
  Filter band(Mode::bandpass, 1800, 0.7);
  return hit(0.3, [&](double t) {
    const double v = 1.6 * band.process(noise.next()) * std::exp(-t / 0.07) +
                     0.6 * tone.sine(185) * std::exp(-t / 0.04);
    return n.velocity * v;
  });
}

Samples hat(const Note& n) {
  Noise noise(n.seed);
  Filter high(Mode::highpass, 7000, 0.7);
  return hit(0.09, [&](double t) { return 0.7 * n.velocity * high.process(noise.next()) * std::exp(-t / 0.02); });
}

Samples heartbeat(const Note& n) {
  Oscillator body;
  Noise noise(n.seed);
  Filter thud(Mode::lowpass, 200);
  return hit(0.5, [&](double t) {
    const double hz = 40 + 40 * std::exp(-t / 0.03);
    const double v = body.sine(hz) * std::exp(-t / 0.12) + 0.3 * thud.process(noise.next()) * std::exp(-t / 0.05);
    return n.velocity * v;
  });
}

Samples timpani(const Note& n) {
  const double hz = n.hz > 0 ? n.hz : noteHz("C2");
  Oscillator body, overtone;
  Noise noise(n.seed);
  Filter skin(Mode::lowpass, 500);
  return hit(1.4, [&](double t) {
    const double bend = 1 + 0.04 * std::exp(-t / 0.1);
    const double v = (body.sine(hz * bend) + 0.35 * overtone.sine(1.5 * hz * bend)) * std::exp(-t / 0.5) +
                     0.5 * skin.process(noise.next()) * std::exp(-t / 0.03);
    return n.velocity * v;
  });
}

}  // namespace synth::instrument
