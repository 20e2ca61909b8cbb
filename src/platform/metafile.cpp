#include "platform/metafile.h"

#include <cmath>
#include <cstdio>
#include <numbers>
#include <sstream>

#include "platform/atomicfile.h"
#include "platform/bitmap.h"
#include "platform/errors.h"
#include "platform/font_engine.h"
#include "platform/imageio.h"

namespace kiv {

// The drawing state a command was recorded with.
struct TMetafile::State {
  TColor pen_color = clBlack;  // resolved RGB
  int pen_width = 1;
  TPenStyle pen_style = psSolid;
  TPenMode pen_mode = pmCopy;
  TColor brush_color = clWhite;
  TBrushStyle brush_style = bsSolid;
  TFont font;
  TCopyMode copy_mode = cmSrcCopy;
  TFillMode fill_mode = fmAlternate;
  TRect clip;
  bool SameAs(const State& o) const {
    return pen_color == o.pen_color && pen_width == o.pen_width && pen_style == o.pen_style &&
           pen_mode == o.pen_mode && brush_color == o.brush_color && brush_style == o.brush_style &&
           copy_mode == o.copy_mode && fill_mode == o.fill_mode && clip == o.clip &&
           font.Name() == o.font.Name() && font.Size() == o.font.Size() &&
           font.Style() == o.font.Style() && font.Color() == o.font.Color() &&
           font.PixelsPerInch() == o.font.PixelsPerInch() && font.Quality() == o.font.Quality();
  }
};

namespace {
enum Kind : int {
  kLine,
  kPolyline,
  kPolygon,
  kRectangle,
  kFillRect,
  kFrameRect,
  kEllipse,
  kArc,
  kPixel,
  kText,
  kStretch,
  kPicture
};
}  // namespace

struct TMetafile::Command {
  int kind = kLine;
  std::uint32_t state = 0;
  bool continues = false;      // a line that continues the previous one
  bool clipped_text = false;   // text with its own clip rectangle
  TRect rect;                  // box, clip of text, destination of stretch
  TRect src;                   // source rectangle of stretch
  std::vector<TPoint> points;  // line ends, polyline, polygon, arc rays, pixel, text origin
  TColor color = clBlack;      // pixel colour
  std::string text;
  std::shared_ptr<const TBitmap> bitmap;
  std::shared_ptr<const TMetafile> picture;  // a recorded picture scaled into rect
};

TMetafile::TMetafile() = default;
TMetafile::TMetafile(int width, int height) {
  SetSize(width, height);
}
TMetafile::TMetafile(const TMetafile& other) = default;
TMetafile::TMetafile(TMetafile&& other) noexcept = default;
TMetafile& TMetafile::operator=(const TMetafile& other) = default;
TMetafile& TMetafile::operator=(TMetafile&& other) noexcept = default;
TMetafile::~TMetafile() = default;

void TMetafile::SetSize(int width, int height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
}

std::size_t TMetafile::CommandCount() const {
  return commands_.size();
}

void TMetafile::Clear() {
  states_.clear();
  commands_.clear();
}

void TMetafile::Assign(const TPersistent& Source) {
  if (auto* m = dynamic_cast<const TMetafile*>(&Source)) {
    width_ = m->width_;
    height_ = m->height_;
    states_ = m->states_;
    commands_ = m->commands_;
    return;
  }
  TPersistent::Assign(Source);
}

void TMetafile::Replay(TCanvas& target, int dx, int dy) const {
  const unsigned saved_align = target.TextAlign();
  const std::uint32_t none = ~0u;
  std::uint32_t applied = none;
  // Shifted coordinates saturate at the ends of the int range.
  auto sx = [dx](int x) { return SaturateInt(static_cast<long long>(x) + dx); };
  auto sy = [dy](int y) { return SaturateInt(static_cast<long long>(y) + dy); };
  auto shift = [&](TPoint p) { return TPoint(sx(p.X), sy(p.Y)); };
  auto shift_rect = [&](const TRect& r) {
    return TRect(sx(r.Left), sy(r.Top), sx(r.Right), sy(r.Bottom));
  };
  for (const Command& c : commands_) {
    if (c.state != applied) {
      const State& s = states_[c.state];
      target.Pen().SetColor(s.pen_color);
      target.Pen().SetWidth(s.pen_width);
      target.Pen().SetStyle(s.pen_style);
      target.Pen().SetMode(s.pen_mode);
      target.Brush().SetColor(s.brush_color);
      target.Brush().SetStyle(s.brush_style);
      target.SetFont(s.font);
      target.SetCopyMode(s.copy_mode);
      target.SetPolyFillMode(s.fill_mode);
      if (s.clip.IsEmpty())
        target.ResetClipRect();
      else
        target.SetClipRect(shift_rect(s.clip));
      applied = c.state;
    }
    switch (c.kind) {
      case kLine: {
        const TPoint a = shift(c.points[0]), b = shift(c.points[1]);
        if (!c.continues || target.PenPos() != a) target.MoveTo(a.X, a.Y);
        target.LineTo(b.X, b.Y);
        break;
      }
      case kPolyline:
      case kPolygon: {
        std::vector<TPoint> pts(c.points.size());
        for (std::size_t i = 0; i < pts.size(); ++i) pts[i] = shift(c.points[i]);
        if (c.kind == kPolyline)
          target.Polyline(pts);
        else
          target.Polygon(pts);
        break;
      }
      case kRectangle:
        target.Rectangle(shift_rect(c.rect));
        break;
      case kFillRect:
        target.FillRect(shift_rect(c.rect));
        break;
      case kFrameRect:
        target.FrameRect(shift_rect(c.rect));
        break;
      case kEllipse:
        target.Ellipse(shift_rect(c.rect));
        break;
      case kArc: {
        const TRect r = shift_rect(c.rect);
        const TPoint a = shift(c.points[0]), b = shift(c.points[1]);
        target.Arc(r.Left, r.Top, r.Right, r.Bottom, a.X, a.Y, b.X, b.Y);
        break;
      }
      case kPixel:
        target.SetPixels(sx(c.points[0].X), sy(c.points[0].Y), c.color);
        break;
      case kText:
        target.SetTextAlign(TA_LEFT | TA_TOP);
        if (c.clipped_text)
          target.TextRect(shift_rect(c.rect), sx(c.points[0].X), sy(c.points[0].Y), c.text);
        else
          target.TextOut(sx(c.points[0].X), sy(c.points[0].Y), c.text);
        break;
      case kStretch: {
        // CopyRect takes its pixels from a canvas: give the stored bitmap one of its own.
        TBitmap copy(*c.bitmap);
        target.CopyRect(shift_rect(c.rect), copy.Canvas(), c.src);
        break;
      }
      case kPicture:
        target.StretchDraw(shift_rect(c.rect), *c.picture);
        break;
    }
  }
  target.SetTextAlign(saved_align);
}

// ---------------------------------------------------------------------------------------------
// Recording

TMetafileCanvas::TMetafileCanvas(TMetafile& metafile) : mf_(&metafile) {}

TRect TMetafileCanvas::DeviceBounds() const {
  return TRect(0, 0, mf_->Width(), mf_->Height());
}

std::uint32_t TMetafileCanvas::CurrentState() {
  TMetafile::State s;
  s.pen_color = ColorToRGB(Pen().Color());
  s.pen_width = Pen().Width();
  s.pen_style = Pen().Style();
  s.pen_mode = Pen().Mode();
  s.brush_color = ColorToRGB(Brush().Color());
  s.brush_style = Brush().Style();
  s.font.Assign(Font());
  s.font.SetColor(ColorToRGB(Font().Color()));
  s.copy_mode = CopyMode();
  s.fill_mode = PolyFillMode();
  s.clip = ClipRect();
  if (!mf_->states_.empty() && mf_->states_.back().SameAs(s))
    return static_cast<std::uint32_t>(mf_->states_.size() - 1);
  mf_->states_.push_back(std::move(s));
  return static_cast<std::uint32_t>(mf_->states_.size() - 1);
}

TMetafile::Command& TMetafileCanvas::Add(int kind) {
  TMetafile::Command c;
  c.kind = kind;
  c.state = CurrentState();
  mf_->commands_.push_back(std::move(c));
  return mf_->commands_.back();
}

void TMetafileCanvas::DoLine(TPoint from, TPoint to, bool continues) {
  auto& c = Add(kLine);
  c.points = {from, to};
  c.continues = continues;
}

void TMetafileCanvas::DoPolyline(std::span<const TPoint> points) {
  Add(kPolyline).points.assign(points.begin(), points.end());
}

void TMetafileCanvas::DoPolygon(std::span<const TPoint> points) {
  Add(kPolygon).points.assign(points.begin(), points.end());
}

void TMetafileCanvas::DoRectangle(const TRect& r) {
  Add(kRectangle).rect = r;
}
void TMetafileCanvas::DoFillRect(const TRect& r) {
  Add(kFillRect).rect = r;
}
void TMetafileCanvas::DoFrameRect(const TRect& r) {
  Add(kFrameRect).rect = r;
}
void TMetafileCanvas::DoEllipse(const TRect& r) {
  Add(kEllipse).rect = r;
}

void TMetafileCanvas::DoArc(const TRect& box, TPoint start, TPoint end) {
  auto& c = Add(kArc);
  c.rect = box;
  c.points = {start, end};
}

TColor TMetafileCanvas::DoGetPixel(int, int) const {
  return clNone;
}

void TMetafileCanvas::DoSetPixel(int x, int y, TColor color) {
  auto& c = Add(kPixel);
  c.points = {TPoint(x, y)};
  c.color = ColorToRGB(color);
}

void TMetafileCanvas::DoText(int x, int y, std::string_view text, const TRect* clip) {
  auto& c = Add(kText);
  c.points = {TPoint(x, y)};
  c.text.assign(text);
  if (clip) {
    c.clipped_text = true;
    c.rect = *clip;
  }
}

void TMetafileCanvas::DoStretch(const TRect& dest, const TBitmap& source, const TRect& src) {
  auto& c = Add(kStretch);
  c.rect = dest;
  c.src = src;
  c.bitmap = std::make_shared<const TBitmap>(source);
}

void TMetafileCanvas::DoStretchPicture(const TRect& dest, const TMetafile& picture) {
  auto copy = std::make_shared<TMetafile>();
  copy->Assign(picture);
  auto& c = Add(kPicture);
  c.rect = dest;
  c.picture = std::move(copy);
}

// ---------------------------------------------------------------------------------------------
// SVG

namespace {

std::string Hex(TColor rgb) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%02x%02x%02x", GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
  return buf;
}

std::string Num(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.6g", v);
  return buf;
}

// Text for XML content and attribute values. The UTF-8 is read by the decoder the bitmap text
// uses, so an invalid sequence becomes U+FFFD here as it becomes that glyph there; control
// characters other than tab and the non-characters U+FFFE and U+FFFF, which XML forbids, are
// dropped and replaced respectively.
std::string Escape(std::string_view s) {
  constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
  std::string out;
  out.reserve(s.size());
  std::size_t i = 0;
  while (i < s.size()) {
    const std::size_t start = i;
    const char32_t cp = fontengine::NextCodePoint(s, i);
    switch (cp) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case 0xFFFD:
      case 0xFFFE:
      case 0xFFFF:
        out += kReplacement;
        break;
      default:
        if (cp >= 0x20 || cp == '\t') out.append(s.substr(start, i - start));
    }
  }
  return out;
}

