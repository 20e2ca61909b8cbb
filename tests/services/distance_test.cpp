#include "services/distance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

namespace kiv {
namespace {

TEST(DistanceToSegment, MeasuresToTheInteriorOrTheNearerEnd) {
  const TPointDouble a{0, 0};
  const TPointDouble b{10, 0};
  EXPECT_DOUBLE_EQ(DistanceToSegment({5, 3}, a, b), 3.0);
  EXPECT_DOUBLE_EQ(DistanceToSegment({5, -4}, b, a), 4.0);
  EXPECT_DOUBLE_EQ(DistanceToSegment({-3, 4}, a, b), 5.0);  // beyond a
  EXPECT_DOUBLE_EQ(DistanceToSegment({13, 4}, a, b), 5.0);  // beyond b
  EXPECT_DOUBLE_EQ(DistanceToSegment({7, 0}, a, b), 0.0);
  // A diagonal: (0, 2) lies sqrt(2) from the line y = x.
  EXPECT_NEAR(DistanceToSegment({0, 2}, {-5, -5}, {5, 5}), std::sqrt(2.0), 1e-12);
  EXPECT_DOUBLE_EQ(DistanceToSegment({3, 4}, {0, 0}, {0, 0}), 5.0);  // a point
  EXPECT_NEAR(DistanceToSegment({0, 1e300}, {-1e300, 0}, {1e300, 0}), 1e300, 1e286);
}

TEST(DistFromRect, ZeroOnTheEdgesAndInsideDistanceFromTheNearestEdgeOutside) {
  const TRect r(10, 20, 30, 40);
  EXPECT_EQ(DistFromRect({15, 25}, r), 0.0);
  EXPECT_EQ(DistFromRect({10, 20}, r), 0.0);
  EXPECT_EQ(DistFromRect({30, 40}, r), 0.0);  // both corners belong to the rectangle
  EXPECT_EQ(DistFromRect({30, 25}, r), 0.0);
  EXPECT_EQ(DistFromRect({31, 25}, r), 1.0);
  EXPECT_EQ(DistFromRect({15, 41}, r), 1.0);
  EXPECT_EQ(DistFromRect({5, 25}, r), 5.0);
  EXPECT_EQ(DistFromRect({15, 10}, r), 10.0);
  EXPECT_EQ(DistFromRect({33, 44}, r), 5.0);  // from the corner (30, 40): 3, 4
  EXPECT_EQ(DistFromRect({7, 16}, r), 5.0);   // from (10, 20)
}

TEST(DistFromRect, SwappedCornersAndDegenerateBoxes) {
  EXPECT_EQ(DistFromRect({33, 44}, TRect(30, 40, 10, 20)), 5.0);
  const TRect line(10, 5, 10, 15);  // zero width: the segment x = 10, y = 5..15
  EXPECT_EQ(DistFromRect({10, 8}, line), 0.0);
  EXPECT_EQ(DistFromRect({13, 8}, line), 3.0);
  EXPECT_EQ(DistFromRect({10, 18}, line), 3.0);
  EXPECT_EQ(DistFromRect({10, 10}, TRect(10, 10, 10, 10)), 0.0);
  // The far corner of the int range from a box at the other end: no overflow on the way.
  const TPoint far{2147483647, 2147483647};
  EXPECT_DOUBLE_EQ(DistFromRect(far, TRect(-2147483647 - 1, 0, -2147483647, 1)),
                   std::hypot(4294967294.0, 2147483646.0));
}

TEST(DistFromEllipse, CircleGivesRadialDistanceAndNearestPoint) {
  TPointDouble nearest;
  EXPECT_DOUBLE_EQ(DistFromEllipse({6, 6}, {3, 2}, 2, 2, nearest), 3.0);  // 5 from the centre
  EXPECT_DOUBLE_EQ(nearest.x, 4.2);
  EXPECT_DOUBLE_EQ(nearest.y, 3.6);
  EXPECT_DOUBLE_EQ(DistFromEllipse({3, 2}, {3, 2}, 2, 2, nearest), 2.0);  // centre
  EXPECT_EQ(nearest.x, 5.0);
  EXPECT_EQ(nearest.y, 2.0);
}

TEST(DistFromEllipse, AxisPointsAndTheCentre) {
  TPointDouble nearest;
  // Semi-axes 5 (x) and 3 (y) about the origin.
  EXPECT_DOUBLE_EQ(DistFromEllipse({0, 10}, {0, 0}, 5, 3, nearest), 7.0);
  EXPECT_EQ(nearest.x, 0.0);
  EXPECT_EQ(nearest.y, 3.0);
  EXPECT_DOUBLE_EQ(DistFromEllipse({-9, 0}, {0, 0}, 5, 3, nearest), 4.0);
  EXPECT_EQ(nearest.x, -5.0);
  EXPECT_DOUBLE_EQ(DistFromEllipse({0, 0}, {0, 0}, 5, 3, nearest), 3.0);
  EXPECT_EQ(nearest.x, 0.0);
  EXPECT_EQ(std::fabs(nearest.y), 3.0);
  EXPECT_DOUBLE_EQ(DistFromEllipse({0, 0}, {0, 0}, 3, 5, nearest), 3.0);
  EXPECT_EQ(std::fabs(nearest.x), 3.0);
  // On the long axis close to the centre the nearest point lies off the axis: for (1, 0)
  // it is (x, y) with x = a^2 * 1 / (a^2 - b^2) = 25 / 16.
  DistFromEllipse({1, 0}, {0, 0}, 5, 3, nearest);
  EXPECT_NEAR(nearest.x, 25.0 / 16, 1e-12);
  EXPECT_NEAR(std::fabs(nearest.y), 3 * std::sqrt(1 - std::pow(5.0 / 16, 2)), 1e-12);
}

TEST(DistFromEllipse, NearestPointLiesOnTheOutlineAndIsClosest) {
  const TPointDouble c{-2, 7};
  const double a = 6;
  const double b = 2.5;
  for (int i = 0; i < 24; ++i) {
    const double ang = i * std::numbers::pi / 12 + 0.1;
    for (double r : {0.3, 1.0, 2.0, 10.0}) {
      const TPointDouble p{c.x + r * a * std::cos(ang), c.y + r * b * std::sin(ang)};
      TPointDouble n;
      const double d = DistFromEllipse(p, c, a, -b, n);
      const double on = std::pow((n.x - c.x) / a, 2) + std::pow((n.y - c.y) / b, 2);
      EXPECT_NEAR(on, 1.0, 1e-9);
      EXPECT_NEAR(d, std::hypot(p.x - n.x, p.y - n.y), 1e-9);
      // No sampled outline point is closer.
      double best = 1e300;
      for (int k = 0; k < 3600; ++k) {
        const double t = k * std::numbers::pi / 1800;
        best = std::min(best, std::hypot(p.x - c.x - a * std::cos(t), p.y - c.y - b * std::sin(t)));
      }
      EXPECT_LE(d, best + 1e-9);
      EXPECT_GE(d, best - 0.01);
    }
  }
}

TEST(DistFromEllipse, StaysAccurateJustOffTheCentre) {
  // The nearest point of a point a hair off the centre is close to the end of the short axis
  // and must still lie on the outline.
  TPointDouble n;
  const double d = DistFromEllipse({-5e-9, 7e-7}, {0, 0}, 9538, 3204, n);
  EXPECT_NEAR(std::hypot(n.x / 9538, n.y / 3204), 1.0, 1e-13);
  EXPECT_NEAR(d, 3204 - 7e-7, 1e-9);
  EXPECT_GT(n.y, 0);
}

TEST(DistFromEllipse, DegenerateShapesAndBadInput) {
  TPointDouble nearest;
  EXPECT_DOUBLE_EQ(DistFromEllipse({3, 4}, {0, 0}, 0, 0, nearest), 5.0);  // a point
  EXPECT_EQ(nearest.x, 0.0);
  EXPECT_DOUBLE_EQ(DistFromEllipse({2, 3}, {0, 0}, 5, 0, nearest), 3.0);  // segment on x
  EXPECT_EQ(nearest.x, 2.0);
  EXPECT_EQ(nearest.y, 0.0);
  EXPECT_DOUBLE_EQ(DistFromEllipse({3, 9}, {0, 0}, 0, 5, nearest), 5.0);  // segment on y
  EXPECT_EQ(nearest.y, 5.0);
  EXPECT_NEAR(DistFromEllipse({0, 1e200}, {0, 0}, 1, 1e-200), 1e200, 1e186);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_TRUE(std::isnan(DistFromEllipse({nan, 0}, {1, 1}, 2, 3, nearest)));
  EXPECT_EQ(nearest.x, 1.0);
  EXPECT_TRUE(std::isnan(DistFromEllipse({0, 0}, {0, 0}, 1, HUGE_VAL)));
}

}  // namespace
}  // namespace kiv
