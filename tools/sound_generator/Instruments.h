#pragma once
// The instruments of Orvane's music (and of the fanfare effect): each renders
// one note, from its start to the end of its release, at the note's velocity.

#include "Sequencer.h"

namespace synth::instrument {

Samples pad(const Note& note);        // warm detuned saws, slow swell
Samples darkPad(const Note& note);    // low, dull and slower still
Samples drone(const Note& note);      // beating saws an octave over a sub, very slow swell
Samples wind(const Note& note);       // breathy noise in a slowly drifting band around the note
Samples bell(const Note& note);       // struck glassy partials that ring out
Samples pluck(const Note& note);      // plucked string (Karplus-Strong)
Samples softBass(const Note& note);   // round sine bass
Samples bass(const Note& note);       // punchy filtered saw bass
Samples arp(const Note& note);        // short bright blip
Samples lead(const Note& note);       // singing lead with vibrato
Samples brass(const Note& note);      // saw whose filter opens on the attack
Samples kick(const Note& note);       // bass drum
Samples snare(const Note& note);      // snare drum
Samples hat(const Note& note);        // closed hi-hat
Samples heartbeat(const Note& note);  // soft low thump
Samples timpani(const Note& note);    // tuned kettle drum (C2 without a pitch)

}  // namespace synth::instrument
