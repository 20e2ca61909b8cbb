// Filled figures on a bitmap canvas: rectangle extents, ellipses and arcs inside their box,
// polygon fill rules, clipping and pixel access.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "pixel_util.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"

namespace kiv {
namespace {

using testing::CountColor;
using testing::InkBounds;
using testing::Picture;
using testing::SamePixels;

TCanvas& BlueBrush(TBitmap& b) {
  b.Canvas().Brush().SetColor(clBlue);
  return b.Canvas();
}

TEST(CanvasRectangle, CoversX1ToX2Minus1WithOutlineAndInterior) {
  TBitmap b(8, 6);
  BlueBrush(b).Rectangle(1, 1, 7, 5);
  EXPECT_EQ(Picture(b),
            "........\n"
            ".######.\n"
            ".#BBBB#.\n"
            ".#BBBB#.\n"
            ".######.\n"
            "........\n");
}

TEST(CanvasRectangle, CornersGivenInAnyOrderMeanTheSameBox) {
  TBitmap a(8, 6), b(8, 6);
  BlueBrush(a).Rectangle(1, 1, 7, 5);
  BlueBrush(b).Rectangle(7, 5, 1, 1);
  EXPECT_TRUE(SamePixels(a, b));
}

TEST(CanvasRectangle, ClearPenLeavesRightColumnAndBottomRowUnpainted) {
  TBitmap b(6, 5);
  TCanvas& c = BlueBrush(b);
  c.Pen().SetStyle(psClear);
  c.Rectangle(1, 1, 5, 4);
  EXPECT_EQ(Picture(b),
            "......\n"
            ".BBB..\n"
            ".BBB..\n"
            "......\n"
            "......\n");
}

TEST(CanvasRectangle, ClearBrushDrawsTheOutlineOnly) {
  TBitmap b(5, 5);
  TCanvas& c = b.Canvas();
  c.Brush().SetStyle(bsClear);
  c.Rectangle(0, 0, 5, 5);
  EXPECT_EQ(CountColor(b, clBlack), 16);
  EXPECT_EQ(c.Pixels(2, 2), clWhite);
}

TEST(CanvasRectangle, WidePenIsCentredOnTheEdgeOrInsideTheFrame) {
  TBitmap centred(12, 12);
  centred.Canvas().Pen().SetWidth(3);
  BlueBrush(centred).Rectangle(3, 3, 9, 9);
  EXPECT_EQ(InkBounds(centred), TRect(2, 2, 10, 10));
  EXPECT_EQ(CountColor(centred, clBlue), 4);  // 2 x 2 interior left inside the ring
  TBitmap inside(12, 12);
  inside.Canvas().Pen().SetWidth(3);
  inside.Canvas().Pen().SetStyle(psInsideFrame);
  BlueBrush(inside).Rectangle(3, 3, 9, 9);
  EXPECT_EQ(InkBounds(inside), TRect(3, 3, 9, 9));
  EXPECT_EQ(CountColor(inside, clBlue), 0);
}

TEST(CanvasRectangle, EmptyBoxDrawsNothing) {
  TBitmap b(5, 5);
  b.Canvas().Rectangle(2, 2, 2, 4);
  b.Canvas().Ellipse(1, 3, 4, 3);
  EXPECT_EQ(CountColor(b, clWhite), 25);
}

TEST(CanvasFillRect, UsesTheBrushAndIgnoresPenAndPenMode) {
  TBitmap b(5, 4);
  TCanvas& c = BlueBrush(b);
  c.Pen().SetMode(pmXor);
  c.FillRect(TRect(1, 1, 4, 3));
  EXPECT_EQ(Picture(b),
            ".....\n"
            ".BBB.\n"
            ".BBB.\n"
            ".....\n");
  c.FrameRect(TRect(0, 0, 5, 4));
  EXPECT_EQ(CountColor(b, clBlue), 14 + 6);
}

TEST(CanvasFillRect, HatchedBrushPaintsOnlyItsLines) {
  TBitmap b(16, 16);
  TCanvas& c = BlueBrush(b);
  c.Brush().SetStyle(bsCross);
  c.FillRect(TRect(0, 0, 16, 16));
  EXPECT_EQ(CountColor(b, clBlue), 2 * 16 + 2 * 16 - 4);
  EXPECT_EQ(c.Pixels(8, 3), clBlue);
  EXPECT_EQ(c.Pixels(3, 3), clWhite);
}

TEST(CanvasEllipse, SmallBoxes) {
  TBitmap b(10, 7);
  BlueBrush(b).Ellipse(1, 1, 9, 6);
  EXPECT_EQ(Picture(b),
            "..........\n"
            "...####...\n"
            "..#BBBB#..\n"
            ".#BBBBBB#.\n"
            "..#BBBB#..\n"
            "...####...\n"
            "..........\n");
  TBitmap dot(3, 3);
  dot.Canvas().Ellipse(1, 1, 2, 2);
  EXPECT_EQ(Picture(dot), "...\n.#.\n...\n");
}

// Properties every ellipse must have, checked over many box sizes: it stays inside its box,
// touches all four sides, is mirror-symmetric, and its outline closes around the interior.
TEST(CanvasEllipse, FitsItsBoxExactlyForAllSizes) {
  for (int w = 1; w <= 40; w += (w < 12 ? 1 : 3)) {
    for (int h = 1; h <= 40; h += (h < 12 ? 1 : 5)) {
      TBitmap b(w + 4, h + 4);
      BlueBrush(b).Ellipse(2, 2, 2 + w, 2 + h);
      ASSERT_EQ(InkBounds(b), TRect(2, 2, 2 + w, 2 + h)) << w << " x " << h;
      for (int y = 0; y < h + 4; ++y)
        for (int x = 0; x < w + 4; ++x) {
          const TColor p = b.Canvas().Pixels(x, y);
          ASSERT_EQ(p, b.Canvas().Pixels(w + 3 - x, y)) << w << " x " << h << " at " << x;
          ASSERT_EQ(p, b.Canvas().Pixels(x, h + 3 - y)) << w << " x " << h << " at " << y;
        }
      // Interior pixels never touch the outside: every blue pixel's four neighbours are painted.
      for (int y = 1; y < h + 3; ++y)
        for (int x = 1; x < w + 3; ++x)
          if (b.Canvas().Pixels(x, y) == clBlue) {
            for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
              ASSERT_NE(b.Canvas().Pixels(x + dx, y + dy), clWhite) << w << " x " << h;
            }
          }
    }
  }
}

TEST(CanvasEllipse, CircleLooksRound) {
  TBitmap b(41, 41);
  b.Canvas().Brush().SetStyle(bsClear);
  b.Canvas().Ellipse(0, 0, 41, 41);
  // Every outline pixel lies within a pixel of the ideal circle through the pixel centres.
  for (int y = 0; y < 41; ++y)
    for (int x = 0; x < 41; ++x)
      if (b.Canvas().Pixels(x, y) == clBlack) {
        EXPECT_NEAR(std::hypot(x - 20.0, y - 20.0), 20.0, 1.0) << x << "," << y;
      }
}

TEST(CanvasEllipse, HugeEllipseClipsQuickly) {
  TBitmap b(50, 50);
  b.Canvas().Brush().SetColor(clBlue);
  b.Canvas().Ellipse(-30000, -30000, 30050, 30050);
  EXPECT_EQ(CountColor(b, clBlue), 50 * 50);
  b.Canvas().Ellipse(-2000000000, 10, 2000000000, 40);
  EXPECT_GT(CountColor(b, clBlack), 0);
}

TEST(CanvasArc, IsThePartOfTheEllipseCounterClockwiseFromStartToEnd) {
  // The quarter from the right ray to the upper ray is the upper right quarter.
  TBitmap arc(21, 21), full(21, 21);
  arc.Canvas().Arc(0, 0, 21, 21, 20, 10, 10, 0);
  full.Canvas().Brush().SetStyle(bsClear);
  full.Canvas().Ellipse(0, 0, 21, 21);
  int arc_pixels = 0;
  for (int y = 0; y < 21; ++y)
    for (int x = 0; x < 21; ++x)
      if (arc.Canvas().Pixels(x, y) == clBlack) {
        ++arc_pixels;
        EXPECT_EQ(full.Canvas().Pixels(x, y), clBlack) << "arc pixel off the ellipse";
        EXPECT_GE(x, 10);
        EXPECT_LE(y, 10);
      }
  const int quarter = CountColor(full, clBlack, TRect(10, 0, 21, 11));
  EXPECT_EQ(arc_pixels, quarter);
  // Swapping the rays gives the other three quarters.
  TBitmap rest(21, 21);
  rest.Canvas().Arc(0, 0, 21, 21, 10, 0, 20, 10);
  EXPECT_EQ(CountColor(rest, clBlack) + arc_pixels - 2, CountColor(full, clBlack));
}

TEST(CanvasArc, EqualRaysDrawTheWholeEllipse) {
  TBitmap arc(30, 20), full(30, 20);
  arc.Canvas().Arc(2, 2, 28, 18, 29, 3, 29, 3);
  full.Canvas().Brush().SetStyle(bsClear);
  full.Canvas().Ellipse(2, 2, 28, 18);
  EXPECT_TRUE(SamePixels(full, arc));
}

// A dashed outline runs its pattern once around the ellipse, counter-clockwise from the right
// end of the middle row: the pattern pixels in the pen colour, the gaps in the brush colour.
TEST(CanvasEllipse, DashedOutlineRunsThePatternAroundFromTheRight) {
  TBitmap b(24, 14);
  TCanvas& c = b.Canvas();
  c.Pen().SetStyle(psDot);
  c.Brush().SetColor(clBlue);
  c.Ellipse(1, 1, 23, 13);
  EXPECT_EQ(Picture(b),
            "........................\n"
            "........B###BBB#........\n"
            ".....#BBBBBBBBBB##B.....\n"
            "...##BBBBBBBBBBBBBBBB...\n"
            "..BBBBBBBBBBBBBBBBBBB#..\n"
            ".BBBBBBBBBBBBBBBBBBBBB#.\n"
            ".BBBBBBBBBBBBBBBBBBBBB#.\n"
            ".#BBBBBBBBBBBBBBBBBBBBB.\n"
            ".#BBBBBBBBBBBBBBBBBBBBB.\n"
            "..#BBBBBBBBBBBBBBBBBBB..\n"
            "...BBBBBBBBBBBBBBBB##...\n"
            ".....B##BBBBBBBBBB#.....\n"
            "........#BBB###B........\n"
            "........................\n");
}

// Over many sizes and every pattern: the dashed outline covers exactly the solid outline's
// pixels, and the pen pixels are the pattern's share of them.
TEST(CanvasEllipse, DashedOutlineIsTheSolidOutlineInThePattern) {
  struct Style {
    TPenStyle style;
    int on, period;  // pen pixels of the pattern's first `period` positions
    std::vector<int> runs;
  };
  const Style styles[] = {{psDash, 18, 24, {18, 6}},
                          {psDot, 3, 6, {3, 3}},
                          {psDashDot, 12, 24, {9, 6, 3, 6}},
                          {psDashDotDot, 15, 24, {9, 3, 3, 3, 3, 3}},
                          {psAlternate, 1, 2, {1, 1}}};
  const auto on_count = [](const Style& st, int n) {
    int on = 0;
    for (int k = 0; k < n; ++k) {
      int pos = k % st.period, run = 0;
      while (pos >= st.runs[static_cast<std::size_t>(run)])
        pos -= st.runs[static_cast<std::size_t>(run++)];
      if (run % 2 == 0) ++on;
    }
    return on;
  };
  for (const Style& st : styles) {
    for (int w = 1; w <= 60; w += 7) {
      for (int h = 1; h <= 45; h += 4) {
        TBitmap solid(w + 2, h + 2), dashed(w + 2, h + 2);
        solid.Canvas().Brush().SetStyle(bsClear);
        solid.Canvas().Ellipse(1, 1, 1 + w, 1 + h);
        dashed.Canvas().Pen().SetStyle(st.style);
        dashed.Canvas().Brush().SetColor(clRed);
        dashed.Canvas().Ellipse(1, 1, 1 + w, 1 + h);
        const int outline = CountColor(solid, clBlack);
        int pen = 0;
        for (int y = 0; y < h + 2; ++y)
          for (int x = 0; x < w + 2; ++x) {
            const TColor s = solid.Canvas().Pixels(x, y), d = dashed.Canvas().Pixels(x, y);
            if (s == clBlack) {
              ASSERT_TRUE(d == clBlack || d == clRed) << w << " x " << h << " at " << x << "," << y;
              pen += d == clBlack;
            }
          }
        ASSERT_EQ(pen, on_count(st, outline)) << st.style << ": " << w << " x " << h;
      }
    }
  }
}

TEST(CanvasEllipse, DashedXorEllipseDrawnTwiceRestoresThePicture) {
  TBitmap b(40, 30);
  TCanvas& c = b.Canvas();
  c.Brush().SetColor(clYellow);
  c.FillRect(TRect(0, 0, 40, 15));
  const TBitmap before = b;
  c.Pen().SetMode(pmXor);
  c.Pen().SetColor(clRed);
  c.Pen().SetStyle(psDashDot);
  c.Brush().SetColor(clLime);
  c.Ellipse(3, 2, 37, 27);
  EXPECT_FALSE(SamePixels(before, b));
  c.Ellipse(3, 2, 37, 27);
  EXPECT_TRUE(SamePixels(before, b));
}

TEST(CanvasArc, DashedArcStartsItsPatternAtTheStartRay) {
  TBitmap b(24, 14);
  b.Canvas().Pen().SetStyle(psDot);
  b.Canvas().Arc(1, 1, 23, 13, 22, 7, 12, 0);
  EXPECT_EQ(Picture(b),
            "........................\n"
            "............#...........\n"
            "................###.....\n"
            "........................\n"
            "........................\n"
            "......................#.\n"
            "......................#.\n"
            "......................#.\n"
            "........................\n"
            "........................\n"
            "........................\n"
            "........................\n"
            "........................\n"
            "........................\n");
  // From the right end of the upper middle row around to the same ray: the dashed ellipse.
  TBitmap arc(40, 30), ellipse(40, 30);
  arc.Canvas().Pen().SetStyle(psDashDotDot);
  arc.Canvas().Arc(2, 2, 38, 28, 39, 14, 39, 14);
  ellipse.Canvas().Pen().SetStyle(psDashDotDot);
  ellipse.Canvas().Brush().SetStyle(bsClear);
  ellipse.Canvas().Ellipse(2, 2, 38, 28);
  EXPECT_TRUE(SamePixels(ellipse, arc));
  // Every pixel of a dashed arc lies on the solid arc.
  TBitmap solid(40, 30), dashed(40, 30);
  solid.Canvas().Arc(2, 2, 38, 28, 5, 29, 30, 0);
  dashed.Canvas().Pen().SetStyle(psDash);
  dashed.Canvas().Arc(2, 2, 38, 28, 5, 29, 30, 0);
  EXPECT_GT(CountColor(dashed, clBlack), 0);
  EXPECT_LT(CountColor(dashed, clBlack), CountColor(solid, clBlack));
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x)
      if (dashed.Canvas().Pixels(x, y) == clBlack) {
        EXPECT_EQ(solid.Canvas().Pixels(x, y), clBlack) << x << "," << y;
      }
}

