#include "services/mathutil.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

namespace kiv {
namespace {

TEST(Signum, GivesTheSignOfIntegersAndReals) {
  EXPECT_EQ(Signum(-7), -1);
  EXPECT_EQ(Signum(0), 0);
  EXPECT_EQ(Signum(INT_MAX), 1);
  EXPECT_EQ(Signum(-0.001), -1);
  EXPECT_EQ(Signum(-0.0), 0);
  EXPECT_EQ(Signum(1e-300), 1);
  EXPECT_EQ(Signum(-std::numeric_limits<double>::infinity()), -1);
  EXPECT_EQ(Signum(std::numeric_limits<double>::quiet_NaN()), 0);
  EXPECT_EQ(Signum(2.5L), 1);
  EXPECT_EQ(Signum(5u), 1);
  static_assert(Signum(-3) == -1);
}

TEST(IntNeg, RoundsTowardsMinusInfinity) {
  EXPECT_EQ(IntNeg(2.7), 2);
  EXPECT_EQ(IntNeg(-2.3), -3);
  EXPECT_EQ(IntNeg(-2.0), -2);
  EXPECT_EQ(IntNeg(-0.0), 0);
  EXPECT_EQ(IntNeg(-1e-300), -1);
  EXPECT_EQ(IntNeg(36525.999), 36525);
  EXPECT_EQ(IntNeg(4503599627370497.0), 4503599627370497LL);  // beyond 2^52 exactly
}

TEST(IntNeg, SaturatesAndSurvivesNaN) {
  EXPECT_EQ(IntNeg(1e300), LLONG_MAX);
  EXPECT_EQ(IntNeg(-1e300), LLONG_MIN);
  EXPECT_EQ(IntNeg(9223372036854775808.0), LLONG_MAX);
  EXPECT_EQ(IntNeg(-9223372036854775808.0), LLONG_MIN);
  EXPECT_EQ(IntNeg(std::numeric_limits<double>::infinity()), LLONG_MAX);
  EXPECT_EQ(IntNeg(-std::numeric_limits<double>::infinity()), LLONG_MIN);
  EXPECT_EQ(IntNeg(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(ExChange, SwapsEachKind) {
  int i1 = 1, i2 = 2;
  ExChange(i1, i2);
  EXPECT_EQ(i1, 2);
  EXPECT_EQ(i2, 1);
  double d1 = 1.5, d2 = -2.5;
  ExChange(d1, d2);
  EXPECT_EQ(d1, -2.5);
  EXPECT_EQ(d2, 1.5);
  long double e1 = 1e4000L, e2 = 3;
  ExChange(e1, e2);
  EXPECT_EQ(e1, 3);
  EXPECT_EQ(e2, 1e4000L);
}

}  // namespace
}  // namespace kiv
