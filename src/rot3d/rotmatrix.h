// The integer view geometry of the rotatable 3D chart: rotation matrices about two or three
// axes scaled by 1000, and the projection of integer points with a magnification divisor.
#pragma once

#include <array>
#include <cstdint>

#include "rot3d/r3item.h"

namespace kiv::rot3d {

// Row-major, elements Round(1000 * value).
using TIntRotMatrix = std::array<std::array<int, 3>, 3>;

// Rotation about z by AngleZ, then about x by AngleX (degrees).
TIntRotMatrix RotMatrix2Axes(double AngleX, double AngleZ, TAxDir Dir);
// Rotation about x by AngleX, then about y by AngleY, then about z by AngleZ (degrees).
TIntRotMatrix RotMatrix3Axes(double AngleX, double AngleY, double AngleZ, TAxDir Dir);

// A projected point in 64 bits: far-out points stay where they are instead of wrapping.
struct TScreenPoint {
  std::int64_t X = 0;
  std::int64_t Y = 0;
};

// screen = (rows 1 and 2 of R times the point) div Magnify + centre, the division truncating
// toward zero.
struct TIntProjection {
  TIntRotMatrix R{};
  int Magnify = 5000;
  int CentX = 0, CentY = 0;

  TScreenPoint Project(std::int64_t X, std::int64_t Y, std::int64_t Z) const {
    return {(X * R[0][0] + Y * R[0][1] + Z * R[0][2]) / Magnify + CentX,
            (X * R[1][0] + Y * R[1][1] + Z * R[1][2]) / Magnify + CentY};
  }
  std::int64_t Depth(std::int64_t X, std::int64_t Y, std::int64_t Z) const {
    return X * R[2][0] + Y * R[2][1] + Z * R[2][2];
  }
};

}  // namespace kiv::rot3d
