// Timing of the component benchmarks: the best of several runs, in milliseconds.
#pragma once

#include <algorithm>
#include <chrono>
#include <ctime>

#include "platform/offscreen_host.h"

namespace kiv::bench {

// Runs f(0), f(1), ... f(runs - 1) and returns the shortest time one of them took.
template <typename F>
double BestMs(int runs, F&& f) {
  using Clock = std::chrono::steady_clock;
  double best = 1e300;
  for (int r = 0; r < runs; ++r) {
    const auto t0 = Clock::now();
    f(r);
    best = std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
  }
  return best;
}

// The same in CPU time of the calling thread: what a job costs when other processes share the
// machine (its wall-clock best then depends on whether a run was preempted).
template <typename F>
double BestCpuMs(int runs, F&& f) {
  auto now = [] {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec * 1e-6;
  };
  double best = 1e300;
  for (int r = 0; r < runs; ++r) {
    const double t0 = now();
    f(r);
    best = std::min(best, now() - t0);
  }
  return best;
}

// One step of a drag with the left button: a mouse move through the host until the control
// has handled it and repainted. The best of 20 steps from (x, y) down and to the right.
inline double DragStepMs(TOffscreenHost& host, TControl& control, int x, int y) {
  host.MouseMove(control, x, y);
  host.MouseDown(control, mbLeft, x, y);
  const double best = BestMs(
      20, [&](int r) { host.MouseMove(control, x + 3 * (r + 1), y + 2 * (r + 1), {ssLeft}); });
  host.MouseUp(control, mbLeft, x + 60, y + 40);
  return best;
}

}  // namespace kiv::bench
