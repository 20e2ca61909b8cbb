// Canvas throughput: a polyline of a million short segments, a full-HD FillRect against memset of
// the same bytes, and short text labels. Prints one line per task (best of several runs).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <random>
#include <vector>

#include "platform/bitmap.h"
#include "platform/canvas.h"

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

std::vector<kiv::TPoint> RandomWalk(int n, int width, int height, int step) {
  std::mt19937 rng(42);
  std::uniform_int_distribution<int> d(-step, step);
  std::vector<kiv::TPoint> pts;
  pts.reserve(static_cast<std::size_t>(n));
  int x = width / 2, y = height / 2;
  for (int i = 0; i < n; ++i) {
    x = std::clamp(x + d(rng), 0, width - 1);
    y = std::clamp(y + d(rng), 0, height - 1);
    pts.push_back(kiv::TPoint(x, y));
  }
  return pts;
}

}  // namespace

int main() {
  using namespace kiv;
  std::printf("%-46s %12s %16s\n", "task", "time", "rate");

  {  // 1,000,000 short segments onto an 800 x 600 bitmap
    TBitmap bmp(800, 600);
    const auto pts = RandomWalk(1000001, 800, 600, 4);
    const double s = BestSeconds(5, [&] { bmp.Canvas().Polyline(pts); });
    std::printf("%-46s %9.2f ms %11.1f Mseg/s\n", "polyline, 1e6 segments (steps <= 4 px)", s * 1e3,
                1e6 / s / 1e6);
    const auto long_pts = RandomWalk(100001, 800, 600, 200);
    const double s2 = BestSeconds(5, [&] { bmp.Canvas().Polyline(long_pts); });
    std::printf("%-46s %9.2f ms %11.1f Mseg/s\n", "polyline, 1e5 segments (steps <= 200 px)",
                s2 * 1e3, 1e5 / s2 / 1e6);
    const auto lt = BestSeconds(3, [&] {
      TCanvas& c = bmp.Canvas();
      c.MoveTo(pts[0].X, pts[0].Y);
      for (std::size_t i = 1; i < pts.size(); ++i) c.LineTo(pts[i].X, pts[i].Y);
    });
    std::printf("%-46s %9.2f ms %11.1f Mseg/s\n", "LineTo chain, 1e6 segments", lt * 1e3,
                1e6 / lt / 1e6);
  }

  {  // FillRect of a full 1920 x 1080 bitmap against memset of the same bytes
    TBitmap bmp(1920, 1080);
    TCanvas& c = bmp.Canvas();
    int k = 0;
    const double fill = BestSeconds(20, [&] {
      c.Brush().SetColor((k++ & 1) ? clRed : clBlue);
      c.FillRect(TRect(0, 0, 1920, 1080));
    });
    std::vector<unsigned char> raw(1920u * 1080u * 4u);
    const double ms = BestSeconds(20, [&] {
      std::memset(raw.data(), (k++ & 1) ? 0x11 : 0x22, raw.size());
      asm volatile("" ::"r"(raw.data()) : "memory");
    });
    std::printf("%-46s %9.3f ms %11.2fx memset (%.3f ms)\n", "FillRect 1920 x 1080", fill * 1e3,
                fill / ms, ms * 1e3);
  }

  try {  // 10,000 TextOut calls of a 10-character label
    TBitmap bmp(800, 600);
    TCanvas& c = bmp.Canvas();
    c.Brush().SetStyle(bsClear);
    c.TextOut(0, 0, "warm-up 12");
    std::mt19937 rng(3);
    std::uniform_int_distribution<int> px(0, 760), py(0, 580);
    std::vector<TPoint> at(10000);
    for (auto& p : at) p = TPoint(px(rng), py(rng));
    const double s = BestSeconds(5, [&] {
      for (const TPoint& p : at) c.TextOut(p.X, p.Y, "-12.345e+3");
    });
    std::printf("%-46s %9.2f ms %11.0f labels/s\n", "TextOut x 10000, 10 characters, 8 pt", s * 1e3,
                10000 / s);
  } catch (const std::exception& e) {
    std::printf("%-46s %s\n", "TextOut", e.what());
  }
  return 0;
}