std::string Base64(const std::vector<std::uint8_t>& data) {
  static const char* kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((data.size() + 2) / 3 * 4);
  for (std::size_t i = 0; i < data.size(); i += 3) {
    const std::uint32_t b0 = data[i];
    const std::uint32_t b1 = i + 1 < data.size() ? data[i + 1] : 0;
    const std::uint32_t b2 = i + 2 < data.size() ? data[i + 2] : 0;
    const std::uint32_t v = (b0 << 16) | (b1 << 8) | b2;
    out += kAlphabet[(v >> 18) & 63];
    out += kAlphabet[(v >> 12) & 63];
    out += i + 1 < data.size() ? kAlphabet[(v >> 6) & 63] : '=';
    out += i + 2 < data.size() ? kAlphabet[v & 63] : '=';
  }
  return out;
}

std::string DashArray(TPenStyle style, int width) {
  if (width > 1) return "";
  switch (style) {
    case psDash:
      return " stroke-dasharray=\"18 6\"";
    case psDot:
      return " stroke-dasharray=\"3 3\"";
    case psDashDot:
      return " stroke-dasharray=\"9 6 3 6\"";
    case psDashDotDot:
      return " stroke-dasharray=\"9 3 3 3 3 3\"";
    case psAlternate:
      return " stroke-dasharray=\"1 1\"";
    default:
      return "";
  }
}

