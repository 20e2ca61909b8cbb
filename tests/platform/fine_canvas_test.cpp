// The fine canvas: shapes on the picture's pixels (points at block centres) come out exactly as
// the scaled canvas draws them; wide strokes lean as the picture's pens do; pictures drawn
// around a point between blocks keep their shape and the clip rectangle.
#include "platform/fine_canvas.h"

#include <gtest/gtest.h>

#include <functional>

#include "pixel_util.h"
#include "platform/scaled_canvas.h"

namespace kiv {
namespace {

using testing::InkBounds;
using testing::SamePixels;
using testing::WhiteBitmap;

constexpr int kW = 40, kH = 30;

void Pen(TCanvas& c, TColor col, int width, TPenStyle style = psSolid) {
  c.Pen().SetColor(col);
  c.Pen().SetWidth(width);
  c.Pen().SetStyle(style);
}

// A drawing given the position of picture pixel v: the picture's own coordinates on the scaled
// canvas, block centres on the fine one.
using Drawing = std::function<void(TCanvas&, std::function<int(int)>)>;

TEST(FineCanvas, ShapesOnThePicturesPixelsAreTheScaledCanvasBlocks) {
  const struct Case {
    const char* name;
    Drawing draw;
  } cases[] = {
      {"lines and polylines of pens 1 to 3, one leaving out its end",
       [](TCanvas& c, auto at) {
         Pen(c, clRed, 1);
         c.MoveTo(at(2), at(3));
         c.LineTo(at(36), at(3));
         c.LineTo(at(36), at(25));
         for (int w = 2; w <= 3; ++w) {
           Pen(c, w == 2 ? clNavy : clGreen, w);
           const TPoint path[] = {TPoint(at(5), at(6 * w)), TPoint(at(30), at(6 * w)),
                                  TPoint(at(30), at(6 * w + 5))};
           c.Polyline(path);
         }
       }},
      {"dash patterns, gaps clear and in the brush colour",
       [](TCanvas& c, auto at) {
         c.Brush().SetStyle(bsClear);
         Pen(c, clBlack, 1, psDash);
         c.MoveTo(at(1), at(2));
         c.LineTo(at(38), at(2));
         c.LineTo(at(38), at(28));
         c.Brush().SetStyle(bsSolid);
         c.Brush().SetColor(clYellow);
         Pen(c, clBlue, 1, psDashDotDot);
         const TPoint path[] = {TPoint(at(3), at(20)), TPoint(at(33), at(20)),
                                TPoint(at(33), at(8))};
         c.Polyline(path);
       }},
      {"rectangles of pens 1 to 3, inside the frame, clear pen, dashed",
       [](TCanvas& c, auto at) {
         c.Brush().SetColor(clYellow);
         for (int w = 1; w <= 3; ++w) {
           Pen(c, clMaroon, w);
           c.Rectangle(at(2 + 9 * w), at(2), at(9 * w + 9) + 1, at(11) + 1);
         }
         Pen(c, clBlue, 3, psInsideFrame);
         c.Rectangle(at(2), at(14), at(12) + 1, at(26) + 1);
         Pen(c, clBlack, 1, psClear);
         c.Rectangle(at(15), at(15), at(22) + 1, at(27) + 1);
         Pen(c, clBlack, 1, psDot);
         c.Rectangle(at(25), at(15), at(36) + 1, at(27) + 1);
       }},
      {"pixels",
       [](TCanvas& c, auto at) {
         for (int i = 0; i < 12; ++i) c.SetPixels(at(3 + 3 * i), at(4 + i % 5), RGB(20 * i, 90, 7));
       }},
  };
  for (const Case& k : cases) {
    for (int s : {2, 3, 4}) {
      TBitmap scaled = WhiteBitmap(kW * s, kH * s), fine = WhiteBitmap(kW * s, kH * s);
      TScaledCanvas sc(scaled, s);
      k.draw(sc, [](int v) { return v; });
      // A rectangle's right and bottom bounds are one past its last pixel, in either space.
      TFineCanvas fc(fine, s);
      k.draw(fc, [&](int v) { return static_cast<int>(fc.Centre(v)); });
      EXPECT_TRUE(SamePixels(scaled, fine)) << k.name << ", scale " << s;
    }
  }
}

TEST(FineCanvas, WideStrokesLeanAsThePicturesPensAndPicturesAroundAPointKeepTheirShape) {
  // Pens of widths 1 to 4 along a row, from and to points between blocks: the rows they cover
  // are the blocks the picture's pen covers around that row.
  for (int s : {2, 4}) {
    for (int w = 1; w <= 4; ++w) {
      TBitmap small = WhiteBitmap(kW, kH), fine = WhiteBitmap(kW * s, kH * s);
      Pen(small.Canvas(), clBlack, w);
      small.Canvas().MoveTo(5, 12);
      small.Canvas().LineTo(30, 12);
      TFineCanvas fc(fine, s);
      Pen(fc, clBlack, w);
      fc.MoveTo(static_cast<int>(fc.Centre(5)) + 1, static_cast<int>(fc.Centre(12)));
      fc.LineTo(static_cast<int>(fc.Centre(30)) + 1, static_cast<int>(fc.Centre(12)));
      const TRect a = InkBounds(small), b = InkBounds(fine);
      EXPECT_EQ(b.Top, s * a.Top) << "scale " << s << ", width " << w;
      EXPECT_EQ(b.Bottom, s * a.Bottom) << "scale " << s << ", width " << w;
    }
  }
  // A small picture drawn around a point off the block centres is the magnified picture moved
  // by the point's offset within its block, and stays inside the fine canvas's clip rectangle.
  const auto figure = [](TCanvas& c, int x, int y) {
    Pen(c, clRed, 1);
    c.Brush().SetColor(clNavy);
    c.MoveTo(x - 3, y - 3);
    c.LineTo(x + 4, y + 4);
    c.Rectangle(x - 1, y - 2, x + 3, y + 1);
    c.SetPixels(x - 3, y + 2, clGreen);
  };
  for (int s : {3, 4}) {
    TBitmap expected = WhiteBitmap(kW * s, kH * s);
    TScaledCanvas sc(expected, s);
    sc.SetOrigin(TPoint(2, 1));
    figure(sc, 10, 10);
    TBitmap fine = WhiteBitmap(kW * s, kH * s);
    TFineCanvas fc(fine, s);
    Pen(fc, clRed, 1);
    fc.Brush().SetColor(clNavy);
    figure(fc.PictureAt(
               TPoint(static_cast<int>(fc.Centre(10)) + 2, static_cast<int>(fc.Centre(10)) + 1)),
           0, 0);
    EXPECT_TRUE(SamePixels(expected, fine)) << "scale " << s;
    const TRect clip(s * 9 + 1, 0, kW * s, kH * s);
    TBitmap clipped = WhiteBitmap(kW * s, kH * s);
    TFineCanvas cc(clipped, s);
    cc.SetClipRect(clip);
    figure(cc.PictureAt(
               TPoint(static_cast<int>(cc.Centre(10)) + 2, static_cast<int>(cc.Centre(10)) + 1)),
           0, 0);
    EXPECT_EQ(InkBounds(clipped).Left, clip.Left) << "scale " << s;
  }
}

// Many copies of one small picture are recorded once and copied: the same pixels as drawing each,
// whatever the colours (white and black too), at the edges of the clip rectangle and the bitmap.
TEST(FineCanvas, RecordedPicturesGiveThePixelsOfDrawingThem) {
  const auto figure = [](TCanvas& c) {
    c.MoveTo(-3, -3);
    c.LineTo(4, 4);
    c.Rectangle(-1, -2, 3, 1);
    c.SetPixels(-3, 2, clGreen);
  };
  const TColor colours[][2] = {{clWhite, clBlack}, {clRed, clNavy}, {clBlack, clWhite}};
  for (int s : {2, 4}) {
    TBitmap direct(kW * s, kH * s), stamped(kW * s, kH * s);
    for (TBitmap* b : {&direct, &stamped}) {
      b->Canvas().Brush().SetColor(clSilver);
      b->Canvas().FillRect(TRect(0, 0, kW * s, kH * s));
    }
    TFineCanvas a(direct, s), b(stamped, s);
    for (TFineCanvas* c : {&a, &b}) c->SetClipRect(TRect(3, 2, kW * s - 5, kH * s));
    int k = 0;
    for (int y = -4; y < kH * s + 4; y += 9)
      for (int x = -4; x < kW * s + 4; x += 11, ++k) {
        const TColor* col = colours[k % 3];
        for (TFineCanvas* c : {&a, &b}) {
          Pen(*c, col[0], 1 + k % 2);
          c->Brush().SetColor(col[1]);
        }
        figure(a.PictureAt(TPoint(x, y)));
        b.DrawPictureAt(TPoint(x, y), 7, 5, figure);
      }
    EXPECT_TRUE(SamePixels(direct, stamped)) << "scale " << s;
  }
}

}  // namespace
}  // namespace kiv
