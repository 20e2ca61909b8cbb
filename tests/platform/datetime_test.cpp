// Calendar values: encoding and decoding checked against the standard library's calendar over
// the whole range, and the formatting pattern language.
#include "platform/datetime.h"

#include <gtest/gtest.h>

#include <chrono>
#include <limits>

#include "platform/errors.h"

namespace kiv {
namespace {

namespace chr = std::chrono;

// Days since 30 December 1899 according to the standard library's proleptic calendar.
long long ReferenceDays(int y, unsigned m, unsigned d) {
  const chr::sys_days day{chr::year{y} / chr::month{m} / chr::day{d}};
  const chr::sys_days epoch{chr::year{1899} / chr::December / chr::day{30}};
  return (day - epoch).count();
}

TEST(DateTime, EpochAndLimits) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
  EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
  EXPECT_EQ(EncodeDate(1, 1, 1), kMinDateTime);
  EXPECT_EQ(EncodeDate(9999, 12, 31), 2958465.0);
  EXPECT_EQ(EncodeDate(2024, 3, 1), 45352.0);
}

TEST(DateTime, EveryFirstOfJanuaryMatchesTheReferenceCalendar) {
  for (int y = 1; y <= 9999; ++y) {
    ASSERT_EQ(EncodeDate(y, 1, 1), static_cast<double>(ReferenceDays(y, 1, 1))) << y;
    int yy, mm, dd;
    DecodeDate(EncodeDate(y, 1, 1), yy, mm, dd);
    ASSERT_EQ(yy, y);
    ASSERT_EQ(mm, 1);
    ASSERT_EQ(dd, 1);
  }
}

TEST(DateTime, DenseSampleOfDaysDecodesAsTheReferenceCalendar) {
  const chr::sys_days epoch{chr::year{1899} / chr::December / chr::day{30}};
  for (long long day = -693593; day <= 2958465; day += 37) {
    const chr::year_month_day ref{epoch + chr::days{day}};
    int y, m, d;
    // The time of day is written away from zero: 06:00 of a negative day is day - 0.25.
    DecodeDate(static_cast<double>(day) + (day >= 0 ? 0.25 : -0.25), y, m, d);
    ASSERT_EQ(y, static_cast<int>(ref.year())) << day;
    ASSERT_EQ(m, static_cast<int>(static_cast<unsigned>(ref.month()))) << day;
    ASSERT_EQ(d, static_cast<int>(static_cast<unsigned>(ref.day()))) << day;
    const chr::weekday wd{chr::sys_days{ref}};
    ASSERT_EQ(DayOfWeek(static_cast<double>(day)), static_cast<int>(wd.c_encoding()) + 1) << day;
  }
}

TEST(DateTime, InvalidDatesAreRefused) {
  TDateTime r = 0;
  EXPECT_FALSE(TryEncodeDate(1900, 2, 29, r));
  EXPECT_TRUE(TryEncodeDate(2000, 2, 29, r));
  EXPECT_FALSE(TryEncodeDate(2023, 13, 1, r));
  EXPECT_FALSE(TryEncodeDate(2023, 4, 31, r));
  EXPECT_FALSE(TryEncodeDate(0, 1, 1, r));
  EXPECT_FALSE(TryEncodeDate(10000, 1, 1, r));
  EXPECT_THROW(EncodeDate(2023, 2, 30), EKIVError);
  EXPECT_THROW(EncodeTime(24, 0, 0, 0), EKIVError);
  EXPECT_EQ(EncodeTime(18, 0, 0, 0), 0.75);
}

TEST(DateTime, NegativeValuesKeepTheDateTowardsZeroAndTheTimePositive) {
  TDateParts p;
  ASSERT_TRUE(TryDecodeDateTime(-1.75, p));
  EXPECT_EQ(p.Year, 1899);
  EXPECT_EQ(p.Month, 12);
  EXPECT_EQ(p.Day, 29);
  EXPECT_EQ(p.Hour, 18);
}

TEST(DateTime, ValuesAreRoundedToWholeMilliseconds) {
  TDateParts p;
  ASSERT_TRUE(TryDecodeDateTime(45000.0 - 1e-10, p));  // a hair before midnight
  EXPECT_EQ(EncodeDate(2023, 3, 15), 45000.0);
  EXPECT_EQ(p.Day, 15);
  EXPECT_EQ(p.Hour, 0);
  EXPECT_EQ(p.MSec, 0);
  int h, n, s, ms;
  DecodeTime(EncodeTime(13, 7, 9, 250), h, n, s, ms);
  EXPECT_EQ(h, 13);
  EXPECT_EQ(n, 7);
  EXPECT_EQ(s, 9);
  EXPECT_EQ(ms, 250);
}

TEST(DateTime, OutsideTheCalendarNothingIsDecodedOrFormatted) {
  TDateParts p;
  EXPECT_FALSE(TryDecodeDateTime(-693595.0, p));
  EXPECT_FALSE(TryDecodeDateTime(3000000.0, p));
  EXPECT_FALSE(TryDecodeDateTime(std::numeric_limits<double>::quiet_NaN(), p));
  EXPECT_EQ(FormatDateTime("yyyy", 1e300), "");
}

TEST(FormatDateTime, TimePatterns) {
  const TDateTime t = EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 50);
  EXPECT_EQ(FormatDateTime("hh\":\"nn", t), "14:07");
  EXPECT_EQ(FormatDateTime("h\"h\"", t), "14h");
  EXPECT_EQ(FormatDateTime("h\"h\"nn", t), "14h07");
  EXPECT_EQ(FormatDateTime("ham/pm", t), "2pm");
  EXPECT_EQ(FormatDateTime("h\":\"nnam/pm", t), "2:07pm");
  EXPECT_EQ(FormatDateTime("hh\":\"nn\":\"ss", t), "14:07:09");
  EXPECT_EQ(FormatDateTime("h\":\"nn\".\"ssam/pm", t), "2:07.09pm");
  EXPECT_EQ(FormatDateTime("hh\":\"nn\":\"ss.zz", t), "14:07:09.50");
  EXPECT_EQ(FormatDateTime("ss.zzz", t), "09.050");
  EXPECT_EQ(FormatDateTime("h:mm", t), "14:07");  // m after h is the minute
  EXPECT_EQ(FormatDateTime("hAM/PM", EncodeTime(0, 30, 0, 0)), "12AM");
  EXPECT_EQ(FormatDateTime("ha/p", EncodeTime(12, 0, 0, 0)), "12p");
  EXPECT_EQ(FormatDateTime("h ampm", EncodeTime(23, 0, 0, 0)), "11 PM");
}

TEST(FormatDateTime, DatePatterns) {
  const TDateTime d = EncodeDate(2024, 3, 5);
  EXPECT_EQ(FormatDateTime("dd\"-\"mmm\"-\"yyyy", d), "05-Mar-2024");
  EXPECT_EQ(FormatDateTime("mm\"-\"dd\"-\"yy", d), "03-05-24");
  EXPECT_EQ(FormatDateTime("yyyy\"-\"mmm\"-\"dd", d), "2024-Mar-05");
  EXPECT_EQ(FormatDateTime("d/m/yyyy", d), "5/3/2024");
  EXPECT_EQ(FormatDateTime("ddd dddd mmmm", d), "Tue Tuesday March");
  EXPECT_EQ(FormatDateTime("yyyy", EncodeDate(45, 6, 1)), "0045");
  EXPECT_EQ(FormatDateTime("'at' yyyy", d), "at 2024");
  TFormatSettings fs;
  fs.DateSeparator = '.';
  EXPECT_EQ(FormatDateTime("dd/mm", d, fs), "05.03");
  EXPECT_EQ(FormatDateTime("c", d + 0.5), "2024/03/05 12:00:00");
}

}  // namespace
}  // namespace kiv
