// The view geometry of the surface plot.
#include "plot3d/view.h"

#include <cmath>
#include <numbers>

#include "services/rounding.h"

namespace kiv::plot3d {

// The fraction of a turn times a turn is the remainder of the division by 360, which fmod
// computes exactly (370 gives 10, not 10 plus the rounding error of 370 / 360).
double NormalizeViewAngle(double v) {
  if (v > 360) v = std::fmod(v, 360);
  if (v < 0) v = std::fmod(v, 360) + 360;
  return v;
}

TRotMatrix SurfaceRotMatrix(double AngleX, double AngleZ) {
  const double a = AngleX * std::numbers::pi * (1.0 / 180);
  const double c = AngleZ * std::numbers::pi * (1.0 / 180);
  const double sa = std::sin(a), ca = std::cos(a), sc = std::sin(c), cc = std::cos(c);
  TRotMatrix r;
  r.m = {{{cc, -sc, 0}, {ca * sc, cc * ca, -sa}, {sa * sc, sa * cc, ca}}};
  for (auto& row : r.m)
    for (double& e : row)
      if (std::fabs(e) < 1e-6) e = 0;
  return r;
}

double GridCoord(int i, int n) {
  const double spacing = n > 1 ? 300.0 / (n - 1) : 1.0;
  return spacing * (i - n / 2.0 - 0.5);
}

TPoint TSurfaceProjection::Project(double X, double Y, double Z) const {
  const double x = (sx * X * R(1, 1) + sy * Y * R(1, 2) + sz * Z * R(1, 3)) * mag + cx;
  const double y = (sx * X * R(2, 1) + sy * Y * R(2, 2) + sz * Z * R(2, 3)) * mag + cy;
  return TPoint(RoundToInt(x), RoundToInt(y));
}

}  // namespace kiv::plot3d
