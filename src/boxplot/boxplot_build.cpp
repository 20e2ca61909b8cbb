// TBoxPlot: the statistics of the columns and the chart items of the boxes, whiskers, marks,
// bars, grid and column labels.
#include <algorithm>

#include "boxplot/boxplot.h"

namespace kiv {

void TBoxPlot::CommitChangedData() {
  const int n = FData->NrOfColumns(), rows = FData->NrOfRows();
  FStats.assign(static_cast<std::size_t>(n), TBoxStatistics{});
  for (int c = 1; c <= n; ++c)
    FStats[static_cast<std::size_t>(c - 1)] = FData->BoxStatisticsOfNumCells(c, 1, c, rows);
  FStatsStale = false;
}

void TBoxPlot::CreateChart() {
  const bool saved = FSuppressPaint;
  TCustomRChart::SetSuppressPaint(true);
  if (FStatsStale) {
    CommitChangedData();
    SetLabelCaptions();
  }
  ClearGraf();
  const bool vertical = FOrientation == bpltVertical;
  switch (FGridStyle) {
    case bpgsNone:
      TCustomRChart::SetGridStyle(gsNone);
      break;
    case bpgsLines:
      TCustomRChart::SetGridStyle(vertical ? gsHorizLines : gsVertLines);
      break;
    case bpgsDotLines:
      TCustomRChart::SetGridStyle(vertical ? gsHorizDotLines : gsVertDotLines);
      break;
  }
  const int n = static_cast<int>(FStats.size());
  for (int c = 1; c <= n; ++c) {
    const TBoxStatistics& s = FStats[static_cast<std::size_t>(c - 1)];
    if (s.Count > 0) BuildBox(c, s);
  }
  PlaceLabels();
  for (int c = 1; c <= kNumTextLabels; ++c) {
    TTextLabel& L = TextLabels(c);
    const TNotifyEvent handler = L.OnChange;
    L.OnChange = nullptr;
    if (c <= n) {
      const TBoxPlotLabel& t = *FLabels;
      L.SetVisible(t.Visible());
      L.SetTransparent(t.Transparent());
      L.SetShadowDx(t.ShadowDx());
      L.SetShadowDy(t.ShadowDy());
      L.SetMode(t.Mode());
      L.SetFont(t.Font());
      L.SetColorBkg(t.ColorBkg());
      L.SetColorBorder(t.ColorBorder());
      L.SetColorShadow(t.ColorShadow());
    } else {
      L.SetVisible(false);
    }
    L.OnChange = handler;
  }
  TCustomRChart::SetSuppressPaint(saved);
}

// One box at category position c: (p, v) points in the vertical orientation, (v, p) in the
// horizontal one.
void TBoxPlot::BuildBox(int c, const TBoxStatistics& s) {
  TColor lines = FColorLines, body = FColorBody, minmax = FColorMinMax;
  TColor perc = FColor90Perc, mean = FColorMean, median = FColorMedian;
  if (OnBeforeBoxDraw) OnBeforeBoxDraw(this, c, lines, body, minmax, perc, mean, median);
  const bool vertical = FOrientation == bpltVertical;
  const double p = c, w = FBPlotWidth;
  auto line = [&](double p1, double v1, double p2, double v2) {
    if (vertical)
      Line(p1, v1, p2, v2);
    else
      Line(v1, p1, v2, p2);
  };
  auto mark = [&](double v, std::uint8_t mk) {
    if (vertical)
      MarkAt(p, v, mk);
    else
      MarkAt(v, p, mk);
  };
  // A mark, or for symbol 0 a bar of half width h across the category position.
  auto symbol = [&](double v, std::uint8_t mk, double h) {
    if (mk != 0)
      mark(v, mk);
    else
      line(p - h, v, p + h, v);
  };

  SetDataColor(minmax);
  line(p, s.Q1, p, s.Min);
  line(p, s.Q3, p, s.Max);
  if (FShowMinMax) {
    mark(s.Min, FMinMark);
    mark(s.Max, FMaxMark);
  }
  SetFillColor(body);
  SetDataColor(lines);
  if (vertical)
    Rectangle(p - w / 2, s.Q1, p + w / 2, s.Q3);
  else
    Rectangle(s.Q1, p - w / 2, s.Q3, p + w / 2);
  if (FShow90Perc) {
    SetDataColor(perc);
    symbol(s.P10, FPerc90Mark, w / 4);
    symbol(s.P90, FPerc90Mark, w / 4);
  }
  if (FShowMedian) {
    SetDataColor(median);
    symbol(s.Median, FMedianMark, w / 2);
  }
  if (FShowMean) {
    SetDataColor(mean);
    symbol(s.Mean, FMeanMark, w / 2);
  }
}

}  // namespace kiv
