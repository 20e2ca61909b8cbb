// TContourPlot's pivot grid: its size, the computation of the pivot values through the
// application's callback with progress reports, and the statistics over the values.
#include <algorithm>
#include <vector>

#include "platform/application.h"
#include "rchart/contourplot.h"
#include "services/percentile.h"
#include "services/rounding.h"

namespace kiv {

void TContourPlot::SetPivotResX(int n) {
  RecreateGrid(std::max(n, 2), FNumPivotsY);
  Repaint();
}

void TContourPlot::SetPivotResY(int n) {
  RecreateGrid(FNumPivotsX, std::max(n, 2));
  Repaint();
}

int TContourPlot::GetPivotRes() const {
  return 5 * std::max(FNumPivotsX, FNumPivotsY);
}

void TContourPlot::SetPivotRes(int r) {
  r = std::max(r, 10);
  const int w = Width() - RcLRim - RcRRim, h = Height() - RcTRim - RcBRim;
  const double q = r / 5.0;
  // A data area without extent along one side gets the minimum there.
  auto along = [&](int a, int b) { return b > 0 ? RoundToInt(q * a / b) + 1 : 2; };
  if (w < h)
    RecreateGrid(std::max(2, along(w, h)), r / 5 + 1);
  else
    RecreateGrid(r / 5 + 1, std::max(2, along(h, w)));
  Repaint();
}

void TContourPlot::ResizePivotMatrix(int w, int h) {
  w = std::clamp(w, 10, 5000);
  h = std::clamp(h, 10, 5000);
  RecreateGrid(w / 5, h / 5);
  Repaint();
}

void TContourPlot::FeedbackProgress(int percent) {
  if (OnProgress) OnProgress(this, percent);
}

void TContourPlot::ClearPivotPoints(bool PreCalcFlag) {
  if (!(FPivotPreCalc && !PreCalcFlag)) FPivotMat.Fill(0);
  FPivotPreCalc = PreCalcFlag;
}

// Application code runs at every progress step (message processing) and for every point (the
// callback). When it re-creates the grid, the walk stops: the new grid is empty and the plot
// repaints for it anyway.
void TContourPlot::CalculatePivotPoints(bool PreCalcFlag) {
  if (!PreCalcFlag && FPivotPreCalc) {
    FPivotPreCalc = false;
    return;
  }
  FMinimum = uc_MaxDouble;
  FMaximum = -uc_MaxDouble;
  const int N = FNumPivotsX, M = FNumPivotsY;
  const int step = std::max(1, N / 100);
  const double xLo = Scale1X().RangeLow(), xHi = Scale1X().RangeHigh();
  const double yLo = Scale1Y().RangeLow(), yHi = Scale1Y().RangeHigh();
  std::vector<double> ys(static_cast<std::size_t>(M));
  for (int iy = 1; iy <= M; ++iy)
    ys[static_cast<std::size_t>(iy - 1)] = PivotCoord(yLo, yHi, iy, M);
  const std::uint64_t generation = FGridGeneration;
  const bool ask = OnEstimateZVal && FEnabled;
  double lo = FMinimum, hi = FMaximum;
  for (int ix = 1; ix <= N; ++ix) {
    if (ix % step == 0) {
      FeedbackProgress(RoundToInt(ix * 100.0 / N));
      Application().ProcessMessages();
      if (generation != FGridGeneration) return;
    }
    const double x = PivotCoord(xLo, xHi, ix, N);
    const std::size_t col = static_cast<std::size_t>(ix - 1) * static_cast<std::size_t>(M);
    // The grid's storage stays put while the generation does (checked after every callback).
    double* const zs = FPivotMat.Data() + col;
    std::uint8_t* const masks = FMaskMat.Data() + col;
    if (!ask) {
      std::fill_n(zs, M, 0.0);
      lo = std::min(lo, 0.0);
      hi = std::max(hi, 0.0);
      continue;
    }
    for (int iy = 1; iy <= M; ++iy) {
      double z = 0;
      std::uint8_t mask = masks[iy - 1];
      OnEstimateZVal(this, x, ys[static_cast<std::size_t>(iy - 1)], ix, iy, z, mask);
      if (generation != FGridGeneration) return;
      zs[iy - 1] = z;
      masks[iy - 1] = mask;
      hi = z > hi ? z : hi;
      lo = z < lo ? z : lo;
    }
  }
  FMinimum = lo;
  FMaximum = hi;
  FPivotMat.Changed();
  FMaskMat.Changed();
  FPivotPreCalc = PreCalcFlag;
}

double TContourPlot::PercentilePivots(double prob) const {
  return FPivotMat.Percentile(prob);
}

double TContourPlot::PercentilePivots(double prob, bool UseMask) const {
  if (!UseMask) return PercentilePivots(prob);
  std::vector<double> values;
  const std::size_t n = static_cast<std::size_t>(FPivotMat.NrOfColumns()) *
                        static_cast<std::size_t>(FPivotMat.NrOfRows());
  values.reserve(n);
  const double* z = FPivotMat.Data();
  const std::uint8_t* m = FMaskMat.Data();
  for (std::size_t i = 0; i < n; ++i)  // column after column: x index outer, y index inner
    if (m[i] == 0) values.push_back(z[i]);
  return PercentileOfValues(values, prob);
}

}  // namespace kiv
