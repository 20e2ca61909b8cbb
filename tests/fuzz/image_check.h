// Checks shared by the image reader fuzz targets: what every decoded picture must satisfy.
#pragma once

#include <cstdio>
#include <cstdlib>

#include "platform/image_codecs.h"

namespace kiv::fuzz {

inline void Require(bool ok, const char* target, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "%s_fuzz: %s\n", target, what);
    std::abort();
  }
}

inline void CheckImage(const imageio::Image& img, const char* target) {
  Require(img.width > 0 && img.height > 0, target, "a decoded picture without pixels");
  Require(img.width <= imageio::detail::kMaxSide && img.height <= imageio::detail::kMaxSide &&
              static_cast<long long>(img.width) * img.height <= imageio::detail::kMaxPixels,
          target, "a decoded picture beyond the reader limits");
  Require(img.pixels.size() == static_cast<std::size_t>(img.width) * img.height, target,
          "pixel count does not match the size");
  for (const TPixel p : img.pixels)
    Require((p >> 24) == 0xFF, target, "a pixel that is not opaque");
}

inline void CheckSamePixels(const imageio::Image& a, const imageio::Image& b, const char* target) {
  Require(a.width == b.width && a.height == b.height, target, "size changed in a round trip");
  Require(a.pixels == b.pixels, target, "pixels changed in a round trip");
}

}  // namespace kiv::fuzz
