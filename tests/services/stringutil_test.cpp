// Text helpers: number formats for listings and labels, boolean text, reducing and decoding
// names, padding, centring and abbreviating.
#include "services/stringutil.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace kiv {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(SigDigStr, FixedNotationRightAlignedWhenAsked) {
  EXPECT_EQ(SigDigStr(3.14159, 10, 2, true), "      3.14");
  EXPECT_EQ(SigDigStr(3.14159, 10, 2, false), "3.14");
  EXPECT_EQ(SigDigStr(12.5, 10, 5, true), "  12.50000");  // a coordinate in an item listing
  EXPECT_EQ(SigDigStr(-17, 10, 0, true), "       -17");   // a pixel offset
  EXPECT_EQ(SigDigStr(1.5707963, 10, 8, true), "1.57079630");
}

TEST(SigDigStr, EdgeCases) {
  EXPECT_EQ(SigDigStr(123456.789, 4, 2, true), "123456.79");  // never cut
  EXPECT_EQ(SigDigStr(2.5, 1, 0, false), "2");                // halves to even
  EXPECT_EQ(SigDigStr(3.5, 1, 0, false), "4");
  EXPECT_EQ(SigDigStr(-0.000001, 1, 3, false), "0.000");  // no minus sign on a zero
  EXPECT_EQ(SigDigStr(-0.0, 1, 0, false), "0");
  EXPECT_EQ(SigDigStr(1.25, 1, -4, false), "1");  // negative decimals count as none
  EXPECT_EQ(SigDigStr(1.5e20, 1, 5, false), "1.50000E+20");
  EXPECT_EQ(SigDigStr(-1e300, 1, 2, false), "-1.00E+300");
  EXPECT_EQ(SigDigStr(std::nan(""), 5, 2, true), "  NaN");
  EXPECT_EQ(SigDigStr(kInf, 1, 2, true), "Inf");
  EXPECT_EQ(SigDigStr(-kInf, 5, 2, true), " -Inf");
  EXPECT_EQ(SigDigStr(1, std::numeric_limits<int>::max(), 0, true).size(),
            static_cast<std::size_t>(kMaxFieldWidth));
}

TEST(Strff, FixedDecimals) {
  EXPECT_EQ(strff(1.5, 8, 2), "    1.50");
  EXPECT_EQ(strff(0, 1, 2), "0.00");
  EXPECT_EQ(strff(-2.25, 1, 1), "-2.2");  // halves to even
  EXPECT_EQ(strff(1234.5678, 12, 0), "        1235");
}

TEST(Strff, ExponentialWithMinusOne) {
  EXPECT_EQ(strff(2.5e6, 1, -1), "2.5E+06");
  EXPECT_EQ(strff(1e-5, 1, -1), "1E-05");
  EXPECT_EQ(strff(-3.25, 1, -1), "-3.25E+00");
  EXPECT_EQ(strff(0, 1, -1), "0E+00");
}

TEST(Strff, AutomaticWithMinusTwo) {
  EXPECT_EQ(strff(0, 1, -2), "0");
  EXPECT_EQ(strff(-0.0, 1, -2), "0");
  EXPECT_EQ(strff(12.5, 1, -2), "12.5");
  EXPECT_EQ(strff(1234567, 1, -2), "1234567");
  EXPECT_EQ(strff(12345678, 1, -2), "1.234568E+07");
  EXPECT_EQ(strff(2.5e7, 1, -2), "2.5E+07");
  EXPECT_EQ(strff(0.0001234567891, 1, -2), "0.0001234568");
  EXPECT_EQ(strff(1e-5, 1, -2), "1E-05");
  EXPECT_EQ(strff(1.0 / 3, 12, -2), "   0.3333333");  // a box-plot statistics column
  EXPECT_EQ(strff(std::nan(""), 6, -2), "   NaN");
}

TEST(BoolToStr, WordsOrNumbers) {
  EXPECT_EQ(BoolToStr(true), "-1");
  EXPECT_EQ(BoolToStr(false, false), "0");
  EXPECT_EQ(BoolToStr(true, true), "True");
  EXPECT_EQ(BoolToStr(false, true), "False");
}

