// Pixel exactness of the chart's pictures, checked from the outside: charts built through the
// public interface only, pictures taken with CopyToBitmap and CopyToBitmapDAOnly, and every
// expected pixel worked out by hand from the numbers of the example (margins, data-area size,
// the mapping k * v + d with halves rounded to even, the data bitmap's place in the control,
// where each item kind puts its pixels).
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "platform/bitmap.h"
#include "rchart/rchart.h"

namespace kiv {
namespace {

// --- Helpers

TColor Px(const TBitmap& b, int x, int y) {
  if (x < 0 || y < 0 || x >= b.Width() || y >= b.Height()) return clNone;
  return PixelToColor(b.ScanLine(y)[x]);
}

// The nearest integer, halves to the even neighbour.
int Nearest(long double v) {
  long double f = std::floor(v);
  const long double r = v - f;
  if (r > 0.5L || (r == 0.5L && std::fmod(f, 2.0L) != 0)) f += 1;
  return static_cast<int>(f);
}

TBitmap Whole(TCustomRChart& c) {
  TBitmap b;
  c.CopyToBitmap(b, false);
  return b;
}

TBitmap DataArea(TCustomRChart& c) {
  TBitmap b;
  c.CopyToBitmapDAOnly(b, false);
  return b;
}

// Pixels of the data bitmap inside its frame that are not white.
int InkInside(const TBitmap& b) {
  int n = 0;
  for (int y = 1; y < b.Height() - 1; ++y)
    for (int x = 1; x < b.Width() - 1; ++x) n += Px(b, x, y) != clWhite;
  return n;
}

// The default chart: 280 x 200 pixels, margins 50, 20, 20, 40 (left, right, top, bottom), no
// shadow. The data area runs from column 50 to column 280 - 20 = 260 and from row 20 to row
// 200 - 40 = 160; its bitmap is 211 x 141 pixels. Layer 1 gets 0..21 by 0..14: with
// A = 280 - 50 - 20 = 210 and B = 200 - 20 - 40 = 140,
//   kx = 210 / 21 = 10, dx = (50 * 21 - 260 * 0) / 21 = 50:     x pixel = 10 wx + 50
//   ky = -140 / 14 = -10, dy = (160 * 14 - 20 * 0) / 14 = 160:  y pixel = 160 - 10 wy
// and a data-bitmap pixel is the control pixel minus (50, 20).
struct TenPixelChart : TCustomRChart {
  TenPixelChart() : TCustomRChart(nullptr) { SetRange(1, 0, 0, 21, 14); }
};

int CtrlX(double wx) {
  return Nearest(10.0L * wx + 50);
}
int CtrlY(double wy) {
  return Nearest(160 - 10.0L * wy);
}

// --- Where the data area lies

TEST(ExactPicture, TheDefaultChartPutsItsDataBitmapInsideTheMargins) {
  TCustomRChart c(nullptr);
  EXPECT_EQ(c.Width(), 280);
  EXPECT_EQ(c.Height(), 200);
  EXPECT_EQ(c.MarginLeft(), 50);
  EXPECT_EQ(c.MarginRight(), 20);
  EXPECT_EQ(c.MarginTop(), 20);
  EXPECT_EQ(c.MarginBottom(), 40);
  EXPECT_EQ(c.ShadowWidth(), 0);
  c.SetChartFrameColor(clRed);
  const TBitmap whole = Whole(c), data = DataArea(c);
  ASSERT_EQ(whole.Width(), 280);
  ASSERT_EQ(whole.Height(), 200);
  ASSERT_EQ(data.Width(), 211);   // 280 - 50 - 20 + 1
  ASSERT_EQ(data.Height(), 141);  // 200 - 20 - 40 + 1
  // The data bitmap sits at (50, 20) in the whole picture, pixel for pixel.
  for (int y = 0; y < 141; ++y)
    for (int x = 0; x < 211; ++x)
      ASSERT_EQ(Px(whole, x + 50, y + 20), Px(data, x, y)) << x << "," << y;
  // The frame is its outermost ring: columns 50 and 260, rows 20 and 160 of the control.
  for (int x = 50; x <= 260; ++x) {
    ASSERT_EQ(Px(whole, x, 20), clRed) << x;
    ASSERT_EQ(Px(whole, x, 160), clRed) << x;
  }
  for (int y = 20; y <= 160; ++y) {
    ASSERT_EQ(Px(whole, 50, y), clRed) << y;
    ASSERT_EQ(Px(whole, 260, y), clRed) << y;
  }
  EXPECT_EQ(InkInside(data), 0);
  // Right of it and above it lies the background (no axis there in this layout).
  const TColor face = ColorToRGB(clBtnFace);
  EXPECT_EQ(Px(whole, 261, 100), face);
  EXPECT_EQ(Px(whole, 279, 199), face);
  EXPECT_EQ(Px(whole, 150, 19), face);
  EXPECT_EQ(Px(whole, 0, 0), face);
}

TEST(ExactPicture, OwnMarginsSizeAndShadowMoveTheDataArea) {
  TCustomRChart c(nullptr);
  c.SetBounds(0, 0, 301, 223);
  c.SetMarginLeft(37);
  c.SetMarginRight(11);
  c.SetMarginTop(13);
  c.SetMarginBottom(29);
  c.SetShadowWidth(6);
  c.SetShadowBakColor(clYellow);
  c.SetChartFrameColor(clRed);
  c.SetRange(1, 0, 0, 247, 175);  // one unit per pixel: A = 301 - 37 - 11 - 6 = 247, B = 175
  // Data area: columns 37 .. 301 - 11 - 6 = 284, rows 13 .. 223 - 29 - 6 = 188.
  c.SetDataColor(clBlue);
  c.Line(100.0, 50.0, 100.0, 50.0);  // x = 37 + 100 = 137, y = 188 - 50 = 138
  const TBitmap whole = Whole(c), data = DataArea(c);
  ASSERT_EQ(data.Width(), 248);
  ASSERT_EQ(data.Height(), 176);
  for (int y = 0; y < data.Height(); ++y)
    for (int x = 0; x < data.Width(); ++x)
      ASSERT_EQ(Px(whole, x + 37, y + 13), Px(data, x, y)) << x << "," << y;
  EXPECT_EQ(Px(whole, 37, 13), clRed);
  EXPECT_EQ(Px(whole, 284, 188), clRed);
  EXPECT_EQ(Px(whole, 284, 13), clRed);
  EXPECT_EQ(Px(whole, 37, 188), clRed);
  EXPECT_EQ(Px(whole, 38, 14), clWhite);
  EXPECT_EQ(Px(whole, 283, 187), clWhite);
  EXPECT_EQ(Px(whole, 285, 100), ColorToRGB(clBtnFace));
  EXPECT_EQ(Px(data, 100, 125), clBlue);  // (137 - 37, 138 - 13)
  EXPECT_EQ(Px(whole, 137, 138), clBlue);
  EXPECT_EQ(InkInside(data), 1);
  // The shadow: the right and bottom d = 6 pixels outside the chart face, the face outlined in
  // black at column W - d = 295 and row H - d = 217.
  EXPECT_EQ(Px(whole, 295, 100), clBlack);
  EXPECT_EQ(Px(whole, 100, 217), clBlack);
  const TColor shadow = ColorToRGB(clGrayText), bak = clYellow;
  EXPECT_EQ(Px(whole, 298, 100), shadow);
  EXPECT_EQ(Px(whole, 100, 220), shadow);
  EXPECT_EQ(Px(whole, 300, 222), shadow);
  // The shadow starts d - 1 = 5 pixels from the top and from the left; the corners above and
  // left of it keep the shadow's background colour.
  EXPECT_EQ(Px(whole, 296, 5), shadow);
  EXPECT_EQ(Px(whole, 300, 5), shadow);
  EXPECT_EQ(Px(whole, 296, 4), bak);
  EXPECT_EQ(Px(whole, 300, 0), bak);
  EXPECT_EQ(Px(whole, 5, 218), shadow);
  EXPECT_EQ(Px(whole, 5, 222), shadow);
  EXPECT_EQ(Px(whole, 4, 218), bak);
  EXPECT_EQ(Px(whole, 0, 222), bak);
  EXPECT_EQ(Px(whole, 4, 217), clBlack);
  EXPECT_EQ(Px(whole, 0, 217), clBlack);
}

TEST(ExactPicture, EachStandardLayoutPlacesTheDataAreaByItsMargins) {
  struct Case {
    TrcLayout layout;
    int left, right, top, bottom;
  };
  const Case cases[] = {{rcl_X1Bottom_Y1Left, 50, 20, 20, 40},
                        {rcl_X1Bottom_Y2Left, 100, 20, 24, 40},
                        {rcl_X1Bottom_Y2Both, 50, 50, 24, 40},
                        {rcl_X2Bottom_Y2Left, 100, 20, 24, 70},
                        {rcl_X2Both_Y2Both, 50, 50, 64, 40}};
  for (const Case& k : cases) {
    TCustomRChart c(nullptr);
    c.SetStandardLayout(k.layout);
    c.SetChartFrameColor(clRed);
    EXPECT_EQ(c.MarginLeft(), k.left);
    EXPECT_EQ(c.MarginRight(), k.right);
    EXPECT_EQ(c.MarginTop(), k.top);
    EXPECT_EQ(c.MarginBottom(), k.bottom);
    const TBitmap whole = Whole(c), data = DataArea(c);
    const int r = 280 - k.right, b = 200 - k.bottom;
    EXPECT_EQ(data.Width(), r - k.left + 1) << k.layout;
    EXPECT_EQ(data.Height(), b - k.top + 1) << k.layout;
    for (const TPoint p : {TPoint(k.left, k.top), TPoint(r, k.top), TPoint(k.left, b), TPoint(r, b),
                           TPoint((k.left + r) / 2, k.top), TPoint(k.left, (k.top + b) / 2)})
      EXPECT_EQ(Px(whole, p.X, p.Y), clRed) << k.layout << " " << p.X << "," << p.Y;
    EXPECT_EQ(Px(whole, k.left + 1, k.top + 1), clWhite) << k.layout;
    EXPECT_EQ(Px(whole, r - 1, b - 1), clWhite) << k.layout;
  }
}

// --- World coordinates

TEST(ExactPicture, LinearWorldPointsRoundHalvesToTheEvenPixel) {
  TenPixelChart c;
  c.SetDataColor(clBlue);
  // Quarter units land on half pixels: 10 * 0.25 + 50 = 52.5 -> 52, 57.5 -> 58, 62.5 -> 62,
  // 257.5 -> 258; 160 - 2.5 = 157.5 -> 158, 152.5 -> 152, 22.5 -> 22, 147.5 -> 148.
  const double pts[][2] = {{0.25, 0.25}, {0.75, 0.75}, {1.25, 13.75}, {20.75, 1.25}};
  for (const auto& p : pts) c.Line(p[0], p[1], p[0], p[1]);  // one pixel each
  EXPECT_EQ(CtrlX(0.25), 52);
  EXPECT_EQ(CtrlX(0.75), 58);
  EXPECT_EQ(CtrlY(0.25), 158);
  EXPECT_EQ(CtrlY(13.75), 22);
  const TBitmap whole = Whole(c), data = DataArea(c);
  for (const auto& p : pts) {
    const int x = CtrlX(p[0]), y = CtrlY(p[1]);
    EXPECT_EQ(Px(whole, x, y), clBlue) << p[0] << "," << p[1];
    EXPECT_EQ(Px(data, x - 50, y - 20), clBlue) << p[0] << "," << p[1];
  }
  EXPECT_EQ(InkInside(data), 4);
  // Marks of type 0 are one pixel at their centre, on the same pixels.
  TenPixelChart m;
  m.SetDataColor(clGreen);
  for (const auto& p : pts) m.MarkAt(p[0], p[1], 0);
  const TBitmap marks = DataArea(m);
  for (const auto& p : pts) EXPECT_EQ(Px(marks, CtrlX(p[0]) - 50, CtrlY(p[1]) - 20), clGreen);
  EXPECT_EQ(InkInside(marks), 4);
}

TEST(ExactPicture, PolylinesRunThroughTheMappedPointsAndStopBeforeTheLast) {
  TenPixelChart c;
  c.SetDataColor(clBlue);
  // (0.25, 7) -> (52, 90), (2.25, 7) -> (72.5 -> 72, 90), (2.25, 9) -> (72, 70); in the data
  // bitmap (2, 70), (22, 70), (22, 50).
  c.MoveTo(0.25, 7.0);
  c.DrawTo(2.25, 7.0);
  c.DrawTo(2.25, 9.0);
  const TBitmap data = DataArea(c);
  for (int x = 2; x <= 22; ++x) EXPECT_EQ(Px(data, x, 70), clBlue) << x;
  for (int y = 51; y <= 70; ++y) EXPECT_EQ(Px(data, 22, y), clBlue) << y;
  EXPECT_EQ(Px(data, 22, 50), clWhite);  // the last point is left out
  EXPECT_EQ(Px(data, 1, 70), clWhite);
  EXPECT_EQ(InkInside(data), 21 + 20 - 1);  // the corner once
}

TEST(ExactPicture, LayerTwoMapsThroughItsOwnRanges) {
  TenPixelChart c;
  // Layer 2: x 100..310 over the same 210 pixels (kx = 1, dx = (50 * 310 - 260 * 100) / 210
  // = -50), y -7..7 (ky = -10, dy = (160 * 7 - 20 * -7) / 14 = 90).
  c.SetRange(2, 100, -7, 310, 7);
  c.SetDataColor(clBlue);
  c.Line(3.0, 2.0, 3.0, 2.0);  // layer 1: (80, 140)
  c.SetActiveLayer(2);
  c.SetDataColor(clRed);
  c.Line(3.0, 2.0, 3.0, 2.0);          // layer 2: x = 3 - 50 off the area, not seen
  c.Line(205.5, 2.0, 205.5, 2.0);      // layer 2: (155.5 -> 156, 70)
  c.Line(206.5, -2.25, 206.5, -2.25);  // layer 2: (156.5 -> 156, 112.5 -> 112)
  c.MarkAt(150.0, 0.0, 0);             // layer 2 mark: (100, 90)
  const TBitmap data = DataArea(c);
  EXPECT_EQ(Px(data, 30, 120), clBlue);
  EXPECT_EQ(Px(data, 106, 50), clRed);
  EXPECT_EQ(Px(data, 106, 92), clRed);
  EXPECT_EQ(Px(data, 50, 70), clRed);
  EXPECT_EQ(InkInside(data), 4);
}

TEST(ExactPicture, ReversedRangesMirrorTheMapping) {
  TenPixelChart c;
  // x from 21 at the left to 0 at the right: kx = 210 * (1 / (0 - 21)) = -10,
  // dx = (50 * 0 - 260 * 21) / (0 - 21) = 260; y from 14 at the bottom to 0 at the top:
  // ky = -140 / (0 - 14) = 10, dy = (160 * 0 - 20 * 14) / (0 - 14) = 20.
  c.SetRange(1, 21, 14, 0, 0);
  c.SetDataColor(clBlue);
  c.Line(0.25, 0.25, 0.25, 0.25);      // (257.5 -> 258, 22.5 -> 22)
  c.Line(20.75, 13.75, 20.75, 13.75);  // (52.5 -> 52, 157.5 -> 158)
  c.SetDataColor(clRed);
  c.SetFillColor(clRed);
  c.Rectangle(1.0, 1.0, 3.0, 2.0);  // corners (250, 30) and (230, 40)
  const TBitmap data = DataArea(c);
  EXPECT_EQ(Px(data, 208, 2), clBlue);
  EXPECT_EQ(Px(data, 2, 138), clBlue);
  // Both corners included: columns 180..200, rows 10..20 of the data bitmap.
  for (int y = 10; y <= 20; ++y)
    for (int x = 180; x <= 200; ++x) ASSERT_EQ(Px(data, x, y), clRed) << x << "," << y;
  EXPECT_EQ(InkInside(data), 2 + 21 * 11);
}

TEST(ExactPicture, LogarithmicAxesMapTheLogarithmAndDropValuesAtZeroOffTheLowEnd) {
  TenPixelChart c;
  // Layer 2: x 1..1000, y 1..10000, both logarithmic: x pixel = 50 + 210 * ln v / ln 1000
  // (10 -> 120, 100 -> 190), y pixel = 160 - 140 * ln v / ln 10000 (10 -> 125, 100 -> 90,
  // 1000 -> 55).
  c.SetRange(2, 1, 1, 1000, 10000);
  c.Scale2X().SetLogarithmic(true);
  c.Scale2Y().SetLogarithmic(true);
  c.SetActiveLayer(2);
  c.SetDataColor(clBlue);
  c.Line(10.0, 100.0, 10.0, 100.0);                          // (120, 90)
  c.Line(100.0, 10.0, 100.0, 10.0);                          // (190, 125)
  c.Line(std::sqrt(10.0), 1000.0, std::sqrt(10.0), 1000.0);  // (85, 55)
  TBitmap data = DataArea(c);
  EXPECT_EQ(Px(data, 70, 70), clBlue);
  EXPECT_EQ(Px(data, 140, 105), clBlue);
  EXPECT_EQ(Px(data, 35, 35), clBlue);
  EXPECT_EQ(InkInside(data), 3);

  // x = 0 maps to column 0 of the control (data bitmap -50); y = 0 to row 200 (data 180).
  TenPixelChart f;
  f.SetRange(2, 1, 1, 1000, 10000);
  f.Scale2X().SetLogarithmic(true);
  f.Scale2Y().SetLogarithmic(true);
  f.SetActiveLayer(2);
  f.SetDataColor(clRed);
  f.Line(0.0, 10.0, 10.0, 10.0);    // from (-50, 105) to (70, 105)
  f.Line(100.0, 0.0, 100.0, 10.0);  // from (140, 180) up to (140, 105)
  data = DataArea(f);
  for (int x = 1; x < 70; ++x) EXPECT_EQ(Px(data, x, 105), clRed) << x;
  for (int y = 106; y < 140; ++y) EXPECT_EQ(Px(data, 140, y), clRed) << y;
  EXPECT_EQ(Px(data, 70, 105), clWhite);
  EXPECT_EQ(Px(data, 140, 105), clWhite);
  EXPECT_EQ(InkInside(data), 69 + 34);

  // Reversed: x = 0 falls off the right end (column W = 280, data 230), y = 0 off the top
  // (row 0, data -20). x 1000..1: 10 -> 260 - 70 = 190; y 10000..1: 10 -> 20 + 35 = 55.
  TenPixelChart r;
  r.SetRange(2, 1000, 10000, 1, 1);
  r.Scale2X().SetLogarithmic(true);
  r.Scale2Y().SetLogarithmic(true);
  r.SetActiveLayer(2);
  r.SetDataColor(clRed);
  r.Line(0.0, 10.0, 10.0, 10.0);    // from (230, 35) to (140, 35)
  r.Line(100.0, 0.0, 100.0, 10.0);  // x 100 -> 260 - 140 = 120: from (70, -20) to (70, 35)
  data = DataArea(r);
  for (int x = 141; x < 210; ++x) EXPECT_EQ(Px(data, x, 35), clRed) << x;
  for (int y = 1; y < 35; ++y) EXPECT_EQ(Px(data, 70, y), clRed) << y;
  EXPECT_EQ(Px(data, 140, 35), clWhite);
  EXPECT_EQ(Px(data, 70, 35), clWhite);
  EXPECT_EQ(InkInside(data), 69 + 34);
}

// Decimal world values that land on a half pixel go to the even pixel, as the decimals say:
// 10 * 0.05 + 50 = 50.5 -> 50, 10 * 0.15 + 50 = 51.5 -> 52, 10 * 0.45 + 50 = 54.5 -> 54,
// 10 * 2.15 + 50 = 71.5 -> 72; 160 - 10 * 0.45 = 155.5 -> 156, 160 - 10 * 2.15 = 138.5 -> 138.
// (The doubles nearest these decimals are a hair off the halves, to either side.)
TEST(ExactPicture, DecimalHalvesGoToTheEvenPixel) {
  const double pts[][2] = {{0.45, 0.45}, {0.15, 2.15}, {2.15, 5.0}};
  const TPoint expected[] = {TPoint(54, 156), TPoint(52, 138), TPoint(72, 110)};
  TenPixelChart c;
  c.SetDataColor(clBlue);
  for (const auto& p : pts) c.Line(p[0], p[1], p[0], p[1]);
  TBitmap data = DataArea(c);
  for (const TPoint p : expected)
    EXPECT_EQ(Px(data, p.X - 50, p.Y - 20), clBlue) << p.X << "," << p.Y;
  EXPECT_EQ(InkInside(data), 3);

  // Polyline steps, marks and grid lines take the same pixels.
  TenPixelChart p;
  p.SetDataColor(clBlue);
  p.MoveTo(2.15, 9.0);  // (72, 70)
  p.DrawTo(2.15, 7.0);  // (72, 90)
  p.DrawTo(4.0, 7.0);   // (90, 90)
  p.SetDataColor(clRed);
  p.MarkAt(0.05, 0.45, 0);  // (50, 156): data (0, 136), under the frame
  p.MarkAt(0.15, 0.45, 0);  // (52, 156)
  p.SetGridStyle(gsHorizLines);
  p.SetGridColor(clGreen);
  p.SetGridDy(0.45);  // the second line on row 156
  data = DataArea(p);
  for (int y = 50; y <= 70; ++y) EXPECT_EQ(Px(data, 22, y), clBlue) << y;
  for (int x = 22; x < 40; ++x) EXPECT_EQ(Px(data, x, 70), clBlue) << x;
  EXPECT_EQ(Px(data, 2, 136), clRed);
  EXPECT_EQ(Px(data, 1, 136), clGreen);
  EXPECT_EQ(Px(data, 1, 135), clWhite);
}

TEST(ExactPicture, PixelOffsetsApplyAfterTheMapping) {
  TenPixelChart c;
  c.SetDataColor(clBlue);
  c.SetFillColor(clBlue);
  // (1, 1) -> data (10, 130) and (3, 1) -> data (30, 130), both moved by (2, -3).
  c.LineOffset(1.0, 1.0, 3.0, 1.0, 2, -3);
  // Centre (10, 3) -> data (100, 110); corners 3 and 2 pixels away, both included.
  c.RectangleRelPix(10.0, 3.0, 3, 2);
  // From (12.25, 9) -> (172.5 -> 172, 70), data (122, 50), five pixels to the right.
  c.DrawToRelPix(12.25, 9.0, 5, 0);
  // A move to (15, 11) -> data (150, 30), then two relative steps of (4, 2) and (0, -6).
  c.MoveTo(15.0, 11.0);
  c.DrawToRelPix(4, 2);
  c.DrawToRelPix(0, -6);
  const TBitmap data = DataArea(c);
  for (int x = 12; x < 32; ++x) EXPECT_EQ(Px(data, x, 127), clBlue) << x;
  for (int y = 108; y <= 112; ++y)
    for (int x = 97; x <= 103; ++x) EXPECT_EQ(Px(data, x, y), clBlue) << x << "," << y;
  for (int x = 122; x < 127; ++x) EXPECT_EQ(Px(data, x, 50), clBlue) << x;
  EXPECT_EQ(Px(data, 127, 50), clWhite);
  EXPECT_EQ(Px(data, 150, 30), clBlue);
  EXPECT_EQ(Px(data, 154, 32), clBlue);
  EXPECT_EQ(Px(data, 154, 27), clBlue);
  EXPECT_EQ(Px(data, 154, 26), clWhite);
  EXPECT_EQ(InkInside(data), 20 + 7 * 5 + 5 + 4 + 6);
}

TEST(ExactPicture, IsometricChartsRecentreForMarginsButNotForTheShadow) {
  TenPixelChart c;  // square screen pixels
  c.SetIsometric(true);
  // x 0..21 over 211 columns: y keeps its centre 7 and gets 21 * 141 / 211 units.
  double half = 21.0 * 141 / 211 / 2;
  EXPECT_NEAR(c.Scale1Y().RangeLow(), 7 - half, 1e-12);
  EXPECT_NEAR(c.Scale1Y().RangeHigh(), 7 + half, 1e-12);
  c.SetShadowWidth(8);  // the data area shrinks, the ranges stay
  EXPECT_NEAR(c.Scale1Y().RangeLow(), 7 - half, 1e-12);
  EXPECT_NEAR(c.Scale1Y().RangeHigh(), 7 + half, 1e-12);
  c.SetMarginTop(30);  // columns 50..252, rows 30..152: 203 x 123 pixels
  half = 21.0 * 123 / 203 / 2;
  EXPECT_NEAR(c.Scale1Y().RangeLow(), 7 - half, 1e-12);
  EXPECT_NEAR(c.Scale1Y().RangeHigh(), 7 + half, 1e-12);
  // The centre: 50 + 10.5 * 202 / 21 = 151, (152 + 30) / 2 = 91; data (101, 61).
  c.SetDataColor(clBlue);
  c.Line(10.5, 7.0, 10.5, 7.0);
  const TBitmap data = DataArea(c);
  EXPECT_EQ(data.Width(), 203);
  EXPECT_EQ(data.Height(), 123);
  EXPECT_EQ(Px(data, 101, 61), clBlue);
  EXPECT_EQ(InkInside(data), 1);
}

// --- Screen coordinates

TEST(ExactPicture, ScreenCoordinatesArePixelsOfTheDataBitmap) {
  TenPixelChart c;
  c.SetAnnoMode(true);
  c.SetDataColor(clBlue);
  c.Line(30, 40, 30, 40);  // screen: data bitmap (30, 40), control (80, 60)
  c.MoveTo(5, 0.75);       // x screen, y world: (5, 152.5 -> 152 - 20 = 132)
  c.DrawTo(25, 0.75);
  c.SetDataColor(clRed);
  c.SetFillColor(clRed);
  c.Rectangle(0.25, 13.75, 60, 10);  // world main (2, 2), screen secondary (60, 10)
  // A screen value that is not whole is rounded half to even: 100.5 -> 100, 101.5 -> 102.
  TrcChartItem half;
  ClearChartItem(half);
  half.ItemKind = tkLine;
  half.CoordMode = cmAllScreen;
  half.Color = clGreen;
  half.LWid = 1;
  half.x = half.x2 = 100.5;
  half.y = half.y2 = 101.5;
  c.Line(0, 0, 0, 0);  // a slot to overwrite
  c.SetAnnoItem(c.NumAnnos() - 1, half);
  c.SetAnnoMode(false);
  c.SetDataColor(clBlue);
  c.Line(3, 2, 3, 2);  // a data item takes the integers as world values: (80, 140)
  const TBitmap whole = Whole(c), data = DataArea(c);
  EXPECT_EQ(Px(whole, 80, 60), clBlue);
  EXPECT_EQ(Px(data, 30, 40), clBlue);
  for (int x = 5; x < 25; ++x) EXPECT_EQ(Px(data, x, 132), clBlue) << x;
  EXPECT_EQ(Px(data, 25, 132), clWhite);
  for (int y = 2; y <= 10; ++y)
    for (int x = 2; x <= 60; ++x) ASSERT_EQ(Px(data, x, y), clRed) << x << "," << y;
  EXPECT_EQ(Px(data, 100, 102), clGreen);
  EXPECT_EQ(Px(data, 30, 120), clBlue);
  EXPECT_EQ(InkInside(data), 1 + 20 + 59 * 9 + 1 + 1);
}

// --- Extents of the shapes

TEST(ExactPicture, RectanglesEllipsesAndFramesCoverBothCorners) {
  TenPixelChart c;
  c.SetDataColor(clBlue);
  c.SetFillColor(clYellow);
  // Corners (1, 1) -> (60, 150) and (3, 2) -> (80, 140): data columns 10..30, rows 120..130.
  c.Rectangle(1.0, 1.0, 3.0, 2.0);
  // Centre (6, 1.5), half axes (1, 0.5): box corners (5, 2) -> (100, 140) and (7, 1) ->
  // (120, 150): data columns 50..70, rows 120..130.
  c.Ellipse(6.0, 1.5, 1.0, 0.5);
  const TBitmap data = DataArea(c);
  for (int x = 10; x <= 30; ++x) {
    EXPECT_EQ(Px(data, x, 120), clBlue) << x;
    EXPECT_EQ(Px(data, x, 130), clBlue) << x;
  }
  for (int y = 120; y <= 130; ++y) {
    EXPECT_EQ(Px(data, 10, y), clBlue) << y;
    EXPECT_EQ(Px(data, 30, y), clBlue) << y;
  }
  for (int y = 121; y <= 129; ++y)
    for (int x = 11; x <= 29; ++x) ASSERT_EQ(Px(data, x, y), clYellow) << x << "," << y;
  // The ellipse touches the four sides of its box and nothing outside it.
  EXPECT_EQ(Px(data, 50, 125), clBlue);
  EXPECT_EQ(Px(data, 70, 125), clBlue);
  EXPECT_EQ(Px(data, 60, 120), clBlue);
  EXPECT_EQ(Px(data, 60, 130), clBlue);
  EXPECT_EQ(Px(data, 60, 125), clYellow);
  // Nothing outside the two boxes.
  int outside = 0;
  for (int y = 1; y < 140; ++y)
    for (int x = 1; x < 210; ++x) {
      const bool in_rect = x >= 10 && x <= 30 && y >= 120 && y <= 130;
      const bool in_ellipse_box = x >= 50 && x <= 70 && y >= 120 && y <= 130;
      outside += !in_rect && !in_ellipse_box && Px(data, x, y) != clWhite;
    }
  EXPECT_EQ(outside, 0);

  // A lowered frame: the fill F inside, the shadow colour on the left and top, the highlight on
  // the right and bottom, on the ring of columns 10..30 and rows 120..130.
  TenPixelChart f;
  f.SetFillColor(clYellow);
  f.RectFrame(1.0, 1.0, 3.0, 2.0, rbLowered, clGray, clAqua);
  const TBitmap frame = DataArea(f);
  for (int y = 120; y < 130; ++y) EXPECT_EQ(Px(frame, 10, y), clGray) << y;  // (L, B) up to T
  for (int x = 10; x < 30; ++x) EXPECT_EQ(Px(frame, x, 120), clGray) << x;
  for (int y = 120; y < 130; ++y) EXPECT_EQ(Px(frame, 30, y), clAqua) << y;
  for (int x = 11; x <= 30; ++x) EXPECT_EQ(Px(frame, x, 130), clAqua) << x;
  EXPECT_EQ(Px(frame, 10, 130), clGray);
  for (int y = 121; y < 130; ++y)
    for (int x = 11; x < 30; ++x) ASSERT_EQ(Px(frame, x, y), clYellow) << x << "," << y;
  EXPECT_EQ(InkInside(frame), 21 * 11);
}

TEST(ExactPicture, BarsHaveTheirFrontBetweenTheCornersAndTheirDepthAtTheAngle) {
  TenPixelChart c;
  c.SetDataColor(clBlue);
  c.SetFillColor(clYellow);
  // Corners (1, 0.5) -> (60, 155) and (3, 2) -> (80, 140): data x1 = 10, x2 = 30, top 120,
  // bottom 135. Depth 10 at 45 degrees: e = round(cos 45 * 10) = 7, f = round(sin 45 * 10) = 7.
  c.Bar3D(1.0, 0.5, 3.0, 2.0, 10, 45);
  const TBitmap data = DataArea(c);
  // Front: columns 10..30, rows 120..135, outlined in blue and filled yellow.
  for (int x = 10; x <= 30; ++x) EXPECT_EQ(Px(data, x, 135), clBlue) << x;
  for (int y = 120; y <= 135; ++y) EXPECT_EQ(Px(data, 10, y), clBlue) << y;
  EXPECT_EQ(Px(data, 20, 128), clYellow);
  EXPECT_EQ(Px(data, 31, 135), clWhite);
  EXPECT_EQ(Px(data, 10, 136), clWhite);
  // Top face (10, 120), (17, 113), (37, 113), (30, 120); side face down to (37, 128).
  for (int x = 17; x <= 37; ++x) EXPECT_EQ(Px(data, x, 113), clBlue) << x;
  EXPECT_EQ(Px(data, 16, 113), clWhite);
  EXPECT_EQ(Px(data, 38, 113), clWhite);
  for (int y = 113; y <= 128; ++y) EXPECT_EQ(Px(data, 37, y), clBlue) << y;
  EXPECT_EQ(Px(data, 37, 129), clWhite);
  EXPECT_EQ(Px(data, 38, 120), clWhite);
  EXPECT_EQ(Px(data, 25, 117), clYellow);  // inside the top face
  EXPECT_EQ(Px(data, 34, 122), clYellow);  // inside the side face
  EXPECT_EQ(Px(data, 12, 114), clWhite);   // left of the top face's slanted edge
  EXPECT_EQ(Px(data, 35, 132), clWhite);   // below the side face's slanted edge
}

TEST(ExactPicture, ArrowHeadsAtTheirComputedCorners) {
  TenPixelChart c;
  c.SetDataColor(clBlue);
  c.SetFillColor(clYellow);
  // Tail (1, 7) -> data (10, 70), tip (11, 7) -> data (110, 70): alpha = pi / 2, head 10:
  // corners (110 - round(sin 110 * 10), 70 + round(cos 110 * 10)) = (101, 67) and
  // (110 - round(sin 70 * 10), 70 + round(cos 70 * 10)) = (101, 73).
  c.Arrow(1.0, 7.0, 11.0, 7.0, 10);
  // Straight down the screen: tail (15, 10) -> (150, 40), tip (15, 2) -> (150, 120); alpha = pi,
  // head 8: (150 - round(sin 200 * 8), 120 + round(cos 200 * 8)) = (153, 112) and
  // (150 - round(sin 160 * 8), 120 + round(cos 160 * 8)) = (147, 112).
  c.Arrow(15.0, 10.0, 15.0, 2.0, 8);
  const TBitmap data = DataArea(c);
  for (const TPoint p : {TPoint(10, 70), TPoint(101, 67), TPoint(101, 73), TPoint(110, 70),
                         TPoint(150, 40), TPoint(153, 112), TPoint(147, 112), TPoint(150, 120)})
    EXPECT_EQ(Px(data, p.X, p.Y), clBlue) << p.X << "," << p.Y;
  for (const TPoint p : {TPoint(111, 70), TPoint(101, 66), TPoint(101, 74), TPoint(100, 67),
                         TPoint(150, 121), TPoint(154, 112), TPoint(146, 112), TPoint(147, 111)})
    EXPECT_EQ(Px(data, p.X, p.Y), clWhite) << p.X << "," << p.Y;
  EXPECT_EQ(Px(data, 104, 69), clYellow);  // inside the tip's triangle
  EXPECT_EQ(Px(data, 149, 114), clYellow);
}

TEST(ExactPicture, CursorsCrossTheWholeDataArea) {
  TenPixelChart c;
  c.SetDataColor(clBlue);
  c.CursorVert(2.25);   // 72.5 -> 72: data column 22, rows 0 .. 200 - 40 - 20 - 1
  c.CursorHoriz(3.75);  // 122.5 -> 122: data row 102, columns 0 .. 280 - 50 - 20 - 1
  const TBitmap data = DataArea(c);
  for (int y = 1; y < 140; ++y) EXPECT_EQ(Px(data, 22, y), clBlue) << y;
  for (int x = 1; x < 210; ++x) EXPECT_EQ(Px(data, x, 102), clBlue) << x;
  EXPECT_EQ(InkInside(data), 139 + 209 - 1);
  EXPECT_EQ(Px(data, 22, 0), clBlack);  // the frame is drawn last
  EXPECT_EQ(Px(data, 210, 102), clBlack);
}

TEST(ExactPicture, MarksAreCentredOnTheirPointAndErrorBarsEndInTicks) {
  TenPixelChart c;
  c.SetDataColor(clBlue);
  c.MarkAt(4.75, 9.25, 1);  // a 3 x 3 dot around (97.5 -> 98, 67.5 -> 68): data (48, 48)
  // Vertical error bars around (10, 5) -> (150, 110), data (100, 90); the lower end
  // 5 - 1.5 -> 125, data row 105; the upper end 5 + 2.25 -> 87.5 -> 88, data row 68; ticks
  // from column 100 - 3 to column 100 + 4, its end left out.
  c.MarkErrorBar(10.0, 5.0, 1.5, 2.25, orVertical, 0);
  const TBitmap data = DataArea(c);
  for (int y = 47; y <= 49; ++y)
    for (int x = 47; x <= 49; ++x) EXPECT_EQ(Px(data, x, y), clBlue) << x << "," << y;
  for (int y = 68; y <= 105; ++y) EXPECT_EQ(Px(data, 100, y), clBlue) << y;
  for (int x = 97; x <= 103; ++x) {
    EXPECT_EQ(Px(data, x, 68), clBlue) << x;
    EXPECT_EQ(Px(data, x, 105), clBlue) << x;
  }
  EXPECT_EQ(InkInside(data), 9 + 38 + 2 * 6);
}

// --- Texts

// Width and height of a text in the text font at a size.
TSize TextCell(const TCustomRChart& c, int size, const std::string& s) {
  TBitmap b(1, 1);
  b.Canvas().Font().SetName(c.TextFont().Name());
  b.Canvas().Font().SetStyle(c.TextFont().Style());
  b.Canvas().Font().SetSize(size);
  return TSize{b.Canvas().TextWidth(s), b.Canvas().TextHeight(s)};
}

// The bounding box of the pixels of one colour.
TRect Extent(const TBitmap& b, TColor col) {
  TRect r(b.Width(), b.Height(), -1, -1);
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      if (Px(b, x, y) == col) {
        r.Left = std::min(r.Left, x);
        r.Top = std::min(r.Top, y);
        r.Right = std::max(r.Right, x + 1);
        r.Bottom = std::max(r.Bottom, y + 1);
      }
  return r;
}

// Texts whose colour is their background colour show as one box: the text cell, or the box
// around the lines of a multi-line text, exactly where the anchor puts it.
TEST(ExactPicture, TextAnchorsAndAlignment) {
  for (const TAlignment a : {taLeftJustify, taRightJustify, taCenter}) {
    TenPixelChart c;
    c.SetDataColor(clRed);
    c.SetFillColor(clRed);
    c.SetTextBkStyle(tbSolid);
    c.SetTextAlignment(a);
    c.Text(10.5, 7.0, 12, "Anchor");  // (155, 90): data (105, 70)
    const TSize cell = TextCell(c, 12, "Anchor");
    const int h = cell.cy + 1;  // line height
    int x = 105;
    if (a == taRightJustify) x -= cell.cx;
    if (a == taCenter) x -= cell.cx / 2;
    const int y = 70 - h / 2;
    EXPECT_EQ(Extent(DataArea(c), clRed), TRect(x, y, x + cell.cx, y + cell.cy)) << a;
  }
  // With a pixel offset, in the whole picture: anchor (155 + 3, 90 - 4), right-aligned.
  TenPixelChart o;
  o.SetDataColor(clRed);
  o.SetFillColor(clRed);
  o.SetTextBkStyle(tbSolid);
  o.Text(10.5, 7.0, 10, "Offset", 3, -4, taRightJustify);
  const TSize cell = TextCell(o, 10, "Offset");
  const int y = 86 - (cell.cy + 1) / 2;
  EXPECT_EQ(Extent(Whole(o), clRed), TRect(158 - cell.cx, y, 158, y + cell.cy));
  // A screen text annotation: the anchor is the data-bitmap pixel.
  TenPixelChart s;
  s.SetAnnoMode(true);
  s.SetDataColor(clRed);
  s.SetFillColor(clRed);
  s.SetTextBkStyle(tbSolid);
  s.SetTextAlignment(taLeftJustify);
  s.Text(40, 30, 9, "Screen");
  const TSize sc = TextCell(s, 9, "Screen");
  const int sy = 30 - (sc.cy + 1) / 2;
  EXPECT_EQ(Extent(DataArea(s), clRed), TRect(40, sy, 40 + sc.cx, sy + sc.cy));
}

TEST(ExactPicture, MultiLineTextsSitInOneBoxFourAndTwoPixelsAroundTheLines) {
  TenPixelChart c;
  c.SetDataColor(clRed);
  c.SetFillColor(clRed);
  c.SetTextBkStyle(tbSolid);
  c.SetTextAlignment(taCenter);
  c.Text(10.0, 7.0, 10, "ab\nlonger\nc");  // (150, 90): data (100, 70)
  const TSize wide = TextCell(c, 10, "longer");
  const int h = TextCell(c, 10, "ab\nlonger\nc").cy + 1;
  const int x = 100 - wide.cx / 2, y = 70 - h / 2;
  EXPECT_EQ(Extent(DataArea(c), clRed), TRect(x - 4, y - 2, x + wide.cx + 4, y + 3 * h + 2));
}

// --- Grid

TEST(ExactPicture, GridLinesAtWorldStepsLandOnTheirRoundedPixels) {
  TenPixelChart c;
  c.SetGridStyle(gsLines);
  c.SetGridColor(clBlue);
  c.SetGridDx(0.75);  // 0, 0.75, ..., 20.25: columns 50, 57.5 -> 58, 65, 72.5 -> 72, ...
  c.SetGridDy(1.25);  // 0, 1.25, ..., 13.75: rows 160, 147.5 -> 148, 135, 122.5 -> 122, ...
  std::set<int> cols, rows;
  for (int k = 0; 0.75 * k < 21; ++k) cols.insert(Nearest(7.5L * k + 50) - 50);
  for (int k = 0; 1.25 * k < 14; ++k) rows.insert(Nearest(160 - 12.5L * k) - 20);
  EXPECT_EQ(cols.size(), 28u);
  EXPECT_EQ(rows.size(), 12u);
  EXPECT_TRUE(cols.count(8) && cols.count(22) && !cols.count(23));
  EXPECT_TRUE(rows.count(128) && rows.count(102) && rows.count(2));
  const TBitmap data = DataArea(c);
  for (int y = 1; y < 140; ++y)
    for (int x = 1; x < 210; ++x) {
      const bool on = cols.count(x) || rows.count(y);
      ASSERT_EQ(Px(data, x, y), on ? clBlue : clWhite) << x << "," << y;
    }

  // Points: one pixel at every pair of grid values.
  c.SetGridStyle(gsPoints);
  const TBitmap points = DataArea(c);
  for (int y = 1; y < 140; ++y)
    for (int x = 1; x < 210; ++x) {
      const bool on = cols.count(x) && rows.count(y);
      ASSERT_EQ(Px(points, x, y), on ? clBlue : clWhite) << x << "," << y;
    }
}

TEST(ExactPicture, GridAtStepZeroMeetsTheTicksOfTheAxis) {
  TenPixelChart c;
  c.SetGridStyle(gsVertLines);
  c.SetGridColor(clBlue);
  const TBitmap whole = Whole(c);
  // Columns of the grid inside the data area, and columns where the x axis has ink on the row
  // just below the data area.
  std::set<int> grid, ticks;
  for (int x = 51; x < 260; ++x) {
    if (Px(whole, x, 100) == clBlue) grid.insert(x);
    if (Px(whole, x, 161) != ColorToRGB(clBtnFace)) ticks.insert(x);
  }
  EXPECT_GE(grid.size(), 3u);
  EXPECT_EQ(grid, ticks);
}

TEST(ExactPicture, LayerTwoGridMeetsTheTicksOfTheTopAndRightAxes) {
  TCustomRChart c(nullptr);
  c.SetStandardLayout(rcl_X2Both_Y2Both);  // margins 50, 50, 64, 40: columns 50..230, rows 64..160
  c.SetRange(2, -3, 100, 17, 400);
  c.SetActiveLayer(2);
  c.SetGridStyle(gsLines);
  c.SetGridColor(clBlue);
  const TBitmap whole = Whole(c);
  const TColor face = ColorToRGB(clBtnFace);
  std::set<int> grid_cols, grid_rows, top_ticks, right_ticks;
  for (int x = 51; x < 230; ++x) {
    bool all = true;
    for (int y = 65; y < 160; ++y) all = all && Px(whole, x, y) == clBlue;
    if (all) grid_cols.insert(x);
    if (Px(whole, x, 63) != face) top_ticks.insert(x);
  }
  for (int y = 65; y < 160; ++y) {
    bool all = true;
    for (int x = 51; x < 230; ++x) all = all && Px(whole, x, y) == clBlue;
    if (all) grid_rows.insert(y);
    if (Px(whole, 231, y) != face) right_ticks.insert(y);
  }
  EXPECT_GE(grid_cols.size(), 3u);
  EXPECT_GE(grid_rows.size(), 2u);
  EXPECT_EQ(grid_cols, top_ticks);
  EXPECT_EQ(grid_rows, right_ticks);
}

// --- Text labels

TSize LabelCell(const TTextLabel& lb, const std::string& s) {
  TBitmap b(1, 1);
  b.Canvas().Font().Assign(lb.Font());
  return TSize{b.Canvas().TextWidth(s), b.Canvas().TextHeight(s)};
}

TEST(ExactPicture, TextLabelBoxesAroundTheirAnchor) {
  TenPixelChart c;
  // World (10.5, 7) -> control (155, 90) -> data (105, 70); centred, the anchor at the bottom.
  ASSERT_EQ(c.AddTextLabel(10.5, 7.0, clBlack, "Label"), 1);
  TTextLabel& lb = c.TextLabels(1);
  EXPECT_EQ(lb.VerticalAlignment(), vaBottom);
  EXPECT_EQ(lb.Alignment(), taCenter);
  lb.SetMode(tlmFramed);
  lb.SetColorBorder(clBlue);
  lb.SetColorBkg(clYellow);
  const TSize cell = LabelCell(lb, "Label");
  int x = 105 - cell.cx / 2;
  // The box from (x - 4, 70 - h - 2) to (x + w + 4, 70 + 2), the right and bottom edges
  // excluded.
  TRect box(x - 4, 70 - cell.cy - 2, x + cell.cx + 4, 72);
  TBitmap data = DataArea(c);
  EXPECT_EQ(Extent(data, clBlue), box);
  EXPECT_EQ(Px(data, box.Left + 1, box.Top + 1), clYellow);
  EXPECT_EQ(Px(data, box.Right - 2, box.Bottom - 2), clYellow);
  EXPECT_EQ(Px(data, box.Left, box.Bottom - 1), clBlue);
  EXPECT_EQ(Px(data, box.Right - 1, box.Top), clBlue);

  // Two lines hanging from the anchor (vertical alignment top), left-aligned, at control
  // pixels (round 200.4, round 100.6) = (200, 101): data (150, 81).
  lb.SetCaption("one\ntwo two");
  lb.SetVerticalAlignment(vaTop);
  lb.SetAlignment(taLeftJustify);
  lb.SetAttachToData(taNone);
  lb.SetPosX(200.4);
  lb.SetPosY(100.6);
  const int w = LabelCell(lb, "two two").cx, h = LabelCell(lb, "one\ntwo two").cy;
  box = TRect(150 - 4, 81 - 2, 150 + w + 4, 81 + 2 * h + 2);
  data = DataArea(c);
  EXPECT_EQ(Extent(data, clBlue), box);

  // Shadowed: the shadow box shifted by (3, 3) in grey under the box.
  lb.SetMode(tlmShadowed);
  lb.SetShadowDx(3);
  lb.SetShadowDy(3);
  lb.SetColorShadow(clGray);
  data = DataArea(c);
  EXPECT_EQ(Extent(data, clBlue), box);
  EXPECT_EQ(Extent(data, clGray), TRect(box.Left + 3, box.Top + 3, box.Right + 3, box.Bottom + 3));
  EXPECT_EQ(Px(data, box.Right, box.Top + 3), clGray);
  EXPECT_EQ(Px(data, box.Right - 1, box.Bottom), clGray);
  EXPECT_EQ(Px(data, box.Left + 2, box.Bottom), clWhite);
}

}  // namespace
}  // namespace kiv
