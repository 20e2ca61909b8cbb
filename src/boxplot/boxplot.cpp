// TBoxPlot: construction, the data table and its notifications, the properties, orientation,
// placement of the column labels, painting switch and bounds.
#include "boxplot/boxplot.h"

#include <algorithm>
#include <cmath>

#include "rchart/paintscope.h"
#include "services/random.h"
#include "services/stringutil.h"

namespace kiv {

TBoxPlot::TBoxPlot(TComponent* AOwner) : TCustomRChart(AOwner) {
  FOwnedData = std::make_unique<TDataTable>(1, 100);
  FData = FOwnedData.get();
  for (int r = 1; r <= 100; ++r) FData->SetElem(1, r, GRandom());
  FLabels = std::make_unique<TBoxPlotLabel>();

  Scale1X().SetVisible(false);
  TCustomRChart::SetRange(1, 0.0, -1.0, 2.0, 1.0);
  SetMarginBottom(24);
  SetCaption("BoxPlot");
  for (int i = 1; i <= kNumTextLabels; ++i) {
    TTextLabel& L = TextLabels(i);
    L.BeginUpdate();
    L.SetCaption(ProcessHexChars(FData->GetColName(i)));
    L.SetColorBkg(FLabels->ColorBkg());
    L.SetColorBorder(FLabels->ColorBorder());
    L.SetColorShadow(FLabels->ColorShadow());
    L.Font().SetColor(FLabels->Font().Color());
    L.SetVisible(FLabels->Visible());
    L.SetTransparent(FLabels->Transparent());
    L.EndUpdate();
    PlaceLabel(i);
  }
  ConnectData();
  FLabels->OnChange = [this](TObject* s) { DataChanged(s); };
  // A box plot made only for pictures never gets a window: its first items are built here.
  CommitChangedData();
  SetLabelCaptions();
  CreateChart();
}

TBoxPlot::~TBoxPlot() {
  Destroying();
  DisconnectData();
  FLabels->OnChange = nullptr;
}

// ---------------------------------------------------------------------------------------------
// The data table

void TBoxPlot::ConnectData() {
  FData->OnChange = [this](TObject* s) { DataChanged(s); };
  if (FExtMatAssigned) FData->OnDestroy = [this](TObject*) { DataDestroyed(); };
}

void TBoxPlot::DisconnectData() {
  FData->OnChange = nullptr;
  if (FExtMatAssigned) FData->OnDestroy = nullptr;
}

void TBoxPlot::AssignAnotherDataTable(TDataTable& DTab) {
  if (&DTab == FData) return;
  DisconnectData();
  FOwnedData.reset();
  FData = &DTab;
  FExtMatAssigned = true;
  ConnectData();
  DataChanged(this);
}

// The caller's table went away: the box plot goes on with an empty table of its own.
void TBoxPlot::DataDestroyed() {
  FOwnedData = std::make_unique<TDataTable>(1, 0);
  FData = FOwnedData.get();
  FExtMatAssigned = false;
  ConnectData();
  DataChanged(this);
}

TBoxStatistics TBoxPlot::ColumnStatistics(int c) const {
  if (c < 1 || c > static_cast<int>(FStats.size())) return {};
  return FStats[static_cast<std::size_t>(c - 1)];
}

void TBoxPlot::DataChanged(TObject*) {
  FStatsStale = true;
  if (FSuppressPaint) return;
  CommitChangedData();
  SetLabelCaptions();
  CreateChart();
}

void TBoxPlot::SetLabelCaptions() {
  const int n = std::min(FData->NrOfColumns(), kNumTextLabels);
  for (int c = 1; c <= n; ++c) {
    TTextLabel& L = TextLabels(c);
    const TNotifyEvent handler = L.OnChange;
    L.OnChange = nullptr;  // CreateChart repaints once
    L.SetCaption(ProcessHexChars(FData->GetColName(c)));
    L.OnChange = handler;
  }
}

void TBoxPlot::AutoRange(double Margin) {
  CommitChangedData();
  double lo = 0, hi = 0;
  bool any = false;
  for (const TBoxStatistics& s : FStats) {
    if (s.Count == 0) continue;
    lo = any ? std::min(lo, s.Min) : s.Min;
    hi = any ? std::max(hi, s.Max) : s.Max;
    any = true;
  }
  const double e = std::fabs(hi - lo) * Margin / 100;
  const double n1 = FData->NrOfColumns() + 1;
  if (FOrientation == bpltVertical)
    TCustomRChart::SetRange(1, 0.0, lo - e, n1, hi + e);
  else
    TCustomRChart::SetRange(1, lo - e, 0.0, hi + e, n1);
}

// ---------------------------------------------------------------------------------------------
// Properties

void TBoxPlot::SetColorBody(TColor v) {
  Rebuild(FColorBody, v);
}
void TBoxPlot::SetColorLines(TColor v) {
  Rebuild(FColorLines, v);
}
void TBoxPlot::SetColorMedian(TColor v) {
  Rebuild(FColorMedian, v);
}
void TBoxPlot::SetColorMean(TColor v) {
  Rebuild(FColorMean, v);
}
void TBoxPlot::SetColor90Perc(TColor v) {
  Rebuild(FColor90Perc, v);
}
void TBoxPlot::SetColorMinMax(TColor v) {
  Rebuild(FColorMinMax, v);
}
void TBoxPlot::SetShow90Perc(bool v) {
  Rebuild(FShow90Perc, v);
}
void TBoxPlot::SetShowMean(bool v) {
  Rebuild(FShowMean, v);
}
void TBoxPlot::SetShowMedian(bool v) {
  Rebuild(FShowMedian, v);
}
void TBoxPlot::SetShowMinMax(bool v) {
  Rebuild(FShowMinMax, v);
}

void TBoxPlot::SetBoxWidth(double v) {
  if (std::isnan(v)) return;
  Rebuild(FBPlotWidth, std::clamp(v, 0.0, 1.0));
}

void TBoxPlot::SetGridStyle(TBoxPlotGridStyle v) {
  if (v <= bpgsDotLines) Rebuild(FGridStyle, v);
}

// The largest mark number the marks know; larger values are ignored.
constexpr std::uint8_t kMaxMark = 51;

void TBoxPlot::SetSymbolMin(std::uint8_t v) {
  if (v <= kMaxMark) Rebuild(FMinMark, v);
}
void TBoxPlot::SetSymbolMax(std::uint8_t v) {
  if (v <= kMaxMark) Rebuild(FMaxMark, v);
}
void TBoxPlot::SetSymbolMean(std::uint8_t v) {
  if (v <= kMaxMark) Rebuild(FMeanMark, v);
}
void TBoxPlot::SetSymbolMedian(std::uint8_t v) {
  if (v <= kMaxMark) Rebuild(FMedianMark, v);
}
void TBoxPlot::SetSymbol90Perc(std::uint8_t v) {
  if (v <= kMaxMark) Rebuild(FPerc90Mark, v);
}

void TBoxPlot::SetLabels(const TBoxPlotLabel& v) {
  if (&v == FLabels.get()) return;
  FLabels->Assign(v);  // reports one change, which rebuilds
}

void TBoxPlot::SetOrientation(TBoxPlotOrientation v) {
  if (v > bpltVertical || v == FOrientation) return;
  const bool saved = FSuppressPaint;
  TCustomRChart::SetSuppressPaint(true);
  FOrientation = v;
  const double xLo = Scale1X().RangeLow(), xHi = Scale1X().RangeHigh();
  const double yLo = Scale1Y().RangeLow(), yHi = Scale1Y().RangeHigh();
  TCustomRChart::SetRange(1, yLo, xLo, yHi, xHi);
  Scale1X().SetVisible(v == bpltHorizontal);
  Scale1Y().SetVisible(v == bpltVertical);
  PlaceLabels();
  CreateChart();
  TCustomRChart::SetSuppressPaint(saved);
}

// ---------------------------------------------------------------------------------------------
// Column labels

void TBoxPlot::PlaceLabel(int c) {
  TTextLabel& L = TextLabels(c);
  const int pos = FLabels->Position();
  const TNotifyEvent handler = L.OnChange;
  L.OnChange = nullptr;  // placing is part of a rebuild, which repaints once
  if (FOrientation == bpltVertical) {
    L.SetPosX(c);
    L.SetPosY(pos < 0 ? RcTRim - pos : Height() - pos - RcBRim);
    L.SetVerticalAlignment(pos < 0 ? vaTop : vaBottom);
    L.SetAttachToData(taX);
    L.SetAlignment(taCenter);
  } else {
    L.SetPosY(c);
    L.SetPosX(pos < 0 ? RcLRim - pos : Width() - pos - RcRRim);
    L.SetAlignment(pos < 0 ? taLeftJustify : taRightJustify);
    L.SetAttachToData(taY);
    L.SetVerticalAlignment(vaCenter);
  }
  L.OnChange = handler;
}

void TBoxPlot::PlaceLabels() {
  for (int c = 1; c <= kNumTextLabels; ++c) PlaceLabel(c);
}

// ---------------------------------------------------------------------------------------------
// Painting switch and bounds

void TBoxPlot::SetSuppressPaint(bool value) {
  if (value == FSuppressPaint) return;
  if (value) {
    TCustomRChart::SetSuppressPaint(true);
    return;
  }
  FSuppressPaint = false;
  DataChanged(this);  // statistics, captions and CreateChart, which repaints
}

// Invalidate and the framework's update: Update itself means a rebuild here.
void TBoxPlot::Repaint() {
  Invalidate();
  TCustomRChart::Update();
}

// The chart's window creation allows painting; the statistics and items follow.
void TBoxPlot::CreateWnd() {
  TCustomRChart::CreateWnd();
  DataChanged(this);
}

void TBoxPlot::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TCustomRChart::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (!FLabels) return;  // still being constructed
  const bool saved = FSuppressPaint;
  TCustomRChart::SetSuppressPaint(true);
  PlaceLabels();
  TCustomRChart::SetSuppressPaint(saved);
}

}  // namespace kiv
