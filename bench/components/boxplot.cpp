// Box plot rows of the component table: 30 columns of 10^4 values each, from the table to the
// picture (statistics, the boxes as chart items, painting an 800 x 600 picture, its PNG file).
//
//   kiv_component_boxplot write DIR   writes DIR/boxplot.f64: the 30 columns one after the
//                                     other, 10^4 little-endian float64 values each
//   kiv_component_boxplot rows DIR    times kivchart on that data
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "boxplot/boxplot.h"
#include "platform/bitmap.h"
#include "services/random.h"
#include "timing.h"

namespace {

using namespace kiv;
constexpr int kColumns = 30;
constexpr int kRows = 10000;

// Normal samples with a different centre and spread per column, and a few outliers.
std::vector<double> MakeData() {
  TGaussRandom rng(2024);
  std::vector<double> v(static_cast<std::size_t>(kColumns) * kRows);
  for (int c = 0; c < kColumns; ++c)
    for (int r = 0; r < kRows; ++r) {
      const double x = 10 + c * 0.5 + (1 + c % 4) * rng.NextGauss();
      v[static_cast<std::size_t>(c) * kRows + r] = r % 997 == 0 ? x + 12 : x;
    }
  return v;
}

int Write(const std::string& dir) {
  const std::vector<double> v = MakeData();
  std::ofstream out(dir + "/boxplot.f64", std::ios::binary);
  out.write(reinterpret_cast<const char*>(v.data()),
            static_cast<std::streamsize>(v.size() * sizeof(double)));
  return out ? 0 : 1;
}

// One run from changed data: statistics, items and the picture (or its PNG file).
void Job(TBoxPlot& bp, const std::string& png) {
  bp.Data().Changed();
  if (png.empty()) {
    TBitmap picture;
    bp.CopyToBitmap(picture, false);
  } else {
    bp.CopyToBMP(png, false);
  }
}

int Rows(const std::string& dir) {
  std::vector<double> v(static_cast<std::size_t>(kColumns) * kRows);
  std::ifstream in(dir + "/boxplot.f64", std::ios::binary);
  in.read(reinterpret_cast<char*>(v.data()), static_cast<std::streamsize>(v.size() * 8));
  if (!in) v = MakeData();
  TBoxPlot bp(nullptr);
  bp.SetBounds(0, 0, 800, 600);
  TDataTable& t = bp.Data();
  t.BeginUpdate();
  t.Resize(kColumns, kRows);
  for (int c = 1; c <= kColumns; ++c)
    for (int r = 1; r <= kRows; ++r)
      t.SetElem(c, r, v[static_cast<std::size_t>(c - 1) * kRows + (r - 1)]);
  t.EndUpdate();
  bp.SetSuppressPaint(false);
  bp.AutoRange(5);
  const std::string png = dir + "/kiv_boxplot.png";
  bench::BestMs(2, [&](int) { Job(bp, ""); });  // warm-up: fonts, caches
  std::printf("boxplot 30x1e4 stats+paint\t%.2f\t15\n",
              bench::BestMs(40, [&](int) { Job(bp, ""); }));
  std::printf("boxplot 30x1e4 stats+paint, thread CPU\t%.2f\t-\n",
              bench::BestCpuMs(40, [&](int) { Job(bp, ""); }));
  std::printf("boxplot 30x1e4 to PNG\t%.2f\t-\n", bench::BestMs(15, [&](int) { Job(bp, png); }));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "write") return Write(argv[2]);
  if (argc == 3 && std::string(argv[1]) == "rows") return Rows(argv[2]);
  std::fprintf(stderr, "usage: kiv_component_boxplot write|rows DIR\n");
  return 2;
}
