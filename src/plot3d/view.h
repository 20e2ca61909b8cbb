// The view geometry of the surface plot: view angles, the rotation matrix, the internal
// coordinates of grid points and their parallel projection onto the screen.
#pragma once

#include <array>

#include "platform/types.h"

namespace kiv::plot3d {

// Half the edge of the cube the surface is drawn in (internal units, before scale factors).
inline constexpr double kCubeHalf = 150;

// An angle in degrees brought into 0..360: above 360 it keeps its fraction of a full turn,
// then a negative angle is raised by a full turn (370 -> 10, -30 -> 330; 360 stays 360).
double NormalizeViewAngle(double v);

// 3 x 3 matrix with 1-based indices (row, column).
struct TRotMatrix {
  std::array<std::array<double, 3>, 3> m{};
  double operator()(int row, int col) const {
    return m[static_cast<unsigned>(row - 1)][static_cast<unsigned>(col - 1)];
  }
};

// Rotation about z by AngleZ followed by a rotation about x by AngleX (degrees). Elements
// below 1e-6 in magnitude become exactly 0, so that views along the axes give clean zeros.
TRotMatrix SurfaceRotMatrix(double AngleX, double AngleZ);

// The internal coordinate of grid index i (1..n) along an axis of n points: the points spread
// evenly over -150..150 (one point sits at 0).
double GridCoord(int i, int n);

// Parallel projection of internal points: rotation, scale factors, magnification, centre.
struct TSurfaceProjection {
  TRotMatrix R;
  double sx = 1, sy = 1, sz = 1;
  double mag = 1;
  int cx = 0, cy = 0;

  TPoint Project(double X, double Y, double Z) const;
  // Depth of the point (row 3 of the matrix): larger is nearer to the viewer.
  double Depth(double X, double Y, double Z) const {
    return sx * X * R(3, 1) + sy * Y * R(3, 2) + sz * Z * R(3, 3);
  }
};

}  // namespace kiv::plot3d
