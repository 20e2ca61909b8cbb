// Raster operations: how a source colour combines with a destination pixel. Every pixel write of
// the rasteriser goes through Combine, so lines, fills and figures behave alike in every mode.
// Operations act on the colour bits; the alpha byte of a written pixel is always opaque.
#pragma once

#include <algorithm>

#include "platform/graphics.h"
#include "platform/raster/target.h"

namespace kiv::raster {

inline constexpr TPixel kRgbMask = 0x00FFFFFFu;

template <TPenMode M>
inline TPixel Combine(TPixel d, TPixel p) {
  TPixel r;
  if constexpr (M == pmBlack)
    r = 0;
  else if constexpr (M == pmWhite)
    r = kRgbMask;
  else if constexpr (M == pmNop)
    r = d;
  else if constexpr (M == pmNot)
    r = ~d;
  else if constexpr (M == pmCopy)
    r = p;
  else if constexpr (M == pmNotCopy)
    r = ~p;
  else if constexpr (M == pmMergePenNot)
    r = p | ~d;
  else if constexpr (M == pmMaskPenNot)
    r = p & ~d;
  else if constexpr (M == pmMergeNotPen)
    r = ~p | d;
  else if constexpr (M == pmMaskNotPen)
    r = ~p & d;
  else if constexpr (M == pmMerge)
    r = p | d;
  else if constexpr (M == pmNotMerge)
    r = ~(p | d);
  else if constexpr (M == pmMask)
    r = p & d;
  else if constexpr (M == pmNotMask)
    r = ~(p & d);
  else if constexpr (M == pmXor)
    r = p ^ d;
  else
    r = ~(p ^ d);
  return (r & kRgbMask) | kOpaque;
}

// The result of a mode depends on the destination (so painting a pixel twice is not the same as
// painting it once) for every mode except these.
constexpr bool ModeIgnoresDestination(TPenMode m) {
  return m == pmBlack || m == pmWhite || m == pmCopy || m == pmNotCopy;
}

// Calls f with the mode as a compile-time constant, so that inner loops are specialised.
template <typename F>
inline decltype(auto) WithMode(TPenMode m, F&& f) {
  switch (m) {
    case pmBlack:
      return f(std::integral_constant<TPenMode, pmBlack>{});
    case pmWhite:
      return f(std::integral_constant<TPenMode, pmWhite>{});
    case pmNop:
      return f(std::integral_constant<TPenMode, pmNop>{});
    case pmNot:
      return f(std::integral_constant<TPenMode, pmNot>{});
    case pmNotCopy:
      return f(std::integral_constant<TPenMode, pmNotCopy>{});
    case pmMergePenNot:
      return f(std::integral_constant<TPenMode, pmMergePenNot>{});
    case pmMaskPenNot:
      return f(std::integral_constant<TPenMode, pmMaskPenNot>{});
    case pmMergeNotPen:
      return f(std::integral_constant<TPenMode, pmMergeNotPen>{});
    case pmMaskNotPen:
      return f(std::integral_constant<TPenMode, pmMaskNotPen>{});
    case pmMerge:
      return f(std::integral_constant<TPenMode, pmMerge>{});
    case pmNotMerge:
      return f(std::integral_constant<TPenMode, pmNotMerge>{});
    case pmMask:
      return f(std::integral_constant<TPenMode, pmMask>{});
    case pmNotMask:
      return f(std::integral_constant<TPenMode, pmNotMask>{});
    case pmXor:
      return f(std::integral_constant<TPenMode, pmXor>{});
    case pmNotXor:
      return f(std::integral_constant<TPenMode, pmNotXor>{});
    case pmCopy:
    default:
      return f(std::integral_constant<TPenMode, pmCopy>{});
  }
}

// Paints pixels x0 .. x1-1 of row y, clipped to the target's clip rectangle.
template <TPenMode M>
inline void SpanT(const Target& t, int y, int x0, int x1, TPixel color) {
  if (y < t.clip.Top || y >= t.clip.Bottom) return;
  x0 = std::max(x0, t.clip.Left);
  x1 = std::min(x1, t.clip.Right);
  if (x0 >= x1) return;
  TPixel* row = t.Row(y);
  if constexpr (M == pmCopy) {
    std::fill(row + x0, row + x1, (color & kRgbMask) | kOpaque);
  } else {
    for (int x = x0; x < x1; ++x) row[x] = Combine<M>(row[x], color);
  }
}

inline void Span(const Target& t, int y, int x0, int x1, TPixel color, TPenMode mode) {
  WithMode(mode, [&](auto m) { SpanT<decltype(m)::value>(t, y, x0, x1, color); });
}

}  // namespace kiv::raster
