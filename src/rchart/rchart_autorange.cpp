// Auto-ranging of TCustomRChart: the extent of the data items of a layer, widened by a margin
// and a minimum range, set as the layer's ranges; and the queries for the extent of the data
// inside a window and for the layers that hold data.
#include <algorithm>
#include <array>
#include <cmath>

#include "rchart/customrchart.h"

namespace kiv {

namespace {

// Extent of points, x min, y min, x max, y max; starts empty.
struct Extent {
  double xmin = uc_MaxDouble, ymin = uc_MaxDouble;
  double xmax = -uc_MaxDouble, ymax = -uc_MaxDouble;
  bool any_x = false, any_y = false;
  // Infinite values (which the store accepts) would make infinite ranges; NaN never compares.
  void X(double v) {
    if (!std::isfinite(v)) return;
    xmin = std::min(xmin, v);
    xmax = std::max(xmax, v);
    any_x = true;
  }
  void Y(double v) {
    if (!std::isfinite(v)) return;
    ymin = std::min(ymin, v);
    ymax = std::max(ymax, v);
    any_y = true;
  }
};

// Widens the extent by the points an item contributes (pixel offsets never count).
void AddItem(Extent& e, const TrcChartItem& it) {
  const TrcItem k = it.ItemKind;
  if (k == tkMoveRelPix || k == tkLineRelPix) return;
  e.X(it.x);
  e.Y(it.y);
  switch (k) {
    case tkLine:
    case tkRect:
    case tkRectFrame:
    case tk3DBar:
    case tkArrow:
    case tkDoubleArrow:
    case tkLineOffs:
      e.X(it.x2);
      e.Y(it.y2);
      break;
    case tkEllipse:
    case tkArc:
      e.X(it.x - it.x2);
      e.Y(it.y - it.y2);
      e.X(it.x + it.x2);
      e.Y(it.y + it.y2);
      break;
    case tkMarkEBar:
      if (it.Param1 == 0) {
        e.Y(it.y - std::fabs(it.x2));
        e.Y(it.y + std::fabs(it.y2));
      } else {
        e.X(it.x - std::fabs(it.x2));
        e.X(it.x + std::fabs(it.y2));
      }
      break;
    default:
      break;
  }
}

// The relative margin m on one axis: a share of the extent, or of its decades on a
// logarithmic axis. There a non-positive minimum measures the decades from 1 (ln max): ln of
// max / min would be infinite or not a number and give an infinite or undefined range; the
// minimum keeps its sign, so the range setters refuse it as they refuse any bound below 1e-100.
// Without a finite measure (a non-positive maximum) no margin is added.
void ApplyMargin(double& lo, double& hi, double m, bool log) {
  if (m == 0) return;  // the identity; spares 0 * infinity on a degenerate logarithmic extent
  if (!log) {
    const double w = m * (hi - lo);
    lo -= w;
    hi += w;
    return;
  }
  const double L = lo > 0 ? std::log(hi / lo) : std::log(hi);
  if (!std::isfinite(L)) return;
  lo *= std::exp(-m * L);
  hi *= std::exp(m * L);
}

// The minimum range: MinRange percent of the mid value added on each side of a narrower extent.
void ApplyMinRange(double& lo, double& hi, double MinRange) {
  const double s = MinRange * ((hi + lo) / 2) / 100;
  if (std::fabs(hi - lo) < s) {
    lo -= s;
    hi += s;
  }
}

void WidenDegenerate(double& lo, double& hi) {
  if (lo == hi) {
    lo -= 1;
    hi += 1;
  }
}

}  // namespace

void TCustomRChart::LLCalcExtents(int Layer, double Margin, double MinRange, double& xmin,
                                  double& ymin, double& xmax, double& ymax) const {
  Extent e;
  const TRcItemContainer& c = *FDataContainer;
  const int n = std::min(FNumChartItems, c.Size());
  for (int i = 0; i < n; ++i) {
    const TrcChartItem& it = c[i];
    if (it.Layer == Layer) AddItem(e, it);
  }
  // An axis without any point (no items, or only pixel offsets and non-finite values) has the
  // extent 0..0, which the callers widen to -1..1.
  if (!e.any_x) e.xmin = e.xmax = 0;
  if (!e.any_y) e.ymin = e.ymax = 0;
  if (!e.any_x && !e.any_y) {
    xmin = ymin = xmax = ymax = 0;
    return;
  }
  const int L = ClampLayer(Layer);
  const double m = Margin / 100;
  if (e.any_x) {
    ApplyMargin(e.xmin, e.xmax, m, ScaleLog(L, true));
    ApplyMinRange(e.xmin, e.xmax, MinRange);
  }
  if (e.any_y) {
    ApplyMargin(e.ymin, e.ymax, m, ScaleLog(L, false));
    ApplyMinRange(e.ymin, e.ymax, MinRange);
  }
  xmin = e.xmin;
  ymin = e.ymin;
  xmax = e.xmax;
  ymax = e.ymax;
}

void TCustomRChart::AutoRangeAxes(int Layer, double Margin, double MinRange, bool DoX, bool DoY) {
  if (Layer < 0 || Layer > 2) return;
  if (Layer != 0) {
    double x0, y0, x1, y1;
    LLCalcExtents(Layer, Margin, MinRange, x0, y0, x1, y1);
    WidenDegenerate(x0, x1);
    WidenDegenerate(y0, y1);
    const TScaleProps& px = ScalePropsX(Layer);
    const TScaleProps& py = ScalePropsY(Layer);
    long double xlo = DoX ? x0 : px.RangeLow(), xhi = DoX ? x1 : px.RangeHigh();
    long double ylo = DoY ? y0 : py.RangeLow(), yhi = DoY ? y1 : py.RangeHigh();
    if (DoX && DoY && FIsometric) {
      const long double g = IsometricHalfHeight(xlo, xhi);
      const long double mid = (yhi + ylo) / 2;
      yhi = mid + g;
      ylo = mid - g;
    }
    ForceRange(Layer, xlo, ylo, xhi, yhi, true, false);
  } else {
    std::array<std::array<double, 4>, 2> ext{};  // per layer: x min, y min, x max, y max
    for (int L = 1; L <= 2; ++L) {
      auto& e = ext[static_cast<std::size_t>(L - 1)];
      LLCalcExtents(L, 0, 0, e[0], e[1], e[2], e[3]);
      WidenDegenerate(e[0], e[2]);
      WidenDegenerate(e[1], e[3]);
      if (Margin > 0) {
        ApplyMargin(e[0], e[2], Margin / 100, ScaleLog(L, true));
        ApplyMargin(e[1], e[3], Margin / 100, ScaleLog(L, false));
        ApplyMinRange(e[0], e[2], MinRange);
        ApplyMinRange(e[1], e[3], MinRange);
      }
    }
    for (int L = 1; L <= 2; ++L) {
      const auto& ex = ext[static_cast<std::size_t>(FJointLayers->GetControlledLayerX(L) - 1)];
      const auto& ey = ext[static_cast<std::size_t>(FJointLayers->GetControlledLayerY(L) - 1)];
      const TScaleProps& px = ScalePropsX(L);
      const TScaleProps& py = ScalePropsY(L);
      ForceRngIntern(L, DoX ? ex[0] : px.RangeLow(), DoY ? ey[1] : py.RangeLow(),
                     DoX ? ex[2] : px.RangeHigh(), DoY ? ey[3] : py.RangeHigh(), false, true);
    }
  }
  RepaintIfAutoRedraw();
}

bool TCustomRChart::ScaleLog(int Layer, bool XAxis) const {
  const auto L = static_cast<std::size_t>(ClampLayer(Layer) - 1);
  return XAxis ? FScalePropsX[L]->Logarithmic() : FScalePropsY[L]->Logarithmic();
}

void TCustomRChart::AutoRange(int Layer, double Margin, double MinRange) {
  AutoRangeAxes(Layer, Margin, MinRange, true, true);
}

void TCustomRChart::AutoRangeXOnly(int Layer, double Margin, double MinRange) {
  AutoRangeAxes(Layer, Margin, MinRange, true, false);
}

void TCustomRChart::AutoRangeYOnly(int Layer, double Margin, double MinRange) {
  AutoRangeAxes(Layer, Margin, MinRange, false, true);
}

void TCustomRChart::LLCalcMinMax(int Layer, double RangeLoX, double RangeLoY, double RangeHiX,
                                 double RangeHiY, double& MinX, double& MinY, double& MaxX,
                                 double& MaxY) const {
  MinX = MinY = uc_MaxDouble;
  MaxX = MaxY = -uc_MaxDouble;
  const auto take = [&](double x, double y) {
    if (!(RangeLoX < x && x < RangeHiX && RangeLoY < y && y < RangeHiY)) return;
    MinX = std::min(MinX, x);
    MaxX = std::max(MaxX, x);
    MinY = std::min(MinY, y);
    MaxY = std::max(MaxY, y);
  };
  const TRcItemContainer& c = *FDataContainer;
  const int n = std::min(FNumChartItems, c.Size());
  for (int i = 0; i < n; ++i) {
    const TrcChartItem& it = c[i];
    if (Layer != 0 && it.Layer != Layer) continue;
    const TrcItem k = it.ItemKind;
    if (k != tkMoveRelPix && k != tkLineRelPix) take(it.x, it.y);
    switch (k) {
      case tkLine:
      case tkRect:
      case tkRectFrame:
      case tk3DBar:
      case tkArrow:
      case tkDoubleArrow:
      case tkLineOffs:
        take(it.x2, it.y2);
        break;
      default:
        break;
    }
  }
}

void TCustomRChart::FindMinMax(int Layer, double RangeLoX, double RangeLoY, double RangeHiX,
                               double RangeHiY, double& MinX, double& MinY, double& MaxX,
                               double& MaxY) const {
  LLCalcMinMax(Layer, RangeLoX, RangeLoY, RangeHiX, RangeHiY, MinX, MinY, MaxX, MaxY);
}

TLayerSet TCustomRChart::FindUsedLayers() const {
  TLayerSet used;
  const TRcItemContainer& c = *FDataContainer;
  const int n = std::min(FNumChartItems, c.Size());
  for (int i = 0; i < n && !(used.Contains(1) && used.Contains(2)); ++i) used.Include(c[i].Layer);
  return used;
}

}  // namespace kiv
