// Text lines on streams: CR LF line ends, LF-only input, the end flag and round trips.
#include "services/textstream.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace kiv {
namespace {

TEST(TextStream, WritesTheTextAndCrLf) {
  std::ostringstream out;
  WriteLnStream(out, "abc");
  WriteLnStream(out, "");
  EXPECT_EQ(out.str(), "abc\r\n\r\n");
}

TEST(TextStream, AnyTextWithoutALineFeedRoundTrips) {
  const std::vector<std::string> lines = {"plain",
                                          "",
                                          "  leading and trailing blanks  ",
                                          "tab\tseparated",
                                          "ends with a carriage return\r",
                                          "\r",
                                          "\r\r",
                                          "UTF-8: \xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80",
                                          std::string("embedded\0nul", 12),
                                          "last"};
  std::stringstream s;
  for (const auto& l : lines) WriteLnStream(s, l);
  bool eof = true;
  for (const auto& l : lines) {
    EXPECT_EQ(ReadLnStream(s, eof), l);
    EXPECT_FALSE(eof);
  }
  EXPECT_EQ(ReadLnStream(s, eof), "");
  EXPECT_TRUE(eof);
  EXPECT_EQ(ReadLnStream(s, eof), "");  // and stays at the end
  EXPECT_TRUE(eof);
}

TEST(TextStream, ReadsLfAndCrLfLinesAndAnUnterminatedLastLine) {
  std::istringstream in("one\ntwo\r\nthree");
  bool eof = true;
  EXPECT_EQ(ReadLnStream(in, eof), "one");
  EXPECT_FALSE(eof);
  EXPECT_EQ(ReadLnStream(in, eof), "two");
  EXPECT_EQ(ReadLnStream(in, eof), "three");
  EXPECT_FALSE(eof);
  ReadLnStream(in, eof);
  EXPECT_TRUE(eof);
}

TEST(TextStream, AnEmptyOrFailedStreamReportsTheEndAtOnce) {
  std::istringstream empty("");
  bool eof = false;
  EXPECT_EQ(ReadLnStream(empty, eof), "");
  EXPECT_TRUE(eof);

  std::istringstream failed("text\n");
  failed.setstate(std::ios::failbit);
  eof = false;
  EXPECT_EQ(ReadLnStream(failed, eof), "");
  EXPECT_TRUE(eof);
}

TEST(TextStream, AnEmptyLastLineIsStillALine) {
  std::istringstream in("a\n\n");
  bool eof = true;
  EXPECT_EQ(ReadLnStream(in, eof), "a");
  EXPECT_EQ(ReadLnStream(in, eof), "");
  EXPECT_FALSE(eof);
  ReadLnStream(in, eof);
  EXPECT_TRUE(eof);
}

}  // namespace
}  // namespace kiv
