#include "platform/print/cairo_canvas.h"

#include <cairo-ft.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <tuple>

#include "platform/bitmap.h"
#include "platform/errors.h"
#include "platform/font_engine.h"
#include "platform/font_match.h"
#include "platform/metafile.h"

namespace kiv {

namespace {

void SetColor(cairo_t* cr, TColor c) {
  const TColor rgb = ColorToRGB(c);
  cairo_set_source_rgb(cr, GetRValue(rgb) / 255.0, GetGValue(rgb) / 255.0, GetBValue(rgb) / 255.0);
}

// The dash pattern of a one-pixel pen, in pixels on and off.
std::vector<double> Dashes(TPenStyle style) {
  switch (style) {
    case psDash:
      return {18, 6};
    case psDot:
      return {3, 3};
    case psDashDot:
      return {9, 6, 3, 6};
    case psDashDotDot:
      return {9, 3, 3, 3, 3, 3};
    case psAlternate:
      return {1, 1};
    default:
      return {};
  }
}

// Appends a code point to a UTF-8 string.
void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace

// cairo font faces made from the same face files the raster text uses, so that the PDF embeds
// the very fonts the screen shows.
struct TCairoCanvas::Fonts {
  std::map<std::tuple<std::string, int, bool, bool>, cairo_font_face_t*> faces;
  ~Fonts() {
    for (auto& f : faces) cairo_font_face_destroy(f.second);
  }
  cairo_font_face_t* Face(const fontengine::FaceMatch& m) {
    const auto key = std::make_tuple(m.path, m.index, m.synthetic_bold, m.synthetic_italic);
    const auto it = faces.find(key);
    if (it != faces.end()) return it->second;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FILE, reinterpret_cast<const FcChar8*>(m.path.c_str()));
    FcPatternAddInteger(pattern, FC_INDEX, m.index);
    cairo_font_face_t* face = cairo_ft_font_face_create_for_pattern(pattern);
    FcPatternDestroy(pattern);
    unsigned synth = 0;
    if (m.synthetic_bold) synth |= CAIRO_FT_SYNTHESIZE_BOLD;
    if (m.synthetic_italic) synth |= CAIRO_FT_SYNTHESIZE_OBLIQUE;
    if (synth != 0) cairo_ft_font_face_set_synthesize(face, synth);
    faces.emplace(key, face);
    return face;
  }
};

TCairoCanvas::TCairoCanvas(cairo_t* cr, int Width, int Height)
    : cr_(cr),
      bounds_(0, 0, std::max(Width, 0), std::max(Height, 0)),
      fonts_(std::make_unique<Fonts>()) {}

TCairoCanvas::~TCairoCanvas() {
  Flush();
}

TRect TCairoCanvas::DeviceBounds() const {
  return bounds_;
}

bool TCairoCanvas::Begin(const TRect* extra) {
  TRect clip = ClipRect();
  if (extra != nullptr) clip = clip.Intersect(extra->Normalized());
  return BeginClip(clip);
}

bool TCairoCanvas::BeginClip(const TRect& clip) {
  if (clip.IsEmpty()) return false;
  cairo_save(cr_);
  cairo_rectangle(cr_, clip.Left, clip.Top, clip.Width(), clip.Height());
  cairo_clip(cr_);
  return true;
}

void TCairoCanvas::End() {
  cairo_restore(cr_);
}

double TCairoCanvas::PenCentre(int v) const {
  // Odd widths are centred on the pixel, even widths on its bottom-right corner.
  const int w = Pen().Width();
  return w > 1 && w % 2 == 0 ? v + 1.0 : v + 0.5;
}

bool TCairoCanvas::SetPenSource() {
  const TPenMode mode = Pen().Mode();
  if (Pen().Style() == psClear || mode == pmNop) return false;
  cairo_set_operator(cr_, CAIRO_OPERATOR_OVER);
  switch (mode) {
    case pmBlack:
      SetColor(cr_, clBlack);
      break;
    case pmWhite:
      SetColor(cr_, clWhite);
      break;
    case pmNot:
      // Inverting the destination: white through a difference blend.
      SetColor(cr_, clWhite);
      cairo_set_operator(cr_, CAIRO_OPERATOR_DIFFERENCE);
      break;
    case pmXor:
    case pmNotXor:
      SetColor(cr_, Pen().Color());
      cairo_set_operator(cr_, CAIRO_OPERATOR_DIFFERENCE);
      break;
    default:
      SetColor(cr_, Pen().Color());
  }
  const int w = Pen().Width();
  cairo_set_line_width(cr_, std::max(w, 1));
  if (w > 1) {
    cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
    cairo_set_dash(cr_, nullptr, 0, 0);
  } else {
    cairo_set_line_cap(cr_, CAIRO_LINE_CAP_BUTT);
    cairo_set_line_join(cr_, CAIRO_LINE_JOIN_MITER);
    const std::vector<double> d = Dashes(Pen().Style());
    cairo_set_dash(cr_, d.data(), static_cast<int>(d.size()), 0);
  }
  return true;
}

void TCairoCanvas::SetBrushSource() {
  cairo_set_operator(cr_, CAIRO_OPERATOR_OVER);
  SetColor(cr_, Brush().Color());
}

// Strokes the current path with the pen; dashed one-pixel pens with an opaque brush first lay
// the gaps in the brush colour.
void TCairoCanvas::StrokePath() {
  const bool dashed = Pen().Width() <= 1 && !Dashes(Pen().Style()).empty();
  if (dashed && Brush().Style() != bsClear && Pen().Mode() == pmCopy) {
    SetBrushSource();
    cairo_set_line_width(cr_, 1);
    cairo_set_dash(cr_, nullptr, 0, 0);
    cairo_stroke_preserve(cr_);
  }
  if (SetPenSource())
    cairo_stroke(cr_);
  else
    cairo_new_path(cr_);
}

void TCairoCanvas::FillPath() {
  if (Brush().Style() == bsClear) return;
  SetBrushSource();
  cairo_set_fill_rule(
      cr_, PolyFillMode() == fmWinding ? CAIRO_FILL_RULE_WINDING : CAIRO_FILL_RULE_EVEN_ODD);
  cairo_fill_preserve(cr_);
}

// ---------------------------------------------------------------------------------------------
// Lines

void TCairoCanvas::Flush() {
  if (path_.size() < 2) {
    path_.clear();
    return;
  }
  std::vector<TPoint> pts;
  pts.swap(path_);
  if (!BeginClip(path_clip_)) return;
  // The path is stroked with the pen and brush it was started with.
  TPen pen;
  pen.Assign(Pen());
  TBrush brush;
  brush.Assign(Brush());
  SetPen(path_pen_);
  SetBrush(path_brush_);
  const bool wide = Pen().Width() > 1;
  std::vector<double> xs(pts.size()), ys(pts.size());
  for (std::size_t i = 0; i < pts.size(); ++i) {
    xs[i] = PenCentre(pts[i].X);
    ys[i] = PenCentre(pts[i].Y);
  }
  if (!wide) {
    // A one-pixel line excludes its end pixel: both ends move half a pixel back along the
    // first and last segments, so the stroke covers the pixels the raster line covers.
    auto pull = [](double& x, double& y, double px, double py) {
      const double dx = x - px, dy = y - py, len = std::hypot(dx, dy);
      if (len > 0) {
        x -= 0.5 * dx / len;
        y -= 0.5 * dy / len;
      }
    };
    const std::size_t n = pts.size();
    pull(xs[0], ys[0], xs[0] - (xs[1] - xs[0]), ys[0] - (ys[1] - ys[0]));
    pull(xs[n - 1], ys[n - 1], xs[n - 2], ys[n - 2]);
  }
  cairo_move_to(cr_, xs[0], ys[0]);
  for (std::size_t i = 1; i < pts.size(); ++i) cairo_line_to(cr_, xs[i], ys[i]);
  StrokePath();
  SetPen(pen);
  SetBrush(brush);
  End();
}

void TCairoCanvas::DoLine(TPoint from, TPoint to, bool continues) {
  if (from == to) return;
  // The pending path goes on only while nothing about the pen changed.
  const bool same = continues && !path_.empty() && path_.back() == from &&
                    Pen().Color() == path_pen_.Color() && Pen().Width() == path_pen_.Width() &&
                    Pen().Style() == path_pen_.Style() && Pen().Mode() == path_pen_.Mode() &&
                    Brush().Color() == path_brush_.Color() &&
                    Brush().Style() == path_brush_.Style() && ClipRect() == path_clip_;
  if (!same) {
    Flush();
    path_pen_.Assign(Pen());
    path_brush_.Assign(Brush());
    path_clip_ = ClipRect();
    path_.push_back(from);
  }
  path_.push_back(to);
}

void TCairoCanvas::DoPolyline(std::span<const TPoint> points) {
  Flush();
  std::vector<TPoint> pts;
  for (const TPoint& p : points)
    if (pts.empty() || pts.back() != p) pts.push_back(p);
  if (pts.size() < 2) return;
  path_pen_.Assign(Pen());
  path_brush_.Assign(Brush());
  path_clip_ = ClipRect();
  path_ = std::move(pts);
  Flush();
}

// ---------------------------------------------------------------------------------------------
// Figures

void TCairoCanvas::DoPolygon(std::span<const TPoint> points) {
  Flush();
  if (points.size() < 2 || !Begin()) return;
  // A pixel is inside when its top-left corner is: the pixel centres see the polygon shifted
  // by half a pixel, which is where the outline runs too.
  cairo_move_to(cr_, points[0].X + 0.5, points[0].Y + 0.5);
  for (std::size_t i = 1; i < points.size(); ++i)
    cairo_line_to(cr_, points[i].X + 0.5, points[i].Y + 0.5);
  cairo_close_path(cr_);
  FillPath();
  StrokePath();
  End();
}

void TCairoCanvas::DoRectangle(const TRect& box) {
  Flush();
  const TRect r = box.Normalized();
  if (r.IsEmpty() || !Begin()) return;
  if (Pen().Style() == psClear) {
    // Without a pen only the interior is painted: the right column and the bottom row stay.
    cairo_rectangle(cr_, r.Left, r.Top, r.Width() - 1, r.Height() - 1);
    FillPath();
    cairo_new_path(cr_);
  } else {
    double inset = 0.5;
    if (Pen().Style() == psInsideFrame && Pen().Width() > 1) inset = Pen().Width() / 2.0;
    cairo_rectangle(cr_, r.Left + inset, r.Top + inset, std::max(r.Width() - 2 * inset, 0.0),
                    std::max(r.Height() - 2 * inset, 0.0));
    FillPath();
    StrokePath();
  }
  End();
}

void TCairoCanvas::DoFillRect(const TRect& box) {
  Flush();
  const TRect r = box.Normalized();
  if (r.IsEmpty() || Brush().Style() == bsClear || !Begin()) return;
  cairo_rectangle(cr_, r.Left, r.Top, r.Width(), r.Height());
  SetBrushSource();
  cairo_fill(cr_);
  End();
}

void TCairoCanvas::DoFrameRect(const TRect& box) {
  Flush();
  const TRect r = box.Normalized();
  if (r.IsEmpty() || Brush().Style() == bsClear || !Begin()) return;
  cairo_rectangle(cr_, r.Left + 0.5, r.Top + 0.5, r.Width() - 1, r.Height() - 1);
  SetBrushSource();
  cairo_set_line_width(cr_, 1);
  cairo_set_dash(cr_, nullptr, 0, 0);
  cairo_stroke(cr_);
  End();
}

void TCairoCanvas::DoEllipse(const TRect& box) {
  Flush();
  const TRect r = box.Normalized();
  if (r.IsEmpty() || !Begin()) return;
  const double cx = (r.Left + r.Right) / 2.0, cy = (r.Top + r.Bottom) / 2.0;
  const double rx = std::max(r.Width() / 2.0 - 0.5, 0.0),
               ry = std::max(r.Height() / 2.0 - 0.5, 0.0);
  cairo_save(cr_);
  cairo_translate(cr_, cx, cy);
  cairo_scale(cr_, std::max(rx, 1e-3), std::max(ry, 1e-3));
  cairo_new_path(cr_);
  cairo_arc(cr_, 0, 0, 1, 0, 2 * std::numbers::pi);
  cairo_restore(cr_);
  FillPath();
  StrokePath();
  End();
}

void TCairoCanvas::DoArc(const TRect& box, TPoint start, TPoint end) {
  Flush();
  const TRect r = box.Normalized();
  if (r.IsEmpty() || !Begin()) return;
  const double cx = (r.Left + r.Right) / 2.0, cy = (r.Top + r.Bottom) / 2.0;
  const double rx = std::max(r.Width() / 2.0 - 0.5, 1e-3),
               ry = std::max(r.Height() / 2.0 - 0.5, 1e-3);
  // Angles of the rays through the pixel centres, measured counter-clockwise on screen, in
  // the unit circle the ellipse is scaled from.
  auto angle = [&](TPoint p) { return std::atan2(-(p.Y + 0.5 - cy) / ry, (p.X + 0.5 - cx) / rx); };
  const double a0 = angle(start);
  double a1 = angle(end);
  while (a1 <= a0) a1 += 2 * std::numbers::pi;
  cairo_save(cr_);
  cairo_translate(cr_, cx, cy);
  cairo_scale(cr_, rx, ry);
  cairo_new_path(cr_);
  // y grows downwards: counter-clockwise on screen is the negative direction of cairo's angles.
  cairo_arc_negative(cr_, 0, 0, 1, -a0, -a1);
  cairo_restore(cr_);
  StrokePath();
  End();
}

TColor TCairoCanvas::DoGetPixel(int, int) const {
  return clNone;
}

void TCairoCanvas::DoSetPixel(int x, int y, TColor c) {
  Flush();
  if (!Begin()) return;
  cairo_rectangle(cr_, x, y, 1, 1);
  SetColor(cr_, c);
  cairo_fill(cr_);
  End();
}

// ---------------------------------------------------------------------------------------------
// Text

void TCairoCanvas::DoText(int x, int y, std::string_view text, const TRect* clip) {
  Flush();
  const TFont& font = Font();
  const fontengine::FontInstance* f = nullptr;
  fontengine::FaceMatch face;
  try {
    f = &font.Instance();
    face = fontengine::MatchFace(font.Name(), font.Style().Contains(fsBold),
                                 font.Style().Contains(fsItalic));
  } catch (const EPlatformError&) {
    return;  // no fonts at all: text draws nothing, as on the raster canvas
  }
  if (!Begin(clip)) return;
  const int width = f->TextWidth(text);
  const double baseline = y + f->Ascent();
  if (Brush().Style() != bsClear) {
    cairo_rectangle(cr_, x, y, width, f->Height());
    SetBrushSource();
    cairo_fill(cr_);
  }
  // Glyphs go where the raster canvas puts them: each at the whole-pixel advance of the ones
  // before it.
  std::string clean;
  std::vector<double> pen_x;
  int advance = 0;
  for (std::size_t i = 0; i < text.size();) {
    const char32_t cp = fontengine::NextCodePoint(text, i);
    AppendUtf8(clean, cp);
    pen_x.push_back(x + advance);
    advance += f->Glyph(cp).advance;
  }
  cairo_set_font_face(cr_, fonts_->Face(face));
  cairo_set_font_size(cr_, font.PixelSize());
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_set_font_options(cr_, options);
  cairo_font_options_destroy(options);
  cairo_glyph_t* glyphs = nullptr;
  int count = 0;
  if (cairo_scaled_font_text_to_glyphs(cairo_get_scaled_font(cr_), x, baseline, clean.data(),
                                       static_cast<int>(clean.size()), &glyphs, &count, nullptr,
                                       nullptr, nullptr) == CAIRO_STATUS_SUCCESS) {
    if (static_cast<std::size_t>(count) == pen_x.size())
      for (int i = 0; i < count; ++i) glyphs[i].x = pen_x[static_cast<std::size_t>(i)];
    cairo_set_operator(cr_, CAIRO_OPERATOR_OVER);
    SetColor(cr_, font.Color());
    cairo_show_glyphs(cr_, glyphs, count);
    cairo_glyph_free(glyphs);
  }
  SetColor(cr_, font.Color());
  auto rule = [&](double top) {
    cairo_rectangle(cr_, x, top, width, f->LineThickness());
    cairo_fill(cr_);
  };
  if (font.Style().Contains(fsUnderline)) rule(baseline + f->UnderlinePosition());
  if (font.Style().Contains(fsStrikeOut)) rule(baseline - f->StrikeoutPosition());
  End();
}

// ---------------------------------------------------------------------------------------------
// Pictures

void TCairoCanvas::DoStretch(const TRect& dest, const TBitmap& source, const TRect& src) {
  Flush();
  const TRect s = src.Normalized().Intersect(TRect(0, 0, source.Width(), source.Height()));
  const TRect d = dest.Normalized();
  if (s.IsEmpty() || d.IsEmpty() || !Begin(&d)) return;
  cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, s.Width(), s.Height());
  cairo_surface_flush(image);
  unsigned char* data = cairo_image_surface_get_data(image);
  const int stride = cairo_image_surface_get_stride(image);
  for (int row = 0; row < s.Height(); ++row) {
    const TPixel* in = source.ScanLine(s.Top + row) + s.Left;
    std::copy(in, in + s.Width(), reinterpret_cast<std::uint32_t*>(data + row * stride));
  }
  cairo_surface_mark_dirty(image);
  // A rectangle given right to left (or bottom to top) mirrors; both mirrored cancel out.
  const bool flip_x = (dest.Right < dest.Left) != (src.Right < src.Left);
  const bool flip_y = (dest.Bottom < dest.Top) != (src.Bottom < src.Top);
  cairo_translate(cr_, flip_x ? d.Right : d.Left, flip_y ? d.Bottom : d.Top);
  cairo_scale(cr_, (flip_x ? -1.0 : 1.0) * d.Width() / s.Width(),
              (flip_y ? -1.0 : 1.0) * d.Height() / s.Height());
  cairo_set_source_surface(cr_, image, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr_), CAIRO_FILTER_NEAREST);
  cairo_rectangle(cr_, 0, 0, s.Width(), s.Height());
  cairo_fill(cr_);
  cairo_surface_destroy(image);
  End();
}

void TCairoCanvas::DoStretchPicture(const TRect& dest, const TMetafile& picture) {
  Flush();
  const TRect d = dest.Normalized();
  if (!Begin(&d)) return;
  // The picture replays through this canvas in its own coordinates; the drawing state and the
  // device bounds of the page come back afterwards.
  TPen pen;
  pen.Assign(Pen());
  TBrush brush;
  brush.Assign(Brush());
  TFont font;
  font.Assign(Font());
  const TRect clip = ClipRect();
  const TPoint pos = PenPos();
  const TCopyMode copy = CopyMode();
  const TFillMode fill = PolyFillMode();
  const TRect page = bounds_;
  cairo_translate(cr_, d.Left, d.Top);
  cairo_scale(cr_, static_cast<double>(d.Width()) / picture.Width(),
              static_cast<double>(d.Height()) / picture.Height());
  bounds_ = TRect(0, 0, picture.Width(), picture.Height());
  ResetClipRect();
  picture.Replay(*this);
  Flush();
  bounds_ = page;
  SetPen(pen);
  SetBrush(brush);
  SetFont(font);
  SetClipRect(clip);
  SetPenPos(pos);
  SetCopyMode(copy);
  SetPolyFillMode(fill);
  End();
}

}  // namespace kiv
