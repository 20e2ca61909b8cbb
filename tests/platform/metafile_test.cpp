// The recording canvas: a replayed metafile paints the same pixels as drawing directly, and the
// SVG output describes the same figures.
#include "platform/metafile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pixel_util.h"
#include "platform/bitmap.h"
#include "platform/imageio.h"

namespace kiv {
namespace {

using testing::SamePixels;

// A drawing that exercises every recorded primitive and state change.
void Drawing(TCanvas& c, const TBitmap& sprite) {
  c.Pen().SetColor(clNavy);
  c.MoveTo(3, 3);
  c.LineTo(60, 10);
  c.Pen().SetStyle(psDashDot);
  c.LineTo(20, 50);  // continues the dash pattern
  c.LineTo(70, 55);
  c.Pen().SetStyle(psSolid);
  c.Pen().SetWidth(3);
  const std::vector<TPoint> path = {{5, 70}, {30, 60}, {55, 75}, {80, 62}};
  c.Polyline(path);
  c.Pen().SetWidth(1);
  c.Brush().SetColor(clYellow);
  c.Rectangle(10, 15, 40, 35);
  c.Ellipse(45, 20, 78, 45);
  c.Arc(5, 5, 75, 75, 75, 40, 40, 0);
  const std::vector<TPoint> tri = {{50, 50}, {78, 58}, {60, 78}};
  c.Brush().SetStyle(bsDiagCross);
  c.Polygon(tri);
  c.Brush().SetStyle(bsSolid);
  c.Brush().SetColor(clLime);
  c.FillRect(TRect(2, 72, 12, 78));
  c.SetPixels(79, 0, clRed);
  c.SetClipRect(TRect(20, 20, 60, 60));
  c.Pen().SetMode(pmXor);
  c.Pen().SetColor(clWhite);
  c.Rectangle(15, 15, 65, 65);
  c.ResetClipRect();
  c.Pen().SetMode(pmCopy);
  c.StretchDraw(TRect(62, 2, 78, 18), sprite);
}

TBitmap Sprite() {
  TBitmap s(4, 4);
  s.Canvas().Brush().SetColor(clFuchsia);
  s.Canvas().Ellipse(0, 0, 4, 4);
  return s;
}

TEST(Metafile, ReplayPaintsTheSamePixelsAsDirectDrawing) {
  const TBitmap sprite = Sprite();
  TBitmap direct(80, 80);
  Drawing(direct.Canvas(), sprite);

  TMetafile mf(80, 80);
  TMetafileCanvas rec(mf);
  Drawing(rec, sprite);
  EXPECT_GT(mf.CommandCount(), 10u);
  TBitmap replayed(80, 80);
  mf.Replay(replayed.Canvas());
  EXPECT_TRUE(SamePixels(direct, replayed));
}

TEST(Metafile, ReplayShiftsThePicture) {
  TMetafile mf(10, 10);
  TMetafileCanvas rec(mf);
  rec.Rectangle(0, 0, 4, 4);
  TBitmap b(12, 12);
  mf.Replay(b.Canvas(), 5, 6);
  EXPECT_EQ(testing::InkBounds(b), TRect(5, 6, 9, 10));
}

TEST(Metafile, PixelsCannotBeReadBack) {
  TMetafile mf(10, 10);
  TMetafileCanvas rec(mf);
  rec.SetPixels(1, 1, clRed);
  EXPECT_EQ(rec.Pixels(1, 1), clNone);
}

TEST(Metafile, SvgDescribesTheFigures) {
  TMetafile mf(80, 80);
  TMetafileCanvas rec(mf);
  Drawing(rec, Sprite());
  const std::string svg = mf.ToSvg();
  EXPECT_NE(svg.find("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"80\" height=\"80\""),
            std::string::npos);
  // The connected lines of one style merge into one polyline; the dashed pair into another.
  EXPECT_NE(svg.find("<polyline points=\"3.5,3.5 60.5,10.5\""), std::string::npos);
  EXPECT_NE(svg.find("stroke-dasharray=\"9 6 3 6\""), std::string::npos);
  EXPECT_NE(svg.find("<rect x=\"10.5\" y=\"15.5\" width=\"29\" height=\"19\" fill=\"#ffff00\""),
            std::string::npos);
  EXPECT_NE(svg.find("<ellipse"), std::string::npos);
  EXPECT_NE(svg.find("<path d=\"M"), std::string::npos);
  EXPECT_NE(svg.find("fill-rule=\"evenodd\""), std::string::npos);
  EXPECT_NE(svg.find("clip-path=\"url(#c1)\""), std::string::npos);
  EXPECT_NE(svg.find("data:image/png;base64,"), std::string::npos);
  std::size_t open = 0, close = 0;
  for (std::size_t p = 0; (p = svg.find("<g", p)) != std::string::npos; ++p) ++open;
  for (std::size_t p = 0; (p = svg.find("</g>", p)) != std::string::npos; ++p) ++close;
  EXPECT_EQ(open, close);
  EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");
}

// The picture embedded in the first image of an SVG text.
imageio::Image EmbeddedImage(const std::string& svg) {
  const std::string mark = "data:image/png;base64,";
  const std::size_t from = svg.find(mark) + mark.size();
  const std::size_t to = svg.find('"', from);
  std::vector<std::uint8_t> bytes;
  std::uint32_t acc = 0;
  int bits = 0;
  for (std::size_t i = from; i < to && svg[i] != '='; ++i) {
    const char ch = svg[i];
    const int v = ch >= 'A' && ch <= 'Z'   ? ch - 'A'
                  : ch >= 'a' && ch <= 'z' ? ch - 'a' + 26
                  : ch >= '0' && ch <= '9' ? ch - '0' + 52
                  : ch == '+'              ? 62
                                           : 63;
    acc = (acc << 6) | static_cast<std::uint32_t>(v);
    bits += 6;
    if (bits >= 8) {
      bits -= 8;
      bytes.push_back(static_cast<std::uint8_t>(acc >> bits));
    }
  }
  return imageio::DecodeImage(bytes, "embedded image");
}

TEST(Metafile, SvgImagesAreMirroredLikeThePixels) {
  TBitmap sprite(3, 2);
  sprite.Canvas().SetPixels(0, 0, clRed);
  sprite.Canvas().SetPixels(2, 1, clBlue);
  const struct {
    TRect dest, src;
    TColor top_left;
  } cases[] = {{TRect(0, 0, 3, 2), TRect(0, 0, 3, 2), clRed},
               {TRect(3, 0, 0, 2), TRect(0, 0, 3, 2), clWhite},  // left to right
               {TRect(0, 2, 3, 0), TRect(0, 0, 3, 2), clWhite},  // upside down
               {TRect(3, 2, 0, 0), TRect(0, 0, 3, 2), clBlue},   // both
               {TRect(3, 2, 0, 0), TRect(3, 2, 0, 0), clRed}};   // mirrored twice
  for (const auto& k : cases) {
    TMetafile mf(3, 2);
    {
      TMetafileCanvas rec(mf);
      rec.CopyRect(k.dest, sprite.Canvas(), k.src);
    }
    TBitmap replayed(3, 2);
    mf.Replay(replayed.Canvas());
    ASSERT_EQ(replayed.Canvas().Pixels(0, 0), k.top_left);
    const imageio::Image img = EmbeddedImage(mf.ToSvg());
    ASSERT_EQ(img.width, 3);
    ASSERT_EQ(img.height, 2);
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 3; ++x)
        EXPECT_EQ(img.pixels[static_cast<std::size_t>(y * 3 + x)] & 0xFFFFFFu,
                  replayed.ScanLine(y)[x] & 0xFFFFFFu)
            << x << "," << y;
  }
}

}  // namespace
}  // namespace kiv
