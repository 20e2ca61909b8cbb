#include "services/percentile.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

namespace kiv {

double PercentileOfValues(std::span<double> values, double p) {
  if (std::isnan(p)) return std::numeric_limits<double>::quiet_NaN();
  // NaN breaks the ordering that selection relies on, so it is moved out of the way first.
  const auto valid_end =
      std::partition(values.begin(), values.end(), [](double v) { return !std::isnan(v); });
  const std::size_t n = static_cast<std::size_t>(valid_end - values.begin());
  if (n == 0) return 0.0;
  p = std::clamp(p, 0.0, 100.0);
  const double h = static_cast<double>(n - 1) * p / 100.0;  // 0-based position
  const std::size_t lo = std::min(static_cast<std::size_t>(h), n - 1);
  const double frac = h - static_cast<double>(lo);
  const auto first = values.begin();
  std::nth_element(first, first + static_cast<std::ptrdiff_t>(lo), valid_end);
  const double x_lo = values[lo];
  if (frac <= 0.0 || lo + 1 >= n) return x_lo;
  // After selection every element right of lo is >= x_lo; the smallest of them is x[lo + 1].
  const double x_hi = *std::min_element(first + static_cast<std::ptrdiff_t>(lo) + 1, valid_end);
  if (x_hi == x_lo) return x_lo;  // also keeps equal infinities from producing NaN
  return x_lo + frac * (x_hi - x_lo);
}

}  // namespace kiv
