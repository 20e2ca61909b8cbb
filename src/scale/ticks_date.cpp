// Calendar date/time tick mode: values are days since 30 December 1899; ticks fall on whole
// centiseconds, seconds, minutes, hours, days, months or years, labelled through the platform's
// date/time patterns.
#include <array>
#include <cmath>
#include <string>

#include "platform/datetime.h"
#include "scale/ticks.h"
#include "services/mathutil.h"

namespace kiv {

TScaleDateFormat ScaleDateFormatOf(const TDTLabel& label) {
  TScaleDateFormat f;
  f.TimeFormat = label.TimeFormat();
  f.DateSeparator = label.DateSeparator();
  f.TimeSeparator = label.TimeSeparator();
  f.YearLength = label.YearLength();
  f.MonthName = label.MonthName();
  f.DateForTime = label.DateForTime();
  f.DateOrder = label.DateOrder();
  return f;
}

namespace {

// The first day after the calendar (1 January 10000): no tick lies at or beyond it.
constexpr double kCalendarEnd = 2958466.0;
// A guard against endless walks on values the arithmetic cannot step through; real walks end
// after a few dozen ticks.
constexpr long long kMaxWalk = 100000;

enum TLevel { lvCentiseconds, lvSeconds, lvMinutes, lvHours };

struct TSubDayLevel {
  double UnitsPerDay;
  std::array<int, 6> Major;
  std::array<int, 6> Minor;
};

constexpr std::array<TSubDayLevel, 4> kSubDayLevels = {{
    {8640000, {1, 2, 5, 10, 20, 50}, {1, 1, 1, 5, 10, 10}},  // centiseconds
    {86400, {1, 2, 5, 10, 20, 30}, {1, 1, 1, 2, 5, 10}},     // seconds
    {1440, {1, 2, 5, 10, 20, 30}, {1, 1, 1, 2, 5, 10}},      // minutes
    {24, {1, 2, 3, 6, 8, 12}, {1, 1, 1, 2, 2, 3}},           // hours
}};

double Frac(double x) {
  return x - std::trunc(x);
}

// The scale treats date values as a continuous line; the calendar counts the time of day of a
// negative value forwards from its day (-1.25 is 29 December 1899, 06:00). This turns a point on
// the line into the calendar's value for the same moment.
double CalendarValue(double x) {
  if (std::fabs(x) < 1e-8) return 0;
  if (x >= 0) return x;
  const double f = Frac(x);
  const double whole = static_cast<double>(IntNeg(x));
  if (f <= -1e-8) return whole - f - 1;
  return whole - f;
}

// A separator copied literally by the pattern language.
std::string Quoted(char c) {
  if (c == '\0') return {};
  if (c == '"') return "'\"'";
  return std::string("\"") + c + "\"";
}

std::string YearPattern(const TScaleDateFormat& f) {
  switch (f.YearLength) {
    case ylTwoDigits:
      return "yy";
    case ylFourDigits:
      return "yyyy";
    default:
      return {};
  }
}

std::string DatePattern(const TScaleDateFormat& f, bool withYear) {
  const std::string d = "dd";
  const std::string m = f.MonthName ? "mmm" : "mm";
  const std::string y = YearPattern(f);
  const std::string s = Quoted(f.DateSeparator);
  switch (f.DateOrder) {
    case doMonthDayYear:
      return withYear ? m + s + d + s + y : m + s + d;
    case doYearMonthDay:
      return withYear ? y + s + m + s + d : m + s + d;
    default:
      return withYear ? d + s + m + s + y : d + s + m;
  }
}

// Centisecond labels show the milliseconds with three digits ("12:00:00.250"). The classic
// pattern language pads any run of two or more z to three digits; the platform's formatter pads
// only "zzz", so the patterns ask for that.
std::string TimePattern(const TScaleDateFormat& f, TLevel level) {
  const std::string t = Quoted(f.TimeSeparator);
  switch (f.TimeFormat) {
    case tfHourLetter:
      switch (level) {
        case lvHours:
          return "h\"h\"";
        case lvMinutes:
          return "h\"h\"nn";
        case lvSeconds:
          return "h\"h\"nn" + t + "ss";
        default:
          return "h\"h\"nn" + t + "ss.zzz";
      }
    case tfAmPm:
      switch (level) {
        case lvHours:
          return "ham/pm";
        case lvMinutes:
          return "h" + t + "nnam/pm";
        case lvSeconds:
          return "h" + t + "nn\".\"ssam/pm";
        default:
          return "h" + t + "nn\".\"ss.zzzam/pm";
      }
    default:
      switch (level) {
        case lvHours:
        case lvMinutes:
          return "hh" + t + "nn";
        case lvSeconds:
          return "hh" + t + "nn" + t + "ss";
        default:
          return "hh" + t + "nn" + t + "ss.zzz";
      }
  }
}

std::string Format(const std::string& pattern, double value) {
  return FormatDateTime(pattern, CalendarValue(value));
}

int DayOfMonth(double value) {
  int y = 0, m = 0, d = 0;
  DecodeDate(CalendarValue(value), y, m, d);
  return d;
}

int YearOf(double value) {
  int y = 0, m = 0, d = 0;
  DecodeDate(CalendarValue(value), y, m, d);
  return y;
}

void Emit(TScaleTickList& out, double v, bool major, std::string label) {
  TScaleTick t;
  t.Value = t.LabelValue = v;
  t.Kind = major ? stkMajor : stkMinor;
  t.Record = true;
  if (major) {
    t.HasLabel = true;
    t.Label = std::move(label);
  }
  out.Ticks.push_back(std::move(t));
}

void SubDayTicks(const TScaleTickSettings& s, double per, TLevel level, TScaleTickList& out) {
  const TSubDayLevel& L = kSubDayLevels[level];
  const double U = L.UnitsPerDay;
  int i = 6;
  while (i > 1 && !(L.Major[i - 1] <= per * U)) --i;
  const int T = L.Major[i - 1];
  const double low = s.Low;
  const double high = s.High;

  // The first multiple of T units at or after low, counted from midnight of low's day D. The time
  // of day f is taken so that D + f = low, also for negative whole days (f = 0, not 1, which
  // would start the ticks a day late).
  const double D = std::floor(low);
  const double f = Frac(low) < 0 ? Frac(low) + 1 : Frac(low);
  const long long u = static_cast<long long>(std::ceil(U * f));
  const long long r = u % T;
  const double first = D + static_cast<double>(u + (r != 0 ? T - r : 0)) / U;

  const double major = T / U;
  const double minor = L.Minor[i - 1] / U;
  const double step = s.ShortTicks ? minor : major;
  long long k = 0;
  if (s.ShortTicks)
    while (first + k * minor > low && k > -kMaxWalk) --k;

  const std::string timePattern = TimePattern(s.DateFormat, level);
  const bool withYear = s.DateFormat.YearLength != ylNone;
  const std::string datePattern = DatePattern(s.DateFormat, withYear);
  bool firstMajor = true;
  int lastDay = 0;
  for (long long n = 0; n < kMaxWalk; ++n, ++k) {
    const double v =
        static_cast<double>(static_cast<long double>(first) + k * static_cast<long double>(step));
    if (v - high >= 1e-8 || v >= kCalendarEnd) break;
    if (v < low) continue;
    const double q = v / major;
    if (s.ShortTicks && std::fabs(q - std::round(q)) > 0.1) {
      Emit(out, v, false, {});
      continue;
    }
    Emit(out, v, true, Format(timePattern, v));
    bool date = false;
    switch (s.DateFormat.DateForTime) {
      case dftFirstTick:
        date = firstMajor;
        break;
      case dftDayChange:
        date = firstMajor || DayOfMonth(v) != lastDay;
        break;
      case dftEveryTick:
        date = true;
        break;
      default:
        break;
    }
    if (date) {
      TScaleTick& t = out.Ticks.back();
      t.HasDate = true;
      t.DateLabel = Format(datePattern, v);
      lastDay = DayOfMonth(v);
    }
    firstMajor = false;
  }
}

void DayTicks(const TScaleTickSettings& s, double per, TScaleTickList& out) {
  static constexpr std::array<int, 6> kSteps = {1, 2, 3, 7, 14, 28};
  int i = 6;
  while (i > 1 && !(kSteps[i - 1] <= per)) --i;
  const int T = kSteps[i - 1];
  const int minorStep = T <= 7 ? 1 : 7;
  const double low = s.Low;
  const double high = s.High;
  TDateTime J = 0;
  if (!TryEncodeDate(YearOf(low), 1, 1, J)) return;
  const double first = J + T * (static_cast<long long>(std::trunc(low - J)) / T);
  const long long firstPhase = ((static_cast<long long>(std::llround(first)) % T) + T) % T;
  const double step = s.ShortTicks ? minorStep : T;
  const std::string pattern = DatePattern(s.DateFormat, true);
  for (long long k = 0; k < kMaxWalk; ++k) {
    const double v = first + k * step;
    if (v - high >= 1e-8 || v >= kCalendarEnd) break;
    if (v < low) continue;
    const long long phase = ((static_cast<long long>(std::llround(v)) % T) + T) % T;
    const bool major = !s.ShortTicks || phase == firstPhase;
    Emit(out, v, major, major ? Format(pattern, v) : std::string());
  }
}

void MonthTicks(const TScaleTickSettings& s, TScaleTickList& out) {
  const int n = s.NumTicks > 0 ? s.NumTicks : kDefaultTimeTicks;
  const double perMonths = (s.High - s.Low) / 30.4375 / n;
  int T = 1;
  for (int candidate : {6, 4, 3, 2}) {
    if (candidate <= perMonths) {
      T = candidate;
      break;
    }
  }
  int year = 0, month = 0, day = 0;
  DecodeDate(CalendarValue(s.Low), year, month, day);
  auto advance = [&](int by) {
    month += by;
    while (month > 12) {
      month -= 12;
      ++year;
    }
  };
  if (T > 1 && !s.ShortTicks) {
    do advance(1);
    while (month % T != 1);
  }
  const TScaleDateFormat& f = s.DateFormat;
  const std::string m = f.MonthName ? "mmm" : "mm";
  const std::string sep = Quoted(f.DateSeparator);
  const std::string pattern =
      f.DateOrder == doYearMonthDay ? YearPattern(f) + sep + m : m + sep + YearPattern(f);
  for (long long k = 0; k < kMaxWalk; ++k) {
    TDateTime v = 0;
    if (!TryEncodeDate(year, month, 1, v)) break;  // past 9999
    if (v - s.High >= 1e-8) break;
    if (v >= s.Low) {
      const bool major = !s.ShortTicks || T == 1 || month % T == 1;
      Emit(out, v, major, major ? Format(pattern, v) : std::string());
    }
    advance(s.ShortTicks ? 1 : T);
  }
}

void YearTicks(const TScaleTickSettings& s, TScaleTickList& out) {
  const int n = s.NumTicks > 0 ? s.NumTicks : kDefaultTimeTicks;
  double a = (s.High - s.Low) / 365.25 / n;
  if (!(a >= 1)) a = 1;
  const double lg = std::log10(a);
  const double p = std::trunc(lg);
  const double mantissa = std::pow(10.0, lg - p);
  const int f = mantissa < 2 ? 1 : mantissa < 5 ? 2 : 5;
  const long long G = std::llround(std::trunc(std::pow(10.0, p)) * f);
  long long W = G;
  if (s.ShortTicks && G > 1) W = f == 5 ? std::llround(G / 5.0) : std::llround(G / 2.0);
  if (W < 1) W = 1;

  const int lowYear = YearOf(s.Low);
  long long Y = (lowYear + W - 1) / W * W;
  if (Y == lowYear) {
    TDateTime jan1 = 0;
    if (TryEncodeDate(lowYear, 1, 1, jan1) && s.Low != jan1) Y += W;
  }
  std::string pattern;
  if (s.DateFormat.YearLength == ylTwoDigits) pattern = "yy";
  if (s.DateFormat.YearLength == ylFourDigits) pattern = "yyyy";
  for (long long k = 0; k < kMaxWalk; ++k) {
    const bool last = Y > 9999;
    const int year = last ? 9999 : static_cast<int>(Y);
    const TDateTime v = last ? EncodeDate(9999, 12, 31) : EncodeDate(year, 1, 1);
    if (v - s.High >= 1e-8) break;
    if (v >= s.Low) {
      const bool major = !s.ShortTicks || year % G == 0;
      std::string label;
      if (major && !pattern.empty()) {
        label = Format(pattern, v);
        if (s.DateFormat.YearLength == ylFourDigits) {
          const std::size_t nz = label.find_first_not_of('0');
          label.erase(0, nz == std::string::npos ? label.size() : nz);
        }
      }
      Emit(out, v, major, std::move(label));
    }
    if (last) break;
    Y += W;
  }
}

}  // namespace

void DateTimeScaleTicks(const TScaleTickSettings& s, TScaleTickList& out) {
  out.Mode = stmDateTime;
  const double low = s.Low;
  const double high = s.High;
  // Reversed ranges, ranges reaching before 1 January 0001 or far beyond the calendar, and a low
  // end after 31 December 9999 cannot be shown as dates.
  if (!(low <= high) || !(low >= kMinDateTime) || !(high <= 3000000) || !(low < kCalendarEnd)) {
    out.Message = smInvalidDateTime;
    return;
  }
  const int n = s.NumTicks > 0 ? s.NumTicks : kDefaultTimeTicks;
  const double per = (high - low) / n;
  const bool vertical = !IsHorizontalScale(s.ScaleType);
  if (vertical ? per <= 1.0 / 8640000 : per <= 1.1574e-5) {
    out.Message = smBelowOneSecond;
  } else if (vertical && per <= 1.0 / 86400) {
    SubDayTicks(s, per, lvCentiseconds, out);
  } else if (per <= (vertical ? 1.0 / 1440 : 0.00069444)) {
    SubDayTicks(s, per, lvSeconds, out);
  } else if (per <= 0.041667) {
    SubDayTicks(s, per, lvMinutes, out);
  } else if (per <= 1) {
    SubDayTicks(s, per, lvHours, out);
  } else if (per <= 30) {
    DayTicks(s, per, out);
  } else if (per <= 366) {
    MonthTicks(s, out);
  } else {
    YearTicks(s, out);
  }
}

}  // namespace kiv
