#include "services/rounding.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <climits>
#include <cmath>
#include <limits>

namespace kiv {
namespace {

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(0.5), 0.0);
  EXPECT_EQ(RoundHalfEven(1.5), 2.0);
  EXPECT_EQ(RoundHalfEven(2.5), 2.0);
  EXPECT_EQ(RoundHalfEven(-0.5), 0.0);
  EXPECT_EQ(RoundHalfEven(-1.5), -2.0);
  EXPECT_EQ(RoundHalfEven(-2.5), -2.0);
  EXPECT_EQ(RoundHalfEven(2.4999999999999996), 2.0);
  EXPECT_EQ(RoundHalfEven(2.5000000000000004), 3.0);
  EXPECT_EQ(RoundHalfEven(-7.3), -7.0);
  EXPECT_EQ(RoundHalfEven(4503599627370497.0), 4503599627370497.0);  // above 2^52: integral
}

TEST(Rounding, DoesNotDependOnTheRoundingMode) {
  const int saved = std::fegetround();
  std::fesetround(FE_UPWARD);
  EXPECT_EQ(RoundHalfEven(2.5), 2.0);
  EXPECT_EQ(RoundHalfEven(-3.5), -4.0);
  std::fesetround(saved);
}

TEST(Rounding, RoundToIntIsAlwaysDefined) {
  EXPECT_EQ(RoundToInt(3.5), 4);
  EXPECT_EQ(RoundToInt(-314159265.4), -314159265);
  EXPECT_EQ(RoundToInt(1e300), INT_MAX);
  EXPECT_EQ(RoundToInt(-1e300), INT_MIN);
  EXPECT_EQ(RoundToInt(std::numeric_limits<double>::infinity()), INT_MAX);
  EXPECT_EQ(RoundToInt(std::numeric_limits<double>::quiet_NaN()), 0);
  EXPECT_TRUE(std::isnan(RoundHalfEven(std::numeric_limits<double>::quiet_NaN())));
}

}  // namespace
}  // namespace kiv
