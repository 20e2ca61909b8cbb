#include "scale/labels.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "services/rounding.h"

namespace kiv {

namespace {

std::string Printf(const char* format, int precision, double value) {
  const int n = std::snprintf(nullptr, 0, format, precision, value);
  if (n <= 0) return {};
  std::vector<char> buf(static_cast<std::size_t>(n) + 1);
  std::snprintf(buf.data(), buf.size(), format, precision, value);
  return std::string(buf.data(), static_cast<std::size_t>(n));
}

// The platform's exponential text: mantissa, "E", sign and four exponent digits, then the
// exponent cut to two digits (all "*" when the two removed digits were not both "0").
std::string ExponentialText(double value) {
  if (!std::isfinite(value)) return Printf("%.*f", 0, value);
  const std::string c = Printf("%.*E", 1, value);  // "-2.0E-06", "1.0E+120"
  const std::size_t epos = c.find('E');
  if (epos == std::string::npos || epos + 2 >= c.size()) return c;
  const std::string mantissa = c.substr(0, epos);
  const char sign = c[epos + 1];
  const int exponent = std::atoi(c.c_str() + epos + 2);
  char digits[16];
  std::snprintf(digits, sizeof digits, "%04d", exponent % 10000);
  const bool fits = digits[0] == '0' && digits[1] == '0';
  std::string text = mantissa + 'E' + sign + (digits + 2);
  if (!fits) text.assign(text.size(), '*');
  return text;
}

}  // namespace

int EffectiveDecPlacesLinear(int decPlaces, double low, double high) {
  if (decPlaces != -2 && decPlaces != -3) return decPlaces;
  const double span = std::fabs(high - low);
  if (span >= 1000000 || span <= 0.0001) return -1;
  if (span >= 100) return 0;
  return 2 - RoundToInt(std::log(span) / 2.5);
}

int EffectiveDecPlacesLog(int decPlaces, double lo, double hi) {
  if (decPlaces != -2) return decPlaces;
  const double span = hi - lo;
  if (span >= 1000000 || span <= 0.0001) return -1;
  if (lo >= 1) return 0;
  return 1 - RoundToInt(std::log(std::fabs(lo)) / std::log(10.0));
}

std::string ScaleNumberText(double value, int e) {
  if (e < 0) return ExponentialText(value);
  return Printf("%.*f", e, value);
}

std::string ExtractUserText(std::string_view text, int n) {
  if (n <= 0 || text.empty()) return {};
  std::size_t start = 0;
  for (int piece = 1;; ++piece) {
    const std::size_t bar = text.find('|', start);
    if (piece == n || bar == std::string_view::npos)
      return std::string(
          text.substr(start, bar == std::string_view::npos ? text.npos : bar - start));
    start = bar + 1;
  }
}

std::string AddScaleInscription(std::string_view label, std::string_view inscript) {
  if (label.empty()) return {};
  const std::size_t amp = inscript.find('&');
  if (amp == std::string_view::npos) return std::string(inscript) + std::string(label);
  return std::string(inscript.substr(0, amp)) + std::string(label) +
         std::string(inscript.substr(amp + 1));
}

std::string ElapsedTimeText(double seconds, bool withMilliseconds) {
  const double c = std::fabs(seconds);
  char buf[96];
  const double totalMs = RoundHalfEven(c * 1000.0);
  if (!std::isfinite(c) || totalMs >= 9e18) {
    // Beyond whole milliseconds in 64 bits: split the value itself.
    const double hours = std::trunc(c / 3600);
    const double minutes = std::trunc((c - 3600 * hours) / 60);
    const double secs = std::trunc(c - 3600 * hours - 60 * minutes);
    std::snprintf(buf, sizeof buf, "%c%02.0f:%02.0f:%02.0f%s", seconds < 0 ? '-' : ' ', hours,
                  minutes, secs, withMilliseconds ? ".000" : "");
    return buf;
  }
  const long long ms = static_cast<long long>(totalMs);
  const long long hours = ms / 3600000;
  const long long minutes = ms / 60000 % 60;
  const long long secs = ms / 1000 % 60;
  const char sign = seconds < 0 && ms != 0 ? '-' : ' ';
  if (withMilliseconds)
    std::snprintf(buf, sizeof buf, "%c%02lld:%02lld:%02lld.%03lld", sign, hours, minutes, secs,
                  ms % 1000);
  else
    std::snprintf(buf, sizeof buf, "%c%02lld:%02lld:%02lld", sign, hours, minutes, secs);
  return buf;
}

}  // namespace kiv
