// Rows of the component table for the chart's smooth picture: an 800 x 600 line chart of 10^5
// points (a random walk, with axes, grid and caption) drawn four times larger and reduced, and
// written as a PNG file; beside the peers' anti-aliased pictures of the same data
// (chart_smooth_peers.py). Usage: write DIR | rows DIR.
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "rchart/rchart.h"
#include "timing.h"

namespace {

constexpr int kPoints = 100'000;

std::vector<double> Walk() {
  std::vector<double> y(kPoints);
  std::mt19937_64 rng(11);
  std::normal_distribution<double> step(0, 1);
  double v = 0;
  for (double& p : y) {
    p = v;
    v += step(rng);
  }
  return y;
}

int Write(const std::filesystem::path& dir) {
  const std::vector<double> y = Walk();
  std::FILE* f = std::fopen((dir / "chart_smooth.f64").string().c_str(), "wb");
  if (f == nullptr) return 1;
  const bool ok = std::fwrite(y.data(), sizeof(double), y.size(), f) == y.size();
  return std::fclose(f) == 0 && ok ? 0 : 1;
}

int Rows(const std::filesystem::path& dir) {
  const std::vector<double> y = Walk();
  std::vector<double> x(y.size());
  for (std::size_t i = 0; i < x.size(); ++i) x[i] = static_cast<double>(i);
  kiv::TCustomRChart chart(nullptr);
  chart.SetBounds(0, 0, 800, 600);
  chart.SetStandardLayout(kiv::rcl_X1Bottom_Y1Left);
  chart.SetCaption("Random walk of 100000 steps");
  chart.SetGridStyle(kiv::gsDotLines);
  chart.SetGridColor(kiv::clSilver);
  chart.SetDataColor(kiv::clNavy);
  chart.Polyline(x, y);
  chart.AutoRange(1, 0);
  const std::string file = (dir / "kiv_chart_smooth.png").string();
  const double ms =
      kiv::bench::BestMs(5, [&](int) { chart.CopyToBMPScaled(file, 1, true, false); });
  std::printf("chart smooth 800x600 1e5 points\t%.2f\t-\n", ms);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (argc > 2 && mode == "write") return Write(argv[2]);
  if (argc > 2 && mode == "rows") return Rows(argv[2]);
  std::fprintf(stderr, "usage: %s write DIR | rows DIR\n", argv[0]);
  return 2;
}
