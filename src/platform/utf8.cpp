// UTF-8 decoding for text drawing (declared in font_engine.h).
#include "platform/font_engine.h"

namespace kiv::fontengine {

namespace {
constexpr char32_t kReplacement = 0xFFFD;

bool Continuation(unsigned char c) {
  return (c & 0xC0) == 0x80;
}
}  // namespace

char32_t NextCodePoint(std::string_view utf8, std::size_t& i) {
  const std::size_t n = utf8.size();
  if (i >= n) {
    i = n;  // nothing left to read
    return kReplacement;
  }
  const auto* s = reinterpret_cast<const unsigned char*>(utf8.data());
  const unsigned char c0 = s[i];
  if (c0 < 0x80) {
    ++i;
    return c0;
  }
  // Sequence length and the allowed range of the second byte, which rules out overlong forms,
  // surrogates and values above U+10FFFF in one test.
  int len = 0;
  unsigned char lo = 0x80;
  unsigned char hi = 0xBF;
  char32_t cp = 0;
  if (c0 >= 0xC2 && c0 <= 0xDF) {
    len = 2;
    cp = c0 & 0x1F;
  } else if (c0 >= 0xE0 && c0 <= 0xEF) {
    len = 3;
    cp = c0 & 0x0F;
    if (c0 == 0xE0) lo = 0xA0;
    if (c0 == 0xED) hi = 0x9F;
  } else if (c0 >= 0xF0 && c0 <= 0xF4) {
    len = 4;
    cp = c0 & 0x07;
    if (c0 == 0xF0) lo = 0x90;
    if (c0 == 0xF4) hi = 0x8F;
  } else {
    ++i;
    return kReplacement;
  }
  if (n - i < static_cast<std::size_t>(len) || s[i + 1] < lo || s[i + 1] > hi) {
    ++i;
    return kReplacement;
  }
  for (int k = 1; k < len; ++k) {
    const unsigned char c = s[i + k];
    if (!Continuation(c)) {
      ++i;
      return kReplacement;
    }
    cp = (cp << 6) | (c & 0x3F);
  }
  i += static_cast<std::size_t>(len);
  return cp;
}

}  // namespace kiv::fontengine
