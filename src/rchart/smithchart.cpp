// TSmithChart: construction and defaults, the layer-1 range properties, CenterChart, the
// diagram colours and Assign.
#include "rchart/smithchart.h"

#include "rchart/paintscope.h"

namespace kiv {

TSmithChart::TSmithChart(TComponent* AOwner) : TCustomRChart(AOwner) {
  // The chart's constructor ran its own reset (virtual calls do not reach this class there).
  ApplySmithDefaults();
}

void TSmithChart::ResetComp() {
  TCustomRChart::ResetComp();
  ApplySmithDefaults();
}

// Runs with painting suppressed (as after any reset) and leaves it so.
void TSmithChart::ApplySmithDefaults() {
  FSuppressPaint = true;
  FGridColLight = 14408667;
  FGridColDark = 10987431;
  FDiagramColor = 16312552;
  SetIsometric(true);
  SetGridStyle(gsPoints);
  SetGridDx(0);
  SetGridDy(0);
  SetPanGridDx(1);
  SetPanGridDy(1);
  SetPanGridOffsX(0);
  SetPanGridOffsY(0);
  TCustomRChart::SetRange(1, -1.2, -1.2, 1.2, 1.2);
  for (int L = 1; L <= 2; ++L) {
    ScalePropsX(L).SetVisible(false);
    ScalePropsY(L).SetVisible(false);
  }
}

// ---------------------------------------------------------------------------------------------
// Ranges of layer 1

double TSmithChart::RangeXLow() const {
  return FScalePropsX[0]->RangeLow();
}
double TSmithChart::RangeXHigh() const {
  return FScalePropsX[0]->RangeHigh();
}
double TSmithChart::RangeYLow() const {
  return FScalePropsY[0]->RangeLow();
}
double TSmithChart::RangeYHigh() const {
  return FScalePropsY[0]->RangeHigh();
}

// The suppressor's end repaints once (unless painting was suppressed before).
void TSmithChart::SetRangeEnd(TScaleProps& props, bool low, double v) {
  TPaintSuppressor suppress(*this);
  if (low)
    props.SetRangeLow(v);
  else
    props.SetRangeHigh(v);
  SetIsoMetric(FIsometric);
}

void TSmithChart::SetRangeXLow(double v) {
  SetRangeEnd(Scale1X(), true, v);
}
void TSmithChart::SetRangeXHigh(double v) {
  SetRangeEnd(Scale1X(), false, v);
}
void TSmithChart::SetRangeYLow(double v) {
  SetRangeEnd(Scale1Y(), true, v);
}

void TSmithChart::CenterChart() {
  const double w = RangeXHigh() - RangeXLow();
  const double h = RangeYHigh() - RangeYLow();
  SetRange(-w / 2, -h / 2, w / 2, h / 2);
}

// ---------------------------------------------------------------------------------------------
// Crosshair 1

namespace {

// Stores without the crosshair's change notification, which would repaint.
template <typename F>
void Quietly(TCrossHair& ch, F f) {
  const TNotifyEvent handler = ch.OnChange;
  ch.OnChange = nullptr;
  f(ch);
  ch.OnChange = handler;
}

}  // namespace

void TSmithChart::SetCrossHairPosX(double v) {
  Quietly(CrossHair1(), [v](TCrossHair& c) { c.SetPosX(v); });
}

void TSmithChart::SetCrossHairPosY(double v) {
  Quietly(CrossHair1(), [v](TCrossHair& c) { c.SetPosY(v); });
}

// ---------------------------------------------------------------------------------------------
// Colours and copying

void TSmithChart::SetGridColorLight(TColor v) {
  if (v == FGridColLight) return;
  FGridColLight = v;
  RepaintIfAutoRedraw();
}

void TSmithChart::SetGridColorDark(TColor v) {
  if (v == FGridColDark) return;
  FGridColDark = v;
  RepaintIfAutoRedraw();
}

void TSmithChart::SetDiagramColor(TColor v) {
  if (v == FDiagramColor) return;
  FDiagramColor = v;
  RepaintIfAutoRedraw();
}

void TSmithChart::Assign(const TPersistent& Source) {
  TCustomRChart::Assign(Source);
  if (const auto* src = dynamic_cast<const TSmithChart*>(&Source)) {
    FGridColLight = src->FGridColLight;
    FGridColDark = src->FGridColDark;
    FDiagramColor = src->FDiagramColor;
    Repaint();
  }
}

}  // namespace kiv
