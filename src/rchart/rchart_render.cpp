// Item rendering of TCustomRChart: every stored item kind resolved to data-bitmap pixels and drawn
// with cached pen, brush and font state; consecutive polyline steps batched into one polyline
// call; duplicate marks suppressed through an occupancy map.
#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstring>
#include <numbers>
#include <optional>
#include <string>

#include "platform/errors.h"
#include "rchart/customrchart.h"
#include "services/marks.h"
#include "services/rounding.h"

namespace kiv {

namespace {

// Drawing coordinates stay within this many pixels of the data area's origin, so that the
// rasteriser never works near the int limits.
constexpr long long kCoordLimit = 30000;
// Pen widths from files are not checked when stored; wider pens than this are drawn this wide,
// so that a corrupt width cannot make a pen of gigabytes.
constexpr int kMaxPenWidth = 1000;
constexpr double kHeadAngle = 0.3490658503988659;  // 20 degrees: half the opening of a head

int Clamp30k(long long v) {
  return static_cast<int>(std::clamp(v, -kCoordLimit, kCoordLimit));
}

// One axis of a layer's transformation. R2M computes in long double; most values are mapped in
// double arithmetic here instead, which is several times faster in the item loop, and only a
// value that lands too close to a half pixel for the double result to be certain (or far out,
// or on a logarithmic axis) goes through R2M itself. Pixels are therefore always R2M's.
struct AxisMap {
  double k = 0, d = 0;
  bool fast = false;  // a linear axis with finite parameters
  // The nearest integer to k * v + d, or false when R2M must decide.
  bool Pixel(double v, int& out) const {
    if (!fast) return false;
    const double kv = k * v;
    const double p = kv + d;
    const double a = std::fabs(p);
    if (!(a < 1e9)) return false;  // also NaN
    const int t = static_cast<int>(p);
    const double f = p - t;  // exact
    const double af = std::fabs(f);
    // Both results differ by less than a few units in the last place of the terms.
    const double bound = 4 * DBL_EPSILON * (std::fabs(kv) + std::fabs(d) + a) + 1e-300;
    if (std::fabs(af - 0.5) <= bound) return false;
    // Branch-free: which way a random value rounds is unpredictable.
    out = t + static_cast<int>(f > 0.5) - static_cast<int>(f < -0.5);
    return true;
  }
};

// Which values of an item are screen pixels: main x, main y, secondary x, secondary y.
struct ScreenFlags {
  bool mx, my, sx, sy;
};
constexpr ScreenFlags kModeFlags[6] = {{false, false, false, false},  // cmAllWorld
                                       {true, true, true, true},      // cmAllScreen
                                       {false, false, true, true},    // cmWorldMainScreenSec
                                       {true, true, false, false},    // cmScreenMainWorldSec
                                       {true, false, true, false},    // cmXScreenYWorld
                                       {false, true, false, true}};   // cmXWorldYScreen
ScreenFlags FlagsOf(TCoordMode m) {
  return m < 6 ? kModeFlags[m] : kModeFlags[cmAllWorld];
}

TPenStyle ValidStyle(TPenStyle s) {
  return s <= psAlternate ? s : psSolid;
}

// Whether the canvas can measure and draw text (the system may have no fonts at all).
bool FontUsable(const TCanvas& c) {
  try {
    c.Font().Instance();
    return true;
  } catch (const EPlatformError&) {
    return false;
  }
}

// The text of a text item: its long-text entry when it names a used one, else the 8-bit field.
std::string ItemText(const TrcChartItem& item, const TLongTextArray& table) {
  if (item.LWid >= 1 && item.LWid <= kMaxLongTexts) {
    const std::string& s = table[static_cast<std::size_t>(item.LWid - 1)];
    if (!s.empty()) return s;
  }
  return ItemTextToUtf8(item.Text);
}

}  // namespace

// Draws items for the chart with the chart's cached state. It holds the item layer's mapping
// and ranges, so it may serve further items of that layer as long as no user code has run in
// between (which could change ranges or margins).
class TItemRenderer {
 public:
  TItemRenderer(TCustomRChart& chart, TCanvas& canvas, bool blk_white, int xoff, int yoff,
                int layer)
      : ch_(chart), cv_(canvas), blk_white_(blk_white), xoff_(xoff), yoff_(yoff) {
    layer_ = TCustomRChart::ClampLayer(layer);
    const auto L = static_cast<std::size_t>(layer_ - 1);
    TRenderLayerMap& m = chart.FRenderMaps[L];
    const bool logx = chart.FScalePropsX[L]->Logarithmic();
    const bool logy = chart.FScalePropsY[L]->Logarithmic();
    // Comparing the parameters' bytes is much cheaper than converting them for every item.
    constexpr std::size_t n = sizeof(long double);
    if (!m.valid || m.src_log[0] != logx || m.src_log[1] != logy ||
        std::memcmp(&m.src[0], &chart.Cpkx[L], n) != 0 ||
        std::memcmp(&m.src[1], &chart.Cpdx[L], n) != 0 ||
        std::memcmp(&m.src[2], &chart.Cpky[L], n) != 0 ||
        std::memcmp(&m.src[3], &chart.Cpdy[L], n) != 0) {
      std::memcpy(&m.src[0], &chart.Cpkx[L], n);
      std::memcpy(&m.src[1], &chart.Cpdx[L], n);
      std::memcpy(&m.src[2], &chart.Cpky[L], n);
      std::memcpy(&m.src[3], &chart.Cpdy[L], n);
      m.src_log[0] = logx;
      m.src_log[1] = logy;
      for (int a = 0; a < 2; ++a) {
        m.k[a] = static_cast<double>(m.src[2 * a]);
        m.d[a] = static_cast<double>(m.src[2 * a + 1]);
        m.fast[a] = !m.src_log[a] && std::isfinite(m.k[a]) && std::isfinite(m.d[a]);
      }
      m.valid = true;
    }
    mx_ = AxisMap{m.k[0], m.d[0], m.fast[0]};
    my_ = AxisMap{m.k[1], m.d[1], m.fast[1]};
    // The layer's ranges, ordered (marks are drawn inside them for either orientation).
    const TScaleProps& px = *chart.FScalePropsX[L];
    const TScaleProps& py = *chart.FScalePropsY[L];
    xlo_ = std::min(px.RangeLow(), px.RangeHigh());
    xhi_ = std::max(px.RangeLow(), px.RangeHigh());
    ylo_ = std::min(py.RangeLow(), py.RangeHigh());
    yhi_ = std::max(py.RangeLow(), py.RangeHigh());
    ox_ = static_cast<long long>(xoff) - chart.RcLRim;
    oy_ = static_cast<long long>(yoff) - chart.RcTRim;
  }

