#include <gtest/gtest.h>

#include <random>

#include "pixel_util.h"
#include "platform/bitmap.h"
#include "platform/quadpaint.h"

namespace kiv {
namespace {

// Random quadrilaterals (convex, concave, self-crossing, degenerate, far outside), lines and
// pixels written straight into the rows give the pixels of the canvas calls.
TEST(QuadPainter, GivesThePixelsOfTheCanvas) {
  std::mt19937 rng(11);
  std::uniform_int_distribution<int> near(-20, 140), small(-4, 4), pick(0, 9);
  std::uniform_int_distribution<int> far(-2000000000, 2000000000);
  TBitmap direct(120, 90), canvas(120, 90);
  canvas.Canvas().SetClipRect(TRect(3, 5, 110, 84));
  direct.Canvas().SetClipRect(TRect(3, 5, 110, 84));
  TQuadPainter painter;
  ASSERT_TRUE(painter.Prepare(direct.Canvas()));
  for (int i = 0; i < 4000; ++i) {
    TPoint q[4];
    const int kind = pick(rng);
    const TPoint base(near(rng), near(rng));
    for (TPoint& p : q) {
      if (kind == 0)
        p = TPoint(far(rng), far(rng));
      else if (kind < 6)
        p = TPoint(base.X + small(rng), base.Y + small(rng));  // cell-sized
      else
        p = TPoint(near(rng), near(rng));
    }
    const TColor fill = RGB(i % 251, (i * 7) % 253, 90), pen = RGB(20, i % 256, 200);
    TCanvas& c = canvas.Canvas();
    c.Brush().SetColor(fill);
    c.Pen().SetColor(pen);
    if (i % 3 == 2) {
      c.MoveTo(q[0].X, q[0].Y);
      c.LineTo(q[1].X, q[1].Y);
      c.SetPixels(q[2].X, q[2].Y, pen);
      painter.Line(q[0], q[1], ColorToPixel(pen));
      painter.Pixel(q[2], ColorToPixel(pen));
    } else {
      c.Polygon(q);
      painter.Quad(q, ColorToPixel(fill), ColorToPixel(pen));
    }
  }
  painter.Finish();
  EXPECT_TRUE(testing::SamePixels(canvas, direct));
}

TEST(QuadPainter, RefusesStatesItCannotDraw) {
  TBitmap b(10, 10);
  TQuadPainter painter;
  TCanvas& c = b.Canvas();
  EXPECT_TRUE(painter.Prepare(c));
  c.Pen().SetWidth(2);
  EXPECT_FALSE(painter.Prepare(c));
  c.Pen().SetWidth(1);
  c.Pen().SetMode(pmXor);
  EXPECT_FALSE(painter.Prepare(c));
  c.Pen().SetMode(pmCopy);
  c.Pen().SetStyle(psDot);
  EXPECT_FALSE(painter.Prepare(c));
  c.Pen().SetStyle(psSolid);
  c.Brush().SetStyle(bsCross);
  EXPECT_FALSE(painter.Prepare(c));
}

}  // namespace
}  // namespace kiv
