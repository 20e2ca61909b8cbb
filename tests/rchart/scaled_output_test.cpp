// The chart's scaled and smooth pictures: a picture of axis-parallel shapes becomes exactly the
// blocks of its pixels at every scale and comes back unchanged from the smooth path; sloped
// lines and texts gain intermediate colours there; the screen picture is left alone.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "compose_probe.h"
#include "platform/box_filter.h"
#include "platform/offscreen_host.h"
#include "services/rounding.h"

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

::testing::AssertionResult SamePixels(const TBitmap& expected, const TBitmap& actual) {
  if (expected.Width() != actual.Width() || expected.Height() != actual.Height())
    return ::testing::AssertionFailure() << "sizes differ";
  for (int y = 0; y < expected.Height(); ++y)
    for (int x = 0; x < expected.Width(); ++x)
      if (At(expected, x, y) != At(actual, x, y))
        return ::testing::AssertionFailure()
               << "first difference at (" << x << ", " << y << "): " << std::hex << At(actual, x, y)
               << " instead of " << At(expected, x, y);
  return ::testing::AssertionSuccess();
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

// A chart of nothing but its data area (10 units = 210 pixels across, 140 down) and black
// one-pixel lines.
void Plain(TCustomRChart& c) {
  c.SetBounds(0, 0, 230, 160);
  for (auto m : {&TCustomRChart::SetMarginLeft, &TCustomRChart::SetMarginRight,
                 &TCustomRChart::SetMarginTop, &TCustomRChart::SetMarginBottom})
    (c.*m)(10);
  c.Scale1X().SetVisible(false);
  c.Scale1Y().SetVisible(false);
  c.SetRange(1, 0.0, 0.0, 10.0, 10.0);
  c.SetDataColor(clBlack);
}

TEST(ScaledOutput, SlopedLinesOfTheLargerPictureLieAtItsOwnPixels) {
  ComposeChart c;
  Plain(c);
  TBitmap expected;
  c.CopyToBitmapScaled(expected, 4, false, false);
  c.Line(1.3, 1.1, 8.7, 6.05);
  c.MoveTo(0.5, 9.2);
  c.DrawTo(4.1, 3.3);
  c.DrawTo(9.4, 8.85);
  TBitmap exact;
  c.CopyToBitmap(exact, false);
  TBitmap big;
  c.CopyToBitmapScaled(big, 4, false, false);
  // The same lines drawn by hand into the picture without them: a pen four pixels wide from
  // point to point, each point the nearest pixel to four times its place in the picture, moved
  // to the centre of the 4 x 4 block (+1).
  double kx, dx, ky, dy;
  c.GetTransformParams(1, kx, dx, ky, dy);
  const auto at = [&](double x, double y) {
    return TPoint(static_cast<int>(RoundHalfEven(4 * (kx * x + dx))) + 1,
                  static_cast<int>(RoundHalfEven(4 * (ky * y + dy))) + 1);
  };
  TCanvas& hand = expected.Canvas();
  hand.Pen().SetColor(clBlack);
  hand.Pen().SetWidth(4);
  for (const auto& path : {std::vector<TPoint>{at(1.3, 1.1), at(8.7, 6.05)},
                           std::vector<TPoint>{at(0.5, 9.2), at(4.1, 3.3), at(9.4, 8.85)}}) {
    hand.MoveTo(path[0].X, path[0].Y);
    for (std::size_t i = 1; i < path.size(); ++i) hand.LineTo(path[i].X, path[i].Y);
  }
  EXPECT_TRUE(SamePixels(expected, big));
  // The picture at its own size is as it was.
  TBitmap again;
  c.CopyToBitmap(again, false);
  EXPECT_TRUE(SamePixels(exact, again));
}

TEST(ScaledOutput, SmoothDiagonalsAreGreyAlongTheirWholeLength) {
  ComposeChart c;
  Plain(c);
  // A line of data a quarter pixel down per pixel across, a point every pixel or so.
  c.MoveTo(0.5, 1.0);
  for (int i = 1; i <= 180; ++i) c.DrawTo(0.5 + i * 0.05, 1.0 + i * 3.4 / 180);
  TBitmap smooth;
  c.CopyToBitmapScaled(smooth, 1, true, false);
  double kx, dx, ky, dy;
  c.GetTransformParams(1, kx, dx, ky, dy);
  const double slope = std::fabs(3.4 * ky / (9 * kx));
  // The columns of the line have partly covered pixels (all but those where the line passes
  // through a pixel's centre, never two side by side), and each column's ink adds up to about a
  // one-pixel line's.
  bool grey_before = true;
  for (int x = static_cast<int>(kx * 0.5 + dx) + 2; x <= static_cast<int>(kx * 9.5 + dx) - 2; ++x) {
    int greys = 0;
    double ink = 0;
    for (int y = 11; y < 150; ++y) {  // inside the data area's frame
      const int v = At(smooth, x, y) & 0xFF;
      greys += v > 0 && v < 255;
      ink += (255 - v) / 255.0;
    }
    EXPECT_TRUE(greys > 0 || grey_before) << "columns " << x - 1 << " and " << x;
    grey_before = greys > 0;
    EXPECT_NEAR(ink, std::sqrt(1 + slope * slope), 0.25) << "column " << x;
  }
}

// The Smith chart and the contour plot compose their scaled pictures through their own steps
// (the diagram, the field, the items over them): reduced again, each is close to its exact
// picture everywhere but at the edges of what it shows.
TEST(ScaledOutput, SmithChartsAndContourPlotsKeepTheirPictures) {
  TSmithChart smith(nullptr);
  smith.SetBounds(0, 0, 260, 260);
  smith.SetDataColor(clRed);
  smith.SetLineWidth(2);
  smith.MoveTo(-0.5, 0.2);
  smith.DrawTo(0.3, 0.6);
  smith.MarkAt(0.3, 0.6, 12);
  TContourPlot contour(nullptr);
  contour.SetBounds(0, 0, 260, 200);
  contour.SetRange(-1.0, -1.0, 1.0, 1.0);
  contour.IsoColors.SetSize(16);
  contour.IsoColors.FillByInterpolation(1, {clBlue, clYellow, clRed});
  contour.SetIsoParams(-1, 1, 0.125);
  contour.OnEstimateZVal = [](TObject*, double x, double y, int, int, double& z, std::uint8_t&) {
    z = x * x - y;
  };
  contour.SetDataColor(clBlack);
  contour.Line(-0.8, -0.7, 0.6, 0.9);
  for (TCustomRChart* c :
       {static_cast<TCustomRChart*>(&smith), static_cast<TCustomRChart*>(&contour)}) {
    TBitmap exact, big;
    c->CopyToBitmap(exact, false);
    c->CopyToBitmapScaled(big, 2, false, false);
    const TBitmap back = ReduceByBoxFilter(big, 2);
    int far = 0;  // pixels with a channel more than 96 away
    for (int y = 0; y < exact.Height(); ++y)
      for (int x = 0; x < exact.Width(); ++x) {
        const TColor a = At(exact, x, y), b = At(back, x, y);
        bool off = false;
        for (int k = 0; k < 24; k += 8) off |= std::abs(((a >> k) & 0xFF) - ((b >> k) & 0xFF)) > 96;
        far += off;
      }
    EXPECT_LT(far, exact.Width() * exact.Height() / 50) << c->ClassName();
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
