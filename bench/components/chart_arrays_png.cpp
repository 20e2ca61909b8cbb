// Rows of the component table for the chart's whole-array calls and PNG settings: appending
// 10^6 points to a new chart one call per point and as whole arrays, and writing an 800 x 600
// line chart at the speed and the size setting (the size beside zlib's level 6 on the same
// rows). No peers: these compare the chart with itself. Usage: write DIR | rows DIR.
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/bitmap.h"
#include "platform/imageio.h"
#include "platform/png_deflate.h"
#include "rchart/rchart.h"
#include "timing.h"

namespace {

// The file the size setting writes, with its compressed rows replaced by zlib's level 6 of the
// same palette rows: what a standard encoder makes of the same picture.
std::size_t Zlib6FileBytes(const kiv::TBitmap& b, std::size_t file_bytes) {
  std::unordered_map<kiv::TPixel, std::uint8_t> index;
  const int w = b.Width(), h = b.Height();
  std::vector<std::uint8_t> rows(static_cast<std::size_t>(w + 1) * h, 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const kiv::TPixel c = b.ScanLine(y)[x] & 0xFFFFFFu;
      rows[static_cast<std::size_t>(y) * (w + 1) + 1 + x] =
          index.emplace(c, static_cast<std::uint8_t>(index.size())).first->second;
    }
  uLongf n = compressBound(static_cast<uLong>(rows.size()));
  std::vector<std::uint8_t> out(n);
  compress2(out.data(), &n, rows.data(), static_cast<uLong>(rows.size()), 6);
  const std::size_t ours =
      kiv::imageio::detail::CompressRows(rows.data(), rows.size(), static_cast<std::size_t>(w) + 1,
                                         kiv::TBitmap::kPngSize)
          .size();
  return file_bytes - ours + n;
}

int Rows() {
  constexpr int n = 1'000'000;
  std::vector<double> x(n), y(n);
  std::mt19937_64 rng(7);
  std::normal_distribution<double> step(0, 1);
  double v = 0;
  for (int i = 0; i < n; ++i) {
    x[static_cast<std::size_t>(i)] = i;
    y[static_cast<std::size_t>(i)] = v;
    v += step(rng);
  }
  const double lo = *std::min_element(y.begin(), y.end());
  const double hi = *std::max_element(y.begin(), y.end());
  using kiv::bench::BestMs;
  const double per_point = BestMs(5, [&](int) {
    kiv::TCustomRChart chart(nullptr);
    chart.MoveTo(x[0], y[0]);
    for (std::size_t i = 1; i < x.size(); ++i) chart.DrawTo(x[i], y[i]);
  });
  const double arrays = BestMs(5, [&](int) {
    kiv::TCustomRChart chart(nullptr);
    chart.Polyline(x, y);
  });
  std::printf("chart append 1e6 points, per point\t%.2f\t-\n", per_point);
  std::printf("chart append 1e6 points, whole arrays\t%.2f\t6\n", arrays);

  kiv::TCustomRChart chart(nullptr);
  chart.SetBounds(0, 0, 800, 600);
  chart.SetRange(1, 0.0, lo, n - 1.0, hi);
  chart.SetDataColor(kiv::clBlue);
  chart.Polyline(x, y);
  kiv::TBitmap picture;
  chart.CopyToBitmap(picture, false);
  std::size_t bytes[2] = {};
  const int levels[2] = {kiv::TBitmap::kPngSpeed, kiv::TBitmap::kPngSize};
  double ms[2] = {};
  for (int k = 0; k < 2; ++k)
    ms[k] = BestMs(21, [&](int) {
      bytes[k] = kiv::imageio::EncodePng(picture.Bits(), 800, 600, levels[k]).size();
    });
  std::printf("chart png 800x600, speed setting (%zu bytes)\t%.2f\t1\n", bytes[0], ms[0]);
  std::printf("chart png 800x600, size setting (%zu bytes; zlib 6: %zu)\t%.2f\t4\n", bytes[1],
              Zlib6FileBytes(picture, bytes[1]), ms[1]);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "write") return 0;
  if (mode == "rows") return Rows();
  std::fprintf(stderr, "usage: %s write DIR | rows DIR\n", argv[0]);
  return 2;
}
