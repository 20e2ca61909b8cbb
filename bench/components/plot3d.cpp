// The surface plot's rows of the benchmark table: a 200 x 200 grid on an 800 x 600 control.
//   write DIR  writes the grid (DIR/surface.f64: 200 rows of 200 little-endian doubles, row y
//              after row y) for the peers
//   rows DIR   times a full paint, one rotation step (a mouse move with the left button down,
//              through the offscreen host, until the control has repainted) and the whole job
//              from the grid to a PNG file
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>

#include "platform/offscreen_host.h"
#include "plot3d/plot3d.h"
#include "timing.h"

namespace {

using namespace kiv;
using bench::BestMs;
constexpr int kN = 200;

double Value(int ix, int iy) {
  const double x = -3 + 6.0 * ix / (kN - 1), y = -3 + 6.0 * iy / (kN - 1);
  return std::exp(-(x * x + y * y) / 2) * std::cos(2 * x) + 0.3 * std::sin(y);
}

void Setup(TPlot3D& p) {
  p.SetBounds(0, 0, 800, 600);
  p.SetRange(-3, 3, -3, 3, -0.7, 1.3);
  p.SetColorScaleLow(-0.7);
  p.SetColorScaleHigh(1.3);
  p.SetMeshVisible(false);  // 200 cells across leave no room for mesh lines
  p.SetColorCodingMode(plot3d::ccmThreeColors);
  p.SetColorLow(clBlue);
  p.SetColorMid(clWhite);
  p.SetColorHigh(clRed);
  p.SetMagnification(1.1);
  p.SetViewAngles(60, 30);
}

void Fill(TPlot3D& p) {
  p.GridMat.Resize(kN, kN);
  for (int ix = 1; ix <= kN; ++ix)
    for (int iy = 1; iy <= kN; ++iy) p.GridMat.SetVal(ix, iy, Value(ix - 1, iy - 1));
}

void Rows(const std::string& dir) {
  TOffscreenHost host;
  TPlot3D p(nullptr);
  Setup(p);
  Fill(p);
  host.Show(p);
  const double paint = BestMs(20, [&](int) { p.Repaint(); });
  std::printf("surface 200x200 paint\t%.3f\t20\n", paint);
  const double step = bench::DragStepMs(host, p, 400, 300);
  std::printf("surface 200x200 rotation step\t%.3f\t20\n", step);
  const std::string png = dir + "/kiv_surface.png";
  const double job = BestMs(5, [&](int) {
    TPlot3D q(nullptr);
    Setup(q);
    Fill(q);
    q.CopyToBMP(png, true);
  });
  std::printf("surface 200x200 to PNG\t%.3f\t-\n", job);
}

void Write(const std::string& dir) {
  std::ofstream out(dir + "/surface.f64", std::ios::binary);
  for (int iy = 0; iy < kN; ++iy)
    for (int ix = 0; ix < kN; ++ix) {
      const double v = Value(ix, iy);
      out.write(reinterpret_cast<const char*>(&v), sizeof v);
    }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s write|rows DIR\n", argv[0]);
    return 2;
  }
  const std::string cmd = argv[1];
  if (cmd == "write")
    Write(argv[2]);
  else if (cmd == "rows")
    Rows(argv[2]);
  else
    return 2;
  return 0;
}
