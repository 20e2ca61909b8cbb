#include "platform/box_filter.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace kiv {

TBitmap ReduceByBoxFilter(const TBitmap& source, int Factor) {
  const int f = std::clamp(Factor, 1, 16);
  const int w = source.Width(), h = source.Height();
  TBitmap out((w + f - 1) / f, (h + f - 1) / f);
  if (out.Empty()) return out;
  // Sums of the blocks of one output row, per channel, gathered row by row of the source.
  std::vector<std::uint32_t> sums(static_cast<std::size_t>(out.Width()) * 3);
  for (int oy = 0; oy < out.Height(); ++oy) {
    std::fill(sums.begin(), sums.end(), 0u);
    const int y0 = oy * f, y1 = std::min(h, y0 + f);
    for (int y = y0; y < y1; ++y) {
      const TPixel* row = source.ScanLine(y);
      for (int x = 0; x < w; ++x) {
        std::uint32_t* s = &sums[static_cast<std::size_t>(x / f) * 3];
        const TPixel p = row[x];
        s[0] += (p >> 16) & 0xFF;
        s[1] += (p >> 8) & 0xFF;
        s[2] += p & 0xFF;
      }
    }
    TPixel* dst = out.ScanLine(oy);
    for (int ox = 0; ox < out.Width(); ++ox) {
      const std::uint32_t n =
          static_cast<std::uint32_t>((std::min(w, (ox + 1) * f) - ox * f) * (y1 - y0));
      const std::uint32_t* s = &sums[static_cast<std::size_t>(ox) * 3];
      const auto mean = [n](std::uint32_t v) { return (v + n / 2) / n; };
      dst[ox] = 0xFF000000u | mean(s[0]) << 16 | mean(s[1]) << 8 | mean(s[2]);
    }
  }
  return out;
}

}  // namespace kiv
