#include <gtest/gtest.h>

#include <cmath>

#include "scale/ticks.h"
#include "tick_util.h"

namespace kiv {
namespace {

using test::Labels;
using test::Range;
using test::Recorded;
using test::Settings;
using test::Values;
using S = std::vector<std::string>;
using D = std::vector<double>;

TEST(LinearTicks, MajorAndMinorGridOfZeroToHundred) {
  // Three intervals wanted: step 20 with four minor intervals of 5.
  const TScaleTickList l = ComputeScaleTicks(Settings(0, 100));
  EXPECT_EQ(l.Mode, stmLinear);
  EXPECT_EQ(Values(l, stkMajor), Range(0, 20, 6));
  EXPECT_EQ(Values(l, stkMinor), Range(0, 5, 21));
  EXPECT_EQ(Labels(l), (S{"0", "20", "40", "60", "80", "100"}));
}

TEST(LinearTicks, MinorTicksComeFirstThenTheMajorOnes) {
  const TScaleTickList l = ComputeScaleTicks(Settings(0, 100));
  ASSERT_EQ(l.Ticks.size(), 27u);
  for (int i = 0; i < 21; ++i) EXPECT_EQ(l.Ticks[i].Kind, stkMinor);
  for (int i = 21; i < 27; ++i) EXPECT_EQ(l.Ticks[i].Kind, stkMajor);
}

TEST(LinearTicks, HorizontalScalesRecordTheMinorGridOnly) {
  const TScaleTickList l = ComputeScaleTicks(Settings(0, 100, 3, sctLabelsBelow));
  EXPECT_EQ(Recorded(l), Range(0, 5, 21));
}

// Ranges whose ends and steps are decimal fractions: the minor walk reaches the low end only up
// to rounding, and the tick on it is still recorded (the grid and TickPos rely on the list).
TEST(LinearTicks, TheLowEndTickIsRecordedDespiteRounding) {
  for (const auto& [lo, hi] :
       {std::pair{0.0, 0.9}, {0.0, 0.45}, {0.1, 0.9}, {0.3, 0.9}, {0.9, 0.0}, {0.9, 0.3}}) {
    const std::vector<double> rec =
        Recorded(ComputeScaleTicks(Settings(lo, hi, 3, sctLabelsBelow)));
    ASSERT_FALSE(rec.empty());
    EXPECT_NEAR(rec.front(), lo, 1e-12) << lo << ".." << hi;
  }
}

TEST(LinearTicks, VerticalScalesRecordTheMajorTicksASecondTime) {
  const TScaleTickList l = ComputeScaleTicks(Settings(0, 100, 3, sctLabelsLeft));
  std::vector<double> expected = Range(0, 5, 21);
  for (double v : Range(0, 20, 6)) expected.push_back(v);
  EXPECT_EQ(Recorded(l), expected);
}

TEST(LinearTicks, WithoutMinorTicksTheMajorOnesAreRecorded) {
  TScaleTickSettings s = Settings(0, 100, 3, sctLabelsAbove);
  s.ShortTicks = false;
  const TScaleTickList l = ComputeScaleTicks(s);
  EXPECT_TRUE(Values(l, stkMinor).empty());
  EXPECT_EQ(Recorded(l), Range(0, 20, 6));
}

TEST(LinearTicks, MinorTicksBelowTheFirstMajorTickShow) {
  // 3..97: majors 20..80, minors from 5 up to 95.
  const TScaleTickList l = ComputeScaleTicks(Settings(3, 97));
  EXPECT_EQ(Values(l, stkMajor), Range(20, 20, 4));
  EXPECT_EQ(Values(l, stkMinor), Range(5, 5, 19));
}

TEST(LinearTicks, ReversedRangesWalkFromTheLowEnd) {
  const TScaleTickList l = ComputeScaleTicks(Settings(100, 0));
  EXPECT_EQ(Values(l, stkMajor), Range(100, -20, 6));
  EXPECT_EQ(Values(l, stkMinor), Range(100, -5, 21));
  EXPECT_EQ(Labels(l), (S{"100", "80", "60", "40", "20", "0"}));
}

TEST(LinearTicks, NoLabelsForFgtNone) {
  TScaleTickSettings s = Settings(0, 100);
  s.LabelType = fgtNone;
  const TScaleTickList l = ComputeScaleTicks(s);
  EXPECT_EQ(Values(l, stkMajor).size(), 6u);
  EXPECT_TRUE(Labels(l).empty());
}

TEST(LinearTicks, AutomaticDecimalsFollowTheSpan) {
  EXPECT_EQ(Labels(ComputeScaleTicks(Settings(0, 1, 4))),
            (S{"0.00", "0.20", "0.40", "0.60", "0.80", "1.00"}));
  EXPECT_EQ(Labels(ComputeScaleTicks(Settings(0, 10, 4))),
            (S{"0.0", "2.0", "4.0", "6.0", "8.0", "10.0"}));
}

TEST(LinearTicks, TinyRangesAreLabelledExponentially) {
  EXPECT_EQ(Labels(ComputeScaleTicks(Settings(0, 1e-5))),
            (S{"0.0E+00", "2.0E-06", "4.0E-06", "6.0E-06", "8.0E-06", "1.0E-05"}));
}

TEST(LinearTicks, HugeRangesAreLabelledExponentially) {
  EXPECT_EQ(Labels(ComputeScaleTicks(Settings(0, 3e6))),
            (S{"0.0", "1.0E+06", "2.0E+06", "3.0E+06"}));
}

TEST(LinearTicks, AHairFromZeroIsLabelledZero) {
  TScaleTickSettings s = Settings(-1, 1);
  double v = -1e-17;
  EXPECT_EQ(LinearTickLabel(s, v, 1), "0.00");
  EXPECT_EQ(v, 0.0);
  // A real value is kept.
  v = -1e-13;
  EXPECT_EQ(LinearTickLabel(s, v, 1), "-0.00");
  EXPECT_EQ(v, -1e-13);
}

TEST(LinearTicks, ZeroOnAWideRangeIsAShortZero) {
  TScaleTickSettings s = Settings(-3e6, 3e6);
  double v = 1e-9;
  EXPECT_EQ(LinearTickLabel(s, v, 1), "0.0");
  s.DecPlaces = 0;
  v = 1e-9;
  EXPECT_EQ(LinearTickLabel(s, v, 1), "0");
  s = Settings(-50000, 50000);
  s.DecPlaces = 1;
  v = 1e-12;
  EXPECT_EQ(LinearTickLabel(s, v, 1), "0.0");
}

TEST(LinearTicks, ZeroDecimalsBlankTheNonIntegerTicks) {
  TScaleTickSettings s = Settings(0, 1, 4);
  s.DecPlaces = 0;
  EXPECT_EQ(Labels(ComputeScaleTicks(s)), (S{"0", "", "", "", "", "1"}));
}

TEST(LinearTicks, LabelsAreCutToFourteenCharacters) {
  TScaleTickSettings s = Settings(0, 100, 2);
  s.DecPlaces = 12;
  s.Inscript = "& V";
  const auto labels = Labels(ComputeScaleTicks(s));
  ASSERT_EQ(labels.size(), 3u);
  EXPECT_EQ(labels[0], "0.000000000000 V");
  EXPECT_EQ(labels[1], "50.00000000000 V");  // the cut comes before the inscription
}

TEST(LinearTicks, UserTextsReplaceTheNumbers) {
  TScaleTickSettings s = Settings(0, 80, 4);
  s.LabelType = fgtUserText;
  s.UserText = "a|b|c";
  s.Inscript = "$";  // not applied to user texts
  EXPECT_EQ(Labels(ComputeScaleTicks(s)), (S{"a", "b", "c", "c", "c"}));
}

TEST(LinearTicks, InscriptionsDecorateTheNumbers) {
  TScaleTickSettings s = Settings(0, 240, 2);
  s.Inscript = "& V";
  EXPECT_EQ(Labels(ComputeScaleTicks(s)), (S{"0 V", "100 V", "200 V"}));
  s.Inscript = "$";
  EXPECT_EQ(Labels(ComputeScaleTicks(s)), (S{"$0", "$100", "$200"}));
}

TEST(LinearTicks, EqualEndsDrawNothing) {
  EXPECT_TRUE(ComputeScaleTicks(Settings(5, 5)).Ticks.empty());
}

TEST(LinearTicks, AutomaticTickCount) {
  // MinTicks 0: the tick arithmetic's default of five intervals.
  EXPECT_EQ(Values(ComputeScaleTicks(Settings(0, 100, 0)), stkMajor), Range(0, 20, 6));
}

TEST(LogTicks, SparseDecades) {
  TScaleTickSettings s = Settings(1, 1000);
  s.Logarithmic = true;
  const TScaleTickList l = ComputeScaleTicks(s);
  EXPECT_EQ(l.Mode, stmLogarithmic);
  EXPECT_EQ(Values(l, stkMajor), (D{1, 10, 100, 1000}));
  EXPECT_TRUE(Values(l, stkMinor).empty());
  EXPECT_EQ(Labels(l), (S{"1", "10", "100", "1000"}));
  EXPECT_EQ(Recorded(l).size(), 4u);
}

TEST(LogTicks, DenseDecadesLabelOneTwoAndFive) {
  TScaleTickSettings s = Settings(1, 1000, 5);
  s.Logarithmic = true;
  const TScaleTickList l = ComputeScaleTicks(s);
  EXPECT_EQ(Values(l, stkMajor), (D{1, 2, 5, 10, 20, 50, 100, 200, 500, 1000}));
  EXPECT_EQ(Labels(l), (S{"1", "2", "5", "10", "20", "50", "100", "200", "500", "1000"}));
  const std::vector<double> minors = Values(l, stkMinor);
  ASSERT_EQ(minors.size(), 18u);
  EXPECT_EQ(std::vector<double>(minors.begin(), minors.begin() + 6), (D{3, 4, 6, 7, 8, 9}));
  // Drawing order: 1, 2, 3, 4, 5, 6, ...
  EXPECT_EQ(l.Ticks[2].Value, 3);
  EXPECT_EQ(l.Ticks[2].Kind, stkMinor);
  EXPECT_EQ(Recorded(l).size(), 28u);
}

TEST(LogTicks, MinorCandidatesWithoutMinorTicksAreReportedButNotDrawn) {
  TScaleTickSettings s = Settings(1, 1000, 5);
  s.Logarithmic = true;
  s.ShortTicks = false;
  const TScaleTickList l = ComputeScaleTicks(s);
  EXPECT_EQ(l.Ticks.size(), 28u);
  for (const TScaleTick& t : l.Ticks) {
    EXPECT_EQ(t.DrawMark, t.Kind == stkMajor);
    EXPECT_EQ(t.Record, t.Kind == stkMajor);
  }
}

TEST(LogTicks, SmallDecadesTrimTrailingZeros) {
  TScaleTickSettings s = Settings(0.01, 10, 6);
  s.Logarithmic = true;
  EXPECT_EQ(Labels(ComputeScaleTicks(s)),
            (S{"0.01", "0.02", "0.05", "0.1", "0.2", "0.5", "1", "2", "5", "10"}));
  s.DecPlaces = 3;  // explicit decimals are kept
  EXPECT_EQ(Labels(ComputeScaleTicks(s))[0], "0.010");
}

TEST(LogTicks, ExponentLabelsForMinusThree) {
  TScaleTickSettings s = Settings(1, 1e6);
  s.Logarithmic = true;
  s.DecPlaces = -3;
  EXPECT_EQ(Labels(ComputeScaleTicks(s)), (S{"0", "1", "2", "3", "4", "5", "6"}));
  s = Settings(1e-3, 10, 6);
  s.Logarithmic = true;
  s.DecPlaces = -3;
  EXPECT_EQ(Labels(ComputeScaleTicks(s)),
            (S{"-3", "", "", "-2", "", "", "-1", "", "", "0", "", "", "1"}));
}

TEST(LogTicks, WideRangesAreLabelledExponentially) {
  TScaleTickSettings s = Settings(1e-3, 1e7, 3);
  s.Logarithmic = true;
  const auto labels = Labels(ComputeScaleTicks(s));
  ASSERT_EQ(labels.size(), 11u);
  EXPECT_EQ(labels.front(), "1.0E-03");
  EXPECT_EQ(labels.back(), "1.0E+07");
}

TEST(LogTicks, ReversedRangesGiveTheSameTicks) {
  TScaleTickSettings s = Settings(1000, 1);
  s.Logarithmic = true;
  EXPECT_EQ(Values(ComputeScaleTicks(s), stkMajor), (D{1, 10, 100, 1000}));
}

TEST(LogTicks, LessThanOneDecadeGetsLinearTicks) {
  TScaleTickSettings s = Settings(2, 8);
  s.Logarithmic = true;
  const TScaleTickList l = ComputeScaleTicks(s);
  EXPECT_EQ(Values(l, stkMajor), (D{2, 4, 6, 8}));
  EXPECT_EQ(Labels(l), (S{"2.0", "4.0", "6.0", "8.0"}));
}

TEST(LogTicks, TinyValuesDownToTheLimit) {
  TScaleTickSettings s = Settings(1e-100, 1e-97);
  s.Logarithmic = true;
  const TScaleTickList l = ComputeScaleTicks(s);
  const std::vector<double> v = Values(l, stkMajor);
  ASSERT_EQ(v.size(), 4u);
  EXPECT_NEAR(v[0] / 1e-100, 1, 1e-12);
  EXPECT_NEAR(v[3] / 1e-97, 1, 1e-12);
}

TEST(LogTicks, NonPositiveEndsGiveNoTicks) {
  TScaleTickSettings s = Settings(-5, 100);
  s.Logarithmic = true;
  EXPECT_TRUE(ComputeScaleTicks(s).Ticks.empty());
  s = Settings(0, 100);
  s.Logarithmic = true;
  EXPECT_TRUE(ComputeScaleTicks(s).Ticks.empty());
}

TEST(LogTicks, UserTextsAndInscriptionsOnMajorTicks) {
  TScaleTickSettings s = Settings(1, 1000);
  s.Logarithmic = true;
  s.LabelType = fgtUserText;
  s.UserText = "one|ten";
  EXPECT_EQ(Labels(ComputeScaleTicks(s)), (S{"one", "ten", "ten", "ten"}));
  s.LabelType = fgtNumeric;
  s.Inscript = "& Hz";
  EXPECT_EQ(Labels(ComputeScaleTicks(s)), (S{"1 Hz", "10 Hz", "100 Hz", "1000 Hz"}));
}

}  // namespace
}  // namespace kiv
