// The chart's grid behind the items (at the scale ticks, at world steps, or per decade on
// logarithmic axes) and the test which scale strip lies under a control pixel.
#include <algorithm>
#include <cmath>
#include <vector>

#include "rchart/customrchart.h"
#include "services/rounding.h"

namespace kiv {

namespace {

// A grid never draws more lines than this per direction, nor more points in all: a step tiny
// against the range would otherwise draw for ever.
constexpr int kMaxGridLines = 1000;

// The sequence of grid values along one axis.
struct GridAxis {
  double lo = 0, hi = 0;  // ordered range
  double step = 0;        // GridDx or GridDy
  bool log = false;
  const TScale* scale = nullptr;

  // Exponent and leading digit of v: l = log10 v, e = floor(l), m = round(10^(l - e)).
  static void Decade(double l, double& e, double& m) {
    e = std::floor(l);
    m = RoundHalfEven(std::pow(10.0, l - e));
  }

  double First() const {
    if (step == 0) return scale->NumTicks() >= 1 ? scale->GetTickPos(1) : lo;
    if (!log || step > 0) return std::ceil(lo / step) * step;
    if (step == -1) return std::pow(10.0, std::ceil(std::log10(lo)));
    if (step == -2 || step == -3) {
      double e, m;
      Decade(std::log10(lo), e, m);
      if (step == -3) return std::pow(10.0, e) * m;
      return std::pow(10.0, e) * (m <= 2 ? 2 : (m <= 5 ? 5 : 10));
    }
    return lo;
  }

  // The value after v; k counts the values from 1.
  double Next(double v, int k) const {
    if (step == 0) return k <= scale->NumTicks() ? scale->GetTickPos(k) : hi;
    if (!log || step > 0) return v + std::fabs(step);
    if (step == -1) return 10 * v;
    double l = std::log10(v);
    // Decades computed by pow come back a hair off their exponent.
    if (std::fabs(l - std::round(l)) < 1e-14) l = std::round(l);
    double e, m;
    Decade(l, e, m);
    const double p = std::pow(10.0, e);
    // 1, 2, 5 per decade; a value off that sequence goes on with its next member.
    if (step == -2) return p * (m < 2 ? 2 : (m < 5 ? 5 : 10));
    return p * (m + 1);
  }

  std::vector<double> Values() const {
    std::vector<double> out;
    double v = First();
    for (int k = 2; v < hi && static_cast<int>(out.size()) < kMaxGridLines; ++k) {
      out.push_back(v);
      v = Next(v, k);
    }
    return out;
  }
};

int Clamp30k(long long v) {
  return static_cast<int>(std::clamp<long long>(v, -30000, 30000));
}

}  // namespace

void TCustomRChart::DrawGrid(TCanvas& Canvas, int XOffset, int YOffset) {
  if (RcGridStyle == gsNone || RcGridStyle > gsDotLines) return;
  const int L = ClampLayer(FActiveLayer);
  const TScaleProps& px = *FScalePropsX[static_cast<std::size_t>(L - 1)];
  const TScaleProps& py = *FScalePropsY[static_cast<std::size_t>(L - 1)];
  GridAxis ax{std::min(px.RangeLow(), px.RangeHigh()), std::max(px.RangeLow(), px.RangeHigh()),
              RcGridDx, px.Logarithmic(), &ScaleX(L)};
  GridAxis ay{std::min(py.RangeLow(), py.RangeHigh()), std::max(py.RangeLow(), py.RangeHigh()),
              RcGridDy, py.Logarithmic(), &ScaleY(L)};
  const long long ox = static_cast<long long>(XOffset) - RcLRim;
  const long long oy = static_cast<long long>(YOffset) - RcTRim;
  const auto pixel = [&](double x, double y) {
    int cx = 0, cy = 0;
    R2M(L, x, y, cx, cy);
    return TPoint(Clamp30k(cx + ox), Clamp30k(cy + oy));
  };
  const TPoint low = pixel(ax.lo, ay.lo), high = pixel(ax.hi, ay.hi);

  Canvas.Brush().SetColor(RcChartCol);
  TPen& pen = Canvas.Pen();
  pen.SetColor(RcGridCol);
  pen.SetWidth(1);
  const bool dotted =
      RcGridStyle == gsHorizDotLines || RcGridStyle == gsVertDotLines || RcGridStyle == gsDotLines;
  pen.SetStyle(dotted ? psDot : psSolid);
  const bool vert = RcGridStyle == gsVertLines || RcGridStyle == gsLines ||
                    RcGridStyle == gsVertDotLines || RcGridStyle == gsDotLines;
  const bool horiz = RcGridStyle == gsHorizLines || RcGridStyle == gsLines ||
                     RcGridStyle == gsHorizDotLines || RcGridStyle == gsDotLines;
  if (RcGridStyle == gsPoints) {
    const std::vector<double> xs = ax.Values(), ys = ay.Values();
    int count = 0;
    for (const double x : xs) {
      for (const double y : ys) {
        if (count++ >= kMaxGridLines) return;
        const TPoint p = pixel(x, y);
        Canvas.SetPixels(p.X, p.Y, RcGridCol);
      }
    }
    return;
  }
  if (vert) {
    for (const double x : ax.Values()) {
      const int cx = pixel(x, ay.lo).X;
      Canvas.MoveTo(cx, low.Y);
      Canvas.LineTo(cx, high.Y);
    }
  }
  if (horiz) {
    for (const double y : ay.Values()) {
      const int cy = pixel(ax.lo, y).Y;
      Canvas.MoveTo(low.X, cy);
      Canvas.LineTo(high.X, cy);
    }
  }
  pen.SetStyle(psSolid);
}

int TCustomRChart::DetectScale(int CoordX, int CoordY) const {
  const long long W = Width(), H = Height(), x = CoordX, y = CoordY;
  const bool in_rows = RcTRim < y && y < H - RcBRim;
  const bool in_cols = RcLRim < x && x < W - RcRRim;
  for (int L = 1; L <= 2; ++L) {
    const TScaleProps& p = *FScalePropsY[static_cast<std::size_t>(L - 1)];
    if (!p.Visible() || !in_rows) continue;
    const long long pos = p.ScalePos();
    if (p.ScaleType() == sctLabelsRight && W + pos - RcRRim < x && x < W + pos - RcRRim + 50)
      return L;
    if (p.ScaleType() == sctLabelsLeft && RcLRim - pos - 50 < x && x < RcLRim - pos) return L;
  }
  for (int L = 1; L <= 2; ++L) {
    const TScaleProps& p = *FScalePropsX[static_cast<std::size_t>(L - 1)];
    if (!p.Visible() || !in_cols) continue;
    const long long pos = p.ScalePos();
    if (p.ScaleType() == sctLabelsBelow && H + pos - RcBRim < y && y < H + pos - RcBRim + 40)
      return -L;
    if (p.ScaleType() == sctLabelsAbove && RcTRim - pos - 40 < y && y < RcTRim - pos) return -L;
  }
  return 0;
}

}  // namespace kiv
