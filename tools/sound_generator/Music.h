#pragma once
// Orvane's music: each track is a tune for the sequencer, rendered as a
// seamless loop whose last bar leads back into the first.

#include "Sequencer.h"

namespace synth::music {

// The tunes themselves, for the loop and tests.
Tune menuTune();
Tune caveTune();
Tune driveTune();
Tune deepTune();
Tune finaleTune();

// Generators for the sound table: the tune as a loop (the table sets the level).
Samples menu(const Params& params);
Samples cave(const Params& params);
Samples drive(const Params& params);
Samples deep(const Params& params);
Samples finale(const Params& params);

}  // namespace synth::music
