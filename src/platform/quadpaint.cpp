// TQuadPainter: the polygon rule of the rasteriser specialised to four points. A pixel is
// inside when its position is inside the polygon, points on left and top edges counting as
// inside: each edge crossing a row at y contributes x0 + ceil((y - y0)(x1 - x0) / (y1 - y0)),
// and the interior runs between pairs of sorted crossings.
#include "platform/quadpaint.h"

#include <algorithm>
#include <cstdlib>

#include "platform/bitmap.h"
#include "platform/raster/line_internal.h"

namespace kiv {

namespace {

__extension__ typedef __int128 int128;

// Beyond this, the products of the crossing formula might leave 32 bits.
constexpr int kSmall = 1 << 14;

inline bool Small(TPoint p) {
  return p.X > -kSmall && p.X < kSmall && p.Y > -kSmall && p.Y < kSmall;
}

template <typename I>
inline I CeilDiv(I a, I b) {  // b > 0
  I q = a / b;
  if (a % b != 0 && a > 0) ++q;
  return q;
}

struct QuadEdge {
  int x0, y0, x1, y1;  // y0 < y1
};

template <typename I>
void FillQuad(const raster::Target& t, const TPoint* q, TPixel color) {
  QuadEdge edges[4];
  int n = 0;
  int ymin = q[0].Y, ymax = q[0].Y;
  for (int i = 0; i < 4; ++i) {
    const TPoint a = q[i], b = q[(i + 1) & 3];
    ymin = std::min(ymin, a.Y);
    ymax = std::max(ymax, a.Y);
    if (a.Y < b.Y)
      edges[n++] = {a.X, a.Y, b.X, b.Y};
    else if (a.Y > b.Y)
      edges[n++] = {b.X, b.Y, a.X, a.Y};
  }
  const int y0 = std::max(ymin, t.clip.Top), y1 = std::min(ymax, t.clip.Bottom);
  for (int y = y0; y < y1; ++y) {
    I xs[4];
    int m = 0;
    for (int k = 0; k < n; ++k) {
      const QuadEdge& e = edges[k];
      if (e.y0 > y || e.y1 <= y) continue;
      const I num = (static_cast<I>(y) - e.y0) * (static_cast<I>(e.x1) - e.x0);
      const I x = e.x0 + CeilDiv<I>(num, static_cast<I>(e.y1) - e.y0);
      int j = m++;
      for (; j > 0 && xs[j - 1] > x; --j) xs[j] = xs[j - 1];
      xs[j] = x;
    }
    TPixel* row = t.Row(y);
    for (int k = 0; k + 1 < m; k += 2) {
      const I a = std::max<I>(xs[k], t.clip.Left), b = std::min<I>(xs[k + 1], t.clip.Right);
      if (a < b) std::fill(row + static_cast<int>(a), row + static_cast<int>(b), color);
    }
  }
}

raster::Stroke SolidStroke(TPixel color) {
  raster::Stroke s;
  s.color = color;
  return s;
}

}  // namespace

bool TQuadPainter::Prepare(TCanvas& Canvas) {
  canvas_ = nullptr;
  TBitmap* bmp = Canvas.RasterBitmap();
  if (bmp == nullptr) return false;
  const TPen& pen = Canvas.Pen();
  const TPenStyle ps = pen.Style();
  if (pen.Mode() != pmCopy || pen.Width() > 1 ||
      (ps != psSolid && ps != psInsideFrame && ps != psClear) || Canvas.Brush().Style() != bsSolid)
    return false;
  canvas_ = &Canvas;
  outline_ = ps != psClear;
  target_.pixels = bmp->Bits();
  target_.width = bmp->Width();
  target_.height = bmp->Height();
  target_.stride = bmp->Width();
  target_.clip = Canvas.ClipRect().Intersect(TRect(0, 0, target_.width, target_.height));
  return true;
}

void TQuadPainter::Quad(const TPoint* q, TPixel Fill, TPixel Pen) {
  if (Small(q[0]) && Small(q[1]) && Small(q[2]) && Small(q[3]))
    FillQuad<int>(target_, q, Fill);
  else
    FillQuad<int128>(target_, q, Fill);
  if (!outline_) return;
  const raster::Stroke s = SolidStroke(Pen);
  for (int i = 0; i < 4; ++i) raster::ThinLine(target_, q[i], q[(i + 1) & 3], s, 0, false);
}

void TQuadPainter::Line(TPoint a, TPoint b, TPixel Pen) {
  if (outline_) raster::ThinLine(target_, a, b, SolidStroke(Pen), 0, false);
}

void TQuadPainter::Pixel(TPoint p, TPixel c) {
  if (target_.Visible(p.X, p.Y)) target_.Row(p.Y)[p.X] = c;
}

void TQuadPainter::Finish() {
  if (canvas_) canvas_->NotifyPixelsWritten();
}

}  // namespace kiv
