// The grid behind the items: world steps, scale ticks and decades on logarithmic axes, the
// eight styles, the line cap; and the test which scale strip lies under a control pixel.
#include <gtest/gtest.h>

#include <cmath>

#include "render_util.h"

namespace kiv {
namespace {

using testing::At;
using testing::Call;
using testing::DrawChart;
using testing::RecordingCanvas;

std::vector<Call> Grid(DrawChart& ch) {
  RecordingCanvas rc;
  ch.DrawGrid(rc, 0, 0);
  return rc.calls;
}

// The data-bitmap columns of x values of layer 1.
std::vector<int> Columns(DrawChart& ch, const std::vector<double>& xs) {
  std::vector<int> out;
  for (const double x : xs) {
    int px = 0, py = 0;
    ch.R2M(1, x, ch.ScalePropsY(1).RangeLow(), px, py);
    out.push_back(px - ch.MarginLeft());
  }
  return out;
}

std::vector<int> LineColumns(const std::vector<Call>& calls) {
  std::vector<int> out;
  for (const Call& c : calls)
    if (c.kind == "line") out.push_back(c.points[0].X);
  return out;
}

TEST(Grid, WorldStepsStartAtTheFirstMultipleInsideTheRange) {
  DrawChart ch;
  ch.SetRange(1, -1.0L, 0.0L, 1.0L, 1.0L);
  ch.SetGridStyle(gsVertLines);
  ch.SetGridColor(clRed);
  ch.SetGridDx(0.3);
  const auto calls = Grid(ch);
  EXPECT_EQ(LineColumns(calls), Columns(ch, {-0.9, -0.6, -0.3, 0, 0.3, 0.6, 0.9}));
  // From the bottom of the data area to its top, in the grid colour, solid.
  EXPECT_EQ(calls[0].points[0].Y, 149);
  EXPECT_EQ(calls[0].points[1].Y, 0);
  EXPECT_EQ(calls[0].pen, clRed);
  EXPECT_EQ(calls[0].pen_style, psSolid);
}

TEST(Grid, DecadesOnLogarithmicAxes) {
  DrawChart ch;
  ch.SetRange(1, 1.0L, 0.0L, 1000.0L, 1.0L);
  ch.Scale1X().SetLogarithmic(true);
  ch.SetGridStyle(gsVertLines);
  ch.SetGridDx(-1);
  EXPECT_EQ(LineColumns(Grid(ch)), Columns(ch, {1, 10, 100}));
  ch.SetGridDx(-2);
  EXPECT_EQ(LineColumns(Grid(ch)), Columns(ch, {2, 5, 10, 20, 50, 100, 200, 500}));
  ch.SetGridDx(-3);
  std::vector<double> all;
  for (const double decade : {1, 10, 100})
    for (int m = 1; m <= 9; ++m) all.push_back(m * decade);
  EXPECT_EQ(LineColumns(Grid(ch)), Columns(ch, all));
  ch.SetGridDx(-4);  // refused
  EXPECT_EQ(ch.GridDx(), -3);
}

TEST(Grid, DecadesFromALowBoundInsideADecade) {
  DrawChart ch;
  ch.SetRange(1, 3.0L, 0.0L, 700.0L, 1.0L);
  ch.Scale1X().SetLogarithmic(true);
  ch.SetGridStyle(gsVertLines);
  ch.SetGridDx(-2);
  EXPECT_EQ(LineColumns(Grid(ch)), Columns(ch, {5, 10, 20, 50, 100, 200, 500}));
  ch.SetGridDx(-3);
  EXPECT_EQ(LineColumns(Grid(ch)).front(), Columns(ch, {3})[0]);
  ch.SetGridDx(-1);
  EXPECT_EQ(LineColumns(Grid(ch)), Columns(ch, {10, 100}));
}

TEST(Grid, StepZeroFollowsTheTicksTheScaleRecorded) {
  DrawChart ch;
  ch.SetRange(1, 0.0L, 0.0L, 10.0L, 10.0L);
  ch.SetGridStyle(gsVertLines);
  ch.SetGridDx(0);
  // Before the scale has drawn there are no ticks: one line at the low bound.
  EXPECT_EQ(LineColumns(Grid(ch)), Columns(ch, {0}));
  TBitmap scratch(ch.Width(), ch.Height());
  ch.ScaleX(1).DrawXScale(scratch.Canvas(), ch.Height() - ch.MarginBottom());
  const int n = ch.ScaleX(1).NumTicks();
  ASSERT_GT(n, 2);
  std::vector<double> ticks;
  for (int k = 1; k <= n && ch.ScaleX(1).GetTickPos(k) < 10; ++k)
    ticks.push_back(ch.ScaleX(1).GetTickPos(k));
  EXPECT_EQ(LineColumns(Grid(ch)), Columns(ch, ticks));
}

TEST(Grid, HorizontalAndDottedLinesAcrossTheDataArea) {
  DrawChart ch;
  ch.SetRange(1, 0.0L, 0.0L, 10.0L, 10.0L);
  ch.SetGridStyle(gsDotLines);
  ch.SetGridDx(5);
  ch.SetGridDy(4);
  RecordingCanvas rc;
  ch.DrawGrid(rc, 0, 0);
  const auto lines = rc.Of("line");
  ASSERT_EQ(lines.size(), 2u + 3u);  // x 0, 5; y 0, 4, 8
  for (const Call& c : lines) EXPECT_EQ(c.pen_style, psDot);
  int px = 0, py = 0;
  ch.R2M(1, 0, 4, px, py);
  EXPECT_EQ(lines[3].points, (std::vector<TPoint>{{0, py - 10}, {199, py - 10}}));
  EXPECT_EQ(rc.Pen().Style(), psSolid);  // reset afterwards
  ch.SetGridStyle(gsHorizLines);
  RecordingCanvas only_h;
  ch.DrawGrid(only_h, 0, 0);
  EXPECT_EQ(only_h.Of("line").size(), 3u);
}

TEST(Grid, PointsAtEveryPairOfGridValues) {
  DrawChart ch;
  ch.SetRange(1, 0.0L, 0.0L, 199.0L, 149.0L);
  ch.SetGridStyle(gsPoints);
  ch.SetGridColor(clRed);
  ch.SetGridDx(50);
  ch.SetGridDy(50);
  TBitmap b(DrawChart::kW, DrawChart::kH);
  ch.DrawGrid(b.Canvas(), 0, 0);
  EXPECT_EQ(testing::CountInk(b), 4 * 3);
  EXPECT_EQ(At(b, 50, 149 - 100), clRed);
  EXPECT_EQ(At(b, 150, 149), clRed);
}

TEST(Grid, RunawayGridsStopAtAThousandLines) {
  DrawChart ch;
  ch.SetRange(1, 0.0L, 0.0L, 1.0L, 1.0L);
  ch.SetGridStyle(gsLines);
  ch.SetGridDx(1e-6);
  ch.SetGridDy(1e-7);
  EXPECT_EQ(Grid(ch).size(), 2000u);
  ch.SetGridStyle(gsPoints);
  EXPECT_EQ(Grid(ch).size(), 1000u);
}

TEST(Grid, ReversedRangesAndTheActiveLayer) {
  DrawChart ch;  // layer 1's y range runs from 149 down to 0
  ch.SetRange(2, 0.0L, 0.0L, 10.0L, 10.0L);
  ch.SetGridStyle(gsHorizLines);
  ch.SetGridDy(50);
  EXPECT_EQ(Grid(ch).size(), 3u);  // 0, 50, 100 on layer 1
  ch.SetActiveLayer(2);
  EXPECT_EQ(Grid(ch).size(), 1u);  // 0 on layer 2
}

// --- Scale hit test

TEST(DetectScale, BandsBesideTheDataArea) {
  DrawChart ch;  // 219 x 169, margins 10
  ch.Scale1X().SetVisible(false);
  ch.Scale1Y().SetVisible(false);
  ch.Scale2X().SetScaleLocation(slTop);
  ch.Scale2Y().SetScaleLocation(slRight);
  EXPECT_EQ(ch.DetectScale(5, 80), 0);  // nothing visible
  ch.Scale1Y().SetVisible(true);
  ch.Scale1X().SetVisible(true);
  ch.Scale2Y().SetVisible(true);
  ch.Scale2X().SetVisible(true);
  EXPECT_EQ(ch.DetectScale(-10, 80), 1);    // 20 pixels left of the data area: y scale, layer 1
  EXPECT_EQ(ch.DetectScale(100, 179), -1);  // 20 pixels below: x scale, layer 1
  EXPECT_EQ(ch.DetectScale(229, 80), 2);    // right
  EXPECT_EQ(ch.DetectScale(100, -10), -2);  // top
  // Band edges are exclusive.
  EXPECT_EQ(ch.DetectScale(10, 80), 0);
  EXPECT_EQ(ch.DetectScale(9, 80), 1);
  EXPECT_EQ(ch.DetectScale(-40, 80), 0);
  EXPECT_EQ(ch.DetectScale(-39, 80), 1);
  EXPECT_EQ(ch.DetectScale(100, 159), 0);
  EXPECT_EQ(ch.DetectScale(100, 198), -1);
  EXPECT_EQ(ch.DetectScale(100, 199), 0);
  EXPECT_EQ(ch.DetectScale(-10, 10), 0);  // beside the data area's rows only
  EXPECT_EQ(ch.DetectScale(10, 179), 0);
  // The scale's offset moves its band outwards.
  ch.Scale1Y().SetScalePos(15);
  EXPECT_EQ(ch.DetectScale(-10, 80), 1);
  EXPECT_EQ(ch.DetectScale(-5, 80), 0);
  ch.Scale1Y().SetVisible(false);
  EXPECT_EQ(ch.DetectScale(-10, 80), 0);
}

}  // namespace
}  // namespace kiv
