// Times PNG encoding of an 800 x 600 chart-like picture (flat areas, grid, curves, text-like
// detail) at zlib levels 1, 6 and 9, and prints the time and the file size of each.
//
// Reference (2-core build machine shared with other jobs, Release): level 1 about 5 ms (4.4 ms
// fastest) / 26 KB, level 6 about 25 ms / 16 KB, level 9 about 75 ms / 15 KB.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <vector>

#include "platform/imageio.h"

namespace {

using kiv::TPixel;

constexpr int kWidth = 800;
constexpr int kHeight = 600;

struct Picture {
  std::vector<TPixel> px = std::vector<TPixel>(kWidth * kHeight, 0xFFFFFFFFu);
  void Set(int x, int y, TPixel c) {
    if (x >= 0 && x < kWidth && y >= 0 && y < kHeight) px[y * kWidth + x] = c;
  }
  void Fill(int x1, int y1, int x2, int y2, TPixel c) {
    for (int y = y1; y < y2; ++y)
      for (int x = x1; x < x2; ++x) Set(x, y, c);
  }
};

// Text stand-in: a small alphabet of 5 x 9 glyphs with anti-aliasing greys, so that, as in real
// labels, the same shapes recur.
struct Glyphs {
  std::vector<TPixel> cells;
  explicit Glyphs(std::mt19937& rng) : cells(16 * 45) {
    const TPixel shades[4] = {0xFF000000u, 0xFF555555u, 0xFFAAAAAAu, 0xFFFFFFFFu};
    std::uniform_int_distribution<int> grey(0, 3);
    for (TPixel& c : cells) c = shades[grey(rng)];
  }
};

void Text(Picture& p, const Glyphs& g, std::mt19937& rng, int x, int y, int chars) {
  std::uniform_int_distribution<int> pick(0, 15);
  for (int c = 0; c < chars; ++c) {
    const TPixel* glyph = g.cells.data() + 45 * pick(rng);
    for (int gy = 0; gy < 9; ++gy)
      for (int gx = 0; gx < 5; ++gx) p.Set(x + c * 7 + gx, y + gy, glyph[gy * 5 + gx]);
  }
}

Picture MakeChart() {
  Picture p;
  std::mt19937 rng(42);
  const Glyphs glyphs(rng);
  const int left = 70, top = 40, right = 760, bottom = 540;
  p.Fill(left, top, right, bottom, 0xFFF0F0F0u);
  for (int x = left; x < right; x += 50) p.Fill(x, top, x + 1, bottom, 0xFFC0C0C0u);
  for (int y = top; y < bottom; y += 50) p.Fill(left, y, right, y + 1, 0xFFC0C0C0u);
  p.Fill(left, bottom, right, bottom + 1, 0xFF000000u);
  p.Fill(left - 1, top, left, bottom + 1, 0xFF000000u);
  const TPixel colours[3] = {0xFFD03030u, 0xFF3050C0u, 0xFF30A040u};
  for (int k = 0; k < 3; ++k) {
    for (int x = left; x < right; ++x) {
      const double t = (x - left) / 80.0;
      const int y = static_cast<int>((top + bottom) / 2 + (150 - 40 * k) * std::sin(t + k));
      p.Fill(x, y, x + 1, y + 2, colours[k]);
    }
  }
  for (int x = left; x < right; x += 50) Text(p, glyphs, rng, x - 10, bottom + 8, 3);
  for (int y = top; y < bottom; y += 50) Text(p, glyphs, rng, left - 45, y - 4, 5);
  Text(p, glyphs, rng, 300, 12, 24);
  p.Fill(620, 60, 740, 130, 0xFFFFFFFFu);
  for (int k = 0; k < 3; ++k) {
    p.Fill(630, 72 + 20 * k, 660, 74 + 20 * k, colours[k]);
    Text(p, glyphs, rng, 668, 68 + 20 * k, 8);
  }
  return p;
}

}  // namespace

int main() {
  const Picture chart = MakeChart();
  std::printf("PNG encoding of a %d x %d chart-like picture (median and fastest run)\n", kWidth,
              kHeight);
  for (int level : {1, 6, 9}) {
    const int runs = level == 1 ? 101 : 21;
    std::vector<double> ms;
    std::size_t bytes = 0;
    for (int i = 0; i < runs; ++i) {
      const auto t0 = std::chrono::steady_clock::now();
      bytes = kiv::imageio::EncodePng(chart.px.data(), kWidth, kHeight, level).size();
      const auto t1 = std::chrono::steady_clock::now();
      ms.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
    }
    std::sort(ms.begin(), ms.end());
    std::printf("level %d: %7.2f ms (fastest %.2f ms)  %8zu bytes\n", level, ms[runs / 2], ms[0],
                bytes);
  }
  return 0;
}
