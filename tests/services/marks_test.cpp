// Data marks: sizes and centring, symmetry, distinct looks, pen-only hollow marks, clipping at
// the bitmap edge, XOR reversibility and the fallback for unknown mark numbers.
#include "services/marks.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <set>
#include <string>

#include "paint_util.h"
#include "platform/bitmap.h"

namespace kiv {
namespace {

using testing::CountColor;
using testing::InkBounds;
using testing::Picture;

constexpr int kSide = 21;  // test bitmaps are kSide x kSide with the mark at the centre
constexpr int kMid = kSide / 2;

// Width and height of every mark, as the table in the header lists them.
struct Size {
  int w, h;
};
constexpr std::array<Size, kNumMarks> kSizes = {{
    {1, 1},   {3, 3}, {5, 5},   {5, 5},   {9, 9},   {5, 5},   {9, 9},   {5, 5},   {9, 9},
    {5, 5},   {9, 9}, {5, 5},   {9, 9},   {7, 7},   {11, 11}, {7, 7},   {11, 11}, {7, 7},
    {11, 11}, {7, 7}, {11, 11}, {7, 7},   {11, 11}, {7, 7},   {11, 11}, {5, 5},   {9, 9},
    {5, 5},   {9, 9}, {7, 7},   {11, 11}, {7, 7},   {11, 11}, {7, 7},   {11, 11}, {7, 7},
    {11, 11}, {9, 1}, {1, 9},   {15, 1},  {1, 15},  {9, 9},   {9, 9},   {9, 9},   {11, 11},
    {9, 9},   {9, 9}, {11, 11}, {11, 11}, {9, 9},   {9, 9},   {13, 13},
}};

bool IsFilled(int m) {
  static const std::set<int> filled = {11, 12, 15, 16, 19, 20, 23, 24, 27,
                                       28, 31, 32, 35, 36, 48, 49, 50};
  return filled.count(m) != 0;
}

// Black pen, blue brush, mark at the centre of a white bitmap.
TBitmap Draw(int mark, int x = kMid, int y = kMid, int side = kSide) {
  TBitmap b(side, side);
  TCanvas& c = b.Canvas();
  c.Brush().SetColor(clBlue);
  DrawMarkOnCanvas(c, mark, x, y);
  return b;
}

TBitmap MirrorX(const TBitmap& b) {
  TBitmap m(b.Width(), b.Height());
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) m.ScanLine(y)[b.Width() - 1 - x] = b.ScanLine(y)[x];
  return m;
}

TBitmap MirrorY(const TBitmap& b) {
  TBitmap m(b.Width(), b.Height());
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) m.ScanLine(b.Height() - 1 - y)[x] = b.ScanLine(y)[x];
  return m;
}

// The obvious reference: set the pixels of the mark's picture one by one.
TBitmap Reference(int mark, TColor pen, TColor brush) {
  TBitmap b(kSide, kSide);
  const std::string pic = MarkPicture(mark);
  const int w = static_cast<int>(pic.find('\n'));
  const int h = static_cast<int>(pic.size()) / (w + 1);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const char ink = pic[static_cast<std::size_t>(y * (w + 1) + x)];
      if (ink == '.') continue;
      b.Canvas().SetPixels(kMid - w / 2 + x, kMid - h / 2 + y, ink == '#' ? pen : brush);
    }
  }
  return b;
}

TEST(Marks, DrawingMatchesThePicturePixelByPixel) {
  for (int m = 0; m < kNumMarks; ++m) {
    EXPECT_EQ(Picture(Draw(m)), Picture(Reference(m, clBlack, clBlue))) << "mark " << m;
  }
}

TEST(Marks, PicturesOfUnknownNumbersAreTheSmallDot) {
  EXPECT_EQ(MarkPicture(1), "###\n###\n###\n");
  EXPECT_EQ(MarkPicture(300), MarkPicture(1));
  EXPECT_EQ(MarkPicture(-7), MarkPicture(1));
  EXPECT_EQ(MarkPicture(37), "#########\n");
}

TEST(Marks, EachMarkHasItsListedSizeCentredOnThePoint) {
  for (int m = 0; m < kNumMarks; ++m) {
    const TRect ink = InkBounds(Draw(m));
    const Size s = kSizes[static_cast<std::size_t>(m)];
    EXPECT_EQ(ink, TRect(kMid - s.w / 2, kMid - s.h / 2, kMid + s.w / 2 + 1, kMid + s.h / 2 + 1))
        << "mark " << m;
  }
}

TEST(Marks, SymmetricLooksAreExactlySymmetric) {
  for (int m = 0; m < kNumMarks; ++m) {
    const TBitmap b = Draw(m);
    const bool points_sideways = m >= 29 && m <= 36;  // triangles left and right
    const bool points_up_or_down = (m >= 17 && m <= 24) || m == 47 || m == 48;
    if (!points_sideways) {
      EXPECT_EQ(Picture(MirrorX(b)), Picture(b)) << "mark " << m;
    }
    if (!points_up_or_down) {
      EXPECT_EQ(Picture(MirrorY(b)), Picture(b)) << "mark " << m;
    }
  }
}

TEST(Marks, TrianglesPointTheWayTheirNameSays) {
  // Mirroring a triangle up gives the triangle down, and left gives right.
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(Picture(MirrorY(Draw(17 + k))), Picture(Draw(21 + k))) << k;
    EXPECT_EQ(Picture(MirrorX(Draw(29 + k))), Picture(Draw(33 + k))) << k;
  }
  // The tip of an upward triangle is one pixel in the top row.
  const TBitmap up = Draw(18);
  EXPECT_EQ(Picture(up, TRect(kMid - 5, kMid - 5, kMid + 6, kMid - 4)), ".....#.....\n");
}

