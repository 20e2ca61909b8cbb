#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scale/ticks.h"
#include "tick_util.h"

namespace kiv {
namespace {

using test::Labels;
using test::Range;
using test::Recorded;
using test::Values;
using S = std::vector<std::string>;

TScaleTickSettings Time(double low, double high, int numTicks) {
  TScaleTickSettings s = test::Settings(low, high, numTicks);
  s.LabelType = fgtTime;
  return s;
}

TEST(TimeTicks, AnHourInFourIntervalsStepsTenMinutes) {
  // 900 s per interval: the largest table step not above it is 600 s, with minor steps of 120 s.
  const TScaleTickList l = ComputeScaleTicks(Time(0, 3600, 4));
  EXPECT_EQ(l.Mode, stmTime);
  EXPECT_EQ(Values(l, stkMajor), Range(0, 600, 7));
  EXPECT_EQ(Values(l, stkMinor), Range(0, 120, 31));
  EXPECT_EQ(Labels(l), (S{" 00:00:00", " 00:10:00", " 00:20:00", " 00:30:00", " 00:40:00",
                          " 00:50:00", " 01:00:00"}));
}

TEST(TimeTicks, MinorTicksAreRecordedAndMajorTicksOnlyWithoutThem) {
  TScaleTickSettings s = Time(0, 3600, 4);
  EXPECT_EQ(Recorded(ComputeScaleTicks(s)), Range(0, 120, 31));
  s.ShortTicks = false;
  const TScaleTickList l = ComputeScaleTicks(s);
  EXPECT_TRUE(Values(l, stkMinor).empty());
  EXPECT_EQ(Recorded(l), Range(0, 600, 7));
}

TEST(TimeTicks, FirstTickIsAlignedToTheStep) {
  // 100..3700: the walk starts at 0 and keeps the ticks inside the range.
  const TScaleTickList l = ComputeScaleTicks(Time(100, 3700, 4));
  EXPECT_EQ(Values(l, stkMajor), Range(600, 600, 6));
  EXPECT_EQ(Values(l, stkMinor).front(), 120);
  EXPECT_EQ(Values(l, stkMinor).back(), 3600);
}

TEST(TimeTicks, NegativeSeconds) {
  const TScaleTickList l = ComputeScaleTicks(Time(-90, 90, 3));  // 60 s per interval: step 60
  EXPECT_EQ(Values(l, stkMajor), (std::vector<double>{-60, 0, 60}));
  EXPECT_EQ(Labels(l), (S{"-00:01:00", " 00:00:00", " 00:01:00"}));
}

TEST(TimeTicks, ReversedRangeWalksDownwards) {
  const TScaleTickList l = ComputeScaleTicks(Time(3600, 0, 4));
  EXPECT_EQ(Values(l, stkMajor), Range(3600, -600, 7));
  EXPECT_EQ(Labels(l).front(), " 01:00:00");
}

TEST(TimeTicks, StepsBelowOneSecondShowMilliseconds) {
  const TScaleTickList l = ComputeScaleTicks(Time(0, 2, 4));  // 0.5 s per interval
  EXPECT_EQ(Labels(l), (S{" 00:00:00.000", " 00:00:00.500", " 00:00:01.000", " 00:00:01.500",
                          " 00:00:02.000"}));
  // A one-second step (table row 10) has no milliseconds.
  EXPECT_EQ(Labels(ComputeScaleTicks(Time(0, 4, 4))).back(), " 00:00:04");
}

TEST(TimeTicks, MillisecondSteps) {
  const TScaleTickList l = ComputeScaleTicks(Time(0, 0.004, 4));  // 1 ms per interval
  EXPECT_EQ(Labels(l), (S{" 00:00:00.000", " 00:00:00.001", " 00:00:00.002", " 00:00:00.003",
                          " 00:00:00.004"}));
  EXPECT_EQ(Values(l, stkMinor).size(), 21u);  // five minor intervals per millisecond
}

TEST(TimeTicks, HoursAreNotWrappedAtADay) {
  const TScaleTickList l = ComputeScaleTicks(Time(0, 2 * 86400.0, 4));  // 12 h per interval
  EXPECT_EQ(Labels(l), (S{" 00:00:00", " 12:00:00", " 24:00:00", " 36:00:00", " 48:00:00"}));
}

TEST(TimeTicks, ADayPerIntervalFallsBackToNumbers) {
  TScaleTickSettings s = Time(0, 4 * 86400.0, 4);
  s.DecPlaces = 0;
  const TScaleTickList l = ComputeScaleTicks(s);
  EXPECT_EQ(l.Mode, stmLinear);
  EXPECT_EQ(Labels(l).back(), "300000");
}

TEST(TimeTicks, StepsUnderAMillisecondFallBackToNumbers) {
  const TScaleTickList l = ComputeScaleTicks(Time(0, 0.002, 4));
  EXPECT_EQ(l.Mode, stmLinear);
}

TEST(TimeTicks, FallBackHonoursTheLogarithmicMapping) {
  TScaleTickSettings s = Time(1, 1e6, 3);
  s.Logarithmic = true;
  EXPECT_EQ(ComputeScaleTicks(s).Mode, stmLogarithmic);
}

TEST(TimeTicks, AutomaticTickCountDividesIntoFive) {
  EXPECT_EQ(Values(ComputeScaleTicks(Time(0, 3000, 0)), stkMajor), Range(0, 600, 6));
}

TEST(TimeTicks, UserTextsAndInscriptionsAreNotApplied) {
  TScaleTickSettings s = Time(0, 3600, 4);
  s.Inscript = "& h";
  EXPECT_EQ(Labels(ComputeScaleTicks(s))[1], " 00:10:00");
}

}  // namespace
}  // namespace kiv
