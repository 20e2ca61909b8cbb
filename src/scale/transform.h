// The mapping between scale values and pixel coordinates along a scale's strip: pixel =
// k * value + d, or k * ln(value) + d on a logarithmic scale.
#pragma once

#include "services/types.h"

namespace kiv {

// The control's size, the four margins and the scale type: everything that places the strip.
struct TScaleStrip {
  int Width = 0;
  int Height = 0;
  int MarginLeft = 0;
  int MarginRight = 0;
  int MarginTop = 0;
  int MarginBottom = 0;
  TScaleType ScaleType = sctLabelsAbove;
};

struct TScaleTransform {
  double k = 1;
  double d = 0;
};

// Recomputes k and d so that the low end of the range lands on the first pixel of the strip and
// the high end on the last one (horizontal: low at MarginLeft, high at Width - MarginRight - 1;
// vertical: high at MarginTop, low at Height - MarginBottom - 1). A strip without room gives
// k = 0 and d = Width / 2. Returns false and leaves t alone when there is nothing to compute: equal
// or non-finite range ends, or a logarithmic scale with a non-positive end.
bool AdjustScaleTransform(const TScaleStrip& strip, double low, double high, bool logarithmic,
                          TScaleTransform& t);

// Value to pixel, clamped to +-2147483647 and rounded halves to even. On a logarithmic scale a
// value <= 1e-100 falls off the low end of the axis: column 0 (Width when reversed) on horizontal
// types, row Height (0 when reversed) on vertical types. NaN maps to 2147483647.
int ScaleValueToPixel(const TScaleTransform& t, const TScaleStrip& strip, double low, double high,
                      bool logarithmic, double value);

// Pixel to value, the inverse of the mapping without rounding. A strip without room (k = 0) has
// no inverse; it gives the middle of the range (the geometric middle on a logarithmic scale).
double ScalePixelToValue(const TScaleTransform& t, double low, double high, bool logarithmic,
                         int pixel);

}  // namespace kiv
