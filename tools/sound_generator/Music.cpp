#include "Music.h"

#include "Instruments.h"

namespace synth::music {

namespace ins = instrument;

// The title theme: a calm A minor song at 80 beats a minute, 8 bars, ending
// on E major so that it turns back to A minor.
Tune menuTune() {
  Tune t{80, 32, {}, 0.75, 0.3};
  t.parts.push_back({ins::pad, 0.3, 1,
                     "A3+C4+E4 - - - | F3+A3+C4 - - - | C4+E4+G4 - - - | G3+B3+D4 - - - | "
                     "A3+C4+E4 - - - | F3+A3+C4 - - - | D3+F3+A3 - - - | E3+G#3+B3 - - -"});
  t.parts.push_back({ins::softBass, 0.55, 2,
                     "A2 - - - - - E2 - | F2 - - - - - C3 - | C2 - - - - - G2 - | G2 - - - - - D3 - | "
                     "A2 - - - - - E2 - | F2 - - - - - A2 - | D2 - - - - - F2 - | E2 - - - - - G#2 -"});
  t.parts.push_back({ins::pluck, 0.22, 2,
                     "A3 E4 A4 C5 E5 C5 A4 E4 | F3 C4 F4 A4 C5 A4 F4 C4 | C4 G4 C5 E5 G5 E5 C5 G4 | "
                     "G3 D4 G4 B4 D5 B4 G4 D4 | A3 E4 A4 C5 E5 C5 A4 E4 | F3 C4 F4 A4 C5 A4 F4 C4 | "
                     "D4 A4 D5 F5 A5 F5 D5 A4 | E3 B3 E4 G#4 B4 G#4 E4 B3"});
  t.parts.push_back({ins::bell, 0.4, 2,
                     "E5 - - - A5 - B5 - | C6 - - - A5 - - - | G5 - E5 - G5 - C6 - | B5 - - - D5 - - - | "
                     "E5 - - - A5 - B5 - | C6 - D6 - C6 - A5 - | F5 - - - D5 - F5 - | E5 - - - G#5 - B5 -"});
  return t;
}

// The cave: slow and moody in D minor at 70 beats a minute over a held D;
// sparse plucks and far-off bells in a long echo. Ends on A major.
Tune caveTune() {
  Tune t{70, 32, {}, 1.5, 0.4};
  t.parts.push_back({ins::drone, 0.35, 1, held("D2", 32)});
  t.parts.push_back({ins::darkPad, 0.3, 1,
                     "D3+F3+A3 - - - | Bb2+D3+F3 - - - | G2+Bb2+D3 - - - | A2+C#3+E3 - - - | "
                     "D3+F3+A3 - - - | Bb2+D3+F3 - - - | C3+E3+G3 - - - | A2+C#3+E3 - - -"});
  t.parts.push_back({ins::pluck, 0.5, 2,
                     "D4 . . A4 . . F4 . | D4 . . Bb4 . . F4 . | G4 . . Bb4 . . D5 . | C#5 . . A4 . . E4 . | "
                     "D4 . . A4 . . F4 . | F4 . . D5 . . Bb4 . | E4 . . G4 . . C5 . | A4 . . E4 . . C#4 ."});
  t.parts.push_back({ins::bell, 0.22, 1,
                     ". . . . | . . F6 . | . . . . | . . E6 . | . . . . | . . D6 . | . . . . | . A5 . C#6"});
  return t;
}

namespace {
// Eighth-note bass of the drive: low, low, high, low, rest, low, high, low.
std::string galloping(const std::string& low, const std::string& high) {
  return low + " " + low + " " + high + " " + low + " . " + low + " " + high + " " + low;
}
// Sixteenth-note arpeggio over four chord notes.
std::string arpeggio(const std::string& notes) { return repeat(notes, 4); }
}  // namespace

// Driving: E minor at 128 beats a minute, 16 bars, four on the floor; the
// arpeggio comes in at bar 5 and the lead at bar 9. A snare fill on B major
// leads back to the top.
Tune driveTune() {
  Tune t{128, 64, {}, 0.75, 0.2};
  t.parts.push_back({ins::kick, 0.8, 4, repeat("X . . . X . . . X . . . X . . .", 16)});
  t.parts.push_back({ins::snare, 0.45, 4,
                     repeat(". . . . X . . . . . . . X . . .", 15) + " | . . . . X . . . X . X . X X X X"});
  t.parts.push_back({ins::hat, 0.3, 4, repeat("x . X . x . X . x . X . x . X x", 16)});
  t.parts.push_back({ins::bass, 0.55, 2,
                     galloping("E2", "E3") + " | " + galloping("C2", "C3") + " | " + galloping("D2", "D3") +
                         " | " + galloping("B1", "B2") + " | " + galloping("E2", "E3") + " | " +
                         galloping("C2", "C3") + " | " + galloping("D2", "D3") + " | " + galloping("B1", "B2") +
                         " | " + galloping("A1", "A2") + " | " + galloping("C2", "C3") + " | " +
                         galloping("E2", "E3") + " | " + galloping("D2", "D3") + " | " + galloping("A1", "A2") +
                         " | " + galloping("C2", "C3") + " | " + galloping("D2", "D3") + " | " +
                         galloping("B1", "B2")});
  t.parts.push_back({ins::pad, 0.18, 1,
                     "E3+G3+B3 - - - | C3+E3+G3 - - - | D3+F#3+A3 - - - | B2+D#3+F#3 - - - | "
                     "E3+G3+B3 - - - | C3+E3+G3 - - - | D3+F#3+A3 - - - | B2+D#3+F#3 - - - | "
                     "A2+C3+E3 - - - | C3+E3+G3 - - - | E3+G3+B3 - - - | D3+F#3+A3 - - - | "
                     "A2+C3+E3 - - - | C3+E3+G3 - - - | D3+F#3+A3 - - - | B2+D#3+F#3 - - -"});
  t.parts.push_back({ins::arp, 0.2, 4,
                     repeat(". . . . . . . . . . . . . . . .", 4) + " | " + arpeggio("E4 G4 B4 E5") + " | " +
                         arpeggio("C4 E4 G4 C5") + " | " + arpeggio("D4 F#4 A4 D5") + " | " +
                         arpeggio("B3 D#4 F#4 B4") + " | " + arpeggio("A3 C4 E4 A4") + " | " +
                         arpeggio("C4 E4 G4 C5") + " | " + arpeggio("E4 G4 B4 E5") + " | " +
                         arpeggio("D4 F#4 A4 D5") + " | " + arpeggio("A3 C4 E4 A4") + " | " +
                         arpeggio("C4 E4 G4 C5") + " | " + arpeggio("D4 F#4 A4 D5") + " | " +
                         arpeggio("B3 D#4 F#4 B4")});
  t.parts.push_back({ins::lead, 0.3, 2,
                     repeat(". . . . . . . .", 8) +
                         " | E5 - - - C5 - A4 - | G5 - - - E5 - C5 - | B4 - - - E5 - G5 - | F#5 - - - - - A5 - | "
                         "A5 - - - E5 - C5 - | E5 - - - G5 - E5 - | F#5 - - - D5 - A4 - | B4 - - - D#5 - F#5 -"});
  return t;
}

// The deep: a dark C minor drone at 60 beats a minute with a heartbeat on
// every beat, wind, slow chord swells and a lone bell now and then. Ends on
// G major.
Tune deepTune() {
  Tune t{60, 32, {}, 2.0, 0.45};
  t.parts.push_back({ins::drone, 0.5, 1, held("C2", 32)});
  t.parts.push_back({ins::wind, 0.12, 1, held("C6", 16) + " | " + held("G5", 16)});
  t.parts.push_back({ins::heartbeat, 0.7, 4, repeat("X . x .", 32)});
  t.parts.push_back({ins::darkPad, 0.3, 1,
                     held("C3+Eb3+G3", 8) + " | " + held("Ab2+C3+Eb3", 8) + " | " + held("F2+Ab2+C3", 8) +
                         " | " + held("G2+B2+D3", 8)});
  t.parts.push_back({ins::bell, 0.16, 1,
                     ". . . . | . . G5 . | . . . . | Eb5 . . . | . . . . | . . C5 . | . . . . | . D5 . ."});
  return t;
}

namespace {
// The finale's brass rhythm for one bar: long, long, short.
std::string stabs(const std::string& chord) { return chord + " - - " + chord + " - - " + chord + " -"; }
}  // namespace

// The finale: C major at 116 beats a minute, 16 bars of brass over timpani
// and a marching snare; a snare roll on G leads back to C.
Tune finaleTune() {
  Tune t{116, 64, {}, 0.5, 0.15};
  t.parts.push_back({ins::timpani, 0.6, 2,
                     "C2 . . . G1 . G1 . | F2 . . . C2 . C2 . | G1 . . . D2 . D2 . | C2 . . . G1 . G1 . | "
                     "A1 . . . E2 . E2 . | F2 . . . C2 . C2 . | G1 . . . D2 . D2 . | G1 . . . D2 . D2 . | "
                     "C2 . . . G1 . G1 . | F2 . . . C2 . C2 . | G1 . . . D2 . D2 . | E2 . . . B1 . B1 . | "
                     "A1 . . . E2 . E2 . | F2 . . . C2 . C2 . | D2 . . . A1 . A1 . | G1 . G1 . G1 G1 G1 G1"});
  t.parts.push_back({ins::snare, 0.35, 4,
                     repeat(". . . . X . . x . . . . X . x x", 15) + " | X x x x X x x x X x x x X X X X"});
  t.parts.push_back({ins::softBass, 0.5, 2,
                     "C2 - C3 - C2 - G2 - | F2 - F3 - F2 - C3 - | G2 - G3 - G2 - D3 - | C2 - C3 - C2 - G2 - | "
                     "A2 - A3 - A2 - E3 - | F2 - F3 - F2 - C3 - | G2 - G3 - G2 - D3 - | G2 - G3 - G2 - B2 - | "
                     "C2 - C3 - C2 - G2 - | F2 - F3 - F2 - C3 - | G2 - G3 - G2 - D3 - | E2 - E3 - E2 - B2 - | "
                     "A2 - A3 - A2 - E3 - | F2 - F3 - F2 - C3 - | D2 - D3 - D2 - A2 - | G2 - G3 - G2 - B2 -"});
  t.parts.push_back({ins::brass, 0.16, 2,
                     stabs("C4+E4+G4") + " | " + stabs("C4+F4+A4") + " | " + stabs("B3+D4+G4") + " | " +
                         stabs("C4+E4+G4") + " | " + stabs("C4+E4+A4") + " | " + stabs("C4+F4+A4") + " | " +
                         stabs("B3+D4+G4") + " | " + stabs("B3+D4+G4") + " | " + stabs("C4+E4+G4") + " | " +
                         stabs("C4+F4+A4") + " | " + stabs("B3+D4+G4") + " | " + stabs("B3+E4+G4") + " | " +
                         stabs("C4+E4+A4") + " | " + stabs("C4+F4+A4") + " | " + stabs("D4+F4+A4") + " | " +
                         stabs("B3+D4+G4")});
  t.parts.push_back({ins::brass, 0.35, 2,
                     "G4 - C5 - - - E5 - | F5 - - - E5 - C5 - | D5 - - - G4 - B4 - | C5 - - - - - G4 - | "
                     "A4 - C5 - E5 - A5 - | A5 - - - G5 - F5 - | G5 - - - D5 - - - | B4 - - - D5 - G5 - | "
                     "G5 - - - E5 - G5 - | A5 - - - C6 - A5 - | G5 - - - D5 - B4 - | E5 - - - - - G5 - | "
                     "E5 - - - A5 - E5 - | F5 - - - A5 - C6 - | D6 - - - A5 - F5 - | D5 - - - B4 - - -"});
  return t;
}

Samples menu(const Params&) { return renderLoop(menuTune()); }
Samples cave(const Params&) { return renderLoop(caveTune()); }
Samples drive(const Params&) { return renderLoop(driveTune()); }
Samples deep(const Params&) { return renderLoop(deepTune()); }
Samples finale(const Params&) { return renderLoop(finaleTune()); }

}  // namespace synth::music