  void Draw(const TrcChartItem& item, int index, bool is_anno, const TLongTextArray& texts);

  // The common case of large data sets, a polyline step that continues the batch with the pen
  // and brush already set, handled without the general dispatch. False when Draw must handle
  // the item; the result is the same either way.
  bool FastStep(const TrcChartItem& it) {
    if (it.ItemKind != tkLineto || it.LWid != ch_.FLastLWidth ||
        (blk_white_ ? clBlack : it.Color) != ch_.FLastPenCol ||
        ValidStyle(it.PenStyle) != ch_.FLastPenStyle || it.FillColor != ch_.FLastBrushCol)
      return false;
    const TPoint p = Main(it);
    if (ch_.FNumPPa > 0 && ch_.FNumPPa < TCustomRChart::kPolyBatch - 1) {
      ch_.FPPa[static_cast<std::size_t>(ch_.FNumPPa++)] = p;
      return true;
    }
    ch_.EnterPolyline(p.X, p.Y, cv_);
    return true;
  }

 private:
  // --- Coordinates.
  int WorldX(double v) const {
    int p;
    if (!mx_.Pixel(v, p)) {
      int unused;
      ch_.R2M(layer_, v, 0, p, unused);
    }
    return Clamp30k(p + ox_);
  }
  int WorldY(double v) const {
    int p;
    if (!my_.Pixel(v, p)) {
      int unused;
      ch_.R2M(layer_, 0, v, unused, p);
    }
    return Clamp30k(p + oy_);
  }
  int ScreenX(double v) const { return Clamp30k(static_cast<long long>(RoundToInt(v)) + xoff_); }
  int ScreenY(double v) const { return Clamp30k(static_cast<long long>(RoundToInt(v)) + yoff_); }
  int X(double v, bool screen) const { return screen ? ScreenX(v) : WorldX(v); }
  int Y(double v, bool screen) const { return screen ? ScreenY(v) : WorldY(v); }
  TPoint Main(const TrcChartItem& it) const {
    const ScreenFlags f = FlagsOf(it.CoordMode);
    return TPoint(X(it.x, f.mx), Y(it.y, f.my));
  }
  TPoint Secondary(const TrcChartItem& it) const {
    const ScreenFlags f = FlagsOf(it.CoordMode);
    return TPoint(X(it.x2, f.sx), Y(it.y2, f.sy));
  }
  TPoint World(double x, double y) const { return TPoint(WorldX(x), WorldY(y)); }
  static TPoint Shift(TPoint p, long long dx, long long dy) {
    return TPoint(Clamp30k(p.X + dx), Clamp30k(p.Y + dy));
  }
  // The pen position the relative kinds continue from.
  TPoint Current() const {
    if (ch_.FNumPPa > 0) return ch_.FPPa[static_cast<std::size_t>(ch_.FNumPPa - 1)];
    return cv_.PenPos();
  }

