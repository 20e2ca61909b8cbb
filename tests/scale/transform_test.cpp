#include "scale/transform.h"

#include "services/rounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace kiv {
namespace {

// A 400 x 300 control with margins 20 left, 30 right, 10 top, 40 bottom: the horizontal strip
// runs over columns 20..369 (n = 349), the vertical one over rows 10..259 (n = 249).
TScaleStrip Strip(TScaleType type) {
  TScaleStrip s;
  s.Width = 400;
  s.Height = 300;
  s.MarginLeft = 20;
  s.MarginRight = 30;
  s.MarginTop = 10;
  s.MarginBottom = 40;
  s.ScaleType = type;
  return s;
}

struct TMap {
  TScaleStrip strip;
  TScaleTransform t;
  double low;
  double high;
  bool log;
  TMap(TScaleType type, double lo, double hi, bool lg = false)
      : strip(Strip(type)), low(lo), high(hi), log(lg) {
    EXPECT_TRUE(AdjustScaleTransform(strip, low, high, log, t));
  }
  int P(double v) const { return ScaleValueToPixel(t, strip, low, high, log, v); }
  double V(int p) const { return ScalePixelToValue(t, low, high, log, p); }
};

TEST(ScaleTransform, HorizontalLinearPutsLowAtTheLeftMargin) {
  TMap m(sctLabelsBelow, 0, 349);
  EXPECT_DOUBLE_EQ(m.t.k, 1.0);
  EXPECT_DOUBLE_EQ(m.t.d, 20.0);
  EXPECT_EQ(m.P(0), 20);
  EXPECT_EQ(m.P(349), 369);
  EXPECT_EQ(m.P(100), 120);
  EXPECT_DOUBLE_EQ(m.V(120), 100.0);
}

TEST(ScaleTransform, VerticalLinearPutsHighAtTheTopMargin) {
  TMap m(sctLabelsLeft, 0, 249);
  EXPECT_DOUBLE_EQ(m.t.k, -1.0);
  EXPECT_DOUBLE_EQ(m.t.d, 259.0);
  EXPECT_EQ(m.P(249), 10);
  EXPECT_EQ(m.P(0), 259);
  EXPECT_DOUBLE_EQ(m.V(10), 249.0);
}

TEST(ScaleTransform, ReversedRangesMirrorTheStrip) {
  TMap h(sctLabelsAbove, 349, 0);
  EXPECT_EQ(h.P(349), 20);
  EXPECT_EQ(h.P(0), 369);
  TMap v(sctLabelsRight, 249, 0);
  EXPECT_EQ(v.P(249), 259);
  EXPECT_EQ(v.P(0), 10);
}

TEST(ScaleTransform, PixelsRoundHalvesToEven) {
  // k = 1, d = 20: half values land exactly between two pixels.
  TMap m(sctLabelsBelow, 0, 349);
  EXPECT_EQ(m.P(0.5), 20);   // 20.5 -> 20
  EXPECT_EQ(m.P(1.5), 22);   // 21.5 -> 22
  EXPECT_EQ(m.P(-0.5), 20);  // 19.5 -> 20
  EXPECT_EQ(m.P(0.49), 20);
  EXPECT_EQ(m.P(0.51), 21);
}

TEST(ScaleTransform, PixelsAreClampedToTheIntRange) {
  TMap m(sctLabelsBelow, 0, 1e-6);
  EXPECT_EQ(m.P(1e300), 2147483647);
  EXPECT_EQ(m.P(-1e300), -2147483647);
  EXPECT_EQ(m.P(std::numeric_limits<double>::infinity()), 2147483647);
  EXPECT_EQ(m.P(std::numeric_limits<double>::quiet_NaN()), 2147483647);
}

TEST(ScaleTransform, LogarithmicHorizontal) {
  TMap m(sctLabelsAbove, 1, 1000, true);
  EXPECT_EQ(m.P(1), 20);
  EXPECT_EQ(m.P(1000), 369);
  // One decade is a third of the 349 pixels.
  EXPECT_EQ(m.P(10), 20 + RoundToInt(349.0 / 3));
  EXPECT_NEAR(m.V(369), 1000.0, 1e-9);
  EXPECT_NEAR(m.V(20), 1.0, 1e-12);
}

TEST(ScaleTransform, LogarithmicVertical) {
  TMap m(sctLabelsLeft, 1, 100, true);
  EXPECT_EQ(m.P(100), 10);
  EXPECT_EQ(m.P(1), 259);
  EXPECT_EQ(m.P(10), 10 + RoundToInt(249.0 / 2));
}

TEST(ScaleTransform, TinyValuesFallOffTheLowEndOfALogarithmicScale) {
  TMap h(sctLabelsBelow, 1, 100, true);
  EXPECT_EQ(h.P(0), 0);
  EXPECT_EQ(h.P(1e-100), 0);
  EXPECT_EQ(h.P(-5), 0);
  TMap hr(sctLabelsBelow, 100, 1, true);
  EXPECT_EQ(hr.P(1e-100), 400);
  // Vertical scales have their low end at the bottom.
  TMap v(sctLabelsLeft, 1, 100, true);
  EXPECT_EQ(v.P(0), 300);
  TMap vr(sctLabelsLeft, 100, 1, true);
  EXPECT_EQ(vr.P(0), 0);
  // Just above the limit the logarithm is used.
  EXPECT_LT(h.P(1.1e-100), -10000);
}

TEST(ScaleTransform, LogarithmicMappingKeepsTheOldOneForNonPositiveEnds) {
  TScaleTransform t{2, 7};
  EXPECT_FALSE(AdjustScaleTransform(Strip(sctLabelsBelow), -1, 100, true, t));
  EXPECT_FALSE(AdjustScaleTransform(Strip(sctLabelsBelow), 0, 100, true, t));
  EXPECT_DOUBLE_EQ(t.k, 2);
  EXPECT_DOUBLE_EQ(t.d, 7);
}

TEST(ScaleTransform, EqualOrNonFiniteEndsChangeNothing) {
  TScaleTransform t{2, 7};
  EXPECT_FALSE(AdjustScaleTransform(Strip(sctLabelsBelow), 5, 5, false, t));
  EXPECT_FALSE(AdjustScaleTransform(Strip(sctLabelsBelow), 0,
                                    std::numeric_limits<double>::quiet_NaN(), false, t));
  EXPECT_DOUBLE_EQ(t.k, 2);
}

TEST(ScaleTransform, AStripWithoutRoomMapsEverythingToHalfTheWidth) {
  TScaleStrip s = Strip(sctLabelsLeft);
  s.MarginTop = 150;
  s.MarginBottom = 149;  // n = 300 - 150 - 149 - 1 = 0
  TScaleTransform t;
  EXPECT_TRUE(AdjustScaleTransform(s, 0, 10, false, t));
  EXPECT_DOUBLE_EQ(t.k, 0);
  EXPECT_DOUBLE_EQ(t.d, 200);
  EXPECT_EQ(ScaleValueToPixel(t, s, 0, 10, false, 7), 200);
  // No inverse: the middle of the range.
  EXPECT_DOUBLE_EQ(ScalePixelToValue(t, 0, 10, false, 3), 5);
  EXPECT_DOUBLE_EQ(ScalePixelToValue(t, 1, 100, true, 3), 10);
  s.Width = 401;
  EXPECT_TRUE(AdjustScaleTransform(s, 0, 10, false, t));
  EXPECT_DOUBLE_EQ(t.d, 200.5);
}

TEST(ScaleTransform, PixelToValueInvertsValueToPixel) {
  TMap m(sctLabelsBelow, -3.5, 12.25);
  for (int p = 20; p <= 369; p += 7) EXPECT_EQ(m.P(m.V(p)), p);
  TMap l(sctLabelsRight, 1e-3, 1e5, true);
  for (int p = 10; p <= 259; p += 3) EXPECT_EQ(l.P(l.V(p)), p);
}

}  // namespace
}  // namespace kiv
