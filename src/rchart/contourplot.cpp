// TContourPlot: construction and defaults, copying, the levels and plot mode, the attached
// colour scale, and the chart operations the plot re-exposes for layer 1 or with its picture
// marked invalid.
#include "rchart/contourplot.h"

#include <cmath>
#include <utility>

#include "colorscale/colorscale.h"
#include "rchart/paintscope.h"

namespace kiv {

TContourPlot::TContourPlot(TComponent* AOwner) : TCustomRChart(AOwner) {
  TContourPlot::ResetComp();
  FSuppressPaint = true;  // until the window exists, as for every chart
}

TContourPlot::~TContourPlot() {
  Destroying();
  if (FExtColScale != nullptr) FExtColScale->RemoveFreeNotification(this);
  IsoColors.OnChange = nullptr;
  for (int i = 1; i <= kNumTextLabels; ++i) TextLabels(i).OnChange = nullptr;
}

void TContourPlot::ResetComp() {
  TCustomRChart::ResetComp();
  OnEstimateZVal = nullptr;
  OnBeforeRenderChartItem = nullptr;
  OnDataRendered = nullptr;
  for (int i = 1; i <= kNumTextLabels; ++i)
    TextLabels(i).OnChange = [this](TObject*) { InvalidateAndRepaint(); };
  // The chart's own zoom/pan and resize slots: an application handler set later replaces them
  // (the cached picture then still follows the ranges and the size, see DataBmpStale).
  OnZoomPan = MarkPictureInvalid;
  OnResize = MarkPictureInvalid;
  OnProgress = nullptr;
  IsoColors.OnChange = [this](TObject*) {
    IsoColorsChanged();
    InvalidateAndRepaint();
  };
  FInvalidDataBmp = true;
  FPivotPreCalc = false;
  if (FExtColScale != nullptr) FExtColScale->RemoveFreeNotification(this);
  FExtColScale = nullptr;
  FEnabled = true;
  SetDataColor(clBlack);
  RecreateGrid(std::max(2, (Width() - RcLRim - RcRRim) / 5),
               std::max(2, (Height() - RcTRim - RcBRim) / 5));
  MaskPalette.SetSize(255);
  MaskPalette.FillByInterpolation(0, {TColor(0x000000), TColor(0xFF0000), TColor(0x008000),
                                      TColor(0x0000FF), TColor(0x00FFFF), TColor(0xFFFFFF)});
  for (int i = 0; i < 16; ++i) MaskPalette.SetColorElem(i + 2, PredefinedColors(i));
  FIsometric = false;
  FPlotMode = cpmColorSurface;
  FIsoLow = -1.0;
  FIsoDist = 0.1;
  FIsoHigh = 1.0;
  RcGridStyle = gsPoints;
  RcGridDx = RcGridDy = 0;
  SetPanGridDx(1.0);
  SetPanGridDy(1.0);
  SetPanGridOffsX(0);
  SetPanGridOffsY(0);
  Scale1Y().SetRangeHigh(5.2);
  Scale1Y().SetRangeLow(-5.2);
  Scale1X().SetRangeHigh(5.2);
  Scale1X().SetRangeLow(-5.2);
  Scale2X().SetVisible(false);
  Scale2Y().SetVisible(false);
  Scale1X().SetVisible(true);
  Scale1Y().SetVisible(true);
  FSuppressPaint = true;
}

// A grid of zero pivots along a side is refused by RecreateGrid's callers (at least 2).
void TContourPlot::RecreateGrid(int n, int m) {
  const int oldN = FPivotMat.NrOfColumns(), oldM = FPivotMat.NrOfRows();
  FPivotMat.Resize(n, m);  // raises for impossible sizes, leaving everything as it was
  try {
    FMaskMat.Resize(n, m);
  } catch (...) {
    FPivotMat.Resize(oldN, oldM);
    throw;
  }
  FPivotMat.Fill(0);
  FMaskMat.Fill(0);
  FNumPivotsX = n;
  FNumPivotsY = m;
  ++FGridGeneration;
  FInvalidDataBmp = true;
}

// The plot's own state first, then the chart's Assign, which copies everything else (items,
// ranges, margins, labels, events) and ends with one repaint.
void TContourPlot::Assign(const TPersistent& Source) {
  const auto* s = dynamic_cast<const TContourPlot*>(&Source);
  if (s == nullptr || s == this) {
    TCustomRChart::Assign(Source);
    return;
  }
  // Copied first: without memory for them the plot stays as it was.
  TMatrix pivots = s->FPivotMat;
  TByteMatrix masks = s->FMaskMat;
  FSuppressPaint = true;  // the chart's Assign restores the source's switch and repaints
  FPlotMode = s->FPlotMode;
  FPivotMat = std::move(pivots);
  FMaskMat = std::move(masks);
  FNumPivotsX = s->FNumPivotsX;
  FNumPivotsY = s->FNumPivotsY;
  ++FGridGeneration;
  FIsoLow = s->FIsoLow;
  FIsoHigh = s->FIsoHigh;
  FIsoDist = s->FIsoDist;
  FMaximum = s->FMaximum;
  FMinimum = s->FMinimum;
  FInvalidDataBmp = s->FInvalidDataBmp;
  OnEstimateZVal = s->OnEstimateZVal;
  OnProgress = s->OnProgress;
  Silently(IsoColors, [&](TColorArray& c) { c = s->IsoColors; });
  MaskPalette = s->MaskPalette;
  IsoColorsChanged();
  TCustomRChart::Assign(Source);
}

void TContourPlot::AssignTo(TPersistent& Dest) const {
  if (auto* d = dynamic_cast<TContourPlot*>(&Dest)) {
    d->Assign(*this);
    return;
  }
  TCustomRChart::AssignTo(Dest);
}

void TContourPlot::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomRChart::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FExtColScale) FExtColScale = nullptr;
}