  // --- Cached state.
  void PenColor(TColor c) {
    if (c == ch_.FLastPenCol) return;
    cv_.Pen().SetColor(c);
    ch_.FLastPenCol = c;
  }
  void PenStyle(TPenStyle s) {
    if (s == ch_.FLastPenStyle) return;
    cv_.Pen().SetStyle(s);
    ch_.FLastPenStyle = s;
  }
  void BrushColor(TColor c) {
    if (c == ch_.FLastBrushCol) return;
    cv_.Brush().SetColor(c);
    ch_.FLastBrushCol = c;
  }
  void FontColor(TColor c) {
    if (c == ch_.FLastFontCol) return;
    cv_.Font().SetColor(c);
    ch_.FLastFontCol = c;
  }
  void Flush() { ch_.FinishPolyLine(cv_); }
  TColor Fill(const TrcChartItem& it) const { return blk_white_ ? clSilver : it.FillColor; }

  // A polyline step: a change of pen colour, pen style or brush colour ends the batch.
  void PolyStep(TColor c, TPenStyle style, TColor fill, TPoint p) {
    if (c != ch_.FLastPenCol || style != ch_.FLastPenStyle || fill != ch_.FLastBrushCol) {
      Flush();
      PenColor(c);
      PenStyle(style);
      BrushColor(fill);
    }
    ch_.EnterPolyline(p.X, p.Y, cv_);
  }

  // --- Kinds.
  void Line(TPoint a, TPoint b);
  void Box(const TrcChartItem& it, TPoint a, TPoint b, bool ellipse);
  void RectFrame(const TrcChartItem& it);
  void Bar3D(const TrcChartItem& it);
  void Arc(const TrcChartItem& it);
  void Arrow(const TrcChartItem& it);
  void Mark(const TrcChartItem& it);
  void ErrorBar(const TrcChartItem& it);
  void Text(const TrcChartItem& it, int index, bool is_anno, const TLongTextArray& texts);
  bool MarkSlotFree(int px, int py, int mark);

