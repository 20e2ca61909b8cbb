#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "scale/placement.h"
#include "scale/scale.h"

namespace kiv {
namespace {

// The box of all pixels of one colour inside a window of a bitmap; empty when there are none.
struct TBox {
  int left = INT_MAX;
  int top = INT_MAX;
  int right = INT_MIN;
  int bottom = INT_MIN;
  bool Empty() const { return left > right; }
};

TBox Find(TBitmap& bmp, TColor c, TRect window, bool equal) {
  TBox b;
  for (int y = window.Top; y < window.Bottom; ++y)
    for (int x = window.Left; x < window.Right; ++x)
      if ((bmp.Canvas().Pixels(x, y) == c) == equal) {
        b.left = std::min(b.left, x);
        b.right = std::max(b.right, x);
        b.top = std::min(b.top, y);
        b.bottom = std::max(b.bottom, y);
      }
  return b;
}

TBox FindColor(TBitmap& bmp, TColor c, TRect window) {
  return Find(bmp, c, window, true);
}
TBox FindOther(TBitmap& bmp, TColor c, TRect window) {
  return Find(bmp, c, window, false);
}

// A white picture whose brush is red: opaque label cells show up as red boxes.
struct TPicture {
  TBitmap bmp;
  TPicture(int w, int h) : bmp(w, h) {
    TCanvas& c = bmp.Canvas();
    c.Brush().SetColor(clWhite);
    c.FillRect(TRect(0, 0, w, h));
    c.Brush().SetColor(clRed);
    c.Pen().SetColor(clBlack);
  }
  TCanvas& Canvas() { return bmp.Canvas(); }
  TColor At(int x, int y) { return bmp.Canvas().Pixels(x, y); }
};

TEST(ScaleLabelPlacement, HorizontalLabelsAreCentredButStayInside) {
  EXPECT_EQ(HorizontalLabelLeft(100, 20, 200), 90);
  EXPECT_EQ(HorizontalLabelLeft(100, 21, 200), 90);
  EXPECT_EQ(HorizontalLabelLeft(3, 20, 200), 2);  // never left of column 2
  EXPECT_EQ(HorizontalLabelLeft(-50, 20, 200), 2);
  EXPECT_EQ(HorizontalLabelLeft(195, 20, 200), 178);  // ends 2 pixels inside the width
  EXPECT_EQ(HorizontalLabelLeft(188, 20, 200), 178);  // 188 + 10 is not below 198
  EXPECT_EQ(HorizontalLabelLeft(187, 20, 200), 177);
  EXPECT_EQ(HorizontalLabelLeft(2147483647, 20, 200), 178);
  EXPECT_EQ(HorizontalLabelLeft(-2147483647, 20, 200), 2);
}

TEST(ScaleLabelPlacement, VerticalLabelsAndCaptions) {
  EXPECT_EQ(HorizontalLabelTop(sctLabelsBelow, 30, 13), 37);
  EXPECT_EQ(HorizontalLabelTop(sctLabelsAbove, 30, 13), 10);
  EXPECT_EQ(VerticalLabelLeft(sctLabelsRight, 30, 17), 38);
  EXPECT_EQ(VerticalLabelLeft(sctLabelsLeft, 30, 17), 5);
  EXPECT_EQ(VerticalLabelTop(100, 13), 94);
  EXPECT_EQ(CaptionLeft(taLeftJustify, 50, 21), 50);
  EXPECT_EQ(CaptionLeft(taRightJustify, 50, 21), 29);
  EXPECT_EQ(CaptionLeft(taCenter, 50, 21), 40);
}

// A 200 x 60 scale below its base line at row 10, value v at column 20 + v (0..159).
struct TBelow : ::testing::Test {
  TScale s{nullptr};
  TPicture pic{200, 60};
  void SetUp() override {
    s.SetBounds(0, 0, 200, 60);
    s.SetScaleType(sctLabelsBelow);
    s.SetMarginTop(10);
    s.SetRange(0, 159);
  }
};

TEST_F(TBelow, TickMarksHaveTheirLengths) {
  s.SetLabelType(fgtNone);
  s.DrawXScale(pic.Canvas(), 10);
  // Major tick at 50 (column 70): rows 10..16; minor tick at 10 (column 30): rows 10..13.
  for (int y = 10; y <= 16; ++y) EXPECT_EQ(pic.At(70, y), clBlack) << y;
  EXPECT_EQ(pic.At(70, 17), clWhite);
  for (int y = 10; y <= 13; ++y) EXPECT_EQ(pic.At(30, y), clBlack) << y;
  EXPECT_EQ(pic.At(30, 14), clWhite);
  EXPECT_EQ(pic.At(35, 10), clWhite);  // no tick between the minor ones, no base line
  EXPECT_EQ(s.NumTicks(), 16);         // minor positions 0, 10, ..., 150
  EXPECT_EQ(s.GetTickPos(1), 0);
  EXPECT_EQ(s.GetTickPos(16), 150);
  EXPECT_EQ(s.GetTickPos(0), 0);
  EXPECT_EQ(s.GetTickPos(17), 0);
}

TEST_F(TBelow, LabelsSitSevenRowsBelowTheBaseLine) {
  s.SetMarginLeft(60);
  s.SetMarginRight(39);
  s.SetRange(0, 100);  // value v at column 60 + v
  s.SetMinTicks(2);    // ticks every 50
  const int w = pic.Canvas().TextWidth("50");
  const int h = pic.Canvas().TextHeight("50");
  s.DrawXScale(pic.Canvas(), 10);
  const TBox box = FindColor(pic.bmp, clRed, TRect(85, 0, 135, 60));
  ASSERT_FALSE(box.Empty());
  EXPECT_EQ(box.top, 17);
  EXPECT_EQ(box.bottom, 17 + h - 1);
  EXPECT_EQ(box.left, 110 - w / 2);
}

TEST_F(TBelow, LabelsNearTheEdgesStayInside) {
  s.SetMarginLeft(3);
  s.SetMarginRight(3);
  s.SetRange(0, 100);
  s.OnBeforeTickLabel = [](TObject*, TScaleType, double, std::string& t) { t = "8888"; };
  const int w = pic.Canvas().TextWidth("8888");
  s.DrawXScale(pic.Canvas(), 10);
  const TBox box = FindColor(pic.bmp, clRed, TRect(0, 0, 200, 60));
  ASSERT_FALSE(box.Empty());
  EXPECT_EQ(box.left, 2);
  EXPECT_EQ(box.right, 200 - 2 * (w / 2) - 2 + w - 1);
  EXPECT_LE(box.right, 197);
}

TEST_F(TBelow, TransparentScalesLeaveTheLabelBackground) {
  s.SetTransparent(true);
  s.DrawXScale(pic.Canvas(), 10);
  EXPECT_TRUE(FindColor(pic.bmp, clRed, TRect(0, 0, 200, 60)).Empty());
  EXPECT_FALSE(FindOther(pic.bmp, clWhite, TRect(0, 17, 200, 60)).Empty());  // glyphs
  EXPECT_EQ(pic.Canvas().Brush().Style(), bsClear);
}

TEST_F(TBelow, EmptyLabelsFromTheEventLeaveTicksUnlabelled) {
  std::vector<double> asked;
  s.OnBeforeTickLabel = [&](TObject*, TScaleType type, double v, std::string& t) {
    EXPECT_EQ(type, sctLabelsBelow);
    asked.push_back(v);
    t.clear();
  };
  s.DrawXScale(pic.Canvas(), 10);
  EXPECT_EQ(asked, (std::vector<double>{0, 50, 100, 150}));
  EXPECT_TRUE(FindColor(pic.bmp, clRed, TRect(0, 0, 200, 60)).Empty());
  EXPECT_TRUE(FindOther(pic.bmp, clWhite, TRect(0, 17, 200, 60)).Empty());
}

TEST_F(TBelow, TickEventsReportValueAndPixel) {
  std::vector<std::vector<int>> seen;
  s.OnScaleTickDrawn = [&](TObject* sender, TCanvas& c, TScaleType, double v, int x, int y) {
    EXPECT_EQ(sender, &s);
    EXPECT_EQ(&c, &pic.Canvas());
    seen.push_back({static_cast<int>(v), x, y});
  };
  s.DrawXScale(pic.Canvas(), 10);
  // Sixteen minor ticks, then four major ones.
  ASSERT_EQ(seen.size(), 20u);
  EXPECT_EQ(seen[1], (std::vector<int>{10, 30, 10}));
  EXPECT_EQ(seen[17], (std::vector<int>{50, 70, 10}));
}

TEST_F(TBelow, CaptionAnchorsAndAlignment) {
  s.SetCaption("mV");
  s.SetLabelType(fgtNone);
  s.SetMarginRight(30);
  s.SetCaptionAnchor(uaSclBotRgt);
  s.SetCaptionAlignment(taRightJustify);
  s.SetCaptionPosX(0);
  s.SetCaptionPosY(20);
  const int w = pic.Canvas().TextWidth("mV");
  s.DrawXScale(pic.Canvas(), 10);
  TBox box = FindColor(pic.bmp, clRed, TRect(0, 0, 200, 60));
  ASSERT_FALSE(box.Empty());
  EXPECT_EQ(box.right, 200 - 30 - 1);  // ends exactly at Width - MarginRight
  EXPECT_EQ(box.left, 170 - w);
  EXPECT_EQ(box.top, 30);

  TPicture centred(200, 60);
  s.SetCaptionAnchor(uaSclCenter);
  s.SetCaptionAlignment(taCenter);
  s.SetCaptionPosX(4);
  s.DrawXScale(centred.Canvas(), 10);
  box = FindColor(centred.bmp, clRed, TRect(0, 0, 200, 60));
  EXPECT_EQ(box.left, 20 + (200 - 20 - 30) / 2 + 4 - w / 2);
}

TEST_F(TBelow, InvalidDateRangesShowAMessage) {
  s.SetLabelType(fgtDateTime);
  s.SetRange(45000, 44000);
  const int w = pic.Canvas().TextWidth("invalid DateTime scale");
  s.DrawXScale(pic.Canvas(), 10);
  const TBox box = FindColor(pic.bmp, clRed, TRect(0, 0, 200, 60));
  ASSERT_FALSE(box.Empty());
  EXPECT_EQ(box.left, s.ConvertToPixelCoords(44500) - w / 2);
  EXPECT_EQ(box.top, 17);
  EXPECT_EQ(s.NumTicks(), 0);
}

TEST_F(TBelow, DatesAreWrittenALineBelowTimeLabels) {
  s.SetLabelType(fgtDateTime);
  s.SetRange(45000.3, 45000.7);  // hours; 08:00 with the date 15-Mar-2023
  s.SetMinTicks(4);
  std::vector<std::string> texts;
  s.OnBeforeTickLabel = [&](TObject*, TScaleType, double, std::string& t) { texts.push_back(t); };
  const int h = pic.Canvas().TextHeight("15-Mar-2023");
  s.DrawXScale(pic.Canvas(), 10);
  ASSERT_GE(texts.size(), 2u);
  EXPECT_EQ(texts[0], "08:00");
  EXPECT_EQ(texts[1], "15-Mar-2023");
  const TBox box = FindColor(pic.bmp, clRed, TRect(0, 0, 200, 60));
  EXPECT_EQ(box.top, 17);
  EXPECT_EQ(box.bottom, 17 + 2 * h - 1);
}

TEST(ScaleDrawing, VerticalLabelsBesideTheBaseLine) {
  TScale s(nullptr);
  s.SetBounds(0, 0, 80, 220);
  s.SetScaleType(sctLabelsRight);
  s.SetMarginTop(10);
  s.SetMarginBottom(9);  // 0..200 over rows 210..10
  s.SetRange(0, 200);
  s.SetMinTicks(2);  // ticks every 100
  TPicture pic(80, 220);
  const int w = pic.Canvas().TextWidth("100");
  const int h0 = pic.Canvas().TextHeight("0");
  s.DrawYScale(pic.Canvas(), 20);
  const TBox box = FindColor(pic.bmp, clRed, TRect(0, 60, 80, 160));
  ASSERT_FALSE(box.Empty());
  EXPECT_EQ(box.left, 28);
  EXPECT_EQ(box.right, 28 + w - 1);
  EXPECT_EQ(box.top, 110 - h0 / 2);
  // Major tick of 6 pixels to the right, minor of 4.
  EXPECT_EQ(pic.At(25, 110), clBlack);
  EXPECT_EQ(pic.At(26, 110), clWhite);
  EXPECT_EQ(pic.At(23, 130), clBlack);
  EXPECT_EQ(pic.At(24, 130), clWhite);
  // Vertical scales record the major ticks again after the minor ones.
  EXPECT_EQ(s.NumTicks(), 11 + 3);
}

TEST(ScaleDrawing, LeftLabelsEndEightPixelsBeforeTheBaseLine) {
  TScale s(nullptr);
  s.SetBounds(0, 0, 80, 220);
  s.SetScaleType(sctLabelsLeft);
  s.SetRange(0, 200);
  TPicture pic(80, 220);
  s.DrawYScale(pic.Canvas(), 70);
  const TBox box = FindColor(pic.bmp, clRed, TRect(0, 0, 80, 220));
  ASSERT_FALSE(box.Empty());
  EXPECT_EQ(box.right, 70 - 8 - 1);
  EXPECT_EQ(pic.At(65, s.ConvertToPixelCoords(100)), clBlack);  // 6-pixel tick to the left
  EXPECT_EQ(pic.At(64, s.ConvertToPixelCoords(100)), clWhite);
}

TEST(ScaleDrawing, VerticalSubSecondMessageTakesFourLines) {
  TScale s(nullptr);
  s.SetBounds(0, 0, 100, 300);
  s.SetScaleType(sctLabelsRight);
  s.SetLabelType(fgtDateTime);
  s.SetRange(45000, 45000 + 3e-7);  // 1e-7 day per interval
  TPicture pic(100, 300);
  const int h = pic.Canvas().TextHeight("T");
  const int mid = s.ConvertToPixelCoords(45000 + 1.5e-7);
  s.DrawYScale(pic.Canvas(), 20);
  const TBox box = FindColor(pic.bmp, clRed, TRect(0, 0, 100, 300));
  ASSERT_FALSE(box.Empty());
  EXPECT_EQ(box.left, 22);
  EXPECT_EQ(box.top, mid - h);
  EXPECT_EQ(box.bottom, mid + 3 * h - 1);
  EXPECT_EQ(s.NumTicks(), 0);
}

TEST(ScaleDrawing, RecordingStopsAt250Ticks) {
  TScale s(nullptr);
  s.SetRange(1e-100, 1e300);
  s.SetLogarithmic(true);
  s.SetLabelType(fgtNone);
  int drawn = 0;
  s.OnScaleTickDrawn = [&](TObject*, TCanvas&, TScaleType, double, int, int) { ++drawn; };
  TPicture pic(400, 400);
  s.DrawXScale(pic.Canvas(), 300);
  EXPECT_EQ(drawn, 401);
  EXPECT_EQ(s.NumTicks(), 250);
  EXPECT_NEAR(s.GetTickPos(250) / 1e149, 1, 1e-9);
  EXPECT_EQ(s.GetTickPos(251), 0);
}

TEST(ScaleDrawing, PrinterCanvasesKeepThePointSize) {
  TScale s(nullptr);
  s.Font().SetSize(10);
  TPicture pic(400, 400);
  pic.Canvas().SetIsPrinter(true);
  pic.Canvas().SetPixelsPerInch(600);
  s.DrawXScale(pic.Canvas(), 300);
  EXPECT_EQ(pic.Canvas().Font().Size(), 10);
  EXPECT_EQ(pic.Canvas().Font().PixelsPerInch(), 600);
}

TEST(ScalePaint, OpaqueScalesFillFrameAndDrawTheBaseLine) {
  TScale s(nullptr);
  s.SetBounds(0, 0, 200, 60);
  s.SetColorBackGnd(clWhite);
  s.SetLabelType(fgtNone);
  TBitmap target(200, 60);
  s.UseForeignCanvas(&target.Canvas(), 0, 0);
  s.ForcePaint();
  TCanvas& c = target.Canvas();
  EXPECT_EQ(c.Pixels(0, 0), clGray);  // lowered frame: grey outside, black inside
  EXPECT_EQ(c.Pixels(1, 1), clBlack);
  EXPECT_EQ(c.Pixels(100, 30), clWhite);
  // sctLabelsAbove: base row 60 - 20 - 1 = 39 over columns 20..179.
  EXPECT_EQ(c.Pixels(20, 39), clBlack);
  EXPECT_EQ(c.Pixels(179, 39), clBlack);
  EXPECT_EQ(c.Pixels(19, 39), clWhite);
  EXPECT_EQ(c.Pixels(180, 39), clWhite);
  EXPECT_EQ(c.Pixels(20, 33), clBlack);  // major tick upwards, 7 pixels
  EXPECT_EQ(c.Pixels(20, 32), clWhite);
}

TEST(ScalePaint, SystemColorSchemeShadesWithSystemColours) {
  TScale s(nullptr);
  s.SetBounds(0, 0, 100, 60);
  s.SetColorScheme(csSystem);
  s.SetFrameStyle(rbRaised);
  TBitmap target(100, 60);
  s.UseForeignCanvas(&target.Canvas(), 0, 0);
  s.ForcePaint();
  // Raised: silver at the top left, the dark line at the bottom right.
  EXPECT_EQ(target.Canvas().Pixels(0, 0), clSilver);
  EXPECT_EQ(target.Canvas().Pixels(99, 59), clBlack);
  EXPECT_EQ(target.Canvas().Pixels(98, 58), ColorToRGB(clBtnShadow));
}

TEST(ScalePaint, ForeignCanvasOffsetsShiftTheOpaquePicture) {
  TScale s(nullptr);
  s.SetBounds(0, 0, 100, 40);
  s.SetFrameStyle(rbSimple);
  TBitmap target(300, 200);
  target.Canvas().Brush().SetColor(clWhite);
  target.Canvas().FillRect(TRect(0, 0, 300, 200));
  s.UseForeignCanvas(&target.Canvas(), 50, 70);
  s.ForcePaint();
  EXPECT_EQ(target.Canvas().Pixels(49, 70), clWhite);
  EXPECT_EQ(target.Canvas().Pixels(50, 70), clBlack);  // frame corner
  EXPECT_EQ(target.Canvas().Pixels(149, 109), clBlack);
  EXPECT_EQ(target.Canvas().Pixels(150, 110), clWhite);
}

TEST(ScalePaint, TransparentScalesDrawOnlyTicksTextAndBaseLine) {
  TScale s(nullptr);
  s.SetBounds(0, 0, 200, 60);
  s.SetTransparent(true);
  s.SetScaleType(sctLabelsBelow);
  s.SetColorScale(clBlue);
  TBitmap target(200, 100);
  target.Canvas().Brush().SetColor(clYellow);
  target.Canvas().FillRect(TRect(0, 0, 200, 100));
  s.UseForeignCanvas(&target.Canvas(), 0, 30);
  TCanvas* after = nullptr;
  s.OnAfterScaleRendered = [&](TObject*, TCanvas& c) { after = &c; };
  s.ForcePaint();
  EXPECT_EQ(target.Canvas().Pixels(0, 30), clYellow);  // no frame, no fill
  // The base line lies on row 30 + MarginTop; the columns are not shifted.
  EXPECT_EQ(target.Canvas().Pixels(20, 50), clBlue);
  EXPECT_EQ(target.Canvas().Pixels(179, 50), clBlue);
  EXPECT_EQ(target.Canvas().Pixels(180, 50), clYellow);
  EXPECT_EQ(after, &s.Canvas());  // the event gets the scale's own canvas
}

TEST(ScalePaint, AbsurdGeometryDrawsWithoutFailing) {
  TBitmap target(100, 100);
  for (TScaleType type : {sctLabelsAbove, sctLabelsBelow, sctLabelsRight, sctLabelsLeft}) {
    TScale s(nullptr);
    s.SetScaleType(type);
    s.SetCaption("caption");
    s.SetCaptionAnchor(uaSclCenter);
    s.SetCaptionPosX(INT_MAX);
    s.SetCaptionPosY(INT_MIN);
    s.SetMarginLeft(INT_MAX);
    s.SetMarginRight(INT_MAX);
    s.SetMarginTop(INT_MAX);
    s.SetMarginBottom(INT_MAX);
    s.SetTransparent(true);
    s.UseForeignCanvas(&target.Canvas(), INT_MIN, INT_MAX);
    s.ForcePaint();
    s.DrawXScale(target.Canvas(), INT_MAX);
    s.DrawYScale(target.Canvas(), INT_MIN);
    s.SetBounds(0, 0, 0, 0);
    s.SetTransparent(false);
    s.ForcePaint();
    s.SetLabelType(fgtDateTime);
    s.ForcePaint();
  }
  SUCCEED();
}

}  // namespace
}  // namespace kiv
