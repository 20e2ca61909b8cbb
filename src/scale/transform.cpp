#include "scale/transform.h"

#include <cmath>

#include "scale/scale_types.h"
#include "services/rounding.h"

namespace kiv {

namespace {

constexpr double kPixelLimit = 2147483647.0;

}  // namespace

bool AdjustScaleTransform(const TScaleStrip& strip, double low, double high, bool logarithmic,
                          TScaleTransform& t) {
  if (low == high || !std::isfinite(low) || !std::isfinite(high)) return false;
  const bool horizontal = IsHorizontalScale(strip.ScaleType);
  // Computed in 64 bits: margins near the int limits must not overflow.
  const long long n =
      horizontal ? static_cast<long long>(strip.Width) - strip.MarginLeft - strip.MarginRight - 1
                 : static_cast<long long>(strip.Height) - strip.MarginTop - strip.MarginBottom - 1;
  if (n <= 0) {
    t.k = 0;
    t.d = strip.Width / 2.0;
    return true;
  }
  const double len = static_cast<double>(n);
  if (logarithmic) {
    if (!(low > 0 && high > 0)) return false;
    const double lnLow = std::log(low);
    const double lnHigh = std::log(high);
    if (horizontal) {
      t.k = len / (lnHigh - lnLow);
      t.d = strip.MarginLeft - lnLow * t.k;
    } else {
      t.k = len / (lnLow - lnHigh);
      t.d = strip.MarginTop - lnHigh * t.k;
    }
    return true;
  }
  if (horizontal) {
    t.k = len / (high - low);
    t.d = strip.MarginLeft - low * t.k;
  } else {
    t.k = len / (low - high);
    t.d = strip.MarginTop - high * t.k;
  }
  return true;
}

int ScaleValueToPixel(const TScaleTransform& t, const TScaleStrip& strip, double low, double high,
                      bool logarithmic, double value) {
  double p;
  if (!logarithmic) {
    p = t.k * value + t.d;
  } else if (value > 1e-100) {
    p = t.k * std::log(value) + t.d;
  } else if (IsHorizontalScale(strip.ScaleType)) {
    p = low > high ? strip.Width : 0;
  } else {
    // The low end of a vertical scale is at the bottom (at the top when reversed).
    p = low > high ? 0 : strip.Height;
  }
  if (std::isnan(p)) return 2147483647;
  if (p > kPixelLimit) p = kPixelLimit;
  if (p < -kPixelLimit) p = -kPixelLimit;
  return RoundToInt(p);
}

double ScalePixelToValue(const TScaleTransform& t, double low, double high, bool logarithmic,
                         int pixel) {
  if (t.k == 0) return logarithmic ? std::sqrt(low * high) : (low + high) / 2;
  const double v = (pixel - t.d) / t.k;
  return logarithmic ? std::exp(v) : v;
}

}  // namespace kiv
