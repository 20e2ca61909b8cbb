#include "platform/datetime.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

#include "platform/errors.h"

namespace kiv {

namespace {

constexpr long long kMSecsPerDay = 86400000;
// Days from 1970-01-01 back to the epoch 1899-12-30.
constexpr long long kUnixEpochDelta = 25569;

// Days since 1970-01-01 of a proleptic Gregorian date (valid for any year).
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, long long& y, unsigned& m, unsigned& d) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const auto doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  y = static_cast<long long>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = doy - (153 * mp + 2) / 5 + 1;
  m = mp < 10 ? mp + 3 : mp - 9;
  y += m <= 2;
}

}  // namespace

const TFormatSettings& DefaultFormatSettings() {
  static const TFormatSettings settings;
  return settings;
}

bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return kDays[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

bool TryEncodeDate(int year, int month, int day, TDateTime& result) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
      day > DaysInMonth(year, month))
    return false;
  result = static_cast<double>(
      DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) +
      kUnixEpochDelta);
  return true;
}

TDateTime EncodeDate(int year, int month, int day) {
  TDateTime r = 0;
  if (!TryEncodeDate(year, month, day, r)) throw EKIVError("Invalid argument to date encode");
  return r;
}

bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& result) {
  if (hour < 0 || hour > 23 || min < 0 || min > 59 || sec < 0 || sec > 59 || msec < 0 || msec > 999)
    return false;
  result = (((hour * 60LL + min) * 60 + sec) * 1000 + msec) / static_cast<double>(kMSecsPerDay);
  return true;
}

TDateTime EncodeTime(int hour, int min, int sec, int msec) {
  TDateTime r = 0;
  if (!TryEncodeTime(hour, min, sec, msec, r)) throw EKIVError("Invalid argument to time encode");
  return r;
}

bool TryDecodeDateTime(TDateTime value, TDateParts& parts) {
  parts = TDateParts();
  if (!std::isfinite(value) || value < kMinDateTime - 1 || value > kMaxDateTime + 1) return false;
  const long long ms = std::llrint(value * kMSecsPerDay);
  const long long date = ms / kMSecsPerDay;  // towards zero
  const long long time = std::llabs(ms) % kMSecsPerDay;
  long long y;
  unsigned m, d;
  CivilFromDays(date - kUnixEpochDelta, y, m, d);
  if (y < 1 || y > 9999) return false;
  parts.Year = static_cast<int>(y);
  parts.Month = static_cast<int>(m);
  parts.Day = static_cast<int>(d);
  parts.Hour = static_cast<int>(time / 3600000);
  parts.Minute = static_cast<int>(time / 60000 % 60);
  parts.Second = static_cast<int>(time / 1000 % 60);
  parts.MSec = static_cast<int>(time % 1000);
  // 30 December 1899 was a Saturday.
  parts.DayOfWeek = static_cast<int>(((date % 7) + 7 + 6) % 7) + 1;
  return true;
}

void DecodeDate(TDateTime value, int& year, int& month, int& day) {
  TDateParts p;
  TryDecodeDateTime(value, p);
  year = p.Year;
  month = p.Month;
  day = p.Day;
}

void DecodeTime(TDateTime value, int& hour, int& min, int& sec, int& msec) {
  TDateParts p;
  TryDecodeDateTime(value, p);
  hour = p.Hour;
  min = p.Minute;
  sec = p.Second;
  msec = p.MSec;
}

int DayOfWeek(TDateTime value) {
  TDateParts p;
  TryDecodeDateTime(value, p);
  return p.DayOfWeek;
}

namespace {

void AppendNumber(std::string& out, int value, int digits) {
  std::string s = std::to_string(value);
  if (static_cast<int>(s.size()) < digits)
    out.append(static_cast<std::size_t>(digits) - s.size(), '0');
  out += s;
}

bool StartsWithNoCase(std::string_view s, std::size_t i, std::string_view what) {
  if (s.size() - i < what.size()) return false;
  for (std::size_t k = 0; k < what.size(); ++k)
    if (std::tolower(static_cast<unsigned char>(s[i + k])) != what[k]) return false;
  return true;
}

class Formatter {
 public:
  Formatter(const TDateParts& p, const TFormatSettings& f) : p_(p), f_(f) {}

