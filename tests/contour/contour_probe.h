// Helpers of the contour plot tests: a plot that opens its rendering steps, fields to feed it
// and pixel helpers.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>

#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "rchart/rchart.h"

namespace kiv {

class ProbePlot : public TContourPlot {
 public:
  explicit ProbePlot(TComponent* owner = nullptr) : TContourPlot(owner) {}
  using TContourPlot::ConstructDataBmp;
  using TContourPlot::IsoColQuad;
  using TContourPlot::IsoColQuadSL;
  using TContourPlot::IsoQuad;
  using TContourPlot::IsoQuadSL;
  using TContourPlot::Paint;
  using TContourPlot::RenderFromPivotPoints;
  using TContourPlot::ResizePivotMatrix;
  using TContourPlot::SubSteps;
  const TBitmap& DataBitmap() const { return GrafBmp; }

  // A data-area bitmap of the chart's colour with the grid computed (unless computed in advance)
  // and rendered into it.
  TBitmap Rendered() {
    CalculatePivotPoints(false);
    const TSize s = DataBitmapSize();
    TBitmap b(s.cx, s.cy);
    b.Canvas().Brush().SetColor(ChartColor());
    b.Canvas().FillRect(TRect(0, 0, s.cx, s.cy));
    RenderFromPivotPoints(b, 0, 0);
    return b;
  }
};

// A field z(x, y) as the estimation event.
inline TEstimateZValEvent Field(std::function<double(double, double)> f) {
  return [f](TObject*, double x, double y, int, int, double& z, std::uint8_t&) { z = f(x, y); };
}

inline TColor PixelAt(const TBitmap& b, int x, int y) {
  return const_cast<TBitmap&>(b).Canvas().Pixels(x, y);
}

// The same picture, pixel for pixel; otherwise the first difference with both colours.
inline ::testing::AssertionResult SamePicture(const TBitmap& a, const TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height())
    return ::testing::AssertionFailure() << "sizes differ";
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (PixelAt(a, x, y) != PixelAt(b, x, y))
        return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << "): " << std::hex
                                             << PixelAt(a, x, y) << " vs " << PixelAt(b, x, y);
  return ::testing::AssertionSuccess();
}

}  // namespace kiv