// Acts on the sender, not on the plot that installed it: Assign hands the chart's events to the
// copy, whose own picture must follow its zooms, and a chart that is no contour plot ignores it.
void TContourPlot::MarkPictureInvalid(TObject* Sender) {
  if (auto* plot = dynamic_cast<TContourPlot*>(Sender)) plot->FInvalidDataBmp = true;
}

void TContourPlot::InvalidateAndRepaint() {
  FInvalidDataBmp = true;
  Repaint();
}

void TContourPlot::DrawPlot() {
  InvalidateAndRepaint();
}

// ---------------------------------------------------------------------------------------------
// Levels, mode and the colour scale

void TContourPlot::SetIsoLow(double v) {
  if (v == FIsoLow || !std::isfinite(v)) return;
  FIsoLow = v;
  if (v >= FIsoHigh) FIsoHigh = v + 1;
  FInvalidDataBmp = true;
  IsoColorsChanged();
  Repaint();
}

void TContourPlot::SetIsoHigh(double v) {
  if (v == FIsoHigh || !std::isfinite(v)) return;
  FIsoHigh = v;
  if (v <= FIsoLow) FIsoLow = v - 1;
  FInvalidDataBmp = true;
  IsoColorsChanged();
  Repaint();
}

void TContourPlot::SetIsoDist(double v) {
  if (v == FIsoDist) return;
  FIsoDist = v;
  InvalidateAndRepaint();
}

void TContourPlot::SetIsoParams(double iLow, double iHigh, double iDist) {
  if (iLow == FIsoLow && iHigh == FIsoHigh && iDist == FIsoDist) return;
  if (std::isfinite(iLow)) {
    FIsoLow = iLow;
    if (iLow >= FIsoHigh) FIsoHigh = iLow + 1;
  }
  if (std::isfinite(iHigh)) {
    FIsoHigh = iHigh;
    if (iHigh <= FIsoLow) FIsoLow = iHigh - 1;
  }
  FIsoDist = iDist;
  FInvalidDataBmp = true;
  IsoColorsChanged();
  Repaint();
}

void TContourPlot::SetPlotMode(TContourPlotMode v) {
  if (v == FPlotMode || v > cpmColorSurfNoIpTransp) return;
  FPlotMode = v;
  InvalidateAndRepaint();
}

void TContourPlot::SetEnabled(bool value) {
  if (value == FEnabled) return;
  FEnabled = value;
  Repaint();
}

