#pragma once
// Orvane's own pixel font: every glyph sits in an 8x14 cell with the baseline
// on row 3, so ofDrawBitmapString can hand rows straight to glBitmap.

// The built-in fixed-width 8x14 bitmap font used for editor and debug labels.
// Each glyph: one width byte (always 8) then 14 row bytes, bottom row first,
// most significant bit leftmost (the layout glBitmap takes).
extern const unsigned char ofBitmapFontGlyphs[256][15];
