// The chart under extreme settings: margins and sizes near the int range, ranges that are not
// finite, positions far outside the range, a logarithmic switch the chart cannot map, and the
// memory of duplicate-mark suppression on huge charts.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <random>
#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "platform/bitmap.h"
#include "platform/metafile.h"
#include "rchart/errors.h"
#include "rchart/rchart.h"

namespace kiv {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Chart : TCustomRChart {
  Chart() : TCustomRChart(nullptr) {}
  const TMarkOccupancy& MarkMap() const { return FMarkMap; }
  TPoint Pixel(int layer, double x, double y) const {
    int px, py;
    R2M(layer, x, y, px, py);
    return TPoint(px, py);
  }
};

bool SameBitmaps(const TBitmap& a, const TBitmap& b) {
  return a.Width() == b.Width() && a.Height() == b.Height() &&
         std::memcmp(a.Bits(), b.Bits(),
                     static_cast<std::size_t>(a.Width()) * a.Height() * sizeof(TPixel)) == 0;
}

TBitmap Picture(TCustomRChart& c) {
  TBitmap b;
  c.CopyToBitmap(b, false);
  return b;
}

// --- Margins and sizes

TEST(ChartExtremes, MarginsAreBoundedAndTheControlHoldsThem) {
  struct Case {
    int set, kept;
  };
  const Case cases[] = {{40, 40},       {-5, -5},         {10000, 10000},   {-1000, -1000},
                        {10001, 10000}, {-100000, -1000}, {INT_MAX, 10000}, {INT_MIN, -1000}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.set);
    Chart c;
    c.SetBounds(0, 0, 400, 300);
    c.SetMarginLeft(k.set);
    c.SetMarginTop(k.set);
    c.SetMarginRight(k.set);
    c.SetMarginBottom(k.set);
    EXPECT_EQ(c.MarginLeft(), k.kept);
    EXPECT_EQ(c.MarginTop(), k.kept);
    EXPECT_EQ(c.MarginRight(), k.kept);
    EXPECT_EQ(c.MarginBottom(), k.kept);
    // Setting the size again makes room for the margins (80 x 20 pixels of data area at least).
    c.SetBounds(0, 0, 400, 300);
    const int sh = c.ShadowWidth();
    EXPECT_EQ(c.Width(), std::max(400, 2 * k.kept + sh + 80));
    EXPECT_EQ(c.Height(), std::max(300, 2 * k.kept + sh + 20));
    const TSize s = c.DataBitmapSize();
    EXPECT_EQ(s.cx, c.Width() - 2 * k.kept - sh + 1);
    EXPECT_EQ(s.cy, c.Height() - 2 * k.kept - sh + 1);
  }
}

TEST(ChartExtremes, AHugeNegativeMarginReachesOnlyTheBoundPastTheEdge) {
  Chart c;
  c.SetBounds(0, 0, 400, 300);
  c.SetMarginLeft(-100000);
  const TSize s = c.DataBitmapSize();
  EXPECT_EQ(c.MarginLeft(), Chart::kMinMargin);
  EXPECT_EQ(s.cx, 400 + 1000 - c.MarginRight() - c.ShadowWidth() + 1);
  EXPECT_EQ(s.cy, 300 - c.MarginTop() - c.MarginBottom() - c.ShadowWidth() + 1);
  // The data area still maps the range onto itself.
  c.SetRange(1, 0, 0, 10, 10);
  EXPECT_EQ(c.Pixel(1, 0, 0).X, -1000);
  EXPECT_EQ(c.Pixel(1, 10, 0).X, 400 - c.MarginRight() - c.ShadowWidth());
}

