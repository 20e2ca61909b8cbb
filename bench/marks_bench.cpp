// Mark throughput: a million marks at random positions on an 800 x 600 bitmap, for a few
// typical marks and for all 52 in turn, in copy mode and in XOR mode. Prints one line per task
// (best of several runs). Charts need about a million marks per second.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <vector>

#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "services/marks.h"

namespace {

using Clock = std::chrono::steady_clock;

double BestSeconds(int runs, const std::function<void()>& f) {
  double best = 1e30;
  for (int i = 0; i < runs; ++i) {
    const auto t0 = Clock::now();
    f();
    best = std::min(best, std::chrono::duration<double>(Clock::now() - t0).count());
  }
  return best;
}

}  // namespace

int main() {
  using namespace kiv;
  constexpr int kCount = 1000000;
  TBitmap bmp(800, 600);
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> dx(-10, 810), dy(-10, 610);
  std::vector<TPoint> pts(kCount);
  for (auto& p : pts) p = TPoint(dx(rng), dy(rng));
  TCanvas& c = bmp.Canvas();
  c.Pen().SetColor(clNavy);
  c.Brush().SetColor(clYellow);

  std::printf("%-40s %12s %16s\n", "task", "time", "rate");
  const auto run = [&](const char* name, const std::function<int(int)>& mark) {
    const double s = BestSeconds(3, [&] {
      for (int i = 0; i < kCount; ++i) DrawMarkOnCanvas(c, mark(i), pts[i].X, pts[i].Y);
    });
    std::printf("%-40s %9.1f ms %9.2f Mmarks/s\n", name, s * 1e3, kCount / s / 1e6);
  };
  run("mark 0 (pixel)", [](int) { return 0; });
  run("mark 2 (round dot, 5 px)", [](int) { return 2; });
  run("mark 12 (filled square, 9 px)", [](int) { return 12; });
  run("mark 26 (hollow circle, 9 px)", [](int) { return 26; });
  run("mark 48 (filled star, 11 px)", [](int) { return 48; });
  run("marks 0..51 in turn", [](int i) { return i % kNumMarks; });
  c.Pen().SetMode(pmXor);
  run("marks 0..51 in turn, XOR pen", [](int i) { return i % kNumMarks; });
  return 0;
}
