// Test access to the rotatable 3D chart's rotation objects.
#pragma once

#include "platform/color.h"
#include "rot3d/rot3d.h"

namespace kiv::test {

class TRot3DProbe : public rot3d::TRot3D {
 public:
  using TRot3D::FLineWid;
  using TRot3D::FRotDataX;
  using TRot3D::FRotDataY;
  using TRot3D::FRotDataZ;
  using TRot3D::FRotMark;
  using TRot3D::FRotProp;
  using TRot3D::NRotObj;
  using TRot3D::TRot3D;
  // Items keep their world coordinates as object coordinates: no centring, scale 1, straight
  // top view, no box, no axes.
  void Plain() {
    SetAutoOrigin(false);
    SetAutoScale(false);
    SetViewAngles(0, 0, 0);
    SetBoundBoxStyle(bbNone);
    SetShowAxes(false);
  }
};

inline TColor At(const TBitmap& b, int x, int y) {
  return PixelToColor(b.ScanLine(y)[x]);
}

}  // namespace kiv::test
