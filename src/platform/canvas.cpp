#include "platform/canvas.h"

#include "platform/bitmap.h"
#include "platform/errors.h"
#include "platform/font_engine.h"
#include "platform/raster/raster.h"
#include "platform/raster/text.h"

namespace kiv {

TCanvas::TCanvas() = default;
TCanvas::~TCanvas() = default;

void TCanvas::SetPenPos(TPoint p) {
  pen_pos_ = p;
  line_continues_ = false;
}

TRect TCanvas::ClipRect() const {
  const TRect dev = DeviceBounds();
  if (!has_clip_) return dev;
  if (dev.IsEmpty()) return clip_;
  return clip_.Intersect(dev);
}

void TCanvas::SetClipRect(const TRect& r) {
  clip_ = r.Normalized();
  has_clip_ = true;
}

void TCanvas::ResetClipRect() {
  has_clip_ = false;
}

void TCanvas::MoveTo(int X, int Y) {
  pen_pos_ = TPoint(X, Y);
  line_continues_ = false;
}

void TCanvas::LineTo(int X, int Y) {
  const TPoint to(X, Y);
  DoLine(pen_pos_, to, line_continues_);
  pen_pos_ = to;
  line_continues_ = true;
  Touch();
}

void TCanvas::Polyline(std::span<const TPoint> points) {
  if (points.empty()) return;
  DoPolyline(points);
  Touch();
}

void TCanvas::Polygon(std::span<const TPoint> points) {
  if (points.empty()) return;
  DoPolygon(points);
  Touch();
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
  DoRectangle(TRect(X1, Y1, X2, Y2).Normalized());
  Touch();
}

void TCanvas::FillRect(const TRect& r) {
  DoFillRect(r.Normalized());
  Touch();
}

void TCanvas::FrameRect(const TRect& r) {
  DoFrameRect(r.Normalized());
  Touch();
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2) {
  DoEllipse(TRect(X1, Y1, X2, Y2).Normalized());
  Touch();
}

void TCanvas::Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
  DoArc(TRect(X1, Y1, X2, Y2).Normalized(), TPoint(X3, Y3), TPoint(X4, Y4));
  Touch();
}

TColor TCanvas::Pixels(int X, int Y) const {
  return DoGetPixel(X, Y);
}

void TCanvas::SetPixels(int X, int Y, TColor c) {
  DoSetPixel(X, Y, c);
  Touch();
}

namespace {
// Top-left corner of the text cell for the alignment flags at reference point (x, y).
TPoint CellOrigin(unsigned align, int x, int y, int width, const fontengine::FontInstance& f) {
  long long left = x;
  if ((align & TA_CENTER) == TA_CENTER)
    left = x - static_cast<long long>(width / 2);
  else if (align & TA_RIGHT)
    left = static_cast<long long>(x) - width;
  long long top = y;
  if ((align & TA_BASELINE) == TA_BASELINE)
    top = static_cast<long long>(y) - f.Ascent();
  else if (align & TA_BOTTOM)
    top = static_cast<long long>(y) - f.Height();
  return TPoint(SaturateInt(left), SaturateInt(top));
}

// The font's instance, or null when the system has no fonts at all: drawing calls then draw
// nothing instead of throwing.
const fontengine::FontInstance* DrawingInstance(const TFont& font) {
  try {
    return &font.Instance();
  } catch (const EPlatformError&) {
    return nullptr;
  }
}
}  // namespace

void TCanvas::TextOut(int X, int Y, std::string_view text) {
  const fontengine::FontInstance* f = DrawingInstance(font_);
  if (f == nullptr) return;
  const int w = f->TextWidth(text);
  const bool update_cp = (text_align_ & TA_UPDATECP) != 0;
  const TPoint ref = update_cp ? pen_pos_ : TPoint(X, Y);
  const TPoint o = CellOrigin(text_align_, ref.X, ref.Y, w, *f);
  DoText(o.X, o.Y, text, nullptr);
  if (update_cp) {
    // The current position moves to the far end of the text in the direction of writing.
    if ((text_align_ & TA_CENTER) == TA_CENTER)
      ;
    else if (text_align_ & TA_RIGHT)
      pen_pos_.X = SaturateInt(static_cast<long long>(pen_pos_.X) - w);
    else
      pen_pos_.X = SaturateInt(static_cast<long long>(pen_pos_.X) + w);
  }
  Touch();
}

