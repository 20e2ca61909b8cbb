#include "platform/scaled_canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "platform/box_filter.h"
#include "platform/fine_canvas.h"
#include "platform/metafile.h"
#include "platform/raster/line_internal.h"

namespace kiv {

namespace {

// Whether a one-pixel pen of the style draws dashes (the rasteriser's patterns).
bool Dashed(TPenStyle style) {
  return raster::PatternOf(style).count > 1;
}

// Pixels a one-pixel line from a to b covers, its end excluded: the steps along the major axis.
long long Steps(TPoint a, TPoint b) {
  return std::max(std::llabs(static_cast<long long>(b.X) - a.X),
                  std::llabs(static_cast<long long>(b.Y) - a.Y));
}

int Sat(long long v) {
  return static_cast<int>(std::clamp<long long>(v, -(1LL << 30), 1LL << 30));
}

}  // namespace

TScaledCanvas::TScaledCanvas(TBitmap& target, int Scale)
    : target_(&target), s_(std::clamp(Scale, 1, 16)) {}

TScaledCanvas::~TScaledCanvas() = default;

TFineCanvas& TScaledCanvas::Fine() {
  if (!fine_) fine_ = std::make_unique<TFineCanvas>(*target_, s_);
  fine_->SetClipRect(Block(ClipRect()));
  return *fine_;
}

// The picture pixels whose blocks reach into the bitmap.
TRect TScaledCanvas::DeviceBounds() const {
  const auto first = [&](long long o) {  // floor(-o / s)
    return static_cast<int>(o > 0 ? -((o + s_ - 1) / s_) : -o / s_);
  };
  const auto end = [&](long long size, long long o) {  // ceil((size - o) / s)
    const long long v = size - o;
    return static_cast<int>(v >= 0 ? (v + s_ - 1) / s_ : -(-v / s_));
  };
  return TRect(first(origin_.X), first(origin_.Y), end(target_->Width(), origin_.X),
               end(target_->Height(), origin_.Y));
}

int TScaledCanvas::BlockX(long long x) const {
  return Sat(s_ * x + origin_.X);
}

int TScaledCanvas::BlockY(long long y) const {
  return Sat(s_ * y + origin_.Y);
}

TRect TScaledCanvas::Block(const TRect& r) const {
  return TRect(BlockX(r.Left), BlockY(r.Top), BlockX(r.Right), BlockY(r.Bottom));
}

TPoint TScaledCanvas::Centre(TPoint p) const {
  const int o = (s_ - 1) / 2;
  return TPoint(BlockX(p.X) + o, BlockY(p.Y) + o);
}

TCanvas& TScaledCanvas::Prepare() {
  TCanvas& t = target_->Canvas();
  t.SetPen(Pen());
  t.Pen().SetWidth(std::max(1, Pen().Width()) * s_);
  t.SetBrush(Brush());
  t.SetCopyMode(CopyMode());
  t.SetPolyFillMode(PolyFillMode());
  t.SetClipRect(has_bitmap_clip_ ? Block(ClipRect()).Intersect(bitmap_clip_) : Block(ClipRect()));
  return t;
}

// Pixels i0..i1 (included) of the n steps of a line from a to b, with the current inner pen:
// step i lies where the picture's line puts it (the minor coordinate rounded, halves up). A
// run along an axis becomes the blocks of its pixels, thickened as pens of widths up to 3 (the
// square ones) thicken it; others go from block centre to block centre with the wide pen.
void TScaledCanvas::Stroke(TCanvas& t, TPoint a, TPoint b, long long i0, long long i1,
                           long long n) {
  const auto at = [&](long long i) {
    if (n == 0) return a;
    const long long dx = static_cast<long long>(b.X) - a.X, dy = static_cast<long long>(b.Y) - a.Y;
    const bool x_major = std::llabs(dx) >= std::llabs(dy);
    const auto minor = [&](long long d) {
      // a + d * i / n rounded to the nearest, halves towards +infinity.
      const long long num = 2 * d * i + n;
      const long long q = num >= 0 ? num / (2 * n) : -((-num + 2 * n - 1) / (2 * n));
      return q;
    };
    return x_major ? TPoint(Sat(a.X + (dx > 0 ? i : -i)), Sat(a.Y + minor(dy)))
                   : TPoint(Sat(a.X + minor(dx)), Sat(a.Y + (dy > 0 ? i : -i)));
  };
  const TPoint p = at(i0), q = at(i1);
  const int w = std::max(1, Pen().Width());
  if ((p.X == q.X || p.Y == q.Y) && w <= 3) {
    const long long lo = (w - 1) / 2, hi = w / 2;
    const TRect r(Sat(std::min(p.X, q.X) - lo), Sat(std::min(p.Y, q.Y) - lo),
                  Sat(std::max(p.X, q.X) + hi + 1LL), Sat(std::max(p.Y, q.Y) + hi + 1LL));
    const TColor brush = t.Brush().Color();
    const TBrushStyle style = t.Brush().Style();
    t.Brush().SetColor(t.Pen().Color());
    t.Brush().SetStyle(bsSolid);
    FillBlocks(t, r, t.Pen().Color(), true);
    t.Brush().SetColor(brush);
    t.Brush().SetStyle(style);
    return;
  }
  const TPoint cp = Centre(p), cq = Centre(q);
  t.MoveTo(cp.X, cp.Y);
  t.LineTo(cq.X, cq.Y);
}

void TScaledCanvas::Segment(TCanvas& t, TPoint a, TPoint b, bool last_included) {
  const long long n = Steps(a, b);
  const bool dashed = Pen().Width() <= 1 && Dashed(Pen().Style());
  // A wide pen covers both ends (and a zero-length wide line nothing); a one-pixel line stops a
  // pixel before its end.
  const long long count = last_included ? (n == 0 && Pen().Width() > 1 ? 0 : n + 1) : n;
  if (count == 0) return;
  if (!dashed) {
    Stroke(t, a, b, 0, count - 1, n);
    return;
  }
  // Dashes: runs of "on" pixels in the pen, the gaps in the brush unless it is clear.
  const raster::DashPattern pattern = raster::PatternOf(Pen().Style());
  const TColor pen = t.Pen().Color();
  for (long long i = 0; i < count;) {
    const bool on = raster::DashOn(pattern, phase_ + i);
    long long j = i + 1;
    while (j < count && raster::DashOn(pattern, phase_ + j) == on) ++j;
    if (on || Brush().Style() != bsClear) {
      t.Pen().SetColor(on ? pen : t.Brush().Color());
      Stroke(t, a, b, i, j - 1, n);
    }
    i = j;
  }
  t.Pen().SetColor(pen);
  phase_ = static_cast<int>((phase_ + count) % pattern.total);
}

void TScaledCanvas::DoLine(TPoint from, TPoint to, bool continues) {
  if (Pen().Style() == psClear) return;
  if (!continues) phase_ = 0;
  TCanvas& t = Prepare();
  Segment(t, from, to, Pen().Width() > 1);
}

void TScaledCanvas::DoPolyline(std::span<const TPoint> points) {
  if (Pen().Style() == psClear || points.empty()) return;
  TCanvas& t = Prepare();
  phase_ = 0;
  // Segment by segment, each vertex the end of one and the start of the next; the last point of
  // a one-pixel line is not drawn.
  for (std::size_t i = 0; i + 1 < points.size(); ++i)
    Segment(t, points[i], points[i + 1], Pen().Width() > 1);
}

void TScaledCanvas::DoPolygon(std::span<const TPoint> points) {
  TCanvas& t = Prepare();
  if (Brush().Style() != bsClear) {
    // The interior at the scaled geometry: pixels whose centres lie inside.
    std::vector<TPoint> corners(points.size());
    for (std::size_t i = 0; i < points.size(); ++i)
      corners[i] = TPoint(BlockX(points[i].X), BlockY(points[i].Y));
    const TPenStyle pen = t.Pen().Style();
    t.Pen().SetStyle(psClear);
    t.Polygon(corners);
    t.Pen().SetStyle(pen);
  }
  if (Pen().Style() == psClear) return;
  std::vector<TPoint> closed(points.begin(), points.end());
  closed.push_back(points[0]);
  phase_ = 0;
  for (std::size_t i = 0; i + 1 < closed.size(); ++i)
    Segment(t, closed[i], closed[i + 1], Pen().Width() > 1);
}

// Fills picture pixels L..R-1, T..B-1 as blocks, with the brush (through a clear-pen rectangle,
// which applies the pen mode to the brush as the figures' interiors do).
void TScaledCanvas::FillBlocks(TCanvas& t, const TRect& r, TColor color, bool pen_mode) {
  if (r.Right <= r.Left || r.Bottom <= r.Top) return;
  const TRect b = Block(r);
  if (!pen_mode) {
    t.Brush().SetColor(color);
    t.FillRect(b);
    return;
  }
  const TPenStyle pen = t.Pen().Style();
  t.Pen().SetStyle(psClear);
  t.Rectangle(b.Left, b.Top, b.Right + 1, b.Bottom + 1);
  t.Pen().SetStyle(pen);
}

void TScaledCanvas::DoRectangle(const TRect& r) {
  if (r.IsEmpty()) return;
  TCanvas& t = Prepare();
  const TPenStyle style = Pen().Style();
  const int w = std::max(1, Pen().Width());
  const bool dashed = w == 1 && Dashed(style);
  if (style == psClear) {
    // The interior alone keeps its place: the right column and bottom row stay unpainted.
    if (Brush().Style() != bsClear)
      FillBlocks(t, TRect(r.Left, r.Top, r.Right - 1, r.Bottom - 1), Brush().Color(), true);
    return;
  }
  if (dashed) {
    if (Brush().Style() != bsClear)
      FillBlocks(t, TRect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1), Brush().Color(), true);
    const TPoint c[5] = {TPoint(r.Left, r.Top), TPoint(r.Right - 1, r.Top),
                         TPoint(r.Right - 1, r.Bottom - 1), TPoint(r.Left, r.Bottom - 1),
                         TPoint(r.Left, r.Top)};
    phase_ = 0;
    for (int i = 0; i < 4; ++i) Segment(t, c[i], c[i + 1], false);
    return;
  }
  // A ring of w pixels centred on the box edge (inside it for psInsideFrame) becomes a ring of
  // w * s pixels inside the scaled box around the same blocks.
  const long long out = style == psInsideFrame ? 0 : (w - 1) / 2;
  t.Pen().SetStyle(psInsideFrame);
  t.Rectangle(BlockX(r.Left - out), BlockY(r.Top - out), BlockX(r.Right + out),
              BlockY(r.Bottom + out));
}