  TCustomRChart& ch_;
  TCanvas& cv_;
  bool blk_white_;
  int xoff_, yoff_;
  int layer_ = 1;
  AxisMap mx_, my_;
  double xlo_ = 0, xhi_ = 0, ylo_ = 0, yhi_ = 0;
  long long ox_ = 0, oy_ = 0;
  TColor c_ = clBlack;  // the item's pen colour (black for monochrome output)
};

void TItemRenderer::Draw(const TrcChartItem& it, int index, bool is_anno,
                         const TLongTextArray& texts) {
  const TrcItem kind = it.ItemKind;
  if (kind == tkNone || kind == tkEverything || kind == tkNotMoveTo || kind >= kNumItemKinds)
    return;
  if (!IsTextKind(kind) && it.LWid != ch_.FLastLWidth) {
    Flush();
    cv_.Pen().SetWidth(std::clamp(it.LWid, 1, kMaxPenWidth));
    ch_.FLastLWidth = it.LWid;
  }
  c_ = blk_white_ ? clBlack : it.Color;
  const TPenStyle style = ValidStyle(it.PenStyle);
  switch (kind) {
    case tkLineto:
      PolyStep(c_, style, it.FillColor, Main(it));
      break;
    case tkMoveTo: {
      const TPoint p = Main(it);
      Flush();
      cv_.MoveTo(p.X, p.Y);
      ch_.FLastMoveToX = p.X;
      ch_.FLastMoveToY = p.Y;
      break;
    }
    case tkMoveRelPix: {
      const TPoint p = Shift(Current(), RoundToInt(it.x), RoundToInt(it.y));
      Flush();
      cv_.MoveTo(p.X, p.Y);
      ch_.FLastMoveToX = p.X;
      ch_.FLastMoveToY = p.Y;
      break;
    }
    case tkLineRelPix:
      PolyStep(c_, style, it.FillColor, Shift(Current(), RoundToInt(it.x), RoundToInt(it.y)));
      break;
    case tkLineRelPixOrig: {
      const TPoint a = World(it.x, it.y);
      const TPoint b = Shift(a, RoundToInt(it.x2), RoundToInt(it.y2));
      Flush();
      if (a == b) {
        cv_.SetPixels(a.X, a.Y, c_);
      } else {
        ch_.FLastMoveToX = a.X;
        ch_.FLastMoveToY = a.Y;
        PolyStep(c_, style, it.FillColor, b);
      }
      break;
    }
    case tkLine:
    case tkLineOffs: {
      Flush();
      PenColor(c_);
      PenStyle(style);
      BrushColor(it.FillColor);
      if (kind == tkLine) {
        Line(Main(it), Secondary(it));
      } else {
        Line(Shift(World(it.x, it.y), it.Param1, it.Param2),
             Shift(World(it.x2, it.y2), it.Param1, it.Param2));
      }
      break;
    }
    case tkRect:
      Box(it, Main(it), Secondary(it), false);
      break;
    case tkRectRelPix: {
      const TPoint c = World(it.x, it.y);
      Box(it, Shift(c, -static_cast<long long>(it.Param1), -static_cast<long long>(it.Param2)),
          Shift(c, it.Param1, it.Param2), false);
      break;
    }
    case tkEllipse:
      Box(it, World(it.x - it.x2, it.y + it.y2), World(it.x + it.x2, it.y - it.y2), true);
      break;
    case tkRectFrame:
      RectFrame(it);
      break;
    case tk3DBar:
      Bar3D(it);
      break;
    case tkArc:
      Arc(it);
      break;
    case tkArrow:
    case tkDoubleArrow:
      Arrow(it);
      break;
    case tkMarkAt:
      Mark(it);
      break;
    case tkMarkEBar:
      ErrorBar(it);
      break;
    case tkText:
    case tkTextOfs:
      Text(it, index, is_anno, texts);
      break;
    case tkCursorVert: {
      Flush();
      PenColor(c_);
      PenStyle(style);
      BrushColor(it.FillColor);
      const int x = X(it.x, FlagsOf(it.CoordMode).mx);
      const int bottom =
          Clamp30k(static_cast<long long>(ch_.Height()) - ch_.RcBRim - ch_.RcTRim + yoff_);
      cv_.MoveTo(x, yoff_);
      cv_.LineTo(x, bottom);
      break;
    }
    case tkCursorHoriz: {
      Flush();
      PenColor(c_);
      PenStyle(style);
      BrushColor(it.FillColor);
      const int y = Y(it.y, FlagsOf(it.CoordMode).my);
      const int right =
          Clamp30k(static_cast<long long>(ch_.Width()) - ch_.RcLRim - ch_.RcRRim + xoff_);
      cv_.MoveTo(xoff_, y);
      cv_.LineTo(right, y);
      break;
    }
    default:
      break;
  }
}

// A line from a to b, or the single pixel when both coincide (a line excludes its end pixel
// and would draw nothing).
void TItemRenderer::Line(TPoint a, TPoint b) {
  if (a == b) {
    cv_.SetPixels(a.X, a.Y, c_);
    return;
  }
  cv_.MoveTo(a.X, a.Y);
  cv_.LineTo(b.X, b.Y);
}

// Rectangles and ellipses between two corners, both corners included.
void TItemRenderer::Box(const TrcChartItem& it, TPoint a, TPoint b, bool ellipse) {
  Flush();
  PenColor(c_);
  BrushColor(Fill(it));
  PenStyle(ValidStyle(it.PenStyle));
  cv_.Brush().SetStyle(it.Transp ? bsClear : bsSolid);
  if (a == b) {
    cv_.SetPixels(a.X, a.Y, c_);
    return;
  }
  const int l = std::min(a.X, b.X), r = std::max(a.X, b.X) + 1;
  const int t = std::min(a.Y, b.Y), btm = std::max(a.Y, b.Y) + 1;
  if (ellipse)
    cv_.Ellipse(l, t, r, btm);
  else
    cv_.Rectangle(l, t, r, btm);
}

void TItemRenderer::RectFrame(const TrcChartItem& it) {
  Flush();
  const TPoint a = Main(it), b = Secondary(it);
  const int L = std::min(a.X, b.X), R = std::max(a.X, b.X);
  const int T = std::min(a.Y, b.Y), B = std::max(a.Y, b.Y);
  const TColor f = Fill(it);
  PenStyle(ValidStyle(it.PenStyle));
  PenColor(f);
  BrushColor(f);
  if (a == b) {
    cv_.SetPixels(a.X, a.Y, f);
  } else {
    cv_.Rectangle(L, T, R, B);
  }
  const auto path = [&](TColor c, std::initializer_list<TPoint> pts) {
    PenColor(c);
    auto p = pts.begin();
    cv_.MoveTo(p->X, p->Y);
    for (++p; p != pts.end(); ++p) cv_.LineTo(p->X, p->Y);
  };
  const TColor S = it.ShadowColor, K = it.HiLightColor;
  switch (it.FrameStyle) {
    case rbLowered:
    case rbRaised: {
      const bool lowered = it.FrameStyle == rbLowered;
      path(lowered ? S : K, {TPoint(L, B), TPoint(L, T), TPoint(R, T)});
      path(lowered ? K : S, {TPoint(R, T), TPoint(R, B), TPoint(L, B)});
      break;
    }
    case rbEmbossed:
    case rbEngraved: {
      const bool embossed = it.FrameStyle == rbEmbossed;
      path(embossed ? S : K, {TPoint(L + 1, B), TPoint(L + 1, T + 1), TPoint(R, T + 1),
                              TPoint(R, B), TPoint(L + 1, B)});
      path(embossed ? K : S, {TPoint(L, B - 1), TPoint(L, T), TPoint(R - 1, T),
                              TPoint(R - 1, B - 1), TPoint(L, B - 1)});
      break;
    }
    default:
      break;
  }
}

void TItemRenderer::Bar3D(const TrcChartItem& it) {
  Flush();
  PenColor(c_);
  BrushColor(Fill(it));
  PenStyle(ValidStyle(it.PenStyle));
  const TPoint a = World(it.x, it.y), b = World(it.x2, it.y2);
  int x1 = std::min(a.X, b.X), x2 = std::max(a.X, b.X);
  const int top = std::min(a.Y, b.Y), bottom = std::max(a.Y, b.Y);
  const double angle = it.Param1 * (std::numbers::pi / 180);
  const long long e = RoundToInt(std::cos(angle) * it.Param2);
  const long long f = RoundToInt(std::sin(angle) * it.Param2);
  if (it.Param1 > 90) std::swap(x1, x2);
  const auto P = [](long long x, long long y) { return TPoint(Clamp30k(x), Clamp30k(y)); };
  const TPoint top_face[4] = {P(x1, top), P(x1 + e, top - f), P(x2 + e, top - f), P(x2, top)};
  cv_.Polygon(top_face);
  const TPoint side_face[4] = {P(x2 + e, top - f), P(x2, top), P(x2, bottom),
                               P(x2 + e, bottom - f)};
  cv_.Polygon(side_face);
  cv_.Rectangle(std::min(x1, x2), top, std::max(x1, x2) + 1, bottom + 1);
}

void TItemRenderer::Arc(const TrcChartItem& it) {
  Flush();
  PenColor(c_);
  const TPoint a = World(it.x - it.x2, it.y - it.y2), b = World(it.x + it.x2, it.y + it.y2);
  if (a == b) {
    cv_.SetPixels(a.X, a.Y, c_);
    return;
  }
  const TPoint c = World(it.x, it.y);
  const double a1 = it.Param1 / 1e8, a2 = it.Param2 / 1e8;
  cv_.Arc(std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X) + 1, std::max(a.Y, b.Y) + 1,
          c.X + RoundToInt(std::cos(a1) * 1e8), c.Y - RoundToInt(std::sin(a1) * 1e8),
          c.X + RoundToInt(std::cos(a2) * 1e8), c.Y - RoundToInt(std::sin(a2) * 1e8));
}

