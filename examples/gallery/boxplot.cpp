// The box plot gallery: six columns of measurements with outliers, vertical with a dotted grid
// and horizontal with percentile bars.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "boxplot/boxplot.h"
#include "gallery.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"
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

// The column labels sit inside the data area, along its bottom edge (vertical) or its left edge
// (horizontal, with a negative Position): the value range is widened at that end by the room
// the labels take, so that no whisker end or mark hides behind a label.
void LeaveRoomForLabels(TBoxPlot& bp) {
  TBitmap probe(1, 1);
  probe.Canvas().Font().Assign(bp.Labels().Font());
  const bool vertical = bp.Orientation() == bpltVertical;
  const int gap = 6;
  int room = std::abs(bp.Labels().Position()) + gap;
  if (vertical) {
    room += probe.Canvas().TextHeight("Ag") + 2 + bp.Labels().ShadowDy();
  } else {
    int widest = 0;
    for (int c = 1; c <= bp.Data().NrOfColumns(); ++c)
      widest = std::max(widest, probe.Canvas().TextWidth(bp.Data().GetColName(c)));
    room += widest + 4 + bp.Labels().ShadowDx();
  }
  const TSize area = bp.DataBitmapSize();
  const int length = vertical ? area.cy : area.cx;
  TScaleProps& values =
      vertical ? static_cast<TScaleProps&>(bp.Scale1Y()) : static_cast<TScaleProps&>(bp.Scale1X());
  const double lo = values.RangeLow(), hi = values.RangeHigh();
  const double extra = (hi - lo) * room / (length - room);
  const TScaleProps& columns =
      vertical ? static_cast<TScaleProps&>(bp.Scale1X()) : static_cast<TScaleProps&>(bp.Scale1Y());
  if (vertical)
    bp.SetRange(columns.RangeLow(), lo - extra, columns.RangeHigh(), hi);
  else
    bp.SetRange(lo - extra, columns.RangeLow(), hi, columns.RangeHigh());
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
  LeaveRoomForLabels(bp);
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