void TScaledCanvas::DoFillRect(const TRect& r) {
  TCanvas& t = Prepare();
  t.FillRect(Block(r));
}

void TScaledCanvas::DoFrameRect(const TRect& r) {
  if (r.IsEmpty()) return;
  TCanvas& t = Prepare();
  t.Brush().SetStyle(bsSolid);
  const TColor c = Brush().Color();
  FillBlocks(t, TRect(r.Left, r.Top, r.Right, r.Top + 1), c, false);
  FillBlocks(t, TRect(r.Left, r.Bottom - 1, r.Right, r.Bottom), c, false);
  FillBlocks(t, TRect(r.Left, r.Top, r.Left + 1, r.Bottom), c, false);
  FillBlocks(t, TRect(r.Right - 1, r.Top, r.Right, r.Bottom), c, false);
}

// The box whose one-pixel outline a pen of width W follows so that it covers the blocks of the
// outline the picture's pen of width w covers along box r (blocks starting at origin).
static TRect OutlineBox(const TRect& r, int s, int w, TPoint origin) {
  const long long W = 1LL * s * w;
  const long long l = 1LL * s * (r.Left - (w - 1) / 2) + (W - 1) / 2 + origin.X;
  const long long t = 1LL * s * (r.Top - (w - 1) / 2) + (W - 1) / 2 + origin.Y;
  const long long rr = 1LL * s * (r.Right + w / 2) - W / 2 + origin.X;
  const long long b = 1LL * s * (r.Bottom + w / 2) - W / 2 + origin.Y;
  return TRect(Sat(l), Sat(t), Sat(std::max(rr, l + 1)), Sat(std::max(b, t + 1)));
}

