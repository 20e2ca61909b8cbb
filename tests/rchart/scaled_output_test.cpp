// The chart's scaled and smooth pictures: a picture of axis-parallel shapes becomes exactly the
// blocks of its pixels at every scale and comes back unchanged from the smooth path; sloped
// lines and texts gain intermediate colours there; the screen picture is left alone.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "compose_probe.h"
#include "platform/offscreen_host.h"

namespace kiv {
namespace {

// A chart whose picture holds only axis-parallel shapes on the picture's pixels (two pixels per
// unit across, one down): no axes, no caption, a grid, filled and open rectangles, cursors,
// square marks, a wide step line.
void Blocky(TCustomRChart& c) {
  c.SetBounds(0, 0, 221, 124);
  c.SetMarginLeft(12);
  c.SetMarginRight(9);
  c.SetMarginTop(11);
  c.SetMarginBottom(13);
  c.Scale1X().SetVisible(false);
  c.Scale1Y().SetVisible(false);
  c.SetWindColor(RGB(240, 240, 230));
  c.SetRange(1, 0.0, 0.0, 100.0, 100.0);
  c.SetGridStyle(gsLines);
  c.SetGridColor(RGB(200, 210, 230));
  c.SetGridDx(25);
  c.SetGridDy(25);
  c.SetFillColor(clYellow);
  c.SetDataColor(clNavy);
  c.Rectangle(10.0, 10.0, 40.0, 30.0);
  c.SetTransparentItems(true);
  c.SetDataColor(clRed);
  c.Rectangle(50.0, 20.0, 90.0, 70.0);
  c.SetDataColor(clGreen);
  c.CursorVert(60.0);
  c.SetPenStyle(psDot);
  c.CursorHoriz(80.0);
  c.SetPenStyle(psSolid);
  c.SetLineWidth(3);
  c.SetDataColor(RGB(200, 100, 0));
  c.MoveTo(5.0, 50.0);
  c.DrawTo(30.0, 50.0);
  c.DrawTo(30.0, 90.0);
  c.DrawTo(95.0, 90.0);
  c.SetLineWidth(1);
  for (int i = 0; i < 8; ++i) {
    c.SetDataColor(i % 2 ? clPurple : clTeal);
    c.MarkAt(10.0 + 11 * i, 60.0 + 3 * i, static_cast<std::uint8_t>(i % 2 ? 12 : 1));
  }
}

TColor At(const TBitmap& b, int x, int y) {
  return PixelAt(b, x, y);
}

TEST(ScaledOutput, AxisParallelPicturesAreExactBlocksAndComeBackFromTheSmoothPath) {
  for (bool bw : {false, true}) {
    ComposeChart c;
    Blocky(c);
    TBitmap exact;
    c.CopyToBitmap(exact, bw);
    for (int s : {2, 3}) {
      TBitmap big;
      c.CopyToBitmapScaled(big, s, false, bw);
      ASSERT_EQ(big.Width(), 221 * s);
      ASSERT_EQ(big.Height(), 124 * s);
      for (int y = 0; y < big.Height(); ++y)
        for (int x = 0; x < big.Width(); ++x)
          ASSERT_EQ(At(big, x, y), At(exact, x / s, y / s)) << x << "," << y << " scale " << s;
    }
    // Drawn four times larger, every block is one colour: the mean gives the picture back.
    TBitmap smooth;
    c.CopyToBitmapScaled(smooth, 1, true, bw);
    ASSERT_EQ(smooth.Width(), 221);
    for (int y = 0; y < 124; ++y)
      for (int x = 0; x < 221; ++x) ASSERT_EQ(At(smooth, x, y), At(exact, x, y)) << x << "," << y;
  }
}

TEST(ScaledOutput, SmoothPicturesSoftenSlopesAndTextsAndLeaveTheScreenAlone) {
  TOffscreenHost host;
  ComposeChart c;
  c.SetBounds(0, 0, 300, 200);
  c.SetCaption("smooth");
  c.SetRange(1, 0.0, -1.0, 10.0, 1.0);
  c.SetDataColor(clRed);
  c.MoveTo(0.0, 0.0);
  for (int i = 1; i <= 100; ++i) c.DrawTo(i * 0.1, std::sin(i * 0.2));
  host.Show(c);
  const TBitmap screen = host.Snapshot(c);
  TBitmap exact, smooth, bw;
  c.CopyToBitmap(exact, false);
  c.CopyToBitmapScaled(smooth, 1, true, false);
  c.CopyToBitmapScaled(bw, 2, true, true);
  // The smooth picture blends the red curve into the white background: pinks the exact one
  // does not have.
  const auto pinks = [](const TBitmap& b) {
    int n = 0;
    for (int y = 0; y < b.Height(); ++y)
      for (int x = 0; x < b.Width(); ++x) {
        const TColor c = At(b, x, y);
        n += (c & 0xFF) == 255 && ((c >> 8) & 0xFF) == ((c >> 16) & 0xFF) && c != clWhite &&
             c != clRed;
      }
    return n;
  };
  EXPECT_EQ(pinks(exact), 0);
  EXPECT_GT(pinks(smooth), 100);
  // Black and white stays grey, also when smoothed, at twice the size.
  ASSERT_EQ(bw.Width(), 600);
  for (int y = 0; y < bw.Height(); ++y)
    for (int x = 0; x < bw.Width(); ++x) {
      const TColor p = At(bw, x, y);
      ASSERT_TRUE((p & 0xFF) == ((p >> 8) & 0xFF) && (p & 0xFF) == ((p >> 16) & 0xFF));
    }
  // The screen and the chart's bitmap are untouched.
  host.ProcessMessages();
  const TBitmap after = host.Snapshot(c);
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 300; ++x) ASSERT_EQ(At(after, x, y), At(screen, x, y));
  // Files at the scaled size.
  const std::string file = std::string(KIV_TEST_OUT_DIR) + "/scaled_output.png";
  c.CopyToBMPScaled(file, 3, false, false);
  TBitmap back;
  back.LoadFromFile(file);
  EXPECT_EQ(back.Width(), 900);
  EXPECT_EQ(back.Height(), 600);
}

}  // namespace
}  // namespace kiv
