#include "platform/picture_stamp.h"

#include <algorithm>

#include "platform/canvas.h"

namespace kiv {

// Drawn once on white and once on black: a pixel is painted when either picture changed it, and
// both then hold its colour (the drawing does not depend on what was below).
void TPictureStamp::Record(int Radius, const std::function<void(TBitmap&, TPoint)>& draw) {
  runs_.clear();
  const int n = 2 * Radius + 1;
  TBitmap on_white(n, n), on_black(n, n);
  on_black.Canvas().Brush().SetColor(clBlack);
  on_black.Canvas().FillRect(TRect(0, 0, n, n));
  const TPixel white = on_white.ScanLine(0)[0], black = on_black.ScanLine(0)[0];
  draw(on_white, TPoint(Radius, Radius));
  draw(on_black, TPoint(Radius, Radius));
  for (int y = 0; y < n; ++y) {
    const TPixel* w = on_white.ScanLine(y);
    const TPixel* b = on_black.ScanLine(y);
    for (int x = 0; x < n;) {
      const bool painted = w[x] != white || b[x] != black;
      const TPixel c = b[x] != black ? b[x] : w[x];
      int end = x + 1;
      while (end < n && (w[end] != white || b[end] != black) == painted &&
             (b[end] != black ? b[end] : w[end]) == c)
        ++end;
      if (painted) runs_.push_back(Run{y - Radius, x - Radius, end - x, c});
      x = end;
    }
  }
}

void TPictureStamp::Draw(TBitmap& target, const TRect& clip, TPoint at) const {
  const TRect c = clip.Intersect(TRect(0, 0, target.Width(), target.Height()));
  if (c.IsEmpty() || runs_.empty()) return;
  TPixel* const bits = target.Bits();
  const std::ptrdiff_t stride = target.Width();
  for (const Run& r : runs_) {
    const long long y = static_cast<long long>(at.Y) + r.dy;
    if (y < c.Top || y >= c.Bottom) continue;
    const long long x0 = std::max<long long>(static_cast<long long>(at.X) + r.dx, c.Left);
    const long long x1 = std::min<long long>(static_cast<long long>(at.X) + r.dx + r.len, c.Right);
    if (x0 >= x1) continue;
    std::fill(bits + y * stride + x0, bits + y * stride + x1, r.color);
  }
  target.Canvas().NotifyPixelsWritten();
}

}  // namespace kiv
