// Chart item drawing: a million DrawTo items (a random walk over an 800 x 600 data area) and a
// million MarkAt items, with and without duplicate-mark suppression, replayed by the chart onto a
// bitmap of the data area's size. Prints one line per task (best of several runs). The polyline
// should cost at most twice the canvas' own polyline of the same points (kiv_canvas_bench).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "rchart/rchart.h"

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

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kCount = 1000000;

// A chart whose data bitmap is exactly kWidth x kHeight and whose world units are its pixels.
void Setup(kiv::TCustomRChart& chart) {
  chart.SetAutoRedraw(false);
  chart.SetBounds(0, 0, kWidth - 1 + chart.MarginLeft() + chart.MarginRight(),
                  kHeight - 1 + chart.MarginTop() + chart.MarginBottom());
  chart.SetRange(1, 0.0L, 0.0L, kWidth - 1.0L, kHeight - 1.0L);
}

void Report(const char* name, double s, const char* unit) {
  std::printf("%-46s %9.2f ms %11.2f %s\n", name, s * 1e3, kCount / s / 1e6, unit);
}

}  // namespace

// An argument restricts the run to the tasks whose names contain it ("DrawTo", "Avoid", ...).
int main(int argc, char** argv) {
  using namespace kiv;
  const std::string filter = argc > 1 ? argv[1] : "";
  const auto wanted = [&](const char* name) {
    return std::string(name).find(filter) != std::string::npos;
  };
  std::printf("%-46s %12s %16s\n", "task", "time", "rate");
  TBitmap bmp(kWidth, kHeight);

  if (wanted(
          "DrawTo")) {  // Polyline: the same random walk as the canvas benchmark, as world values.
    TCustomRChart chart(nullptr);
    Setup(chart);
    std::mt19937 rng(42);
    std::uniform_int_distribution<int> d(-4, 4);
    int x = kWidth / 2, y = kHeight / 2;
    chart.MoveTo(static_cast<double>(x), static_cast<double>(y));
    for (int i = 0; i < kCount; ++i) {
      x = std::clamp(x + d(rng), 0, kWidth - 1);
      y = std::clamp(y + d(rng), 0, kHeight - 1);
      chart.DrawTo(static_cast<double>(x), static_cast<double>(y));
    }
    const double s = BestSeconds(5, [&] { chart.RenderItems(bmp.Canvas()); });
    Report("DrawTo x 1e6 (random walk, steps <= 4 px)", s, "Mitems/s");
  }

  const auto marks = [&](const char* name, bool avoid, const std::function<int(int)>& type) {
    if (!wanted(name)) return;
    TCustomRChart chart(nullptr);
    Setup(chart);
    chart.SetAvoidDuplicateMarks(avoid);
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> dx(0, kWidth - 1), dy(0, kHeight - 1);
    for (int i = 0; i < kCount; ++i)
      chart.MarkAt(dx(rng), dy(rng), static_cast<std::uint8_t>(type(i)));
    const double s = BestSeconds(3, [&] { chart.RenderItems(bmp.Canvas()); });
    Report(name, s, "Mmarks/s");
  };
  marks("MarkAt x 1e6, mark 2 (round dot)", false, [](int) { return 2; });
  marks("MarkAt x 1e6, mark 12 (filled square)", false, [](int) { return 12; });
  marks("MarkAt x 1e6, marks 0..51 in turn", false, [](int i) { return i % 52; });
  marks("MarkAt x 1e6, mark 2, AvoidDuplicateMarks", true, [](int) { return 2; });
  marks("MarkAt x 1e6, marks 0..51, AvoidDuplicateMarks", true, [](int i) { return i % 52; });
  return 0;
}
