#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/clipboard.h"
#include "platform/offscreen_host.h"
#include "platform/printer.h"
#include "probe.h"

namespace kiv {
namespace {

using namespace plot3d;
using test::At;
using test::SamePixels;

void Hill(TPlot3D& p) {
  p.GridMat.Resize(12, 9);
  for (int ix = 1; ix <= 12; ++ix)
    for (int iy = 1; iy <= 9; ++iy) p.GridMat.SetVal(ix, iy, 0.1 * ix - 0.05 * iy * iy);
  p.SetColorScaleLow(-4);
  p.SetColorScaleHigh(1.2);
}

// Every way out shows the picture the control paints.
TEST(Plot3DOutput, FilesClipboardPrinterAndForeignCanvases) {
  TOffscreenHost host;
  TPlot3D p(nullptr);
  p.SetBounds(0, 0, 320, 260);
  Hill(p);
  host.Show(p);
  const TBitmap framed = p.PictureBitmap(true);
  EXPECT_TRUE(SamePixels(host.Snapshot(p), framed));
  const TBitmap bare = p.PictureBitmap(false);
  EXPECT_EQ(At(bare, 0, 0), clWhite);
  EXPECT_NE(At(framed, 0, 0), clWhite);

  const std::string png = std::string(KIV_TEST_OUT_DIR) + "/plot3d.png";
  p.CopyToBMP(png, true);
  TBitmap read;
  read.LoadFromFile(png);
  EXPECT_TRUE(SamePixels(read, framed));

  const std::string svgFile = std::string(KIV_TEST_OUT_DIR) + "/plot3d.svg";
  p.CopyToWMF(svgFile, false);
  std::stringstream svg;
  svg << std::ifstream(svgFile).rdbuf();
  EXPECT_EQ(svg.str(), p.ToSvg(false));
  EXPECT_NE(svg.str().find("polygon"), std::string::npos);
  p.CopyToClipboard(true);
  EXPECT_TRUE(SamePixels(Clipboard().Bitmap(), framed));
  p.CopyToClipboardWMF(true);
  EXPECT_EQ(Clipboard().Svg(), p.ToSvg(true));

  // The foreign canvas gets the picture without background and frame.
  TBitmap foreign(320, 260);
  p.DrawOnForeignCanvas(foreign.Canvas());
  EXPECT_TRUE(SamePixels(foreign, bare));
  EXPECT_FALSE(p.SuppressPaint());

  // Printed at twice the size, in grey levels.
  Printer().SetPixelsPerInch(150);
  p.PrintIt(2, true, true);
  ASSERT_EQ(Printer().Pages().size(), 1u);
  const TBitmap& page = Printer().Pages()[0];
  const int x = 75 + 2 * 160, y = 75 + 2 * 130;  // half an inch in, the picture's centre
  const TColor c = At(framed, 160, 130), g = At(page, x, y);
  EXPECT_EQ(g & 0xFF, (g >> 8) & 0xFF);
  EXPECT_EQ(g & 0xFF, (g >> 16) & 0xFF);
  EXPECT_NEAR(g & 0xFF, 0.299 * (c & 0xFF) + 0.587 * ((c >> 8) & 0xFF) + 0.114 * (c >> 16), 1);
}

TEST(Plot3DOutput, DesignerShowsTheNameOnly) {
  TPlot3D p(nullptr);
  Hill(p);
  p.SetDesigning(true);
  p.SetColorBakGnd(clNavy);
  const TBitmap b = p.PictureBitmap(false);
  int light = 0, other = 0;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) {
      const TColor c = At(b, x, y);
      light += (c & 0xFF) > 160 && x >= 10 && x < 60 && y >= 10 && y < 25;
      other += c != clNavy && (x < 10 || x >= 60 || y < 10 || y >= 25);
    }
  EXPECT_GT(light, 15);  // "Plot3D" in white on the dark background at (10, 10)
  EXPECT_EQ(other, 0);   // and nothing else
}

}  // namespace
}  // namespace kiv
