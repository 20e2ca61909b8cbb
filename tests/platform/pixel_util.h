// Helpers for pixel tests: pictures of small bitmap areas as text, colour counts, and
// comparisons that name the first differing pixel with both colours.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/bitmap.h"
#include "platform/canvas.h"

namespace kiv::testing {

// A bitmap of the given size filled with white.
TBitmap WhiteBitmap(int width, int height);

// The pixels of a rectangle of the bitmap as text, one line per row: '.' for white, '#' for
// black, 'R', 'G', 'B' for pure red, green and blue, '?' for anything else.
std::string Picture(const TBitmap& bmp, TRect area);
std::string Picture(const TBitmap& bmp);

// Number of pixels of the given colour in a rectangle (the whole bitmap by default).
int CountColor(const TBitmap& bmp, TColor color);
int CountColor(const TBitmap& bmp, TColor color, TRect area);

// Smallest rectangle holding every pixel that is not white (empty when there is none).
TRect InkBounds(const TBitmap& bmp);

// Succeeds when both bitmaps have the same size and pixels; otherwise names the first pixel
// that differs and both colours.
::testing::AssertionResult SamePixels(const TBitmap& expected, const TBitmap& actual);

}  // namespace kiv::testing
