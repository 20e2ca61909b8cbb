// Choice of round tick values for a numeric scale: first tick, tick distance and the number of
// minor intervals, the arithmetic under every linear axis of the library.
#pragma once

#include <cstdint>

namespace kiv {

// Wanted interval count used when the caller asks for none (0 or less).
inline constexpr int kDefaultScaleTicks = 5;
// Larger requests are reduced to this, which keeps every tick loop short.
inline constexpr int kMaxScaleTicks = 1000;

// For the range low..high (either order) and a wanted number of tick intervals:
// - tickDistance is 1, 2 or 5 times a power of ten, the largest such step that still cuts the
//   range into at least numTicks intervals (so between numTicks and 2.5 numTicks of them), and
//   carries the sign of high - low;
// - subdivisions is the number of minor intervals per major one: 5 for steps 1 and 5, 4 for
//   step 2, so minor ticks fall on round values too;
// - firstTick is the first multiple of the step at or beyond low in the direction of high
//   (a multiple within 1e-9 steps short of low counts as on it, so rounding of low does not
//   skip a tick, and is returned as low itself: firstTick never lies short of low, also where
//   the round value and low differ in their last bits, as 0.1 does in double and in extended
//   precision); 0 is exactly 0, never -0.
// The step is never finer than 2^-42 of the larger range end: a range of a few units of
// rounding far from zero gets one tick or none instead of steps that adding cannot resolve.
// This bounds every tick loop (v = first; v <= high; v += step) to about 2.5 numTicks + 2
// rounds, also in double precision. Low = high, NaN or infinite ends give tickDistance 0 (draw
// nothing), firstTick 0 for bad input (low otherwise) and subdivisions 1.
void CalcScalePars(int numTicks, long double low, long double high, long double& firstTick,
                   long double& tickDistance, std::uint16_t& subdivisions);

}  // namespace kiv
