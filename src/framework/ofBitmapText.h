#pragma once
// The built-in bitmap text gathered into one GL draw per flush: glBitmap,
// one call per character, costs the software renderer a draw each.
// ofDrawBitmapString gathers and ofFlushDrawing draws; nothing else calls
// these.

#include <string>

namespace bitmapText {
// The pixels glBitmap lights for the text from the raster position of (x, y)
// in the current model-view space: whole window pixels, never turned or
// scaled by the matrix, in the colour current now; a line whose start lies
// outside the viewport draws nothing.
void gatherAtRasterPosition(const std::string& text, float x, float y);
// One quad per lit pixel in model-view units, for a screen shown larger:
// the text grows with everything else. Drawn under the model-view current
// at the flush, which is the one current now (changing it flushes).
void gatherInModelView(const std::string& text, float x, float y);
// Draws the gathered text in the order it was gathered, and forgets it.
void draw();
bool gathered();
}  // namespace bitmapText
