#include "paint_util.h"

#include <algorithm>
#include <climits>

namespace kiv::testing {

namespace {

char Symbol(TColor c) {
  switch (c) {
    case clWhite:
      return '.';
    case clBlack:
      return '#';
    case clBlue:
      return 'o';
    case 0xFEFEFE:
      return 'W';
    case clSilver:
      return 's';
    case clGray:
      return 'g';
    case clRed:
      return 'R';
    default:
      return '?';
  }
}

TColor At(const TBitmap& bmp, int x, int y) {
  return PixelToColor(bmp.ScanLine(y)[x]);
}

}  // namespace

std::string Picture(const TBitmap& bmp, TRect area) {
  std::string s;
  for (int y = area.Top; y < area.Bottom; ++y) {
    for (int x = area.Left; x < area.Right; ++x) s += Symbol(At(bmp, x, y));
    s += '\n';
  }
  return s;
}

std::string Picture(const TBitmap& bmp) {
  return Picture(bmp, TRect(0, 0, bmp.Width(), bmp.Height()));
}

TRect InkBounds(const TBitmap& bmp) {
  int l = INT_MAX, t = INT_MAX, r = INT_MIN, b = INT_MIN;
  for (int y = 0; y < bmp.Height(); ++y) {
    for (int x = 0; x < bmp.Width(); ++x) {
      if (At(bmp, x, y) == clWhite) continue;
      l = std::min(l, x);
      t = std::min(t, y);
      r = std::max(r, x + 1);
      b = std::max(b, y + 1);
    }
  }
  return l == INT_MAX ? TRect() : TRect(l, t, r, b);
}

int CountColor(const TBitmap& bmp, TColor color) {
  int n = 0;
  for (int y = 0; y < bmp.Height(); ++y)
    for (int x = 0; x < bmp.Width(); ++x) n += At(bmp, x, y) == color;
  return n;
}

}  // namespace kiv::testing
