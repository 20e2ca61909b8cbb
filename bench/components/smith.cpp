// Smith chart rows of the component table: 10^5 impedance points (a polyline and a mark per
// point) on an 800 x 800 chart with the full diagram behind them.
//
//   kiv_component_smith write DIR   writes nothing (no peer draws Smith charts)
//   kiv_component_smith rows DIR    times kivchart
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>

#include "platform/bitmap.h"
#include "rchart/smithchart.h"
#include "services/random.h"

namespace {

using namespace kiv;
using Clock = std::chrono::steady_clock;

constexpr int kPoints = 100000;

double MsSince(Clock::time_point t0) {
  return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

// A noisy impedance sweep: a series resonance whose resistance wanders.
void Fill(TSmithChart& chart, bool marks) {
  TGaussRandom rng(3);
  chart.ClearGraf();
  for (int i = 0; i < kPoints; ++i) {
    const double f = 0.2 + 4.0 * i / kPoints;
    const double r = 0.3 + 0.2 * std::sin(7 * f) + 0.02 * rng.NextGauss();
    const double x = 1.5 * f - 1 / f + 0.02 * rng.NextGauss();
    const double gr = TSmithChart::CalcReflectionReal(r, x);
    const double gi = TSmithChart::CalcReflectionImag(r, x);
    if (marks)
      chart.MarkAt(gr, gi, 2);
    else if (i == 0)
      chart.MoveTo(gr, gi);
    else
      chart.DrawTo(gr, gi);
  }
}

double BestPaint(TSmithChart& chart, int runs) {
  double best = 1e300;
  for (int i = 0; i < runs; ++i) {
    const auto t0 = Clock::now();
    TBitmap picture;
    chart.CopyToBitmap(picture, false);
    best = std::min(best, MsSince(t0));
  }
  return best;
}

int Rows() {
  TSmithChart chart(nullptr);
  chart.SetBounds(0, 0, 800, 800);
  chart.SetRange(-1.1, -1.1, 1.1, 1.1);
  Fill(chart, false);
  BestPaint(chart, 2);  // warm-up: fonts, caches
  std::printf("smith 1e5 points paint\t%.2f\t15\n", BestPaint(chart, 40));
  Fill(chart, true);
  std::printf("smith 1e5 marks paint\t%.2f\t-\n", BestPaint(chart, 40));
  chart.ClearGraf();
  std::printf("smith diagram alone\t%.2f\t-\n", BestPaint(chart, 40));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "write") return 0;
  if (argc == 3 && std::string(argv[1]) == "rows") return Rows();
  std::fprintf(stderr, "usage: kiv_component_smith write|rows DIR\n");
  return 2;
}
