// Helpers for the drawing tests of the base services: small bitmaps as text pictures with a
// legend of named colours, ink bounds and colour counts.
#pragma once

#include <string>

#include "platform/bitmap.h"
#include "platform/color.h"
#include "platform/types.h"

namespace kiv::testing {

// The pixels of an area as text, one line per row: '.' white, '#' black, 'o' blue (the brush
// colour of the tests), 'W' near-white 0xFEFEFE, 's' silver, 'g' grey, 'R' red, '?' other.
std::string Picture(const TBitmap& bmp, TRect area);
std::string Picture(const TBitmap& bmp);

// Smallest rectangle (right and bottom exclusive) holding every pixel that is not white; empty
// when there is none.
TRect InkBounds(const TBitmap& bmp);

int CountColor(const TBitmap& bmp, TColor color);

}  // namespace kiv::testing