TEST(ChartExtremes, SizesAreBoundedSoTheGeometryFitsAnInt) {
  Chart c;
  c.SetStandardLayout(rcl_X2Bottom_Y2Left);
  c.SetBounds(0, 0, 384, INT_MAX);
  EXPECT_EQ(c.Width(), 384);
  EXPECT_EQ(c.Height(), Chart::kMaxSide);
  const TRect a = c.DataArea();
  EXPECT_EQ(a.Bottom, Chart::kMaxSide - c.MarginBottom() - c.ShadowWidth() + 1);
  c.ScalePropsX(2).SetScalePos(INT_MAX);
  c.ScalePropsY(2).SetScalePos(INT_MIN);
  c.SetRange(0, 0, 0, 1, 1);
  c.MarkAt(0.5, 0.5, 3);
  EXPECT_NE(c.ToSvg(false).find("</svg>"), std::string::npos);
}

// --- Duplicate-mark suppression

// Claims of random squares, read back cell by cell against a plain array of the same size.
TEST(MarkOccupancy, AgreesWithAPlainArray) {
  std::mt19937 rng(7);
  for (const auto& [w, h] : {std::pair{37LL, 23LL}, std::pair{100LL, 70LL}, std::pair{16LL, 1LL}}) {
    TMarkOccupancy map;
    map.Reset(w, h);
    std::vector<std::int32_t> plain(static_cast<std::size_t>(w * h), TMarkOccupancy::kEmpty);
    for (int k = 0; k < 300; ++k) {
      const long long x0 = static_cast<long long>(rng() % (w + 20)) - 10;
      const long long y0 = static_cast<long long>(rng() % (h + 20)) - 10;
      const long long x1 = x0 + rng() % 7, y1 = y0 + rng() % 7;
      const auto v = static_cast<std::int32_t>(rng() % 5);
      map.Claim(x0, y0, x1, y1, v);
      for (long long y = std::max(y0, 0LL); y <= std::min(y1, h - 1); ++y)
        for (long long x = std::max(x0, 0LL); x <= std::min(x1, w - 1); ++x)
          plain[static_cast<std::size_t>(y * w + x)] = v;
    }
    for (long long y = -2; y < h + 2; ++y)
      for (long long x = -2; x < w + 2; ++x) {
        const bool inside = x >= 0 && x < w && y >= 0 && y < h;
        ASSERT_EQ(map.At(x, y),
                  inside ? plain[static_cast<std::size_t>(y * w + x)] : TMarkOccupancy::kEmpty)
            << x << ", " << y;
      }
  }
}

// Marks on one pixel and within MinDupMarkDist of it are drawn once per type; a huge chart keeps
// the map's memory to the tiles the marks touched.
TEST(ChartExtremes, DuplicateMarksAreDroppedWithMemoryFollowingTheMarks) {
  const auto build = [](Chart& c, bool twice) {
    c.SetBounds(0, 0, 300, 200);
    c.SetRange(1, 0, 0, 10, 10);
    for (int pass = 0; pass < (twice ? 2 : 1); ++pass) {
      c.MarkAt(2.0, 2.0, 3);
      c.MarkAt(7.0, 5.0, 4);
    }
    c.MarkAt(2.04, 2.04, 3);  // one pixel right of and above the first mark
  };
  Chart once, twice;
  build(once, false);
  build(twice, true);
  twice.SetAvoidDuplicateMarks(true);
  once.SetAvoidDuplicateMarks(true);
  const TBitmap want = Picture(once);
  EXPECT_TRUE(SameBitmaps(Picture(twice), want));
  once.SetAvoidDuplicateMarks(false);
  EXPECT_FALSE(SameBitmaps(Picture(once), want));  // the near mark shows without suppression

  for (const auto& [w, h] : {std::pair{30000, 30000}, std::pair{690, INT_MAX}}) {
    Chart big;
    big.SetBounds(0, 0, w, h);
    big.SetRange(1, 0, 0, 10, 10);
    big.MarkAt(2.0, 2.0, 3);
    big.MarkAt(2.0, 2.0, 3);
    big.MarkAt(8.0, 9.0, 5);
    big.SetAvoidDuplicateMarks(true);
    const std::string svg = big.ToSvg(false);
    EXPECT_NE(svg.find("</svg>"), std::string::npos);
    EXPECT_LE(big.MarkMap().TileCount(), 8u);
  }
}

