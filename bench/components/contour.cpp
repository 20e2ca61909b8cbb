// Contour plot rows of the benchmark table: a 1000 x 1000 pivot grid on an 800 x 600 chart as a
// colour surface, as flat cells and as isolines at 10 levels, and the plot's own time per grid
// point while it fills the grid from an application callback.
//
//   kiv_component_contour write DIR   the grid values for the peers (grid.f64, row after row)
//   kiv_component_contour rows DIR    task, milliseconds (best of several runs), target
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "platform/bitmap.h"
#include "rchart/rchart.h"
#include "timing.h"

namespace {

using namespace kiv;

constexpr int kGrid = 1000;
constexpr int kRuns = 7;

double FieldAt(double x, double y) {
  return std::sin(x) * std::cos(0.7 * y) + 0.05 * x;
}

// The best of kRuns runs of task, each after an untimed prepare (the pivot values computed in
// advance, so that a paint times the picture alone): on the wall clock, or in the thread's CPU
// time, which other processes on a shared machine do not stretch.
double Best(const std::function<void()>& prepare, const std::function<void()>& task, bool cpu) {
  double best = 1e300;
  for (int i = 0; i < kRuns; ++i) {
    prepare();
    const auto one = [&](int) { task(); };
    best = std::min(best, cpu ? bench::BestCpuMs(1, one) : bench::BestMs(1, one));
  }
  return best;
}

void Setup(TContourPlot& p) {
  p.SetBounds(0, 0, 800, 600);
  p.SetNumPivotsX(kGrid);
  p.SetNumPivotsY(kGrid);
  p.IsoColors.SetSize(64);
  p.IsoColors.FillByInterpolation(
      1, {RGB(40, 40, 150), RGB(40, 190, 170), RGB(250, 200, 40), RGB(220, 60, 30)});
  p.SetIsoParams(-1.3, 1.3, 0.26);  // 10 levels
  p.OnEstimateZVal = [](TObject*, double x, double y, int, int, double& z, std::uint8_t&) {
    z = FieldAt(x, y);
  };
}

void Row(const char* task, double ms, double target) {
  if (target > 0)
    std::printf("%s\t%.3f\t%.1f\n", task, ms, target);
  else
    std::printf("%s\t%.3f\t-\n", task, ms);
}

int Write(const std::string& dir) {
  std::vector<double> z(static_cast<std::size_t>(kGrid) * kGrid);
  for (int iy = 0; iy < kGrid; ++iy)
    for (int ix = 0; ix < kGrid; ++ix)
      z[static_cast<std::size_t>(iy) * kGrid + ix] =
          FieldAt(-5.2 + 10.4 * ix / (kGrid - 1), -5.2 + 10.4 * iy / (kGrid - 1));
  std::ofstream out(dir + "/grid.f64", std::ios::binary);
  out.write(reinterpret_cast<const char*>(z.data()),
            static_cast<std::streamsize>(z.size() * sizeof(double)));
  return out ? 0 : 1;
}

int Rows(const std::string& dir) {
  TContourPlot p(nullptr);
  Setup(p);
  TBitmap picture;
  auto precomputed = [&] { p.CalculatePivotPoints(true); };
  auto paint = [&] { p.CopyToBitmap(picture, false); };
  auto png = [&] {
    p.CopyToBitmap(picture, false);
    picture.SaveToFile(dir + "/kiv_contour.png");
  };
  for (const auto& [mode, name, target] :
       {std::tuple{cpmColorSurface, "surface", 30}, std::tuple{cpmDots, "isolines", 60}}) {
    p.SetPlotMode(mode);
    const std::string task = std::string("contour 1000x1000 ") + name;
    Row((task + " paint").c_str(), Best(precomputed, paint, false), target);
    Row((task + " paint, thread CPU").c_str(), Best(precomputed, paint, true), 0);
    Row((task + " png").c_str(), Best(precomputed, png, false), 0);
  }
  p.SetPlotMode(cpmColorSurfNoIp);
  Row("contour 1000x1000 image png", Best(precomputed, png, false), 0);

  // The plot's own time per point: the whole fill minus the same callback called directly with
  // the same arguments, in thread CPU time. The callback is cheap, so that what is left is the
  // plot's part and not the noise of the application's.
  p.OnEstimateZVal = [](TObject*, double x, double y, int, int, double& z, std::uint8_t&) {
    z = x * y;
  };
  const TEstimateZValEvent callback = p.OnEstimateZVal;
  std::vector<double> ys(kGrid);
  for (int iy = 0; iy < kGrid; ++iy) ys[static_cast<std::size_t>(iy)] = -5.2 + 10.4 * iy / 999;
  double sink = 0;
  const double direct = bench::BestCpuMs(5 * kRuns, [&](int) {
    for (int ix = 1; ix <= kGrid; ++ix) {
      const double x = -5.2 + 10.4 * (ix - 1) / 999;
      for (int iy = 1; iy <= kGrid; ++iy) {
        double z = 0;
        std::uint8_t m = 0;
        callback(&p, x, ys[static_cast<std::size_t>(iy - 1)], ix, iy, z, m);
        sink += z;
      }
    }
  });
  const double fill = bench::BestCpuMs(5 * kRuns, [&](int) { p.CalculatePivotPoints(true); });
  if (sink == 0.5) std::printf("\n");  // keeps the direct loop
  // Milliseconds for the 10^6 points: the same number as nanoseconds per point.
  Row("contour 1000x1000 fill, own time", std::max(0.0, fill - direct), 2);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s write|rows DIR\n", argv[0]);
    return 2;
  }
  if (std::strcmp(argv[1], "write") == 0) return Write(argv[2]);
  if (std::strcmp(argv[1], "rows") == 0) return Rows(argv[2]);
  std::fprintf(stderr, "unknown command %s\n", argv[1]);
  return 2;
}
