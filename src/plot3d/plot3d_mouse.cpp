// TPlot3D: the mouse. A drag rotates, zooms or pans the view from the state captured when the
// pointer last moved with no button down; every move reports the grid cell under the pointer.
#include <algorithm>
#include <cstdint>

#include "plot3d/plot3d.h"

namespace kiv::plot3d {

void TPlot3D::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  MouseActionMove(Shift, X, Y);
  MouseMoveOverPlot(Shift, X, Y);
}

void TPlot3D::Wrapped(double& angle) const {
  if (angle > 360) angle -= 360;
  if (angle < 0) angle += 360;
}

void TPlot3D::MouseActionMove(TShiftState Shift, int X, int Y) {
  const bool left = Shift.Contains(ssLeft), right = Shift.Contains(ssRight);
  if (!left && !right) {
    MouseAnchorX = X;
    MouseAnchorY = Y;
    FCentXAnchor = FCentX;
    FCentYAnchor = FCentY;
    FMagAnchor = FMagnification;
    FAngleAnchor = FViewAngle;
    return;
  }
  const int W = Width(), H = Height();
  if (X < 0 || X > W || Y < 0 || Y > H || W <= 0 || H <= 0) return;
  const double dx = MouseAnchorX - X, dy = MouseAnchorY - Y;
  auto zoom = [&] {
    const double change = (5.0 - 0.1) * dy / H / 2;
    FMagnification = std::clamp(FMagAnchor + change, 0.1, 5.0);
  };
  bool zoomed = false, acted = true;
  if (left) {
    switch (FMouseAction) {
      case mactRotate:
      case mactRotateZoom:
        FViewAngle[2] = FAngleAnchor[2] + dx * 360 / W;
        FViewAngle[0] = FAngleAnchor[0] + dy * 360 / H;
        Wrapped(FViewAngle[2]);
        Wrapped(FViewAngle[0]);
        FViewAngle[1] = 0;
        if (FMouseAction == mactRotate)
          for (std::size_t a : {0u, 2u})
            FViewAngle[a] = std::clamp(FViewAngle[a], FViewAngLimLow[a], FViewAngLimHigh[a]);
        break;
      case mactRotateX:
        FViewAngle[0] = FAngleAnchor[0] - dy * 360 / H;
        Wrapped(FViewAngle[0]);
        FViewAngle[1] = 0;
        break;
      case mactRotateZ:
        FViewAngle[2] = FAngleAnchor[2] + dx * 360 / W;
        Wrapped(FViewAngle[2]);
        FViewAngle[1] = 0;
        break;
      case mactStretch:
        zoom();
        zoomed = true;
        break;
      case mactPan:
        FCentX = FCentXAnchor - static_cast<int>(dx);
        FCentY = FCentYAnchor - static_cast<int>(dy);
        zoomed = true;
        break;
      default:
        acted = false;
        break;
    }
  } else {
    acted = false;
  }
  if (right && FMouseAction == mactRotateZoom) {
    zoom();
    acted = zoomed = true;
  }
  if (!acted) return;
  if (OnMouseAction)
    OnMouseAction(this, FCentX, FCentY, FViewAngle[0], FViewAngle[2], FMagnification, Shift);
  if (zoomed) DoZoomPanEvent();
  CalcRotMatrix();
  Changed();
}

void TPlot3D::DoZoomPanEvent() {
  if (OnZoomPan) OnZoomPan(this);
}

void TPlot3D::MouseMoveOverPlot(TShiftState Shift, int X, int Y) {
  if (!OnMouseMoveOverPlot) return;
  int cx = 0, cy = 0;
  const bool over = FindCell(X, Y, cx, cy);
  if (!over) cx = cy = 0;
  OnMouseMoveOverPlot(this, over, Shift, cx, cy);
}

// A point is inside a cell when it lies on the same side of all four edges of the drawn
// quadrilateral, or on one edge line and inside the other three: the signs of the four cross
// products add up to 3 or 4 in magnitude.
bool TPlot3D::FindCell(int mx, int my, int& CellX, int& CellY) const {
  const int nc = std::min({ProjMapX.NrOfColumns(), ProjMapY.NrOfColumns(), ProjMapZ.NrOfColumns(),
                           GridMat.NrOfColumns()});
  const int nr =
      std::min({ProjMapX.NrOfRows(), ProjMapY.NrOfRows(), ProjMapZ.NrOfRows(), GridMat.NrOfRows()});
  bool found = false;
  std::int32_t best = 0;
  auto side = [mx, my](std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) {
    const std::int64_t c = (x2 - x1) * (my - y1) - (y2 - y1) * (mx - x1);
    return (c > 0) - (c < 0);
  };
  for (int ix = 1; ix < nc; ++ix) {
    for (int iy = 1; iy < nr; ++iy) {
      const std::int64_t ax = ProjMapX.GetVal(ix, iy), ay = ProjMapY.GetVal(ix, iy);
      const std::int64_t bx = ProjMapX.GetVal(ix, iy + 1), by = ProjMapY.GetVal(ix, iy + 1);
      const std::int64_t cx = ProjMapX.GetVal(ix + 1, iy + 1), cy = ProjMapY.GetVal(ix + 1, iy + 1);
      const std::int64_t dx = ProjMapX.GetVal(ix + 1, iy), dy = ProjMapY.GetVal(ix + 1, iy);
      const int sum =
          side(ax, ay, bx, by) + side(bx, by, cx, cy) + side(cx, cy, dx, dy) + side(dx, dy, ax, ay);
      if (sum <= 2 && sum >= -2) continue;
      const std::int32_t order = ProjMapZ.GetVal(ix, iy);
      if (!found || order > best) {
        found = true;
        best = order;
        CellX = ix;
        CellY = iy;
      }
    }
  }
  return found;
}

}  // namespace kiv::plot3d
