// Calendar values of the platform layer: TDateTime counts days since 30 December 1899 (the
// fraction is the time of day), proleptic Gregorian calendar, years 1 to 9999; encoding,
// decoding and FormatDateTime with the classic pattern language.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace kiv {

using TDateTime = double;

// The first and last representable days: 1 January 0001 and 31 December 9999.
inline constexpr double kMinDateTime = -693593.0;
inline constexpr double kMaxDateTime = 2958465.99999999;  // 9999-12-31 23:59:59.999

struct TFormatSettings {
  char DateSeparator = '/';  // replaces "/" in patterns
  char TimeSeparator = ':';  // replaces ":" in patterns
  std::string ShortDateFormat = "yyyy/mm/dd";
  std::string LongDateFormat = "dddd, mmmm d, yyyy";
  std::string ShortTimeFormat = "hh:nn";
  std::string LongTimeFormat = "hh:nn:ss";
  std::string TimeAMString = "AM";
  std::string TimePMString = "PM";
  std::array<std::string, 12> ShortMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::array<std::string, 12> LongMonthNames = {"January",   "February", "March",    "April",
                                                "May",       "June",     "July",     "August",
                                                "September", "October",  "November", "December"};
  std::array<std::string, 7> ShortDayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  std::array<std::string, 7> LongDayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                             "Thursday", "Friday", "Saturday"};
};

// The settings used when none are given (English names).
const TFormatSettings& DefaultFormatSettings();

bool IsLeapYear(int year);
// Days of a month (1..12) of a year; 0 for an invalid month.
int DaysInMonth(int year, int month);

// Date of year (1..9999), month (1..12) and day; false when the date does not exist.
bool TryEncodeDate(int year, int month, int day, TDateTime& result);
// As TryEncodeDate; raises EKIVError "Invalid argument to date encode" for a date that does not
// exist.
TDateTime EncodeDate(int year, int month, int day);
bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& result);
TDateTime EncodeTime(int hour, int min, int sec, int msec);

// The parts of a value. The value is first rounded to whole milliseconds; the date is its whole
// part (towards zero) and the time of day its fraction taken positive, so -1.75 is 29 December
// 1899, 18:00. Values outside the representable days give year 0 (and false from TryDecode...).
struct TDateParts {
  int Year = 0;
  int Month = 0;
  int Day = 0;
  int Hour = 0;
  int Minute = 0;
  int Second = 0;
  int MSec = 0;
  int DayOfWeek = 0;  // 1 = Sunday .. 7 = Saturday
};
bool TryDecodeDateTime(TDateTime value, TDateParts& parts);
void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& min, int& sec, int& msec);
// 1 = Sunday .. 7 = Saturday.
int DayOfWeek(TDateTime value);

// Formats a value with a pattern:
//   d dd ddd dddd     day, two-digit day, short and long day name
//   ddddd dddddd      short and long date format
//   m mm mmm mmmm     month, two-digit month, short and long month name (m and mm right after
//                     an h or hh mean minutes)
//   yy yyyy           two-digit year, four-digit year (y and yyy count as yy and yyyy)
//   h hh              hour, two-digit hour (12-hour clock when an am/pm specifier follows)
//   n nn  s ss        minute, second, with and without leading zero
//   z zz zzz          milliseconds; zzz with leading zeros to three digits
//   am/pm a/p ampm    "am"/"pm" in the case written, "a"/"p", the settings' AM/PM strings
//   t tt  c           short time, long time, short date followed by long time
//   / :               the date and time separators of the settings
//   "text" 'text'     copied literally
// Every other character is copied. A value outside the representable days formats as an empty
// text.
std::string FormatDateTime(std::string_view pattern, TDateTime value);
std::string FormatDateTime(std::string_view pattern, TDateTime value,
                           const TFormatSettings& settings);

}  // namespace kiv
