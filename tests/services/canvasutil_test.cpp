// Font sizes scaled to the canvas resolution.
#include "services/canvasutil.h"

#include <gtest/gtest.h>

#include "platform/bitmap.h"

namespace kiv {
namespace {

TEST(SetCanvasFontSizeScaled, BitmapsAt96KeepTheUsualPixelSize) {
  TBitmap b(4, 4);
  TCanvas& c = b.Canvas();
  SetCanvasFontSizeScaled(c, 8);
  EXPECT_EQ(c.Font().Size(), 8);
  EXPECT_EQ(c.Font().PixelsPerInch(), 96);
  EXPECT_EQ(c.Font().PixelSize(), 11);  // 8 pt at 96 ppi = 10.67 px
}

TEST(SetCanvasFontSizeScaled, APrinterCanvasGetsTheSamePhysicalSize) {
  TBitmap b(4, 4);
  TCanvas& c = b.Canvas();
  c.SetPixelsPerInch(600);
  c.SetIsPrinter(true);
  SetCanvasFontSizeScaled(c, 12);
  EXPECT_EQ(c.Font().Size(), 12);
  EXPECT_EQ(c.Font().PixelSize(), 100);  // 1/6 inch at 600 ppi

  c.SetPixelsPerInch(96);  // back on screen the same call gives screen pixels again
  SetCanvasFontSizeScaled(c, 12);
  EXPECT_EQ(c.Font().PixelSize(), 16);
}

TEST(SetCanvasFontSizeScaled, SizesBelowOnePointAreIgnored) {
  TBitmap b(4, 4);
  TCanvas& c = b.Canvas();
  SetCanvasFontSizeScaled(c, 10);
  SetCanvasFontSizeScaled(c, 0);
  SetCanvasFontSizeScaled(c, -3);
  EXPECT_EQ(c.Font().Size(), 10);
}

}  // namespace
}  // namespace kiv
