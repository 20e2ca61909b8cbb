// Test access to the surface plot's protected parts, and picture comparisons that name the
// first differing pixel.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/bitmap.h"
#include "plot3d/plot3d.h"

namespace kiv::test {

class TPlot3DProbe : public plot3d::TPlot3D {
 public:
  using TPlot3D::CalcColorCoding;
  using TPlot3D::CalcIntZ;
  using TPlot3D::FindCell;
  using TPlot3D::ProjMapZ;
  using TPlot3D::TPlot3D;
  // A picture without frame, box or axes unless asked for: the surface alone.
  void SurfaceOnly() {
    SetBoundBoxStyle(bbNone);
    SetVisibleXCoords(false);
    SetVisibleYCoords(false);
    SetVisibleZCoords(false);
  }
};

inline ::testing::AssertionResult SamePixels(const TBitmap& a, const TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height())
    return ::testing::AssertionFailure() << "sizes differ";
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.ScanLine(y)[x] != b.ScanLine(y)[x])
        return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << "): " << std::hex
                                             << a.ScanLine(y)[x] << " vs " << b.ScanLine(y)[x];
  return ::testing::AssertionSuccess();
}

inline TColor At(const TBitmap& b, int x, int y) {
  return PixelToColor(b.ScanLine(y)[x]);
}

}  // namespace kiv::test
