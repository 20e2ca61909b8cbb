// The drawing of single chart items shared by the item loop and the kinds: coordinate
// resolution (world through the layer's transformation, screen rounded, both clamped), the
// cached pen, brush and font state, and the fast path of polyline steps.
#pragma once

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstring>
#include <string>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "platform/errors.h"
#include "platform/fine_canvas.h"
#include "rchart/customrchart.h"
#include "services/rounding.h"

namespace kiv {

namespace itemdraw {

// Drawing coordinates stay within this many pixels of the data area's origin, so that the
// rasteriser never works near the int limits.
inline constexpr long long kCoordLimit = 30000;
// Pen widths from files are not checked when stored; wider pens than this are drawn this wide,
// so that a corrupt width cannot make a pen of gigabytes.
inline constexpr int kMaxPenWidth = 1000;

inline int Clamp30k(long long v) {
  return static_cast<int>(std::clamp(v, -kCoordLimit, kCoordLimit));
}
inline int ClampTo(long long v, long long limit) {
  return static_cast<int>(std::clamp(v, -limit, limit));
}

// One axis of a layer's transformation. R2M computes in long double; most values are mapped in
// double arithmetic here instead, which is several times faster in the item loop, and only a
// value that lands too close to a half pixel for the double result to be certain (or far out,
// or on a logarithmic axis) goes through R2M itself. Pixels are therefore always R2M's.
struct AxisMap {
  double k = 0, d = 0;
  // How far the double result may be from R2M's for any value that maps within 1e9 pixels:
  // a few units in the last place of |k v| + |d| + |k v + d| <= 2e9 + 2 |d|; infinite when R2M
  // must map every value (logarithmic axes, parameters that are not finite).
  double bound = INFINITY;
  AxisMap() = default;
  AxisMap(double k_, double d_, bool fast) : k(k_), d(d_) {
    if (fast) bound = 4 * DBL_EPSILON * (2.1e9 + 2 * std::fabs(d));
  }
  // The nearest integer to k * v + d, or false when R2M must decide.
  bool Pixel(double v, int& out) const {
    const double p = k * v + d;
    if (!(std::fabs(p) < 1e9)) return false;  // also NaN
    // Adding and taking away 1.5 * 2^52 rounds to the nearest integer (|p| < 2^51).
    constexpr double kShift = 6755399441055744.0;
    const double r = (p + kShift) - kShift;
    if (0.5 - std::fabs(p - r) <= bound) return false;
    out = static_cast<int>(r);
    return true;
  }
};

// Which values of an item are screen pixels: main x, main y, secondary x, secondary y.
struct ScreenFlags {
  bool mx, my, sx, sy;
};
inline constexpr ScreenFlags kModeFlags[6] = {{false, false, false, false},  // cmAllWorld
                                              {true, true, true, true},      // cmAllScreen
                                              {false, false, true, true},    // cmWorldMainScreenSec
                                              {true, true, false, false},    // cmScreenMainWorldSec
                                              {true, false, true, false},    // cmXScreenYWorld
                                              {false, true, false, true}};   // cmXWorldYScreen
inline ScreenFlags FlagsOf(TCoordMode m) {
  return m < 6 ? kModeFlags[m] : kModeFlags[cmAllWorld];
}

inline TPenStyle ValidStyle(TPenStyle s) {
  return s <= psAlternate ? s : psSolid;
}

// Whether the canvas can measure and draw text (the system may have no fonts at all).
inline bool FontUsable(const TCanvas& c) {
  try {
    c.Font().Instance();
    return true;
  } catch (const EPlatformError&) {
    return false;
  }
}

// Whether the main point of an item is finite.
inline bool FinitePoint(const TrcChartItem& it) {
  return std::isfinite(it.x) && std::isfinite(it.y);
}

// Whether an item has a value that is not finite among the coordinates its kind reads: the
// cursors one of their main values, every kind its main point, the kinds with a second point,
// pixel offsets or error values those too.
inline bool MissingValue(const TrcChartItem& it) {
  if (it.ItemKind == tkCursorVert) return !std::isfinite(it.x);
  if (it.ItemKind == tkCursorHoriz) return !std::isfinite(it.y);
  if (!FinitePoint(it)) return true;
  const bool second = HasSecondaryPoint(it.ItemKind) || it.ItemKind == tkLineRelPixOrig ||
                      it.ItemKind == tkTextOfs || it.ItemKind == tkMarkEBar;
  return second && !(std::isfinite(it.x2) && std::isfinite(it.y2));
}

// The text of a text item: its long-text entry when it names a used one, else the 8-bit field.
inline std::string ItemText(const TrcChartItem& item, const TLongTextArray& table) {
  if (item.LWid >= 1 && item.LWid <= kMaxLongTexts) {
    const std::string& s = table[static_cast<std::size_t>(item.LWid - 1)];
    if (!s.empty()) return s;
  }
  return ItemTextToUtf8(item.Text);
}

}  // namespace itemdraw

// Draws items for the chart with the chart's cached state. It holds the item layer's mapping
// and ranges, so it may serve further items of that layer as long as no user code has run in
// between (which could change ranges or margins).
//
// With a fine canvas (fine_canvas.h, the canvas itself) the geometry is computed at its
// resolution, s times the picture's: a world value goes to round(s (k v + d)) plus the offset of
// the block centres, computed as R2M computes (R2MScaled), so that a pixel of the picture lands
// on the centre of its block and everything between lands on the nearest pixel of the magnified
// picture; screen values and pixel offsets are multiplied by s before rounding. Pens, marks and
// texts keep their sizes in the picture's pixels. Duplicate marks are judged on the picture's
// pixels, so that the same marks are drawn as in the picture. With s = 1 every formula is the
// picture's own.
class TItemRenderer {
 public:
  TItemRenderer(TCustomRChart& chart, TCanvas& canvas, bool blk_white, int xoff, int yoff,
                int layer, TFineCanvas* fine = nullptr)
      : ch_(chart), cv_(canvas), blk_white_(blk_white), xoff_(xoff), yoff_(yoff), fine_(fine) {
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
    s_ = fine ? fine->Scale() : 1;
    o_ = fine ? fine->Offset() : 0;
    lim_ = itemdraw::kCoordLimit * s_;
    mx_ = itemdraw::AxisMap(m.k[0] * s_, m.d[0] * s_, m.fast[0]);
    my_ = itemdraw::AxisMap(m.k[1] * s_, m.d[1] * s_, m.fast[1]);
    if (fine) {
      px_ = itemdraw::AxisMap(m.k[0], m.d[0], m.fast[0]);
      py_ = itemdraw::AxisMap(m.k[1], m.d[1], m.fast[1]);
    }
    // The layer's ranges, ordered (marks are drawn inside them for either orientation).
    const TScaleProps& px = *chart.FScalePropsX[L];
    const TScaleProps& py = *chart.FScalePropsY[L];
    xlo_ = std::min(px.RangeLow(), px.RangeHigh());
    xhi_ = std::max(px.RangeLow(), px.RangeHigh());
    ylo_ = std::min(py.RangeLow(), py.RangeHigh());
    yhi_ = std::max(py.RangeLow(), py.RangeHigh());
    ox_ = s_ * (static_cast<long long>(xoff) - chart.RcLRim) + o_;
    oy_ = s_ * (static_cast<long long>(yoff) - chart.RcTRim) + o_;
#ifdef __SSE2__
    pk_ = _mm_set_pd(my_.k, mx_.k);
    pd_ = _mm_set_pd(my_.d, mx_.d);
    pbound_ = _mm_set_pd(my_.bound, mx_.bound);
    poff_ = _mm_set_pd(static_cast<double>(oy_), static_cast<double>(ox_));
    plo_ = _mm_set_pd(ylo_, xlo_);
    phi_ = _mm_set_pd(yhi_, xhi_);
    plim_ = _mm_set1_pd(static_cast<double>(lim_));
    plow_ = _mm_set1_pd(-static_cast<double>(lim_));
#endif
  }