// --- Text labels far outside the range

TEST(ChartExtremes, FarLabelsAreClampedAndTheOutputsAgree) {
  for (const double x : {1e9, 1e300, -1e300, kInf}) {
    SCOPED_TRACE(x);
    Chart c;
    c.SetBounds(0, 0, 200, 150);
    c.SetRange(1, 0, 0, 10, 10);
    c.AddTextLabel(x, 5, clRed, "far");
    c.AddTextLabel(5, 5, clBlue, "near");
    for (int ix = 1; ix <= 2; ++ix) c.TextLabels(ix).SetMode(tlmShadowed);
    TMetafile mf;
    c.CopyToMetafile(mf, false);
    TBitmap replay(c.Width(), c.Height());
    mf.Replay(replay.Canvas(), 0, 0);
    EXPECT_TRUE(SameBitmaps(replay, Picture(c)));
    const std::string svg = c.ToSvg(false);
    // Every coordinate the SVG holds (single values and point lists) stays near the clamp.
    static const std::regex attr(
        R"re(\b(?:x|y|x1|y1|x2|y2|width|height|cx|cy|rx|ry|points)="([^"]*)")re");
    static const std::regex number(R"(-?[0-9]+(\.[0-9]+)?(e[-+]?[0-9]+)?)");
    int seen = 0;
    for (auto a = std::sregex_iterator(svg.begin(), svg.end(), attr); a != std::sregex_iterator();
         ++a) {
      const std::string v = (*a)[1].str();
      for (auto n = std::sregex_iterator(v.begin(), v.end(), number); n != std::sregex_iterator();
           ++n, ++seen)
        ASSERT_LE(std::fabs(std::stod(n->str())), 40000.0) << a->str();
    }
    EXPECT_GT(seen, 0);
  }
}

// --- Ranges that are not finite

// Each bad x range is refused by SetRange and ForceRange, the axis keeping 0..10, while a valid
// y range in the same call is taken. The property objects take the ends one at a time (low
// first): an end that is not finite or would make the span overflow is refused, a finite one is
// taken by the usual rules (props_lo, props_hi).
TEST(ChartExtremes, RangesThatAreNotFiniteAreRefusedEverywhere) {
  struct Case {
    double lo, hi, props_lo, props_hi;
  };
  const Case bad[] = {{-1e308, 1e308, -1e308, 10},
                      {-kInf, kInf, 0, 10},
                      {0, kInf, 0, 10},
                      {-kInf, 0, -1e-10, 0},
                      {kNaN, 5, 0, 5},
                      {5, kNaN, 5, 10},
                      {kNaN, kNaN, 0, 10},
                      {1.7e308, -1.7e308, 1.7e308, 10}};
  enum Entry { kSetRange, kForceRange, kProps };
  for (const Entry e : {kSetRange, kForceRange, kProps}) {
    for (const Case& k : bad) {
      SCOPED_TRACE(::testing::Message() << "entry " << e << ": " << k.lo << " .. " << k.hi);
      Chart c;
      c.SetRange(0, 0, 0, 10, 10);
      double kx, dx, ky, dy;
      c.GetTransformParams(1, kx, dx, ky, dy);
      switch (e) {
        case kSetRange:
          c.SetRange(1, k.lo, -4, k.hi, 4);
          break;
        case kForceRange:
          c.ForceRange(1, k.lo, -4, k.hi, 4, true, false);
          break;
        case kProps:
          c.ScalePropsX(1).SetRangeLow(k.lo);
          c.ScalePropsX(1).SetRangeHigh(k.hi);
          c.ScalePropsY(1).SetRangeLow(-4);
          c.ScalePropsY(1).SetRangeHigh(4);
          break;
      }
      const double lo = c.ScalePropsX(1).RangeLow(), hi = c.ScalePropsX(1).RangeHigh();
      EXPECT_EQ(lo, e == kProps ? k.props_lo : 0);
      EXPECT_EQ(hi, e == kProps ? k.props_hi : 10);
      EXPECT_EQ(c.ScalePropsY(1).RangeLow(), -4);
      EXPECT_EQ(c.ScalePropsY(1).RangeHigh(), 4);
      double kx2, dx2, ky2, dy2;
      c.GetTransformParams(1, kx2, dx2, ky2, dy2);
      if (lo == 0 && hi == 10) {
        EXPECT_EQ(kx2, kx);
        EXPECT_EQ(dx2, dx);
      }
      EXPECT_TRUE(std::isfinite(kx2) && std::isfinite(dx2) && kx2 != 0);
    }
  }
}

TEST(ChartExtremes, MinimumRangesThatAreNotFiniteAreIgnored) {
  for (const double m : {kInf, kNaN, 1.7e308}) {
    SCOPED_TRACE(m);
    Chart c;
    c.SetRange(1, 1e308, 0, 1.5e308, 10);
    c.ScalePropsX(1).SetMinRange(m);
    EXPECT_TRUE(
        TScaleProps::IsValidRange(c.ScalePropsX(1).RangeLow(), c.ScalePropsX(1).RangeHigh()));
    EXPECT_TRUE(std::isfinite(c.ScalePropsX(1).MinRange()));
  }
}

// --- A logarithmic switch the chart cannot map

TEST(ChartExtremes, ARefusedLogarithmicSwitchLeavesTheChartAsItWas) {
  Chart c;
  c.SetBounds(0, 0, 240, 180);
  c.SetRange(1, -10, -10, 10, 10);
  for (TScaleProps* p : std::initializer_list<TScaleProps*>{&c.Scale1X(), &c.Scale1Y()})
    p->SetVisible(true);
  c.MoveTo(-8.0, -8.0);
  c.DrawTo(8.0, 6.0);
  c.MarkAt(3.0, -2.0, 2);
  const TBitmap before = Picture(c);
  for (const bool xaxis : {true, false}) {
    TScaleProps& p = xaxis ? static_cast<TScaleProps&>(c.Scale1X()) : c.Scale1Y();
    try {
      p.SetLogarithmic(true);
      ADD_FAILURE() << "the switch was taken";
    } catch (const EKIVRChartError& e) {
      EXPECT_STREQ(e.what(), "Logarithmic axis must not be negative.");
    }
    EXPECT_FALSE(p.Logarithmic());
    EXPECT_FALSE((xaxis ? c.ScaleX(1) : c.ScaleY(1)).Logarithmic());
    EXPECT_TRUE(SameBitmaps(Picture(c), before));
  }
  // Without room for the data area the switch is refused all the same.
  Chart crowded;
  crowded.SetRange(1, -10, -10, 10, 10);
  crowded.SetMarginBottom(400);
  EXPECT_THROW(crowded.ScalePropsY(1).SetLogarithmic(true), EKIVRChartError);
  EXPECT_FALSE(crowded.ScalePropsY(1).Logarithmic());
  crowded.SetBounds(0, 0, 300, 600);
  double kx, dx, ky, dy;
  crowded.GetTransformParams(1, kx, dx, ky, dy);
  const double room = 600.0 - crowded.MarginTop() - 400 - crowded.ShadowWidth();
  EXPECT_DOUBLE_EQ(ky, -room / 20);  // linear over -10..10
  // A fresh axis (0..1) still refuses the switch before its positive range, and takes it after.
  Chart fresh;
  EXPECT_THROW(fresh.ScalePropsX(1).SetLogarithmic(true), EKIVRChartError);
  EXPECT_FALSE(fresh.ScalePropsX(1).Logarithmic());
  fresh.SetRange(1, 1, 1, 100, 10);
  fresh.ScalePropsX(1).SetLogarithmic(true);
  EXPECT_TRUE(fresh.ScalePropsX(1).Logarithmic());
}

}  // namespace
}  // namespace kiv
