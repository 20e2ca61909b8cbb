#include "services/percentile.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <vector>

namespace kiv {

namespace {

// NaN breaks the ordering that selection relies on, so it is moved out of the way first;
// returns the number of the other values, which now come first.
std::size_t MoveNaNsBack(std::span<double> values) {
  const auto valid_end =
      std::partition(values.begin(), values.end(), [](double v) { return !std::isnan(v); });
  return static_cast<std::size_t>(valid_end - values.begin());
}

// The 0-based rank lo of the p-th percentile among n values and the fraction towards lo + 1.
struct TRank {
  std::size_t lo;
  double frac;
};

TRank RankOf(std::size_t n, double p) {
  p = std::clamp(p, 0.0, 100.0);
  const double h = static_cast<double>(n - 1) * p / 100.0;
  const std::size_t lo = std::min(static_cast<std::size_t>(h), n - 1);
  return {lo, h - static_cast<double>(lo)};
}

// Selects rank lo in values[from, n) (everything before `from` is known to be smaller or equal)
// and interpolates towards the next rank.
double SelectAndInterpolate(std::span<double> values, std::size_t n, std::size_t from, TRank r) {
  const auto first = values.begin();
  const auto end = first + static_cast<std::ptrdiff_t>(n);
  std::nth_element(first + static_cast<std::ptrdiff_t>(from),
                   first + static_cast<std::ptrdiff_t>(r.lo), end);
  const double x_lo = values[r.lo];
  if (r.frac <= 0.0 || r.lo + 1 >= n) return x_lo;
  // After selection every element right of lo is >= x_lo; the smallest of them is x[lo + 1].
  const double x_hi = *std::min_element(first + static_cast<std::ptrdiff_t>(r.lo) + 1, end);
  if (x_hi == x_lo) return x_lo;  // also keeps equal infinities from producing NaN
  return x_lo + r.frac * (x_hi - x_lo);
}

}  // namespace

double PercentileOfValues(std::span<double> values, double p) {
  if (std::isnan(p)) return std::numeric_limits<double>::quiet_NaN();
  const std::size_t n = MoveNaNsBack(values);
  if (n == 0) return 0.0;
  return SelectAndInterpolate(values, n, 0, RankOf(n, p));
}

void PercentilesOfValues(std::span<double> values, std::span<const double> ps,
                         std::span<double> out) {
  const std::size_t n = MoveNaNsBack(values);
  // Ascending ranks: each selection only has to look right of the one before.
  std::vector<std::size_t> order(ps.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  auto key = [&](std::size_t i) {
    return std::isnan(ps[i]) ? -1.0 : std::clamp(ps[i], 0.0, 100.0);
  };
  std::sort(order.begin(), order.end(),
            [&](std::size_t a, std::size_t b) { return key(a) < key(b); });
  std::size_t from = 0;
  for (std::size_t i : order) {
    if (std::isnan(ps[i])) {
      out[i] = std::numeric_limits<double>::quiet_NaN();
    } else if (n == 0) {
      out[i] = 0.0;
    } else {
      const TRank r = RankOf(n, ps[i]);
      out[i] = SelectAndInterpolate(values, n, std::min(from, r.lo), r);
      from = r.lo;
    }
  }
}

}  // namespace kiv
