// Item queries of TCustomRChart: the nearest data item to a point (in world units, in pixels, along
// one axis), the nearest annotation by its drawn shape, the pixels of an item's points, marking
// items by class, and the kinds of the first and last item.
#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <numbers>

#include "rchart/customrchart.h"
#include "rchart/item_renderer.h"
#include "services/distance.h"
#include "services/rounding.h"

namespace kiv {

namespace {

// The kind filter of the queries; tkNone is handled by the callers (it matches nothing).
bool KindPasses(TrcItem filter, TrcItem kind, bool anno) {
  if (filter == tkEverything) return true;
  if (filter == tkNotMoveTo) return kind != tkMoveTo && !(anno && kind == tkMoveRelPix);
  return kind == filter;
}

struct Filter {
  TrcItem kind;
  std::uint8_t cls;
  bool vis_only;
  std::array<bool, 2> layer_vis;
  bool anno;
  bool AcceptsAll() const { return kind == tkEverything && cls == 255 && !vis_only; }
  bool Passes(const TrcChartItem& it) const {
    if (!KindPasses(kind, it.ItemKind, anno)) return false;
    if (cls != 255 && it.ItemClass != cls) return false;
    if (!vis_only) return true;
    return (it.Layer == 1 && layer_vis[0]) || (it.Layer == 2 && layer_vis[1]);
  }
};

int ClampInt(long long v) {
  return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

// A screen value of an item in control pixels: rounded, then shifted by the margin.
int ScreenPixel(double v, int margin) {
  return ClampInt(static_cast<long long>(RoundToInt(v)) + margin);
}

double Sq(double v) {
  return v * v;
}

double SegmentSq(TPoint q, long long ax, long long ay, long long bx, long long by) {
  const auto d = [](long long v) { return static_cast<double>(v); };
  return Sq(DistanceToSegment({d(q.X), d(q.Y)}, {d(ax), d(ay)}, {d(bx), d(by)}));
}

double RectSq(TPoint q, long long l, long long t, long long r, long long b) {
  return Sq(DistFromRect(q, TRect(ClampInt(l), ClampInt(t), ClampInt(r), ClampInt(b))));
}

}  // namespace

// Maps world points of one layer to pixels exactly as R2M does, but in double arithmetic for
// every value whose pixel the double result decides (see itemdraw::AxisMap): a search over
// millions of items then costs a few nanoseconds per item.
class TQueryPointMap {
 public:
  TQueryPointMap(const TCustomRChart& chart, int layer) : chart_(chart), layer_(layer) {
    const auto L = static_cast<std::size_t>(TCustomRChart::ClampLayer(layer) - 1);
    const double kx = static_cast<double>(chart.Cpkx[L]), dx = static_cast<double>(chart.Cpdx[L]);
    const double ky = static_cast<double>(chart.Cpky[L]), dy = static_cast<double>(chart.Cpdy[L]);
    const bool fx = !chart.FScalePropsX[L]->Logarithmic() && std::isfinite(kx) && std::isfinite(dx);
    const bool fy = !chart.FScalePropsY[L]->Logarithmic() && std::isfinite(ky) && std::isfinite(dy);
    mx_ = itemdraw::AxisMap(kx, dx, fx);
    my_ = itemdraw::AxisMap(ky, dy, fy);
  }
  void Map(double x, double y, int& px, int& py) const {
    if (mx_.Pixel(x, px) && my_.Pixel(y, py)) return;
    chart_.R2M(layer_, x, y, px, py);
  }
  int MapX(double x) const {
    int px = 0, py = 0;
    if (!mx_.Pixel(x, px)) chart_.R2M(layer_, x, 0, px, py);
    return px;
  }
  int MapY(double y) const {
    int px = 0, py = 0;
    if (!my_.Pixel(y, py)) chart_.R2M(layer_, 0, y, px, py);
    return py;
  }
  // Whether the pixel of x (of y) is certainly farther than dist columns (rows) from q: the
  // cheap test that lets the searches skip most items without rounding them. False when unsure.
  bool FartherX(double x, double q, double dist) const { return Farther(mx_, x, q, dist); }
  bool FartherY(double y, double q, double dist) const { return Farther(my_, y, q, dist); }
  // The same for the squared distance of a point from (qx, qy).
  bool FartherSq(double x, double y, double qx, double qy, double dist_sq) const {
    const double ex = Excess(mx_, x, qx), ey = Excess(my_, y, qy);
    return ex * ex + ey * ey > dist_sq;
  }

