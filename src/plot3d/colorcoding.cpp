// Colour coding of the surface plot.
#include "plot3d/colorcoding.h"

#include <cmath>

#include "services/rounding.h"

namespace kiv::plot3d {

TColorCoder::Rgb TColorCoder::Split(TColor c) {
  const TColor rgb = ColorToRGB(c);
  return {static_cast<double>(rgb & 0xFF), static_cast<double>((rgb >> 8) & 0xFF),
          static_cast<double>((rgb >> 16) & 0xFF)};
}

TColorCoder::TColorCoder(const TColorCodingSettings& s)
    : s_(s), low_(Split(s.Low)), mid_(Split(s.Mid)), high_(Split(s.High)) {}

TColor TColorCoder::operator()(double v) const {
  const double lo = s_.ScaleLow, hi = s_.ScaleHigh;
  if (!(v >= lo)) v = lo;  // NaN too
  if (v > hi) v = hi;
  const double f = (v - lo) / (hi - lo);
  auto mix = [](const Rgb& a, const Rgb& b, double t) {
    return RGB(RoundToInt(a.r + t * (b.r - a.r)), RoundToInt(a.g + t * (b.g - a.g)),
               RoundToInt(a.b + t * (b.b - a.b)));
  };
  switch (s_.Mode) {
    case ccmTwoColors:
      return mix(low_, high_, f);
    case ccmThreeColors:
      return f < 0.5 ? mix(low_, mid_, 2 * f) : mix(mid_, high_, 2 * (f - 0.5));
    case ccmColorArray: {
      if (s_.Table == nullptr) return clBlack;
      return s_.Table->GetColorElem(RoundToInt(f * s_.Table->Size()));
    }
  }
  return clBlack;
}

}  // namespace kiv::plot3d
