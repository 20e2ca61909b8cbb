// TPlot3D: the picture by the painter's method. The box's rear faces and hidden edges come
// first, then the grid cells from back to front, then the front edges and the axes on top.
#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/quadpaint.h"
#include "plot3d/plot3d.h"
#include "services/box3d.h"
#include "services/rounding.h"

namespace kiv::plot3d {

namespace {

TColor FaceColor(TColor low, TColor high, int F) {
  const TColor lo = ColorToRGB(low), hi = ColorToRGB(high);
  auto channel = [&](int shift) {
    const int l = (lo >> shift) & 0xFF, h = (hi >> shift) & 0xFF;
    return l + (h - l) * F / 200;
  };
  return RGB(channel(0), channel(8), channel(16));
}

}  // namespace

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
    Canvas.Brush().SetColor(FaceColor(FColorCubeFaceLow, FColorCubeFaceHigh, RoundToInt(50 * h)));
    Canvas.Polygon(q);
  }
  Canvas.Brush().SetStyle(bsSolid);
}

// Cells are drawn row after row, each row from one end to the other, in the order that puts
// nearer cells later for the view's octant. Every grid point is projected once; a cell stores
// its corners with order numbers in the projection maps, which the hit test reads.
void TPlot3D::DrawSurface(TCanvas& Canvas) {
  const int nc = GridMat.NrOfColumns(), nr = GridMat.NrOfRows();
  Canvas.Pen().SetColor(FColorMesh);
  Canvas.Brush().SetColor(FColorHigh);
  Canvas.Brush().SetStyle(bsSolid);
  if (nc < 2 || nr < 2) return;
  const TSurfaceProjection proj = Projection();
  std::vector<TPoint> pts(static_cast<std::size_t>(nc) * static_cast<std::size_t>(nr));
  std::vector<double> xs(static_cast<std::size_t>(nc) + 1);
  for (int ix = 1; ix <= nc; ++ix) xs[static_cast<std::size_t>(ix)] = GridCoord(ix, nc);
  auto at = [nr](int ix, int iy) {
    return static_cast<std::size_t>(ix - 1) * static_cast<std::size_t>(nr) +
           static_cast<std::size_t>(iy - 1);
  };
  for (int ix = 1; ix <= nc; ++ix)
    for (int iy = 1; iy <= nr; ++iy)
      pts[at(ix, iy)] = proj.Project(xs[static_cast<std::size_t>(ix)], GridCoord(iy, nr),
                                     CalcIntZ(GridMat.GetVal(ix, iy)));

  const double vax = FViewAngle[0], vaz = FViewAngle[2];
  const bool rowsUp = (vax > 180) != (vaz < 90 || vaz > 270);
  const bool colsUp = (vax > 180) == (vaz > 180);
  const TColorCoder coder({FColorCodingMode, FColorLow, FColorMid, FColorHigh, FColorScaleLow,
                           FColorScaleHigh, &IsoColors});
  TQuadPainter fast;
  const bool direct = !OnBeforeRenderPolygon && fast.Prepare(Canvas);
  const TPixel meshPixel = ColorToPixel(FColorMesh);
  const TMeshKind kind = FMeshKind;
  ProjMapX.BeginUpdate();
  ProjMapY.BeginUpdate();
  ProjMapZ.BeginUpdate();
  for (int m = 1; m <= nr - 1; ++m) {
    const int iy = rowsUp ? m : nr - m;
    for (int r = 1; r <= nc - 1; ++r) {
      const int ix = colsUp ? r : nc - r;
      const int cx[4] = {ix, ix + 1, ix + 1, ix}, cy[4] = {iy, iy, iy + 1, iy + 1};
      const int order[4] = {(m - 1) * nc + r, (m - 1) * nc + r + 1, m * nc + r + 1, m * nc + r};
      TQuad quad;
      double vmax = 0, sum = 0;
      bool finite = true;
      for (int k = 0; k < 4; ++k) {
        quad[static_cast<std::size_t>(k)] = pts[at(cx[k], cy[k])];
        ProjMapX.SetVal(cx[k], cy[k], quad[static_cast<std::size_t>(k)].X);
        ProjMapY.SetVal(cx[k], cy[k], quad[static_cast<std::size_t>(k)].Y);
        ProjMapZ.SetVal(cx[k], cy[k], order[k]);
        const double v = GridMat.GetVal(cx[k], cy[k]);
        finite = finite && std::isfinite(v);
        vmax = k == 0 ? v : std::max(vmax, v);
        sum += v;
      }
      if (!finite) continue;  // a missing value leaves a hole in the surface
      TColor color = coder(FColorCodeAvg ? sum / 4 : vmax);
      if (OnBeforeRenderPolygon) {
        bool handled = false;
        OnBeforeRenderPolygon(this, Canvas, handled, ix, iy, quad, color);
        if (handled) continue;
      }
      const TPoint* q = quad.data();
      if (direct) {
        const TPixel cell = ColorToPixel(color);
        if (kind == mkMesh) {
          fast.Quad(q, cell, FMeshVisible ? meshPixel : cell);
          continue;
        }
        fast.Quad(q, cell, cell);
        switch (kind) {
          case mkWaterfallHorz:
            fast.Line(q[0], q[3], meshPixel);
            fast.Line(q[2], q[1], meshPixel);
            break;
          case mkWaterfallVert:
            fast.Line(q[0], q[1], meshPixel);
            fast.Line(q[2], q[3], meshPixel);
            break;
          case mkWaterfallDiag:
            fast.Line(q[0], q[2], meshPixel);
            break;
          default:
            for (int k : {0, 1, 3, 2}) fast.Pixel(q[k], meshPixel);
            break;
        }
        continue;
      }
      Canvas.Brush().SetColor(color);
      if (!FMeshVisible) Canvas.Pen().SetColor(color);
      if (kind == mkMesh) {
        Canvas.Polygon(std::span<const TPoint>(q, 4));
        continue;
      }
      Canvas.Pen().SetColor(color);
      Canvas.Polygon(std::span<const TPoint>(q, 4));
      Canvas.Pen().SetColor(FColorMesh);
      auto line = [&](TPoint a, TPoint b) {
        Canvas.MoveTo(a.X, a.Y);
        Canvas.LineTo(b.X, b.Y);
      };
      switch (kind) {
        case mkWaterfallHorz:
          line(q[0], q[3]);
          line(q[2], q[1]);
          break;
        case mkWaterfallVert:
          line(q[0], q[1]);
          line(q[2], q[3]);
          break;
        case mkWaterfallDiag:
          line(q[0], q[2]);
          break;
        default:
          for (int k : {0, 1, 3, 2}) Canvas.SetPixels(q[k].X, q[k].Y, FColorMesh);
          break;
      }
    }
  }
  ProjMapX.EndUpdate();
  ProjMapY.EndUpdate();
  ProjMapZ.EndUpdate();
  if (direct) fast.Finish();
}

}  // namespace kiv::plot3d