TEST(CanvasPolygon, FillsByTheAlternateOrTheWindingRule) {
  const std::vector<TPoint> star = {{20, 1}, {32, 38}, {1, 14}, {39, 14}, {8, 38}};
  TBitmap alternate(40, 40), winding(40, 40);
  BlueBrush(alternate).Polygon(star);
  BlueBrush(winding).SetPolyFillMode(fmWinding);
  winding.Canvas().Polygon(star);
  EXPECT_EQ(alternate.Canvas().Pixels(20, 22), clWhite);  // the centre pentagon
  EXPECT_EQ(winding.Canvas().Pixels(20, 22), clBlue);
  EXPECT_EQ(alternate.Canvas().Pixels(20, 8), clBlue);  // a point of the star
}

TEST(CanvasPolygon, ClearPenFillsLeftAndTopEdgesButNotRightAndBottom) {
  TBitmap b(7, 6);
  TCanvas& c = BlueBrush(b);
  c.Pen().SetStyle(psClear);
  const std::vector<TPoint> square = {{1, 1}, {5, 1}, {5, 4}, {1, 4}};
  c.Polygon(square);
  EXPECT_EQ(Picture(b),
            ".......\n"
            ".BBBB..\n"
            ".BBBB..\n"
            ".BBBB..\n"
            ".......\n"
            ".......\n");
  // With a pen the outline closes the figure through all four corners.
  TBitmap outlined(7, 6);
  BlueBrush(outlined).Polygon(square);
  EXPECT_EQ(InkBounds(outlined), TRect(1, 1, 6, 5));
}

