// Frames: golden pictures of three styles, every style inside its rectangle at every small size,
// and the pen left as it was.
#include "services/frame.h"

#include <gtest/gtest.h>

#include "paint_util.h"
#include "platform/bitmap.h"

namespace kiv {
namespace {

using testing::InkBounds;
using testing::Picture;

// Near-white highlight ('W'), silver, grey, black and a red frame line, so that every colour
// shows up distinctly in the pictures.
constexpr TColor kHighLight = 0xFEFEFE;

void Frame(TBitmap& b, TFrameStyle style, int l, int t, int r, int bt) {
  DrawFrame(b.Canvas(), style, l, t, r, bt, kHighLight, clSilver, clGray, clBlack, clRed);
}

TEST(DrawFrame, SimpleIsOneLineInTheFrameColourOnTheOutermostPixels) {
  TBitmap b(9, 7);
  Frame(b, rbSimple, 1, 1, 7, 5);
  EXPECT_EQ(Picture(b),
            ".........\n"
            ".RRRRRRR.\n"
            ".R.....R.\n"
            ".R.....R.\n"
            ".R.....R.\n"
            ".RRRRRRR.\n"
            ".........\n");
}

TEST(DrawFrame, LoweredIsGreyAndBlackAboveWhiteAndSilver) {
  TBitmap b(10, 9);
  Frame(b, rbLowered, 1, 1, 8, 7);
  EXPECT_EQ(Picture(b),
            "..........\n"
            ".gggggggW.\n"
            ".g#####sW.\n"
            ".g#....sW.\n"
            ".g#....sW.\n"
            ".g#....sW.\n"
            ".gssssssW.\n"
            ".WWWWWWWW.\n"
            "..........\n");
}

TEST(DrawFrame, DoubleRaisedIsAFrameLineAroundARaisedBevel) {
  TBitmap b(10, 9);
  Frame(b, rbDoubleRaised, 1, 1, 8, 7);
  EXPECT_EQ(Picture(b),
            "..........\n"
            ".RRRRRRRR.\n"
            ".Rsssss#R.\n"
            ".RsWWWg#R.\n"
            ".RsW..g#R.\n"
            ".Rsgggg#R.\n"
            ".R######R.\n"
            ".RRRRRRRR.\n"
            "..........\n");
}

TEST(DrawFrame, RidgeAndGrooveAreMirrorImagesOfEachOther) {
  TBitmap ridge(6, 6), groove(6, 6);
  Frame(ridge, rbEmbossed, 0, 0, 5, 5);
  Frame(groove, rbEngraved, 0, 0, 5, 5);
  EXPECT_EQ(Picture(ridge),
            "WWWWWg\n"
            "WgggWg\n"  // inner ring: grey top-left, highlight bottom-right
            "Wg..Wg\n"
            "Wg..Wg\n"
            "WWWWWg\n"
            "gggggg\n");
  EXPECT_EQ(Picture(groove),
            "gggggW\n"
            "gWWWgW\n"
            "gW..gW\n"
            "gW..gW\n"
            "gggggW\n"
            "WWWWWW\n");
}

TEST(DrawFrame, EveryStyleStaysInsideItsRectangleAtEverySize) {
  for (int s = 0; s < kFrameStyleCount; ++s) {
    const auto style = static_cast<TFrameStyle>(s);
    for (int w = 1; w <= 8; ++w) {
      for (int h = 1; h <= 8; ++h) {
        TBitmap b(12, 12);
        Frame(b, style, 2, 2, 2 + w - 1, 2 + h - 1);
        const TRect ink = InkBounds(b);
        if (style == rbNone) {
          EXPECT_TRUE(ink.IsEmpty());
          continue;
        }
        SCOPED_TRACE(::testing::Message() << "style " << s << ", " << w << " x " << h);
        // Frames sit on the outermost pixels: the ink covers the whole rectangle.
        EXPECT_EQ(ink, TRect(2, 2, 2 + w, 2 + h));
        const int inner = FrameWidth(style);
        if (w > 2 * inner && h > 2 * inner) {
          EXPECT_EQ(b.Canvas().Pixels(2 + inner, 2 + inner), clWhite);
          EXPECT_NE(b.Canvas().Pixels(2 + inner - 1, 2 + inner - 1), clWhite);
        }
      }
    }
  }
}

TEST(DrawFrame, EmptyRectanglesDrawNothing) {
  TBitmap b(8, 8);
  Frame(b, rbDoubleLowered, 5, 5, 4, 6);
  Frame(b, rbDoubleLowered, 5, 5, 6, 4);
  Frame(b, rbSimple, 0, 0, -1, -1);  // a control of size 0
  EXPECT_TRUE(InkBounds(b).IsEmpty());
}

TEST(DrawFrame, UsesACopyPenAndLeavesThePenAsItWas) {
  TBitmap b(6, 6);
  TCanvas& c = b.Canvas();
  TPen& pen = c.Pen();
  pen.SetColor(clLime);
  pen.SetWidth(3);
  pen.SetStyle(psDot);
  pen.SetMode(pmXor);
  c.MoveTo(4, 1);
  Frame(b, rbSimple, 0, 0, 5, 5);
  EXPECT_EQ(c.Pixels(0, 0), clRed);  // copied, not XORed, and one pixel wide
  EXPECT_EQ(c.Pixels(1, 1), clWhite);
  EXPECT_EQ(pen.Color(), clLime);
  EXPECT_EQ(pen.Width(), 3);
  EXPECT_EQ(pen.Style(), psDot);
  EXPECT_EQ(pen.Mode(), pmXor);
  EXPECT_EQ(c.PenPos(), TPoint(4, 1));
}

TEST(DrawFrame, FramesBeyondTheBitmapAreClipped) {
  TBitmap b(4, 4);
  Frame(b, rbDoubleRaised, -10, -10, 1000000, 1000000);
  Frame(b, rbLowered, -2147483647, -2147483647, 2147483647, 2147483647);
  EXPECT_EQ(b.Canvas().Pixels(0, 0), clWhite);  // nothing of either frame reaches here
}

}  // namespace
}  // namespace kiv