void TContourPlot::SetAttachedColorScale(TColorScale* v) {
  if (v == FExtColScale) return;
  if (FExtColScale != nullptr) FExtColScale->RemoveFreeNotification(this);
  FExtColScale = v;
  if (v != nullptr) v->FreeNotification(this);
}

// The colour scale takes the level colours as they are, size included, so that its bar shows
// exactly the plot's colours.
void TContourPlot::IsoColorsChanged() {
  if (FExtColScale == nullptr) return;
  TColorArray& target = FExtColScale->ColorArray();
  if (target.Size() != IsoColors.Size())
    target.CopyFrom(IsoColors);
  else
    target.CopyFrom(IsoColors, 1, 1, IsoColors.Size());
  FExtColScale->SetScaleRange(FIsoLow, FIsoHigh);
}

// ---------------------------------------------------------------------------------------------
// Chart operations with the picture marked invalid

void TContourPlot::SetRange(long double xLo, long double yLo, long double xHi, long double yHi) {
  FInvalidDataBmp = true;
  TCustomRChart::SetRange(1, xLo, yLo, xHi, yHi);
}

void TContourPlot::CrossHairSetPos(double x, double y) {
  TCustomRChart::CrossHairSetPos(1, x, y);
}

void TContourPlot::SetChartColor(TColor v) {
  FInvalidDataBmp = true;
  TCustomRChart::SetChartColor(v);
}
void TContourPlot::SetChartFrameColor(TColor v) {
  FInvalidDataBmp = true;
  TCustomRChart::SetChartFrameColor(v);
}
void TContourPlot::SetMarginLeft(int v) {
  FInvalidDataBmp = true;
  TCustomRChart::SetMarginLeft(v);
}
void TContourPlot::SetMarginRight(int v) {
  FInvalidDataBmp = true;
  TCustomRChart::SetMarginRight(v);
}
void TContourPlot::SetMarginTop(int v) {
  FInvalidDataBmp = true;
  TCustomRChart::SetMarginTop(v);
}
void TContourPlot::SetMarginBottom(int v) {
  FInvalidDataBmp = true;
  TCustomRChart::SetMarginBottom(v);
}
void TContourPlot::SetShadowWidth(int v) {
  FInvalidDataBmp = true;
  TCustomRChart::SetShadowWidth(v);
}

void TContourPlot::SetClassVisib(int cnum, bool value) {
  if (GetClassVisib(cnum) == value) return;
  FInvalidDataBmp = true;
  TCustomRChart::SetClassVisib(cnum, value);
}

void TContourPlot::SetAnnoClassVisib(int cnum, bool value) {
  if (GetAnnoClassVisib(cnum) == value) return;
  FInvalidDataBmp = true;
  TCustomRChart::SetAnnoClassVisib(cnum, value);
}

int TContourPlot::AddTextLabel(double PosX, double PosY, TColor TxtColor, const std::string& Txt,
                               int PropertyTemplate) {
  int ix = 0;
  {
    TPaintSuppressor suppress(*this);  // the label's own notification must not paint first
    ix = TCustomRChart::AddTextLabel(PosX, PosY, TxtColor, Txt, PropertyTemplate);
    FInvalidDataBmp = true;
  }  // painting back on: the plot repaints once
  return ix;
}

void TContourPlot::HideAllTextLabels() {
  FInvalidDataBmp = true;
  TCustomRChart::HideAllTextLabels();
}

void TContourPlot::ClearAllTextLabels() {
  FInvalidDataBmp = true;
  TCustomRChart::ClearAllTextLabels();
}

void TContourPlot::SetSuppressPaint(bool value) {
  if (value == FSuppressPaint) return;
  FSuppressPaint = value;
  if (!value) InvalidateAndRepaint();
}

void TContourPlot::ShowGraf() {
  FInvalidDataBmp = true;
  TCustomRChart::ShowGraf();
}

void TContourPlot::ShowGrafNewOnly() {
  ShowGraf();
}

void TContourPlot::ResetDataBitmap() {
  FInvalidDataBmp = true;
  TCustomRChart::ResetDataBitmap();
}

}  // namespace kiv
