// Output of the chart's picture: bitmaps of the whole chart and of the data area, monochrome,
// crosshairs, image files, SVG documents, the clipboard and the printer.
#include <gtest/gtest.h>

#include <algorithm>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

#include "compose_probe.h"
#include "platform/clipboard.h"
#include "platform/metafile.h"
#include "platform/offscreen_host.h"
#include "platform/printer.h"

namespace kiv {
namespace {

std::string OutFile(const std::string& name) {
  return std::string(KIV_TEST_OUT_DIR) + "/output_" + name;
}

std::string ReadFile(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

bool Neutral(TColor c) {
  const int r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
  return r == g && g == b;
}

// A colourful chart: coloured backgrounds, shadow, axes of both layers, a caption, a label and
// a crosshair.
void Colourful(TCustomRChart& c) {
  c.SetBounds(0, 0, 360, 260);
  c.SetStandardLayout(rcl_X2Both_Y2Both);
  c.SetRange(1, 0, 0, 10, 10);
  c.SetRange(2, -5, -5, 5, 5);
  c.SetWindColor(RGB(255, 240, 200));
  c.SetChartColor(RGB(200, 220, 255));
  c.SetChartFrameColor(clNavy);
  c.SetShadowWidth(4);
  c.SetShadowColor(clMaroon);
  c.Font().SetColor(clGreen);
  c.SetCaption("Colourful");
  c.Scale1Y().SetCaption("volts");
  c.AddTextLabel(5, 5, clRed, "label");
  c.CrossHair1().SetMode(chBoth);
  c.CrossHair1().SetPos(3, 3);
}

TEST(ChartOutput, BitmapsOfTheWholeChartAndOfTheDataArea) {
  TOffscreenHost host;
  ComposeChart c;
  Colourful(c);
  host.Show(c);
  TBitmap whole, da, daCross;
  c.CopyToBitmap(whole, false);
  EXPECT_EQ(whole.Width(), 360);
  EXPECT_EQ(whole.Height(), 260);
  // Without crosshairs the picture is the screen's chart bitmap.
  for (int y = 0; y < 260; y += 7)
    for (int x = 0; x < 360; x += 5)
      ASSERT_EQ(PixelAt(whole, x, y), PixelAt(c.ChartBitmap(), x, y));
  c.CopyToBitmapDAOnly(da, false);
  const TSize s = c.DataBitmapSize();
  EXPECT_EQ(da.Width(), s.cx);
  EXPECT_EQ(da.Height(), s.cy);
  EXPECT_EQ(PixelAt(da, 10, 10), PixelAt(whole, 60, 74));  // data area at (50, 64)

  // With crosshairs: the screen's picture.
  TBitmap withCross;
  c.CopyToBitmap(withCross, false, true);
  int px, py;
  c.R2M(1, 3, 3, px, py);
  EXPECT_EQ(PixelAt(withCross, px, py - 20), clRed);
  EXPECT_NE(PixelAt(whole, px, py - 20), clRed);
  const TBitmap screen = host.Snapshot(c);
  for (int y = 0; y < 260; y += 3)
    for (int x = 0; x < 360; x += 3) ASSERT_EQ(PixelAt(withCross, x, y), PixelAt(screen, x, y));
  c.CopyToBitmapDAOnly(daCross, false, true);
  EXPECT_EQ(PixelAt(daCross, px - 50, py - 20 - 64), clRed);
}

TEST(ChartOutput, MonochromeLeavesNoColourAndTheChartUnchanged) {
  TOffscreenHost host;
  ComposeChart c;
  Colourful(c);
  c.BackGroundImg().SetAreaMode(bamVStripe);
  c.BackGroundImg().SetAreaColor(clYellow);
  host.Show(c);
  const TBitmap screen = host.Snapshot(c);
  TBitmap bw;
  c.CopyToBitmap(bw, true, true);
  int grey = 0;
  for (int y = 0; y < bw.Height(); ++y)
    for (int x = 0; x < bw.Width(); ++x) {
      const TColor p = PixelAt(bw, x, y);
      ASSERT_TRUE(Neutral(p)) << x << "," << y << " " << std::hex << p;
      if (p != clWhite && p != clBlack) ++grey;
    }
  EXPECT_GT(grey, 0);                              // shadow, area and anti-aliased text
  EXPECT_EQ(PixelAt(bw, 100, 100 - 30), clWhite);  // white data area
  // Colours, screen and bitmaps are as before.
  EXPECT_EQ(c.ChartColor(), RGB(200, 220, 255));
  EXPECT_EQ(c.Font().Color(), clGreen);
  host.ProcessMessages();
  const TBitmap again = host.Snapshot(c);
  for (int y = 0; y < 260; y += 3)
    for (int x = 0; x < 360; x += 3) ASSERT_EQ(PixelAt(again, x, y), PixelAt(screen, x, y));
  TBitmap da;
  c.CopyToBitmapDAOnly(da, true);
  EXPECT_EQ(PixelAt(da, da.Width() - 5, 5), clWhite);
  EXPECT_EQ(PixelAt(da, 5, 5), clSilver);  // the background area
}

TEST(ChartOutput, PictureFilesAreBmpOrPngByName) {
  ComposeChart c;
  Colourful(c);
  c.CopyToBMP(OutFile("chart.bmp"), false);
  c.CopyToBMP(OutFile("chart.png"), false);
  EXPECT_EQ(ReadFile(OutFile("chart.bmp")).substr(0, 2), "BM");
  EXPECT_EQ(ReadFile(OutFile("chart.png")).substr(1, 3), "PNG");
  TBitmap fromBmp, fromPng, direct;
  fromBmp.LoadFromFile(OutFile("chart.bmp"));
  fromPng.LoadFromFile(OutFile("chart.png"));
  c.CopyToBitmap(direct, false);
  for (int y = 0; y < 260; y += 5)
    for (int x = 0; x < 360; x += 5) {
      ASSERT_EQ(PixelAt(fromBmp, x, y), PixelAt(direct, x, y));
      ASSERT_EQ(PixelAt(fromPng, x, y), PixelAt(direct, x, y));
    }
  EXPECT_THROW(c.CopyToBMP(OutFile("no/such/dir/chart.bmp"), false), EPlatformError);
}

TEST(ChartOutput, PngFilesAtTheChosenCompressionLevel) {
  ComposeChart c;
  Colourful(c);
  EXPECT_EQ(c.PngCompressionLevel(), TBitmap::kDefaultPngLevel);
  c.SetPngCompressionLevel(0);
  c.CopyToBMP(OutFile("level0.png"), false);
  c.SetPngCompressionLevel(9);
  c.SetPngCompressionLevel(10);  // ignored
  c.SetPngCompressionLevel(-1);  // ignored
  EXPECT_EQ(c.PngCompressionLevel(), 9);
  c.CopyToBMP(OutFile("level9.png"), false);
  const std::string stored = ReadFile(OutFile("level0.png"));
  const std::string small = ReadFile(OutFile("level9.png"));
  EXPECT_GT(stored.size(), 10 * small.size());
  TBitmap a, b;
  a.LoadFromFile(OutFile("level0.png"));
  b.LoadFromFile(OutFile("level9.png"));
  ASSERT_EQ(a.Width(), b.Width());
  EXPECT_TRUE(std::equal(a.Bits(), a.Bits() + a.Width() * a.Height(), b.Bits()));
}

TEST(ChartOutput, SvgHoldsTheCaptionAxesAndAClippedDataArea) {
  ComposeChart c;
  Colourful(c);
  const std::string svg = c.ToSvg(false);
  EXPECT_NE(svg.find("<svg"), std::string::npos);
  EXPECT_NE(svg.find(">Colourful</text>"), std::string::npos);
  EXPECT_NE(svg.find(">volts</text>"), std::string::npos);
  EXPECT_NE(svg.find("clipPath"), std::string::npos);
  EXPECT_NE(svg.find("width=\"360\""), std::string::npos);
  c.CopyToWMF(OutFile("chart.svg"), false);
  EXPECT_EQ(ReadFile(OutFile("chart.svg")), svg);
  // Monochrome: no colour of the chart survives.
  const std::string bw = c.ToSvg(true);
  EXPECT_EQ(bw.find("#008000"), std::string::npos);  // the caption's green
  EXPECT_NE(svg.find("#008000"), std::string::npos);
}

TEST(ChartOutput, TheVectorPictureReplaysToTheBitmapPicture) {
  ComposeChart c;
  Colourful(c);
  c.SetGridStyle(gsDotLines);
  c.MoveTo(-1.0, -1.0);  // partly outside the data area: clipped alike
  for (int i = 0; i <= 40; ++i) c.DrawTo(i * 0.3, 5 + 6 * std::sin(i * 0.4));
  c.SetAnnoMode(true);
  c.Rectangle(2.0, 2.0, 4.0, 3.0);
  c.Text(8.0, 9.0, 10, "note");
  for (bool bw : {false, true}) {
    TMetafile mf;
    c.CopyToMetafile(mf, bw);
    TBitmap replayed(mf.Width(), mf.Height());
    mf.Replay(replayed.Canvas());
    TBitmap direct;
    c.CopyToBitmap(direct, bw);
    ASSERT_EQ(replayed.Width(), direct.Width());
    for (int y = 0; y < direct.Height(); ++y)
      for (int x = 0; x < direct.Width(); ++x)
        ASSERT_EQ(PixelAt(replayed, x, y), PixelAt(direct, x, y)) << x << "," << y << " bw " << bw;
  }
  const std::string svg = c.ToSvg(false);
  EXPECT_NE(svg.find(">note</text>"), std::string::npos);
  EXPECT_NE(svg.find("<polyline"), std::string::npos);
}

TEST(ChartOutput, ClipboardTakesBitmapsAndSvg) {
  TOffscreenHost host;
  ComposeChart c;
  Colourful(c);
  host.Show(c);
  c.CopyToClipboard(false);
  EXPECT_EQ(Clipboard().Bitmap().Width(), 360);
  EXPECT_EQ(Clipboard().LastFormat(), TClipboardFormat::Bitmap);
  c.CopyToClipboardDAOnly(true, true);
  EXPECT_EQ(Clipboard().Bitmap().Width(), c.DataBitmapSize().cx);
  c.CopyToClipboardWMF(false);
  EXPECT_EQ(Clipboard().LastFormat(), TClipboardFormat::Svg);
  EXPECT_NE(Clipboard().Svg().find(">Colourful</text>"), std::string::npos);
}

TEST(ChartOutput, PrintingPutsTheMagnifiedPictureOnAPage) {
  ComposeChart c;
  Colourful(c);
  TBitmap picture;
  c.CopyToBitmap(picture, false);
  c.PrintIt(2, false);
  ASSERT_EQ(Printer().Pages().size(), 1u);
  const TBitmap& page = Printer().Pages()[0];
  const int m = Printer().PixelsPerInch() / 2;
  EXPECT_EQ(PixelAt(page, m + 2 * 100, m + 2 * 50 + 1), PixelAt(picture, 100, 50));
  EXPECT_EQ(PixelAt(page, m + 2 * 360, m), clWhite);  // just right of the picture

  int x = 10, y = 20;
  c.CopyToOpenPrinter(x, y, 1, false);  // no open document: nothing
  EXPECT_EQ(x, 10);
  Printer().BeginDoc();
  c.CopyToOpenPrinter(x, y, 1, true);
  EXPECT_EQ(x, 370);
  EXPECT_EQ(y, 280);
  c.CopyToOpenPrinter(x, y, 0, true);  // 0: the size on screen at the printer's resolution
  EXPECT_EQ(x, 370 + 360 * Printer().PixelsPerInch() / 96);
  EXPECT_THROW(c.PrintIt(1, false), EPlatformError);  // a document is open
  EXPECT_TRUE(Printer().Canvas().IsPrinter());
  Printer().EndDoc();
}

}  // namespace
}  // namespace kiv
