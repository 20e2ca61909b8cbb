#include "rchart/chartitem.h"

#include <algorithm>

namespace kiv {

void ClearChartItem(TrcChartItem& item) {
  item = TrcChartItem{};
  item.Color = clBlack;
  item.FillColor = clWhite;
  item.ShadowColor = clGray;
  item.HiLightColor = clWhite;
  item.PenStyle = psSolid;
  item.ItemKind = tkNone;
  item.Layer = 1;
  item.CoordMode = cmAllWorld;
}

namespace {

constexpr char32_t kInvalid = 0xFFFFFFFF;

// Decodes one code point at pos and advances pos. Malformed input (a stray continuation byte, a
// truncated or overlong sequence, a surrogate, a value above U+10FFFF) yields kInvalid and
// consumes exactly one byte, so every byte of the input is accounted for.
char32_t DecodeUtf8(std::string_view s, std::size_t& pos) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char lead = byte(pos);
  if (lead < 0x80) {
    ++pos;
    return lead;
  }
  int extra = 0;
  char32_t cp = 0;
  char32_t min = 0;
  if ((lead & 0xE0) == 0xC0) {
    extra = 1;
    cp = lead & 0x1F;
    min = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2;
    cp = lead & 0x0F;
    min = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3;
    cp = lead & 0x07;
    min = 0x10000;
  } else {
    ++pos;
    return kInvalid;
  }
  if (pos + extra >= s.size()) {  // truncated sequence
    ++pos;
    return kInvalid;
  }
  for (int k = 1; k <= extra; ++k) {
    const unsigned char c = byte(pos + k);
    if ((c & 0xC0) != 0x80) {
      ++pos;
      return kInvalid;
    }
    cp = (cp << 6) | (c & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++pos;
    return kInvalid;
  }
  pos += extra + 1;
  return cp;
}

}  // namespace

int Utf8CharCount(std::string_view utf8) {
  int n = 0;
  for (std::size_t pos = 0; pos < utf8.size();) {
    DecodeUtf8(utf8, pos);
    ++n;
  }
  return n;
}

bool StoreItemText(TItemText& field, std::string_view utf8) {
  field = TItemText{};
  bool exact = true;
  int n = 0;
  std::size_t pos = 0;
  while (pos < utf8.size() && n < TItemText::kMaxChars) {
    const char32_t cp = DecodeUtf8(utf8, pos);
    if (cp <= 0xFF) {
      field.Chars[n] = static_cast<char>(static_cast<unsigned char>(cp));
    } else {
      field.Chars[n] = '?';
      exact = false;
    }
    ++n;
  }
  field.Length = static_cast<std::uint8_t>(n);
  return exact && pos == utf8.size();
}

std::string ItemTextToUtf8(const TItemText& field) {
  const int n = std::min<int>(field.Length, TItemText::kMaxChars);
  std::string out;
  out.reserve(2 * n);
  for (int i = 0; i < n; ++i) {
    const auto c = static_cast<unsigned char>(field.Chars[i]);
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

}  // namespace kiv
