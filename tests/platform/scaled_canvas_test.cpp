// The scaled canvas against the picture at its own size: fills, pixels, bitmaps and axis-parallel
// lines become exactly the blocks of their pixels at every scale; slanted lines, ellipses and
// arcs keep their boxes; texts are drawn afresh at the larger size. And the box filter's exact
// means.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>

#include "pixel_util.h"
#include "platform/box_filter.h"
#include "platform/scaled_canvas.h"

namespace kiv {
namespace {

using testing::InkBounds;
using testing::SamePixels;
using testing::WhiteBitmap;

constexpr int kW = 48, kH = 36;

// Every pixel of the picture as a block of s x s pixels.
TBitmap Magnified(const TBitmap& b, int s) {
  TBitmap out(b.Width() * s, b.Height() * s);
  for (int y = 0; y < out.Height(); ++y)
    for (int x = 0; x < out.Width(); ++x) out.ScanLine(y)[x] = b.ScanLine(y / s)[x / s];
  return out;
}

// The picture drawn at its own size and on a scaled canvas.
struct Pair {
  TBitmap small, large;
};
Pair DrawBoth(int s, const std::function<void(TCanvas&)>& draw) {
  Pair p{WhiteBitmap(kW, kH), WhiteBitmap(kW * s, kH * s)};
  draw(p.small.Canvas());
  TScaledCanvas scaled(p.large, s);
  draw(scaled);
  return p;
}

void Pen(TCanvas& c, TColor col, int width, TPenStyle style = psSolid) {
  c.Pen().SetColor(col);
  c.Pen().SetWidth(width);
  c.Pen().SetStyle(style);
}

TEST(ScaledCanvas, AxisParallelFiguresBecomeTheBlocksOfTheirPixels) {
  const struct Case {
    const char* name;
    std::function<void(TCanvas&)> draw;
  } cases[] = {
      {"rectangles with pens of widths 1 to 3 and inside the frame",
       [](TCanvas& c) {
         c.Brush().SetColor(clYellow);
         Pen(c, clNavy, 1);
         c.Rectangle(2, 2, 12, 9);
         Pen(c, clRed, 2);
         c.Rectangle(16, 3, 26, 12);
         Pen(c, clGreen, 3);
         c.Rectangle(30, 4, 44, 16);
         Pen(c, clBlue, 3, psInsideFrame);
         c.Rectangle(3, 18, 15, 30);
       }},
      {"clear pen, clear brush, fills and frames",
       [](TCanvas& c) {
         c.Brush().SetColor(clAqua);
         Pen(c, clBlack, 1, psClear);
         c.Rectangle(2, 2, 12, 9);
         Pen(c, clMaroon, 1);
         c.Brush().SetStyle(bsClear);
         c.Rectangle(14, 2, 30, 20);
         c.Brush().SetStyle(bsSolid);
         c.Brush().SetColor(clLime);
         c.FillRect(TRect(33, 5, 40, 33));
         c.Brush().SetColor(clPurple);
         c.FrameRect(TRect(5, 22, 25, 34));
       }},
      {"one-pixel lines and polylines leave out their last point",
       [](TCanvas& c) {
         Pen(c, clRed, 1);
         c.MoveTo(2, 3);
         c.LineTo(40, 3);
         c.LineTo(40, 30);
         c.MoveTo(5, 20);
         c.LineTo(5, 21);  // a single pixel
         const TPoint path[] = {TPoint(10, 10), TPoint(30, 10), TPoint(30, 25), TPoint(12, 25)};
         Pen(c, clBlue, 1);
         c.Polyline(path);
       }},
      {"wide lines cover both ends",
       [](TCanvas& c) {
         Pen(c, clGreen, 3);
         c.MoveTo(4, 4);
         c.LineTo(40, 4);
         const TPoint path[] = {TPoint(6, 12), TPoint(6, 30), TPoint(30, 30)};
         Pen(c, clNavy, 2);
         c.Polyline(path);
       }},
      {"dash patterns keep their lengths in the picture's pixels",
       [](TCanvas& c) {
         c.Brush().SetStyle(bsClear);
         Pen(c, clBlack, 1, psDash);
         c.MoveTo(1, 2);
         c.LineTo(46, 2);
         c.LineTo(46, 30);  // the pattern goes on round the corner
         Pen(c, clRed, 1, psDot);
         c.MoveTo(3, 10);
         c.LineTo(40, 10);
         Pen(c, clBlue, 1, psDashDotDot);
         c.Brush().SetStyle(bsSolid);
         c.Brush().SetColor(clYellow);  // gaps in the brush colour
         c.MoveTo(3, 20);
         c.LineTo(44, 20);
       }},
      {"pixels, clipping and exclusive-or",
       [](TCanvas& c) {
         for (int i = 0; i < 20; ++i) c.SetPixels(2 + 2 * i, 5 + i % 7, RGB(10 * i, 200, 50));
         c.SetClipRect(TRect(10, 12, 30, 30));
         c.Brush().SetColor(clTeal);
         c.FillRect(TRect(0, 0, kW, kH));
         c.ResetClipRect();
         Pen(c, clWhite, 1);
         c.Pen().SetMode(pmXor);
         c.MoveTo(0, 20);
         c.LineTo(kW, 20);
       }},
      {"rectangular polygons and bitmaps",
       [](TCanvas& c) {
         const TPoint box[] = {TPoint(3, 3), TPoint(20, 3), TPoint(20, 15), TPoint(3, 15)};
         c.Brush().SetColor(clFuchsia);
         Pen(c, clBlack, 1, psClear);
         c.Polygon(box);
         TBitmap img(4, 3);
         for (int y = 0; y < 3; ++y)
           for (int x = 0; x < 4; ++x) img.Canvas().SetPixels(x, y, RGB(60 * x, 80 * y, 200));
         c.StretchDraw(TRect(24, 18, 44, 33), img);
         c.Draw(2, 20, img);
       }},
  };
  for (const Case& k : cases) {
    for (int s : {2, 3, 4}) {
      const Pair p = DrawBoth(s, k.draw);
      EXPECT_TRUE(SamePixels(Magnified(p.small, s), p.large)) << k.name << ", scale " << s;
    }
  }
}

TEST(ScaledCanvas, SlantedLinesEllipsesAndArcsKeepTheirBoxes) {
  const struct Case {
    const char* name;
    std::function<void(TCanvas&)> draw;
  } cases[] = {
      {"slanted line",
       [](TCanvas& c) {
         Pen(c, clBlack, 1);
         c.MoveTo(3, 4);
         c.LineTo(41, 29);
       }},
      {"wide slanted polyline",
       [](TCanvas& c) {
         const TPoint path[] = {TPoint(5, 30), TPoint(20, 6), TPoint(40, 26)};
         Pen(c, clBlack, 3);
         c.Polyline(path);
       }},
      {"ellipse",
       [](TCanvas& c) {
         Pen(c, clBlack, 1);
         c.Brush().SetColor(clYellow);
         c.Ellipse(4, 3, 43, 31);
       }},
      {"wide ellipse",
       [](TCanvas& c) {
         Pen(c, clBlack, 2);
         c.Brush().SetStyle(bsClear);
         c.Ellipse(6, 5, 40, 30);
       }},
      {"triangle",
       [](TCanvas& c) {
         const TPoint tri[] = {TPoint(4, 30), TPoint(24, 3), TPoint(44, 30)};
         Pen(c, clBlack, 1);
         c.Brush().SetColor(clSilver);
         c.Polygon(tri);
       }},
  };
  for (const Case& k : cases) {
    for (int s : {2, 3}) {
      const Pair p = DrawBoth(s, k.draw);
      EXPECT_EQ(InkBounds(p.large), InkBounds(Magnified(p.small, s))) << k.name << ", " << s;
    }
  }
  // An arc ends where its rays cut the outline, which the larger picture resolves within a
  // block: its ends may reach into the blocks next to the small picture's last pixels.
  for (int s : {2, 3}) {
    const Pair p = DrawBoth(s, [](TCanvas& c) {
      Pen(c, clBlack, 1);
      c.Arc(4, 4, 34, 34, 40, 12, 0, 12);  // the upper part, counter-clockwise
    });
    const TRect large = InkBounds(p.large), small = InkBounds(Magnified(p.small, s));
    EXPECT_EQ(large.Top, small.Top);
    EXPECT_NEAR(large.Left, small.Left, s - 1);
    EXPECT_NEAR(large.Right, small.Right, s - 1);
    EXPECT_NEAR(large.Bottom, small.Bottom, s - 1);
  }
}

TEST(ScaledCanvas, TextsAreDrawnAfreshAtTheLargerSize) {
  const auto draw = [](TCanvas& c) {
    c.Font().SetSize(10);
    c.Brush().SetStyle(bsClear);
    c.TextOut(4, 6, "Hxg 123");
  };
  const Pair p = DrawBoth(3, draw);
  const TRect small = InkBounds(p.small), large = InkBounds(p.large);
  ASSERT_FALSE(small.IsEmpty());
  // Three times as high and wide, give or take the hinting of a glyph; not a magnification
  // (which would hold only whole blocks).
  EXPECT_NEAR(large.Height(), 3 * small.Height(), 4);
  EXPECT_NEAR(large.Width(), 3 * small.Width(), 8);
  EXPECT_NEAR(large.Left, 3 * small.Left, 3);
  EXPECT_FALSE(SamePixels(Magnified(p.small, 3), p.large));
}

TEST(BoxFilter, ExactMeansOfWholeAndPartialBlocks) {
  TBitmap b(5, 3);
  // Block (0, 0) of factor 2: red 0, 255, 255, 1 -> (511 + 2) / 4 = 128 (rounded half up).
  b.Canvas().SetPixels(0, 0, RGB(0, 10, 0));
  b.Canvas().SetPixels(1, 0, RGB(255, 10, 0));
  b.Canvas().SetPixels(0, 1, RGB(255, 11, 0));
  b.Canvas().SetPixels(1, 1, RGB(1, 11, 3));
  const TBitmap r = ReduceByBoxFilter(b, 2);
  ASSERT_EQ(r.Width(), 3);
  ASSERT_EQ(r.Height(), 2);
  EXPECT_EQ(b.Canvas().Pixels(4, 2), clWhite);
  EXPECT_EQ(const_cast<TBitmap&>(r).Canvas().Pixels(0, 0), RGB(128, 11, 1));
  // The right column's blocks are 1 pixel wide, the bottom row's 1 pixel high.
  b.Canvas().SetPixels(4, 2, RGB(7, 8, 9));
  const TBitmap r2 = ReduceByBoxFilter(b, 2);
  EXPECT_EQ(const_cast<TBitmap&>(r2).Canvas().Pixels(2, 1), RGB(7, 8, 9));
  b.Canvas().SetPixels(4, 0, RGB(100, 100, 100));
  b.Canvas().SetPixels(4, 1, RGB(0, 0, 0));
  const TBitmap r3 = ReduceByBoxFilter(b, 2);
  EXPECT_EQ(const_cast<TBitmap&>(r3).Canvas().Pixels(2, 0), RGB(50, 50, 50));
  // Factor 1 keeps the picture.
  EXPECT_TRUE(SamePixels(b, ReduceByBoxFilter(b, 1)));
}

TEST(BoxFilter, TheFourByFourPathGivesTheExactMeans) {
  // Random colours on a picture whose last blocks are partial, against the means computed here.
  TBitmap b(4 * 13 + 3, 4 * 5 + 2);
  std::uint32_t seed = 12345;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) {
      seed = seed * 1664525u + 1013904223u;
      b.ScanLine(y)[x] = seed | 0xFF000000u;
    }
  const TBitmap r = ReduceByBoxFilter(b, 4);
  for (int oy = 0; oy < r.Height(); ++oy)
    for (int ox = 0; ox < r.Width(); ++ox) {
      unsigned sum[3] = {}, n = 0;
      for (int y = 4 * oy; y < std::min(b.Height(), 4 * oy + 4); ++y)
        for (int x = 4 * ox; x < std::min(b.Width(), 4 * ox + 4); ++x, ++n)
          for (int c = 0; c < 3; ++c) sum[c] += (b.ScanLine(y)[x] >> (8 * c)) & 0xFF;
      TPixel mean = 0xFF000000u;
      for (int c = 0; c < 3; ++c) mean |= ((sum[c] + n / 2) / n) << (8 * c);
      ASSERT_EQ(r.ScanLine(oy)[ox], mean) << ox << "," << oy;
    }
}

}  // namespace
}  // namespace kiv
