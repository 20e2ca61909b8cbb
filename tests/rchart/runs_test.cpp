// The large-data paths of the item loop against the ordinary drawing of every item: random walks
// (dense and sparse, clipped, reversed and logarithmic axes, far out, with breaks of every kind),
// random marks, and the column collapse of polylines on its own against the pixels of its
// segments. A handler for OnBeforeRenderChartItem sends every item through the ordinary path.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "rchart/column_run.h"
#include "rchart/item_renderer.h"
#include "same_picture.h"

namespace kiv {
namespace {

using testing::DrawChart;
using testing::ExpectSamePicture;

// Rows a vertical polyline through ys covers: each segment from its first row up to its last,
// the last excluded.
std::set<int> SegmentRows(const std::vector<int>& ys) {
  std::set<int> rows;
  for (std::size_t i = 0; i + 1 < ys.size(); ++i) {
    const int step = ys[i + 1] > ys[i] ? 1 : -1;
    for (int y = ys[i]; y != ys[i + 1]; y += step) rows.insert(y);
  }
  return rows;
}

TEST(ColumnRun, ShortPathCoversTheRowsOfEverySegment) {
  std::mt19937 rng(1);
  for (int n = 0; n < 20000; ++n) {
    std::uniform_int_distribution<int> len(1, 12), row(-4, 4);
    std::vector<int> ys(static_cast<std::size_t>(len(rng)));
    for (int& y : ys) y = row(rng);
    TColumnRun run;
    run.Start(TPoint(7, ys[0]));
    for (std::size_t i = 1; i < ys.size(); ++i) run.Add(ys[i]);
    TPoint path[3];
    const int k = run.Path(path);
    std::vector<int> short_path = {ys[0]};
    for (int j = 0; j < k; ++j) {
      ASSERT_EQ(path[j].X, 7);
      short_path.push_back(path[j].Y);
    }
    // The short path ends where the run ends, so the polyline goes on from the same point.
    EXPECT_EQ(short_path.back(), k == 0 ? ys[0] : ys.back());
    if (k == 0) {
      EXPECT_EQ(ys.back(), ys[0]);
    }
    ASSERT_EQ(SegmentRows(short_path), SegmentRows(ys)) << "run " << n;
  }
}

TEST(ColumnRun, ExamplesOfEachCase) {
  const auto path_of = [](std::vector<int> ys) {
    TColumnRun run;
    run.Start(TPoint(0, ys[0]));
    for (std::size_t i = 1; i < ys.size(); ++i) run.Add(ys[i]);
    TPoint p[3];
    std::vector<int> out;
    for (int j = 0, k = run.Path(p); j < k; ++j) out.push_back(p[j].Y);
    return out;
  };
  EXPECT_EQ(path_of({5, 5, 5}), std::vector<int>{});                 // nothing drawn
  EXPECT_EQ(path_of({5, 9, 7}), (std::vector<int>{5, 9, 7}));        // end covered, not the top
  EXPECT_EQ(path_of({5, 2, 9, 4, 9}), (std::vector<int>{9, 2, 9}));  // end covered at the top
  EXPECT_EQ(path_of({5, 2, 9, 9}), (std::vector<int>{2, 9}));  // a zero-length step covers nothing
  EXPECT_EQ(path_of({5, 3, 8}), (std::vector<int>{3, 8}));     // new top, not covered
  EXPECT_EQ(path_of({5, 8, 1}), (std::vector<int>{8, 1}));     // new bottom, not covered
}

int InkedPixels(const TBitmap& b) {
  int n = 0;
  for (int i = 0; i < b.Width() * b.Height(); ++i) n += b.Bits()[i] != TBitmap::kFreshPixel;
  return n;
}

// A random walk of n steps: x advances by dx on average (exactly, or jittered), y by normal
// steps of size sy.
void Walk(DrawChart& chart, std::mt19937_64& rng, int n, double x0, double dx, double y0,
          double sy) {
  std::normal_distribution<double> step(0, sy);
  std::uniform_real_distribution<double> jitter(0, 2 * dx);
  double x = x0, y = y0;
  chart.MoveTo(x, y);
  for (int i = 0; i < n; ++i) {
    x += rng() % 2 ? dx : jitter(rng);
    y += step(rng);
    chart.DrawTo(x, y);
  }
}

TEST(LineRuns, DenseWalksGiveThePicturesOfEverySegment) {
  for (int seed = 0; seed < 40; ++seed) {
    std::mt19937_64 rng(static_cast<unsigned>(seed));
    DrawChart chart;
    const int n = 6000;
    // A few hundred columns hold thousands of points; the y steps run from far below a pixel to
    // many pixels, so that runs are empty, short and long, and the walk leaves the area.
    const double sy = std::pow(10.0, seed % 4 - 2);
    chart.SetRange(1, 0.0L, -3.0L, n / 2.0L, 3.0L);
    Walk(chart, rng, n, 0, 1, 0, sy);
    const TBitmap b = ExpectSamePicture(chart, "seed " + std::to_string(seed));
    EXPECT_GT(InkedPixels(b), 100) << seed;
  }
}

TEST(LineRuns, SparseAndClippedWalks) {
  for (int seed = 0; seed < 30; ++seed) {
    std::mt19937_64 rng(static_cast<unsigned>(100 + seed));
    DrawChart chart;
    // Ranges inside the data: the walk crosses every edge of the area, some steps land tens of
    // thousands of pixels out (clamped), a few are not finite.
    chart.SetRange(1, 40.0L, -4.0L, 60.0L, 4.0L);
    std::normal_distribution<double> step(0, seed % 2 ? 0.5 : 5);
    double x = 0, y = 0;
    chart.MoveTo(x, y);
    for (int i = 0; i < 3000; ++i) {
      x += std::fabs(step(rng)) * 0.1;
      y += step(rng);
      if (i % 500 == 250) y = 1e7 * (seed % 3 - 1);
      if (i % 700 == 350) y = std::nan("");
      chart.DrawTo(x, y);
    }
    ExpectSamePicture(chart, "seed " + std::to_string(seed));
  }
}

TEST(LineRuns, ReversedAndLogarithmicAxes) {
  for (int seed = 0; seed < 24; ++seed) {
    std::mt19937_64 rng(static_cast<unsigned>(200 + seed));
    DrawChart chart;
    const bool log_y = seed % 2 == 0;
    const bool reversed = seed % 3 != 0;
    if (log_y) {
      chart.SetRange(1, reversed ? 2000.0L : 0.0L, reversed ? 50.0L : 0.5L,
                     reversed ? 0.0L : 2000.0L, reversed ? 0.5L : 50.0L);
      chart.ScalePropsY(1).SetLogarithmic(true);
    } else {
      chart.SetRange(1, reversed ? 2000.0L : 0.0L, reversed ? 5.0L : -5.0L,
                     reversed ? 0.0L : 2000.0L, reversed ? -5.0L : 5.0L);
    }
    std::normal_distribution<double> step(0, 0.05);
    double y = 0;
    chart.MoveTo(0.0, log_y ? 5.0 : 0.0);
    for (int i = 1; i < 4000; ++i) {
      y += step(rng);
      chart.DrawTo(i * 0.5, log_y ? 5 * std::exp(y) : y);
    }
    ExpectSamePicture(chart, "seed " + std::to_string(seed));
  }
}

// Runs end at every change the ordinary path flushes for, and skip what it skips.
TEST(LineRuns, BreaksAndHiddenItems) {
  for (int seed = 0; seed < 20; ++seed) {
    std::mt19937_64 rng(static_cast<unsigned>(300 + seed));
    DrawChart chart;
    chart.SetRange(2, 0.0L, -2.0L, 1000.0L, 2.0L);
    chart.SetRange(1, 0.0L, -3.0L, 1500.0L, 3.0L);
    chart.SetClassVisible(3, false);
    std::normal_distribution<double> step(0, 0.1);
    std::uniform_int_distribution<int> what(0, 99);
    double y = 0;
    chart.MoveTo(0.0, 0.0);
    for (int i = 1; i < 5000; ++i) {
      y += step(rng);
      const int w = what(rng);
      if (w < 2) chart.SetDataColor(w == 0 ? clRed : clNavy);
      if (w == 2) chart.SetClassDefault(3);  // hidden from here
      if (w == 3) chart.SetClassDefault(0);
      if (w == 4) chart.SetActiveLayer(chart.ActiveLayer() == 1 ? 2 : 1);
      if (w == 5) chart.SetPenStyle(psDot);
      if (w == 6) chart.SetPenStyle(psSolid);
      if (w == 7) chart.SetLineWidth(2);
      if (w == 8) chart.SetLineWidth(1);
      if (w == 9) chart.SetFillColor(clYellow);
      if (w == 10) chart.MoveTo(i * 0.3, y);
      if (w == 11) chart.MarkAt(i * 0.3, y, 2);
      if (w == 12) chart.DrawTo(static_cast<int>(i % 200), static_cast<int>(i % 150));
      chart.DrawTo(i * 0.3, y);
    }
    ExpectSamePicture(chart, "seed " + std::to_string(seed));
  }
}

TEST(LineRuns, PensTheCollapseDoesNotTake) {
  std::mt19937_64 rng(400);
  DrawChart chart;
  chart.SetRange(1, 0.0L, -2.0L, 1000.0L, 2.0L);
  Walk(chart, rng, 8000, 0, 1, 0, 0.05);
  // XOR draws pixels that several segments cover differently from copy.
  ExpectSamePicture(chart, "xor pen", [](TCanvas& c) { c.Pen().SetMode(pmXor); });
  chart.SetPenStyle(psDash);
  Walk(chart, rng, 8000, 0, 1, 0, 0.05);
  chart.SetPenStyle(psSolid);
  chart.SetLineWidth(3);
  Walk(chart, rng, 8000, 0, 1, 0, 0.05);
  ExpectSamePicture(chart, "dashed and wide pens");
}

TEST(LineRuns, BlackAndWhiteOutput) {
  std::mt19937_64 rng(500);
  DrawChart chart;
  chart.SetRange(1, 0.0L, -2.0L, 1000.0L, 2.0L);
  for (int k = 0; k < 6; ++k) {
    chart.SetDataColor(k % 2 ? clRed : clGreen);
    Walk(chart, rng, 1000, k * 150.0, 0.1, 0, 0.05);
  }
  chart.OnBeforeRenderChartItem = nullptr;
  TBitmap fast(DrawChart::kW, DrawChart::kH);
  chart.PrepareRenderState(fast.Canvas(), 0, 0);
  chart.RenderContainers(fast.Canvas(), 0, 0, true, 0);
  chart.OnBeforeRenderChartItem = [](TObject*, TrcChartItem&, int, bool) {};
  TBitmap slow(DrawChart::kW, DrawChart::kH);
  chart.PrepareRenderState(slow.Canvas(), 0, 0);
  chart.RenderContainers(slow.Canvas(), 0, 0, true, 0);
  EXPECT_EQ(std::memcmp(fast.Bits(), slow.Bits(), sizeof(TPixel) * DrawChart::kW * DrawChart::kH),
            0);
}

// Runs of hundreds of thousands of steps, and breaks of colour and width inside them.
TEST(LineRuns, LongRunsKeepThePicture) {
  std::mt19937_64 rng(600);
  DrawChart chart;
  const int n = 3 * (1 << 16) + 12345;
  chart.SetRange(1, 0.0L, -40.0L, static_cast<long double>(n), 40.0L);
  Walk(chart, rng, n, 0, 1, 0, 0.3);
  ExpectSamePicture(chart, "long run");
  // A change of colour far into a long run ends the run there.
  chart.SetDataColor(clRed);
  Walk(chart, rng, 1 << 17, 0, 1, 0, 0.3);
  chart.SetDataColor(clBlue);
  Walk(chart, rng, 1 << 16, 0, 2, 0, 0.3);
  ExpectSamePicture(chart, "long runs with breaks");
}

// Dense data reaches the canvas as a few polylines of the columns' short paths.
TEST(LineRuns, DenseDataCollapses) {
  std::mt19937_64 rng(700);
  DrawChart chart;
  chart.SetRange(1, 0.0L, -2.0L, 20000.0L, 2.0L);
  Walk(chart, rng, 20000, 0, 1, 0, 0.01);
  TBitmap b(DrawChart::kW, DrawChart::kH);
  const std::uint64_t before = b.Canvas().ChangeCount();
  chart.RenderItems(b.Canvas());
  // 20000 steps in 200 columns: at most four points a column, polylines of 200 points.
  EXPECT_LT(b.Canvas().ChangeCount() - before, 20u);
}

TEST(MarkRuns, RandomMarksGiveThePicturesOfEveryMark) {
  for (int seed = 0; seed < 24; ++seed) {
    std::mt19937_64 rng(static_cast<unsigned>(800 + seed));
    DrawChart chart;
    chart.SetRange(1, 10.0L, 10.0L, 190.0L, 140.0L);
    chart.SetAvoidDuplicateMarks(seed % 3 == 0);
    chart.SetClassVisible(5, false);
    std::uniform_real_distribution<double> x(0, 200), y(0, 150);
    std::uniform_int_distribution<int> what(0, 199);
    int mark = seed % 52;
    for (int i = 0; i < 4000; ++i) {
      const int w = what(rng);
      if (w < 3) chart.SetDataColor(w == 0 ? clRed : (w == 1 ? clNavy : clLime));
      if (w == 3) mark = static_cast<int>(rng() % 60);
      if (w == 4) chart.SetClassDefault(5);
      if (w == 5) chart.SetClassDefault(0);
      if (w == 6) chart.SetFillColor(clYellow);
      if (w == 7) chart.SetLineWidth(seed % 2 ? 2 : 1);
      if (w == 8) chart.SetPenStyle(seed % 2 ? psClear : psSolid);
      if (w == 9) chart.DrawTo(x(rng), y(rng));
      if (w == 10) chart.MarkAt(static_cast<int>(x(rng)), static_cast<int>(y(rng)), 3);
      chart.MarkAt(x(rng), y(rng), static_cast<std::uint8_t>(mark));
    }
    const TBitmap b = ExpectSamePicture(chart, "seed " + std::to_string(seed));
    EXPECT_GT(InkedPixels(b), 100) << seed;
  }
}

// The double mapping of the item drawing gives R2M's pixels, also for values that land within
// a hair of a half pixel.
TEST(AxisMapping, GivesThePixelsOfR2M) {
  DrawChart chart;
  std::mt19937_64 rng(900);
  for (int round = 0; round < 20; ++round) {
    std::uniform_real_distribution<double> lo(-1e6, 1e6), width(1e-3, 1e5);
    const double a = lo(rng), w = width(rng);
    chart.SetRange(1, a, a, a + w, a + w);
    double kx, dx, ky, dy;
    chart.GetTransformParams(1, kx, dx, ky, dy);
    const itemdraw::AxisMap map(kx, dx, true);
    std::uniform_int_distribution<int> pixel(-50, 250);
    std::uniform_int_distribution<int> ulps(-8, 8);
    for (int i = 0; i < 2000; ++i) {
      // A value that maps to about a half pixel, moved by a few units in the last place.
      double v = (pixel(rng) + 0.5 - dx) / kx;
      for (int u = ulps(rng); u != 0; u += u > 0 ? -1 : 1)
        v = std::nextafter(v, u > 0 ? INFINITY : -INFINITY);
      int expect, unused, got;
      chart.R2M(1, v, 0, expect, unused);
      if (map.Pixel(v, got)) {
        ASSERT_EQ(got, expect) << "value " << v;
      }
    }
  }
}

}  // namespace
}  // namespace kiv
