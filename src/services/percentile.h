// The one percentile rule of the math services, shared by matrices, vectors and data tables so
// that a box plot, a contour plot and a table agree on the same numbers.
#pragma once

#include <span>

namespace kiv {

// The p-th percentile (p in percent, clamped to 0..100) of `values`, by linear interpolation
// between closest ranks: with the n values sorted ascending as x1..xn, the position is
// h = 1 + (n - 1) * p / 100 and the result x[floor h] + (h - floor h) * (x[floor h + 1] -
// x[floor h]). So p = 0 gives the minimum, p = 100 the maximum and p = 50 the usual median
// (mean of the two middle values for even n). NaN values are ignored; no values at all give 0;
// a NaN p gives NaN. The values are reordered in place (selection, not a full sort).
double PercentileOfValues(std::span<double> values, double p);

// Several percentiles of the same values at the cost of about one selection: out[i] is exactly
// what PercentileOfValues(values, ps[i]) gives. `out` must be as long as `ps`. The values are
// reordered in place.
void PercentilesOfValues(std::span<double> values, std::span<const double> ps,
                         std::span<double> out);

}  // namespace kiv
