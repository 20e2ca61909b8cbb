// Coverage blending of text: mixes a colour into a pixel by an 8-bit coverage value, exactly
// rounded, two channels at a time.
#pragma once

#include <cstdint>

#include "platform/color.h"

namespace kiv::raster {

// Per channel dst + (src - dst) * a / 255, rounded to nearest; the result is opaque. Equal to
// round((dst * (255 - a) + src * a) / 255), which stays non-negative and fits 16 bits per lane,
// so red and blue share one 32-bit multiply and green rides in another.
inline TPixel BlendCoverage(TPixel dst, TPixel src, unsigned a) {
  const unsigned ia = 255 - a;
  std::uint32_t rb = (dst & 0x00FF00FFu) * ia + (src & 0x00FF00FFu) * a + 0x00800080u;
  rb = ((rb + ((rb >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
  std::uint32_t g = ((dst >> 8) & 0xFFu) * ia + ((src >> 8) & 0xFFu) * a + 0x80u;
  g = ((g + (g >> 8)) >> 8) & 0xFFu;
  return kOpaque | rb | (g << 8);
}

}  // namespace kiv::raster