void TScaledCanvas::DoEllipse(const TRect& r) {
  if (r.IsEmpty()) return;
  TCanvas& t = Prepare();
  if (Pen().Style() == psClear) {
    t.Ellipse(Block(r));
    return;
  }
  // Dash patterns are not carried over to ellipses: their outline is drawn solid.
  t.Pen().SetStyle(psSolid);
  t.Ellipse(OutlineBox(r, s_, std::max(1, Pen().Width()), origin_));
}

void TScaledCanvas::DoArc(const TRect& box, TPoint start, TPoint end) {
  if (box.IsEmpty() || Pen().Style() == psClear) return;
  TCanvas& t = Prepare();
  t.Pen().SetStyle(psSolid);
  const TRect b = OutlineBox(box, s_, std::max(1, Pen().Width()), origin_);
  // Rays in the same directions from the scaled box's centre, through points far out, so that
  // rounding them to pixels does not turn them.
  const auto ray = [&](TPoint p) {
    constexpr double kFar = 4096;
    const double dx = p.X + 0.5 - (box.Left + box.Right) / 2.0;
    const double dy = p.Y + 0.5 - (box.Top + box.Bottom) / 2.0;
    const double len = std::max(std::hypot(dx, dy), 1e-9);
    return TPoint(Sat(std::llround((b.Left + b.Right) / 2.0 + dx / len * kFar * s_ - 0.5)),
                  Sat(std::llround((b.Top + b.Bottom) / 2.0 + dy / len * kFar * s_ - 0.5)));
  };
  const TPoint p = ray(start), q = ray(end);
  t.Arc(b.Left, b.Top, b.Right, b.Bottom, p.X, p.Y, q.X, q.Y);
}