 private:
  // How far the pixel of v lies from q at least (0 when the double mapping cannot tell).
  static double Excess(const itemdraw::AxisMap& m, double v, double q) {
    const double e = std::fabs(m.k * v + m.d - q) - 0.5 - m.bound;
    return e > 0 ? e : 0;
  }
  static bool Farther(const itemdraw::AxisMap& m, double v, double q, double dist) {
    return Excess(m, v, q) > dist;
  }
  const TCustomRChart& chart_;
  int layer_;
  itemdraw::AxisMap mx_, my_;
};

namespace {

// The index of the data item passing the filter with the smallest value (the first of equal
// ones), or -1; best starts at uc_MaxDouble and ends at that value. Walks the records by pointer;
// value(item, best) may return anything not below best for an item that cannot win.
template <typename Value>
int Nearest(const TRcItemContainer& c, int count, const Filter& flt, double& best, Value value) {
  best = uc_MaxDouble;
  int found = -1;
  const bool all = flt.AcceptsAll();
  const int n = std::min(count, c.Size());
  for (int i = 0; i < n;) {
    const int end = std::min(c.ContiguousEnd(i), n);
    const TrcChartItem* p = &c[i];
    for (; i < end; ++i, ++p) {
      if (!all && !flt.Passes(*p)) continue;
      const double v = value(*p, best);
      if (v < best) {
        best = v;
        found = i;
      }
    }
  }
  return found;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Nearest data items

int TCustomRChart::FindNearestItemReal(double mx, double my, TrcItem ItemID,
                                       std::uint8_t ClassNumber, double& Dist) const {
  return FindNearestItemReal(mx, my, ItemID, ClassNumber, false, Dist);
}

int TCustomRChart::FindNearestItemReal(double mx, double my, TrcItem ItemID,
                                       std::uint8_t ClassNumber, bool VisLayersOnly,
                                       double& Dist) const {
  Dist = std::sqrt(uc_MaxDouble);
  if (ItemID == tkNone) return -1;
  const Filter flt{ItemID, ClassNumber, VisLayersOnly, FLayerVisib, false};
  double best;
  const int found =
      Nearest(*FDataContainer, FNumChartItems, flt, best,
              [&](const TrcChartItem& it, double) { return Sq(it.x - mx) + Sq(it.y - my); });
  Dist = std::sqrt(best);
  return found;
}

int TCustomRChart::FindNearestItemScreen(double mx, double my, TrcItem ItemID,
                                         std::uint8_t ClassNumber, double& Dist) const {
  return FindNearestItemScreen(mx, my, ItemID, ClassNumber, false, Dist);
}

int TCustomRChart::FindNearestItemScreen(double mx, double my, TrcItem ItemID,
                                         std::uint8_t ClassNumber, bool VisLayersOnly,
                                         double& Dist) const {
  Dist = std::sqrt(uc_MaxDouble);
  if (ItemID == tkNone) return -1;
  const Filter flt{ItemID, ClassNumber, VisLayersOnly, FLayerVisib, false};
  const TQueryPointMap map(*this, FActiveLayer);
  int qx = 0, qy = 0;
  R2M(FActiveLayer, mx, my, qx, qy);
  double best;
  const int found = Nearest(
      *FDataContainer, FNumChartItems, flt, best, [&](const TrcChartItem& it, double bound) {
        if (map.FartherSq(it.x, it.y, qx, qy, bound)) return uc_MaxDouble;
        int sx = 0, sy = 0;
        map.Map(it.x, it.y, sx, sy);
        return Sq(static_cast<double>(sx) - qx) + Sq(static_cast<double>(sy) - qy);
      });
  Dist = std::sqrt(best);
  return found;
}

int TCustomRChart::FindNearestItemAlongAxis(double pos, int Axis, TrcItem ItemID,
                                            std::uint8_t ClassNumber, double& dist) const {
  return FindNearestItemAlongAxis(pos, Axis, ItemID, ClassNumber, false, dist);
}

int TCustomRChart::FindNearestItemAlongAxis(double pos, int Axis, TrcItem ItemID,
                                            std::uint8_t ClassNumber, bool VisLayersOnly,
                                            double& dist) const {
  dist = uc_MaxDouble;
  if (ItemID == tkNone || (Axis != axX && Axis != axY)) return -1;
  const Filter flt{ItemID, ClassNumber, VisLayersOnly, FLayerVisib, false};
  const TQueryPointMap map(*this, FActiveLayer);
  const bool along_x = Axis == axX;
  const double q = along_x ? map.MapX(pos) : map.MapY(pos);
  double best;
  const int found = Nearest(
      *FDataContainer, FNumChartItems, flt, best, [&](const TrcChartItem& it, double bound) {
        if (along_x ? map.FartherX(it.x, q, bound) : map.FartherY(it.y, q, bound))
          return uc_MaxDouble;
        return std::fabs((along_x ? map.MapX(it.x) : map.MapY(it.y)) - q);
      });
  dist = best;
  return found;
}

// ---------------------------------------------------------------------------------------------
// Annotations

void TCustomRChart::ConvertToScreenCoords(const TrcChartItem& Item, int& x1, int& y1, int& x2,
                                          int& y2) const {
  if (Item.CoordMode > cmXWorldYScreen) return;
  const itemdraw::ScreenFlags s = itemdraw::FlagsOf(Item.CoordMode);
  int wx1 = 0, wy1 = 0, wx2 = 0, wy2 = 0;
  if (!s.mx || !s.my) R2M(Item.Layer, Item.x, Item.y, wx1, wy1);
  if (!s.sx || !s.sy) R2M(Item.Layer, Item.x2, Item.y2, wx2, wy2);
  x1 = s.mx ? ScreenPixel(Item.x, RcLRim) : wx1;
  y1 = s.my ? ScreenPixel(Item.y, RcTRim) : wy1;
  x2 = s.sx ? ScreenPixel(Item.x2, RcLRim) : wx2;
  y2 = s.sy ? ScreenPixel(Item.y2, RcTRim) : wy2;
}

int TCustomRChart::FindNearestAnnoElem(double mx, double my, TrcItem ItemID,
                                       std::uint8_t ClassNumber, bool VisLayersOnly, double& Dist) {
  Dist = std::sqrt(uc_MaxDouble);
  if (ItemID == tkNone) return -1;
  const Filter flt{ItemID, ClassNumber, VisLayersOnly, FLayerVisib, true};
  TPoint q;
  R2M(FActiveLayer, mx, my, q.X, q.Y);
  double best = uc_MaxDouble;
  int found = -1;
  const auto offer = [&](double d, int i) {
    if (d < best) {
      best = d;
      found = i;
    }
  };
  // A handler of OnBeforeRenderText may add or remove annotations: the count is read anew.
  for (int i = 0; i < std::min(FNumAnnoItems, FAnnoContainer->Size()); ++i) {
    const TrcChartItem it = (*FAnnoContainer)[i];
    if (!flt.Passes(it)) continue;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    ConvertToScreenCoords(it, x1, y1, x2, y2);
    const long long X1 = x1, Y1 = y1, X2 = x2, Y2 = y2;
    switch (it.ItemKind) {
      case tkMarkAt:
      case tkLineto:
        offer(Sq(static_cast<double>(X1 - q.X)) + Sq(static_cast<double>(Y1 - q.Y)), i);
        break;
      case tkLine:
      case tkArrow:
      case tkDoubleArrow:
        offer(SegmentSq(q, X1, Y1, X2, Y2), i);
        break;
      case tkRect:
      case tkRectFrame:
        offer(RectSq(q, X1, Y1, X2, Y2), i);
        break;
      case tk3DBar: {
        offer(RectSq(q, X1, Y1, X2, Y2), i);
        const double a = it.Param1 * std::numbers::pi / 180;
        const long long sx = RoundToInt(std::cos(a) * it.Param2);
        const long long sy = -static_cast<long long>(RoundToInt(std::sin(a) * it.Param2));
        offer(RectSq(q, X1 + sx, Y1 + sy, X2 + sx, Y2 + sy), i);
        break;
      }
      case tkText:
      case tkTextOfs: {
        long long tx = X1, ty = Y1;
        if (it.ItemKind == tkTextOfs) {
          tx += RoundToInt(it.x2);
          ty += RoundToInt(it.y2);
        }
        std::string text = FullItemText(it, FLongTextsAnno, FNumLongTextsAnno);
        if (OnBeforeRenderText) OnBeforeRenderText(this, text, i, true);
        int h = 0, total = 0, w = 0;
        CalcTextExtents(text, GrafBmp.Canvas(), h, total, w);
        ty -= h / 2;
        if (it.Param3 == taRightJustify)
          tx -= w;
        else if (it.Param3 == taCenter)
          tx -= w / 2;
        offer(RectSq(q, tx, ty, tx + w, ty + total), i);
        break;
      }
      case tkEllipse: {
        const double a = it.x2, b = it.y2;
        const bool vertical = b >= a;
        const double c = vertical ? std::sqrt(b * b - a * a) : std::sqrt(a * a - b * b);
        const double fx = vertical ? 0 : c, fy = vertical ? c : 0;
        const double d1 = std::hypot(mx - (it.x - fx), my - (it.y - fy));
        const double d2 = std::hypot(mx - (it.x + fx), my - (it.y + fy));
        offer(std::max(0.0, d1 + d2 - 2 * std::max(a, b)), i);
        break;
      }
      case tkRectRelPix:
        offer(RectSq(q, X1 - it.Param1, Y1 - it.Param2, X1 + it.Param1, Y1 + it.Param2), i);
        break;
      case tkMarkEBar: {
        int ax = 0, ay = 0, bx = 0, by = 0;
        if (it.Param1 != 0) {
          R2M(it.Layer, it.x - std::fabs(it.x2), it.y, ax, ay);
          R2M(it.Layer, it.x + std::fabs(it.y2), it.y, bx, by);
        } else {
          R2M(it.Layer, it.x, it.y - std::fabs(it.x2), ax, ay);
          R2M(it.Layer, it.x, it.y + std::fabs(it.y2), bx, by);
        }
        offer(SegmentSq(q, ax, ay, bx, by), i);
        break;
      }
      case tkLineOffs:
        offer(SegmentSq(q, X1 + it.Param1, Y1 + it.Param2, X2 + it.Param1, Y2 + it.Param2), i);
        break;
      case tkArc: {
        const double angle = std::atan2(my - it.y, mx - it.x);
        if (!(it.Param1 / 1e8 < angle && angle < it.Param2 / 1e8)) break;
        int ex = 0, ey = 0, ox = 0, oy = 0;
        R2M(it.Layer, it.x2, it.y2, ex, ey);
        R2M(it.Layer, 0, 0, ox, oy);
        const double rx = std::fabs(static_cast<double>(ex) - ox);
        const double ry = std::fabs(static_cast<double>(ey) - oy);
        offer(Sq(DistFromEllipse({static_cast<double>(q.X), static_cast<double>(q.Y)},
                                 {static_cast<double>(x1), static_cast<double>(y1)}, rx, ry)),
              i);
        break;
      }
      case tkLineRelPixOrig:
        offer(SegmentSq(q, X1, Y1, X1 + RoundToInt(it.x2), Y1 + RoundToInt(it.y2)), i);
        break;
      case tkCursorVert:
        offer(Sq(static_cast<double>(X1 - q.X)), i);
        break;
      case tkCursorHoriz:
        offer(Sq(static_cast<double>(Y1 - q.Y)), i);
        break;
      default:  // moves and relative steps have no shape of their own
        break;
    }
  }
  Dist = std::sqrt(best);
  return found;
}

// ---------------------------------------------------------------------------------------------
// Marking and the kinds at both ends

void TCustomRChart::MarkAllItems(TrcItem ItemID, std::uint8_t ClassNumber) {
  if (ClassNumber == 255 || ItemID == tkNone) return;
  TRcItemContainer& c = *FDataContainer;
  const int n = std::min(FNumChartItems, c.Size());
  for (int i = 0; i < n; ++i) {
    if (KindPasses(ItemID, c[i].ItemKind, false)) c[i].ItemClass = ClassNumber;
  }
  AdjustCanInfoOfSharedCharts();
}

int TCustomRChart::MarkItemsInWindow(double xLo, double YLo, double XHi, double YHi, TrcItem ItemID,
                                     std::uint8_t ClassNumber) {
  if (ClassNumber == 255) return 0;
  if (XHi < xLo) std::swap(xLo, XHi);
  if (YHi < YLo) std::swap(YLo, YHi);
  if (ItemID == tkNone) return 0;
  TRcItemContainer& c = *FDataContainer;
  const int n = std::min(FNumChartItems, c.Size());
  int marked = 0;
  for (int i = 0; i < n; ++i) {
    TrcChartItem& it = c[i];
    if (!KindPasses(ItemID, it.ItemKind, false)) continue;
    if (xLo <= it.x && it.x <= XHi && YLo <= it.y && it.y <= YHi) {
      it.ItemClass = ClassNumber;
      ++marked;
    }
  }
  AdjustCanInfoOfSharedCharts();
  return marked;
}

TrcItem TCustomRChart::GetTypeOfFirstItem() const {
  return ValidDataIndex(0) ? (*FDataContainer)[0].ItemKind : tkNone;
}

TrcItem TCustomRChart::GetTypeOfLastItem() const {
  return ValidDataIndex(FNumChartItems - 1) ? (*FDataContainer)[FNumChartItems - 1].ItemKind
                                            : tkNone;
}

}  // namespace kiv