void TItemRenderer::Arrow(const TrcChartItem& it) {
  Flush();
  PenColor(c_);
  BrushColor(Fill(it));
  PenStyle(ValidStyle(it.PenStyle));
  cv_.Brush().SetStyle(it.Transp ? bsClear : bsSolid);
  const TPoint p1 = Main(it), p2 = Secondary(it);
  if (p1 == p2) {
    cv_.SetPixels(p1.X, p1.Y, c_);
    return;
  }
  cv_.MoveTo(p1.X, p1.Y);
  cv_.LineTo(p2.X, p2.Y);
  const double h = it.Param1;
  if (h < 1) return;
  constexpr double pi = std::numbers::pi;
  double alpha;
  const long long dx = static_cast<long long>(p2.X) - p1.X;
  const long long dy = static_cast<long long>(p2.Y) - p1.Y;
  if (dx == 0)
    alpha = dy >= 1 ? pi : 2 * pi;
  else
    alpha = std::atan(static_cast<double>(dy) / static_cast<double>(dx)) +
            (dx > 0 ? pi / 2 : 3 * pi / 2);
  const long long sp = RoundToInt(std::sin(alpha + kHeadAngle) * h);
  const long long cp = RoundToInt(std::cos(alpha + kHeadAngle) * h);
  const long long sm = RoundToInt(std::sin(alpha - kHeadAngle) * h);
  const long long cm = RoundToInt(std::cos(alpha - kHeadAngle) * h);
  // A head's corners: its point and the two ends of its flanks (sign -1 at the tip, where the
  // flanks reach back along the shaft, +1 at the tail).
  const auto head = [&](TPoint p, int sign) {
    const TPoint c1(Clamp30k(p.X + sign * sp), Clamp30k(p.Y - sign * cp));
    const TPoint c2(Clamp30k(p.X + sign * sm), Clamp30k(p.Y - sign * cm));
    if (!it.Transp) {
      const TPoint tri[3] = {p, c1, c2};
      cv_.Polygon(tri);
    } else {
      cv_.MoveTo(p.X, p.Y);
      cv_.LineTo(c1.X, c1.Y);
      cv_.MoveTo(p.X, p.Y);
      cv_.LineTo(c2.X, c2.Y);
    }
  };
  if (it.ItemKind == tkDoubleArrow) head(p1, 1);
  head(p2, -1);
}

