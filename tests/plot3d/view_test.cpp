#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <numbers>

#include "probe.h"
#include "services/box3d.h"

namespace kiv {
namespace {

using namespace plot3d;
using test::TPlot3DProbe;

TEST(Plot3DView, AnglesAreBroughtIntoOneTurn) {
  struct Case {
    double in, out;
  } cases[] = {{370, 10}, {-30, 330}, {360, 360}, {720, 0}, {-360, 360}, {15, 15}, {1085, 5}};
  TPlot3D p(nullptr);
  for (const Case& c : cases) {
    EXPECT_EQ(NormalizeViewAngle(c.in), c.out) << c.in;
    p.SetViewAngleX(c.in);
    EXPECT_EQ(p.ViewAngleX(), c.out) << c.in;
  }
  p.SetViewAngleZ(360);
  EXPECT_EQ(p.ViewAngleZ(), 360);
}

// The matrix must be the product Rx(a) * Rz(c), orthonormal, with clean zeros.
TEST(Plot3DView, RotationMatrixIsZThenXRotation) {
  const double views[][2] = {{60, 15}, {66, 135}, {90, 0}, {235, 300}, {0, 0}, {180, 270}};
  for (const auto& v : views) {
    const double a = v[0] * std::numbers::pi / 180, c = v[1] * std::numbers::pi / 180;
    const double rx[3][3] = {
        {1, 0, 0}, {0, std::cos(a), -std::sin(a)}, {0, std::sin(a), std::cos(a)}};
    const double rz[3][3] = {
        {std::cos(c), -std::sin(c), 0}, {std::sin(c), std::cos(c), 0}, {0, 0, 1}};
    TPlot3D p(nullptr);
    p.SetViewAngles(v[0], v[1]);
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j) {
        double e = 0;
        for (int k = 0; k < 3; ++k) e += rx[i][k] * rz[k][j];
        const double got = p.GetRotMat(i + 1, j + 1);
        if (std::fabs(e) < 1e-6)
          EXPECT_EQ(got, 0.0) << v[0] << "/" << v[1] << " (" << i + 1 << "," << j + 1 << ")";
        else
          EXPECT_NEAR(got, e, 1e-12);
      }
  }
  TPlot3D p(nullptr);
  EXPECT_EQ(p.GetRotMat(1, 3), 0.0);  // default view 60 / 15
  EXPECT_DOUBLE_EQ(p.GetRotMat(3, 3), 0.5);
  EXPECT_EQ(p.GetRotMat(0, 1), 0.0);
  EXPECT_EQ(p.GetRotMat(2, 4), 0.0);
  p.SetViewAngleX(90);
  EXPECT_EQ(p.GetRotMat(3, 3), 0.0);
}

TEST(Plot3DView, CornersProjectAroundTheCentreAtTheMagnification) {
  TSurfaceProjection pr;
  pr.R = SurfaceRotMatrix(60, 15);
  pr.cx = 325;
  pr.cy = 250;
  // Corner 7 (150, 150, 150): x = 150 (cos 15 - sin 15) = 106.07, y = 150 (0.5 sin 15 +
  // 0.5 cos 15 - sin 60) = -38.05.
  EXPECT_EQ(pr.Project(150, 150, 150), TPoint(325 + 106, 250 - 38));
  EXPECT_EQ(pr.Project(-150, -150, -150), TPoint(325 - 106, 250 + 38));
  EXPECT_EQ(pr.Project(150, -150, 150), TPoint(325 + 184, 250 - 183));
  pr.mag = 2;
  pr.sz = 0.5;
  EXPECT_EQ(pr.Project(0, 0, 150), TPoint(325, 250 - 130));  // 150 * 0.5 * -0.866 * 2
  // Depth: row 3; the top of the box is nearer than its bottom when seen from above.
  EXPECT_GT(pr.Depth(0, 0, 150), pr.Depth(0, 0, -150));
}

TEST(Plot3DView, GridPointsSpreadOverTheCube) {
  EXPECT_EQ(GridCoord(1, 2), -150);
  EXPECT_EQ(GridCoord(2, 2), 150);
  EXPECT_EQ(GridCoord(1, 1), 0);
  EXPECT_EQ(GridCoord(2, 3), 0);
  EXPECT_EQ(GridCoord(11, 11), 150);
  EXPECT_DOUBLE_EQ(GridCoord(2, 11), -120);
}

TEST(Plot3DView, ZCalibrationMapsTheZRangeOntoTheCube) {
  TPlot3DProbe p(nullptr);
  EXPECT_EQ(p.CalcIntZ(-1), -150);  // the constructor's calibration of -1..1
  EXPECT_EQ(p.CalcIntZ(1), 150);
  p.SetRange(0, 1, 0, 1, 10, 20);
  EXPECT_EQ(p.CalcIntZ(10), -150);
  EXPECT_EQ(p.CalcIntZ(15), 0);
  EXPECT_EQ(p.CalcIntZ(20), 150);
  p.SetRangeZHigh(0);  // a reversed range turns the surface upside down
  EXPECT_EQ(p.CalcIntZ(10), -150);
  EXPECT_EQ(p.CalcIntZ(0), 150);
}

TEST(Plot3DView, BoxTablesFollowTheCornerBits) {
  using namespace box3d;
  for (int c = 0; c < kCorners; ++c) {
    const auto& nb = kNeighbours[static_cast<std::size_t>(c)];
    std::array<int, 3> expected{c ^ 1, c ^ 2, c ^ 4};  // listed in ascending order
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ((std::array<int, 3>{nb[0], nb[1], nb[2]}), expected) << c;
    for (int f : kFacesOfCorner[static_cast<std::size_t>(c)]) {
      const auto& face = kFaces[static_cast<std::size_t>(f)];
      EXPECT_NE(std::find(face.begin(), face.end(), c), face.end()) << c << " " << f;
    }
  }
  // Each face: four corners sharing one bit value, consecutive corners sharing an edge.
  const int bit[6] = {1, 2, 1, 2, 4, 4}, value[6] = {1, 2, 0, 0, 4, 0};
  for (int f = 0; f < 6; ++f)
    for (int k = 0; k < 4; ++k) {
      const int a = kFaces[static_cast<std::size_t>(f)][static_cast<std::size_t>(k)];
      const int b = kFaces[static_cast<std::size_t>(f)][static_cast<std::size_t>((k + 1) % 4)];
      EXPECT_EQ(a & bit[f], value[f]);
      EXPECT_EQ(std::popcount(static_cast<unsigned>(a ^ b)), 1);
    }
}

}  // namespace
}  // namespace kiv
