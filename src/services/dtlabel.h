// TDTLabel: how a scale writes time and calendar labels (time format, separators, year length,
// month names, when sub-day ticks show the date, and the order of day, month and year).
#pragma once

#include <cstdint>
#include <string>

#include "services/notifier.h"

namespace kiv {

enum TTimeFormat : std::uint8_t {
  tfColon,       // 24-hour "hh", separator, "nn"
  tfHourLetter,  // hour followed by the letter h
  tfAmPm         // 12-hour with am/pm
};

enum TYearLength : std::uint8_t { ylNone, ylTwoDigits, ylFourDigits };

// When labels of ticks finer than a day also show the date.
enum TDateForTime : std::uint8_t { dftNever, dftFirstTick, dftDayChange, dftEveryTick };

enum TDateOrder : std::uint8_t { doMonthDayYear, doDayMonthYear, doYearMonthDay };

// The settings start at the values a scale resets to: tfColon, date separator '-', time
// separator ':', four-digit years, month names, the date at day changes, day-month-year. Every
// setter stores its value and fires OnChange once per call; enumeration values outside their
// type are ignored.
class TDTLabel : public TNotifyingPersistent {
 public:
  TDTLabel() = default;
  TDTLabel(const TDTLabel&) = delete;
  TDTLabel& operator=(const TDTLabel&) = delete;
  std::string ClassName() const override { return "TDTLabel"; }

  TTimeFormat TimeFormat() const { return time_format_; }
  void SetTimeFormat(TTimeFormat v);
  char DateSeparator() const { return date_sep_; }
  void SetDateSeparator(char v);
  char TimeSeparator() const { return time_sep_; }
  void SetTimeSeparator(char v);
  TYearLength YearLength() const { return year_length_; }
  void SetYearLength(TYearLength v);
  // true: abbreviated month name ("mmm"); false: two-digit month number ("mm").
  bool MonthName() const { return month_name_; }
  void SetMonthName(bool v);
  TDateForTime DateForTime() const { return date_for_time_; }
  void SetDateForTime(TDateForTime v);
  TDateOrder DateOrder() const { return date_order_; }
  // The historical spelling SetDAteOrder is kept for code written against it.
  void SetDAteOrder(TDateOrder v);
  void SetDateOrder(TDateOrder v) { SetDAteOrder(v); }

  // Copies every setting of another date/time label (not its OnChange) and reports one change.
  void Assign(const TPersistent& Source) override;

 protected:
  void AssignTo(TPersistent& Dest) const override;

 private:
  TTimeFormat time_format_ = tfColon;
  char date_sep_ = '-';
  char time_sep_ = ':';
  TYearLength year_length_ = ylFourDigits;
  bool month_name_ = true;
  TDateForTime date_for_time_ = dftDayChange;
  TDateOrder date_order_ = doDayMonthYear;
};

}  // namespace kiv