std::string Blend(TPenMode mode) {
  return (mode == pmXor || mode == pmNot || mode == pmNotXor)
             ? " style=\"mix-blend-mode:difference\""
             : "";
}

std::string StrokeAttrs(const TMetafile::State& s) {
  if (s.pen_style == psClear) return " stroke=\"none\"";
  std::string a = " stroke=\"" + Hex(s.pen_color) + "\"";
  if (s.pen_width > 1)
    a += " stroke-width=\"" + std::to_string(s.pen_width) +
         "\" stroke-linecap=\"round\" stroke-linejoin=\"round\"";
  return a + DashArray(s.pen_style, s.pen_width);
}

std::string FillAttrs(const TMetafile::State& s) {
  if (s.brush_style == bsClear) return " fill=\"none\"";
  return " fill=\"" + Hex(s.brush_color) + "\"";
}

// A pixel position as the coordinate of its centre, exact for every int.
std::string C(long long v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.1f", static_cast<double>(v) + 0.5);
  return buf;
}

// Rectangles of the SVG writer in 64 bits, so that no extent overflows.
struct Box {
  long long l = 0, t = 0, r = 0, b = 0;
  Box() = default;
  Box(long long l_, long long t_, long long r_, long long b_) : l(l_), t(t_), r(r_), b(b_) {}
  explicit Box(const TRect& x) : l(x.Left), t(x.Top), r(x.Right), b(x.Bottom) {}
  long long W() const { return r - l; }
  long long H() const { return b - t; }
  bool Empty() const { return r <= l || b <= t; }
  Box Grown(long long m) const { return Box(l - m, t - m, r + m, b + m); }
  Box Intersect(const Box& o) const {
    return Box(std::max(l, o.l), std::max(t, o.t), std::min(r, o.r), std::min(b, o.b));
  }
  bool Meets(const Box& o) const { return !Intersect(o).Empty(); }
};

