// PNG encoding of an 800 x 600 chart-like picture (flat areas, grid, curves, text-like detail):
// the whole file at the speed and size settings, and the compression of its palette rows alone
// by the own row deflater, libdeflate at every level and zlib at levels 1, 6 and 9, each with
// its time and size. The own deflater stays only where it beats the library on time.
//
// Reference (2-core build machine shared with other jobs, Release, fastest runs): files at the
// speed setting 0.5 ms / 21.0 kB, at the size setting 3.3 ms / 12.2 kB. Rows alone: own deflater
// 0.22 ms / 20.9 kB; libdeflate 1 1.1 ms / 16.5 kB, 6 1.7 ms / 13.4 kB, 7 3.0 ms / 12.1 kB,
// 9 19 ms / 11.0 kB, 10 56 ms / 11.6 kB; zlib 1 0.9 ms / 22.7 kB, 6 3.1 ms / 12.7 kB, 9 34 ms /
// 11.2 kB. The own deflater is five times faster than libdeflate's fastest level, which the
// speed setting (at most 1 ms for the whole file) needs; the size setting is libdeflate's
// level 7, the first that is no larger than zlib's level 6. Real charts compress faster than
// this picture's text-like noise: an 800 x 600 line chart takes 1.8 ms at level 7.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <vector>

#include <libdeflate.h>
#include <zlib.h>

#include <functional>
#include <unordered_map>

#include "platform/bitmap.h"
#include "platform/deflate_rows.h"
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

// The picture's palette indices, each row after its filter byte (none), as the writer makes
// them for pictures of at most 256 colours.
std::vector<std::uint8_t> PaletteRows(const Picture& p) {
  std::unordered_map<TPixel, std::uint8_t> index;
  std::vector<std::uint8_t> rows(static_cast<std::size_t>(kWidth + 1) * kHeight);
  for (int y = 0; y < kHeight; ++y) {
    std::uint8_t* r = &rows[static_cast<std::size_t>(y) * (kWidth + 1)];
    r[0] = 0;
    for (int x = 0; x < kWidth; ++x) {
      const TPixel c = p.px[static_cast<std::size_t>(y) * kWidth + x];
      const auto it = index.emplace(c, static_cast<std::uint8_t>(index.size())).first;
      r[x + 1] = it->second;
    }
  }
  return rows;
}

// Median and fastest of runs in ms, and the size the call reports.
void Time(const char* what, int runs, const std::function<std::size_t()>& call) {
  std::vector<double> ms;
  std::size_t bytes = 0;
  for (int i = 0; i < runs; ++i) {
    const auto t0 = std::chrono::steady_clock::now();
    bytes = call();
    const auto t1 = std::chrono::steady_clock::now();
    ms.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
  }
  std::sort(ms.begin(), ms.end());
  std::printf("%-26s %7.2f ms (fastest %6.2f ms) %8zu bytes\n", what, ms[ms.size() / 2], ms[0],
              bytes);
}

}  // namespace

int main() {
  const Picture chart = MakeChart();
  std::printf("PNG of a %d x %d chart-like picture (median and fastest run)\n", kWidth, kHeight);
  Time("file, speed setting", 101, [&] {
    return kiv::imageio::EncodePng(chart.px.data(), kWidth, kHeight, kiv::TBitmap::kPngSpeed)
        .size();
  });
  Time("file, size setting", 41, [&] {
    return kiv::imageio::EncodePng(chart.px.data(), kWidth, kHeight, kiv::TBitmap::kPngSize).size();
  });
  const std::vector<std::uint8_t> rows = PaletteRows(chart);
  std::printf("\nCompression of its %zu bytes of palette rows\n", rows.size());
  Time("own row deflater", 101, [&] {
    return kiv::imageio::detail::DeflateRows(rows.data(), rows.size(), kWidth + 1).size();
  });
  for (int level = 1; level <= 10; ++level) {
    libdeflate_compressor* c = libdeflate_alloc_compressor(level);
    std::vector<std::uint8_t> out(libdeflate_zlib_compress_bound(c, rows.size()));
    char name[32];
    std::snprintf(name, sizeof name, "libdeflate level %d", level);
    Time(name, level >= 8 ? 7 : 31, [&] {
      return libdeflate_zlib_compress(c, rows.data(), rows.size(), out.data(), out.size());
    });
    libdeflate_free_compressor(c);
  }
  for (int level : {1, 6, 9}) {
    std::vector<std::uint8_t> out(compressBound(static_cast<uLong>(rows.size())));
    char name[32];
    std::snprintf(name, sizeof name, "zlib level %d", level);
    Time(name, level == 9 ? 7 : 31, [&] {
      uLongf n = static_cast<uLongf>(out.size());
      compress2(out.data(), &n, rows.data(), static_cast<uLong>(rows.size()), level);
      return static_cast<std::size_t>(n);
    });
  }
  return 0;
}
