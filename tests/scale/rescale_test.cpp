#include "scale/rescale.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kiv {
namespace {

// A 240 x 240 control with margins of 20 all round: strips of 200 pixels, columns (rows) 20 to
// 220 in the strip model of Rescale.
struct TDrag {
  TMouseActMode action = mactPan;
  TScaleType type = sctLabelsBelow;
  bool log = false;
  double anchorLow = 0;
  double anchorHigh = 100;
  int width = 240;
  int height = 240;
  int margin = 20;
  double lo = -999;
  double hi = -999;

  bool Run(int ax, int ay, int mx, int my) {
    return Rescale(mx, my, ax, ay, width, height, margin, margin, margin, margin, anchorLow,
                   anchorHigh, action, type, log, anchorLow, anchorHigh, lo, hi);
  }
};

TEST(Rescale, PanHorizontalMovesTheRangeWithThePointer) {
  TDrag d;
  ASSERT_TRUE(d.Run(100, 50, 150, 50));
  EXPECT_DOUBLE_EQ(d.lo, -25);
  EXPECT_DOUBLE_EQ(d.hi, 75);
  d.type = sctLabelsAbove;
  ASSERT_TRUE(d.Run(100, 50, 60, 80));  // the vertical component does not matter
  EXPECT_DOUBLE_EQ(d.lo, 20);
  EXPECT_DOUBLE_EQ(d.hi, 120);
}

TEST(Rescale, PanVerticalMovesTheRangeWithThePointer) {
  TDrag d;
  d.type = sctLabelsLeft;
  ASSERT_TRUE(d.Run(50, 100, 50, 150));  // down by a quarter of the strip
  EXPECT_DOUBLE_EQ(d.lo, 25);
  EXPECT_DOUBLE_EQ(d.hi, 125);
  d.type = sctLabelsRight;
  ASSERT_TRUE(d.Run(50, 100, 50, 60));
  EXPECT_DOUBLE_EQ(d.lo, -20);
  EXPECT_DOUBLE_EQ(d.hi, 80);
}

TEST(Rescale, PanLogarithmicMultipliesTheRange) {
  TDrag d;
  d.log = true;
  d.anchorLow = 1;
  d.anchorHigh = 100;
  ASSERT_TRUE(d.Run(100, 50, 200, 50));  // half the strip: one decade
  EXPECT_NEAR(d.lo, 0.1, 1e-12);
  EXPECT_NEAR(d.hi, 10, 1e-12);
  d.type = sctLabelsLeft;
  ASSERT_TRUE(d.Run(50, 100, 50, 200));
  EXPECT_NEAR(d.lo, 10, 1e-12);
  EXPECT_NEAR(d.hi, 1000, 1e-9);
}

TEST(Rescale, PanSpeedFollowsTheCurrentRange) {
  // The anchor range moves by the pixel distance in units of the current range.
  double lo = 0;
  double hi = 0;
  ASSERT_TRUE(Rescale(150, 0, 100, 0, 240, 240, 20, 20, 20, 20, 0, 100, mactPan, sctLabelsBelow,
                      false, 0, 200, lo, hi));
  EXPECT_DOUBLE_EQ(lo, -50);
  EXPECT_DOUBLE_EQ(hi, 50);
}

TEST(Rescale, ZoomDragWidensAboutTheCentre) {
  TDrag d;
  d.action = mactZoomDrag;
  // Left by a quarter of the control width (not of the strip): the range grows by 1.25.
  ASSERT_TRUE(d.Run(120, 50, 60, 50));
  EXPECT_DOUBLE_EQ(d.lo, -12.5);
  EXPECT_DOUBLE_EQ(d.hi, 112.5);
  ASSERT_TRUE(d.Run(120, 50, 180, 50));
  EXPECT_DOUBLE_EQ(d.lo, 12.5);
  EXPECT_DOUBLE_EQ(d.hi, 87.5);
  d.type = sctLabelsRight;
  ASSERT_TRUE(d.Run(50, 120, 50, 180));  // down widens on vertical scales
  EXPECT_DOUBLE_EQ(d.lo, -12.5);
  EXPECT_DOUBLE_EQ(d.hi, 112.5);
}

TEST(Rescale, ZoomDragLogarithmicKeepsTheGeometricCentre) {
  TDrag d;
  d.action = mactZoomDrag;
  d.log = true;
  d.anchorLow = 1;
  d.anchorHigh = 100;
  ASSERT_TRUE(d.Run(120, 50, 0, 50));  // j = 1.5
  EXPECT_NEAR(d.lo, std::pow(10.0, -0.5), 1e-12);
  EXPECT_NEAR(d.hi, std::pow(10.0, 2.5), 1e-9);
  EXPECT_NEAR(d.lo * d.hi, 100, 1e-9);
}

TEST(Rescale, StretchHorizontalKeepsTheFarEnd) {
  TDrag d;
  d.action = mactStretch;
  // Anchor in the left half (value 25 in the strip model): the high end stays, 25 moves to 95.
  ASSERT_TRUE(d.Run(70, 50, 95, 50));
  EXPECT_DOUBLE_EQ(d.lo, -20);
  EXPECT_DOUBLE_EQ(d.hi, 100);
  // Anchor in the right half: the low end stays.
  ASSERT_TRUE(d.Run(170, 50, 145, 50));
  EXPECT_DOUBLE_EQ(d.lo, 0);
  EXPECT_DOUBLE_EQ(d.hi, 120);
}

TEST(Rescale, StretchVerticalKeepsTheFarEnd) {
  TDrag d;
  d.action = mactStretch;
  d.type = sctLabelsLeft;
  // Anchor in the lower half, near the low end: the high end stays.
  ASSERT_TRUE(d.Run(50, 170, 50, 145));
  EXPECT_DOUBLE_EQ(d.lo, -20);
  EXPECT_DOUBLE_EQ(d.hi, 100);
  // Anchor in the upper half: the low end stays.
  ASSERT_TRUE(d.Run(50, 70, 50, 95));
  EXPECT_DOUBLE_EQ(d.lo, 0);
  EXPECT_DOUBLE_EQ(d.hi, 120);
}

TEST(Rescale, StretchLogarithmic) {
  TDrag d;
  d.action = mactStretch;
  d.log = true;
  d.anchorLow = 1;
  d.anchorHigh = 100;
  ASSERT_TRUE(d.Run(70, 50, 170, 50));  // left half, j = 1.5
  EXPECT_NEAR(d.lo, std::pow(10.0, -0.5), 1e-12);
  EXPECT_DOUBLE_EQ(d.hi, 100);
  ASSERT_TRUE(d.Run(170, 50, 70, 50));  // right half, j = 1.5
  EXPECT_DOUBLE_EQ(d.lo, 1);
  EXPECT_NEAR(d.hi, std::pow(10.0, 2.5), 1e-9);
  d.type = sctLabelsLeft;
  ASSERT_TRUE(d.Run(50, 170, 50, 70));  // lower half, j = 1.5
  EXPECT_NEAR(d.lo, std::pow(10.0, -0.5), 1e-12);
  EXPECT_DOUBLE_EQ(d.hi, 100);
  ASSERT_TRUE(d.Run(50, 70, 50, 170));  // upper half, j = 1.5
  EXPECT_DOUBLE_EQ(d.lo, 1);
  EXPECT_NEAR(d.hi, std::pow(10.0, 2.5), 1e-9);
}

TEST(Rescale, OtherActionsMoveNothing) {
  for (TMouseActMode a : {mactNone, mactPanX, mactZoomWindow, mactRubberBand, mactDragCrosshair}) {
    TDrag d;
    d.action = a;
    EXPECT_FALSE(d.Run(100, 50, 150, 50));
    EXPECT_EQ(d.lo, -999);
    EXPECT_EQ(d.hi, -999);
  }
}

TEST(Rescale, UndefinedScaleTypesMoveNothing) {
  TDrag d;
  d.type = static_cast<TScaleType>(7);
  EXPECT_FALSE(d.Run(100, 50, 150, 50));
  EXPECT_EQ(d.lo, -999);
}

TEST(Rescale, ZeroDivisorsGiveNoRange) {
  TDrag d;
  d.width = 40;  // a strip of no length
  EXPECT_FALSE(d.Run(20, 50, 25, 50));
  d.action = mactStretch;
  EXPECT_FALSE(d.Run(20, 50, 25, 50));
  d = TDrag();
  d.action = mactZoomDrag;
  d.width = 0;
  EXPECT_FALSE(d.Run(0, 0, 0, 0));
  // The pointer on the far margin column of a stretch.
  d = TDrag();
  d.action = mactStretch;
  EXPECT_FALSE(d.Run(70, 50, 220, 50));
  EXPECT_FALSE(d.Run(170, 50, 20, 50));
  EXPECT_EQ(d.lo, -999);
  EXPECT_EQ(d.hi, -999);
}

TEST(Rescale, CollapsedRangesAreRefused) {
  TDrag d;
  d.action = mactZoomDrag;
  EXPECT_FALSE(d.Run(0, 50, 240, 50));  // j = 0
  EXPECT_EQ(d.lo, -999);
}

TEST(Rescale, LogarithmicRangesMustStayPositive) {
  TDrag d;
  d.log = true;
  d.anchorLow = -1;
  d.anchorHigh = 100;
  EXPECT_FALSE(d.Run(100, 50, 150, 50));
  d.action = mactZoomDrag;
  EXPECT_FALSE(d.Run(100, 50, 150, 50));
  EXPECT_EQ(d.lo, -999);
}

}  // namespace
}  // namespace kiv