void TCanvas::TextRect(const TRect& r, int X, int Y, std::string_view text) {
  const fontengine::FontInstance* f = DrawingInstance(font_);
  if (f == nullptr) return;
  const TPoint o = CellOrigin(text_align_ & ~TA_UPDATECP, X, Y, f->TextWidth(text), *f);
  const TRect clip = r.Normalized();
  DoText(o.X, o.Y, text, &clip);
  Touch();
}

int TCanvas::TextWidth(std::string_view text) const {
  return font_.Instance().TextWidth(text);
}

int TCanvas::TextHeight(std::string_view) const {
  return font_.Instance().Height();
}

TSize TCanvas::TextExtent(std::string_view text) const {
  const auto& f = font_.Instance();
  return TSize{f.TextWidth(text), f.Height()};
}

void TCanvas::Draw(int X, int Y, const TBitmap& source) {
  if (source.Empty()) return;
  DoStretch(Bounds(X, Y, source.Width(), source.Height()), source,
            TRect(0, 0, source.Width(), source.Height()));
  Touch();
}

void TCanvas::StretchDraw(const TRect& dest, const TBitmap& source) {
  if (source.Empty()) return;
  DoStretch(dest, source, TRect(0, 0, source.Width(), source.Height()));
  Touch();
}

void TCanvas::CopyRect(const TRect& dest, const TCanvas& source, const TRect& src) {
  const TBitmap* bmp = source.RasterBitmap();
  if (bmp == nullptr || bmp->Empty()) return;
  DoStretch(dest, *bmp, src);
  Touch();
}

// ---------------------------------------------------------------------------------------------
// TBitmapCanvas

namespace {

raster::Target MakeTarget(TBitmap& bmp, const TRect& clip) {
  raster::Target t;
  t.pixels = bmp.Bits();
  t.width = bmp.Width();
  t.height = bmp.Height();
  t.stride = bmp.Width();
  t.clip = clip.Intersect(TRect(0, 0, t.width, t.height));
  return t;
}

raster::Stroke MakeStroke(const TPen& pen, const TBrush& brush) {
  raster::Stroke s;
  s.color = ColorToPixel(pen.Color());
  s.gap_color = ColorToPixel(brush.Color());
  s.opaque_gaps = brush.Style() != bsClear;
  s.width = pen.Width();
  s.style = pen.Style();
  s.mode = pen.Mode();
  return s;
}

raster::Fill MakeFill(const TBrush& brush, TPenMode mode) {
  raster::Fill f;
  f.color = ColorToPixel(brush.Color());
  f.style = brush.Style();
  f.mode = mode;
  return f;
}

}  // namespace

TRect TBitmapCanvas::DeviceBounds() const {
  return TRect(0, 0, bitmap_->Width(), bitmap_->Height());
}

void TBitmapCanvas::DoLine(TPoint from, TPoint to, bool continues) {
  if (!continues) dash_phase_ = 0;
  raster::Line(MakeTarget(*bitmap_, ClipRect()), from, to, MakeStroke(Pen(), Brush()), dash_phase_);
}

void TBitmapCanvas::DoPolyline(std::span<const TPoint> points) {
  int phase = 0;
  raster::Polyline(MakeTarget(*bitmap_, ClipRect()), points, MakeStroke(Pen(), Brush()), phase,
                   false);
}

void TBitmapCanvas::DoPolygon(std::span<const TPoint> points) {
  raster::Polygon(MakeTarget(*bitmap_, ClipRect()), points, MakeStroke(Pen(), Brush()),
                  MakeFill(Brush(), Pen().Mode()), PolyFillMode() == fmWinding);
}

