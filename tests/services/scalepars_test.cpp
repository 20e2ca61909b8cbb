#include "services/scalepars.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>
#include <vector>

namespace kiv {
namespace {

struct TTicks {
  long double first = 0;
  long double step = 0;
  std::uint16_t sub = 0;
};

TTicks Calc(int numTicks, long double low, long double high) {
  TTicks t;
  CalcScalePars(numTicks, low, high, t.first, t.step, t.sub);
  return t;
}

// The mantissa of a step 1, 2 or 5 times a power of ten, or 0 when it is none of these.
int StepMantissa(long double step) {
  const long double a = std::fabs(step);
  const long double e = std::floor(std::log10(a));
  for (long double shift : {-1.0L, 0.0L, 1.0L}) {
    const long double m = a / std::pow(10.0L, e + shift);
    for (int candidate : {1, 2, 5}) {
      if (std::fabs(m - candidate) < 1e-9L * candidate) return candidate;
    }
  }
  return 0;
}

// Walks the major ticks from first towards high the way a scale does and counts them; fails
// the test when the walk does not end.
int CountTicks(const TTicks& t, long double low, long double high) {
  const long double s = high > low ? 1 : -1;
  int count = 0;
  for (long double v = t.first; s * v <= s * high; v += t.step) {
    if (++count > 10000) {
      ADD_FAILURE() << "tick walk does not end for " << low << ".." << high;
      break;
    }
  }
  return count;
}

TEST(CalcScalePars, RoundStepsForEverydayRanges) {
  TTicks t = Calc(5, 0, 100);
  EXPECT_EQ(t.first, 0);
  EXPECT_EQ(t.step, 20);
  EXPECT_EQ(t.sub, 4);
  t = Calc(3, 0, 100);
  EXPECT_EQ(t.step, 20);  // at least three intervals: 50 would give two
  t = Calc(10, 0, 100);
  EXPECT_EQ(t.step, 10);
  EXPECT_EQ(t.sub, 5);
  t = Calc(4, -3.7L, 12.2L);
  EXPECT_EQ(t.step, 2);
  EXPECT_EQ(t.first, -2);
  t = Calc(5, 0.1L, 0.9L);
  EXPECT_NEAR(static_cast<double>(t.step), 0.1, 1e-18);
  EXPECT_NEAR(static_cast<double>(t.first), 0.1, 1e-18);
  t = Calc(2, 0, 1000);
  EXPECT_EQ(t.step, 500);
  EXPECT_EQ(t.sub, 5);
}

TEST(CalcScalePars, ReversedRangesStepDownwardsFromLow) {
  TTicks t = Calc(5, 100, 0);
  EXPECT_EQ(t.step, -20);
  EXPECT_EQ(t.first, 100);
  t = Calc(4, 12.2L, -3.7L);
  EXPECT_EQ(t.step, -2);
  EXPECT_EQ(t.first, 12);
  EXPECT_EQ(CountTicks(t, 12.2L, -3.7L), 8);  // 12, 10, ..., -2
}

TEST(CalcScalePars, ZeroIsExactlyZero) {
  const TTicks t = Calc(5, -0.3L, 0.7L);
  EXPECT_EQ(t.first, -0.2L);
  EXPECT_EQ(t.first + t.step, 0);
  const TTicks z = Calc(5, -1e-30L, 1);
  EXPECT_EQ(z.first, 0);
  EXPECT_FALSE(std::signbit(z.first));
}

TEST(CalcScalePars, RoundedRangeEndsDoNotLoseTheirTick) {
  // 0.1 + 0.2 is a hair above 0.3; the tick at 0.3 still counts as "at low".
  const TTicks t = Calc(5, 0.1 + 0.2, 0.8);
  EXPECT_NEAR(static_cast<double>(t.first), 0.3, 1e-15);
}

TEST(CalcScalePars, PropertiesHoldOverManyRanges) {
  const long double lows[] = {0, 1, -1, 0.001L, -273.15L, 1e-300L, 3e300L, -7.5e12L, 123456.789L};
  const long double spans[] = {1e-290L, 1e-6L, 0.37L, 1, 7, 99, 1234.5L, 1e9L, 5e299L};
  for (long double low : lows) {
    for (long double span : spans) {
      for (int n : {1, 2, 3, 5, 7, 10, 50}) {
        for (int dir : {1, -1}) {
          const long double high = low + dir * span;
          if (high == low) continue;
          const TTicks t = Calc(n, low, high);
          SCOPED_TRACE(testing::Message() << "low " << low << " high " << high << " n " << n);
          ASSERT_NE(t.step, 0);
          EXPECT_EQ(std::signbit(t.step), high < low);
          EXPECT_NE(StepMantissa(t.step), 0) << "step " << t.step;
          EXPECT_GE(t.sub, 4);
          // first is a multiple of the step, at or beyond low towards high.
          const long double k = t.first / t.step;
          EXPECT_LT(std::fabs(k - std::round(k)), 1e-6L);
          EXPECT_GE(dir * (t.first - low), -1e-9L * std::fabs(t.step));
          EXPECT_LT(dir * (t.first - low), std::fabs(t.step) * (1 + 1e-9L));
          const long double intervals = std::fabs((high - low) / t.step);
          const bool resolvable = span > std::max(std::fabs(low), std::fabs(high)) * 1e-9L;
          if (resolvable) {
            EXPECT_GE(intervals, n * (1 - 1e-9L));
            EXPECT_LT(intervals, 2.5L * n + 1e-9L);
          }
          EXPECT_LE(CountTicks(t, low, high), 2.5 * n + 2);
        }
      }
    }
  }
}

TEST(CalcScalePars, ExtremeMagnitudes) {
  TTicks t = Calc(5, 1e-300L, 6e-300L);
  EXPECT_EQ(StepMantissa(t.step), 1);
  EXPECT_NEAR(static_cast<double>(t.step / 1e-300L), 1.0, 1e-12);
  t = Calc(5, -1e300L, 1e300L);
  EXPECT_EQ(StepMantissa(t.step), 2);  // 5e299 would give only four intervals
  EXPECT_LE(CountTicks(t, -1e300L, 1e300L), 15);
  const double big = std::numeric_limits<double>::max();
  t = Calc(1, -big, big);
  EXPECT_GT(t.step, 0);
  EXPECT_TRUE(std::isfinite(t.step));
  EXPECT_LE(CountTicks(t, -big, big), 5);
  const long double ldbig = std::numeric_limits<long double>::max();
  t = Calc(1, -ldbig, ldbig);
  EXPECT_GT(t.step, 0);
  EXPECT_TRUE(std::isfinite(t.step));
  EXPECT_LE(CountTicks(t, -ldbig, ldbig), 5);
  t = Calc(3, 0, std::numeric_limits<double>::denorm_min());
  EXPECT_GT(t.step, 0);
  EXPECT_LE(CountTicks(t, 0, std::numeric_limits<double>::denorm_min()), 10);
}

TEST(CalcScalePars, UnresolvableRangesGetFewTicksNotEndlessOnes) {
  // Two neighbouring doubles far from zero: ticks finer than their spacing would repeat the
  // same value forever when added up in double precision.
  const double low = 1e16;
  const double high = std::nextafter(low, 2e16);
  const TTicks t = Calc(1000, low, high);
  ASSERT_GT(t.step, 0);
  double v = static_cast<double>(t.first);
  int rounds = 0;
  for (; v <= high && rounds < 100; v += static_cast<double>(t.step)) ++rounds;
  EXPECT_LE(rounds, 1);
}

TEST(CalcScalePars, TickCountRequestsAreLimited) {
  TTicks t = Calc(0, 0, 10);  // no request: the default count
  EXPECT_EQ(t.step, 2);
  t = Calc(-4, 0, 10);
  EXPECT_EQ(t.step, 2);
  t = Calc(1 << 30, 0, 1);
  EXPECT_LE(CountTicks(t, 0, 1), 2.5 * kMaxScaleTicks + 2);
}

TEST(CalcScalePars, BadRangesGiveNoStep) {
  const long double nan = std::numeric_limits<long double>::quiet_NaN();
  const long double inf = std::numeric_limits<long double>::infinity();
  for (auto [low, high] : std::vector<std::pair<long double, long double>>{
           {nan, 1}, {0, nan}, {-inf, 1}, {0, inf}, {inf, inf}, {5, 5}}) {
    const TTicks t = Calc(5, low, high);
    EXPECT_EQ(t.step, 0) << low << ".." << high;
    EXPECT_EQ(t.sub, 1);
    EXPECT_FALSE(std::isnan(t.first));
  }
}

}  // namespace
}  // namespace kiv
