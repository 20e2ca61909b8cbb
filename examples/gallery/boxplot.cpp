// The box plot gallery: six columns of measurements with outliers, vertical with a dotted grid
// and horizontal with percentile bars.
#include <cmath>
#include <string>

#include "boxplot/boxplot.h"
#include "gallery.h"
#include "services/random.h"

namespace {

using namespace kiv;

// Six samples of 200 values: normal, skewed, two groups, wide, narrow with outliers, and a
// column holding only texts (it keeps its label and gets no box).
void FillSamples(TDataTable& t) {
  TGaussRandom rng(7);
  t.Resize(7, 200);
  const char* names[] = {"Normal",   "Log-normal", "Two groups", "Wide",
                         "Outliers", "Uniform",    "No numbers"};
  for (int c = 1; c <= 7; ++c) t.SetColName(c, names[c - 1]);
  for (int r = 1; r <= 200; ++r) {
    t.SetElem(1, r, 10 + 2 * rng.NextGauss());
    t.SetElem(2, r, 4 + std::exp(0.6 * rng.NextGauss()) * 3);
    t.SetElem(3, r, (r % 2 ? 6 : 14) + rng.NextGauss());
    t.SetElem(4, r, 10 + 5 * rng.NextGauss());
    t.SetElem(5, r, r % 40 == 0 ? 22 + 2 * rng.NextGauss() : 9 + 0.8 * rng.NextGauss());
    t.SetElem(6, r, 3 + 14 * rng.NextUniform());
    t.SetElem(7, r, std::string("n/a"));
  }
}

void Build(TBoxPlot& bp, TBoxPlotOrientation orientation) {
  bp.SetBounds(0, 0, orientation == bpltVertical ? 720 : 640,
               orientation == bpltVertical ? 420 : 460);
  FillSamples(bp.Data());
  bp.SetOrientation(orientation);
  bp.SetCaption(orientation == bpltVertical ? "Six samples, vertical, dotted grid"
                                            : "Six samples, horizontal, 10th/90th percentile bars");
  bp.SetColorBody(RGB(190, 215, 240));
  bp.SetColorMedian(RGB(200, 30, 30));
  bp.SetBoxWidth(0.6);
  if (orientation == bpltVertical) {
    bp.SetGridStyle(bpgsDotLines);
    bp.SetGridColor(clSilver);
    bp.Scale1Y().SetCaption("value");
  } else {
    bp.SetMarginLeft(20);
    bp.SetMarginBottom(40);
    bp.SetShow90Perc(true);
    bp.SetColor90Perc(RGB(0, 130, 0));
    bp.Labels().SetPosition(-6);
  }
  bp.AutoRange(6);
  bp.Update();
}

}  // namespace

KIV_GALLERY(boxplot_vertical) {
  TBoxPlot bp(nullptr);
  Build(bp, bpltVertical);
  bp.CopyToBMP((dir / "boxplot-vertical.png").string(), false);
}

KIV_GALLERY(boxplot_horizontal) {
  TBoxPlot bp(nullptr);
  Build(bp, bpltHorizontal);
  bp.CopyToBMP((dir / "boxplot-horizontal.png").string(), false);
}
