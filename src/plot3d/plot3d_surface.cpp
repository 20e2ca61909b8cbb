// TPlot3D: the surface. Cells are drawn row after row, each row from one end to the other, in
// the order that puts nearer cells later for the view's octant. Every grid point is projected
// once; each cell gives its corners order numbers, and the projection maps keep each grid
// point's screen position and the order number of the last cell drawn at it for the hit test.
#include <cmath>
#include <vector>

#include "platform/quadpaint.h"
#include "plot3d/plot3d.h"

namespace kiv::plot3d {

void TPlot3D::DrawSurface(TCanvas& Canvas) {
  const int nc = GridMat.NrOfColumns(), nr = GridMat.NrOfRows();
  Canvas.Pen().SetColor(FColorMesh);
  Canvas.Brush().SetColor(FColorHigh);
  Canvas.Brush().SetStyle(bsSolid);
  if (nc < 2 || nr < 2) return;

  // The grid column after column: values, screen points and order numbers.
  const std::size_t n = static_cast<std::size_t>(nc) * static_cast<std::size_t>(nr);
  std::vector<double> vals(n);
  std::vector<TPoint> pts(n);
  std::vector<int> order(n);
  const TSurfaceProjection proj = Projection();
  std::vector<double> ys(static_cast<std::size_t>(nr));
  for (int iy = 1; iy <= nr; ++iy) ys[static_cast<std::size_t>(iy - 1)] = GridCoord(iy, nr);
  for (int ix = 1, k = 0; ix <= nc; ++ix) {
    const double x = GridCoord(ix, nc);
    for (int iy = 1; iy <= nr; ++iy, ++k) {
      const auto i = static_cast<std::size_t>(k);
      vals[i] = GridMat.GetVal(ix, iy);
      pts[i] = proj.Project(x, ys[static_cast<std::size_t>(iy - 1)], CalcIntZ(vals[i]));
    }
  }

  const double vax = FViewAngle[0], vaz = FViewAngle[2];
  const bool rowsUp = (vax > 180) != (vaz < 90 || vaz > 270);
  const bool colsUp = (vax > 180) == (vaz > 180);
  const TColorCoder coder({FColorCodingMode, FColorLow, FColorMid, FColorHigh, FColorScaleLow,
                           FColorScaleHigh, &IsoColors});
  TQuadPainter fast;
  TQuadPainter* direct = !OnBeforeRenderPolygon && fast.Prepare(Canvas) ? &fast : nullptr;
  for (int m = 1; m <= nr - 1; ++m) {
    const int iy = rowsUp ? m : nr - m;
    for (int r = 1; r <= nc - 1; ++r) {
      const int ix = colsUp ? r : nc - r;
      // P0 = (ix, iy), P1 = (ix + 1, iy), P2 = (ix + 1, iy + 1), P3 = (ix, iy + 1).
      const std::size_t p0 = static_cast<std::size_t>(ix - 1) * static_cast<std::size_t>(nr) +
                             static_cast<std::size_t>(iy - 1);
      const std::size_t at[4] = {p0, p0 + static_cast<std::size_t>(nr),
                                 p0 + static_cast<std::size_t>(nr) + 1, p0 + 1};
      order[at[0]] = (m - 1) * nc + r;
      order[at[1]] = (m - 1) * nc + r + 1;
      order[at[2]] = m * nc + r + 1;
      order[at[3]] = m * nc + r;
      const double v0 = vals[at[0]], v1 = vals[at[1]], v2 = vals[at[2]], v3 = vals[at[3]];
      if (!(std::isfinite(v0) && std::isfinite(v1) && std::isfinite(v2) && std::isfinite(v3)))
        continue;  // a missing value leaves a hole
      const TQuad quad{pts[at[0]], pts[at[1]], pts[at[2]], pts[at[3]]};
      TColor color = coder(FColorCodeAvg ? (v0 + v1 + v2 + v3) / 4
                                         : std::fmax(std::fmax(v0, v1), std::fmax(v2, v3)));
      if (OnBeforeRenderPolygon) {
        bool handled = false;
        OnBeforeRenderPolygon(this, Canvas, handled, ix, iy, quad, color);
        if (handled) continue;
      }
      DrawCell(Canvas, direct, quad.data(), color);
    }
  }
  if (direct) direct->Finish();

  for (TIntMatrix* map : {&ProjMapX, &ProjMapY, &ProjMapZ}) map->BeginUpdate();
  for (int ix = 1, k = 0; ix <= nc; ++ix)
    for (int iy = 1; iy <= nr; ++iy, ++k) {
      const auto i = static_cast<std::size_t>(k);
      ProjMapX.SetVal(ix, iy, pts[i].X);
      ProjMapY.SetVal(ix, iy, pts[i].Y);
      ProjMapZ.SetVal(ix, iy, order[i]);
    }
  for (TIntMatrix* map : {&ProjMapX, &ProjMapY, &ProjMapZ}) map->EndUpdate();
}

// One cell by the mesh kind: outlined in the mesh colour (mkMesh, unless the mesh is hidden),
// or filled and outlined in its own colour with mesh lines along x (horizontal waterfall), y
// (vertical), the diagonal, or mesh dots at the corners (mkGrid).
void TPlot3D::DrawCell(TCanvas& Canvas, TQuadPainter* direct, const TPoint* q, TColor color) {
  static constexpr int kCorners[4] = {0, 1, 3, 2};
  const TMeshKind kind = FMeshKind;
  if (direct) {
    const TPixel cell = ColorToPixel(color), mesh = ColorToPixel(FColorMesh);
    if (kind == mkMesh) {
      direct->Quad(q, cell, FMeshVisible ? mesh : cell);
      return;
    }
    direct->Quad(q, cell, cell);
    if (kind == mkWaterfallHorz) {
      direct->Line(q[0], q[3], mesh);
      direct->Line(q[2], q[1], mesh);
    } else if (kind == mkWaterfallVert) {
      direct->Line(q[0], q[1], mesh);
      direct->Line(q[2], q[3], mesh);
    } else if (kind == mkWaterfallDiag) {
      direct->Line(q[0], q[2], mesh);
    } else {
      for (int k : kCorners) direct->Pixel(q[k], mesh);
    }
    return;
  }
  Canvas.Brush().SetColor(color);
  if (!FMeshVisible || kind != mkMesh) Canvas.Pen().SetColor(color);
  Canvas.Polygon(std::span<const TPoint>(q, 4));
  if (kind == mkMesh) return;
  Canvas.Pen().SetColor(FColorMesh);
  auto line = [&](TPoint a, TPoint b) {
    Canvas.MoveTo(a.X, a.Y);
    Canvas.LineTo(b.X, b.Y);
  };
  if (kind == mkWaterfallHorz) {
    line(q[0], q[3]);
    line(q[2], q[1]);
  } else if (kind == mkWaterfallVert) {
    line(q[0], q[1]);
    line(q[2], q[3]);
  } else if (kind == mkWaterfallDiag) {
    line(q[0], q[2]);
  } else {
    for (int k : kCorners) Canvas.SetPixels(q[k].X, q[k].Y, FColorMesh);
  }
}

}  // namespace kiv::plot3d
