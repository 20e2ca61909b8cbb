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

TBoxStatistics BoxStatisticsOfValues(std::span<double> values) {
  TBoxStatistics s;
  const auto valid_end =
      std::partition(values.begin(), values.end(), [](double v) { return !std::isnan(v); });
  const std::span<double> valid =
      values.first(static_cast<std::size_t>(valid_end - values.begin()));
  if (valid.empty()) return s;
  double variance = 0;
  s.Count = MeanVarOfValues(valid, s.Mean, variance);
  const auto [lo, hi] = std::minmax_element(valid.begin(), valid.end());
  s.Min = *lo;
  s.Max = *hi;
  static constexpr std::array<double, 5> kPercents = {10, 25, 50, 75, 90};
  std::array<double, 5> p{};
  PercentilesOfValues(valid, kPercents, p);
  s.P10 = p[0];
  s.Q1 = p[1];
  s.Median = p[2];
  s.Q3 = p[3];
  s.P90 = p[4];
  return s;
}

}  // namespace kiv
