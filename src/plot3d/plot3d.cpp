// TPlot3D: construction, the painting switch, the view, the ranges and the data.
#include "plot3d/plot3d.h"

#include <algorithm>
#include <cmath>

namespace kiv::plot3d {

TPlot3D::TPlot3D(TComponent* AOwner) : TCustomControl(AOwner) {
  SetControlStyle(ControlStyle() + TControlStyle{csOpaque});
  FSuppressPaint = true;
  SetBounds(Left(), Top(), 650, 500);
  GridMat.OnChange = [this](TObject*) { FDataChanged = true; };
  FCentX = Width() / 2;
  FCentY = Height() / 2;
  CalcRotMatrix();
  SetCubeCorners();
  FSuppressPaint = false;
}

TPlot3D::~TPlot3D() {
  Destroying();
  GridMat.OnChange = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Painting rules

void TPlot3D::Changed() {
  if (!FSuppressPaint) Repaint();
}

void TPlot3D::SetSuppressPaint(bool v) {
  FSuppressPaint = v;
  if (!v) {
    FDataChanged = true;
    RefreshData();
    Repaint();
  }
}

// ---------------------------------------------------------------------------------------------
// View

void TPlot3D::CalcRotMatrix() {
  FRotMat = SurfaceRotMatrix(FViewAngle[0], FViewAngle[2]);
}

double TPlot3D::GetRotMat(int ix, int iy) const {
  if (ix < 1 || ix > 3 || iy < 1 || iy > 3) return 0;
  return FRotMat(ix, iy);
}

void TPlot3D::SetViewAngle(int axis, double v) {
  if (!std::isfinite(v)) return;
  v = NormalizeViewAngle(v);
  if (v == FViewAngle[static_cast<std::size_t>(axis)]) return;
  FViewAngle[static_cast<std::size_t>(axis)] = v;
  CalcRotMatrix();
  Changed();
}

void TPlot3D::SetViewAngleX(double v) {
  SetViewAngle(0, v);
}

void TPlot3D::SetViewAngleZ(double v) {
  SetViewAngle(2, v);
}

void TPlot3D::SetViewAngles(double vax, double vaz) {
  if (vax == FViewAngle[0] && vaz == FViewAngle[2]) return;
  if (!std::isfinite(vax) || !std::isfinite(vaz)) return;
  FViewAngle[0] = NormalizeViewAngle(vax);
  FViewAngle[1] = 0;
  FViewAngle[2] = NormalizeViewAngle(vaz);
  CalcRotMatrix();
  Changed();
}

void TPlot3D::SetMagnification(double v) {
  if (std::isnan(v)) return;
  FMagnification = std::clamp(v, 0.1, 5.0);
  Changed();
}

void TPlot3D::SetScaleFactX(double v) {
  FSclXIntern = v;
  Changed();
}

void TPlot3D::SetScaleFactY(double v) {
  FSclYIntern = v;
  Changed();
}

void TPlot3D::SetScaleFactZ(double v) {
  FSclZIntern = v;
  Changed();
}

void TPlot3D::Recenter() {
  FCentX = Width() / 2;
  FCentY = Height() / 2;
}

void TPlot3D::SetCentX(int v) {
  if (FAutoCenter) {
    Recenter();
    return;
  }
  if (v == FCentX) return;
  FCentX =
      static_cast<int>(std::clamp<long long>(v, -static_cast<long long>(Width()), 2LL * Width()));
  Changed();
}

void TPlot3D::SetCentY(int v) {
  if (FAutoCenter) {
    Recenter();
    return;
  }
  if (v == FCentY) return;
  FCentY =
      static_cast<int>(std::clamp<long long>(v, -static_cast<long long>(Height()), 2LL * Height()));
  Changed();
}

void TPlot3D::SetAutoCenter(bool v) {
  FAutoCenter = v;
  if (v) Recenter();
}

void TPlot3D::ProcessResize() {
  if (FAutoCenter) Recenter();
}

void TPlot3D::Resize() {
  ProcessResize();
  TCustomControl::Resize();
}

void TPlot3D::Reset() {
  Recenter();
  FSclXIntern = FSclYIntern = FSclZIntern = 1;
  FViewAngle = {66, 0, 135};
  FMagnification = 1;
  CalcRotMatrix();
  Changed();
}

TSurfaceProjection TPlot3D::Projection() const {
  TSurfaceProjection p;
  p.R = FRotMat;
  p.sx = FSclXIntern;
  p.sy = FSclYIntern;
  p.sz = FSclZIntern;
  p.mag = FMagnification;
  p.cx = FCentX;
  p.cy = FCentY;
  return p;
}

void TPlot3D::SetCubeCorners() {
  for (int c = 0; c < 8; ++c)
    CubeCorners[static_cast<std::size_t>(c)] = {(c & 4) ? kCubeHalf : -kCubeHalf,
                                                (c & 2) ? kCubeHalf : -kCubeHalf,
                                                (c & 1) ? kCubeHalf : -kCubeHalf};
}

// ---------------------------------------------------------------------------------------------
// Ranges and the z calibration

void TPlot3D::AdjustScaling() {
  FCalibZk = 300 / (FRange[2][1] - FRange[2][0]);
  FCalibZd = -150 - FRange[2][0] * FCalibZk;
}

void TPlot3D::SetRangeEnd(int axis, int end, double v) {
  if (!std::isfinite(v)) return;
  auto& r = FRange[static_cast<std::size_t>(axis)];
  if (end == 0)
    r[0] = v == r[1] ? v - 1 : v;
  else
    r[1] = v == r[0] ? v + 1 : v;
  AdjustScaling();
  Changed();
}

void TPlot3D::SetRange(double xLow, double xHigh, double yLow, double yHigh, double zLow,
                       double zHigh) {
  const double v[6] = {xLow, xHigh, yLow, yHigh, zLow, zHigh};
  if (!std::all_of(v, v + 6, [](double d) { return std::isfinite(d); })) return;
  for (std::size_t a = 0; a < 3; ++a) {
    double lo = v[2 * a], hi = v[2 * a + 1];
    if (lo == hi) {
      hi += 0.5;
      lo -= 0.5;
    }
    FRange[a] = {lo, hi};
  }
  AdjustScaling();
  Changed();
}

// ---------------------------------------------------------------------------------------------
// Data

void TPlot3D::GridMatChanged() {
  SetCubeCorners();
  GridMat.MinMax(FMinZ, FMaxZ);
  const int nc = GridMat.NrOfColumns(), nr = GridMat.NrOfRows();
  ProjMapX.Resize(nc, nr);
  ProjMapY.Resize(nc, nr);
  ProjMapZ.Resize(nc, nr);
  FDataChanged = false;
}

// The matrix reports every single change; the extent is computed once when it is needed
// (painting, AutoScale, the hit test), so filling a large matrix cell by cell stays linear.
void TPlot3D::RefreshData() {
  if (FDataChanged) GridMatChanged();
}

void TPlot3D::AutoScale() {
  RefreshData();
  const int nc = std::max(GridMat.NrOfColumns(), 1), nr = std::max(GridMat.NrOfRows(), 1);
  const int m = std::max(nc, nr);
  FSclXIntern = static_cast<double>(m) / nc;
  FSclYIntern = static_cast<double>(m) / nr;
  FSclZIntern = FMaxZ > FMinZ ? (FRange[2][1] - FRange[2][0]) / (FMaxZ - FMinZ) : 1;
  Changed();
}

void TPlot3D::Clear() {
  GridMat.Fill(0);
  Changed();
}

}  // namespace kiv::plot3d
