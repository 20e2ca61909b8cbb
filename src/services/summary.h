// Summaries of a set of numbers as a box plot shows them: mean and variance, extremes, and the
// 10th, 25th, 50th, 75th and 90th percentiles, by the one percentile rule of the services.
#pragma once

#include <span>

namespace kiv {

// Mean and sample variance (divisor n - 1; 0 for a single value) by Welford's update, which
// does not cancel when the values sit far from zero. Returns n; with no values both are 0.
int MeanVarOfValues(std::span<const double> values, double& mean, double& variance);

struct TBoxStatistics {
  int Count = 0;
  double Min = 0, Max = 0, Mean = 0;
  double P10 = 0, Q1 = 0, Median = 0, Q3 = 0, P90 = 0;
};

// The statistics of the values (NaN ignored); all 0 when there are none. Each percentile is
// exactly PercentileOfValues' number; the values are reordered in place.
TBoxStatistics BoxStatisticsOfValues(std::span<double> values);

}  // namespace kiv
