// The integer rotation matrices of the rotatable 3D chart.
#include "rot3d/rotmatrix.h"

#include <cmath>
#include <numbers>

#include "services/rounding.h"

namespace kiv::rot3d {

namespace {

// Rows of (first, second, third) values; the handedness decides which of the first two
// columns each goes to.
TIntRotMatrix Scaled(const double (&v)[3][3], TAxDir Dir) {
  const int first = Dir == adRightHanded ? 1 : 0, second = 1 - first;
  TIntRotMatrix m{};
  for (int r = 0; r < 3; ++r) {
    m[r][first] = RoundToInt(1000 * v[r][0]);
    m[r][second] = RoundToInt(1000 * v[r][1]);
    m[r][2] = RoundToInt(1000 * v[r][2]);
  }
  return m;
}

double Rad(double deg) {
  return deg * std::numbers::pi / 180;
}

}  // namespace

TIntRotMatrix RotMatrix2Axes(double AngleX, double AngleZ, TAxDir Dir) {
  const double a = Rad(AngleX), c = Rad(AngleZ);
  const double sa = std::sin(a), ca = std::cos(a), sc = std::sin(c), cc = std::cos(c);
  const double v[3][3] = {{cc, -sc, 0}, {ca * sc, cc * ca, -sa}, {sa * sc, sa * cc, ca}};
  return Scaled(v, Dir);
}

TIntRotMatrix RotMatrix3Axes(double AngleX, double AngleY, double AngleZ, TAxDir Dir) {
  const double a = Rad(AngleX), b = Rad(AngleY), c = Rad(AngleZ);
  const double sa = std::sin(a), ca = std::cos(a), sb = std::sin(b), cb = std::cos(b);
  const double sc = std::sin(c), cc = std::cos(c);
  const double v[3][3] = {{cb * cc, sa * sb * cc - ca * sc, ca * sb * cc + sa * sc},
                          {cb * sc, sa * sb * sc + ca * cc, ca * sb * sc - sa * cc},
                          {-sb, sa * cb, ca * cb}};
  return Scaled(v, Dir);
}

}  // namespace kiv::rot3d
