#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "platform/errors.h"
#include "platform/offscreen_host.h"
#include "scale/scale.h"

namespace kiv {
namespace {

// Counts the paint passes of a scale through its rendering event.
struct TPaintCounter {
  int paints = 0;
  explicit TPaintCounter(TScale& s) {
    s.OnBeforeScaleRendered = [this](TObject*, TCanvas&) { ++paints; };
  }
};

TEST(ScaleComponent, ResetValues) {
  TScale s(nullptr);
  EXPECT_EQ(s.Width(), 400);
  EXPECT_EQ(s.Height(), 400);
  EXPECT_EQ(s.RangeLow(), 0);
  EXPECT_EQ(s.RangeHigh(), 100);
  EXPECT_EQ(s.MinTicks(), 3);
  EXPECT_EQ(s.DecPlaces(), -2);
  EXPECT_EQ(s.ScaleType(), sctLabelsAbove);
  EXPECT_EQ(s.LabelType(), fgtNumeric);
  EXPECT_FALSE(s.Logarithmic());
  EXPECT_TRUE(s.ShortTicks());
  EXPECT_TRUE(s.ShowBaseLine());
  EXPECT_FALSE(s.Transparent());
  EXPECT_EQ(s.MarginLeft(), 20);
  EXPECT_EQ(s.MarginBottom(), 20);
  EXPECT_EQ(s.CaptionPosX(), 4);
  EXPECT_EQ(s.CaptionPosY(), 4);
  EXPECT_EQ(s.CaptionAlignment(), taCenter);
  EXPECT_EQ(s.CaptionAnchor(), uaSclTopLft);
  EXPECT_EQ(s.ColorBackGnd(), clBtnFace);
  EXPECT_EQ(s.ColorScale(), clBlack);
  EXPECT_EQ(s.ColorScheme(), csClassic);
  EXPECT_EQ(s.FrameStyle(), rbLowered);
  EXPECT_EQ(s.MouseAction(), mactNone);
  EXPECT_EQ(s.NumTicks(), 0);
  EXPECT_TRUE(s.SuppressPaint());
  EXPECT_FALSE(s.IsHelperComponent());
  EXPECT_EQ(s.DateFormat().TimeFormat(), tfColon);
  EXPECT_EQ(s.DateFormat().DateSeparator(), '-');
  EXPECT_EQ(s.DateFormat().YearLength(), ylFourDigits);
  EXPECT_EQ(s.DateFormat().DateForTime(), dftDayChange);
  EXPECT_EQ(s.DateFormat().DateOrder(), doDayMonthYear);
  // Horizontal strip of 400 - 20 - 20 - 1 = 359 pixels for 0..100.
  EXPECT_DOUBLE_EQ(s.TransfK(), 3.59);
  EXPECT_DOUBLE_EQ(s.TransfD(), 20);
  EXPECT_DOUBLE_EQ(s.Center(), 50);
}

TEST(ScaleComponent, ResetCompRestoresAllButInscriptionAndLeavesPaintingSuppressed) {
  TScale s(nullptr);
  s.SetSuppressPaint(false);
  s.SetRange(5, 7);
  s.SetCaption("V");
  s.SetScaleInscript("$");
  s.SetMinTicks(7);
  s.SetIsHelperComponent(true);
  s.ResetComp();
  EXPECT_EQ(s.RangeLow(), 0);
  EXPECT_EQ(s.RangeHigh(), 100);
  EXPECT_EQ(s.Caption(), "");
  EXPECT_EQ(s.MinTicks(), 3);
  EXPECT_FALSE(s.IsHelperComponent());
  EXPECT_EQ(s.ScaleInscript(), "$");
  EXPECT_TRUE(s.SuppressPaint());
}

TEST(ScaleComponent, EqualRangeEndsMoveTheOtherEnd) {
  TScale s(nullptr);
  s.SetRangeHigh(0);  // equal to RangeLow: a reversed scale 1..0
  EXPECT_EQ(s.RangeLow(), 1);
  EXPECT_EQ(s.RangeHigh(), 0);
  s.SetRangeLow(0);
  EXPECT_EQ(s.RangeLow(), 0);
  EXPECT_EQ(s.RangeHigh(), 1);
  s.SetRange(3, 3);
  EXPECT_EQ(s.RangeLow(), 3);
  EXPECT_EQ(s.RangeHigh(), 4);
  // Where adding 1 is lost in rounding the ends still differ.
  s.SetRange(1e20, 1e20);
  EXPECT_GT(s.RangeHigh(), s.RangeLow());
}

TEST(ScaleComponent, NonFiniteRangeEndsAreIgnored) {
  TScale s(nullptr);
  s.SetRangeLow(std::numeric_limits<double>::quiet_NaN());
  s.SetRangeHigh(std::numeric_limits<double>::infinity());
  s.SetRange(0, std::numeric_limits<double>::infinity());
  EXPECT_EQ(s.RangeLow(), 0);
  EXPECT_EQ(s.RangeHigh(), 100);
}

TEST(ScaleComponent, SetterClamps) {
  TScale s(nullptr);
  s.SetMinTicks(1);
  EXPECT_EQ(s.MinTicks(), 2);
  s.SetMinTicks(25);
  EXPECT_EQ(s.MinTicks(), 10);
  s.SetMinTicks(0);
  EXPECT_EQ(s.MinTicks(), 0);
  s.SetMinTicks(-4);
  EXPECT_EQ(s.MinTicks(), 2);
  s.SetDecPlaces(-7);
  EXPECT_EQ(s.DecPlaces(), -3);
  s.SetDecPlaces(20);
  EXPECT_EQ(s.DecPlaces(), 12);
  s.SetMarginLeft(-5);
  EXPECT_EQ(s.MarginLeft(), 0);
  s.SetFrameStyle(static_cast<TFrameStyle>(40));
  EXPECT_EQ(s.FrameStyle(), rbLowered);
}

TEST(ScaleComponent, MarginsAndSizeRemap) {
  TScale s(nullptr);
  s.SetMarginLeft(10);
  s.SetMarginRight(30);
  EXPECT_EQ(s.ConvertToPixelCoords(0), 10);
  EXPECT_EQ(s.ConvertToPixelCoords(100), 369);
  s.SetBounds(0, 0, 211, 50);
  EXPECT_EQ(s.ConvertToPixelCoords(100), 180);
  s.SetScaleType(sctLabelsLeft);
  s.SetMarginTop(5);
  s.SetMarginBottom(4);
  EXPECT_EQ(s.ConvertToPixelCoords(100), 5);
  EXPECT_EQ(s.ConvertToPixelCoords(0), 45);
  EXPECT_DOUBLE_EQ(s.ConvertPixelToScale(5), 100);
}

TEST(ScaleComponent, LabelTypeSideEffects) {
  TScale s(nullptr);
  s.SetRange(1, 1000);
  s.SetLogarithmic(true);
  s.SetLabelType(fgtDateTime);
  EXPECT_FALSE(s.Logarithmic());
  EXPECT_DOUBLE_EQ(s.TransfK(), 359 / 999.0);  // linear again
  s.SetLabelType(fgtTime);
  EXPECT_EQ(s.DecPlaces(), 4);
}

TEST(ScaleComponent, LogarithmicSwitchIsCheckedOnceLoaded) {
  TScale loaded(nullptr);
  loaded.BeginLoading();
  loaded.EndLoading();
  loaded.SetRangeLow(-5);
  loaded.SetLogarithmic(true);
  EXPECT_FALSE(loaded.Logarithmic());
  loaded.SetRange(1e-100, 10);
  loaded.SetLabelType(fgtDateTime);
  loaded.SetLogarithmic(true);
  EXPECT_FALSE(loaded.Logarithmic());
  loaded.SetLabelType(fgtNumeric);
  loaded.SetLogarithmic(true);
  EXPECT_TRUE(loaded.Logarithmic());
  loaded.SetLogarithmic(false);
  EXPECT_FALSE(loaded.Logarithmic());
}

TEST(ScaleComponent, StreamedPropertiesMaySwitchLogarithmicFirst) {
  TScale s(nullptr);
  s.BeginLoading();
  s.SetRangeLow(-5);
  s.SetLogarithmic(true);  // the range may still change while streaming
  const double kWhileLoading = s.TransfK();
  s.SetRangeLow(10);
  EXPECT_DOUBLE_EQ(s.TransfK(), kWhileLoading);  // no mapping while loading
  s.EndLoading();
  EXPECT_TRUE(s.Logarithmic());
  EXPECT_NEAR(s.TransfK(), 359 / std::log(10.0), 1e-9);
  EXPECT_EQ(s.ConvertToPixelCoords(10), 20);
  EXPECT_EQ(s.ConvertToPixelCoords(100), 379);
}

TEST(ScaleComponent, ScaleCreatedInCodeTakesTheLogarithmicSwitch) {
  // Never streamed: the owner (the chart) has checked the request already.
  TScale s(nullptr);
  s.SetLogarithmic(true);
  EXPECT_TRUE(s.Logarithmic());
  EXPECT_DOUBLE_EQ(s.TransfK(), 3.59);  // the linear mapping stays until the ends are positive
  s.SetRange(1, 100);
  EXPECT_DOUBLE_EQ(s.TransfK(), 359 / std::log(100.0));
}

TEST(ScaleComponent, ColorSchemeSetsTheFrameShades) {
  TScale s(nullptr);
  TScale copy(nullptr);
  s.SetColorScheme(csSystem);
  copy.Assign(s);
  EXPECT_EQ(copy.ColorScheme(), csSystem);
}

TEST(ScaleComponent, DateFormatIsCopied) {
  TScale s(nullptr);
  TDTLabel d;
  d.SetTimeFormat(tfAmPm);
  d.SetDateSeparator('/');
  s.SetDateFormat(d);
  EXPECT_EQ(s.DateFormat().TimeFormat(), tfAmPm);
  EXPECT_EQ(s.DateFormat().DateSeparator(), '/');
  d.SetTimeFormat(tfColon);
  EXPECT_EQ(s.DateFormat().TimeFormat(), tfAmPm);
}

TEST(ScaleComponent, AssignCopiesTheScaleButNotMouseActionFontOrSize) {
  TScale a(nullptr);
  a.SetBounds(0, 0, 300, 60);
  a.SetRange(-3, 9);
  a.SetScaleType(sctLabelsBelow);
  a.SetMinTicks(5);
  a.SetDecPlaces(1);
  a.SetCaption("mV");
  a.SetCaptionAnchor(uaSclBotRgt);
  a.SetUserTickText("x|y");
  a.SetScaleInscript("& V");
  a.SetMarginTop(3);
  a.SetMouseAction(mactPan);
  a.Font().SetSize(14);
  a.DateFormat().SetYearLength(ylNone);
  a.SetForeignCanvasPosX(12);
  int ticks = 0;
  a.OnScaleTickDrawn = [&](TObject*, TCanvas&, TScaleType, double, int, int) { ++ticks; };
  bool zoomed = false;
  a.OnZoomPan = [&](TObject*) { zoomed = true; };

  TScale b(nullptr);
  b.Assign(a);
  EXPECT_EQ(b.RangeLow(), -3);
  EXPECT_EQ(b.RangeHigh(), 9);
  EXPECT_EQ(b.ScaleType(), sctLabelsBelow);
  EXPECT_EQ(b.MinTicks(), 5);
  EXPECT_EQ(b.DecPlaces(), 1);
  EXPECT_EQ(b.Caption(), "mV");
  EXPECT_EQ(b.CaptionAnchor(), uaSclBotRgt);
  EXPECT_EQ(b.UserTickText(), "x|y");
  EXPECT_EQ(b.ScaleInscript(), "& V");
  EXPECT_EQ(b.MarginTop(), 3);
  EXPECT_EQ(b.DateFormat().YearLength(), ylNone);
  EXPECT_EQ(b.ForeignCanvasPosX(), 12);
  // The mapping is copied as it is, even for a different size.
  EXPECT_DOUBLE_EQ(b.TransfK(), a.TransfK());
  EXPECT_EQ(b.MouseAction(), mactNone);
  EXPECT_EQ(b.Width(), 400);
  EXPECT_NE(b.Font().Size(), 14);
  EXPECT_FALSE(b.OnZoomPan);
  ASSERT_TRUE(b.OnScaleTickDrawn);
}

TEST(ScaleComponent, AssignFromAnUnrelatedObjectRaises) {
  TScale s(nullptr);
  TFont f;
  EXPECT_THROW(s.Assign(f), EKIVError);
}

TEST(ScaleRepaint, NothingPaintsBeforeTheWindowExists) {
  TScale s(nullptr);
  TPaintCounter c(s);
  s.SetCaption("x");
  s.SetRange(1, 2);
  EXPECT_EQ(c.paints, 0);
}

TEST(ScaleRepaint, CreatingTheWindowSwitchesPaintingOn) {
  TOffscreenHost host;
  TScale s(nullptr);
  s.SetBounds(0, 0, 200, 60);
  host.Show(s);
  EXPECT_FALSE(s.SuppressPaint());
}

TEST(ScaleRepaint, OpaqueScalesPaintAtOnce) {
  TOffscreenHost host;
  TScale s(nullptr);
  s.SetBounds(0, 0, 200, 60);
  host.Show(s);
  host.ProcessMessages();
  TPaintCounter c(s);
  host.ResetCounts();
  s.SetCaption("V");
  EXPECT_EQ(c.paints, 1);
  host.ProcessMessages();
  EXPECT_EQ(host.PaintCount(s), 0);
}

TEST(ScaleRepaint, TransparentScalesInvalidate) {
  TOffscreenHost host;
  TScale s(nullptr);
  s.SetBounds(0, 0, 200, 60);
  s.SetTransparent(true);
  host.Show(s);
  host.ProcessMessages();
  TPaintCounter c(s);
  host.ResetCounts();
  s.SetCaption("V");
  EXPECT_EQ(c.paints, 0);
  host.ProcessMessages();
  EXPECT_EQ(host.PaintCount(s), 1);
  EXPECT_EQ(c.paints, 1);
}

TEST(ScaleRepaint, TransparentHelperComponentsPaintAtOnce) {
  TOffscreenHost host;
  TScale s(nullptr);
  s.SetBounds(0, 0, 200, 60);
  s.SetTransparent(true);
  host.Show(s);
  host.ProcessMessages();
  s.SetIsHelperComponent(true);
  TPaintCounter c(s);
  host.ResetCounts();
  s.SetCaption("V");
  EXPECT_EQ(c.paints, 1);
  host.ProcessMessages();
  EXPECT_EQ(host.PaintCount(s), 0);
}

TEST(ScaleRepaint, SuppressPaintHoldsPaintingUntilCleared) {
  TScale s(nullptr);
  s.SetBounds(0, 0, 200, 60);
  TPaintCounter c(s);
  s.SetSuppressPaint(false);
  EXPECT_EQ(c.paints, 1);
  s.SetSuppressPaint(true);
  s.SetCaption("a");
  s.SetRange(0, 5);
  EXPECT_EQ(c.paints, 1);
  s.SetSuppressPaint(true);  // unchanged: nothing happens
  s.SetSuppressPaint(false);
  EXPECT_EQ(c.paints, 2);
  s.SetSuppressPaint(false);
  EXPECT_EQ(c.paints, 2);
}

TEST(ScaleRepaint, ForcePaintPaintsOnceWhileSuppressed) {
  TScale s(nullptr);
  s.SetBounds(0, 0, 200, 60);
  TPaintCounter c(s);
  s.ForcePaint();
  EXPECT_EQ(c.paints, 1);
  EXPECT_TRUE(s.SuppressPaint());
  EXPECT_EQ(s.NumTicks(), 21);
}

TEST(ScaleRepaint, UnchangedValuesDoNotRepaintWhereTheRuleSaysSo) {
  TScale s(nullptr);
  s.SetSuppressPaint(false);
  TPaintCounter c(s);
  s.SetColorScale(clBlack);
  s.SetColorBackGnd(clBtnFace);
  s.SetShortTicks(true);
  s.SetScaleType(sctLabelsAbove);
  s.SetColorScheme(csClassic);
  s.SetIsHelperComponent(false);
  EXPECT_EQ(c.paints, 0);
  s.SetShowBaseLine(true);  // repaints whatever the value
  EXPECT_EQ(c.paints, 1);
}

TEST(ScaleRepaint, InvisibleScalesDoNotPaint) {
  TScale s(nullptr);
  TPaintCounter c(s);
  s.SetVisible(false);
  s.ForcePaint();
  EXPECT_EQ(c.paints, 0);
  s.SetDesigning(true);
  s.ForcePaint();  // the designer shows invisible controls
  EXPECT_EQ(c.paints, 1);
  s.SetIsHelperComponent(true);
  s.ForcePaint();  // but never an invisible helper
  EXPECT_EQ(c.paints, 1);
}

TEST(ScaleRepaint, DateFormatChangesRepaint) {
  TScale s(nullptr);
  s.SetSuppressPaint(false);
  TPaintCounter c(s);
  s.DateFormat().SetTimeSeparator('.');
  EXPECT_EQ(c.paints, 1);
}

// A 240 x 100 scale below a 200-pixel strip (margins 20), shown by an offscreen host.
struct TDragFixture : ::testing::Test {
  TOffscreenHost host;
  TScale s{nullptr};
  int zooms = 0;
  void SetUp() override {
    s.SetBounds(0, 0, 240, 100);
    s.SetScaleType(sctLabelsBelow);
    s.OnZoomPan = [this](TObject*) { ++zooms; };
    host.Show(s);
  }
  void Drag(int x1, int y1, int x2, int y2) {
    host.MouseDown(s, mbLeft, x1, y1);
    host.MouseMove(s, x1, y1, {ssLeft});  // the first move inside the band takes the anchor
    host.MouseMove(s, x2, y2, {ssLeft});
    host.MouseUp(s, mbLeft, x2, y2);
  }
};

TEST_F(TDragFixture, PanFollowsThePointer) {
  s.SetMouseAction(mactPan);
  Drag(100, 50, 150, 50);
  EXPECT_DOUBLE_EQ(s.RangeLow(), -25);
  EXPECT_DOUBLE_EQ(s.RangeHigh(), 75);
  EXPECT_EQ(zooms, 1);
  EXPECT_FALSE(s.SuppressPaint());
}

TEST_F(TDragFixture, EveryMoveRescalesFromTheAnchor) {
  s.SetMouseAction(mactPan);
  host.MouseDown(s, mbLeft, 100, 50);
  host.MouseMove(s, 100, 50, {ssLeft});
  host.MouseMove(s, 120, 50, {ssLeft});
  host.MouseMove(s, 140, 50, {ssLeft});
  EXPECT_DOUBLE_EQ(s.RangeLow(), -20);
  EXPECT_EQ(zooms, 2);
  host.MouseUp(s, mbLeft, 140, 50);
}

TEST_F(TDragFixture, ZoomDragWidensTheRange) {
  s.SetMouseAction(mactZoomDrag);
  Drag(120, 50, 60, 50);  // a quarter of the control width to the left
  EXPECT_DOUBLE_EQ(s.RangeLow(), -12.5);
  EXPECT_DOUBLE_EQ(s.RangeHigh(), 112.5);
}

TEST_F(TDragFixture, MovesOutsideTheBandAreIgnored) {
  s.SetMouseAction(mactPan);
  Drag(10, 50, 150, 50);  // the press lies on the left margin: the anchor is taken at 150
  EXPECT_EQ(s.RangeLow(), 0);
  EXPECT_EQ(zooms, 0);
  host.MouseDown(s, mbLeft, 100, 50);
  host.MouseMove(s, 100, 50, {ssLeft});
  host.MouseMove(s, 230, 50, {ssLeft});  // right margin
  EXPECT_EQ(s.RangeLow(), 0);
  host.MouseUp(s, mbLeft, 230, 50);
}

TEST_F(TDragFixture, WithoutAnActionNothingMoves) {
  Drag(100, 50, 150, 50);
  EXPECT_EQ(s.RangeLow(), 0);
  EXPECT_EQ(zooms, 0);
}

TEST_F(TDragFixture, ReleasingTheButtonEndsTheDrag) {
  s.SetMouseAction(mactPan);
  Drag(100, 50, 150, 50);
  // A new drag takes a new anchor with the new range.
  Drag(150, 50, 100, 50);
  EXPECT_DOUBLE_EQ(s.RangeLow(), 0);
  EXPECT_DOUBLE_EQ(s.RangeHigh(), 100);
}

TEST_F(TDragFixture, VerticalScalesDragAlongY) {
  s.SetBounds(0, 0, 100, 240);
  s.SetScaleType(sctLabelsLeft);
  s.SetMouseAction(mactPan);
  Drag(50, 100, 50, 150);
  EXPECT_DOUBLE_EQ(s.RangeLow(), 25);
  EXPECT_DOUBLE_EQ(s.RangeHigh(), 125);
}

TEST_F(TDragFixture, DoubleClickTogglesPanAndStretch) {
  s.SetMouseAction(mactPan);
  host.DoubleClick(s, 100, 50);
  EXPECT_EQ(s.MouseAction(), mactStretch);
  host.DoubleClick(s, 100, 50);
  EXPECT_EQ(s.MouseAction(), mactPan);
  s.SetMouseAction(mactZoomDrag);
  host.DoubleClick(s, 100, 50);
  EXPECT_EQ(s.MouseAction(), mactZoomDrag);
}

}  // namespace
}  // namespace kiv