  void Format(std::string_view pat, std::string& out, int depth) {
    if (depth > 2) return;  // nested formats that refer to each other
    char last = 0;          // last specifier letter, upper case
    std::size_t i = 0;
    while (i < pat.size()) {
      const char c = pat[i];
      const char up = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      auto count = [&]() {
        std::size_t n = 1;
        while (i + n < pat.size() && std::toupper(static_cast<unsigned char>(pat[i + n])) == up)
          ++n;
        i += n;
        return static_cast<int>(n);
      };
      switch (up) {
        case '"':
        case '\'': {
          const std::size_t close = pat.find(c, i + 1);
          const std::size_t end = close == std::string_view::npos ? pat.size() : close;
          out.append(pat.substr(i + 1, end - i - 1));
          i = close == std::string_view::npos ? pat.size() : close + 1;
          continue;
        }
        case 'Y': {
          const int n = count();
          if (n <= 2)
            AppendNumber(out, p_.Year % 100, 2);
          else
            AppendNumber(out, p_.Year, 4);
          break;
        }
        case 'M': {
          const int n = count();
          if (last == 'H' && n <= 2) {
            AppendNumber(out, p_.Minute, n);
          } else if (n <= 2) {
            AppendNumber(out, p_.Month, n);
          } else {
            const auto& names = n == 3 ? f_.ShortMonthNames : f_.LongMonthNames;
            out += names[static_cast<std::size_t>(p_.Month - 1)];
          }
          break;
        }
        case 'D': {
          const int n = count();
          if (n <= 2)
            AppendNumber(out, p_.Day, n);
          else if (n == 3)
            out += f_.ShortDayNames[static_cast<std::size_t>(p_.DayOfWeek - 1)];
          else if (n == 4)
            out += f_.LongDayNames[static_cast<std::size_t>(p_.DayOfWeek - 1)];
          else
            Format(n == 5 ? f_.ShortDateFormat : f_.LongDateFormat, out, depth + 1);
          break;
        }
        case 'H': {
          const int n = count();
          int h = p_.Hour;
          if (TwelveHourClockAhead(pat, i)) h = h == 0 ? 12 : (h > 12 ? h - 12 : h);
          AppendNumber(out, h, n >= 2 ? 2 : 0);
          break;
        }
        case 'N':
          AppendNumber(out, p_.Minute, count() >= 2 ? 2 : 0);
          break;
        case 'S':
          AppendNumber(out, p_.Second, count() >= 2 ? 2 : 0);
          break;
        case 'Z':
          AppendNumber(out, p_.MSec, count() >= 3 ? 3 : 0);
          break;
        case 'T': {
          const int n = count();
          Format(n == 1 ? f_.ShortTimeFormat : f_.LongTimeFormat, out, depth + 1);
          break;
        }
        case 'C': {
          count();
          Format(f_.ShortDateFormat, out, depth + 1);
          if (p_.Hour != 0 || p_.Minute != 0 || p_.Second != 0 || p_.MSec != 0) {
            out += ' ';
            Format(f_.LongTimeFormat, out, depth + 1);
          }
          break;
        }
        case 'A': {
          const bool pm = p_.Hour >= 12;
          if (StartsWithNoCase(pat, i, "am/pm")) {
            out.append(pat.substr(i + (pm ? 3 : 0), 2));  // in the case written
            i += 5;
          } else if (StartsWithNoCase(pat, i, "a/p")) {
            out.append(pat.substr(i + (pm ? 2 : 0), 1));
            i += 3;
          } else if (StartsWithNoCase(pat, i, "ampm")) {
            out += pm ? f_.TimePMString : f_.TimeAMString;
            i += 4;
          } else {
            out += c;
            ++i;
          }
          break;
        }
        case '/':
          out += f_.DateSeparator;
          ++i;
          break;
        case ':':
          out += f_.TimeSeparator;
          ++i;
          break;
        default:
          out += c;
          ++i;
          continue;  // literal text does not change the last specifier
      }
      if (up != '/' && up != ':') last = up;
    }
  }

 private:
  // Whether an am/pm specifier follows (before the next hour specifier), outside quotes.
  static bool TwelveHourClockAhead(std::string_view pat, std::size_t i) {
    char quote = 0;
    for (; i < pat.size(); ++i) {
      const char c = pat[i];
      if (quote) {
        if (c == quote) quote = 0;
        continue;
      }
      if (c == '"' || c == '\'') {
        quote = c;
      } else if (c == 'h' || c == 'H') {
        return false;
      } else if (c == 'a' || c == 'A') {
        return StartsWithNoCase(pat, i, "am/pm") || StartsWithNoCase(pat, i, "a/p") ||
               StartsWithNoCase(pat, i, "ampm");
      }
    }
    return false;
  }

  const TDateParts& p_;
  const TFormatSettings& f_;
};

}  // namespace

std::string FormatDateTime(std::string_view pattern, TDateTime value) {
  return FormatDateTime(pattern, value, DefaultFormatSettings());
}

std::string FormatDateTime(std::string_view pattern, TDateTime value,
                           const TFormatSettings& settings) {
  TDateParts parts;
  if (!TryDecodeDateTime(value, parts)) return std::string();
  std::string out;
  Formatter(parts, settings).Format(pattern, out, 0);
  return out;
}

}  // namespace kiv
