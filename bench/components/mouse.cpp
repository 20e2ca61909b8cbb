// The chart's mouse interaction on an 800 x 600 chart holding 10^6 line points, driven through
// the offscreen host as a user's pointer would drive it: a crosshair dragged one pixel (only
// the overlay is drawn again), one pan step (the move, the new ranges and the whole repaint),
// and one move of a zoom window being drawn (its XOR outline erased and drawn). No peers.
//
//   kiv_component_mouse write DIR   writes nothing
//   kiv_component_mouse rows DIR    prints "task<TAB>ms<TAB>target" per task
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <random>

#include "platform/application.h"
#include "platform/offscreen_host.h"
#include "rchart/rchart.h"
#include "timing.h"

namespace {

using namespace kiv;
using Clock = std::chrono::steady_clock;

// Milliseconds per call: the best mean over several rounds of Calls calls each.
double BestMs(int rounds, int calls, const std::function<void(int)>& step) {
  double best = 1e300;
  int k = 0;
  for (int r = 0; r < rounds; ++r) {
    const auto t0 = Clock::now();
    for (int i = 0; i < calls; ++i) step(k++);
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
    best = std::min(best, ms / calls);
  }
  return best;
}

void Rows() {
  TOffscreenHost host;
  Application().SetHost(&host);
  TCustomRChart chart(nullptr);
  chart.SetBounds(0, 0, 800, 600);
  const int n = 1'000'000;
  std::mt19937_64 rng(7);
  std::normal_distribution<double> step(0, 1);
  double y = 0, lo = 0, hi = 0;
  chart.MoveTo(0.0, 0.0);
  for (int i = 1; i < n; ++i) {
    y += step(rng);
    lo = std::min(lo, y);
    hi = std::max(hi, y);
    chart.DrawTo(static_cast<double>(i), y);
  }
  chart.SetRange(1, 0, lo, n - 1, hi);
  host.Show(chart);

  // Crosshair: a vertical line dragged back and forth one pixel at a time.
  chart.CrossHairSetup(1, clRed, chBoth, psSolid, 1);
  chart.CrossHair1().SetLayer(1);
  chart.SetMouseAction(mactDragCrosshair);
  host.MouseDown(mbLeft, 400, 300);
  const double crosshair =
      BestMs(5, 40, [&](int k) { host.MouseMove(400 + k % 2, 300 + (k / 2) % 2); });
  host.MouseUp(mbLeft, 400, 300);
  chart.CrossHairSetup(1, clRed, chOff, psSolid, 1);

  // Pan: every move is one step of 3 pixels, back and forth.
  chart.SetMouseAction(mactPan);
  host.MouseDown(mbLeft, 400, 300);
  host.MouseMove(400, 300);
  const double pan = BestMs(9, 10, [&](int k) { host.MouseMove(400 + 3 * (k % 5), 300); });
  // The chart paints on the calling thread: its CPU time is the step's cost on a quiet machine.
  int j = 0;
  const double pan_cpu =
      kiv::bench::BestCpuMs(90, [&](int) { host.MouseMove(400 + 3 * (j++ % 5), 300); });
  host.MouseUp(mbLeft, 400, 300);

  // Zoom window: a large window whose corner moves one pixel per move.
  chart.SetMouseAction(mactZoomWindow);
  host.MouseDown(mbLeft, 80, 40);
  const double band = BestMs(5, 200, [&](int k) { host.MouseMove(700 - k % 7, 500 - k % 5); });
  host.MouseUp(mbRight, 700, 500);  // cancelled: the ranges stay

  std::printf("chart crosshair move 1e6 points\t%.3f\t1\n", crosshair);
  std::printf("chart pan step 1e6 points\t%.3f\t15\n", pan);
  std::printf("chart pan step 1e6 points, thread CPU\t%.3f\t-\n", pan_cpu);
  std::printf("chart zoom band move\t%.3f\t1\n", band);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && std::strcmp(argv[1], "write") == 0) return 0;
  if (argc >= 2 && std::strcmp(argv[1], "rows") == 0) {
    Rows();
    return 0;
  }
  std::fprintf(stderr, "usage: %s write DIR | rows DIR\n", argv[0]);
  return 2;
}