  void Draw(const TrcChartItem& item, int index, bool is_anno, const TLongTextArray& texts);

  // The common case of large data sets, a polyline step that continues the batch with the pen
  // and brush already set, handled without the general dispatch. False when Draw must handle
  // the item; the result is the same either way.
  bool FastStep(const TrcChartItem& it) {
    if (it.ItemKind != tkLineto || it.LWid != ch_.FLastLWidth ||
        (blk_white_ ? clBlack : it.Color) != ch_.FLastPenCol ||
        itemdraw::ValidStyle(it.PenStyle) != ch_.FLastPenStyle ||
        it.FillColor != ch_.FLastBrushCol ||
        (ch_.FMissingGaps && (ch_.FPenLifted || !itemdraw::FinitePoint(it))))
      return false;
    Push(Main(it));
    return true;
  }

  // Runs of items that continue what the item before them started, each in a loop of its own
  // (rchart_runs.cpp): from index i, right after a polyline step or a mark that this renderer
  // drew, up to the first item that is not a visible item of that kind, layer, pen and brush
  // (hidden items are skipped, as in the item loop). Return the index of that item. Only while
  // no user code runs between items (no OnBeforeRenderChartItem handler).
  int LineRun(const TRcItemContainer& items, int i, int end);
  int MarkRun(const TRcItemContainer& items, int i, int end);

