#include "platform/fine_canvas.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "platform/raster/line_internal.h"
#include "platform/scaled_canvas.h"

namespace kiv {

namespace {

int Sat(long long v) {
  return static_cast<int>(std::clamp<long long>(v, -(1LL << 30), 1LL << 30));
}

long long FloorDiv(long long a, long long b) {
  return a >= 0 ? a / b : -((-a + b - 1) / b);
}

TPoint Moved(TPoint p, long long d) {
  return TPoint(Sat(p.X + d), Sat(p.Y + d));
}

}  // namespace

TFineCanvas::TFineCanvas(TBitmap& target, int Scale)
    : target_(&target), s_(std::clamp(Scale, 1, 16)) {
  SetPixelsPerInch(PixelsPerInch() * s_);
  Font().SetPixelsPerInch(Font().PixelsPerInch() * s_);
}

TFineCanvas::~TFineCanvas() = default;

void TFineCanvas::AssignFont(const TFont& font) {
  Font().Assign(font);
  Font().SetPixelsPerInch(font.PixelsPerInch() * s_);
}

TCanvas& TFineCanvas::PictureAt(TPoint centre) {
  if (!picture_) picture_ = std::make_unique<TScaledCanvas>(*target_, s_);
  picture_->SetOrigin(TPoint(Sat(1LL * centre.X - Offset()), Sat(1LL * centre.Y - Offset())));
  picture_->SetBitmapClip(ClipRect());
  picture_->SetPen(Pen());
  picture_->SetBrush(Brush());
  picture_->SetCopyMode(CopyMode());
  picture_->SetPolyFillMode(PolyFillMode());
  return *picture_;
}

void TFineCanvas::DrawPictureAt(TPoint centre, int Key, int Radius,
                                const std::function<void(TCanvas&)>& draw) {
  const long long fine_radius = (Radius + 1LL) * s_;
  if (Pen().Mode() != pmCopy || (Brush().Style() != bsSolid && Brush().Style() != bsClear) ||
      Radius < 0 || fine_radius > 512) {
    draw(PictureAt(centre));
    return;
  }
  const auto same = [&](const Stamp& st) {
    return st.key == Key && st.radius == Radius && st.pen == Pen().Color() &&
           st.brush == Brush().Color() && st.width == Pen().Width() &&
           st.pen_style == Pen().Style() && st.brush_style == Brush().Style();
  };
  auto it = std::find_if(stamps_.begin(), stamps_.end(), same);
  if (it == stamps_.end()) {
    if (stamps_.size() >= 64) stamps_.clear();
    Stamp st{Key,           Radius,        Pen().Color(),   Brush().Color(),
             Pen().Width(), Pen().Style(), Brush().Style(), {}};
    st.stamp.Record(static_cast<int>(fine_radius), [&](TBitmap& b, TPoint c) {
      TFineCanvas scratch(b, s_);
      scratch.SetPen(Pen());
      scratch.SetBrush(Brush());
      draw(scratch.PictureAt(c));
    });
    stamps_.push_back(std::move(st));
    it = stamps_.end() - 1;
  }
  it->stamp.Draw(*target_, ClipRect(), centre);
}

TRect TFineCanvas::DeviceBounds() const {
  return TRect(0, 0, target_->Width(), target_->Height());
}

int TFineCanvas::PenWidth() const {
  return std::max(1, Pen().Width());
}

bool TFineCanvas::Dashed() const {
  return PenWidth() == 1 && raster::PatternOf(Pen().Style()).count > 1;
}

int TFineCanvas::Lean() const {
  const int w = PenWidth();
  return (w * s_ - 1) / 2 - s_ * ((w - 1) / 2) - Offset();
}

bool TFineCanvas::OnGrid(TPoint p) const {
  return FloorDiv(1LL * p.X - Offset(), s_) * s_ == 1LL * p.X - Offset() &&
         FloorDiv(1LL * p.Y - Offset(), s_) * s_ == 1LL * p.Y - Offset();
}

TCanvas& TFineCanvas::Prepare() {
  TCanvas& t = target_->Canvas();
  t.SetPen(Pen());
  t.Pen().SetWidth(PenWidth() * s_);
  t.SetBrush(Brush());
  t.SetCopyMode(CopyMode());
  t.SetPolyFillMode(PolyFillMode());
  t.SetClipRect(ClipRect());
  return t;
}

// A clear-pen rectangle paints its interior with the pen mode; one pixel larger each way it
// covers exactly r.
void TFineCanvas::Fill(TCanvas& t, const TRect& r, TColor c) {
  if (r.Right <= r.Left || r.Bottom <= r.Top) return;
  const TPenStyle pen = t.Pen().Style();
  const TColor brush = t.Brush().Color();
  const TBrushStyle style = t.Brush().Style();
  t.Pen().SetStyle(psClear);
  t.Brush().SetColor(c);
  t.Brush().SetStyle(bsSolid);
  t.Rectangle(r.Left, r.Top, Sat(r.Right + 1LL), Sat(r.Bottom + 1LL));
  t.Pen().SetStyle(pen);
  t.Brush().SetColor(brush);
  t.Brush().SetStyle(style);
}

// Picture steps i of the line from a to b, the end included for wide pens, as blocks thickened
// the way square pens of widths up to 3 thicken an axis-parallel line.
void TFineCanvas::BlockLine(TCanvas& t, TPoint a, TPoint b) {
  const int w = PenWidth();
  const long long dx = static_cast<long long>(b.X) - a.X, dy = static_cast<long long>(b.Y) - a.Y;
  const long long n = std::max(std::llabs(dx), std::llabs(dy));
  const long long count = w > 1 ? (n == 0 ? 0 : n + 1) : n;
  if (count == 0) return;
  const long long ux = dx > 0 ? 1 : dx < 0 ? -1 : 0, uy = dy > 0 ? 1 : dy < 0 ? -1 : 0;
  const long long lo = (w - 1) / 2, hi = w / 2, s = s_;
  const auto blocks = [&](long long i0, long long i1, TColor c) {
    const long long x0 = a.X + ux * i0, y0 = a.Y + uy * i0;
    const long long x1 = a.X + ux * i1, y1 = a.Y + uy * i1;
    Fill(t,
         TRect(Sat(s * (std::min(x0, x1) - lo)), Sat(s * (std::min(y0, y1) - lo)),
               Sat(s * (std::max(x0, x1) + hi + 1)), Sat(s * (std::max(y0, y1) + hi + 1))),
         c);
  };
  const TColor pen = t.Pen().Color();
  if (!Dashed()) {
    blocks(0, count - 1, pen);
    return;
  }
  const raster::DashPattern pattern = raster::PatternOf(Pen().Style());
  const long long first = FloorDiv(phase_, s);
  for (long long i = 0; i < count;) {
    const bool on = raster::DashOn(pattern, first + i);
    long long j = i + 1;
    while (j < count && raster::DashOn(pattern, first + j) == on) ++j;
    if (on || Brush().Style() != bsClear) blocks(i, j - 1, on ? pen : Brush().Color());
    i = j;
  }
  phase_ = (phase_ + count * s) % (1LL * pattern.total * s);
}

void TFineCanvas::Stroke(TCanvas& t, TPoint a, TPoint b) {
  const int lean = Lean();
  if (!Dashed()) {
    const TPoint p = Moved(a, lean), q = Moved(b, lean);
    t.MoveTo(p.X, p.Y);
    t.LineTo(q.X, q.Y);
    return;
  }
  // Fine steps 0..n, both ends, each as "on" as the picture's pixel it lies in.
  const raster::DashPattern pattern = raster::PatternOf(Pen().Style());
  raster::LineGeometry g;
  const long long n = std::max(std::llabs(static_cast<long long>(b.X) - a.X),
                               std::llabs(static_cast<long long>(b.Y) - a.Y));
  g.Setup(a, b, n + 1);
  const auto at = [&](long long i) {
    const long long major = g.major0 + g.major_step * i, minor = g.Minor(i);
    return g.x_major ? TPoint(Sat(major + lean), Sat(minor + lean))
                     : TPoint(Sat(minor + lean), Sat(major + lean));
  };
  const auto on_at = [&](long long i) { return raster::DashOn(pattern, FloorDiv(phase_ + i, s_)); };
  const TColor pen = t.Pen().Color();
  for (long long i = 0; i <= n;) {
    const bool on = on_at(i);
    long long j = i + 1;
    while (j <= n && on_at(j) == on) ++j;
    if (on || Brush().Style() != bsClear) {
      t.Pen().SetColor(on ? pen : Brush().Color());
      const TPoint p = at(i), q = at(j - 1);
      t.MoveTo(p.X, p.Y);
      t.LineTo(q.X, q.Y);
    }
    i = j;
  }
  t.Pen().SetColor(pen);
  phase_ = (phase_ + n) % (1LL * pattern.total * s_);
}

void TFineCanvas::Segment(TCanvas& t, TPoint a, TPoint b) {
  if (PenWidth() <= 3 && (a.X == b.X || a.Y == b.Y) && OnGrid(a) && OnGrid(b)) {
    const auto picture = [&](TPoint p) {
      return TPoint(Sat(FloorDiv(1LL * p.X - Offset(), s_)),
                    Sat(FloorDiv(1LL * p.Y - Offset(), s_)));
    };
    BlockLine(t, picture(a), picture(b));
    return;
  }
  Stroke(t, a, b);
}

// Runs of solid strokes go to the target as one polyline; the segments that become blocks, and
// dashed ones, one by one.
void TFineCanvas::Outline(TCanvas& t, std::span<const TPoint> points, bool closed) {
  const std::size_t n = points.size();
  if (n < 2) return;
  phase_ = 0;
  const bool dashed = Dashed();
  const int w = PenWidth(), lean = Lean();
  std::vector<TPoint> run;
  const auto flush = [&] {
    if (run.size() >= 2) t.Polyline(run);
    run.clear();
  };
  const auto segment = [&](TPoint a, TPoint b) {
    const bool blocks = w <= 3 && (a.X == b.X || a.Y == b.Y) && OnGrid(a) && OnGrid(b);
    if (dashed || blocks) {
      flush();
      Segment(t, a, b);
      return;
    }
    if (run.empty()) run.push_back(Moved(a, lean));
    run.push_back(Moved(b, lean));
  };
  for (std::size_t i = 0; i + 1 < n; ++i) segment(points[i], points[i + 1]);
  if (closed) segment(points[n - 1], points[0]);
  flush();
}

void TFineCanvas::DoLine(TPoint from, TPoint to, bool continues) {
  if (Pen().Style() == psClear) return;
  if (!continues) phase_ = 0;
  Segment(Prepare(), from, to);
}

void TFineCanvas::DoPolyline(std::span<const TPoint> points) {
  if (Pen().Style() == psClear) return;
  Outline(Prepare(), points, false);
}

void TFineCanvas::DoPolygon(std::span<const TPoint> points) {
  TCanvas& t = Prepare();
  if (Brush().Style() != bsClear) {
    t.Pen().SetStyle(psClear);
    t.Polygon(points);
    t.Pen().SetStyle(Pen().Style());
  }
  if (Pen().Style() != psClear) Outline(t, points, true);
}

// The outermost pixels of r are r.Left .. r.Right - 1 (and likewise in y): the picture's pen
// is centred on their blocks.
void TFineCanvas::DoRectangle(const TRect& r) {
  if (r.IsEmpty()) return;
  TCanvas& t = Prepare();
  const long long o = Offset(), s = s_, w = PenWidth();
  // The blocks of the outermost pixels: l .. r (exclusive).
  const long long bl = 1LL * r.Left - o, bt = 1LL * r.Top - o;
  const long long br = 1LL * r.Right - 1 - o + s, bb = 1LL * r.Bottom - 1 - o + s;
  const TPenStyle style = Pen().Style();
  if (style == psClear) {
    // The interior alone keeps its place: the right column and bottom row stay unpainted.
    if (Brush().Style() != bsClear)
      Fill(t, TRect(Sat(bl), Sat(bt), Sat(br - s), Sat(bb - s)), Brush().Color());
    return;
  }
  if (Dashed()) {
    if (Brush().Style() != bsClear)
      Fill(t, TRect(Sat(bl + s), Sat(bt + s), Sat(br - s), Sat(bb - s)), Brush().Color());
    const TPoint c[4] = {TPoint(r.Left, r.Top), TPoint(r.Right - 1, r.Top),
                         TPoint(r.Right - 1, r.Bottom - 1), TPoint(r.Left, r.Bottom - 1)};
    Outline(t, c, true);
    return;
  }
  // The picture's ring of w pixels reaches (w - 1) / 2 of them beyond the outermost pixels on
  // every side (none for psInsideFrame): a ring of the wide pen inside those blocks.
  const long long out = style == psInsideFrame ? 0 : s * ((w - 1) / 2);
  t.Pen().SetStyle(psInsideFrame);
  t.Rectangle(Sat(bl - out), Sat(bt - out), Sat(br + out), Sat(bb + out));
}

void TFineCanvas::DoFillRect(const TRect& r) {
  Prepare().FillRect(r);
}

// A border one picture pixel wide.
void TFineCanvas::DoFrameRect(const TRect& r) {
  if (r.IsEmpty()) return;
  TCanvas& t = Prepare();
  t.Brush().SetStyle(bsSolid);
  const int s = std::min({s_, r.Width(), r.Height()});
  t.FillRect(TRect(r.Left, r.Top, r.Right, r.Top + s));
  t.FillRect(TRect(r.Left, r.Bottom - s, r.Right, r.Bottom));
  t.FillRect(TRect(r.Left, r.Top, r.Left + s, r.Bottom));
  t.FillRect(TRect(r.Right - s, r.Top, r.Right, r.Bottom));
}

void TFineCanvas::DoEllipse(const TRect& r) {
  if (r.IsEmpty()) return;
  TCanvas& t = Prepare();
  const int lean = Lean();
  // Dash patterns are not carried over to ellipses: their outline is drawn solid.
  if (Pen().Style() != psClear) t.Pen().SetStyle(psSolid);
  t.Ellipse(Sat(1LL * r.Left + lean), Sat(1LL * r.Top + lean), Sat(1LL * r.Right + lean),
            Sat(1LL * r.Bottom + lean));
}

void TFineCanvas::DoArc(const TRect& box, TPoint start, TPoint end) {
  if (box.IsEmpty() || Pen().Style() == psClear) return;
  TCanvas& t = Prepare();
  t.Pen().SetStyle(psSolid);
  const int lean = Lean();
  const TPoint p = Moved(start, lean), q = Moved(end, lean);
  t.Arc(Sat(1LL * box.Left + lean), Sat(1LL * box.Top + lean), Sat(1LL * box.Right + lean),
        Sat(1LL * box.Bottom + lean), p.X, p.Y, q.X, q.Y);
}

TColor TFineCanvas::DoGetPixel(int x, int y) const {
  return target_->Canvas().Pixels(x, y);
}

void TFineCanvas::DoSetPixel(int x, int y, TColor c) {
  TCanvas& t = Prepare();
  const long long l = 1LL * x - Offset(), top = 1LL * y - Offset();
  t.Brush().SetStyle(bsSolid);
  t.Brush().SetColor(c);
  t.FillRect(TRect(Sat(l), Sat(top), Sat(l + s_), Sat(top + s_)));
}

void TFineCanvas::DoText(int x, int y, std::string_view text, const TRect* clip) {
  TCanvas& t = Prepare();
  t.Font().Assign(Font());
  t.SetTextAlign(TA_LEFT | TA_TOP);
  if (clip != nullptr)
    t.TextRect(*clip, x, y, text);
  else
    t.TextOut(x, y, text);
}

void TFineCanvas::DoStretch(const TRect& dest, const TBitmap& source, const TRect& src) {
  TCanvas& t = Prepare();
  TBitmap copy(source);  // CopyRect reads from a canvas
  t.CopyRect(dest, copy.Canvas(), src);
}

}  // namespace kiv
