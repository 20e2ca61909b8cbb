// Range arithmetic of mouse pan and zoom steps. Every step starts from the range at the drag's
// start, so rounding never accumulates over a long drag.
#include "rchart/chart_panzoom.h"

#include <cmath>
#include <utility>

namespace kiv {

bool IsFinite(TAxisSpan s) {
  return std::isfinite(s.Lo) && std::isfinite(s.Hi);
}

TAxisSpan PanSpanX(TAxisSpan Anchor, TAxisSpan Current, int Delta, int Length, bool Log) {
  if (Log) {
    const double f = std::exp(std::log(Current.Hi / Current.Lo) * (-Delta) / Length);
    return {Anchor.Lo * f, Anchor.Hi * f};
  }
  const double s = Delta * (Current.Hi - Current.Lo) / Length;
  return {Anchor.Lo - s, Anchor.Hi - s};
}

TAxisSpan PanSpanY(TAxisSpan Anchor, TAxisSpan Current, int Delta, int Length, bool Log) {
  if (Log) {
    const double g = std::exp(std::log(Current.Hi / Current.Lo) * Delta / Length);
    return {Anchor.Lo * g, Anchor.Hi * g};
  }
  const double t = Delta * (Current.Hi - Current.Lo) / Length;
  return {Anchor.Lo + t, Anchor.Hi + t};
}

TAxisSpan SnapSpan(TAxisSpan Anchor, double Lo, double Grid, double Offset) {
  if (Grid > 0) Lo = std::trunc(Lo / Grid) * Grid + Offset;
  return {Lo, Anchor.Hi - (Anchor.Lo - Lo)};
}

TAxisSpan ZoomSpan(TAxisSpan Anchor, double Factor) {
  const double c = (Anchor.Hi + Anchor.Lo) / 2;
  const double h = (Anchor.Hi - Anchor.Lo) * Factor / 2;
  return {c - h, c + h};
}

void OrderToAxis(double& v1, double& v2, TAxisSpan Axis) {
  if ((v1 > v2 && Axis.Hi > Axis.Lo) || (v1 < v2 && Axis.Hi < Axis.Lo)) std::swap(v1, v2);
}

}  // namespace kiv