// The occupancy test of duplicate-mark suppression: a mark is dropped when the cell under its
// centre holds its type; otherwise it claims the square of 2d + 1 cells around its centre.
bool TItemRenderer::MarkSlotFree(int px, int py, int mark) {
  const int d = ch_.FDupMarksMinD;
  const int w = ch_.FPixMapW, h = ch_.FPixMapH;
  std::int32_t* map = ch_.FPixMap.data();
  const long long cx = static_cast<long long>(px) + d, cy = static_cast<long long>(py) + d;
  if (cx >= 0 && cx < w && cy >= 0 && cy < h && map[cy * w + cx] == mark) return false;
  const int x0 = static_cast<int>(std::max<long long>(px, 0));
  const int x1 = static_cast<int>(std::min<long long>(static_cast<long long>(px) + 2 * d, w - 1));
  const int y0 = static_cast<int>(std::max<long long>(py, 0));
  const int y1 = static_cast<int>(std::min<long long>(static_cast<long long>(py) + 2 * d, h - 1));
  for (int y = y0; y <= y1; ++y) {
    std::int32_t* row = map + static_cast<std::ptrdiff_t>(y) * w;
    for (int x = x0; x <= x1; ++x) row[x] = mark;
  }
  return true;
}

void TItemRenderer::Mark(const TrcChartItem& it) {
  const bool screen = it.CoordMode != cmAllWorld;
  if (screen) {
    const double w = static_cast<double>(ch_.Width()) - ch_.RcRRim - ch_.RcLRim;
    const double h = static_cast<double>(ch_.Height()) - ch_.RcBRim - ch_.RcTRim;
    if (!(0 <= it.x && it.x <= w && 0 <= it.y && it.y <= h)) return;
  } else if (!(xlo_ <= it.x && it.x <= xhi_ && ylo_ <= it.y && it.y <= yhi_)) {
    return;
  }
  Flush();
  PenColor(c_);
  PenStyle(ValidStyle(it.PenStyle));
  const int px = screen ? ScreenX(it.x) : WorldX(it.x);
  const int py = screen ? ScreenY(it.y) : WorldY(it.y);
  if (ch_.FAvoidDupMarks && !ch_.FPixMap.empty() && !MarkSlotFree(px, py, it.Param3)) return;
  DrawMarkOnCanvas(cv_, it.Param3, px, py);
}

void TItemRenderer::ErrorBar(const TrcChartItem& it) {
  const double lower = std::fabs(it.x2), upper = std::fabs(it.y2);
  if (!(it.x - lower <= xhi_ && it.x + upper >= xlo_ && it.y - lower <= yhi_ &&
        it.y + upper >= ylo_))
    return;
  Flush();
  PenColor(c_);
  PenStyle(ValidStyle(it.PenStyle));
  BrushColor(it.FillColor);
  const TPoint c = World(it.x, it.y);
  if (it.Param1 != 0) {
    for (const double v : {it.x - lower, it.x + upper}) {
      const int vx = WorldX(v);
      cv_.MoveTo(c.X, c.Y);
      cv_.LineTo(vx, c.Y);
      cv_.MoveTo(vx, c.Y - 3);
      cv_.LineTo(vx, c.Y + 4);
    }
  } else {
    for (const double v : {it.y - lower, it.y + upper}) {
      const int vy = WorldY(v);
      cv_.MoveTo(c.X, c.Y);
      cv_.LineTo(c.X, vy);
      cv_.MoveTo(c.X - 3, vy);
      cv_.LineTo(c.X + 4, vy);
    }
  }
  DrawMarkOnCanvas(cv_, it.Param3, c.X, c.Y);
}

