// Auto-ranging: extents of the item kinds, margins on linear and logarithmic axes, the minimum
// range, isometric ranges, the all-layers path with coupled layers, one-axis forms, and the
// window and layer queries.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "render_util.h"

namespace kiv {
namespace {

using testing::DrawChart;

struct Ranges {
  double xlo, xhi, ylo, yhi;
};
Ranges Of(DrawChart& ch, int layer) {
  return {ch.ScalePropsX(layer).RangeLow(), ch.ScalePropsX(layer).RangeHigh(),
          ch.ScalePropsY(layer).RangeLow(), ch.ScalePropsY(layer).RangeHigh()};
}

#define EXPECT_RANGES(r, a, b, c, d) \
  do {                               \
    EXPECT_NEAR((r).xlo, a, 1e-9);   \
    EXPECT_NEAR((r).xhi, b, 1e-9);   \
    EXPECT_NEAR((r).ylo, c, 1e-9);   \
    EXPECT_NEAR((r).yhi, d, 1e-9);   \
  } while (false)

TEST(AutoRange, OneMarkGetsOneUnitEachSide) {
  DrawChart ch;
  ch.MarkAt(5.0, 5.0, 0);
  ch.MoveToRelPix(1000, 1000);  // pixel offsets never count
  ch.AutoRange(1, 0);
  EXPECT_RANGES(Of(ch, 1), 4, 6, 4, 6);
}

TEST(AutoRange, MarginIsAShareOfTheExtent) {
  DrawChart ch;
  ch.MarkAt(0.0, 20.0, 0);
  ch.MarkAt(10.0, 40.0, 0);
  int before = ch.repaints;
  ch.AutoRange(1, 10);
  EXPECT_RANGES(Of(ch, 1), -1, 11, 18, 42);
  const int quiet = ch.repaints - before;
  ch.SetAutoRedraw(true);  // one repaint more at the end
  before = ch.repaints;
  ch.AutoRange(1, 10);
  EXPECT_EQ(ch.repaints - before, quiet + 1);
}

TEST(AutoRange, LogarithmicMarginIsAShareOfTheDecades) {
  DrawChart ch;
  ch.SetRange(1, 1.0L, 1.0L, 10.0L, 10.0L);
  ch.Scale1X().SetLogarithmic(true);
  ch.MarkAt(1.0, 5.0, 0);
  ch.MarkAt(100.0, 5.0, 0);
  ch.AutoRange(1, 10);
  EXPECT_NEAR(ch.Scale1X().RangeLow(), std::pow(100.0, -0.1), 1e-12);       // 0.631
  EXPECT_NEAR(ch.Scale1X().RangeHigh(), 100 * std::pow(100.0, 0.1), 1e-9);  // 158.5
}

// Data at or below zero on a logarithmic axis: both paths measure the decades from 1, so the
// high end stays finite and the non-positive low end is refused by the range setter.
TEST(AutoRange, LogarithmicMarginWithDataAtZeroStaysFinite) {
  for (const double low : {0.0, -5.0}) {
    for (const int layer : {1, 0}) {
      DrawChart ch;
      ch.SetRange(1, 1.0L, 0.0L, 10.0L, 1.0L);
      ch.Scale1X().SetLogarithmic(true);
      ch.MarkAt(low, 0.0, 0);
      ch.MarkAt(10.0, 1.0, 0);
      ch.AutoRange(layer, 10);
      EXPECT_EQ(ch.Scale1X().RangeLow(), 1.0) << low << " layer " << layer;
      EXPECT_NEAR(ch.Scale1X().RangeHigh(), 10 * std::pow(10.0, 0.1), 1e-9)
          << low << " layer " << layer;
    }
  }
}

TEST(AutoRange, MinimumRangeIsAShareOfTheMidValue) {
  DrawChart ch;
  ch.MarkAt(99.0, 0.0, 0);
  ch.MarkAt(101.0, 1000.0, 0);
  ch.AutoRange(1, 0, 50);
  EXPECT_RANGES(Of(ch, 1), 49, 151, 0, 1000);  // y: 1000 wide, more than 50 % of 500
}

TEST(AutoRange, SecondaryPointsBoxesAndErrorBars) {
  DrawChart ch;
  ch.MarkErrorBar(3.0, 10.0, -2, 5, orVertical, 0);
  ch.AutoRange(1, 0);
  EXPECT_RANGES(Of(ch, 1), 2, 4, 8, 15);

  DrawChart h;
  h.MarkErrorBar(3.0, 10.0, 2, 5, orHorizontal, 0);
  h.AutoRange(1, 0);
  EXPECT_RANGES(Of(h, 1), 1, 8, 9, 11);

  DrawChart k;
  k.Line(1.0, 2.0, 3.0, 4.0);
  k.Ellipse(10.0, 10.0, 2.0, 3.0);
  k.LineOffset(0.0, 0.0, 1.0, 1.0, 500, 500);  // offsets are pixels
  k.Text(5.0, 5.0, 8, "t", 1000.0, 1000.0, taCenter);
  k.CursorVert(-4.0);  // a cursor's other value counts as 0
  k.AutoRange(1, 0);
  EXPECT_RANGES(Of(k, 1), -4, 12, 0, 13);
}

TEST(AutoRange, ALayerWithoutItemsGetsMinusOneToOne) {
  DrawChart ch;
  ch.SetActiveLayer(2);
  ch.MarkAt(5.0, 5.0, 0);
  ch.AutoRange(1, 10);
  EXPECT_RANGES(Of(ch, 1), -1, 1, -1, 1);
}

TEST(AutoRange, NonFiniteValuesAreLeftOut) {
  DrawChart ch;
  ch.MarkAt(std::numeric_limits<double>::infinity(), 3.0, 0);
  ch.MarkAt(1.0, std::nan(""), 0);
  ch.MarkAt(2.0, 5.0, 0);
  ch.AutoRange(1, 0);
  EXPECT_RANGES(Of(ch, 1), 1, 2, 3, 5);
}

TEST(AutoRange, IsometricRangesKeepUnitsEqual) {
  DrawChart ch;  // 200 x 150 data area
  ch.SetIsometric(true);
  ch.MarkAt(0.0, 0.0, 0);
  ch.MarkAt(20.0, 5.0, 0);
  ch.AutoRange(1, 0);
  EXPECT_RANGES(Of(ch, 1), 0, 20, 2.5 - 7.5, 2.5 + 7.5);
}

TEST(AutoRange, OneAxisFormsKeepTheOtherAxis) {
  DrawChart ch;
  ch.SetRange(1, 0.0L, 0.0L, 1.0L, 1.0L);
  ch.MarkAt(10.0, 20.0, 0);
  ch.MarkAt(30.0, 60.0, 0);
  ch.AutoRangeXOnly(1, 0);
  EXPECT_RANGES(Of(ch, 1), 10, 30, 0, 1);
  ch.AutoRangeYOnly(1, 0, 0);
  EXPECT_RANGES(Of(ch, 1), 10, 30, 20, 60);
}

TEST(AutoRange, AllLayersEachFromItsOwnItemsAndCoupledAxesFromTheirMaster) {
  DrawChart ch;
  ch.MarkAt(0.0, 0.0, 0);
  ch.MarkAt(10.0, 100.0, 0);
  ch.SetActiveLayer(2);
  ch.MarkAt(50.0, 1.0, 0);
  ch.MarkAt(60.0, 3.0, 0);
  ch.AutoRange(0, 10);
  EXPECT_RANGES(Of(ch, 1), -1, 11, -10, 110);
  EXPECT_RANGES(Of(ch, 2), 49, 61, 0.8, 3.2);
  ch.JointLayers().SetControlledLayerX(2, 1);
  ch.AutoRange(0, 0);
  EXPECT_RANGES(Of(ch, 2), 0, 10, 1, 3);  // x from layer 1's items
  ch.AutoRangeYOnly(0, 0);
  EXPECT_RANGES(Of(ch, 1), 0, 10, 0, 100);
}

TEST(AutoRange, OnlyTheSingleLayerPathRecordsTheZoomHistory) {
  DrawChart ch;
  ch.MarkAt(1.0, 2.0, 0);
  ch.MarkAt(3.0, 4.0, 0);
  ch.AutoRange(1, 0);
  EXPECT_EQ(ch.GetZoomStackEntry(1, 0).Left, 1);  // the entry pushed by AutoRange
  ch.SetRange(1, 0.0L, 0.0L, 5.0L, 5.0L);
  ch.AutoRange(0, 0);
  EXPECT_EQ(ch.GetZoomStackEntry(1, 0).Left, 0);  // still the SetRange entry
  EXPECT_EQ(ch.Scale1X().RangeLow(), 1);
}

// --- Queries

TEST(FindMinMax, PointsStrictlyInsideTheWindow) {
  DrawChart ch;
  ch.MarkAt(1.0, 1.0, 0);
  ch.MarkAt(5.0, 5.0, 0);
  ch.MarkAt(9.0, 9.0, 0);
  ch.Line(2.0, 2.0, 4.0, 8.0);
  ch.SetActiveLayer(2);
  ch.MarkAt(3.0, 7.0, 0);
  double x0, y0, x1, y1;
  ch.FindMinMax(1, 0, 0, 6, 6, x0, y0, x1, y1);
  EXPECT_EQ((std::vector<double>{x0, y0, x1, y1}), (std::vector<double>{1, 1, 5, 5}));
  ch.FindMinMax(0, 1, 1, 9, 9, x0, y0, x1, y1);
  EXPECT_EQ((std::vector<double>{x0, y0, x1, y1}), (std::vector<double>{2, 2, 5, 8}));
  ch.FindMinMax(1, 20, 20, 30, 30, x0, y0, x1, y1);
  EXPECT_EQ(x0, uc_MaxDouble);
  EXPECT_EQ(y0, uc_MaxDouble);
  EXPECT_EQ(x1, -uc_MaxDouble);
  EXPECT_EQ(y1, -uc_MaxDouble);
}

TEST(FindUsedLayers, LayersHoldingDataItems) {
  DrawChart ch;
  EXPECT_TRUE(ch.FindUsedLayers().Empty());
  ch.SetAnnoMode(true);
  ch.MarkAt(1.0, 1.0, 0);  // annotations do not count
  EXPECT_TRUE(ch.FindUsedLayers().Empty());
  ch.SetAnnoMode(false);
  ch.SetActiveLayer(2);
  ch.MarkAt(1.0, 1.0, 0);
  const TLayerSet used = ch.FindUsedLayers();
  EXPECT_FALSE(used.Contains(1));
  EXPECT_TRUE(used.Contains(2));
}

}  // namespace
}  // namespace kiv