TEST(Marks, AllMarksLookDifferent) {
  std::set<std::string> looks;
  for (int m = 0; m < kNumMarks; ++m) looks.insert(Picture(Draw(m)));
  EXPECT_EQ(looks.size(), static_cast<std::size_t>(kNumMarks));
}

TEST(Marks, HollowMarksUseThePenOnlyAndFilledMarksTheBrushInside) {
  for (int m = 0; m < kNumMarks; ++m) {
    const TBitmap b = Draw(m);
    EXPECT_GT(CountColor(b, clBlack), 0) << "mark " << m;
    if (IsFilled(m)) {
      EXPECT_GT(CountColor(b, clBlue), 0) << "mark " << m;
    } else {
      EXPECT_EQ(CountColor(b, clBlue), 0) << "mark " << m;
    }
  }
}

TEST(Marks, FilledSquareAndCirclePictures) {
  EXPECT_EQ(Picture(Draw(11), TRect(kMid - 2, kMid - 2, kMid + 3, kMid + 3)),
            "#####\n"
            "#ooo#\n"
            "#ooo#\n"
            "#ooo#\n"
            "#####\n");
  EXPECT_EQ(Picture(Draw(45), TRect(kMid - 4, kMid - 4, kMid + 5, kMid + 5)),
            "...###...\n"
            "..#...#..\n"
            ".#.....#.\n"
            "#..###..#\n"
            "#..###..#\n"
            "#..###..#\n"
            ".#.....#.\n"
            "..#...#..\n"
            "...###...\n");
}

TEST(Marks, ClearBrushLeavesTheInteriorOfFilledMarksAlone) {
  TBitmap b(kSide, kSide);
  b.Canvas().Brush().SetStyle(bsClear);
  DrawMarkOnCanvas(b.Canvas(), 12, kMid, kMid);
  EXPECT_EQ(Picture(b), Picture(Draw(10)));  // the filled square looks hollow
}

TEST(Marks, UnknownMarkNumbersDrawTheSmallDot) {
  const std::string dot = Picture(Draw(1));
  for (int m : {52, 99, 255, 256, -1, INT_MIN, INT_MAX}) EXPECT_EQ(Picture(Draw(m)), dot) << m;
}

TEST(Marks, MarksAtTheEdgeAreClippedExactly) {
  // A mark half outside a small bitmap shows exactly the part a big bitmap shows there.
  for (int m = 0; m < kNumMarks; ++m) {
    for (const TPoint p : {TPoint(0, 0), TPoint(5, 5), TPoint(-4, 2), TPoint(3, -6)}) {
      const TBitmap small = Draw(m, p.X, p.Y, 6);
      const TBitmap big = Draw(m, p.X + 20, p.Y + 20, 46);
      EXPECT_EQ(Picture(small), Picture(big, TRect(20, 20, 26, 26)))
          << "mark " << m << " at " << p.X << "," << p.Y;
    }
  }
}

TEST(Marks, FarAwayPositionsDrawNothingAndDoNotFail) {
  for (const TPoint p : {TPoint(INT_MAX, INT_MAX), TPoint(INT_MIN, 3), TPoint(3, INT_MIN + 1),
                         TPoint(1 << 30, -(1 << 30))}) {
    for (int m : {0, 16, 39, 48, 51}) {
      const TBitmap b = Draw(m, p.X, p.Y, 4);
      EXPECT_TRUE(InkBounds(b).IsEmpty());
    }
  }
}

TEST(Marks, DrawnTwiceInXorModeTheyVanish) {
  for (int m = 0; m < kNumMarks; ++m) {
    TBitmap b(kSide, kSide);
    TCanvas& c = b.Canvas();
    c.Pen().SetMode(pmXor);
    c.Pen().SetColor(clYellow);
    c.Brush().SetColor(clAqua);
    DrawMarkOnCanvas(c, m, kMid, kMid);
    EXPECT_FALSE(InkBounds(b).IsEmpty()) << "mark " << m;
    DrawMarkOnCanvas(c, m, kMid, kMid);
    EXPECT_TRUE(InkBounds(b).IsEmpty()) << "mark " << m;
  }
}

TEST(Marks, PenColourAndPositionAreKept) {
  TBitmap b(kSide, kSide);
  TCanvas& c = b.Canvas();
  c.Pen().SetColor(clRed);
  c.MoveTo(2, 3);
  DrawMarkOnCanvas(c, 8, kMid, kMid);
  EXPECT_EQ(c.Pixels(kMid, kMid), clRed);
  EXPECT_EQ(c.PenPos(), TPoint(2, 3));
  EXPECT_EQ(c.Pen().Style(), psSolid);
}

TEST(Marks, AWiderPenMakesABolderMarkAroundTheSameCentre) {
  for (int m : {5, 10, 26, 48}) {
    TBitmap b(kSide, kSide);
    TCanvas& c = b.Canvas();
    c.Pen().SetWidth(3);
    DrawMarkOnCanvas(c, m, kMid, kMid);
    const TRect thin = InkBounds(Draw(m));
    const TRect bold = InkBounds(b);
    EXPECT_GT(CountColor(b, clBlack), CountColor(Draw(m), clBlack)) << "mark " << m;
    EXPECT_EQ(bold.Left - thin.Left, thin.Right - bold.Right) << "mark " << m;
    EXPECT_EQ(bold.Top - thin.Top, thin.Bottom - bold.Bottom) << "mark " << m;
  }
}

}  // namespace
}  // namespace kiv