// How far beyond the picture the writer keeps geometry (plus the pen width): nothing there is
// visible, and rectangles cut back to it keep their visible edges while their numbers stay small.
constexpr long long kSvgMargin = 1024;

// x, y, width and height attributes of a box; centred puts the corner on a pixel centre (for
// outlines), less takes that much off the width and the height.
std::string BoxAttrs(const Box& b, bool centred, long long less) {
  const long long d = less;
  return std::string(" x=\"") + (centred ? C(b.l) : std::to_string(b.l)) + "\" y=\"" +
         (centred ? C(b.t) : std::to_string(b.t)) + "\" width=\"" + std::to_string(b.W() - d) +
         "\" height=\"" + std::to_string(b.H() - d) + "\"";
}

std::string Points(const std::vector<TPoint>& pts) {
  std::string s;
  for (const TPoint& p : pts) s += C(p.X) + "," + C(p.Y) + " ";
  if (!s.empty()) s.pop_back();
  return s;
}

}  // namespace

std::string TMetafile::ToSvg() const {
  std::ostringstream o;
  o << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << width_ << "\" height=\"" << height_
    << "\" viewBox=\"0 0 " << width_ << " " << height_ << "\">\n";
  int clip_id = 0;
  WriteSvgBody(o, clip_id);
  o << "</svg>\n";
  return o.str();
}

