// The contour plot's pivot grid: geometry and callback, sizing, masks, percentiles, progress
// with message processing, values computed in advance, and application code that replaces the
// grid while it is being filled.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "contour_probe.h"
#include "platform/application.h"
#include "platform/offscreen_host.h"

namespace kiv {
namespace {

TEST(ContourGrid, DefaultsFollowTheDataArea) {
  TContourPlot p(nullptr);  // 280 x 200, margins 50, 20, 20, 40
  EXPECT_EQ(p.NumPivotsX(), 42);
  EXPECT_EQ(p.NumPivotsY(), 28);
  EXPECT_EQ(p.PivotResolution(), 210);
  EXPECT_EQ(p.PlotMode(), cpmColorSurface);
  EXPECT_DOUBLE_EQ(p.IsoLow(), -1.0);
  EXPECT_DOUBLE_EQ(p.IsoHigh(), 1.0);
  EXPECT_DOUBLE_EQ(p.IsoDist(), 0.1);
  EXPECT_EQ(p.Scale1X().RangeLow(), -5.2);
  EXPECT_EQ(p.Scale1Y().RangeHigh(), 5.2);
  EXPECT_FALSE(p.Scale2X().Visible());
  EXPECT_EQ(p.MaskPalette.Size(), 255);
  EXPECT_EQ(p.MaskPalette.ColorElem(1), clBlack);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(p.MaskPalette.ColorElem(i + 2), PredefinedColors(i));
  EXPECT_EQ(p.MaskPalette.ColorElem(255), clWhite);
  EXPECT_EQ(p.IsoColors.Size(), 0);  // the application fills the level colours
  EXPECT_TRUE(p.Enabled());
  EXPECT_TRUE(p.InvalidDataBmp());
}

TEST(ContourGrid, TheCallbackSeesEveryPivotAtItsWorldPositionInColumnOrder) {
  TContourPlot p(nullptr);
  p.SetRange(-1.0, 10.0, 3.0, 20.0);
  p.SetPivotResX(5);
  p.SetPivotResY(3);
  struct Call {
    double x, y;
    int ix, iy;
  };
  std::vector<Call> calls;
  p.OnEstimateZVal = [&](TObject* s, double x, double y, int ix, int iy, double& z,
                         std::uint8_t& m) {
    EXPECT_EQ(s, &p);
    EXPECT_EQ(z, 0.0);
    calls.push_back({x, y, ix, iy});
    z = 10 * ix + iy;
    if (ix == 2 && iy == 3) m = 9;
  };
  p.CalculatePivotPoints(false);
  ASSERT_EQ(calls.size(), 15u);
  EXPECT_EQ(calls[0].ix, 1);
  EXPECT_EQ(calls[1].iy, 2);  // y inner
  EXPECT_EQ(calls[3].ix, 2);
  EXPECT_EQ(calls[0].x, -1.0);
  EXPECT_EQ(calls[0].y, 10.0);
  EXPECT_EQ(calls[14].x, 3.0);  // the last pivot lies on the range limits
  EXPECT_EQ(calls[14].y, 20.0);
  EXPECT_EQ(calls[4].x, 0.0);
  EXPECT_EQ(calls[4].y, 15.0);
  EXPECT_EQ(p.GetPivotVal(4, 2), 42.0);
  EXPECT_EQ(p.Mask(2, 3), 9);
  EXPECT_EQ(p.MaxPivot(), 53.0);  // masked points count as well
  EXPECT_EQ(p.MinPivot(), 11.0);
  // Outside the grid: reads give 0, writes do nothing.
  EXPECT_EQ(p.GetPivotVal(0, 1), 0.0);
  EXPECT_EQ(p.GetMaskVal(6, 1), 0);
  p.SetMaskVal(6, 1, 4);
  p.SetMaskVal(0, 0, 4);
  EXPECT_EQ(p.GetMaskVal(6, 1), 0);

  // Without a handler, or disabled, every pivot is 0 and the masks stay.
  p.OnEstimateZVal = nullptr;
  p.CalculatePivotPoints(false);
  EXPECT_EQ(p.GetPivotVal(4, 2), 0.0);
  EXPECT_EQ(p.MaxPivot(), 0.0);
  EXPECT_EQ(p.MinPivot(), 0.0);
  EXPECT_EQ(p.Mask(2, 3), 9);
  p.OnEstimateZVal = [](TObject*, double, double, int, int, double& z, std::uint8_t&) { z = 1; };
  p.SetEnabled(false);
  p.CalculatePivotPoints(false);
  EXPECT_EQ(p.MaxPivot(), 0.0);
}

TEST(ContourGrid, SizingClampsAndRecreatesTheGrid) {
  TContourPlot p(nullptr);
  p.SetBounds(0, 0, 270, 260);  // a square data area of 200 x 200
  p.SetPivotResolution(100);
  EXPECT_EQ(p.NumPivotsX(), 21);
  EXPECT_EQ(p.NumPivotsY(), 21);
  EXPECT_EQ(p.PivotResolution(), 105);
  p.SetPivotResolution(3);  // as 10
  EXPECT_EQ(p.NumPivotsX(), 3);
  p.SetBounds(0, 0, 170, 260);  // 100 wide, 200 high: the taller side gets r div 5 + 1
  p.SetPivotResolution(100);
  EXPECT_EQ(p.NumPivotsY(), 21);
  EXPECT_EQ(p.NumPivotsX(), 11);
  p.SetNumPivotsX(1);
  EXPECT_EQ(p.NumPivotsX(), 2);
  p.SetNumPivotsY(-5);
  EXPECT_EQ(p.NumPivotsY(), 2);

  p.SetNumPivotsX(4);
  p.OnEstimateZVal = Field([](double, double) { return 7.0; });
  p.CalculatePivotPoints(false);
  p.SetMaskVal(1, 1, 3);
  p.SetNumPivotsX(5);  // every value and mask byte is gone
  for (int ix = 1; ix <= 5; ++ix)
    for (int iy = 1; iy <= 2; ++iy) {
      EXPECT_EQ(p.GetPivotVal(ix, iy), 0.0);
      EXPECT_EQ(p.GetMaskVal(ix, iy), 0);
    }
  EXPECT_TRUE(p.InvalidDataBmp());
}

TEST(ContourGrid, PercentilesWithAndWithoutTheMask) {
  TContourPlot p(nullptr);
  p.SetNumPivotsX(4);
  p.SetNumPivotsY(5);
  p.OnEstimateZVal = [](TObject*, double, double, int ix, int iy, double& z, std::uint8_t& m) {
    z = (ix - 1) * 5 + iy;               // 1..20
    if (ix == 4) m = iy == 1 ? 255 : 1;  // the largest five values are masked
  };
  p.CalculatePivotPoints(false);
  EXPECT_DOUBLE_EQ(p.PercentilePivots(50), 10.5);
  EXPECT_DOUBLE_EQ(p.PercentilePivots(100), 20);
  EXPECT_DOUBLE_EQ(p.PercentilePivots(100, false), 20);
  EXPECT_DOUBLE_EQ(p.PercentilePivots(100, true), 15);  // mask 255 is left out too
  EXPECT_DOUBLE_EQ(p.PercentilePivots(50, true), 8);
  EXPECT_DOUBLE_EQ(p.PercentilePivots(0, true), 1);
  p.FillMask(2);
  EXPECT_EQ(p.PercentilePivots(50, true), 0.0);  // no unmasked point
}

// Progress steps come once per x index up to 199 pivots, every (N div 100)-th index beyond, in
// percent of the columns done; at each step pending messages are processed.
TEST(ContourGrid, ProgressStepsProcessMessages) {
  TOffscreenHost host;
  Application().SetHost(&host);
  TContourPlot p(nullptr);
  p.SetNumPivotsY(2);
  p.OnEstimateZVal = Field([](double, double) { return 0.0; });
  struct Case {
    int N, steps, first, last;
  };
  for (const Case c : {Case{150, 150, 1, 100}, Case{250, 125, 1, 100}, Case{40, 40, 2, 100}}) {
    p.SetNumPivotsX(c.N);
    std::vector<int> reported;
    int processed = 0;
    p.OnProgress = [&](TObject* s, int percent) {
      EXPECT_EQ(s, &p);
      reported.push_back(percent);
      host.Post([&] { ++processed; });  // runs when the plot lets messages through
    };
    p.CalculatePivotPoints(false);
    ASSERT_EQ(static_cast<int>(reported.size()), c.steps) << c.N;
    EXPECT_EQ(reported.front(), c.first) << c.N;
    EXPECT_EQ(reported.back(), c.last) << c.N;
    EXPECT_TRUE(std::is_sorted(reported.begin(), reported.end()));
    EXPECT_EQ(processed, c.steps) << c.N;
  }
  p.OnProgress = nullptr;
}

TEST(ContourGrid, RenderingReportsItsTwoPassesAfterTheComputation) {
  ProbePlot p;
  p.SetNumPivotsX(150);
  std::vector<int> reported;
  p.OnProgress = [&](TObject*, int percent) { reported.push_back(percent); };
  TBitmap b;
  p.CopyToBitmapDAOnly(b, false);
  ASSERT_EQ(reported.size(), 450u);
  EXPECT_EQ(reported[149], 100);
  EXPECT_EQ(reported[150], 70);  // Round(1 * 15 / 150) + 70
  EXPECT_EQ(reported[299], 85);
  EXPECT_EQ(reported[300], 85);
  EXPECT_EQ(reported[449], 100);
}

TEST(ContourGrid, ValuesComputedInAdvanceAreUsedOnce) {
  ProbePlot p;
  int calls = 0;
  p.OnEstimateZVal = [&](TObject*, double, double, int, int, double& z, std::uint8_t&) {
    z = 1;
    ++calls;
  };
  const int points = p.NumPivotsX() * p.NumPivotsY();
  p.CalculatePivotPoints(true);
  EXPECT_EQ(calls, points);
  p.OnEstimateZVal = [&](TObject*, double, double, int, int, double& z, std::uint8_t&) {
    z = 2;
    ++calls;
  };
  TBitmap b;
  p.CopyToBitmapDAOnly(b, false);  // the first rebuild takes the values as they are
  EXPECT_EQ(calls, points);
  EXPECT_EQ(p.GetPivotVal(1, 1), 1.0);
  p.CopyToBitmapDAOnly(b, false);  // the second asks again
  EXPECT_EQ(calls, 2 * points);
  EXPECT_EQ(p.GetPivotVal(1, 1), 2.0);

  p.CalculatePivotPoints(true);
  p.ClearPivotPoints(false);  // values waiting: kept, and no longer waiting
  EXPECT_EQ(p.GetPivotVal(1, 1), 2.0);
  p.ClearPivotPoints(false);
  EXPECT_EQ(p.GetPivotVal(1, 1), 0.0);
}

// Message processing and the callback run application code, which may replace the grid: the
// computation stops instead of writing into the grid that is gone.
TEST(ContourGrid, ReplacingTheGridDuringTheComputationIsSafe) {
  TOffscreenHost host;
  Application().SetHost(&host);
  TContourPlot p(nullptr);
  p.SetNumPivotsX(300);
  int calls = 0;
  p.OnEstimateZVal = [&](TObject*, double, double, int ix, int, double& z, std::uint8_t&) {
    z = 1;
    if (++calls == 10 && ix == 1) p.SetNumPivotsY(500);
  };
  p.CalculatePivotPoints(false);
  EXPECT_EQ(calls, 10);
  EXPECT_EQ(p.NumPivotsY(), 500);
  EXPECT_EQ(p.GetPivotVal(1, 1), 0.0);

  calls = 0;
  p.OnEstimateZVal = Field([](double, double) { return 1.0; });
  p.OnProgress = [&](TObject*, int) {
    if (++calls == 2) host.Post([&] { p.SetNumPivotsX(7); });
  };
  p.CalculatePivotPoints(false);
  EXPECT_EQ(p.NumPivotsX(), 7);
  EXPECT_EQ(calls, 2);
  p.OnProgress = nullptr;
  p.CalculatePivotPoints(false);
  EXPECT_EQ(p.GetPivotVal(7, 500), 1.0);

  // The same while the grid is drawn: the rendering stops, the next picture shows the new grid.
  p.SetNumPivotsX(300);
  p.OnProgress = [&](TObject*, int percent) {
    if (percent == 80) p.SetNumPivotsY(3);
  };
  TBitmap b;
  p.CopyToBitmapDAOnly(b, false);
  EXPECT_EQ(p.NumPivotsY(), 3);
  p.OnProgress = nullptr;
  p.CopyToBitmapDAOnly(b, false);
  EXPECT_EQ(p.GetPivotVal(300, 3), 1.0);

  // A handler that resizes the plot on the screen while its picture is drawn: the drawing into
  // the old bitmap stops, and the picture is drawn again for the new size.
  ProbePlot shown;
  shown.IsoColors.SetSize(1);
  shown.IsoColors.SetColorElem(1, clRed);
  shown.OnProgress = [&](TObject*, int percent) {
    if (percent == 80 && shown.Width() == 280) shown.SetBounds(0, 0, 400, 300);
  };
  host.Show(shown);
  host.ProcessMessages();
  ASSERT_EQ(shown.Width(), 400);
  EXPECT_EQ(shown.DataBitmap().Width(), 331);
  EXPECT_EQ(PixelAt(shown.DataBitmap(), 300, 200), clRed);
}

}  // namespace
}  // namespace kiv
