#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/font_engine.h"

namespace kiv {
namespace {

using fontengine::NextCodePoint;

std::vector<char32_t> Decode(std::string_view s) {
  std::vector<char32_t> out;
  std::size_t i = 0;
  while (i < s.size()) {
    const std::size_t before = i;
    out.push_back(NextCodePoint(s, i));
    EXPECT_GT(i, before);
    EXPECT_LE(i, s.size());
  }
  return out;
}

using CPs = std::vector<char32_t>;

TEST(Utf8, DecodesValidSequencesOfEveryLength) {
  EXPECT_EQ(Decode("A\x7F"), (CPs{U'A', 0x7F}));
  EXPECT_EQ(Decode("\xC2\xB5\xC2\xB0"), (CPs{0xB5, 0xB0}));              // µ°
  EXPECT_EQ(Decode("\xE2\x82\xAC\xE4\xB8\xAD"), (CPs{0x20AC, 0x4E2D}));  // €中
  EXPECT_EQ(Decode("\xF0\x9F\x98\x80"), (CPs{0x1F600}));
  EXPECT_EQ(Decode("\xF4\x8F\xBF\xBF"), (CPs{0x10FFFF}));
  EXPECT_EQ(Decode("\xEF\xBF\xBD"), (CPs{0xFFFD}));
}

TEST(Utf8, InvalidBytesDecodeAsReplacementOneByteAtATime) {
  // A stray continuation byte, and bytes that never start a sequence.
  EXPECT_EQ(Decode("\x80"
                   "a"),
            (CPs{0xFFFD, U'a'}));
  EXPECT_EQ(Decode("\xC0\xC1\xF5\xFF"), (CPs{0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD}));
  // Overlong forms of '/' and of U+0800.
  EXPECT_EQ(Decode("\xC0\xAF"), (CPs{0xFFFD, 0xFFFD}));
  EXPECT_EQ(Decode("\xE0\x80\xAF"), (CPs{0xFFFD, 0xFFFD, 0xFFFD}));
  EXPECT_EQ(Decode("\xF0\x80\x80\xAF"), (CPs{0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD}));
  // Surrogates and values above U+10FFFF.
  EXPECT_EQ(Decode("\xED\xA0\x80"), (CPs{0xFFFD, 0xFFFD, 0xFFFD}));
  EXPECT_EQ(Decode("\xF4\x90\x80\x80"), (CPs{0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD}));
  // A lead byte followed by a non-continuation byte.
  EXPECT_EQ(Decode("\xE2\x82"
                   "A"),
            (CPs{0xFFFD, 0xFFFD, U'A'}));
}

TEST(Utf8, TruncatedSequencesNeverReadPastTheEnd) {
  // The views end inside a sequence; the bytes after the end must not be looked at.
  const std::string backing = "\xE2\x82\xAC\xF0\x9F\x98\x80";
  EXPECT_EQ(Decode(std::string_view(backing.data(), 2)), (CPs{0xFFFD, 0xFFFD}));
  EXPECT_EQ(Decode(std::string_view(backing.data() + 3, 3)), (CPs{0xFFFD, 0xFFFD, 0xFFFD}));
  EXPECT_EQ(Decode(std::string_view(backing.data(), 1)), (CPs{0xFFFD}));

  std::size_t i = 5;
  EXPECT_EQ(NextCodePoint("abc", i), char32_t{0xFFFD});
  EXPECT_EQ(i, 3u);
}

}  // namespace
}  // namespace kiv
