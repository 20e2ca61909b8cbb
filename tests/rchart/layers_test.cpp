// The chart's layers: the world-to-pixel mapping, range setting with its refusals, confinement,
// the zoom history, equal ranges, the isometric mode and layer coupling.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "rchart/errors.h"
#include "rchart/rchart.h"

namespace kiv {
namespace {

// A 280 x 200 chart with the margins 50, 10, 16, 32 (left, right, top, bottom) and both layers
// set to 0..10 on both axes.
struct Chart : TCustomRChart {
  Chart() : TCustomRChart(nullptr) {
    SetMarginRight(10);
    SetMarginTop(16);
    SetMarginBottom(32);
    SetRange(0, 0, 0, 10, 10);
  }
  using TCustomRChart::ForceRngIntern;
  TPoint Pixel(int layer, double x, double y) const {
    int px, py;
    R2M(layer, x, y, px, py);
    return TPoint(px, py);
  }
};

TEST(ChartTransform, MapsTheRangesOntoTheDataArea) {
  Chart c;
  EXPECT_EQ(c.Width(), 280);
  EXPECT_EQ(c.DataArea(), TRect(50, 16, 271, 169));
  EXPECT_EQ(c.Pixel(1, 0, 10), TPoint(50, 16));
  EXPECT_EQ(c.Pixel(1, 10, 0), TPoint(270, 168));
  EXPECT_EQ(c.Pixel(1, 5, 5), TPoint(160, 92));
  double x, y;
  c.M2R(1, 270, 16, x, y);
  EXPECT_DOUBLE_EQ(x, 10);
  EXPECT_DOUBLE_EQ(y, 10);
  double kx, dx, ky, dy;
  c.GetTransformParams(1, kx, dx, ky, dy);
  EXPECT_DOUBLE_EQ(kx, 22);
  EXPECT_DOUBLE_EQ(dx, 50);
  EXPECT_DOUBLE_EQ(ky, -15.2);
  EXPECT_DOUBLE_EQ(dy, 168);
}

TEST(ChartTransform, ReversedRangesMirrorTheAxis) {
  Chart c;
  c.SetRange(1, 10, 0, 0, 10);
  EXPECT_EQ(c.Pixel(1, 10, 0), TPoint(50, 168));
  EXPECT_EQ(c.Pixel(1, 0, 0), TPoint(270, 168));
}

TEST(ChartTransform, LogarithmicAxesAndValuesAtOrBelowTheFloor) {
  Chart c;
  c.SetRange(1, 1, 0, 100, 10);
  c.ScalePropsX(1).SetLogarithmic(true);
  EXPECT_EQ(c.Pixel(1, 1, 0).X, 50);
  EXPECT_EQ(c.Pixel(1, 10, 0).X, 160);
  EXPECT_EQ(c.Pixel(1, 100, 0).X, 270);
  EXPECT_EQ(c.Pixel(1, 0, 0).X, 0);  // falls off the low end
  EXPECT_EQ(c.Pixel(1, 1e-100, 0).X, 0);
  c.SetRange(1, 100, 0, 1, 10);
  EXPECT_EQ(c.Pixel(1, 0, 0).X, 280);  // reversed: the low end is at the right
  c.SetRange(1, 1, 1, 100, 1000);
  c.ScalePropsY(1).SetLogarithmic(true);
  c.SetRange(1, 1, 1, 100, 1000);
  EXPECT_EQ(c.Pixel(1, 1, -5).Y, 200);
  double x, y;
  c.M2R(1, 160, 92, x, y);
  EXPECT_NEAR(x, 10, 1e-9);
  EXPECT_NEAR(y, std::pow(10.0, 1.5), 1e-9);
}

TEST(ChartTransform, LogarithmicAxisOverANonPositiveRangeRaises) {
  Chart c;
  c.SetRange(1, -1, 0, 10, 10);
  c.ScalePropsX(1).SetNotYetLoaded(true);  // before loading the switch is taken unchecked
  try {
    c.ScalePropsX(1).SetLogarithmic(true);
    FAIL();
  } catch (const EKIVRChartError& e) {
    EXPECT_STREQ(e.what(), "Logarithmic axis must not be negative.");
  }
  // The switch is taken back: the axis maps linearly again.
  EXPECT_FALSE(c.ScalePropsX(1).Logarithmic());
  EXPECT_NO_THROW(c.AdjustScaling());
  EXPECT_EQ(c.Pixel(1, -1, 0).X, 50);
}

TEST(ChartTransform, NonFiniteValuesAreClampedToTheIntRange) {
  Chart c;
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(c.Pixel(1, inf, -inf), TPoint(2147483647, 2147483647));
  EXPECT_EQ(c.Pixel(1, -inf, inf), TPoint(-2147483647, -2147483647));
  EXPECT_EQ(c.Pixel(1, std::nan(""), 1e300), TPoint(2147483647, -2147483647));
  EXPECT_EQ(c.Pixel(7, 0, 0), c.Pixel(2, 0, 0));  // layers outside 1..2 are clamped
}

TEST(ChartTransform, NoRoomLeavesAZeroFactorAtTheMiddle) {
  Chart c;
  c.SetMarginLeft(250);  // 280 - 250 - 40 < 0
  c.SetMarginRight(40);
  c.SetMarginTop(100);  // 200 - 100 - 110 < 0
  c.SetMarginBottom(110);
  double kx, dx, ky, dy;
  c.GetTransformParams(1, kx, dx, ky, dy);
  EXPECT_EQ(kx, 0);
  EXPECT_EQ(dx, 140);
  EXPECT_EQ(ky, 0);
  EXPECT_EQ(dy, 100);
}

TEST(ChartRanges, EqualBoundsAreWidenedByMinRange) {
  Chart c;
  c.ScalePropsX(1).SetMinRange(0.1);
  c.SetRange(1, 5, 0, 5, 10);
  EXPECT_DOUBLE_EQ(c.ScalePropsX(1).RangeLow(), 4.95);
  EXPECT_DOUBLE_EQ(c.ScalePropsX(1).RangeHigh(), 5.05);
  c.SetRange(1, 0, 1, 10, 100);
  c.ScalePropsY(1).SetLogarithmic(true);
  c.SetRange(1, 0, 10, 10, 10);
  EXPECT_DOUBLE_EQ(c.ScalePropsY(1).RangeLow(), 10 / 1.1);
  EXPECT_DOUBLE_EQ(c.ScalePropsY(1).RangeHigh(), 11);
}

TEST(ChartRanges, RangesNarrowerThanMinRangeAreRefusedPerAxis) {
  Chart c;
  c.ScalePropsX(1).SetMinRange(1);
  c.ForceRange(1, 3, 3, 3.5, 4, false, false);
  EXPECT_EQ(c.ScalePropsX(1).RangeLow(), 0);  // x refused
  EXPECT_EQ(c.ScalePropsX(1).RangeHigh(), 10);
  EXPECT_EQ(c.ScalePropsY(1).RangeLow(), 3);  // y taken
  EXPECT_EQ(c.ScalePropsY(1).RangeHigh(), 4);
}

TEST(ChartRanges, LogarithmicBoundsBelowTheFloorKeepTheirOldValue) {
  Chart c;
  c.SetRange(1, 1, 0, 1000, 10);
  c.ScalePropsX(1).SetLogarithmic(true);
  c.ForceRange(1, 0, 0, 100, 10, false, false);
  EXPECT_EQ(c.ScalePropsX(1).RangeLow(), 1);
  EXPECT_EQ(c.ScalePropsX(1).RangeHigh(), 100);
}

TEST(ChartRanges, LayerZeroSetsBothLayers) {
  Chart c;
  c.SetRange(0, -1, -2, 3, 4);
  for (int L : {1, 2}) {
    EXPECT_EQ(c.ScalePropsX(L).RangeLow(), -1);
    EXPECT_EQ(c.ScalePropsY(L).RangeHigh(), 4);
  }
}

TEST(ChartRanges, ConfinementSlidesPansAndCutsOtherChanges) {
  Chart c;
  c.ConfineZoomRange(0, 0, 10, 10);
  c.SetMouseAction(mactPan);
  c.ForceRange(1, -2, 0, 3, 10, false, true);
  EXPECT_EQ(c.ScalePropsX(1).RangeLow(), 0);
  EXPECT_EQ(c.ScalePropsX(1).RangeHigh(), 5);
  c.SetMouseAction(mactZoomDrag);
  c.ForceRange(1, -2, 0, 3, 10, false, true);
  EXPECT_EQ(c.ScalePropsX(1).RangeLow(), 0);
  EXPECT_EQ(c.ScalePropsX(1).RangeHigh(), 3);
  c.SetMouseAction(mactPanX);  // shifts x only: y is cut
  c.ForceRange(1, 8, 8, 12, 12, false, true);
  EXPECT_EQ(c.ScalePropsX(1).RangeLow(), 6);
  EXPECT_EQ(c.ScalePropsX(1).RangeHigh(), 10);
  EXPECT_EQ(c.ScalePropsY(1).RangeLow(), 8);
  EXPECT_EQ(c.ScalePropsY(1).RangeHigh(), 10);
  // Without the flag (window zoom) the limits do not apply.
  c.ForceRange(1, -5, -5, 20, 20, false, false);
  EXPECT_EQ(c.ScalePropsX(1).RangeLow(), -5);
  // All zero switches the limits off.
  c.ConfineZoomRange(0, 0, 0, 0);
  c.ForceRange(1, -7, -7, 20, 20, false, true);
  EXPECT_EQ(c.ScalePropsX(1).RangeLow(), -7);
}

TEST(ChartZoomHistory, SixteenEntriesWrapAround) {
  Chart c;  // the set-up pushed once for each layer set
  for (int i = 0; i < 20; ++i) c.SetRange(1, i, 0, i + 10, 10);
  const TRectDouble latest = c.GetZoomStackEntry(1, 0);
  EXPECT_EQ(latest.Left, 19);
  EXPECT_EQ(latest.Top, 10);
  EXPECT_EQ(latest.Right, 29);
  EXPECT_EQ(latest.Bottom, 0);
  EXPECT_EQ(c.GetZoomStackEntry(1, -15).Left, 4);
  EXPECT_EQ(c.GetZoomStackEntry(1, -16), TRectDouble{});
  EXPECT_EQ(c.GetZoomStackEntry(3, 0), TRectDouble{});
  // A range change that is refused pushes nothing.
  c.ScalePropsX(1).SetMinRange(100);
  const TRectDouble before = c.GetZoomStackEntry(1, 0);
  c.ForceRange(1, 0, 0, 1, 1e-20, true, false);
  EXPECT_EQ(c.GetZoomStackEntry(1, 0), before);
}

TEST(ChartRanges, EqualRangesAreTheUnionOfTheListedLayers) {
  Chart c;
  c.SetRange(1, 0, 1, 5, 2);
  c.SetRange(2, 2, -3, 8, 1);
  c.SetEqualRangeXOnly({1, 2});
  EXPECT_EQ(c.ScalePropsX(1).RangeLow(), 0);
  EXPECT_EQ(c.ScalePropsX(2).RangeHigh(), 8);
  EXPECT_EQ(c.ScalePropsY(1).RangeLow(), 1);  // y untouched
  c.SetEqualRange({1, 2});
  EXPECT_EQ(c.ScalePropsY(1).RangeLow(), -3);
  EXPECT_EQ(c.ScalePropsY(2).RangeHigh(), 2);
  c.SetEqualRange({});  // nothing listed, nothing done
  EXPECT_EQ(c.ScalePropsY(2).RangeHigh(), 2);
}

TEST(ChartRanges, IsometricModeRecentresY) {
  Chart c;  // data area 221 x 153 pixels, square pixels
  c.SetIsometric(true);
  const double half = 10.0 * 153 / 221 / 2;
  EXPECT_DOUBLE_EQ(c.ScalePropsY(1).RangeLow(), 5 - half);
  EXPECT_DOUBLE_EQ(c.ScalePropsY(1).RangeHigh(), 5 + half);
  c.SetRange(1, 0, 100, 20, 101);  // x decides, y keeps its centre
  EXPECT_DOUBLE_EQ(c.ScalePropsY(1).RangeLow(), 100.5 - 2 * half);
  EXPECT_DOUBLE_EQ(c.ScalePropsY(1).RangeHigh(), 100.5 + 2 * half);
  c.SetIsometric(false);  // switching off changes nothing
  EXPECT_DOUBLE_EQ(c.ScalePropsY(1).RangeHigh(), 100.5 + 2 * half);
}

TEST(ChartMargins, SettersMoveTheDataAreaAndClampTheShadow) {
  Chart c;
  c.SetMarginLeft(60);
  c.SetShadowWidth(50);
  EXPECT_EQ(c.ShadowWidth(), 32);
  c.SetShadowWidth(-5);
  EXPECT_EQ(c.ShadowWidth(), 0);
  c.SetShadowWidth(4);
  EXPECT_EQ(c.DataArea(), TRect(60, 16, 267, 165));
  EXPECT_EQ(c.DataBitmapSize(), (TSize{207, 149}));
  EXPECT_EQ(c.Pixel(1, 0, 0), TPoint(60, 164));
  EXPECT_EQ(c.Pixel(1, 10, 10), TPoint(266, 16));
  // The axes' scale components map exactly as the chart does.
  EXPECT_EQ(c.ScaleX(1).ConvertToPixelCoords(10), 266);
  EXPECT_EQ(c.ScaleY(1).ConvertToPixelCoords(0), 164);
}

TEST(ChartJointLayers, CoupledAxesFollowTheirMaster) {
  Chart c;
  c.SetRange(1, 0, 0, 100, 50);
  c.JointLayers().SetL02xControlledBy(1);
  EXPECT_EQ(c.ScalePropsX(2).RangeHigh(), 100);  // coupling copies the master's x range
  EXPECT_EQ(c.ScalePropsY(2).RangeHigh(), 10);   // y untouched
  c.SetRange(1, -5, 0, 5, 50);
  EXPECT_EQ(c.ScalePropsX(2).RangeLow(), -5);  // follows the master
  c.SetRange(2, 30, 0, 40, 20);
  EXPECT_EQ(c.ScalePropsX(2).RangeLow(), -5);  // its own x is not taken
  EXPECT_EQ(c.ScalePropsY(2).RangeHigh(), 20);
  c.JointLayers().SetL02xControlledBy(2);  // uncoupled
  c.SetRange(2, 30, 0, 40, 20);
  EXPECT_EQ(c.ScalePropsX(2).RangeLow(), 30);
}

TEST(ChartJointLayers, ImpossibleCouplingsRaiseTheirMessages) {
  Chart c;
  auto message = [&](auto f) {
    try {
      f();
    } catch (const EKIVRChartError& e) {
      return std::string(e.what());
    }
    return std::string("no error");
  };
  EXPECT_EQ(message([&] { c.JointLayers().SetControlledLayerX(1, 3); }),
            "Destination layer 3 is out of range");
  c.JointLayers().SetControlledLayerY(2, 1);
  EXPECT_EQ(message([&] { c.JointLayers().SetControlledLayerY(1, 2); }),
            "Destination layer 2 is already joined");
  // With two layers a layer that others follow can only be asked to follow one of its own
  // followers, which the "already joined" test refuses first.
  c.JointLayers().SetControlledLayerX(1, 2);
  EXPECT_EQ(message([&] { c.JointLayers().SetControlledLayerX(2, 1); }),
            "Destination layer 1 is already joined");
  EXPECT_EQ(c.JointLayers().L01xControlledBy(), 2);
  EXPECT_EQ(c.JointLayers().L02xControlledBy(), 2);
}

}  // namespace
}  // namespace kiv

namespace kiv {
namespace {

TEST(ChartTextLabels, IndexOutsideThePoolRaisesWithTheChartsName) {
  TCustomRChart c(nullptr);
  c.SetName("Chart7");
  EXPECT_EQ(c.TextLabels(30).Mode(), tlmNone);
  try {
    c.TextLabels(0);
    FAIL();
  } catch (const EKIVRChartError& e) {
    EXPECT_STREQ(e.what(), "Component \"Chart7\": invalid index into TextLabel array");
  }
  EXPECT_THROW(c.TextLabels(31), EKIVRChartError);
}

}  // namespace
}  // namespace kiv
