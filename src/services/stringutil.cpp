#include "services/stringutil.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kiv {

namespace {

constexpr int kMaxDecimals = 20;
constexpr double kExponentialFrom = 1e15;

std::string PadLeft(std::string s, int width) {
  width = std::min(width, kMaxFieldWidth);
  const int n = static_cast<int>(s.size());
  if (width > n) s.insert(0, static_cast<std::size_t>(width - n), ' ');
  return s;
}

// "NaN", "Inf", "-Inf", or an empty text for finite values.
std::string SpecialText(double v) {
  if (std::isnan(v)) return "NaN";
  if (std::isinf(v)) return v < 0 ? "-Inf" : "Inf";
  return {};
}

// Drops the minus sign of a text whose digits are all zero ("-0.000" after rounding).
std::string Unsigned0(std::string s) {
  if (s.empty() || s[0] != '-') return s;
  const std::size_t mantissa_end = std::min(s.find_first_of("eE"), s.size());
  const bool all_zero = std::all_of(s.begin() + 1, s.begin() + static_cast<long>(mantissa_end),
                                    [](char c) { return c == '0' || c == '.'; });
  if (all_zero) s.erase(0, 1);
  return s;
}

std::string Format(const char* pattern, int digits, double v) {
  char buf[64];
  const int n = std::snprintf(buf, sizeof buf, pattern, digits, v);
  if (n < 0) return {};
  return Unsigned0(std::string(buf, static_cast<std::size_t>(std::min<int>(n, sizeof buf - 1))));
}

// Fixed notation, or the exponential form for magnitudes where fixed digits mean nothing.
std::string FixedText(double v, int decimals) {
  decimals = std::clamp(decimals, 0, kMaxDecimals);
  if (std::fabs(v) >= kExponentialFrom) return Format("%.*E", decimals, v);
  return Format("%.*f", decimals, v);
}

// Removes trailing zeros of the mantissa ("2.500000E+06" -> "2.5E+06", "1.000000E-05" ->
// "1E-05").
std::string TrimMantissa(std::string s) {
  const std::size_t e = s.find('E');
  const std::size_t dot = s.find('.');
  if (dot == std::string::npos || (e != std::string::npos && dot > e)) return s;
  std::size_t end = e == std::string::npos ? s.size() : e;
  std::size_t cut = end;
  while (cut > dot + 1 && s[cut - 1] == '0') --cut;
  if (cut == dot + 1) cut = dot;
  s.erase(cut, end - cut);
  return s;
}

}  // namespace

std::string SigDigStr(double Value, int Width, int Decimals, bool LeadingBlanks) {
  std::string s = SpecialText(Value);
  if (s.empty()) s = FixedText(Value, Decimals);
  return LeadingBlanks ? PadLeft(std::move(s), Width) : s;
}

std::string strff(double Value, int Width, int Precision) {
  std::string s = SpecialText(Value);
  if (s.empty()) {
    if (Precision >= 0)
      s = FixedText(Value, Precision);
    else if (Precision == -1)
      s = TrimMantissa(Format("%.*E", 6, Value));
    else
      s = Format("%.*G", 7, Value);  // %G drops trailing zeros itself
  }
  return PadLeft(std::move(s), Width);
}

std::string BoolToStr(bool B, bool UseBoolStrs) {
  if (UseBoolStrs) return B ? "True" : "False";
  return B ? "-1" : "0";
}

std::string ReduceStringToAZ09(std::string_view S) {
  std::string out;
  out.reserve(S.size());
  for (char c : S) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
      out.push_back(c);
    }
  }
  return out;
}

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

void AppendLatin1AsUtf8(std::string& out, int code) {
  if (code < 0x80) {
    out.push_back(static_cast<char>(code));
  } else {
    out.push_back(static_cast<char>(0xC0 | (code >> 6)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

// Byte offset of the start of character number n (0-based) of S, or S.size().
std::size_t Utf8Offset(std::string_view s, int n) {
  std::size_t i = 0;
  int count = 0;
  for (; i < s.size(); ++i) {
    if ((static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) continue;
    if (count == n) return i;
    ++count;
  }
  return s.size();
}

}  // namespace

std::string ProcessHexChars(std::string_view S) {
  std::string out;
  out.reserve(S.size());
  for (std::size_t i = 0; i < S.size(); ++i) {
    const char c = S[i];
    if (c != '\\') {
      out.push_back(c);
      continue;
    }
    if (i + 1 < S.size() && S[i + 1] == '\\') {
      out.push_back('\\');
      ++i;
      continue;
    }
    if (i + 2 < S.size()) {
      const int hi = HexValue(S[i + 1]);
      const int lo = HexValue(S[i + 2]);
      const int code = hi * 16 + lo;
      if (hi >= 0 && lo >= 0 && code != 0) {
        AppendLatin1AsUtf8(out, code);
        i += 2;
        continue;
      }
    }
    out.push_back(c);
  }
  return out;
}

std::string MultiChar(char C, int N) {
  return N > 0 ? std::string(static_cast<std::size_t>(N), C) : std::string();
}

int Utf8Length(std::string_view S) {
  int n = 0;
  for (char c : S) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
  }
  return n;
}

std::string CenterString(std::string_view S, int Width) {
  const int len = Utf8Length(S);
  if (len >= Width) return std::string(S);
  const int left = (Width - len) / 2;
  const int right = Width - len - left;
  std::string out = MultiChar(' ', left);
  out.append(S);
  out.append(MultiChar(' ', right));
  return out;
}

std::string AbbrevString(std::string_view S, int N) {
  if (N <= 0) return {};
  if (Utf8Length(S) <= N) return std::string(S);
  if (N == 1) return std::string(S.substr(0, Utf8Offset(S, 1)));
  std::string out(S.substr(0, Utf8Offset(S, N - 1)));
  out.push_back('.');
  return out;
}

}  // namespace kiv
