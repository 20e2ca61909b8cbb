// Worked examples for the stand-alone scale: copying, dragging in every action and orientation,
// and the label texts of the elapsed-time and calendar tick levels.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "platform/bitmap.h"
#include "platform/datetime.h"
#include "platform/offscreen_host.h"
#include "scale/rescale.h"
#include "scale/scale.h"
#include "scale/ticks.h"
#include "tick_util.h"

namespace kiv {
namespace {

using test::DateLabels;
using test::Labels;
using test::Values;
using S = std::vector<std::string>;

// ---------------------------------------------------------------------------------------------
// Copying one scale into another

TEST(ScaleCopy, AssignCopiesLooksTicksAndEvents) {
  TScale a(nullptr);
  a.SetBounds(0, 0, 200, 60);
  a.SetRange(1, 1000);
  a.SetLogarithmic(true);
  a.SetColorBackGnd(clRed);
  a.SetColorScale(clBlue);
  a.SetFrameStyle(rbRaised);
  a.SetShortTicks(false);
  a.SetShowBaseLine(false);
  a.SetTransparent(true);
  a.SetLabelType(fgtTime);  // also sets four decimals
  a.SetMarginBottom(7);
  a.SetMarginLeft(8);
  a.SetMarginRight(9);
  a.SetCaptionPosX(11);
  a.SetCaptionPosY(12);
  a.SetCaptionAlignment(taRightJustify);
  a.SetForeignCanvasPosY(13);
  a.SetIsHelperComponent(true);
  int before = 0;
  int after = 0;
  int labels = 0;
  a.OnBeforeScaleRendered = [&](TObject*, TCanvas&) { ++before; };
  a.OnAfterScaleRendered = [&](TObject*, TCanvas&) { ++after; };
  a.OnBeforeTickLabel = [&](TObject*, TScaleType, double, std::string&) { ++labels; };
  a.ForcePaint();  // records the ticks
  ASSERT_GT(a.NumTicks(), 2);
  TBitmap foreign;
  foreign.SetSize(10, 10);
  a.UseForeignCanvas(&foreign.Canvas(), 3, 4);

  TScale b(nullptr);
  b.Assign(a);
  EXPECT_TRUE(b.Logarithmic());
  EXPECT_EQ(b.ColorBackGnd(), clRed);
  EXPECT_EQ(b.ColorScale(), clBlue);
  EXPECT_EQ(b.FrameStyle(), rbRaised);
  EXPECT_FALSE(b.ShortTicks());
  EXPECT_FALSE(b.ShowBaseLine());
  EXPECT_TRUE(b.Transparent());
  EXPECT_EQ(b.LabelType(), fgtTime);
  EXPECT_EQ(b.DecPlaces(), 4);
  EXPECT_EQ(b.MarginBottom(), 7);
  EXPECT_EQ(b.MarginLeft(), 8);
  EXPECT_EQ(b.MarginRight(), 9);
  EXPECT_EQ(b.CaptionPosX(), 11);
  EXPECT_EQ(b.CaptionPosY(), 12);
  EXPECT_EQ(b.CaptionAlignment(), taRightJustify);
  EXPECT_TRUE(b.IsHelperComponent());
  // The offsets come along, the foreign canvas itself does not.
  EXPECT_EQ(b.ForeignCanvasPosX(), 3);
  EXPECT_EQ(b.ForeignCanvasPosY(), 4);
  EXPECT_EQ(b.ForeignCanvas(), nullptr);
  // The recorded ticks of the last drawing pass are copied as they are.
  ASSERT_EQ(b.NumTicks(), a.NumTicks());
  for (int i = 1; i <= a.NumTicks(); ++i) EXPECT_EQ(b.TickPos(i), a.TickPos(i)) << i;
  EXPECT_TRUE(b.SuppressPaint());
  // The rendering and label events are shared.
  before = after = labels = 0;
  b.SetBounds(0, 0, 200, 60);
  b.ForcePaint();
  EXPECT_EQ(before, 1);
  EXPECT_EQ(after, 1);
  EXPECT_GT(labels, 0);
}

TEST(ScaleCopy, AssignCopiesSuppressPaintAndThenRepaints) {
  TScale a(nullptr);
  a.SetBounds(0, 0, 200, 60);
  a.SetSuppressPaint(false);
  int paints = 0;
  a.OnBeforeScaleRendered = [&](TObject*, TCanvas&) { ++paints; };
  TScale b(nullptr);
  b.SetBounds(0, 0, 200, 60);
  ASSERT_TRUE(b.SuppressPaint());
  b.Assign(a);
  EXPECT_FALSE(b.SuppressPaint());
  EXPECT_EQ(paints, 1);  // b painted once, through the copied event
}

// ---------------------------------------------------------------------------------------------
// Setter rules not covered elsewhere

TEST(ScaleSetters, LoadedScalesRefuseLogarithmicForAHighEndBelowTheFloor) {
  TScale s(nullptr);
  s.BeginLoading();
  s.EndLoading();
  s.SetRange(10, 0);  // reversed, high end 0
  s.SetLogarithmic(true);
  EXPECT_FALSE(s.Logarithmic());
  s.SetRange(10, 1e-101);
  s.SetLogarithmic(true);
  EXPECT_FALSE(s.Logarithmic());
  s.SetRange(10, 1e-100);  // exactly the floor is enough
  s.SetLogarithmic(true);
  EXPECT_TRUE(s.Logarithmic());
}

// ---------------------------------------------------------------------------------------------
// Rescale with margins that differ on the two sides

TEST(RescaleMargins, StretchHalvesAreSplitAtTheMiddleOfTheStrip) {
  // Horizontal: 240 wide, margins 10 left and 30 right, strip 200, middle at column 110.
  double lo = -999;
  double hi = -999;
  // Anchor on the middle column: the low end stays, t = (135 - 10) / (110 - 10) = 1.25.
  ASSERT_TRUE(Rescale(135, 5, 110, 5, 240, 60, 10, 30, 0, 0, 0, 100, mactStretch, sctLabelsBelow,
                      false, 0, 100, lo, hi));
  EXPECT_DOUBLE_EQ(lo, 0);
  EXPECT_DOUBLE_EQ(hi, 80);
  // One column left of it: the high end stays, t = (240 - 59 - 30) / (240 - 109 - 30).
  ASSERT_TRUE(Rescale(59, 5, 109, 5, 240, 60, 10, 30, 0, 0, 0, 100, mactStretch, sctLabelsBelow,
                      false, 0, 100, lo, hi));
  EXPECT_DOUBLE_EQ(lo, 100 - 100 / (151.0 / 101.0));
  EXPECT_DOUBLE_EQ(hi, 100);

  // Vertical: 240 high, margins 10 top and 30 bottom, strip 200, middle at row 110.
  // Anchor on the middle row: the low end stays, t = (240 - 130 - 30) / (240 - 110 - 30) = 0.8.
  ASSERT_TRUE(Rescale(5, 130, 5, 110, 60, 240, 0, 0, 10, 30, 0, 100, mactStretch, sctLabelsLeft,
                      false, 0, 100, lo, hi));
  EXPECT_DOUBLE_EQ(lo, 0);
  EXPECT_DOUBLE_EQ(hi, 125);
  // One row below it: the high end stays, t = (185 - 10) / (111 - 10).
  ASSERT_TRUE(Rescale(5, 185, 5, 111, 60, 240, 0, 0, 10, 30, 0, 100, mactStretch, sctLabelsRight,
                      false, 0, 100, lo, hi));
  EXPECT_DOUBLE_EQ(lo, 100 - 100 / (175.0 / 101.0));
  EXPECT_DOUBLE_EQ(hi, 100);
}

TEST(RescaleMargins, LogarithmicStretchAndPanUseTheStripLength) {
  double lo = 0;
  double hi = 0;
  // Range 1..10000, g = 100. Right half of a horizontal strip of 200 (margins 10 and 30):
  // j = 1 - (-50) / 200 = 1.25, high = 100 * 100^1.25.
  ASSERT_TRUE(Rescale(150, 5, 200, 5, 240, 60, 10, 30, 0, 0, 1, 10000, mactStretch, sctLabelsAbove,
                      true, 1, 10000, lo, hi));
  EXPECT_DOUBLE_EQ(lo, 1);
  EXPECT_NEAR(hi, std::pow(10.0, 4.5), 1e-6);
  // Vertical pan down by 50 of 200 rows over four decades: one decade up.
  ASSERT_TRUE(Rescale(5, 150, 5, 100, 60, 240, 0, 0, 10, 30, 1, 10000, mactPan, sctLabelsLeft, true,
                      1, 10000, lo, hi));
  EXPECT_NEAR(lo, 10, 1e-12);
  EXPECT_NEAR(hi, 100000, 1e-7);
  // Vertical zoom drag over the whole height: j = 1 + 60 / 240 = 1.25 about g = 100.
  ASSERT_TRUE(Rescale(5, 160, 5, 100, 60, 240, 0, 0, 10, 30, 1, 10000, mactZoomDrag, sctLabelsLeft,
                      true, 1, 10000, lo, hi));
  EXPECT_NEAR(lo, std::pow(10.0, -0.5), 1e-12);
  EXPECT_NEAR(hi, std::pow(10.0, 4.5), 1e-6);
}

// ---------------------------------------------------------------------------------------------
// Dragging through the component

struct TScaleDrag : ::testing::Test {
  TOffscreenHost host;
  TScale s{nullptr};
  int zooms = 0;
  int paints = 0;
  void Show(int w, int h, TScaleType type) {
    s.SetBounds(0, 0, w, h);
    s.SetScaleType(type);
    s.OnZoomPan = [this](TObject*) { ++zooms; };
    host.Show(s);
    host.ProcessMessages();
    s.OnBeforeScaleRendered = [this](TObject*, TCanvas&) { ++paints; };
  }
  void Drag(int x1, int y1, int x2, int y2) {
    host.MouseDown(s, mbLeft, x1, y1);
    host.MouseMove(s, x1, y1, {ssLeft});
    host.MouseMove(s, x2, y2, {ssLeft});
    host.MouseUp(s, mbLeft, x2, y2);
  }
};

TEST_F(TScaleDrag, StretchHorizontalLinear) {
  Show(240, 60, sctLabelsAbove);  // margins 20: strip 200, middle at column 120
  s.SetMouseAction(mactStretch);
  Drag(70, 30, 95, 30);  // left half: t = (240 - 95 - 20) / (240 - 70 - 20) = 5 / 6
  EXPECT_DOUBLE_EQ(s.RangeLow(), -20);
  EXPECT_DOUBLE_EQ(s.RangeHigh(), 100);
  EXPECT_EQ(zooms, 1);
}

TEST_F(TScaleDrag, StretchVerticalWithUnequalMargins) {
  Show(60, 240, sctLabelsRight);
  s.SetMarginTop(10);
  s.SetMarginBottom(30);  // strip 200, middle at row 110
  s.SetMouseAction(mactStretch);
  Drag(30, 150, 30, 185);  // lower half: t = (185 - 10) / (150 - 10) = 1.25
  EXPECT_DOUBLE_EQ(s.RangeLow(), 20);
  EXPECT_DOUBLE_EQ(s.RangeHigh(), 100);
}

TEST_F(TScaleDrag, PanLogarithmicHorizontal) {
  Show(240, 60, sctLabelsBelow);
  s.SetRange(1, 100);
  s.SetLogarithmic(true);
  s.SetMouseAction(mactPan);
  Drag(100, 30, 200, 30);  // half the strip to the right: one decade down
  EXPECT_NEAR(s.RangeLow(), 0.1, 1e-12);
  EXPECT_NEAR(s.RangeHigh(), 10, 1e-12);
}

TEST_F(TScaleDrag, ZoomDragLogarithmicVertical) {
  Show(60, 240, sctLabelsLeft);
  s.SetRange(1, 100);
  s.SetLogarithmic(true);
  s.SetMouseAction(mactZoomDrag);
  Drag(30, 120, 30, 180);  // j = 1 + 60 / 240 = 1.25 about the geometric centre 10
  EXPECT_NEAR(s.RangeLow(), std::pow(10.0, -0.25), 1e-12);
  EXPECT_NEAR(s.RangeHigh(), std::pow(10.0, 2.25), 1e-9);
}

TEST_F(TScaleDrag, EachRescalingMovePaintsOnce) {
  Show(240, 60, sctLabelsBelow);
  s.SetMouseAction(mactPan);
  host.MouseDown(s, mbLeft, 100, 30);
  paints = 0;
  host.MouseMove(s, 100, 30, {ssLeft});  // takes the anchor only
  EXPECT_EQ(paints, 0);
  host.MouseMove(s, 120, 30, {ssLeft});
  EXPECT_EQ(paints, 1);
  host.MouseMove(s, 140, 30, {ssLeft});
  EXPECT_EQ(paints, 2);
  host.MouseUp(s, mbLeft, 140, 30);
  EXPECT_FALSE(s.SuppressPaint());
}

TEST_F(TScaleDrag, ASuppressedScaleStaysSuppressedWhileDragged) {
  Show(240, 60, sctLabelsBelow);
  s.SetSuppressPaint(true);
  s.SetMouseAction(mactPan);
  paints = 0;
  Drag(100, 30, 150, 30);
  EXPECT_DOUBLE_EQ(s.RangeLow(), -25);
  EXPECT_TRUE(s.SuppressPaint());
  EXPECT_EQ(paints, 0);
  EXPECT_EQ(zooms, 1);
}

TEST_F(TScaleDrag, MovesWithoutTheLeftButtonDoNothing) {
  Show(240, 60, sctLabelsBelow);
  s.SetMouseAction(mactPan);
  host.MouseMove(s, 100, 30, {});
  host.MouseMove(s, 150, 30, {});
  EXPECT_EQ(s.RangeLow(), 0);
  EXPECT_EQ(zooms, 0);
}

// ---------------------------------------------------------------------------------------------
// Elapsed-time labels

TScaleTickSettings Seconds(double low, double high, int numTicks) {
  TScaleTickSettings s = test::Settings(low, high, numTicks);
  s.LabelType = fgtTime;
  return s;
}

TEST(ElapsedTimeLabels, HalfSecondStepsShowMilliseconds) {
  // 0.5 s per interval: row 9, the last with milliseconds; minor step 0.1 s.
  const TScaleTickList l = ComputeScaleTicks(Seconds(0, 2, 4));
  EXPECT_EQ(Labels(l), (S{" 00:00:00.000", " 00:00:00.500", " 00:00:01.000", " 00:00:01.500",
                          " 00:00:02.000"}));
  EXPECT_EQ(Values(l, stkMinor).size(), 21u);
}

TEST(ElapsedTimeLabels, WholeSecondStepsDropThem) {
  const TScaleTickList l = ComputeScaleTicks(Seconds(0, 4, 4));  // row 10: 1 s, minor 0.2 s
  EXPECT_EQ(Labels(l), (S{" 00:00:00", " 00:00:01", " 00:00:02", " 00:00:03", " 00:00:04"}));
  EXPECT_EQ(Values(l, stkMinor).size(), 21u);
}

TEST(ElapsedTimeLabels, TwoMillisecondSteps) {
  const TScaleTickList l = ComputeScaleTicks(Seconds(1, 1.01, 5));  // minor 0.5 ms
  EXPECT_EQ(Labels(l), (S{" 00:00:01.000", " 00:00:01.002", " 00:00:01.004", " 00:00:01.006",
                          " 00:00:01.008", " 00:00:01.010"}));
  EXPECT_EQ(Values(l, stkMinor).size(), 21u);
}

TEST(ElapsedTimeLabels, TwoMinuteStepsInSixParts) {
  const TScaleTickList l = ComputeScaleTicks(Seconds(0, 600, 5));  // 120 s, minor 20 s
  EXPECT_EQ(Labels(l),
            (S{" 00:00:00", " 00:02:00", " 00:04:00", " 00:06:00", " 00:08:00", " 00:10:00"}));
  EXPECT_EQ(Values(l, stkMinor).size(), 31u);
}

TEST(ElapsedTimeLabels, NegativeValuesAcrossZero) {
  const TScaleTickList l = ComputeScaleTicks(Seconds(-30, 30, 3));  // 20 s, minor 5 s
  EXPECT_EQ(Labels(l), (S{"-00:00:20", " 00:00:00", " 00:00:20"}));
  EXPECT_EQ(Values(l, stkMinor).front(), -30);
  EXPECT_EQ(Values(l, stkMinor).size(), 13u);
}

// ---------------------------------------------------------------------------------------------
// Calendar labels

TScaleTickSettings Dates(double low, double high, int numTicks = 4,
                         TScaleType type = sctLabelsBelow) {
  TScaleTickSettings s = test::Settings(low, high, numTicks, type);
  s.LabelType = fgtDateTime;
  return s;
}

// 45000 is 15 March 2023, 00:00; 44927 is 1 January 2023.

TEST(CalendarLabels, TwelveHourClockAtMidnightAndNoon) {
  TScaleTickSettings s = Dates(45000, 45001);  // 6 h per interval: majors every 6 h
  s.DateFormat.TimeFormat = tfAmPm;
  const TScaleTickList l = ComputeScaleTicks(s);
  EXPECT_EQ(Labels(l), (S{"12am", "6am", "12pm", "6pm", "12am"}));
  EXPECT_EQ(DateLabels(l), (S{"15-Mar-2023", "16-Mar-2023"}));
  EXPECT_EQ(Values(l, stkMinor).size(), 8u);  // every 2 h
}

TEST(CalendarLabels, EightHourSteps) {
  const TScaleTickList l = ComputeScaleTicks(Dates(45000, 45001.5));  // 9 h per interval
  EXPECT_EQ(Labels(l), (S{"00:00", "08:00", "16:00", "00:00", "08:00"}));
  EXPECT_EQ(Values(l, stkMinor).size(), 14u);
  EXPECT_EQ(DateLabels(l), (S{"15-Mar-2023", "16-Mar-2023"}));
}

TEST(CalendarLabels, FirstHourTickRoundsTheLowEndUp) {
  // From 07:30 for 12 h: 3 h per interval, the first multiple of 3 h at or after 07:30 is 09:00,
  // and the minor ticks reach back to 08:00.
  const TScaleTickList l = ComputeScaleTicks(Dates(45000.3125, 45000.8125));
  EXPECT_EQ(Labels(l), (S{"09:00", "12:00", "15:00", "18:00"}));
  const std::vector<double> minors = Values(l, stkMinor);
  ASSERT_EQ(minors.size(), 8u);
  EXPECT_NEAR(minors.front(), 45000 + 8 / 24.0, 1e-9);
  EXPECT_NEAR(minors.back(), 45000 + 19 / 24.0, 1e-9);
}

TEST(CalendarLabels, TenMinuteSteps) {
  const TScaleTickList l = ComputeScaleTicks(Dates(45000, 45000 + 1 / 24.0));
  EXPECT_EQ(Labels(l), (S{"00:00", "00:10", "00:20", "00:30", "00:40", "00:50", "01:00"}));
  EXPECT_EQ(Values(l, stkMinor).size(), 24u);
}

TEST(CalendarLabels, TwelveHourSecondsUseAFullStopWhateverTheSeparator) {
  TScaleTickSettings s = Dates(45000 + 13 / 24.0, 45000 + 13 / 24.0 + 200 / 86400.0);
  s.DateFormat.TimeFormat = tfAmPm;
  s.DateFormat.TimeSeparator = '/';
  EXPECT_EQ(Labels(ComputeScaleTicks(s))[1], "1/00.30pm");
}

TEST(CalendarLabels, TenthOfASecondStepsOnVerticalScales) {
  // 0.13 s per interval: majors every 10 cs, minors every 5 cs.
  const TScaleTickList l = ComputeScaleTicks(Dates(45000, 45000 + 6e-6, 4, sctLabelsRight));
  EXPECT_EQ(Labels(l), (S{"00:00:00.000", "00:00:00.100", "00:00:00.200", "00:00:00.300",
                          "00:00:00.400", "00:00:00.500"}));
  EXPECT_EQ(Values(l, stkMinor).size(), 5u);
}

TEST(CalendarLabels, DailySteps) {
  const TScaleTickList l = ComputeScaleTicks(Dates(45000, 45005));  // 1.25 days per interval
  EXPECT_EQ(Labels(l), (S{"15-Mar-2023", "16-Mar-2023", "17-Mar-2023", "18-Mar-2023", "19-Mar-2023",
                          "20-Mar-2023"}));
  EXPECT_TRUE(Values(l, stkMinor).empty());
}

TEST(CalendarLabels, WeeklyStepsCountedFromTheFirstOfJanuary) {
  // 10 days per interval: majors every 7 days from 44997 (1 January + 70 days), daily minors.
  const TScaleTickList l = ComputeScaleTicks(Dates(45000, 45040));
  EXPECT_EQ(Labels(l), (S{"19-Mar-2023", "26-Mar-2023", "02-Apr-2023", "09-Apr-2023", "16-Apr-2023",
                          "23-Apr-2023"}));
  EXPECT_EQ(Values(l, stkMinor).size(), 35u);
}

TEST(CalendarLabels, FourWeekStepsWithWeeklyMinors) {
  // 29 days per interval: majors every 28 days from 44983 (1 January + 56 days).
  const TScaleTickList l = ComputeScaleTicks(Dates(45000, 45116));
  EXPECT_EQ(Labels(l), (S{"26-Mar-2023", "23-Apr-2023", "21-May-2023", "18-Jun-2023"}));
  const std::vector<double> minors = Values(l, stkMinor);
  ASSERT_EQ(minors.size(), 13u);
  EXPECT_EQ(minors.front(), 45004);
  EXPECT_EQ(minors.back(), 45116);
}

TEST(CalendarLabels, TwoMonthStepsAdvanceAtLeastOnce) {
  // From 1 March (month 3, already odd) the walk without minor ticks still starts at May.
  TScaleTickSettings s = Dates(EncodeDate(2023, 3, 1), EncodeDate(2023, 3, 1) + 300);
  s.ShortTicks = false;
  EXPECT_EQ(Labels(ComputeScaleTicks(s)), (S{"May-2023", "Jul-2023", "Sep-2023", "Nov-2023"}));
}

TEST(CalendarLabels, QuarterYearSteps) {
  const TScaleTickList l = ComputeScaleTicks(Dates(45000, 45400));  // 3.3 months per interval
  EXPECT_EQ(Labels(l), (S{"Apr-2023", "Jul-2023", "Oct-2023", "Jan-2024", "Apr-2024"}));
  EXPECT_EQ(Values(l, stkMinor).size(), 8u);
}

TEST(CalendarLabels, FourMonthStepsWithNumericMonths) {
  TScaleTickSettings s = Dates(45000, 45500);  // 4.1 months per interval
  s.ShortTicks = false;
  s.DateFormat.MonthName = false;
  s.DateFormat.DateOrder = doYearMonthDay;
  s.DateFormat.DateSeparator = '/';
  EXPECT_EQ(Labels(ComputeScaleTicks(s)), (S{"2023/05", "2023/09", "2024/01", "2024/05"}));
}

TEST(CalendarLabels, FiveYearMajorsWithYearlyMinors) {
  const TScaleTickList l =
      ComputeScaleTicks(Dates(EncodeDate(2000, 1, 1), EncodeDate(2024, 1, 1)));  // 6 years
  EXPECT_EQ(Labels(l), (S{"2000", "2005", "2010", "2015", "2020"}));
  EXPECT_EQ(Values(l, stkMinor).size(), 20u);
}

TEST(CalendarLabels, DecadeMajorsWithFiveYearMinors) {
  TScaleTickSettings s = Dates(EncodeDate(2000, 1, 1), EncodeDate(2060, 1, 1));  // 15 years
  s.DateFormat.YearLength = ylTwoDigits;
  const TScaleTickList l = ComputeScaleTicks(s);
  EXPECT_EQ(Labels(l), (S{"00", "10", "20", "30", "40", "50", "60"}));
  EXPECT_EQ(Values(l, stkMinor).size(), 6u);
  EXPECT_EQ(Values(l, stkMinor).front(), EncodeDate(2005, 1, 1));
}

TEST(CalendarLabels, TwentyYearSteps) {
  TScaleTickSettings s = Dates(EncodeDate(2000, 1, 1), EncodeDate(2120, 1, 1));  // 30 years
  const TScaleTickList l = ComputeScaleTicks(s);
  EXPECT_EQ(Labels(l), (S{"2000", "2020", "2040", "2060", "2080", "2100", "2120"}));
  EXPECT_EQ(Values(l, stkMinor).size(), 6u);  // decades between
  s.ShortTicks = false;
  EXPECT_EQ(ComputeScaleTicks(s).Ticks.size(), 7u);
}

}  // namespace
}  // namespace kiv
