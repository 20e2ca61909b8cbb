#include "platform/box_filter.h"

#include <algorithm>
#include <cstdint>
#include <vector>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace kiv {

namespace {

// The whole 4 x 4 blocks of output row oy (columns 0 .. n - 1): the smooth pictures' case. Each
// channel's sum of 16 values fits 16 bits; the rounded mean is (sum + 8) / 16.
void ReduceRowBy4(const TBitmap& source, int oy, int n, TPixel* dst) {
  const TPixel* rows[4];
  for (int k = 0; k < 4; ++k) rows[k] = source.ScanLine(4 * oy + k);
#ifdef __SSE2__
  const __m128i zero = _mm_setzero_si128(), half = _mm_set1_epi16(8);
  for (int ox = 0; ox < n; ++ox) {
    __m128i lo = zero, hi = zero;  // 16-bit channel sums of pixels 0, 1 and 2, 3 of the block
    for (int k = 0; k < 4; ++k) {
      const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[k] + 4 * ox));
      lo = _mm_add_epi16(lo, _mm_unpacklo_epi8(p, zero));
      hi = _mm_add_epi16(hi, _mm_unpackhi_epi8(p, zero));
    }
    __m128i sum = _mm_add_epi16(lo, hi);
    sum = _mm_add_epi16(sum, _mm_srli_si128(sum, 8));  // the block's four channel sums
    const __m128i mean = _mm_srli_epi16(_mm_add_epi16(sum, half), 4);
    const auto v = static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(mean, zero)));
    dst[ox] = 0xFF000000u | (v & 0xFFFFFFu);
  }
#else
  for (int ox = 0; ox < n; ++ox) {
    std::uint32_t rb = 0, g = 0;  // red and blue in 16-bit lanes, green in the low lane
    for (int k = 0; k < 4; ++k)
      for (int c = 0; c < 4; ++c) {
        const TPixel p = rows[k][4 * ox + c];
        rb += p & 0x00FF00FFu;
        g += (p >> 8) & 0xFFu;
      }
    const std::uint32_t r = ((rb >> 16) + 8) >> 4, b = ((rb & 0xFFFFu) + 8) >> 4;
    dst[ox] = 0xFF000000u | r << 16 | ((g + 8) >> 4) << 8 | b;
  }
#endif
}

}  // namespace

TBitmap ReduceByBoxFilter(const TBitmap& source, int Factor) {
  const int f = std::clamp(Factor, 1, 16);
  const int w = source.Width(), h = source.Height();
  TBitmap out((w + f - 1) / f, (h + f - 1) / f);
  if (out.Empty()) return out;
  // Sums of the blocks of one output row, per channel, gathered row by row of the source.
  std::vector<std::uint32_t> sums(static_cast<std::size_t>(out.Width()) * 3);
  for (int oy = 0; oy < out.Height(); ++oy) {
    const int y0 = oy * f, y1 = std::min(h, y0 + f);
    TPixel* dst = out.ScanLine(oy);
    int first = 0;  // the first output column the general loop below computes
    if (f == 4 && y1 - y0 == 4) {
      first = w / 4;
      ReduceRowBy4(source, oy, first, dst);
      if (first == out.Width()) continue;
    }
    std::fill(sums.begin(), sums.end(), 0u);
    for (int y = y0; y < y1; ++y) {
      const TPixel* row = source.ScanLine(y);
      for (int x = first * f; x < w; ++x) {
        std::uint32_t* s = &sums[static_cast<std::size_t>(x / f) * 3];
        const TPixel p = row[x];
        s[0] += (p >> 16) & 0xFF;
        s[1] += (p >> 8) & 0xFF;
        s[2] += p & 0xFF;
      }
    }
    for (int ox = first; ox < out.Width(); ++ox) {
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
