#include "audio/Voice.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "audio/Stream.h"

namespace sound {
namespace {
// The gain of the left output for a mono sound at pans 0, 0.05, ... 1 (the
// right output is the mirror image): the pan law the game has always played
// with, measured from the mixer it had before. The centre is 0.5956, not the
// 0.7071 of a constant-power law: effects keep their level against the music.
constexpr float leftGain[] = {1.0000f, 1.0000f, 0.9999f, 0.9969f, 0.9655f, 0.9211f, 0.8674f,
                              0.8065f, 0.7400f, 0.6694f, 0.5956f, 0.5197f, 0.4426f, 0.3652f,
                              0.2886f, 0.2141f, 0.1434f, 0.0789f, 0.0252f, 0.0000f, 0.0000f};
constexpr int panSteps = sizeof(leftGain) / sizeof(leftGain[0]) - 1;

float leftGainAt(float pan) {
  const float x = std::clamp(pan, 0.0f, 1.0f) * panSteps;
  const int i = std::min(static_cast<int>(x), panSteps - 1);
  return leftGain[i] + (leftGain[i + 1] - leftGain[i]) * (x - i);
}

// The gains of the left and right output for a mono sound at pan (0..1).
struct PanGains {
  float left, right;
};
PanGains panGains(float pan) { return {leftGainAt(pan), leftGainAt(1 - pan)}; }

// A stream's speed or rate may be anything a file says; this keeps a voice
// from skipping whole blocks in one output frame.
constexpr double maxStep = 255;
}  // namespace

void Voice::play(std::shared_ptr<const Pcm> pcm) {
  stop();
  if (pcm && pcm->frames() > 0) sample = std::move(pcm);
}

void Voice::play(Stream* s) {
  stop();
  stream = s;
}

void Voice::stop() {
  sample.reset();
  stream = nullptr;
  at = 0;
}

void Voice::seek(long frame) {
  if (sample) at = std::clamp(static_cast<double>(frame), 0.0, static_cast<double>(sample->frames()));
}

const Pcm* Voice::block() const { return sample ? sample.get() : stream ? stream->front() : nullptr; }

bool Voice::settle() {
  for (const Pcm* pcm = block(); pcm; pcm = block()) {
    const double total = static_cast<double>(pcm->frames());
    if (at < total) return true;
    if (stream) {
      at -= total;
      stream->popFront();
    } else if (loop) {
      at = std::fmod(at, total);
    } else {
      sample.reset();  // played out
    }
  }
  return false;
}

void Voice::mixInto(float* out, int frames, int outputRate) {
  if (paused || !active()) return;
  const float gain = std::clamp(volume, 0.0f, 1.0f) / 32768.0f;
  const PanGains pans = panGains(pan);
  for (int n = 0; n < frames && settle(); ++n) {
    const Pcm& pcm = *block();
    const long i = static_cast<long>(at);
    const float f = static_cast<float>(at - static_cast<double>(i));
    // The frame after this one, for the blend between them: the next of the
    // block, the first again when a sample loops, or the next block's first.
    const Pcm* nextBlock = &pcm;
    long next = i + 1;
    if (next >= pcm.frames()) {
      const Pcm* following = stream ? stream->second() : loop ? &pcm : nullptr;
      nextBlock = following && following->channels == pcm.channels ? following : &pcm;
      next = nextBlock == &pcm && !loop ? i : 0;
    }
    const short* a = &pcm.samples[static_cast<size_t>(i) * pcm.channels];
    const short* b = &nextBlock->samples[static_cast<size_t>(next) * pcm.channels];
    if (pcm.channels == 1) {
      const float s = (a[0] + (b[0] - a[0]) * f) * gain;
      out[2 * n] += s * pans.left;
      out[2 * n + 1] += s * pans.right;
    } else {
      out[2 * n] += (a[0] + (b[0] - a[0]) * f) * gain;
      out[2 * n + 1] += (a[1] + (b[1] - a[1]) * f) * gain;
    }
    at += std::min(maxStep, static_cast<double>(pcm.rate) * std::max(0.01f, speed) / outputRate);
  }
}

}  // namespace sound
