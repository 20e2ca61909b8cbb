// The destination of the rasteriser: 32-bit pixel rows and the clip rectangle every primitive
// is clipped against. Everything below the canvas writes pixels through this.
#pragma once

#include <cstddef>

#include "platform/color.h"
#include "platform/types.h"

namespace kiv::raster {

struct Target {
  TPixel* pixels = nullptr;
  int width = 0;
  int height = 0;
  std::ptrdiff_t stride = 0;  // pixels from one row to the next
  TRect clip;                 // always inside (0, 0, width, height)

  TPixel* Row(int y) const { return pixels + static_cast<std::ptrdiff_t>(y) * stride; }
  bool Visible(int x, int y) const { return clip.Contains(x, y); }
};

}  // namespace kiv::raster
