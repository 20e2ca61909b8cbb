// Smith chart rows of the component table: 10^5 impedance points (a polyline and a mark per
// point) on an 800 x 800 chart with the full diagram behind them.
//
//   kiv_component_smith write DIR   writes nothing (no peer draws Smith charts)
//   kiv_component_smith rows DIR    times kivchart
#include <cmath>
#include <cstdio>
#include <string>

#include "platform/bitmap.h"
#include "rchart/smithchart.h"
#include "services/random.h"
#include "timing.h"

namespace {

using namespace kiv;
constexpr int kPoints = 100000;

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

void Paint(TSmithChart& chart) {
  TBitmap picture;
  chart.CopyToBitmap(picture, false);
}

int Rows() {
  TSmithChart chart(nullptr);
  chart.SetBounds(0, 0, 800, 800);
  chart.SetRange(-1.1, -1.1, 1.1, 1.1);
  Fill(chart, false);
  const auto paint = [&](int) { Paint(chart); };
  bench::BestMs(2, paint);  // warm-up: fonts, caches
  std::printf("smith 1e5 points paint\t%.2f\t15\n", bench::BestMs(40, paint));
  std::printf("smith 1e5 points paint, thread CPU\t%.2f\t-\n", bench::BestCpuMs(40, paint));
  Fill(chart, true);
  std::printf("smith 1e5 marks paint\t%.2f\t-\n", bench::BestMs(40, paint));
  chart.ClearGraf();
  std::printf("smith diagram alone\t%.2f\t-\n", bench::BestMs(40, paint));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "write") return 0;
  if (argc == 3 && std::string(argv[1]) == "rows") return Rows();
  std::fprintf(stderr, "usage: kiv_component_smith write|rows DIR\n");
  return 2;
}
