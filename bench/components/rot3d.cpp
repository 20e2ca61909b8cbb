// The rotatable 3D chart's rows of the benchmark table: 10^5 marks on an 800 x 600 control.
//   write DIR  writes nothing (no peer draws this job)
//   rows DIR   times MakeVisible, a full paint and one rotation step (a mouse move with the left
//              button down, through the offscreen host, until the control has repainted)
#include <algorithm>
#include <cstdio>
#include <random>
#include <string>

#include "platform/offscreen_host.h"
#include "rot3d/rot3d.h"
#include "timing.h"

namespace {

using namespace kiv;
using bench::BestMs;

void Rows() {
  TOffscreenHost host;
  TRot3D r(nullptr);
  r.SetBounds(0, 0, 800, 600);
  r.SetCentX(400);
  r.SetCentY(300);
  std::mt19937 rng(5);
  std::normal_distribution<double> g(0, 1);
  for (int i = 0; i < 100000; ++i) {
    r.SetColorData(i % 2 ? clBlue : clRed);
    r.MarkAt(g(rng), g(rng), g(rng), 2);
  }
  host.Show(r);
  const double visible = BestMs(5, [&](int) { r.MakeVisible(); });
  std::printf("rot3d 1e5 marks MakeVisible\t%.3f\t-\n", visible);
  const double paint = BestMs(10, [&](int) { r.Repaint(); });
  std::printf("rot3d 1e5 marks paint\t%.3f\t-\n", paint);
  const double step = bench::DragStepMs(host, r, 400, 300);
  std::printf("rot3d 1e5 marks rotation step\t%.3f\t15\n", step);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s write|rows DIR\n", argv[0]);
    return 2;
  }
  const std::string cmd = argv[1];
  if (cmd == "rows") Rows();
  return cmd == "rows" || cmd == "write" ? 0 : 2;
}
