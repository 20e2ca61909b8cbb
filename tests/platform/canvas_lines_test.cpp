// Lines on a bitmap canvas: end pixels, rounding, clipping, dash patterns, wide pens, XOR.
#include <gtest/gtest.h>

#include <climits>
#include <random>
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

TEST(CanvasLine, ExcludesItsEndPixel) {
  TBitmap b(8, 3);
  TCanvas& c = b.Canvas();
  c.MoveTo(1, 1);
  c.LineTo(6, 1);
  EXPECT_EQ(Picture(b),
            "........\n"
            ".#####..\n"
            "........\n");
  EXPECT_EQ(c.PenPos(), TPoint(6, 1));
}

TEST(CanvasLine, ZeroLengthDrawsNothing) {
  TBitmap b(3, 3);
  b.Canvas().MoveTo(1, 1);
  b.Canvas().LineTo(1, 1);
  EXPECT_EQ(CountColor(b, clBlack), 0);
}

TEST(CanvasLine, StepsAlongTheMajorAxisRoundingToTheNearestPixel) {
  TBitmap b(9, 4);
  TCanvas& c = b.Canvas();
  c.MoveTo(0, 0);
  c.LineTo(8, 3);
  EXPECT_EQ(Picture(b),
            "##.......\n"
            "..##.....\n"
            "....###..\n"
            ".......#.\n");
}

TEST(CanvasLine, ReverseDirectionCoversTheSamePixels) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> coord(0, 39);
  for (int i = 0; i < 300; ++i) {
    const TPoint a(coord(rng), coord(rng)), z(coord(rng), coord(rng));
    TBitmap forward(40, 40), backward(40, 40);
    forward.Canvas().MoveTo(a.X, a.Y);
    forward.Canvas().LineTo(z.X, z.Y);
    forward.Canvas().SetPixels(z.X, z.Y, clBlack);
    backward.Canvas().MoveTo(z.X, z.Y);
    backward.Canvas().LineTo(a.X, a.Y);
    backward.Canvas().SetPixels(a.X, a.Y, clBlack);
    ASSERT_TRUE(SamePixels(forward, backward)) << a.X << "," << a.Y << " -> " << z.X << "," << z.Y;
  }
}

TEST(CanvasLine, ClippedLineDrawsExactlyTheVisiblePixels) {
  // Drawing into a small window must give the same pixels as drawing into a big picture and
  // cutting the window out of it.
  std::mt19937 rng(11);
  std::uniform_int_distribution<int> coord(-300, 340);
  for (int i = 0; i < 400; ++i) {
    const TPoint a(coord(rng), coord(rng)), z(coord(rng), coord(rng));
    TBitmap big(1000, 1000);
    big.Canvas().MoveTo(a.X + 400, a.Y + 400);
    big.Canvas().LineTo(z.X + 400, z.Y + 400);
    TBitmap small(40, 30);
    small.Canvas().MoveTo(a.X, a.Y);
    small.Canvas().LineTo(z.X, z.Y);
    TBitmap expected(40, 30);
    expected.Canvas().CopyRect(TRect(0, 0, 40, 30), big.Canvas(), TRect(400, 400, 440, 430));
    ASSERT_TRUE(SamePixels(expected, small)) << a.X << "," << a.Y << " -> " << z.X << "," << z.Y;
  }
}

// Only the visible part of a line is walked: were these lines stepped from end to end, the test
// would run for minutes.
TEST(CanvasLine, ExtremeCoordinatesAreClippedWithoutOverflow) {
  TBitmap b(100, 100);
  TCanvas& c = b.Canvas();
  c.MoveTo(-30000, 50);
  c.LineTo(30000, 50);
  c.MoveTo(INT_MIN, INT_MIN);
  c.LineTo(INT_MAX, INT_MAX);
  c.MoveTo(INT_MAX, INT_MIN);
  c.LineTo(INT_MIN, INT_MAX);
  TBitmap far(100, 20);
  far.Canvas().MoveTo(-2000000000, 10);
  far.Canvas().LineTo(2000000000, 11);
  EXPECT_EQ(CountColor(b, clBlack, TRect(0, 50, 100, 51)), 100);
  // The diagonal through the whole int range passes through every (i, i) pixel.
  for (int i = 0; i < 100; ++i) EXPECT_EQ(c.Pixels(i, i), clBlack) << i;
  // Exactly half-way the line is at y = 10.5, which rounds to 11.
  EXPECT_EQ(CountColor(far, clBlack, TRect(0, 11, 100, 12)), 100);
}

TEST(CanvasLine, LineToChainEqualsPolyline) {
  const std::vector<TPoint> pts = {{2, 2}, {30, 5}, {12, 25}, {35, 28}, {3, 14}};
  for (TPenStyle style : {psSolid, psDash, psDot, psDashDot, psDashDotDot}) {
    TBitmap chain(40, 32), poly(40, 32);
    chain.Canvas().Pen().SetStyle(style);
    poly.Canvas().Pen().SetStyle(style);
    chain.Canvas().MoveTo(pts[0].X, pts[0].Y);
    for (std::size_t i = 1; i < pts.size(); ++i) chain.Canvas().LineTo(pts[i].X, pts[i].Y);
    poly.Canvas().Polyline(pts);
    EXPECT_TRUE(SamePixels(chain, poly)) << "style " << int(style);
  }
}

