// TPlot3D: the picture by the painter's method. The box's shaded faces (a backdrop behind
// everything) and its hidden edges come first, then the grid cells from back to front, then
// the front edges and the axes on top.
#include <algorithm>
#include <cmath>

#include "plot3d/plot3d.h"
#include "services/box3d.h"
#include "services/rounding.h"

namespace kiv::plot3d {

void TPlot3D::ConstructDataBmp(TCanvas& Canvas, bool) {
  RefreshData();
  const double r31 = FRotMat(3, 1), r32 = FRotMat(3, 2), r33 = FRotMat(3, 3);
  auto depth = [&](int c) { return box3d::CornerComponent(c, r31, r32, r33); };
  const int far = box3d::CornerWithSmallest(depth);
  const int near = 7 - far;
  const TSurfaceProjection proj = Projection();
  auto corner = [&](int c) {
    const auto& p = CubeCorners[static_cast<std::size_t>(c)];
    return proj.Project(p[0], p[1], p[2]);
  };
  auto edges = [&](int from) {
    const TPoint a = corner(from);
    for (int nb : box3d::kNeighbours[static_cast<std::size_t>(from)]) {
      Canvas.MoveTo(a.X, a.Y);
      const TPoint b = corner(nb);
      Canvas.LineTo(b.X, b.Y);
    }
  };
  const bool box = FBoundBoxStyle != bbNone;
  if (box) {
    DrawBoxFaces(Canvas, near);
    Canvas.Pen().SetColor(FColorCubeHidLin);
    edges(far);
  }
  DrawSurface(Canvas);
  if (box) {
    Canvas.Pen().SetColor(FColorCubeFrame);
    edges(near);
  }
  DrawAxes(Canvas, near);
  if (OnDataRendered) OnDataRendered(this, Canvas);
}

void TPlot3D::DrawBoxFaces(TCanvas& Canvas, int near) {
  const TSurfaceProjection proj = Projection();
  const double r31 = FRotMat(3, 1), r32 = FRotMat(3, 2), r33 = FRotMat(3, 3);
  Canvas.Pen().SetColor(FColorCubeFrame);
  Canvas.Brush().SetStyle(FBoundBoxStyle == bbOutline ? bsClear : bsSolid);
  for (int face : box3d::kFacesOfCorner[static_cast<std::size_t>(near)]) {
    TPoint q[4];
    double h = 0;
    for (int k = 0; k < 4; ++k) {
      const int c = box3d::kFaces[static_cast<std::size_t>(face)][static_cast<std::size_t>(k)];
      const auto& p = CubeCorners[static_cast<std::size_t>(c)];
      q[k] = proj.Project(p[0], p[1], p[2]);
      h += box3d::CornerComponent(c, r31, r32, r33);
    }
    Canvas.Brush().SetColor(
        box3d::FaceShade(FColorCubeFaceLow, FColorCubeFaceHigh, RoundToInt(50 * h), 200));
    Canvas.Polygon(q);
  }
  Canvas.Brush().SetStyle(bsSolid);
}

}  // namespace kiv::plot3d
