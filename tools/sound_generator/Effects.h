#pragma once
// Orvane's sound effects. Each renders exactly params.seconds of sound that
// starts and ends at zero; the sound table sets the level afterwards.

#include "Synth.h"

namespace synth::effect {

Samples thrusterStart(const Params& p);      // ignition whoosh
Samples thrusterSustained(const Params& p);  // one grain of the engine rumble (see the .cpp)
Samples fuel(const Params& p);               // pick-up chime, rising from p.hz
Samples shaking(const Params& p);            // low rumble
Samples warp(const Params& p);               // rising sweep from p.hz
Samples dying(const Params& p);              // explosion
Samples respawn(const Params& p);            // rising shimmer from p.hz
Samples door(const Params& p);               // mechanical clunk and latch
Samples beep(const Params& p);               // short alert at p.hz
Samples checkpoint(const Params& p);         // two rising tones from p.hz
Samples zap(const Params& p);                // electric crackle
Samples siren(const Params& p);              // wailing around p.hz
Samples thunder(const Params& p);            // crack and rolling rumble
Samples drip(const Params& p);               // water drop at p.hz
Samples finish(const Params& p);             // short brass fanfare

}  // namespace synth::effect
