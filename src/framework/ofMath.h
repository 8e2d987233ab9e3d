#pragma once
// Random numbers, clamping and angle conversion.

// A number in [min(a, b), max(a, b)); a when a equals b.
float ofRandom(float a, float b);
// Seeds the random generator from the clock's millisecond tick.
void ofSeedRandom();
// Seeds the random generator with a fixed value (tests, playthroughs).
void ofSeedRandom(unsigned seed);
// lo if v < lo, else hi if v > hi, else v; the bounds are not reordered.
float ofClamp(float v, float lo, float hi);
// v truncated toward zero, held to the int range (NaN gives 0): a plain cast
// of a float beyond the range is undefined.
int ofTruncateToInt(float v);
// Degrees to radians, in single precision.
float ofDegToRad(float degrees);