TEST(CanvasLine, DashPatternsOfOnePixelPens) {
  auto pattern = [](TPenStyle style) {
    TBitmap b(40, 1);
    TCanvas& c = b.Canvas();
    c.Brush().SetStyle(bsClear);
    c.Pen().SetStyle(style);
    c.MoveTo(0, 0);
    c.LineTo(40, 0);
    return Picture(b);
  };
  EXPECT_EQ(pattern(psDash), "##################......################\n");
  EXPECT_EQ(pattern(psDot), "###...###...###...###...###...###...###.\n");
  EXPECT_EQ(pattern(psDashDot), "#########......###......#########......#\n");
  EXPECT_EQ(pattern(psDashDotDot), "#########...###...###...#########...###.\n");
}

TEST(CanvasLine, DashGapsTakeTheBrushColourUnlessTheBrushIsClear) {
  TBitmap b(12, 2);
  TCanvas& c = b.Canvas();
  c.Pen().SetStyle(psDot);
  c.Brush().SetColor(clRed);
  c.MoveTo(0, 0);
  c.LineTo(12, 0);
  c.Brush().SetStyle(bsClear);
  c.MoveTo(0, 1);
  c.LineTo(12, 1);
  EXPECT_EQ(Picture(b),
            "###RRR###RRR\n"
            "###...###...\n");
}

TEST(CanvasLine, DashPatternContinuesAcrossLineToAndRestartsAtMoveTo) {
  TBitmap b(12, 2);
  TCanvas& c = b.Canvas();
  c.Brush().SetStyle(bsClear);
  c.Pen().SetStyle(psDot);
  c.MoveTo(0, 0);
  c.LineTo(4, 0);
  c.LineTo(12, 0);
  c.MoveTo(0, 1);
  c.LineTo(4, 1);
  c.MoveTo(4, 1);
  c.LineTo(12, 1);
  EXPECT_EQ(Picture(b),
            "###...###...\n"
            "###.###...##\n");
}

TEST(CanvasLine, WidePensDrawSolidRoundEndedStrokes) {
  TBitmap b(12, 7);
  TCanvas& c = b.Canvas();
  c.Pen().SetWidth(3);
  c.Pen().SetStyle(psDash);  // dashes apply to one-pixel pens only
  c.MoveTo(3, 3);
  c.LineTo(8, 3);
  EXPECT_EQ(Picture(b),
            "............\n"
            "............\n"
            "..########..\n"
            "..########..\n"
            "..########..\n"
            "............\n"
            "............\n");
  TBitmap round(11, 11);
  round.Canvas().Pen().SetWidth(5);
  round.Canvas().MoveTo(5, 5);
  round.Canvas().LineTo(5, 5);
  EXPECT_EQ(Picture(round, TRect(2, 2, 9, 9)),
            ".......\n"
            "..###..\n"
            ".#####.\n"
            ".#####.\n"
            ".#####.\n"
            "..###..\n"
            ".......\n");
}

TEST(CanvasLine, EvenWidthsExtendTowardsRightAndBottom) {
  TBitmap b(8, 5);
  b.Canvas().Pen().SetWidth(2);
  b.Canvas().MoveTo(2, 2);
  b.Canvas().LineTo(5, 2);
  EXPECT_EQ(InkBounds(b), TRect(2, 2, 7, 4));
}

TEST(CanvasLine, ClearPenDrawsNothing) {
  TBitmap b(5, 5);
  b.Canvas().Pen().SetStyle(psClear);
  b.Canvas().MoveTo(0, 0);
  b.Canvas().LineTo(4, 4);
  EXPECT_EQ(CountColor(b, clWhite), 25);
}

// Draws a figure twice in XOR mode over a picture and expects the picture back; the first
// drawing must change it.
template <typename Figure>
void ExpectXorRestores(Figure figure, int pen_width = 1, TPenStyle style = psSolid) {
  TBitmap b(60, 50);
  TCanvas& c = b.Canvas();
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 60; ++x) b.ScanLine(y)[x] = 0xFF000000u | (x * 4099u + y * 131u);
  const TBitmap before = b;
  c.Pen().SetMode(pmXor);
  c.Pen().SetColor(clWhite);
  c.Pen().SetWidth(pen_width);
  c.Pen().SetStyle(style);
  c.Brush().SetColor(clYellow);
  figure(c);
  EXPECT_FALSE(SamePixels(before, b));
  figure(c);
  EXPECT_TRUE(SamePixels(before, b));
}

