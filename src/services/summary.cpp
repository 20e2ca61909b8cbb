#include "services/summary.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

#include "services/percentile.h"

namespace kiv {

int MeanVarOfValues(std::span<const double> values, double& mean, double& variance) {
  double m = 0.0;
  double sq = 0.0;
  std::size_t n = 0;
  for (double v : values) {
    ++n;
    const double delta = v - m;
    m += delta / static_cast<double>(n);
    sq += delta * (v - m);
  }
  mean = n > 0 ? m : 0.0;
  variance = n > 1 ? sq / static_cast<double>(n - 1) : 0.0;
  return static_cast<int>(n);
}

// One pass gathers the numbers (NaN dropped), extremes and mean; the percentiles follow in one
// selection.
TBoxStatistics BoxStatisticsOfValues(std::span<double> values) {
  TBoxStatistics s;
  std::size_t n = 0;
  double lo = 0, hi = 0, m = 0;
  for (const double v : values) {
    if (std::isnan(v)) continue;
    values[n++] = v;
    lo = n == 1 ? v : std::min(lo, v);
    hi = n == 1 ? v : std::max(hi, v);
    m += (v - m) / static_cast<double>(n);  // Welford's mean, as MeanVarOfValues
  }
  if (n == 0) return s;
  s.Count = static_cast<int>(n);
  s.Min = lo;
  s.Max = hi;
  s.Mean = m;
  static constexpr std::array<double, 5> kPercents = {10, 25, 50, 75, 90};
  std::array<double, 5> p{};
  PercentilesOfValues(values.first(n), kPercents, p);
  s.P10 = p[0];
  s.Q1 = p[1];
  s.Median = p[2];
  s.Q3 = p[3];
  s.P90 = p[4];
  return s;
}

}  // namespace kiv
