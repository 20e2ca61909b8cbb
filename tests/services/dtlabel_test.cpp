// Date/time label settings: reset values, setters and their notifications, Assign.
#include "services/dtlabel.h"

#include <gtest/gtest.h>

#include "change_util.h"

namespace kiv {
namespace {

using testing::ChangeCounter;

TEST(DTLabel, StartsWithTheScaleResetValues) {
  TDTLabel d;
  EXPECT_EQ(d.TimeFormat(), tfColon);
  EXPECT_EQ(d.DateSeparator(), '-');
  EXPECT_EQ(d.TimeSeparator(), ':');
  EXPECT_EQ(d.YearLength(), ylFourDigits);
  EXPECT_TRUE(d.MonthName());
  EXPECT_EQ(d.DateForTime(), dftDayChange);
  EXPECT_EQ(d.DateOrder(), doDayMonthYear);
}

TEST(DTLabel, EachSetterNotifiesOnce) {
  TDTLabel d;
  ChangeCounter changes(d);
  d.SetTimeFormat(tfAmPm);
  d.SetDateSeparator('/');
  d.SetTimeSeparator('.');
  d.SetYearLength(ylTwoDigits);
  d.SetMonthName(false);
  d.SetDateForTime(dftEveryTick);
  d.SetDAteOrder(doYearMonthDay);
  EXPECT_EQ(changes.count, 7);
  EXPECT_EQ(d.TimeFormat(), tfAmPm);
  EXPECT_EQ(d.DateSeparator(), '/');
  EXPECT_EQ(d.TimeSeparator(), '.');
  EXPECT_EQ(d.YearLength(), ylTwoDigits);
  EXPECT_FALSE(d.MonthName());
  EXPECT_EQ(d.DateForTime(), dftEveryTick);
  EXPECT_EQ(d.DateOrder(), doYearMonthDay);

  d.SetDateOrder(doMonthDayYear);  // the regular spelling does the same
  EXPECT_EQ(d.DateOrder(), doMonthDayYear);
  EXPECT_EQ(changes.count, 8);
}

TEST(DTLabel, OutOfRangeEnumerationValuesAreIgnored) {
  TDTLabel d;
  ChangeCounter changes(d);
  d.SetTimeFormat(static_cast<TTimeFormat>(3));
  d.SetYearLength(static_cast<TYearLength>(3));
  d.SetDateForTime(static_cast<TDateForTime>(4));
  d.SetDAteOrder(static_cast<TDateOrder>(3));
  EXPECT_EQ(changes.count, 0);
  EXPECT_EQ(d.TimeFormat(), tfColon);
  EXPECT_EQ(d.YearLength(), ylFourDigits);
  EXPECT_EQ(d.DateForTime(), dftDayChange);
  EXPECT_EQ(d.DateOrder(), doDayMonthYear);
}

TEST(DTLabel, AssignCopiesEverySettingButNotTheHandler) {
  TDTLabel src;
  int src_changes = 0;
  src.OnChange = [&](TObject*) { ++src_changes; };
  src.SetTimeFormat(tfHourLetter);
  src.SetDateSeparator('.');
  src.SetTimeSeparator('h');
  src.SetYearLength(ylNone);
  src.SetMonthName(false);
  src.SetDateForTime(dftFirstTick);
  src.SetDAteOrder(doMonthDayYear);

  TDTLabel dst;
  ChangeCounter changes(dst);
  dst.Assign(src);
  EXPECT_EQ(changes.count, 1);
  EXPECT_EQ(dst.TimeFormat(), tfHourLetter);
  EXPECT_EQ(dst.DateSeparator(), '.');
  EXPECT_EQ(dst.TimeSeparator(), 'h');
  EXPECT_EQ(dst.YearLength(), ylNone);
  EXPECT_FALSE(dst.MonthName());
  EXPECT_EQ(dst.DateForTime(), dftFirstTick);
  EXPECT_EQ(dst.DateOrder(), doMonthDayYear);
  const int before = src_changes;
  dst.SetMonthName(true);
  EXPECT_EQ(src_changes, before);
}

}  // namespace
}  // namespace kiv