TEST(ReduceStringToAZ09, KeepsOnlyAsciiLettersAndDigits) {
  EXPECT_EQ(ReduceStringToAZ09("Peak #2: 3.5 mV (\xC3\xA4)"), "Peak235mV");
  EXPECT_EQ(ReduceStringToAZ09(""), "");
  EXPECT_EQ(ReduceStringToAZ09("@[`{/:"), "");  // the neighbours of the ranges
  EXPECT_EQ(ReduceStringToAZ09("AZaz09"), "AZaz09");
}

TEST(ProcessHexChars, DecodesBackslashAndTwoHexDigits) {
  EXPECT_EQ(ProcessHexChars("T [\\B0C]"),
            "T [\xC2\xB0"
            "C]");
  EXPECT_EQ(ProcessHexChars("T [\\b0C]"),
            "T [\xC2\xB0"
            "C]");
  EXPECT_EQ(ProcessHexChars("line 1\\0Aline 2"), "line 1\nline 2");
  EXPECT_EQ(ProcessHexChars("\\41\\42"), "AB");
  EXPECT_EQ(ProcessHexChars("C:\\\\data"), "C:\\data");
}

TEST(ProcessHexChars, KeepsMalformedSequences) {
  EXPECT_EQ(ProcessHexChars("\\"), "\\");
  EXPECT_EQ(ProcessHexChars("end\\4"), "end\\4");
  EXPECT_EQ(ProcessHexChars("\\zz"), "\\zz");
  EXPECT_EQ(ProcessHexChars("\\4g"), "\\4g");
  EXPECT_EQ(ProcessHexChars("\\00"), "\\00");  // no NUL characters in captions
  EXPECT_EQ(ProcessHexChars("plain #41"), "plain #41");
  EXPECT_EQ(ProcessHexChars(""), "");
}

TEST(MultiChar, RepeatsACharacter) {
  EXPECT_EQ(MultiChar('-', 30), std::string(30, '-'));
  EXPECT_EQ(MultiChar('x', 0), "");
  EXPECT_EQ(MultiChar('x', -5), "");
}

TEST(CenterString, PadsBothSidesCountingCharacters) {
  EXPECT_EQ(CenterString("ab", 6), "  ab  ");
  EXPECT_EQ(CenterString("abc", 6), " abc  ");
  EXPECT_EQ(CenterString("abcdefg", 6), "abcdefg");
  EXPECT_EQ(CenterString("", 3), "   ");
  EXPECT_EQ(CenterString("\xC3\xA4"
                         "b",
                         4),
            " \xC3\xA4"
            "b ");  // two characters, three bytes
  EXPECT_EQ(CenterString("x", -2), "x");
}

TEST(AbbrevString, ShortensWithAPeriod) {
  EXPECT_EQ(AbbrevString("Temperature inside", 12), "Temperature.");
  EXPECT_EQ(AbbrevString("Pressure", 12), "Pressure");
  EXPECT_EQ(AbbrevString("exactly12chr", 12), "exactly12chr");
  EXPECT_EQ(AbbrevString("abc", 1), "a");
  EXPECT_EQ(AbbrevString("abc", 0), "");
  EXPECT_EQ(AbbrevString("abc", -1), "");
  // Never cuts a character in half.
  EXPECT_EQ(AbbrevString("\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F", 3), "\xC3\xA4\xC3\xB6.");
  EXPECT_EQ(Utf8Length("\xC3\xA4\xC3\xB6."), 3);
}

TEST(BoxPlotHeading, AbbreviatedAndCentredNamesLineUp) {
  // The statistics listing writes each column name abbreviated and centred in 12 characters.
  for (const char* name : {"x", "Temperature inside",
                           "Druck \xC3\xBC"
                           "ber Grund"}) {
    EXPECT_EQ(Utf8Length(CenterString(AbbrevString(name, 12), 12)), 12) << name;
  }
}

}  // namespace
}  // namespace kiv
