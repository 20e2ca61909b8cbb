// Bitmap transfers: copy, stretch and mirror a source picture onto the target through one of the
// classic three-operand raster operations (source, destination, brush pattern).
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "platform/raster/raster.h"
#include "platform/raster/rop.h"

namespace kiv::raster {

namespace {

// Evaluates a raster operation from its truth table (bits 16..23 of the code): bit index
// (P << 2) | (S << 1) | D of the table gives the result for that combination of bits.
inline TPixel Rop3(std::uint8_t table, TPixel p, TPixel s, TPixel d) {
  TPixel r = 0;
  for (int i = 0; i < 8; ++i) {
    if (!((table >> i) & 1)) continue;
    const TPixel pm = (i & 4) ? p : ~p;
    const TPixel sm = (i & 2) ? s : ~s;
    const TPixel dm = (i & 1) ? d : ~d;
    r |= pm & sm & dm;
  }
  return r;
}

// floor(((2 i + 1) n) / (2 d)) for 0 <= i < d, n >= 1, d >= 1: the source pixel under the centre
// of destination pixel i when d destination pixels show n source pixels. Sizes up to 2^32 make
// the product exceed 64 bits, so large ones take 128-bit arithmetic.
inline long long CentreIndex(long long i, long long n, long long d) {
  constexpr long long kSmall = 1LL << 30;
  if (n < kSmall && d < kSmall) return ((2 * i + 1) * n) / (2 * d);
  __extension__ typedef __int128 Wide;
  return static_cast<long long>(((2 * static_cast<Wide>(i) + 1) * n) / (2 * static_cast<Wide>(d)));
}

template <typename Op>
void ForEachPixel(const Target& t, TRect dest, const Source& src, TRect sr, Op&& op) {
  const long long dw = static_cast<long long>(dest.Right) - dest.Left;
  const long long dh = static_cast<long long>(dest.Bottom) - dest.Top;
  const long long sw = static_cast<long long>(sr.Right) - sr.Left;
  const long long sh = static_cast<long long>(sr.Bottom) - sr.Top;
  if (dw == 0 || dh == 0 || sw == 0 || sh == 0) return;
  const bool mirror_x = (dw < 0) != (sw < 0);
  const bool mirror_y = (dh < 0) != (sh < 0);
  const TRect d = dest.Normalized();
  const TRect s = sr.Normalized();
  const long long adw = std::llabs(dw), adh = std::llabs(dh);
  const long long asw = std::llabs(sw), ash = std::llabs(sh);
  const int x0 = std::max(d.Left, t.clip.Left), x1 = std::min(d.Right, t.clip.Right);
  const int y0 = std::max(d.Top, t.clip.Top), y1 = std::min(d.Bottom, t.clip.Bottom);
  if (x0 >= x1 || y0 >= y1) return;
  // Source column of every destination column: the source pixel under its centre (-1 when that
  // lies outside the source picture).
  std::vector<int> cols(static_cast<std::size_t>(x1 - x0));
  for (int x = x0; x < x1; ++x) {
    long long j = CentreIndex(static_cast<long long>(x) - d.Left, asw, adw);
    if (mirror_x) j = asw - 1 - j;
    const long long sx = s.Left + j;
    cols[static_cast<std::size_t>(x - x0)] = sx >= 0 && sx < src.width ? static_cast<int>(sx) : -1;
  }
  for (int y = y0; y < y1; ++y) {
    long long j = CentreIndex(static_cast<long long>(y) - d.Top, ash, adh);
    if (mirror_y) j = ash - 1 - j;
    const long long sy = s.Top + j;
    if (sy < 0 || sy >= src.height) continue;
    const TPixel* srow = src.pixels + sy * src.stride;
    TPixel* drow = t.Row(y);
    for (int x = x0; x < x1; ++x) {
      const int sx = cols[static_cast<std::size_t>(x - x0)];
      if (sx < 0) continue;
      drow[x] = (op(srow[sx], drow[x]) & kRgbMask) | kOpaque;
    }
  }
}

}  // namespace

void Stretch(const Target& t, TRect dest, const Source& src, TRect src_rect, std::int32_t rop,
             TPixel brush) {
  if (src.pixels == nullptr) return;
  const auto table = static_cast<std::uint8_t>((static_cast<std::uint32_t>(rop) >> 16) & 0xFF);
  // Sizes and offsets in 64 bits: rectangles may reach across the whole int range.
  using L = long long;
  const bool same_size = L{dest.Right} - dest.Left == L{src_rect.Right} - src_rect.Left &&
                         L{dest.Bottom} - dest.Top == L{src_rect.Bottom} - src_rect.Top &&
                         dest.Right > dest.Left && dest.Bottom > dest.Top;
  if (table == 0xCC && same_size) {
    // Straight copy: whole rows at a time. The source pixel of destination (x, y) is
    // (x + ox, y + oy).
    const L ox = L{src_rect.Left} - dest.Left, oy = L{src_rect.Top} - dest.Top;
    const L x0 = std::max({L{dest.Left}, L{t.clip.Left}, -ox});
    const L x1 = std::min({L{dest.Right}, L{t.clip.Right}, src.width - ox});
    const L y0 = std::max({L{dest.Top}, L{t.clip.Top}, -oy});
    const L y1 = std::min({L{dest.Bottom}, L{t.clip.Bottom}, src.height - oy});
    if (x0 >= x1 || y0 >= y1) return;
    for (L y = y0; y < y1; ++y) {
      const TPixel* s = src.pixels + (y + oy) * src.stride + (x0 + ox);
      TPixel* d = t.Row(static_cast<int>(y)) + x0;
      for (L i = 0; i < x1 - x0; ++i) d[i] = s[i] | kOpaque;
    }
    return;
  }
  switch (table) {
    case 0xCC:
      ForEachPixel(t, dest, src, src_rect, [](TPixel s, TPixel) { return s; });
      break;
    case 0x88:
      ForEachPixel(t, dest, src, src_rect, [](TPixel s, TPixel d) { return s & d; });
      break;
    case 0xEE:
      ForEachPixel(t, dest, src, src_rect, [](TPixel s, TPixel d) { return s | d; });
      break;
    case 0x66:
      ForEachPixel(t, dest, src, src_rect, [](TPixel s, TPixel d) { return s ^ d; });
      break;
    default:
      ForEachPixel(t, dest, src, src_rect,
                   [table, brush](TPixel s, TPixel d) { return Rop3(table, brush, s, d); });
  }
}

}  // namespace kiv::raster
