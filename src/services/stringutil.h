// Text helpers of the base services: number formatting for listings and labels, boolean text,
// reducing and decoding names, and padding, centring and abbreviating strings.
#pragma once

#include <string>
#include <string_view>

namespace kiv {

// Field widths beyond this are treated as this (a guard against absurd requests).
inline constexpr int kMaxFieldWidth = 1024;

// The value in fixed notation with Decimals decimals (negative counts as 0, at most 20); with
// LeadingBlanks the text is right-aligned in a field of Width characters, without it there is no
// padding. A text longer than the field is never cut. Special cases: magnitudes of 1e15 and
// above are written in exponential form with Decimals mantissa decimals ("1.50000E+20"), since
// fixed notation would only add meaningless digits; NaN gives "NaN" and infinities "Inf" and
// "-Inf"; a value that rounds to zero never carries a minus sign.
//   SigDigStr(3.14159, 10, 2, true)  == "      3.14"
//   SigDigStr(-2.5, 10, 0, false)    == "-2"            (halves to even)
std::string SigDigStr(double Value, int Width, int Decimals, bool LeadingBlanks);

// The value as text, right-aligned in a field of Width characters (never cut). Precision:
//   0 or more  fixed notation with that many decimals, as SigDigStr (exponential from 1e15 on)
//   -1         exponential notation with up to 7 significant digits, trailing zeros dropped:
//              "2.5E+06", "1E-05", "-3.25E+00"
//   -2 (and below)  automatic: up to 7 significant digits, fixed notation for magnitudes from
//              1e-4 to below 1e7 and exponential otherwise, trailing zeros dropped:
//              "0", "12.5", "0.0001234568", "1234567", "2.5E+07", "1E-05"
// NaN and infinities as in SigDigStr.
std::string strff(double Value, int Width, int Precision);

// The classic conversion: "True"/"False" with UseBoolStrs, otherwise the numbers "-1"/"0" (true
// as all bits set), as item descriptions print a transparency flag.
std::string BoolToStr(bool B, bool UseBoolStrs = false);

// Only the letters A-Z, a-z and the digits 0-9 of S, in their order (every other byte, including
// the bytes of non-ASCII characters, is dropped).
std::string ReduceStringToAZ09(std::string_view S);

// Decodes characters written as a backslash and two hexadecimal digits: "\B0" becomes the
// character U+00B0 (the degree sign, as UTF-8), "\0A" a line feed (which starts a new line in a
// label caption). Two backslashes give one backslash. Everything else is kept as it is: a
// backslash that is not followed by two hex digits (including one at the end), and "\00", which
// would put a NUL character into the text.
// As plain text (not C++ literals):  T [\B0C]  ->  T [°C]      a\\b  ->  a\b      \4  ->  \4
std::string ProcessHexChars(std::string_view S);

// N copies of C; empty for N <= 0.
std::string MultiChar(char C, int N);

// S with blanks on both sides to fill Width characters; an odd blank goes to the right. Lengths
// count UTF-8 characters, not bytes. A text of Width characters or more is returned unchanged.
std::string CenterString(std::string_view S, int Width);

// S shortened to at most N characters (UTF-8 characters, never a part of one): a longer text
// keeps its first N - 1 characters followed by a period, the mark of an abbreviation. N = 1
// keeps the first character only; N <= 0 gives an empty text.
//   AbbrevString("Temperature inside", 12) == "Temperature."
std::string AbbrevString(std::string_view S, int N);

// Number of UTF-8 characters of S (bytes that do not continue a multi-byte sequence).
int Utf8Length(std::string_view S);

}  // namespace kiv