void TBitmapCanvas::DoRectangle(const TRect& r) {
  raster::Rectangle(MakeTarget(*bitmap_, ClipRect()), r, MakeStroke(Pen(), Brush()),
                    MakeFill(Brush(), Pen().Mode()));
}

void TBitmapCanvas::DoFillRect(const TRect& r) {
  raster::FillRect(MakeTarget(*bitmap_, ClipRect()), r, MakeFill(Brush(), pmCopy));
}

void TBitmapCanvas::DoFrameRect(const TRect& r) {
  if (r.IsEmpty()) return;
  const raster::Target t = MakeTarget(*bitmap_, ClipRect());
  raster::Fill f = MakeFill(Brush(), pmCopy);
  f.style = bsSolid;
  raster::FillRect(t, TRect(r.Left, r.Top, r.Right, r.Top + 1), f);
  raster::FillRect(t, TRect(r.Left, r.Bottom - 1, r.Right, r.Bottom), f);
  raster::FillRect(t, TRect(r.Left, r.Top, r.Left + 1, r.Bottom), f);
  raster::FillRect(t, TRect(r.Right - 1, r.Top, r.Right, r.Bottom), f);
}

void TBitmapCanvas::DoEllipse(const TRect& r) {
  raster::Ellipse(MakeTarget(*bitmap_, ClipRect()), r, MakeStroke(Pen(), Brush()),
                  MakeFill(Brush(), Pen().Mode()));
}

void TBitmapCanvas::DoArc(const TRect& box, TPoint start, TPoint end) {
  raster::Arc(MakeTarget(*bitmap_, ClipRect()), box, start, end, MakeStroke(Pen(), Brush()));
}

TColor TBitmapCanvas::DoGetPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= bitmap_->Width() || y >= bitmap_->Height()) return clNone;
  return PixelToColor(bitmap_->Bits()[static_cast<std::size_t>(y) * bitmap_->Width() + x]);
}

void TBitmapCanvas::DoSetPixel(int x, int y, TColor c) {
  raster::SetPixel(MakeTarget(*bitmap_, ClipRect()), x, y, ColorToPixel(c), pmCopy);
}

void TBitmapCanvas::DoText(int x, int y, std::string_view text, const TRect* clip) {
  TRect c = ClipRect();
  if (clip) c = c.Intersect(*clip);
  const raster::Target t = MakeTarget(*bitmap_, c);
  if (t.clip.IsEmpty()) return;
  const TFont& font = Font();
  const fontengine::FontInstance* f = DrawingInstance(font);
  if (f == nullptr) return;
  // Cell edges saturate, so text near the ends of the int range cannot overflow.
  const int right = SaturateInt(static_cast<long long>(x) + f->TextWidth(text));
  const int baseline = SaturateInt(static_cast<long long>(y) + f->Ascent());
  if (Brush().Style() != bsClear) {
    const int bottom = SaturateInt(static_cast<long long>(y) + f->Height());
    raster::FillRect(t, TRect(x, y, right, bottom), MakeFill(Brush(), pmCopy));
  }
  const TPixel color = ColorToPixel(font.Color());
  raster::DrawGlyphRun(t, *f, x, baseline, text, color);
  const raster::Fill line{color, bsSolid, pmCopy};
  auto rule = [&](long long top) {
    const int y0 = SaturateInt(top);
    raster::FillRect(t, TRect(x, y0, right, SaturateInt(top + f->LineThickness())), line);
  };
  if (font.Style().Contains(fsUnderline))
    rule(static_cast<long long>(baseline) + f->UnderlinePosition());
  if (font.Style().Contains(fsStrikeOut))
    rule(static_cast<long long>(baseline) - f->StrikeoutPosition());
}

void TBitmapCanvas::DoStretch(const TRect& dest, const TBitmap& source, const TRect& src) {
  raster::Source s{source.Bits(), source.Width(), source.Height(), source.Width()};
  raster::Stretch(MakeTarget(*bitmap_, ClipRect()), dest, s, src, CopyMode(),
                  ColorToPixel(Brush().Color()));
}

}  // namespace kiv
