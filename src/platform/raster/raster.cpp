// Placeholder: the rasteriser is being written.
#include "platform/raster/raster.h"

namespace kiv::raster {

void Line(const Target&, TPoint, TPoint, const Stroke&, int&) {}
void Polyline(const Target&, std::span<const TPoint>, const Stroke&, int&, bool) {}
void Polygon(const Target&, std::span<const TPoint>, const Stroke&, const Fill&, bool) {}
void Rectangle(const Target&, TRect, const Stroke&, const Fill&) {}
void Ellipse(const Target&, TRect, const Stroke&, const Fill&) {}
void Arc(const Target&, TRect, TPoint, TPoint, const Stroke&) {}
void FillRect(const Target&, TRect, const Fill&) {}
void SetPixel(const Target&, int, int, TPixel, TPenMode) {}
void Stretch(const Target&, TRect, const Source&, TRect, std::int32_t, TPixel) {}

}  // namespace kiv::raster
