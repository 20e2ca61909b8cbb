#include "scale/placement.h"

#include <algorithm>
#include <climits>

namespace kiv {

namespace {

// Tick pixels may lie anywhere in the int range; the arithmetic runs in 64 bits.
int ToInt(long long v) {
  return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

}  // namespace

int HorizontalLabelLeft(int x, int w, int controlWidth) {
  const long long half = w / 2;
  const long long lx = x;
  if (lx + half < static_cast<long long>(controlWidth) - 2)
    return ToInt(lx - std::min(half, lx - 2));
  return ToInt(static_cast<long long>(controlWidth) - 2 * half - 2);
}

int HorizontalLabelTop(TScaleType type, int y, int h) {
  if (type == sctLabelsBelow) return ToInt(static_cast<long long>(y) + 7);
  return ToInt(static_cast<long long>(y) - 7 - h);
}

int VerticalLabelLeft(TScaleType type, int x, int w) {
  if (type == sctLabelsRight) return ToInt(static_cast<long long>(x) + 8);
  return ToInt(static_cast<long long>(x) - w - 8);
}

int VerticalLabelTop(int y, int refHeight) {
  return ToInt(static_cast<long long>(y) - refHeight / 2);
}

int CaptionLeft(TAlignment align, int x, int w) {
  switch (align) {
    case taLeftJustify:
      return x;
    case taRightJustify:
      return ToInt(static_cast<long long>(x) - w);
    default:
      return ToInt(static_cast<long long>(x) - w / 2);
  }
}

}  // namespace kiv
