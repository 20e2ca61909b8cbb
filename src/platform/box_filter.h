// Reduction of a picture by an exact box filter: each output pixel the rounded mean of a block
// of source pixels, per channel.
#pragma once

#include "platform/bitmap.h"

namespace kiv {

// A picture Factor times smaller in each direction (rounded up). Each output pixel is the exact
// rounded mean, per channel, of its Factor x Factor block of source pixels; a partial block at
// the right or bottom edge averages the pixels it has. Factor is clamped to 1..16.
TBitmap ReduceByBoxFilter(const TBitmap& source, int Factor);

}  // namespace kiv
