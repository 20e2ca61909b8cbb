// Glyph runs into pixel rows: blends the coverage of each glyph of a UTF-8 text in one colour.
#pragma once

#include <string_view>

#include "platform/font_engine.h"
#include "platform/raster/target.h"

namespace kiv::raster {

// Draws the glyphs of text with the pen starting at (x, baseline); clipped to t.clip. Coverage
// 255 writes the colour, lower coverage blends it with the destination.
void DrawGlyphRun(const Target& t, const fontengine::FontInstance& font, int x, int baseline,
                  std::string_view text, TPixel color);

}  // namespace kiv::raster
