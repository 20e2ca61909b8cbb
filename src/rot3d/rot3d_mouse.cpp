// TRot3D: the mouse. A drag rotates, zooms or pans from the state captured when the pointer
// last moved with no button down.
#include <algorithm>

#include "rot3d/rot3d.h"
#include "services/rounding.h"

namespace kiv::rot3d {

void TRot3D::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  const bool left = Shift.Contains(ssLeft), right = Shift.Contains(ssRight);
  if (!left && !right) {
    MouseAnchorX = X;
    MouseAnchorY = Y;
    FCentXAnchor = FCentX;
    FCentYAnchor = FCentY;
    FMagAnchor = 4000.0 / FMagnify;
    FAngleAnchor = FViewAngle;
    return;
  }
  const int W = Width(), H = Height();
  if (X < 0 || X > W || Y < 0 || Y > H || W <= 0 || H <= 0) return;
  auto zoom = [&] {
    double change = (5.0 - 0.1) * (MouseAnchorY - Y) / H;
    change = std::clamp(FMagAnchor + change, 0.1, 5.0) - FMagAnchor;
    FMagnify = RoundToInt(4000 / (FMagAnchor + change));
  };
  bool acted = true;
  if (left && (FMouseAction == mactRotate || FMouseAction == mactRotateZoom)) {
    const double dxm = MouseAnchorX - X;
    // The vertical term carries a full turn on top of the drag (360 + drag): the same view,
    // and the angle the component has always reported after a drag.
    const double vert = static_cast<double>(H + Y - MouseAnchorY) * 360 / H;
    if (FRotMat3D) {
      FViewAngle[0] = FAngleAnchor[0] + dxm * 360 / W;
      FViewAngle[1] = FAngleAnchor[1] + vert;
    } else {
      FViewAngle[2] = FAngleAnchor[2] + dxm * 360 / W;
      FViewAngle[0] = FAngleAnchor[0] + vert;
    }
    CalcRotMatrix();
  } else if (left && FMouseAction == mactStretch) {
    zoom();
  } else if (left && FMouseAction == mactPan) {
    FCentX = FCentXAnchor + X - MouseAnchorX;
    FCentY = FCentYAnchor + Y - MouseAnchorY;
  } else {
    acted = false;
  }
  if (right && FMouseAction == mactRotateZoom) {
    zoom();
    acted = true;
  }
  if (acted) Repaint();
}

}  // namespace kiv::rot3d
