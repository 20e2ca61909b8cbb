#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/datetime.h"
#include "scale/ticks.h"
#include "tick_util.h"

namespace kiv {
namespace {

using test::DateLabels;
using test::Labels;
using test::Range;
using test::Recorded;
using test::Values;
using S = std::vector<std::string>;

// 45000 is 15 March 2023, 00:00.
constexpr double k15Mar2023 = 45000;

TScaleTickSettings Dates(double low, double high, int numTicks = 4,
                         TScaleType type = sctLabelsBelow) {
  TScaleTickSettings s = test::Settings(low, high, numTicks, type);
  s.LabelType = fgtDateTime;
  return s;
}

TEST(DateTicks, HoursLevelWithTwoHourSteps) {
  // 0.1 day per interval: hours level, major step 2 h, minor step 1 h, from 08:00 on.
  const TScaleTickList l = ComputeScaleTicks(Dates(45000.3, 45000.7));
  EXPECT_EQ(l.Mode, stmDateTime);
  EXPECT_EQ(l.Message, smNone);
  EXPECT_EQ(Labels(l), (S{"08:00", "10:00", "12:00", "14:00", "16:00"}));
  EXPECT_EQ(Values(l, stkMinor).size(), 4u);
  EXPECT_NEAR(l.Ticks.front().Value, 45000 + 8 / 24.0, 1e-9);
  // Every drawn tick is recorded, minor and major.
  EXPECT_EQ(Recorded(l).size(), 9u);
  // The date shows at the first major tick; the day does not change afterwards.
  EXPECT_EQ(DateLabels(l), (S{"15-Mar-2023"}));
}

TEST(DateTicks, WithoutMinorTicksTheWalkStepsByTheMajorStep) {
  TScaleTickSettings s = Dates(45000.3, 45000.7);
  s.ShortTicks = false;
  const TScaleTickList l = ComputeScaleTicks(s);
  EXPECT_TRUE(Values(l, stkMinor).empty());
  EXPECT_EQ(Labels(l), (S{"08:00", "10:00", "12:00", "14:00", "16:00"}));
}

TEST(DateTicks, LevelsFollowTheTimePerInterval) {
  EXPECT_EQ(Labels(ComputeScaleTicks(Dates(k15Mar2023, k15Mar2023 + 0.002))).front(),
            "00:00:00");  // 43 s per interval: seconds
  EXPECT_EQ(Labels(ComputeScaleTicks(Dates(k15Mar2023, k15Mar2023 + 0.1))).front(),
            "00:00");  // 36 min: minutes
  EXPECT_EQ(Labels(ComputeScaleTicks(Dates(k15Mar2023, k15Mar2023 + 20))).front(),
            "17-Mar-2023");  // 5 days: days
  EXPECT_EQ(Labels(ComputeScaleTicks(Dates(k15Mar2023, k15Mar2023 + 1000))).front(),
            "Jul-2023");  // 250 days: months
  EXPECT_EQ(Labels(ComputeScaleTicks(Dates(k15Mar2023, k15Mar2023 + 4000))).front(),
            "2024");  // 1000 days: years
}

TEST(DateTicks, SecondsLevelThirtySecondSteps) {
  // 200 s in four intervals: 50 s per interval, major step 30 s, minor 10 s.
  const TScaleTickList l = ComputeScaleTicks(Dates(k15Mar2023, k15Mar2023 + 200 / 86400.0));
  EXPECT_EQ(Labels(l), (S{"00:00:00", "00:00:30", "00:01:00", "00:01:30", "00:02:00", "00:02:30",
                          "00:03:00"}));
  EXPECT_EQ(Values(l, stkMinor).size(), 14u);
  // A minute per interval is the minutes level on horizontal scales.
  EXPECT_EQ(Labels(ComputeScaleTicks(Dates(k15Mar2023, k15Mar2023 + 240 / 86400.0))),
            (S{"00:00", "00:01", "00:02", "00:03", "00:04"}));
}

TEST(DateTicks, UnderASecondHorizontalScalesShowAMessage) {
  const TScaleTickList l = ComputeScaleTicks(Dates(k15Mar2023, k15Mar2023 + 4e-5));
  EXPECT_EQ(l.Message, smBelowOneSecond);
  EXPECT_TRUE(l.Ticks.empty());
}

TEST(DateTicks, UnderASecondVerticalScalesDrawCentiseconds) {
  // 1e-5 day (0.864 s) per interval: major step 50 cs, minor 10 cs.
  const TScaleTickList l =
      ComputeScaleTicks(Dates(k15Mar2023, k15Mar2023 + 4e-5, 4, sctLabelsLeft));
  EXPECT_EQ(l.Message, smNone);
  EXPECT_EQ(Labels(l), (S{"00:00:00.000", "00:00:00.500", "00:00:01.000", "00:00:01.500",
                          "00:00:02.000", "00:00:02.500", "00:00:03.000"}));
  EXPECT_EQ(l.Ticks.size(), 35u);
  // Below a hundredth of a second per interval even vertical scales give up.
  EXPECT_EQ(ComputeScaleTicks(Dates(k15Mar2023, k15Mar2023 + 4e-7, 4, sctLabelsLeft)).Message,
            smBelowOneSecond);
}

TEST(DateTicks, HorizontalAndVerticalThresholdsDiffer) {
  // per = 1.1574e-5 is below a second for horizontal scales, just above for vertical ones.
  const double span = 4 * 1.1574e-5;
  EXPECT_EQ(ComputeScaleTicks(Dates(0, span)).Message, smBelowOneSecond);
  const TScaleTickList v = ComputeScaleTicks(Dates(0, span, 4, sctLabelsRight));
  EXPECT_EQ(v.Message, smNone);
  EXPECT_EQ(Labels(v).front(), "00:00:00.000");
}

TEST(DateTicks, InvalidRanges) {
  EXPECT_EQ(ComputeScaleTicks(Dates(45000, 44999)).Message, smInvalidDateTime);
  EXPECT_EQ(ComputeScaleTicks(Dates(-693594, 0)).Message, smInvalidDateTime);
  EXPECT_EQ(ComputeScaleTicks(Dates(0, 3000001)).Message, smInvalidDateTime);
  // A low end after 31 December 9999 has no calendar date.
  EXPECT_EQ(ComputeScaleTicks(Dates(2960000, 2960001)).Message, smInvalidDateTime);
  EXPECT_TRUE(ComputeScaleTicks(Dates(45000, 44999)).Ticks.empty());
}

TEST(DateTicks, TheFirstAndLastCalendarDaysWork) {
  const TScaleTickList first = ComputeScaleTicks(Dates(kMinDateTime, kMinDateTime + 20));
  EXPECT_EQ(first.Message, smNone);
  EXPECT_EQ(Labels(first).front(), "01-Jan-0001");
  // Sub-day ticks stop at the end of the calendar.
  const TScaleTickList last = ComputeScaleTicks(Dates(2958465.5, 2958466.5));
  EXPECT_EQ(last.Message, smNone);
  ASSERT_FALSE(last.Ticks.empty());
  EXPECT_LT(last.Ticks.back().Value, 2958466.0);
  EXPECT_EQ(Labels(last).back(), "18:00");
}

TEST(DateTicks, YearsWalkEndsOnTheLastDayOfTheCalendar) {
  // From 23 October 7375 far beyond 9999: majors every 500 years, walk step 100 years.
  const TScaleTickList l = ComputeScaleTicks(Dates(2000000, 2990000, 3));
  EXPECT_EQ(l.Message, smNone);
  EXPECT_EQ(Labels(l), (S{"7500", "8000", "8500", "9000", "9500"}));
  ASSERT_FALSE(l.Ticks.empty());
  EXPECT_EQ(l.Ticks.back().Value, EncodeDate(9999, 12, 31));
  EXPECT_EQ(l.Ticks.back().Kind, stkMinor);
  EXPECT_EQ(l.Ticks.front().Value, EncodeDate(7400, 1, 1));
}

TEST(DateTicks, YearsLevelSteps) {
  // 3000 days in four intervals: about two years each, majors every 2 years, walk every year.
  TScaleTickSettings s = Dates(EncodeDate(2000, 6, 1), EncodeDate(2000, 6, 1) + 3000);
  const TScaleTickList l = ComputeScaleTicks(s);
  EXPECT_EQ(Labels(l), (S{"2002", "2004", "2006", "2008"}));
  EXPECT_EQ(Values(l, stkMinor).size(), 4u);  // 2001, 2003, 2005, 2007
  // The tick on low's own 1 January is kept when low is exactly that day.
  s.Low = EncodeDate(2000, 1, 1);
  EXPECT_EQ(Labels(ComputeScaleTicks(s)).front(), "2000");
}

TEST(DateTicks, YearLabels) {
  TScaleTickSettings s = Dates(EncodeDate(40, 1, 1), EncodeDate(40, 1, 1) + 3000);
  EXPECT_EQ(Labels(ComputeScaleTicks(s)).front(), "40");  // "0040" without its zeros
  s.DateFormat.YearLength = ylTwoDigits;
  EXPECT_EQ(Labels(ComputeScaleTicks(s)).front(), "40");
  s.Low = EncodeDate(2004, 1, 1);
  s.High = s.Low + 3000;
  EXPECT_EQ(Labels(ComputeScaleTicks(s)).front(), "04");
  s.DateFormat.YearLength = ylNone;
  EXPECT_EQ(Labels(ComputeScaleTicks(s)).front(), "");
}

TEST(DateTicks, DaysLevel) {
  // Five days per interval: majors every 3 days counted from 1 January, minor ticks daily.
  const TScaleTickList l = ComputeScaleTicks(Dates(k15Mar2023, k15Mar2023 + 20));
  EXPECT_EQ(Values(l, stkMajor), Range(45002, 3, 7));
  EXPECT_EQ(Values(l, stkMinor).size(), 14u);
  EXPECT_EQ(Labels(l)[1], "20-Mar-2023");
}

TEST(DateTicks, DaysLevelWeeks) {
  // Fifteen days per interval: majors every 14 days, minor ticks weekly.
  const TScaleTickList l = ComputeScaleTicks(Dates(k15Mar2023, k15Mar2023 + 60));
  const std::vector<double> majors = Values(l, stkMajor);
  ASSERT_GE(majors.size(), 2u);
  EXPECT_EQ(majors[1] - majors[0], 14);
  EXPECT_EQ(l.Ticks[1].Value - l.Ticks[0].Value, 7);
}

TEST(DateTicks, DatePatternsByOrderYearAndMonthName) {
  TScaleTickSettings s = Dates(k15Mar2023, k15Mar2023 + 20);
  s.DateFormat.DateOrder = doMonthDayYear;
  EXPECT_EQ(Labels(ComputeScaleTicks(s))[0], "Mar-17-2023");
  s.DateFormat.DateOrder = doYearMonthDay;
  EXPECT_EQ(Labels(ComputeScaleTicks(s))[0], "2023-Mar-17");
  s.DateFormat.MonthName = false;
  s.DateFormat.DateSeparator = '/';
  EXPECT_EQ(Labels(ComputeScaleTicks(s))[0], "2023/03/17");
  s.DateFormat.YearLength = ylTwoDigits;
  EXPECT_EQ(Labels(ComputeScaleTicks(s))[0], "23/03/17");
  // Without a year the days level keeps the separators of the full pattern.
  s.DateFormat.YearLength = ylNone;
  EXPECT_EQ(Labels(ComputeScaleTicks(s))[0], "/03/17");
  s.DateFormat.DateOrder = doDayMonthYear;
  EXPECT_EQ(Labels(ComputeScaleTicks(s))[0], "17/03/");
}

TEST(DateTicks, MonthsLevel) {
  // 250 days per interval: 8.2 months, so majors every 6 months (January and July).
  const TScaleTickList l = ComputeScaleTicks(Dates(k15Mar2023, k15Mar2023 + 1000));
  EXPECT_EQ(Labels(l), (S{"Jul-2023", "Jan-2024", "Jul-2024", "Jan-2025", "Jul-2025"}));
  EXPECT_EQ(l.Ticks.front().Value, EncodeDate(2023, 4, 1));  // a minor tick
  EXPECT_EQ(Values(l, stkMinor).size(), 28u);
}

TEST(DateTicks, MonthsLevelWithoutMinorTicksStartsOnAStepMonth) {
  TScaleTickSettings s = Dates(k15Mar2023, k15Mar2023 + 1000);
  s.ShortTicks = false;
  const TScaleTickList l = ComputeScaleTicks(s);
  EXPECT_EQ(Labels(l), (S{"Jul-2023", "Jan-2024", "Jul-2024", "Jan-2025", "Jul-2025"}));
  EXPECT_EQ(l.Ticks.size(), 5u);
}

TEST(DateTicks, MonthPatterns) {
  TScaleTickSettings s = Dates(k15Mar2023, k15Mar2023 + 200);  // 50 days: monthly ticks
  EXPECT_EQ(Labels(ComputeScaleTicks(s))[0], "Apr-2023");
  s.DateFormat.DateOrder = doYearMonthDay;
  EXPECT_EQ(Labels(ComputeScaleTicks(s))[0], "2023-Apr");
  s.DateFormat.YearLength = ylNone;
  s.DateFormat.MonthName = false;
  EXPECT_EQ(Labels(ComputeScaleTicks(s))[0], "-04");
}

TEST(DateTicks, TimeFormatsAtEveryLevel) {
  struct TCase {
    double span;
    TScaleType type;
    const char* colon;
    const char* hourLetter;
    const char* amPm;
  };
  // Second label of each level, on 15 March 2023 from 13:00.
  const TCase cases[] = {
      {0.4, sctLabelsBelow, "16:00", "16h", "4pm"},
      {0.1, sctLabelsBelow, "13:30", "13h30", "1:30pm"},
      {200 / 86400.0, sctLabelsBelow, "13:00:30", "13h00:30", "1:00.30pm"},
      {4e-5, sctLabelsLeft, "13:00:00.500", "13h00:00.500", "1:00.00.500pm"},
  };
  for (const TCase& c : cases) {
    TScaleTickSettings s =
        Dates(k15Mar2023 + 13 / 24.0, k15Mar2023 + 13 / 24.0 + c.span, 4, c.type);
    EXPECT_EQ(Labels(ComputeScaleTicks(s))[1], c.colon) << c.span;
    s.DateFormat.TimeFormat = tfHourLetter;
    EXPECT_EQ(Labels(ComputeScaleTicks(s))[1], c.hourLetter) << c.span;
    s.DateFormat.TimeFormat = tfAmPm;
    EXPECT_EQ(Labels(ComputeScaleTicks(s))[1], c.amPm) << c.span;
  }
}

TEST(DateTicks, TimeSeparatorIsQuoted) {
  TScaleTickSettings s = Dates(k15Mar2023, k15Mar2023 + 200 / 86400.0);
  s.DateFormat.TimeSeparator = '.';
  EXPECT_EQ(Labels(ComputeScaleTicks(s))[1], "00.00.30");
  s.DateFormat.TimeSeparator = 'h';  // a pattern letter, still copied literally
  EXPECT_EQ(Labels(ComputeScaleTicks(s))[1], "00h00h30");
  s.DateFormat.TimeSeparator = '"';
  EXPECT_EQ(Labels(ComputeScaleTicks(s))[1], "00\"00\"30");
}

TEST(DateTicks, DateUnderTimeLabels) {
  // 20:00 on 15 March to 08:00 on 16 March: 3-hour majors, the day changes at midnight.
  TScaleTickSettings s = Dates(45000.8, 45001.3);
  EXPECT_EQ(Labels(ComputeScaleTicks(s)), (S{"21:00", "00:00", "03:00", "06:00"}));
  EXPECT_EQ(DateLabels(ComputeScaleTicks(s)), (S{"15-Mar-2023", "16-Mar-2023"}));
  s.DateFormat.DateForTime = dftNever;
  EXPECT_TRUE(DateLabels(ComputeScaleTicks(s)).empty());
  s.DateFormat.DateForTime = dftFirstTick;
  EXPECT_EQ(DateLabels(ComputeScaleTicks(s)), (S{"15-Mar-2023"}));
  s.DateFormat.DateForTime = dftEveryTick;
  EXPECT_EQ(DateLabels(ComputeScaleTicks(s)),
            (S{"15-Mar-2023", "16-Mar-2023", "16-Mar-2023", "16-Mar-2023"}));
  // Sub-day date labels without a year use the short column.
  s.DateFormat.YearLength = ylNone;
  EXPECT_EQ(DateLabels(ComputeScaleTicks(s)).front(), "15-Mar");
  s.DateFormat.DateOrder = doYearMonthDay;
  EXPECT_EQ(DateLabels(ComputeScaleTicks(s)).front(), "Mar-15");
}

TEST(DateTicks, NegativeDatesCountTheTimeOfDayForwards) {
  // -1.25 is 28 December 1899, 18:00.
  const TScaleTickList l = ComputeScaleTicks(Dates(-1.25, -0.75));
  EXPECT_EQ(Labels(l), (S{"18:00", "21:00", "00:00", "03:00", "06:00"}));
  EXPECT_EQ(DateLabels(l), (S{"28-Dec-1899", "29-Dec-1899"}));
  EXPECT_EQ(Labels(ComputeScaleTicks(Dates(-10.5, 0.5))).front(), "21-Dec-1899");
}

TEST(DateTicks, NegativeWholeDayLowStartsAtItsMidnight) {
  TScaleTickSettings s = Dates(-2, -1.5);
  s.ShortTicks = false;
  const TScaleTickList l = ComputeScaleTicks(s);
  EXPECT_EQ(Labels(l), (S{"00:00", "03:00", "06:00", "09:00", "12:00"}));
  EXPECT_EQ(l.Ticks.front().Value, -2);
}

TEST(DateTicks, AutomaticTickCountDividesIntoFive) {
  const TScaleTickList l = ComputeScaleTicks(Dates(45000, 45000.5, 0));  // 2.4 h per interval
  EXPECT_EQ(Labels(l), (S{"00:00", "02:00", "04:00", "06:00", "08:00", "10:00", "12:00"}));
}

}  // namespace
}  // namespace kiv
