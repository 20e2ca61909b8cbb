// Bitmap transfers: Draw, CopyRect and StretchDraw with the copy modes.
#include <gtest/gtest.h>

#include <climits>

#include "pixel_util.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"

namespace kiv {
namespace {

using testing::Picture;
using testing::SamePixels;

// A 3 x 2 picture: red green blue / black white red.
TBitmap Sample() {
  TBitmap s(3, 2);
  TCanvas& c = s.Canvas();
  c.SetPixels(0, 0, clRed);
  c.SetPixels(1, 0, clLime);
  c.SetPixels(2, 0, clBlue);
  c.SetPixels(0, 1, clBlack);
  c.SetPixels(2, 1, clRed);
  return s;
}

TEST(CanvasDraw, CopiesThePictureAtAPositionAndClipsIt) {
  TBitmap b(5, 3);
  const TBitmap s = Sample();
  b.Canvas().Draw(1, 1, s);
  b.Canvas().Draw(4, -1, s);  // mostly outside
  EXPECT_EQ(Picture(b),
            "....#\n"
            ".RGB.\n"
            ".#.R.\n");
}

TEST(CanvasDraw, CopyModesCombineSourceAndDestination) {
  TBitmap src(1, 1), dst(1, 1);
  src.Canvas().SetPixels(0, 0, 0x0F0FF0);
  auto result = [&](TCopyMode mode) {
    dst.Canvas().SetPixels(0, 0, 0x00FF0F);
    dst.Canvas().SetCopyMode(mode);
    dst.Canvas().Draw(0, 0, src);
    return dst.Canvas().Pixels(0, 0);
  };
  EXPECT_EQ(result(cmSrcCopy), 0x0F0FF0);
  EXPECT_EQ(result(cmSrcAnd), 0x000F00);
  EXPECT_EQ(result(cmSrcPaint), 0x0FFFFF);
  EXPECT_EQ(result(cmSrcInvert), 0x0FF0FF);
  EXPECT_EQ(result(cmNotSrcCopy), 0xF0F00F);
  EXPECT_EQ(result(cmSrcErase), 0x0F00F0);
  EXPECT_EQ(result(cmDstInvert), 0xFF00F0);
  EXPECT_EQ(result(cmBlackness), 0x000000);
  EXPECT_EQ(result(cmWhiteness), 0xFFFFFF);
  dst.Canvas().Brush().SetColor(0x123456);
  EXPECT_EQ(result(cmPatCopy), 0x123456);
}

TEST(CanvasDraw, XorTwiceRestores) {
  TBitmap b(6, 4);
  b.Canvas().Brush().SetColor(clTeal);
  b.Canvas().FillRect(TRect(1, 1, 5, 3));
  const TBitmap before = b;
  const TBitmap s = Sample();
  b.Canvas().SetCopyMode(cmSrcInvert);
  b.Canvas().Draw(2, 1, s);
  EXPECT_FALSE(SamePixels(before, b));
  b.Canvas().Draw(2, 1, s);
  EXPECT_TRUE(SamePixels(before, b));
}

TEST(CanvasStretch, ScalesByNearestPixelAndMirrors) {
  const TBitmap s = Sample();
  TBitmap b(6, 4);
  b.Canvas().StretchDraw(TRect(0, 0, 6, 4), s);
  EXPECT_EQ(Picture(b),
            "RRGGBB\n"
            "RRGGBB\n"
            "##..RR\n"
            "##..RR\n");
  // CopyRect reads from the source canvas' bitmap; a mirrored destination mirrors the picture.
  TBitmap m(3, 2);
  TBitmap src = Sample();
  m.Canvas().CopyRect(TRect(3, 0, 0, 2), src.Canvas(), TRect(0, 0, 3, 2));
  EXPECT_EQ(Picture(m),
            "BGR\n"
            "R.#\n");
}

TEST(CanvasStretch, ShrinksAndIgnoresSourcePixelsOutsideTheSource) {
  TBitmap src(4, 4);
  src.Canvas().Brush().SetColor(clBlack);
  src.Canvas().FillRect(TRect(0, 0, 2, 4));
  TBitmap b(2, 2);
  b.Canvas().CopyRect(TRect(0, 0, 2, 2), src.Canvas(), TRect(0, 0, 4, 4));
  EXPECT_EQ(Picture(b), "#.\n#.\n");
  TBitmap c(3, 1);
  c.Canvas().CopyRect(TRect(0, 0, 3, 1), src.Canvas(), TRect(2, 0, 5, 1));
  EXPECT_EQ(Picture(c), "...\n");  // the third source column does not exist: left as it was
}

// Rectangles reaching across the whole int range: sizes and offsets beyond 32 bits, products
// beyond 64 bits. Each row of the case is the top row of Sample (red, green, blue) copied onto a
// white 5 x 1 bitmap.
TEST(CanvasStretch, RectanglesAcrossTheWholeIntRange) {
  struct Case {
    const char* what;
    TRect dest, src;
    const char* picture;
  };
  const Case cases[] = {
      // 2^32 - 1 destination pixels show 3: the visible ones lie in the middle, on green.
      {"stretched over the range", TRect(INT_MIN, 0, INT_MAX, 1), TRect(0, 0, 3, 1), "GGGGG\n"},
      {"mirrored over the range", TRect(INT_MAX, 0, INT_MIN, 1), TRect(0, 0, 3, 1), "GGGGG\n"},
      // One source pixel less than destination pixels: destination x shows source x - 1.
      {"almost the same size", TRect(INT_MIN, 0, INT_MAX, 1), TRect(INT_MIN, 0, INT_MAX - 1, 1),
       ".RGB.\n"},
      {"the same size", TRect(INT_MIN, 0, INT_MAX, 1), TRect(INT_MIN, 0, INT_MAX, 1), "RGB..\n"},
      {"far apart", TRect(INT_MIN + 10, 0, INT_MIN + 13, 1), TRect(INT_MAX - 3, 0, INT_MAX, 1),
       ".....\n"},
      {"source beyond the range", TRect(0, 0, 5, 1), TRect(INT_MIN, 0, INT_MIN + 5, 1), ".....\n"},
      {"source far to the right", TRect(-2, 0, 3, 1), TRect(INT_MAX - 5, 0, INT_MAX, 1), ".....\n"},
  };
  TBitmap src = Sample();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TBitmap b(5, 1);
    b.Canvas().CopyRect(c.dest, src.Canvas(), c.src);
    EXPECT_EQ(Picture(b), c.picture);
  }
  // Draw at the far end: nothing shows, nothing wraps around to the visible side.
  TBitmap b(5, 1);
  b.Canvas().Draw(INT_MAX - 1, 0, src);
  b.Canvas().Draw(INT_MIN, 0, src);
  EXPECT_EQ(Picture(b), ".....\n");
}

}  // namespace
}  // namespace kiv