void TMetafile::WriteSvgBody(std::ostream& o, int& clip_id) const {
  const TRect page(0, 0, width_, height_);
  const Box page_box(page);
  bool in_group = false;
  TRect group_clip;
  std::size_t i = 0;
  while (i < commands_.size()) {
    const Command& c = commands_[i];
    const State& s = states_[c.state];
    // Geometry beyond this box cannot show; it is cut back or left out.
    const Box window = page_box.Grown(kSvgMargin + std::max(s.pen_width, 1));
    // A clip rectangle smaller than the page opens a clipped group.
    const TRect clip = s.clip.IsEmpty() ? page : s.clip;
    if (!in_group || clip != group_clip) {
      if (in_group) o << "</g>\n";
      in_group = true;
      group_clip = clip;
      if (clip == page) {
        o << "<g>\n";
      } else {
        ++clip_id;
        Box b = Box(clip).Intersect(window);
        if (b.Empty()) b = Box();
        o << "<clipPath id=\"c" << clip_id << "\"><rect" << BoxAttrs(b, false, 0)
          << "/></clipPath>\n<g clip-path=\"url(#c" << clip_id << ")\">\n";
      }
    }
    switch (c.kind) {
      case kLine: {
        // Consecutive connected lines in one state become one polyline.
        std::vector<TPoint> pts = {c.points[0], c.points[1]};
        std::size_t j = i + 1;
        while (j < commands_.size() && commands_[j].kind == kLine && commands_[j].continues &&
               commands_[j].state == c.state && commands_[j].points[0] == pts.back()) {
          pts.push_back(commands_[j].points[1]);
          ++j;
        }
        if (s.pen_style != psClear)
          o << "<polyline points=\"" << Points(pts) << "\" fill=\"none\"" << StrokeAttrs(s)
            << Blend(s.pen_mode) << "/>\n";
        i = j;
        continue;
      }
      case kPolyline:
        if (s.pen_style != psClear && c.points.size() > 1)
          o << "<polyline points=\"" << Points(c.points) << "\" fill=\"none\"" << StrokeAttrs(s)
            << Blend(s.pen_mode) << "/>\n";
        break;
      case kPolygon:
        o << "<polygon points=\"" << Points(c.points) << "\"" << FillAttrs(s) << StrokeAttrs(s)
          << " fill-rule=\"" << (s.fill_mode == fmWinding ? "nonzero" : "evenodd") << "\""
          << Blend(s.pen_mode) << "/>\n";
        break;
      case kRectangle: {
        const Box r = Box(c.rect).Intersect(window);
        if (r.Empty()) break;
        // Without a pen the right column and bottom row stay unpainted: the fill spans one
        // pixel less each way, from the pixel edges.
        const bool outline = s.pen_style != psClear;
        o << "<rect" << BoxAttrs(r, outline, 1) << FillAttrs(s) << (outline ? StrokeAttrs(s) : "")
          << Blend(s.pen_mode) << "/>\n";
        break;
      }
      case kFillRect:
      case kFrameRect: {
        if (c.rect.IsEmpty() || s.brush_style == bsClear) break;
        const Box r = Box(c.rect).Intersect(window);
        if (r.Empty()) break;
        if (c.kind == kFillRect)
          o << "<rect" << BoxAttrs(r, false, 0) << FillAttrs(s) << "/>\n";
        else
          o << "<rect" << BoxAttrs(r, true, 1) << " fill=\"none\" stroke=\"" << Hex(s.brush_color)
            << "\"/>\n";
        break;
      }
      case kEllipse: {
        const Box r(c.rect);
        if (r.Empty() || !r.Meets(window)) break;
        o << "<ellipse cx=\"" << Num((r.l + r.r) / 2.0) << "\" cy=\"" << Num((r.t + r.b) / 2.0)
          << "\" rx=\"" << Num(r.W() / 2.0 - 0.5) << "\" ry=\"" << Num(r.H() / 2.0 - 0.5) << "\""
          << FillAttrs(s) << StrokeAttrs(s) << Blend(s.pen_mode) << "/>\n";
        break;
      }
      case kArc: {
        const Box r(c.rect);
        if (r.Empty() || !r.Meets(window) || s.pen_style == psClear) break;
        const double cx = (r.l + r.r) / 2.0, cy = (r.t + r.b) / 2.0;
        const double rx = r.W() / 2.0 - 0.5, ry = r.H() / 2.0 - 0.5;
        // Angles measured counter-clockwise on screen (y up), through pixel centres.
        auto angle = [&](TPoint p) { return std::atan2(-(p.Y + 0.5 - cy), p.X + 0.5 - cx); };
        const double a0 = angle(c.points[0]);
        double a1 = angle(c.points[1]);
        while (a1 <= a0) a1 += 2 * std::numbers::pi;
        const double sweep = a1 - a0;
        auto at = [&](double a) {
          return Num(cx + rx * std::cos(a)) + "," + Num(cy - ry * std::sin(a));
        };
        if (sweep >= 2 * std::numbers::pi - 1e-12) {
          o << "<ellipse cx=\"" << Num(cx) << "\" cy=\"" << Num(cy) << "\" rx=\"" << Num(rx)
            << "\" ry=\"" << Num(ry) << "\" fill=\"none\"" << StrokeAttrs(s) << "/>\n";
        } else {
          o << "<path d=\"M" << at(a0) << " A" << Num(rx) << "," << Num(ry) << " 0 "
            << (sweep > std::numbers::pi ? 1 : 0) << " 0 " << at(a1) << "\" fill=\"none\""
            << StrokeAttrs(s) << Blend(s.pen_mode) << "/>\n";
        }
        break;
      }
      case kPixel: {
        const TPoint p = c.points[0];
        if (!window.Meets(Box(p.X, p.Y, p.X + 1LL, p.Y + 1LL))) break;
        o << "<rect x=\"" << p.X << "\" y=\"" << p.Y << "\" width=\"1\" height=\"1\" fill=\""
          << Hex(c.color) << "\"/>\n";
        break;
      }
      case kText: {
        const auto& f = s.font.Instance();
        const long long x = c.points[0].X, y = c.points[0].Y;
        const Box cell(x, y, x + f.TextWidth(c.text), y + f.Height());
        // A text that cannot reach the picture is left out (its glyphs may overhang the cell
        // a little, far less than the margin).
        if (!cell.Grown(f.Height()).Meets(window)) break;
        if (s.brush_style != bsClear) {
          const Box r = cell.Intersect(window);
          if (!r.Empty())
            o << "<rect" << BoxAttrs(r, false, 0) << " fill=\"" << Hex(s.brush_color) << "\"/>\n";
        }
        std::string deco;
        if (s.font.Style().Contains(fsUnderline)) deco += " underline";
        if (s.font.Style().Contains(fsStrikeOut)) deco += " line-through";
        o << "<text x=\"" << x << "\" y=\"" << y + f.Ascent() << "\" font-family=\""
          << Escape(s.font.Name()) << ", " << Escape(f.FamilyName())
          << ", sans-serif\" font-size=\"" << s.font.PixelSize() << "\"";
        if (s.font.Style().Contains(fsBold)) o << " font-weight=\"bold\"";
        if (s.font.Style().Contains(fsItalic)) o << " font-style=\"italic\"";
        if (!deco.empty()) o << " text-decoration=\"" << deco.substr(1) << "\"";
        o << " fill=\"" << Hex(s.font.Color()) << "\" xml:space=\"preserve\">" << Escape(c.text)
          << "</text>\n";
        break;
      }
      case kStretch: {
        const TRect src =
            c.src.Normalized().Intersect(TRect(0, 0, c.bitmap->Width(), c.bitmap->Height()));
        const Box d(c.rect.Normalized());
        if (src.IsEmpty() || d.Empty() || !d.Meets(window)) break;
        // A destination or source given right to left (or bottom to top) mirrors the picture;
        // both mirrored cancel out.
        const bool flip_x = (c.rect.Right < c.rect.Left) != (c.src.Right < c.src.Left);
        const bool flip_y = (c.rect.Bottom < c.rect.Top) != (c.src.Bottom < c.src.Top);
        std::vector<TPixel> px(static_cast<std::size_t>(src.Width()) * src.Height());
        for (int y = 0; y < src.Height(); ++y) {
          const TPixel* row = c.bitmap->ScanLine(src.Top + (flip_y ? src.Height() - 1 - y : y));
          for (int x = 0; x < src.Width(); ++x)
            px[static_cast<std::size_t>(y) * src.Width() + x] =
                row[src.Left + (flip_x ? src.Width() - 1 - x : x)];
        }
        o << "<image" << BoxAttrs(d, false, 0)
          << " preserveAspectRatio=\"none\" style=\"image-rendering:pixelated\" "
             "href=\"data:image/png;base64,"
          << Base64(imageio::EncodePng(px.data(), src.Width(), src.Height(), 6)) << "\"/>\n";
        break;
      }
      case kPicture: {
        // A nested viewport scales the picture into its rectangle and clips it there.
        const Box d(c.rect.Normalized());
        if (d.Empty() || !d.Meets(window)) break;
        const TMetafile& p = *c.picture;
        o << "<svg" << BoxAttrs(d, false, 0) << " viewBox=\"0 0 " << p.width_ << " " << p.height_
          << "\" preserveAspectRatio=\"none\" overflow=\"hidden\">\n";
        p.WriteSvgBody(o, clip_id);
        o << "</svg>\n";
        break;
      }
    }
    ++i;
  }
  if (in_group) o << "</g>\n";
}

void TMetafile::SaveToFile(const std::string& file_name) const {
  WriteFileAtomically(file_name, ToSvg());
}

}  // namespace kiv