 private:
  // --- Coordinates (at the canvas's resolution).
  int WorldX(double v) const {
    int p;
    if (!mx_.Pixel(v, p)) {
      int unused;
      ch_.R2MScaled(layer_, v, 0, s_, p, unused);
    }
    return itemdraw::ClampTo(p + ox_, lim_);
  }
  int WorldY(double v) const {
    int p;
    if (!my_.Pixel(v, p)) {
      int unused;
      ch_.R2MScaled(layer_, 0, v, s_, unused, p);
    }
    return itemdraw::ClampTo(p + oy_, lim_);
  }
  int ScreenX(double v) const {
    return itemdraw::ClampTo(RoundToInt(v * s_) + Centre(xoff_), lim_);
  }
  int ScreenY(double v) const {
    return itemdraw::ClampTo(RoundToInt(v * s_) + Centre(yoff_), lim_);
  }
  // The centre of the block of picture pixel v; a length of v picture pixels; a length in
  // picture pixels rounded at the canvas's resolution.
  long long Centre(long long v) const {
    return s_ * v + o_;
  }
  long long Len(long long v) const {
    return s_ * v;
  }
  long long RoundLen(double v) const {
    return RoundToInt(v * s_);
  }
  // The picture's own pixel of a mark's centre (duplicate marks are judged there).
  TPoint PicturePixel(const TrcChartItem& it, bool screen) const;
  int X(double v, bool screen) const {
    return screen ? ScreenX(v) : WorldX(v);
  }
  int Y(double v, bool screen) const {
    return screen ? ScreenY(v) : WorldY(v);
  }
  TPoint Main(const TrcChartItem& it) const {
    const itemdraw::ScreenFlags f = itemdraw::FlagsOf(it.CoordMode);
    return TPoint(X(it.x, f.mx), Y(it.y, f.my));
  }
  TPoint Secondary(const TrcChartItem& it) const {
    const itemdraw::ScreenFlags f = itemdraw::FlagsOf(it.CoordMode);
    return TPoint(X(it.x2, f.sx), Y(it.y2, f.sy));
  }
  TPoint World(double x, double y) const {
    return TPoint(WorldX(x), WorldY(y));
  }
  // The main point of a world item: World(it.x, it.y), both axes at once where the double
  // results are certain.
  TPoint WorldMain(const TrcChartItem& it) const {
#ifdef __SSE2__
    const __m128d v = _mm_loadu_pd(&it.x);  // x, y
    const __m128d p = _mm_add_pd(_mm_mul_pd(v, pk_), pd_);
    const __m128d abs_mask = _mm_castsi128_pd(_mm_set1_epi64x(0x7FFFFFFFFFFFFFFFLL));
    const __m128d shift = _mm_set1_pd(6755399441055744.0);
    const __m128d r = _mm_sub_pd(_mm_add_pd(p, shift), shift);
    const __m128d margin = _mm_sub_pd(_mm_set1_pd(0.5), _mm_and_pd(_mm_sub_pd(p, r), abs_mask));
    const __m128d ok = _mm_and_pd(_mm_cmplt_pd(_mm_and_pd(p, abs_mask), _mm_set1_pd(1e9)),
                                  _mm_cmpgt_pd(margin, pbound_));
    if (_mm_movemask_pd(ok) == 3) {
      // The pixels plus the offsets, clamped as ClampTo does; all values are exact.
      const __m128d c = _mm_min_pd(_mm_max_pd(_mm_add_pd(r, poff_), plow_), plim_);
      const __m128i q = _mm_cvttpd_epi32(c);
      return TPoint(_mm_cvtsi128_si32(q), _mm_cvtsi128_si32(_mm_shuffle_epi32(q, 1)));
    }
#endif
    return World(it.x, it.y);
  }
  // Whether a world point lies inside the layer's ranges, bounds included (NaN does not).
  bool InRanges(const TrcChartItem& it) const {
#ifdef __SSE2__
    const __m128d v = _mm_loadu_pd(&it.x);
    return _mm_movemask_pd(_mm_and_pd(_mm_cmple_pd(plo_, v), _mm_cmple_pd(v, phi_))) == 3;
#else
    return xlo_ <= it.x && it.x <= xhi_ && ylo_ <= it.y && it.y <= yhi_;
#endif
  }
  TPoint Shift(TPoint p, long long dx, long long dy) const {
    return TPoint(itemdraw::ClampTo(p.X + dx, lim_), itemdraw::ClampTo(p.Y + dy, lim_));
  }
  // The pen position the relative kinds continue from.
  TPoint Current() const {
    if (ch_.FNumPPa > 0) return ch_.FPPa[static_cast<std::size_t>(ch_.FNumPPa - 1)];
    return cv_.PenPos();
  }

