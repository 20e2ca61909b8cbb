// The chart's legend: its place in every corner inside and outside the data area, the samples
// of its entries pixel by pixel, frame and background, black and white, and the same
// legend on the screen, in bitmaps and in the vector picture.
#include <gtest/gtest.h>

#include <string>

#include "compose_probe.h"
#include "platform/metafile.h"
#include "platform/offscreen_host.h"

namespace kiv {
namespace {

constexpr int P = TChartLegend::kPadding;
constexpr int S = TChartLegend::kSampleWidth;

// The bounding box of the pixels of one colour (Right, Bottom inclusive); empty when none.
TRect BoxOf(const TBitmap& b, TColor c) {
  TRect r(b.Width(), b.Height(), -1, -1);
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      if (PixelAt(b, x, y) == c) {
        r.Left = std::min(r.Left, x);
        r.Top = std::min(r.Top, y);
        r.Right = std::max(r.Right, x);
        r.Bottom = std::max(r.Bottom, y);
      }
  return r;
}

void TwoEntries(TChartLegend& l) {
  l.AddLine("first", clNavy);
  l.AddMark("second", clGreen, 12);
  l.SetColorFrame(clRed);
  l.SetColorBkg(clYellow);
}

TEST(ChartLegend, EveryCornerInsideAndOutsideTheDataArea) {
  for (bool inside : {true, false}) {
    for (TLegendCorner corner : {lcTopLeft, lcTopRight, lcBottomLeft, lcBottomRight}) {
      TOffscreenHost host;
      ComposeChart c;
      c.SetBounds(0, 0, 420, 300);
      c.SetMarginLeft(110);
      c.SetMarginRight(110);
      c.SetMarginTop(30);
      c.SetMarginBottom(40);
      TwoEntries(c.Legend());
      c.Legend().SetCorner(corner);
      c.Legend().SetInside(inside);
      c.Legend().SetMargin(5);
      host.Show(c);
      TBitmap picture;
      c.CopyToBitmap(picture, false);
      // The data area's first and last column and row.
      const int L = 110, R = 420 - 110, T = 30, B = 300 - 40;
      const TSize e = c.Legend().Extent();
      const bool right = corner == lcTopRight || corner == lcBottomRight;
      const bool bottom = corner == lcBottomLeft || corner == lcBottomRight;
      int left, top;
      if (inside) {
        left = right ? R - 5 - e.cx + 1 : L + 5;
        top = bottom ? B - 5 - e.cy + 1 : T + 5;
      } else {
        left = right ? R + 1 + 5 : L - 1 - 5 - e.cx + 1;
        top = bottom ? B - e.cy + 1 : T;
      }
      const std::string what = std::string(inside ? "inside" : "outside") + ", corner " +
                               std::to_string(static_cast<int>(corner));
      EXPECT_EQ(BoxOf(picture, clRed), TRect(left, top, left + e.cx - 1, top + e.cy - 1)) << what;
      EXPECT_EQ(PixelAt(picture, left + 2, top + 2), clYellow) << what;
      // The screen shows what the bitmap holds.
      const TBitmap screen = host.Snapshot(c);
      for (int y = top; y < top + e.cy; ++y)
        for (int x = left; x < left + e.cx; ++x)
          ASSERT_EQ(PixelAt(screen, x, y), PixelAt(picture, x, y)) << what;
    }
  }
}

TEST(ChartLegend, SamplesOfEachEntry) {
  TChartLegend l;
  l.AddLine("thin", clNavy);
  l.AddLine("wide", clRed, 3);
  l.AddLine("dashed", clBlue, 1, psDash);
  TLegendEntry both;
  both.Text = "line and mark";
  both.Color = clGreen;
  both.Mark = 12;  // a filled square of 9 pixels
  both.MarkFill = clYellow;
  l.Add(both);
  l.SetColorFrame(clMaroon);
  const TSize e = l.Extent();
  const int n = l.Count();
  const int row = (e.cy - 2 * P - (n - 1) * TChartLegend::kRowGap) / n;
  TBitmap b(e.cx + 20, e.cy + 20);
  l.Draw(b.Canvas(), 10, 10, false);
  const auto yc = [&](int i) { return 10 + P + i * (row + TChartLegend::kRowGap) + row / 2; };
  const int x0 = 10 + P;
  // The frame is the box of the extent.
  EXPECT_EQ(BoxOf(b, clMaroon), TRect(10, 10, 10 + e.cx - 1, 10 + e.cy - 1));
  // A one-pixel line covers the sample's columns, its end excluded, on one row.
  for (int x = x0; x < x0 + S; ++x) ASSERT_EQ(PixelAt(b, x, yc(0)), clNavy) << x;
  EXPECT_NE(PixelAt(b, x0 + S, yc(0)), clNavy);
  // A three-pixel pen covers three rows.
  for (int dy = -1; dy <= 1; ++dy) EXPECT_EQ(PixelAt(b, x0 + 5, yc(1) + dy), clRed) << dy;
  EXPECT_NE(PixelAt(b, x0 + 5, yc(1) + 2), clRed);
  // Dashes of 18 pixels and gaps of 6.
  EXPECT_EQ(PixelAt(b, x0 + 17, yc(2)), clBlue);
  EXPECT_NE(PixelAt(b, x0 + 18, yc(2)), clBlue);
  EXPECT_EQ(PixelAt(b, x0 + 24, yc(2)), clBlue);
  // Line and mark: the mark's interior in its fill, its outline in the pen, on the line.
  const int mx = x0 + S / 2;
  EXPECT_EQ(PixelAt(b, mx, yc(3) - 2), clYellow);
  EXPECT_EQ(PixelAt(b, mx - 4, yc(3) - 4), clGreen);
  EXPECT_EQ(PixelAt(b, x0 + 1, yc(3)), clGreen);
  // Nothing is drawn beyond the box.
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 10 + e.cx; x < b.Width(); ++x) ASSERT_EQ(PixelAt(b, x, y), clWhite);
}

TEST(ChartLegend, FramedTransparentAndPlain) {
  const auto draw = [](bool framed, bool transparent) {
    TChartLegend l;
    l.AddLine("entry", clNavy);
    l.SetFramed(framed);
    l.SetTransparent(transparent);
    l.SetColorBkg(clYellow);
    l.SetColorFrame(clRed);
    const TSize e = l.Extent();
    TBitmap b(e.cx, e.cy);
    b.Canvas().Brush().SetColor(clSilver);
    b.Canvas().FillRect(TRect(0, 0, e.cx, e.cy));
    l.Draw(b.Canvas(), 0, 0, false);
    return b;
  };
  // The corner pixel shows the frame, the background or what lies beneath.
  EXPECT_EQ(PixelAt(draw(true, false), 0, 0), clRed);
  EXPECT_EQ(PixelAt(draw(true, false), 2, 2), clYellow);
  EXPECT_EQ(PixelAt(draw(true, true), 0, 0), clRed);
  EXPECT_EQ(PixelAt(draw(true, true), 2, 2), clSilver);
  EXPECT_EQ(PixelAt(draw(false, false), 0, 0), clYellow);
  EXPECT_EQ(PixelAt(draw(false, true), 0, 0), clSilver);
}

TEST(ChartLegend, BlackAndWhiteVectorAndUnusedLegends) {
  ComposeChart c;
  c.SetBounds(0, 0, 360, 240);
  c.SetMarginRight(120);
  c.SetRange(1, 0.0, 0.0, 10.0, 10.0);
  c.SetDataColor(clRed);
  c.MoveTo(0.0, 0.0);
  c.DrawTo(10.0, 10.0);
  TBitmap without;
  c.CopyToBitmap(without, false);
  // Without entries, or hidden, the legend changes nothing.
  c.Legend().SetVisible(false);
  TwoEntries(c.Legend());
  TBitmap hidden;
  c.CopyToBitmap(hidden, false);
  for (int y = 0; y < 240; ++y)
    for (int x = 0; x < 360; ++x) ASSERT_EQ(PixelAt(hidden, x, y), PixelAt(without, x, y));
  c.Legend().SetVisible(true);
  for (bool inside : {true, false}) {
    c.Legend().SetInside(inside);
    TBitmap bw;
    c.CopyToBitmap(bw, true);
    const TSize e = c.Legend().Extent();
    const TRect a = c.DataArea();
    const TPoint at = c.Legend().Origin(a, e);
    for (int y = at.Y; y < at.Y + e.cy; ++y)
      for (int x = at.X; x < at.X + e.cx; ++x) {
        const TColor p = PixelAt(bw, x, y);
        ASSERT_TRUE((p & 0xFF) == ((p >> 8) & 0xFF) && (p & 0xFF) == ((p >> 16) & 0xFF))
            << x << "," << y;
      }
    EXPECT_EQ(PixelAt(bw, at.X, at.Y), clBlack);
    // The vector picture holds the legend: replayed, it gives the bitmap's pixels.
    for (bool mono : {false, true}) {
      TMetafile mf;
      c.CopyToMetafile(mf, mono);
      TBitmap replayed(mf.Width(), mf.Height());
      mf.Replay(replayed.Canvas());
      TBitmap direct;
      c.CopyToBitmap(direct, mono);
      for (int y = 0; y < direct.Height(); ++y)
        for (int x = 0; x < direct.Width(); ++x)
          ASSERT_EQ(PixelAt(replayed, x, y), PixelAt(direct, x, y)) << x << "," << y;
    }
  }
  const std::string svg = c.ToSvg(false);
  EXPECT_NE(svg.find(">first</text>"), std::string::npos);
  EXPECT_NE(svg.find(">second</text>"), std::string::npos);
}

}  // namespace
}  // namespace kiv
