#include "pixel_util.h"

#include <climits>
#include <cstdio>

namespace kiv::testing {

TBitmap WhiteBitmap(int width, int height) {
  return TBitmap(width, height);
}

namespace {
char Symbol(TPixel p) {
  switch (p & 0xFFFFFF) {
    case 0xFFFFFF:
      return '.';
    case 0x000000:
      return '#';
    case 0xFF0000:
      return 'R';
    case 0x00FF00:
      return 'G';
    case 0x0000FF:
      return 'B';
    default:
      return '?';
  }
}
}  // namespace

std::string Picture(const TBitmap& bmp, TRect area) {
  std::string s;
  for (int y = area.Top; y < area.Bottom; ++y) {
    for (int x = area.Left; x < area.Right; ++x) s += Symbol(bmp.ScanLine(y)[x]);
    s += '\n';
  }
  return s;
}

std::string Picture(const TBitmap& bmp) {
  return Picture(bmp, TRect(0, 0, bmp.Width(), bmp.Height()));
}

int CountColor(const TBitmap& bmp, TColor color) {
  return CountColor(bmp, color, TRect(0, 0, bmp.Width(), bmp.Height()));
}

int CountColor(const TBitmap& bmp, TColor color, TRect area) {
  const TPixel want = RGBToPixel(color) & 0xFFFFFF;
  int n = 0;
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x) n += (bmp.ScanLine(y)[x] & 0xFFFFFF) == want;
  return n;
}

TRect InkBounds(const TBitmap& bmp) {
  int l = INT_MAX, t = INT_MAX, r = INT_MIN, b = INT_MIN;
  for (int y = 0; y < bmp.Height(); ++y)
    for (int x = 0; x < bmp.Width(); ++x)
      if ((bmp.ScanLine(y)[x] & 0xFFFFFF) != 0xFFFFFF) {
        l = std::min(l, x);
        t = std::min(t, y);
        r = std::max(r, x + 1);
        b = std::max(b, y + 1);
      }
  if (l == INT_MAX) return TRect();
  return TRect(l, t, r, b);
}

::testing::AssertionResult SamePixels(const TBitmap& expected, const TBitmap& actual) {
  if (expected.Width() != actual.Width() || expected.Height() != actual.Height())
    return ::testing::AssertionFailure()
           << "size " << actual.Width() << "x" << actual.Height() << ", expected "
           << expected.Width() << "x" << expected.Height();
  for (int y = 0; y < expected.Height(); ++y)
    for (int x = 0; x < expected.Width(); ++x) {
      const TPixel e = expected.ScanLine(y)[x], a = actual.ScanLine(y)[x];
      if (e != a) {
        char buf[96];
        std::snprintf(buf, sizeof buf, "first difference at (%d, %d): %08X, expected %08X", x, y, a,
                      e);
        return ::testing::AssertionFailure() << buf;
      }
    }
  return ::testing::AssertionSuccess();
}

}  // namespace kiv::testing
