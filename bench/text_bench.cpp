// Text throughput: TextOut of a 10-character ASCII label (default font, glyphs cached) into an
// 800 x 600 bitmap with a solid and with a clear brush, TextWidth of the same label, and text
// that falls wholly outside the bitmap. Prints labels per second (best of several runs).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>

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

void Report(const char* task, int n, double s) {
  std::printf("%-44s %9.2f ms %12.0f labels/s\n", task, s * 1e3, n / s);
}

}  // namespace

int main() {
  using namespace kiv;
  constexpr int kLabels = 500000;
  constexpr const char* kLabel = "-12.5 dBmV";  // 10 characters
  TBitmap bmp(800, 600);
  TCanvas& c = bmp.Canvas();
  c.Font().SetColor(clBlack);
  c.TextOut(0, 0, kLabel);  // resolves the font and caches the glyphs

  // Labels walk over the bitmap so that every row and column sees text.
  auto labels = [&] {
    int x = 0, y = 0;
    for (int i = 0; i < kLabels; ++i) {
      c.TextOut(x, y, kLabel);
      x += 53;
      if (x > 740) {
        x -= 740;
        y += 7;
        if (y > 585) y -= 585;
      }
    }
  };
  std::printf("%-44s %12s %19s\n", "task (8 pt default font, 10 characters)", "time", "rate");
  c.Brush().SetStyle(bsSolid);
  c.Brush().SetColor(clYellow);
  Report("TextOut, solid brush", kLabels, BestSeconds(5, labels));
  c.Brush().SetStyle(bsClear);
  Report("TextOut, clear brush", kLabels, BestSeconds(5, labels));

  volatile int sink = 0;
  Report("TextWidth", kLabels * 10, BestSeconds(5, [&] {
           int sum = 0;
           for (int i = 0; i < kLabels * 10; ++i) sum += c.TextWidth(kLabel);
           sink = sum;
         }));
  Report("TextOut wholly outside the bitmap", kLabels, BestSeconds(5, [&] {
           for (int i = 0; i < kLabels; ++i) c.TextOut(-5000 - (i & 1023), 100, kLabel);
         }));
  return sink == -1;
}