TEST(CanvasXor, EveryFigureDrawnTwiceRestoresThePicture) {
  const std::vector<TPoint> star = {{30, 2}, {42, 45}, {5, 15}, {55, 15}, {18, 45}};
  const std::vector<TPoint> path = {{2, 2}, {50, 10}, {5, 40}, {58, 46}, {30, 1}};
  auto line = [](TCanvas& c) {
    c.MoveTo(-5, 3);
    c.LineTo(70, 44);
  };
  auto polyline = [&](TCanvas& c) { c.Polyline(path); };
  auto polygon = [&](TCanvas& c) { c.Polygon(star); };
  auto rect = [](TCanvas& c) { c.Rectangle(5, 5, 40, 30); };
  auto ellipse = [](TCanvas& c) { c.Ellipse(3, 4, 57, 47); };
  auto arc = [](TCanvas& c) { c.Arc(3, 4, 57, 47, 60, 0, 0, 50); };
  for (int width : {1, 4}) {
    SCOPED_TRACE(width);
    ExpectXorRestores(line, width);
    ExpectXorRestores(polyline, width);
    ExpectXorRestores(polygon, width);
    ExpectXorRestores(rect, width);
    ExpectXorRestores(ellipse, width);
    ExpectXorRestores(arc, width);
  }
  ExpectXorRestores(polyline, 1, psDashDot);
  ExpectXorRestores(rect, 1, psDot);
}

TEST(CanvasXor, InteriorAndOutlineArePaintedOnce) {
  // Drawn in copy mode with a black pen and a blue brush, a figure covers N pixels; drawn once
  // in XOR mode over white it must change exactly those N pixels (a pixel painted twice would
  // turn white again).
  const std::vector<TPoint> pentagon = {{30, 2}, {55, 15}, {42, 45}, {18, 45}, {5, 15}};
  using Figure = void (*)(TCanvas&, const std::vector<TPoint>&);
  const Figure figures[] = {
      [](TCanvas& c, const std::vector<TPoint>&) { c.Rectangle(5, 5, 40, 30); },
      [](TCanvas& c, const std::vector<TPoint>&) { c.Ellipse(3, 4, 57, 47); },
      [](TCanvas& c, const std::vector<TPoint>& p) { c.Polygon(p); },
  };
  for (int width : {1, 3, 6}) {
    for (Figure f : figures) {
      TBitmap copy(60, 50), xored(60, 50);
      copy.Canvas().Pen().SetWidth(width);
      copy.Canvas().Brush().SetColor(clBlue);
      f(copy.Canvas(), pentagon);
      const int covered = CountColor(copy, clBlack) + CountColor(copy, clBlue);
      TCanvas& c = xored.Canvas();
      c.Pen().SetWidth(width);
      c.Pen().SetMode(pmXor);
      c.Pen().SetColor(clWhite);
      c.Brush().SetColor(clYellow);
      f(c, pentagon);
      EXPECT_EQ(60 * 50 - CountColor(xored, clWhite), covered) << "width " << width;
    }
  }
}

TEST(CanvasXor, WidePolylinePaintsItsOverlapsOnce) {
  // A wide path that crosses itself: in XOR mode the crossing must be inverted once, not twice.
  TBitmap b(40, 40);
  TCanvas& c = b.Canvas();
  c.Pen().SetMode(pmXor);
  c.Pen().SetColor(clWhite);
  c.Pen().SetWidth(5);
  const std::vector<TPoint> cross = {{5, 20}, {35, 20}, {20, 5}, {20, 35}};
  c.Polyline(cross);
  EXPECT_EQ(c.Pixels(20, 20), clBlack);
  EXPECT_EQ(c.Pixels(30, 20), clBlack);
}

TEST(CanvasPenModes, CombinePenAndDestination) {
  struct Case {
    TPenMode mode;
    TColor expected;  // pen 0x0000FF (red) over destination 0x00FF80
  };
  const Case cases[] = {{pmBlack, 0x000000},       {pmWhite, 0xFFFFFF},
                        {pmNop, 0x00FF80},         {pmNot, 0xFF007F},
                        {pmCopy, 0x0000FF},        {pmNotCopy, 0xFFFF00},
                        {pmMergePenNot, 0xFF00FF}, {pmMaskPenNot, 0x0000 | 0x7F},
                        {pmMergeNotPen, 0xFFFF80}, {pmMaskNotPen, 0x00FF00},
                        {pmMerge, 0x00FFFF},       {pmNotMerge, 0xFF0000},
                        {pmMask, 0x000080},        {pmNotMask, 0xFFFF7F},
                        {pmXor, 0x00FF7F},         {pmNotXor, 0xFF0080}};
  for (const Case& k : cases) {
    TBitmap b(3, 1);
    TCanvas& c = b.Canvas();
    c.Pen().SetColor(clBlack);
    c.SetPixels(0, 0, 0x00FF80);
    c.SetPixels(1, 0, 0x00FF80);
    c.Pen().SetColor(0x0000FF);
    c.Pen().SetMode(k.mode);
    c.MoveTo(0, 0);
    c.LineTo(2, 0);
    EXPECT_EQ(c.Pixels(0, 0), k.expected) << "mode " << int(k.mode);
    EXPECT_EQ(b.ScanLine(0)[0] >> 24, 0xFFu) << "pixels stay opaque";
  }
}

}  // namespace
}  // namespace kiv