TColor TScaledCanvas::DoGetPixel(int x, int y) const {
  return target_->Canvas().Pixels(BlockX(x), BlockY(y));
}

void TScaledCanvas::DoSetPixel(int x, int y, TColor c) {
  TCanvas& t = Prepare();
  t.Brush().SetStyle(bsSolid);
  FillBlocks(t, TRect(x, y, x + 1, y + 1), c, false);
}

void TScaledCanvas::DoText(int x, int y, std::string_view text, const TRect* clip) {
  TCanvas& t = Prepare();
  // The same size in points at s times the resolution: drawn afresh, not magnified.
  t.Font().Assign(Font());
  t.Font().SetPixelsPerInch(Font().PixelsPerInch() * s_);
  t.SetTextAlign(TA_LEFT | TA_TOP);
  if (clip != nullptr)
    t.TextRect(Block(*clip), BlockX(x), BlockY(y), text);
  else
    t.TextOut(BlockX(x), BlockY(y), text);
}

void TScaledCanvas::DoStretch(const TRect& dest, const TBitmap& source, const TRect& src) {
  TCanvas& t = Prepare();
  TBitmap copy(source);  // CopyRect reads from a canvas
  t.CopyRect(Block(dest), copy.Canvas(), src);
}

void RenderScaled(const TMetafile& picture, int Scale, TBitmap& bitmap) {
  Scale = std::clamp(Scale, 1, 16);
  bitmap.SetSize(0, 0);
  bitmap.SetSize(picture.Width() * Scale, picture.Height() * Scale);
  if (Scale == 1) {
    picture.Replay(bitmap.Canvas());
    return;
  }
  TScaledCanvas canvas(bitmap, Scale);
  picture.Replay(canvas);
}

void RenderSmooth(const TMetafile& picture, int Scale, TBitmap& bitmap) {
  constexpr int kSuper = 4;
  TBitmap large;
  RenderScaled(picture, std::clamp(Scale, 1, 4) * kSuper, large);
  bitmap = ReduceByBoxFilter(large, kSuper);
}

}  // namespace kiv