void TItemRenderer::Text(const TrcChartItem& stored, int index, bool is_anno,
                         const TLongTextArray& texts) {
  // The text hook may change the chart's containers: work on a copy of the item.
  const TrcChartItem it = stored;
  Flush();
  FontColor(c_);
  TFont& font = cv_.Font();
  font.SetName(ch_.FTextFont.Name());
  font.SetStyle(ch_.FTextFont.Style());
  font.SetSize(it.Param1);
  const TColor bkg = blk_white_ ? clWhite : it.FillColor;
  BrushColor(bkg);
  const bool solid = it.Param2 != 0;
  cv_.Brush().SetStyle(solid ? bsSolid : bsClear);
  TPoint p;
  if (it.ItemKind == tkText) {
    p = Main(it);
  } else {
    int rx = 0, ry = 0;
    ch_.R2M(it.Layer, it.x, it.y, rx, ry);
    const double sx = std::min(static_cast<double>(rx) + it.x2, 2147483647.0);
    const double sy = std::max(static_cast<double>(ry) + it.y2, -2147483647.0);
    p = TPoint(Clamp30k(RoundToInt(sx) + ox_), Clamp30k(RoundToInt(sy) + oy_));
  }
  std::string text = ItemText(it, texts);
  if (ch_.OnBeforeRenderText) ch_.OnBeforeRenderText(&ch_, text, index, is_anno);
  if (!FontUsable(cv_)) return;
  int h = 0, total = 0, w = 0;
  const int n = ch_.CalcTextExtents(text, cv_, h, total, w);
  long long px = p.X, py = p.Y - h / 2;
  if (it.Param3 == taRightJustify)
    px -= w;
  else if (it.Param3 == taCenter)
    px -= w / 2;
  const auto I = [](long long v) {
    return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
  };
  if (n <= 1) {
    cv_.TextOut(I(px), I(py), text);
    return;
  }
  if (solid) {
    PenColor(bkg);
    cv_.Rectangle(I(px - 4), I(py - 2), I(px + w + 4), I(py + static_cast<long long>(n) * h + 2));
  }
  std::size_t start = 0;
  for (int k = 0; k < n; ++k) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string_view line(text.data() + start, end - start);
    const int wk = cv_.TextWidth(line);
    long long s = 0;
    if (it.Param3 == taRightJustify)
      s = w - wk;
    else if (it.Param3 == taCenter)
      s = (w - wk) / 2;
    cv_.TextOut(I(px + s), I(py + static_cast<long long>(k) * h), line);
    start = end + 1;
  }
}

// ---------------------------------------------------------------------------------------------
// The chart's side

void TCustomRChart::SetAvoidDuplicateMarks(bool value) {
  if (value == FAvoidDupMarks) return;
  FAvoidDupMarks = value;
  Repaint();
}

void TCustomRChart::SetMinDupMarkDist(int value) {
  value = std::clamp(value, 1, 3);
  if (value == FDupMarksMinD) return;
  FDupMarksMinD = value;
  Repaint();
}

void TCustomRChart::PrepareRenderState(TCanvas& Canvas, int XOffset, int YOffset) {
  if (FAvoidDupMarks) {
    const int d = FDupMarksMinD;
    FPixMapW = std::max(0, Width()) + 2 * d;
    FPixMapH = std::max(0, Height()) + 2 * d;
    FPixMap.assign(static_cast<std::size_t>(FPixMapW) * static_cast<std::size_t>(FPixMapH), -1);
  } else {
    FPixMap.clear();
    FPixMap.shrink_to_fit();
    FPixMapW = FPixMapH = 0;
  }
  Canvas.Pen().SetWidth(std::clamp<int>(RcLineWid, 1, kMaxPenWidth));
  FLastLWidth = RcLineWid;
  Canvas.MoveTo(XOffset, YOffset);
  FLastMoveToX = XOffset;
  FLastMoveToY = YOffset;
  FNumPPa = 0;
  Canvas.Pen().SetColor(RcChartCol);
  Canvas.Pen().SetStyle(psSolid);
  Canvas.Brush().SetColor(RcChartCol);
  Canvas.Font().SetColor(RcChartCol);
  Canvas.SetTextAlign(TA_LEFT | TA_TOP);
  FLastPenCol = RcChartCol;
  FLastPenStyle = psSolid;
  FLastBrushCol = RcChartCol;
  FLastFontCol = RcChartCol;
}

void TCustomRChart::EnterPolyline(int x, int y, TCanvas& Canvas) {
  if (FNumPPa == 0) FPPa[0] = TPoint(FLastMoveToX, FLastMoveToY), FNumPPa = 1;
  FPPa[static_cast<std::size_t>(FNumPPa++)] = TPoint(x, y);
  if (FNumPPa == kPolyBatch) {
    FinishPolyLine(Canvas);
    FPPa[0] = TPoint(x, y);
    FNumPPa = 1;
  }
}

void TCustomRChart::FinishPolyLine(TCanvas& Canvas) {
  if (FNumPPa <= 0) return;
  const TPoint last = FPPa[static_cast<std::size_t>(FNumPPa - 1)];
  // A single pending point is the end of the batch drawn before: nothing new to draw.
  if (FNumPPa >= 2)
    Canvas.Polyline(std::span<const TPoint>(FPPa.data(), static_cast<std::size_t>(FNumPPa)));
  Canvas.MoveTo(last.X, last.Y);
  FLastMoveToX = last.X;
  FLastMoveToY = last.Y;
  FNumPPa = 0;
}

