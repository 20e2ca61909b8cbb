// Several percentiles at once and the box statistics, checked against the one-at-a-time
// percentile and the table's own statistics on random data with a fixed seed.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "services/datatable.h"
#include "services/percentile.h"
#include "services/random.h"
#include "services/summary.h"

namespace kiv {
namespace {

TEST(Percentiles, SeveralAtOnceAreExactlyTheSingleOnes) {
  TGaussRandom rng(11);
  const double inf = std::numeric_limits<double>::infinity();
  const std::vector<double> ps = {90, 10,   50,    50, 0,   100,         25,
                                  75, 33.3, 99.99, -5, 250, std::nan("")};
  for (int trial = 0; trial < 300; ++trial) {
    // Sizes 0..60, values with many ties, now and then an infinity or a NaN.
    const int n = static_cast<int>(rng.NextU64() % 61);
    std::vector<double> values(static_cast<std::size_t>(n));
    for (double& v : values) {
      const std::uint64_t k = rng.NextU64() % 40;
      v = k == 0 ? inf : k == 1 ? -inf : k == 2 ? std::nan("") : std::round(4 * rng.NextGauss());
    }
    std::vector<double> many = values, out(ps.size());
    PercentilesOfValues(many, ps, out);
    for (std::size_t i = 0; i < ps.size(); ++i) {
      std::vector<double> one = values;
      const double expected = PercentileOfValues(one, ps[i]);
      if (std::isnan(expected))
        EXPECT_TRUE(std::isnan(out[i])) << "trial " << trial << " p " << ps[i];
      else
        EXPECT_EQ(out[i], expected) << "trial " << trial << " p " << ps[i];
    }
  }
}

TEST(BoxStatistics, AgreeWithTheTablesSingleStatistics) {
  TGaussRandom rng(5);
  TDataTable t(3, 501);
  for (int r = 1; r <= 501; ++r) {
    t.SetElem(1, r, 1e9 + rng.NextGauss());  // far from zero: the mean must not cancel
    if (r % 3) t.SetElem(2, r, std::floor(3 * rng.NextUniform()));
  }
  t.SetElem(3, 7, std::string("text only"));
  for (int c = 1; c <= 3; ++c) {
    const TBoxStatistics s = t.BoxStatisticsOfNumCells(c, 1, c, 501);
    double mean, var, lo, hi, q1, med, q3;
    EXPECT_EQ(s.Count, t.MeanVarOfNumCells(c, 1, c, 501, mean, var));
    EXPECT_EQ(s.Mean, mean);
    t.MinMaxOfNumCells(c, 1, c, 501, lo, hi);
    EXPECT_EQ(s.Min, lo);
    EXPECT_EQ(s.Max, hi);
    t.QuartilesOfNumCells(c, 1, c, 501, q1, med, q3);
    EXPECT_EQ(s.Q1, q1);
    EXPECT_EQ(s.Median, med);
    EXPECT_EQ(s.Q3, q3);
    EXPECT_EQ(s.P10, t.PercentileOfNumCells(10, c, 1, c, 501));
    EXPECT_EQ(s.P90, t.PercentileOfNumCells(90, c, 1, c, 501));
  }
}

}  // namespace
}  // namespace kiv
