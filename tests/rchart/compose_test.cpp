// Composition of the chart's picture: the caption with its trimming and anchors, the drop
// shadow, the data-area frame, the background image and background areas, the render events,
// painting conditions, ShowGraf and the crosshair overlay.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <string>

#include "compose_probe.h"
#include "platform/offscreen_host.h"

namespace kiv {
namespace {

// --- Caption

// The caption is the first text drawn on the chart bitmap (the axes follow it).
TTextRecorder::Text CaptionOf(ComposeChart& c) {
  TTextRecorder rec(c.Width(), c.Height());
  c.ConstructChartBmp(rec);
  EXPECT_FALSE(rec.texts.empty());
  return rec.texts.empty() ? TTextRecorder::Text{0, 0, ""} : rec.texts.front();
}

int WidthInChartFont(const TCustomRChart& c, const std::string& text) {
  TBitmap b(1, 1);
  b.Canvas().Font().Assign(c.Font());
  return b.Canvas().TextWidth(text);
}

TEST(ChartCaption, TrimSettingIsZeroOrFiveToHundredPercent) {
  TCustomRChart c(nullptr);
  c.SetCaptionTrim(3);
  EXPECT_EQ(c.CaptionTrim(), 5);
  c.SetCaptionTrim(150);
  EXPECT_EQ(c.CaptionTrim(), 100);
  c.SetCaptionTrim(-7);
  EXPECT_EQ(c.CaptionTrim(), 5);
  c.SetCaptionTrim(0);
  EXPECT_EQ(c.CaptionTrim(), 0);
  c.SetCaptionTrim(42);
  EXPECT_EQ(c.CaptionTrim(), 42);
}

TEST(ChartCaption, ALongCaptionIsCutToItsShareOfTheDataAreaAndEndsInDots) {
  ComposeChart c;  // data area 210 pixels wide
  const std::string caption = "Mean temperature of the cooling water over the whole day";
  c.SetCaption(caption);
  c.SetCaptionTrim(50);
  const int w = WidthInChartFont(c, caption);
  ASSERT_GT(w, 105);
  const int keep = static_cast<int>(std::lround(caption.size() * 105.0 / w)) - 2;
  const std::string expected = caption.substr(0, static_cast<std::size_t>(keep)) + "...";
  const TTextRecorder::Text t = CaptionOf(c);
  EXPECT_EQ(t.text, expected);
  EXPECT_LE(WidthInChartFont(c, t.text), 105 + WidthInChartFont(c, "..."));
  // Right-aligned at the data area's right edge, 16 pixels above its top.
  EXPECT_EQ(t.x, 280 - 20 - WidthInChartFont(c, expected));
  EXPECT_EQ(t.y, 20 - 16);

  c.SetCaptionTrim(0);  // no trimming
  EXPECT_EQ(CaptionOf(c).text, caption);
  c.SetCaptionTrim(100);
  c.SetCaption("Short");
  EXPECT_EQ(CaptionOf(c).text, "Short");
}

TEST(ChartCaption, TrimmingCountsCharactersNotBytes) {
  ComposeChart c;
  const std::string caption =
      "Öl Öl Öl Öl Öl Öl Öl Öl Öl Öl Öl Öl Öl Öl Öl Öl Öl Öl Öl Öl Öl Öl Öl Öl";
  c.SetCaption(caption);
  c.SetCaptionTrim(20);
  const std::string t = CaptionOf(c).text;
  ASSERT_GE(t.size(), 3u);
  EXPECT_EQ(t.substr(t.size() - 3), "...");
  const std::string kept = t.substr(0, t.size() - 3);
  ASSERT_LT(kept.size(), caption.size());
  EXPECT_EQ(caption.substr(0, kept.size()), kept);
  EXPECT_NE(static_cast<unsigned char>(caption[kept.size()]) & 0xC0, 0x80);  // whole characters
}

TEST(ChartCaption, AnchorsPlaceTheTextRelativeToControlOrDataArea) {
  ComposeChart c;
  c.SetShadowWidth(4);  // data area: x 50..206, y 20..156 (control 280 x 200)
  c.SetCaption("Title");
  c.SetCaptionAlignment(taLeftJustify);
  c.SetCaptionPosX(3);
  c.SetCaptionPosY(-5);
  const int w = WidthInChartFont(c, "Title");
  struct Case {
    TCaptionAnchorHoriz h;
    TCaptionAnchorVert v;
    int x, y;
  };
  const Case cases[] = {
      {cahControlLeft, cavControlTop, 3, -5},
      {cahChartLeft, cavChartTop, 53, 15},
      {cahChartCenter, cavChartCenter, 3 + 50 + (280 - 50 - 20 - 4) / 2,
       -5 + 20 + (200 - 20 - 40 - 4) / 2},
      {cahChartRight, cavChartBottom, 3 + 280 - 20 - 4, -5 + 200 - 40},
      {cahControlRight, cavControlBottom, 283, 195},
  };
  for (const Case& k : cases) {
    c.SetCaptionAnchorHoriz(k.h);
    c.SetCaptionAnchorVert(k.v);
    const TTextRecorder::Text t = CaptionOf(c);
    EXPECT_EQ(t.x, k.x) << int(k.h);
    EXPECT_EQ(t.y, k.y) << int(k.v);
  }
  c.SetCaptionAlignment(taCenter);
  EXPECT_EQ(CaptionOf(c).x, 283 - w / 2);
  c.SetCaptionAlignment(taRightJustify);
  EXPECT_EQ(CaptionOf(c).x, 283 - w);
}

// --- Chart face, shadow and frame

TBitmap Picture(TCustomRChart& c, bool bw = false) {
  TBitmap b;
  c.CopyToBitmap(b, bw);
  return b;
}

TEST(ChartFace, TheDataAreaFrameIsTheOutermostRingOfTheDataBitmap) {
  ComposeChart c;
  c.SetChartFrameColor(clRed);
  c.SetShadowWidth(3);
  const TBitmap b = Picture(c);
  const int L = 50, T = 20, R = 280 - 20 - 3, B = 200 - 40 - 3;
  for (int x = L; x <= R; ++x) {
    ASSERT_EQ(PixelAt(b, x, T), clRed) << x;
    ASSERT_EQ(PixelAt(b, x, B), clRed) << x;
  }
  for (int y = T; y <= B; ++y) {
    ASSERT_EQ(PixelAt(b, L, y), clRed) << y;
    ASSERT_EQ(PixelAt(b, R, y), clRed) << y;
  }
  EXPECT_EQ(PixelAt(b, L + 1, T + 1), clWhite);
  EXPECT_EQ(PixelAt(b, R - 1, B - 1), clWhite);
  EXPECT_EQ(PixelAt(b, R + 1, T + 5), ColorToRGB(clBtnFace));  // outside: the background
  EXPECT_EQ(PixelAt(b, L + 5, T - 1), ColorToRGB(clBtnFace));
  TBitmap da;
  c.CopyToBitmapDAOnly(da, false);
  EXPECT_EQ(da.Width(), R - L + 1);
  EXPECT_EQ(da.Height(), B - T + 1);
}

TEST(ChartFace, DropShadowStyles) {
  ComposeChart c;
  c.SetShadowWidth(5);
  c.SetShadowColor(clNavy);
  c.SetShadowBakColor(clYellow);
  const int W = 280, H = 200, d = 5;
  TBitmap b = Picture(c);
  EXPECT_EQ(PixelAt(b, W - 2, 1), clYellow);  // the corner the shadow leaves open
  EXPECT_EQ(PixelAt(b, 1, H - 2), clYellow);
  EXPECT_EQ(PixelAt(b, W - 1, H / 2), clNavy);  // plain: shadow without outline
  EXPECT_EQ(PixelAt(b, W / 2, H - 1), clNavy);
  EXPECT_EQ(PixelAt(b, 0, 0), clBlack);  // the chart face is outlined in black
  EXPECT_EQ(PixelAt(b, W - d, 10), clBlack);
  EXPECT_EQ(PixelAt(b, 10, H - d), clBlack);

  c.SetShadowStyle(shsFramed);
  b = Picture(c);
  EXPECT_EQ(PixelAt(b, W - 1, H / 2), clBlack);  // outlined in black
  EXPECT_EQ(PixelAt(b, W - 3, H / 2), clNavy);
  c.SetShadowStyle(shsBackFramed);
  b = Picture(c);
  EXPECT_EQ(PixelAt(b, W - 1, H / 2), clYellow);  // outlined in the background colour
  EXPECT_EQ(PixelAt(b, W - 3, H / 2), clNavy);

  c.SetShadowWidth(0);
  b = Picture(c);
  EXPECT_EQ(PixelAt(b, W - 1, H - 1), ColorToRGB(clBtnFace));
  EXPECT_EQ(PixelAt(b, 0, 0), ColorToRGB(clBtnFace));
}

// --- Background image and areas

std::string OutFile(const std::string& name) {
  return std::string(KIV_TEST_OUT_DIR) + "/compose_" + name;
}

// A 4 x 3 picture whose pixel (x, y) is RGB(60 * x, 80 * y, 200).
std::string WriteImage(const std::string& name) {
  TBitmap img(4, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) img.Canvas().SetPixels(x, y, RGB(60 * x, 80 * y, 200));
  const std::string file = OutFile(name);
  img.SaveToFile(file);
  return file;
}

TColor ImagePixel(int x, int y) {
  return RGB(60 * x, 80 * y, 200);
}

TEST(ChartBackground, ImageUnscaledStretchedAndTiled) {
  for (const char* name : {"bg.png", "bg.bmp"}) {
    ComposeChart c;
    c.BackGroundImg().SetIncludePath(true);
    c.BackGroundImg().SetName(WriteImage(name));
    TBitmap da;

    c.BackGroundImg().SetFillMode(bfUnscaled);
    c.CopyToBitmapDAOnly(da, false);
    EXPECT_EQ(PixelAt(da, 2, 1), ImagePixel(2, 1)) << name;
    EXPECT_EQ(PixelAt(da, 3, 2), ImagePixel(3, 2));
    EXPECT_EQ(PixelAt(da, 4, 2), clWhite);  // beyond the picture: ChartColor
    EXPECT_EQ(PixelAt(da, 10, 10), clWhite);

    c.BackGroundImg().SetFillMode(bfTiled);
    c.CopyToBitmapDAOnly(da, false);
    EXPECT_EQ(PixelAt(da, 5, 4), ImagePixel(1, 1));
    EXPECT_EQ(PixelAt(da, 4 * 20 + 2, 3 * 15 + 2), ImagePixel(2, 2));

    c.BackGroundImg().SetFillMode(bfStretched);
    c.CopyToBitmapDAOnly(da, false);
    const int w = da.Width(), h = da.Height();
    EXPECT_EQ(PixelAt(da, w / 8, h / 6), ImagePixel(0, 0));
    EXPECT_EQ(PixelAt(da, w - w / 8, h - h / 6), ImagePixel(3, 2));
    EXPECT_EQ(c.BackGroundImg().Name(), OutFile(name));
  }
}

TEST(ChartBackground, AnUnreadableImageIsDroppedAndTheDataAreaStillDrawn) {
  const std::string file = OutFile("broken.png");
  std::ofstream(file) << "this is not a picture";
  ComposeChart c;
  c.SetChartColor(clYellow);
  c.SetChartFrameColor(clRed);
  c.BackGroundImg().SetIncludePath(true);
  c.BackGroundImg().SetName(file);
  int changes = 0;
  c.BackGroundImg().OnChange = [&](TObject*) { ++changes; };
  TBitmap da;
  c.CopyToBitmapDAOnly(da, false);
  EXPECT_EQ(c.BackGroundImg().Name(), "");
  EXPECT_EQ(changes, 0);  // dropped quietly, in the middle of painting
  EXPECT_EQ(PixelAt(da, 5, 5), clYellow);
  EXPECT_EQ(PixelAt(da, 0, 0), clRed);  // the rest of the composition happened
  c.BackGroundImg().SetName(OutFile("missing.png"));
  c.CopyToBitmapDAOnly(da, false);
  EXPECT_EQ(c.BackGroundImg().Name(), "");
}

TEST(ChartBackground, AreasCoverTheirPartOfTheDataArea) {
  // World 0..10 on both axes; the area bounds split each axis at 2, 6 (x) and 4, 8 (y). The
  // samples are the nine fields: columns x = 1, 4, 8, rows y = 9, 6, 2 (top to bottom).
  const char* expected[] = {
      // bamNone  bamLeft    bamRight   bamTop     bamBottom  bamVStripe
      "... ... ...", "x.. x.. x..", "..x ..x ..x", "xxx ... ...", "... ... xxx", ".x. .x. .x.",
      // bamHStripe bamRect  bamRectInv  bamVStripeInv bamHStripeInv
      "... xxx ...", "... .x. ...", "xxx x.x xxx", "x.x x.x x.x", "xxx ... xxx"};
  ComposeChart c;
  c.SetRange(1, 0, 0, 10, 10);
  TBakGndImg& g = c.BackGroundImg();
  g.SetAreaLeft(2);
  g.SetAreaRight(6);
  g.SetAreaTop(8);
  g.SetAreaBottom(4);
  g.SetAreaColor(clAqua);
  for (int mode = bamNone; mode <= bamHStripeInv; ++mode) {
    g.SetAreaMode(static_cast<TBGAreaMode>(mode));
    TBitmap da;
    c.CopyToBitmapDAOnly(da, false);
    std::string got;
    for (double y : {9.0, 6.0, 2.0}) {
      if (!got.empty()) got += ' ';
      for (double x : {1.0, 4.0, 8.0}) {
        int px, py;
        c.R2M(1, x, y, px, py);
        got += PixelAt(da, px - 50, py - 20) == clAqua ? 'x' : '.';
      }
    }
    EXPECT_EQ(got, expected[mode]) << "mode " << mode;
  }
}

// --- Events and painting

TEST(ChartEvents, RenderEventsGiveTheCanvasAndTheDataAreaOrigin) {
  ComposeChart c;
  std::vector<std::string> order;
  c.OnScalesRendered = [&](TObject* s, TCanvas&, int top, int left) {
    EXPECT_EQ(s, &c);
    EXPECT_EQ(top, 0);
    EXPECT_EQ(left, 0);
    order.push_back("scales");
  };
  c.OnBeforeRenderData = [&](TObject*, TCanvas& cv, int top, int left) {
    EXPECT_EQ(top, 20);
    EXPECT_EQ(left, 50);
    cv.Brush().SetColor(clRed);  // restored by the chart
    order.push_back("before");
  };
  c.OnDataRendered = [&](TObject*, TCanvas& cv, int top, int left) {
    cv.SetPixels(100 - left, 60 - top, clLime);  // control pixel (100, 60)
    order.push_back("after");
  };
  const TBitmap b = Picture(c);
  EXPECT_EQ(order, (std::vector<std::string>{"scales", "before", "after"}));
  EXPECT_EQ(PixelAt(b, 100, 60), clLime);
}

TEST(ChartPaint, NothingIsPaintedWhileSuppressedOrHidden) {
  TOffscreenHost host;
  ComposeChart c;
  c.SetChartColor(clYellow);
  host.Show(c);
  const TBitmap* surface = c.Surface();
  EXPECT_EQ(PixelAt(*surface, 100, 100), clYellow);
  c.SetSuppressPaint(true);
  c.SetChartColor(clNavy);  // suppressed: no picture
  host.ProcessMessages();
  EXPECT_EQ(PixelAt(*surface, 100, 100), clYellow);
  c.SetSuppressPaint(false);  // clearing repaints
  EXPECT_EQ(PixelAt(*surface, 100, 100), clNavy);
  c.SetVisible(false);
  c.SetChartColor(clRed);
  c.Paint();
  EXPECT_EQ(PixelAt(*surface, 100, 100), clNavy);
}

TEST(ChartPaint, ShowGrafRefreshesOnlyTheDataArea) {
  TOffscreenHost host;
  ComposeChart c;
  c.SetCaption("Before");
  host.Show(c);
  const TBitmap before = host.Snapshot(c);
  c.SetAutoRedraw(false);
  c.SetCaption("After, much longer");
  c.SetWindColor(clRed);
  c.SetChartColor(clYellow);
  c.SetAutoRedraw(true);
  c.ShowGraf();
  host.ProcessMessages();
  const TBitmap after = host.Snapshot(c);
  EXPECT_EQ(PixelAt(after, 100, 100), clYellow);  // the data area is new
  for (int y = 0; y < 20; ++y)                    // the caption strip is as it was
    for (int x = 0; x < 280; ++x) ASSERT_EQ(PixelAt(after, x, y), PixelAt(before, x, y));
  EXPECT_EQ(PixelAt(after, 5, 100), PixelAt(before, 5, 100));
  EXPECT_EQ(c.LastShown(), -1);
  c.MoveTo(1.0, 1.0);
  c.DrawTo(2.0, 2.0);
  c.ShowGraf();
  EXPECT_EQ(c.LastShown(), 1);
  c.SetAutoRedraw(false);  // without AutoRedraw ShowGraf paints everything
  c.ShowGraf();
  EXPECT_EQ(PixelAt(host.Snapshot(c), 5, 100), clRed);
}

TEST(ChartCrossHairs, DrawnOverThePictureWithinTheDataArea) {
  TOffscreenHost host;
  ComposeChart c;
  c.SetRange(1, 0, 0, 10, 10);
  host.Show(c);
  TBitmap b = c.ChartBitmap();
  const TBitmap clean = b;
  c.DrawCrossHairs(0, 0, b);  // all off: nothing drawn
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) ASSERT_EQ(PixelAt(b, x, y), PixelAt(clean, x, y));

  c.CrossHair1().SetLineType(psSolid);
  c.CrossHair1().SetMode(chHoriz);
  c.CrossHair1().SetPos(5, 5);
  host.ProcessMessages();
  int px, py;
  c.R2M(1, 5, 5, px, py);
  const TBitmap shown = host.Snapshot(c);
  EXPECT_EQ(PixelAt(shown, 51, py), clRed);
  EXPECT_EQ(PixelAt(shown, 259, py), clRed);
  EXPECT_NE(PixelAt(shown, 260, py), clRed);  // the frame stays
  EXPECT_NE(PixelAt(shown, 50, py), clRed);
  // The crosshair lives on the screen only: the chart bitmap stays free of it.
  EXPECT_NE(PixelAt(c.ChartBitmap(), 100, py), clRed);
  // A horizontal line within half its width of the edge is not drawn.
  c.CrossHair1().SetLineWid(3);
  c.CrossHair1().SetPos(5, 10);
  b = c.ChartBitmap();
  c.DrawCrossHairs(0, 0, b);
  EXPECT_NE(PixelAt(b, 100, 21), clRed);
}

}  // namespace
}  // namespace kiv
