// Rounding of floating-point values to integers: to the nearest integer with halves going to the
// even neighbour, the one rounding rule of the library (pixels, stored angles, tick values).
#pragma once

namespace kiv {

// The nearest integral value, halves to even (2.5 -> 2, 3.5 -> 4, -2.5 -> -2). Infinities and NaN
// come back unchanged. Independent of the floating-point rounding mode of the thread.
double RoundHalfEven(double x);

// RoundHalfEven as an int; values beyond the int range give the nearest end of the range and NaN
// gives 0, so the result is always defined.
int RoundToInt(double x);

}  // namespace kiv
