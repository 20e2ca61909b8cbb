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
  // Source column of every destination column: the source pixel under its centre.
  std::vector<int> cols(static_cast<std::size_t>(x1 - x0));
  for (int x = x0; x < x1; ++x) {
    long long j = ((2LL * (x - d.Left) + 1) * asw) / (2 * adw);
    if (mirror_x) j = asw - 1 - j;
    cols[static_cast<std::size_t>(x - x0)] = static_cast<int>(s.Left + j);
  }
  for (int y = y0; y < y1; ++y) {
    long long j = ((2LL * (y - d.Top) + 1) * ash) / (2 * adh);
    if (mirror_y) j = ash - 1 - j;
    const long long sy = s.Top + j;
    if (sy < 0 || sy >= src.height) continue;
    const TPixel* srow = src.pixels + sy * src.stride;
    TPixel* drow = t.Row(y);
    for (int x = x0; x < x1; ++x) {
      const int sx = cols[static_cast<std::size_t>(x - x0)];
      if (sx < 0 || sx >= src.width) continue;
      drow[x] = (op(srow[sx], drow[x]) & kRgbMask) | kOpaque;
    }
  }
}

}  // namespace

void Stretch(const Target& t, TRect dest, const Source& src, TRect src_rect, std::int32_t rop,
             TPixel brush) {
  if (src.pixels == nullptr) return;
  const auto table = static_cast<std::uint8_t>((static_cast<std::uint32_t>(rop) >> 16) & 0xFF);
  const bool same_size = dest.Right - dest.Left == src_rect.Right - src_rect.Left &&
                         dest.Bottom - dest.Top == src_rect.Bottom - src_rect.Top &&
                         dest.Right > dest.Left && dest.Bottom > dest.Top;
  if (table == 0xCC && same_size) {
    // Straight copy: whole rows at a time.
    const int x0 = std::max({dest.Left, t.clip.Left, dest.Left - src_rect.Left});
    const int x1 = std::min({dest.Right, t.clip.Right, dest.Left + (src.width - src_rect.Left)});
    const int y0 = std::max({dest.Top, t.clip.Top, dest.Top - src_rect.Top});
    const int y1 = std::min({dest.Bottom, t.clip.Bottom, dest.Top + (src.height - src_rect.Top)});
    if (x0 >= x1 || y0 >= y1) return;
    for (int y = y0; y < y1; ++y) {
      const TPixel* s = src.pixels +
                        static_cast<std::ptrdiff_t>(y - dest.Top + src_rect.Top) * src.stride +
                        (x0 - dest.Left + src_rect.Left);
      TPixel* d = t.Row(y) + x0;
      for (int i = 0; i < x1 - x0; ++i) d[i] = s[i] | kOpaque;
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