TEST(CanvasPolygon, TriangleGolden) {
  TBitmap b(12, 10);
  const std::vector<TPoint> tri = {{1, 1}, {10, 2}, {5, 8}};
  BlueBrush(b).Polygon(tri);
  EXPECT_EQ(Picture(b),
            "............\n"
            ".#####......\n"
            "..#BBB#####.\n"
            "..#BBBBBB#..\n"
            "...#BBBB#...\n"
            "...#BBBB#...\n"
            "....#BB#....\n"
            "....#B#.....\n"
            ".....#......\n"
            "............\n");
}

TEST(CanvasClip, ClipRectLimitsEveryPrimitive) {
  TBitmap b(10, 10);
  TCanvas& c = BlueBrush(b);
  c.SetClipRect(TRect(2, 2, 6, 6));
  c.FillRect(TRect(0, 0, 10, 10));
  c.MoveTo(0, 8);
  c.LineTo(10, 8);
  c.Ellipse(0, 0, 10, 10);
  c.SetPixels(8, 8, clRed);
  EXPECT_EQ(InkBounds(b), TRect(2, 2, 6, 6));
  EXPECT_EQ(c.ClipRect(), TRect(2, 2, 6, 6));
  c.ResetClipRect();
  EXPECT_EQ(c.ClipRect(), TRect(0, 0, 10, 10));
}

TEST(CanvasPixels, OutsideTheBitmapReadsNoneAndIgnoresWrites) {
  TBitmap b(4, 4);
  TCanvas& c = b.Canvas();
  c.SetPixels(-1, 0, clRed);
  c.SetPixels(4, 3, clRed);
  c.SetPixels(3, 3, clRed);
  EXPECT_EQ(c.Pixels(3, 3), clRed);
  EXPECT_EQ(c.Pixels(-1, 0), clNone);
  EXPECT_EQ(c.Pixels(0, 4), clNone);
  EXPECT_EQ(CountColor(b, clRed), 1);
}

TEST(CanvasPixels, SystemColoursAreResolved) {
  TBitmap b(1, 1);
  b.Canvas().SetPixels(0, 0, clBtnFace);
  EXPECT_EQ(b.Canvas().Pixels(0, 0), ColorToRGB(clBtnFace));
  EXPECT_GE(ColorToRGB(clBtnFace), 0);
}

}  // namespace
}  // namespace kiv