int TCustomRChart::CalcTextExtents(std::string_view Text, TCanvas& Canvas, int& LineHeight,
                                   int& TotalHeight, int& MaxWidth) {
  int n = 0;
  MaxWidth = 0;
  LineHeight = 0;
  TotalHeight = 0;
  if (!FontUsable(Canvas)) return 0;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = Text.find('\n', start);
    const std::string_view line =
        Text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    MaxWidth = std::max(MaxWidth, Canvas.TextWidth(line));
    ++n;
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  if (MaxWidth == 0) MaxWidth = Canvas.TextWidth(Text);
  LineHeight = Canvas.TextHeight(Text) + 1;
  TotalHeight = LineHeight * n;
  return n;
}

void TCustomRChart::DoOnBeforeRenderChartItem(TObject* Sender, TrcChartItem& ChartItem, int Index,
                                              bool IsAnnotation) {
  if (OnBeforeRenderChartItem) OnBeforeRenderChartItem(Sender, ChartItem, Index, IsAnnotation);
}

void TCustomRChart::DrawContainerItemOnCanvas(TCanvas& Canvas, const TrcChartItem& Item, int Index,
                                              bool IsAnnotation, const TLongTextArray& LongTexts,
                                              bool BlkWhite, int XOffset, int YOffset) {
  TItemRenderer(*this, Canvas, BlkWhite, XOffset, YOffset, Item.Layer)
      .Draw(Item, Index, IsAnnotation, LongTexts);
}

void TCustomRChart::RenderContainers(TCanvas& Canvas, int XOffset, int YOffset, bool BlkWhite,
                                     int FirstItem) {
  const auto LayerShown = [this](std::int32_t L) {
    return (L == 1 || L == 2) && FLayerVisib[static_cast<std::size_t>(L - 1)];
  };
  // Handlers may add or remove items: counts and slots are read again for every item, and a
  // handler's item is a copy.
  const auto draw_data = [&] {
    // Renderers, one per layer, made when needed and dropped after every item whose drawing
    // runs handlers (they may change the transformation).
    std::optional<TItemRenderer> fast[2];
    for (int i = std::max(0, FirstItem); i < FNumChartItems && i < FDataContainer->Size(); ++i) {
      const TrcChartItem& it = (*FDataContainer)[i];
      // Streaming a million 104-byte items is bound by memory: fetch ahead, and without keeping
      // them in the caches the pixels live in.
      if (i + 16 < FNumChartItems && i + 16 < FDataContainer->Size())
        __builtin_prefetch(&(*FDataContainer)[i + 16], 0, 0);
      if (!FItClassVisib[it.ItemClass] || !LayerShown(it.Layer)) continue;
      if (OnBeforeRenderChartItem) {
        TrcChartItem copy = it;
        DoOnBeforeRenderChartItem(this, copy, i, false);
        DrawContainerItemOnCanvas(Canvas, copy, i, false, FLongTextsData, BlkWhite, XOffset,
                                  YOffset);
        fast[0].reset();
        fast[1].reset();
        continue;
      }
      if (IsTextKind(it.ItemKind)) {
        DrawContainerItemOnCanvas(Canvas, it, i, false, FLongTextsData, BlkWhite, XOffset, YOffset);
        fast[0].reset();
        fast[1].reset();
        continue;
      }
      // Only texts run user code (OnBeforeRenderText): for every other kind the renderer of the
      // item's layer stays valid and is reused.
      std::optional<TItemRenderer>& r = fast[it.Layer - 1];
      if (!r) r.emplace(*this, Canvas, BlkWhite, XOffset, YOffset, it.Layer);
      if (!r->FastStep(it)) r->Draw(it, i, false, FLongTextsData);
    }
    FinishPolyLine(Canvas);
  };
  // pass 0: every visible annotation; pass 1: all but texts; pass 2: texts only.
  const auto draw_annos = [&](int pass) {
    for (int i = 0; i < FNumAnnoItems && i < FAnnoContainer->Size(); ++i) {
      TrcChartItem copy = (*FAnnoContainer)[i];
      if (!FAnnoClassVisib[copy.ItemClass] || !LayerShown(copy.Layer)) continue;
      if (pass != 0 && IsTextKind(copy.ItemKind) != (pass == 2)) continue;
      DoOnBeforeRenderChartItem(this, copy, i, true);
      DrawContainerItemOnCanvas(Canvas, copy, i, true, FLongTextsAnno, BlkWhite, XOffset, YOffset);
    }
  };
  if (!FAnnoBelowChart) draw_data();
  if (FAnnosVisible) {
    if (FAnnoTextOnTop) {
      draw_annos(1);
      draw_annos(2);
    } else {
      draw_annos(0);
    }
    FinishPolyLine(Canvas);
  }
  if (FAnnoBelowChart) draw_data();
}

void TCustomRChart::RenderItems(TCanvas& Canvas) {
  PrepareRenderState(Canvas, 0, 0);
  RenderContainers(Canvas, 0, 0, false, 0);
}

}  // namespace kiv