  bool Shown(const TrcChartItem& it) const;
  // Line runs (rchart_runs.cpp): the pen a run keeps and the step that started it.
  struct LineRunPen {
    std::int32_t width;
    TColor color, brush;
    TPenStyle style;
    int first;
  };
  bool Continues(const TrcChartItem& it, const LineRunPen& pen) const;
  // The points of the run's steps from item i on to sink, collapsed by columns when asked (the
  // column of `from`, the pen position, continues); returns the index of the first item the run
  // does not take.
  template <typename Sink>
  int ScanLine(const TRcItemContainer& items, int i, int end, const LineRunPen& pen, bool collapse,
               TPoint from, Sink&& sink) const;
  // The next point of the pending polyline.
  void Push(TPoint p) {
    if (ch_.FNumPPa > 0 && ch_.FNumPPa < TCustomRChart::kPolyBatch - 1) {
      ch_.FPPa[static_cast<std::size_t>(ch_.FNumPPa++)] = p;
      return;
    }
    ch_.EnterPolyline(p.X, p.Y, cv_);
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
  void Flush() {
    ch_.FinishPolyLine(cv_);
  }
  TColor Fill(const TrcChartItem& it) const {
    return blk_white_ ? clSilver : it.FillColor;
  }

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
  // The first step after a missing value: with the pen of PolyStep, it ends the line before and
  // starts a new one at its point.
  void StepAfterGap(TColor c, TPenStyle style, TColor fill, TPoint p) {
    if (c != ch_.FLastPenCol || style != ch_.FLastPenStyle || fill != ch_.FLastBrushCol) {
      Flush();
      PenColor(c);
      PenStyle(style);
      BrushColor(fill);
    }
    Flush();
    ch_.FPPa[0] = p;
    ch_.FNumPPa = 1;
    ch_.FLastMoveToX = p.X;
    ch_.FLastMoveToY = p.Y;
    ch_.FPenLifted = false;
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
  void DrawMark(int mark, TPoint p);

  TCustomRChart& ch_;
  TCanvas& cv_;
  bool blk_white_;
  int xoff_, yoff_;
  TFineCanvas* fine_;  // the canvas when it is a fine one
  int s_ = 1, o_ = 0;  // its scale and the offset of a block's centre pixel
  long long lim_ = itemdraw::kCoordLimit;
  int layer_ = 1;
  itemdraw::AxisMap mx_, my_;
  itemdraw::AxisMap px_, py_;  // the picture's own mapping, for a fine canvas
  double xlo_ = 0, xhi_ = 0, ylo_ = 0, yhi_ = 0;
  long long ox_ = 0, oy_ = 0;
#ifdef __SSE2__
  // The same for both axes at once (x low, y high): factors, offsets, bounds of the double
  // mapping, composition offsets and the ranges, and the coordinate limits.
  __m128d pk_, pd_, pbound_, poff_, plo_, phi_, plim_, plow_;
#endif
  TColor c_ = clBlack;  // the item's pen colour (black for monochrome output)
};

}  // namespace kiv
