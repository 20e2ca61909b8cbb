// Gaps for missing values: with the option a line breaks at a non-finite point, which gives the
// picture of the separate lines drawn without it, through the large-data paths and item by item
// alike; without it the documented clamping stays.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "same_picture.h"

namespace kiv {
namespace {

using testing::At;
using testing::DrawChart;
using testing::ExpectSamePicture;

const double kNaN = std::nan("");

void ExpectSameBitmap(const TBitmap& a, const TBitmap& b, const std::string& what) {
  ASSERT_EQ(a.Width(), b.Width());
  ASSERT_EQ(a.Height(), b.Height());
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (At(a, x, y) != At(b, x, y)) {
        ADD_FAILURE() << what << ": first difference at (" << x << ", " << y << "): " << std::hex
                      << At(a, x, y) << " instead of " << At(b, x, y);
        return;
      }
}

// A walk with missing values, and the same walk as separate lines: every missing point left
// out and the next finite point made a move.
struct Walk {
  std::vector<double> x, y;
  void DrawWithGaps(TCustomRChart& c) const {
    c.MoveTo(x[0], y[0]);
    for (std::size_t i = 1; i < x.size(); ++i) c.DrawTo(x[i], y[i]);
  }
  void DrawAsSeparateLines(TCustomRChart& c) const {
    bool lifted = true;
    for (std::size_t i = 0; i < x.size(); ++i) {
      if (!std::isfinite(x[i]) || !std::isfinite(y[i])) {
        lifted = true;
        continue;
      }
      if (lifted)
        c.MoveTo(x[i], y[i]);
      else
        c.DrawTo(x[i], y[i]);
      lifted = false;
    }
  }
};

Walk RandomWalk(std::mt19937_64& rng, int n, double dx, double sy, int gap_every) {
  std::normal_distribution<double> step(0, sy);
  std::uniform_int_distribution<int> pick(0, gap_every - 1), what(0, 5);
  Walk w;
  double x = 0, y = 75;
  for (int i = 0; i < n; ++i) {
    x += dx;
    y = std::clamp(y + step(rng), -20.0, 170.0);
    double px = x, py = y;
    // Missing values of every sort, single and in a row, the first and last point included.
    if (i == 0 || i == n - 1 || pick(rng) == 0) {
      const double bad[] = {kNaN, INFINITY, -INFINITY};
      if (what(rng) % 2 == 0)
        py = bad[what(rng) % 3];
      else
        px = bad[what(rng) % 3];
    }
    w.x.push_back(px);
    w.y.push_back(py);
  }
  return w;
}

TEST(MissingValueGaps, LinesBreakAtMissingValuesOnEveryPath) {
  for (int seed = 0; seed < 24; ++seed) {
    std::mt19937_64 rng(static_cast<unsigned>(seed));
    // Dense walks (thousands of points over the columns, so the column collapse runs) and
    // sparse ones; one- and three-pixel pens, solid and dashed.
    const bool dense = seed % 2 == 0;
    const Walk w = dense ? RandomWalk(rng, 5000, 0.04, 0.7, 40) : RandomWalk(rng, 300, 0.7, 6, 8);
    const auto setup = [&](DrawChart& c) {
      c.SetDataColor(seed % 3 == 0 ? clNavy : clRed);
      c.SetLineWidth(seed % 4 == 1 ? 3 : 1);
      c.SetPenStyle(seed % 5 == 2 ? psDash : psSolid);
    };
    DrawChart gaps, separate;
    setup(gaps);
    setup(separate);
    gaps.SetMissingValueGaps(true);
    w.DrawWithGaps(gaps);
    w.DrawAsSeparateLines(separate);
    const std::string what = "seed " + std::to_string(seed);
    const TBitmap picture = ExpectSamePicture(gaps, what);
    ExpectSameBitmap(picture, separate.Render(), what);
  }
}

TEST(MissingValueGaps, EveryKindOfStepAndItem) {
  const struct Case {
    const char* name;
    std::function<void(TCustomRChart&)> with_gap, expected;
  } cases[] = {
      {"a colour change at the gap",
       [](TCustomRChart& c) {
         c.MoveTo(10.0, 10.0);
         c.DrawTo(60.0, 40.0);
         c.SetDataColor(clRed);
         c.DrawTo(kNaN, 20.0);
         c.DrawTo(100.0, 30.0);
         c.DrawTo(150.0, 90.0);
       },
       [](TCustomRChart& c) {
         c.MoveTo(10.0, 10.0);
         c.DrawTo(60.0, 40.0);
         c.SetDataColor(clRed);
         c.MoveTo(100.0, 30.0);
         c.DrawTo(150.0, 90.0);
       }},
      {"a missing move keeps the pen lifted",
       [](TCustomRChart& c) {
         c.MoveTo(10.0, 10.0);
         c.DrawTo(50.0, 50.0);
         c.MoveTo(INFINITY, 5.0);
         c.DrawTo(90.0, 20.0);
         c.DrawTo(120.0, 60.0);
       },
       [](TCustomRChart& c) {
         c.MoveTo(10.0, 10.0);
         c.DrawTo(50.0, 50.0);
         c.MoveTo(90.0, 20.0);
         c.DrawTo(120.0, 60.0);
       }},
      {"relative steps after a gap move from where the pen stood",
       [](TCustomRChart& c) {
         c.MoveTo(10.0, 10.0);
         c.DrawTo(40.0, 10.0);
         c.DrawTo(kNaN, kNaN);
         c.DrawToRelPix(10.0, 20.0);
         c.DrawToRelPix(30.0, 0.0);
       },
       [](TCustomRChart& c) {
         c.MoveTo(10.0, 10.0);
         c.DrawTo(40.0, 10.0);
         c.MoveToRelPix(10.0, 20.0);
         c.DrawToRelPix(30.0, 0.0);
       }},
      {"other kinds with a missing value are not drawn",
       [](TCustomRChart& c) {
         c.Line(10.0, 10.0, kNaN, 100.0);
         c.Rectangle(20.0, 20.0, 80.0, -INFINITY);
         c.Arrow(5.0, 5.0, 100.0, kNaN, 8);
         c.Ellipse(100.0, 75.0, kNaN, 10.0);
         c.CursorVert(kNaN);
         c.CursorHoriz(40.0);
         c.Text(kNaN, 50.0, 10, "gap");
         c.MarkAt(kNaN, 30.0, 12);
         c.MarkAt(60.0, 30.0, 12);
       },
       [](TCustomRChart& c) {
         c.CursorHoriz(40.0);
         c.MarkAt(60.0, 30.0, 12);
       }},
  };
  for (const Case& k : cases) {
    DrawChart gaps, expected;
    gaps.SetMissingValueGaps(true);
    k.with_gap(gaps);
    k.expected(expected);
    const TBitmap picture = ExpectSamePicture(gaps, k.name);
    ExpectSameBitmap(picture, expected.Render(), k.name);
  }
}

TEST(MissingValueGaps, OffByDefaultMissingValuesAreClampedAsAlways) {
  DrawChart chart;
  EXPECT_FALSE(chart.MissingValueGaps());
  chart.MoveTo(10.0, 10.0);
  chart.DrawTo(kNaN, 40.0);
  // NaN maps to the far end of the int range, clamped: the spike runs out to the right.
  const TBitmap spike = chart.Render();
  EXPECT_EQ(At(spike, 150, 10), clBlack);
  chart.SetMissingValueGaps(true);
  EXPECT_EQ(testing::CountInk(chart.Render()), 0);
}

}  // namespace
}  // namespace kiv
