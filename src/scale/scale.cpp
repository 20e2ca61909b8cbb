// TScale: construction, reset, properties and their repaint rules.
#include "scale/scale.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kiv {

namespace {

// The other end for a range end set equal to it: value + 1, or the neighbouring double where
// adding 1 is lost in rounding (huge values), so equal ends are never stored.
double DistinctEnd(double value) {
  const double next = value + 1;
  if (next != value) return next;
  const double up = std::nextafter(value, std::numeric_limits<double>::infinity());
  if (std::isfinite(up)) return up;
  return std::nextafter(value, -std::numeric_limits<double>::infinity());
}

}  // namespace

TScale::TScale(TComponent* AOwner) : TCustomControl(AOwner) {
  FSuppressPaint = true;
  FDTFormat = std::make_unique<TDTLabel>();
  FDTFormat->OnChange = [this](TObject* Sender) { Changed(Sender); };
  FScaleTickPos.assign(kMaxRecordedTicks, 0.0);
  SetBounds(Left(), Top(), 400, 400);
  ResetComp();
}

TScale::~TScale() {
  Destroying();
  FDTFormat->OnChange = nullptr;
}

void TScale::ResetComp() {
  FSuppressPaint = true;
  FLButtonWasDown = false;
  FMAnchorX = FMAnchorY = 0;
  FMAnchorWorldLow = FMAnchorWorldHigh = 0;
  FNotYetLoaded = true;
  FColorBG = clBtnFace;
  FColorFG = clBlack;
  FColorScheme = csClassic;
  FColBlackLine = clBlack;
  FColGrayLine = clGray;
  FColWhiteLine = clWhite;
  FFrameStyle = rbLowered;
  FUnitLabel.clear();
  FLblPosX = FLblPosY = 4;
  FLblAlign = taCenter;
  FLblAnchor = uaSclTopLft;
  FIsHelper = false;
  FForeignCv = nullptr;
  FForCvPosX = FForCvPosY = 0;
  FTransf = TScaleTransform{};
  FRangeLow = 0;
  FRangeHigh = 100;
  FAxLog = false;
  FScaleType = sctLabelsAbove;
  FLabelType = fgtNumeric;
  FNumTicks = 3;
  FShortTicks = true;
  FDecPlaces = -2;
  FDrawBaseLine = true;
  FTransparent = false;
  FUserTicktext.clear();
  FMouseAction = mactNone;
  FMarginTop = FMarginBottom = FMarginLeft = FMarginRight = 20;
  FTickCount = 0;
  OnZoomPan = nullptr;
  OnScaleTickDrawn = nullptr;
  OnBeforeTickLabel = nullptr;
  OnBeforeScaleRendered = nullptr;
  OnAfterScaleRendered = nullptr;
  FDTFormat->BeginUpdate();
  FDTFormat->SetTimeFormat(tfColon);
  FDTFormat->SetDateSeparator('-');
  FDTFormat->SetTimeSeparator(':');
  FDTFormat->SetYearLength(ylFourDigits);
  FDTFormat->SetMonthName(true);
  FDTFormat->SetDateForTime(dftDayChange);
  FDTFormat->SetDAteOrder(doDayMonthYear);
  FDTFormat->EndUpdate();
  AdjustScalePars();
}

void TScale::Loaded() {
  TCustomControl::Loaded();
  AdjustScalePars();
  FNotYetLoaded = false;
  RepaintScale();
}

void TScale::CreateWnd() {
  TCustomControl::CreateWnd();
  SetSuppressPaint(false);
}

// A helper paints onto its owner's canvas when asked and never becomes a window of its own:
// as a window it would paint (and record ticks) whenever the host asked, also while hidden
// axes are being set up.
void TScale::VisibleChanged() {
  if (FIsHelper && Parent() == nullptr) {
    TControl::VisibleChanged();
    return;
  }
  TCustomControl::VisibleChanged();
}

void TScale::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  Remap();
}

// ---------------------------------------------------------------------------------------------
// Repainting

void TScale::RepaintScale() {
  if (!FTransparent || FIsHelper)
    Paint();
  else
    Invalidate();
}

void TScale::Remap() {
  AdjustScalePars();
  RepaintScale();
}

void TScale::Changed(TObject*) {
  RepaintScale();
}

void TScale::SetSuppressPaint(bool v) {
  if (v == FSuppressPaint) return;
  FSuppressPaint = v;
  if (!v) RepaintScale();
}

void TScale::ForcePaint() {
  const bool saved = FSuppressPaint;
  FSuppressPaint = false;
  Paint();
  FSuppressPaint = saved;
}

void TScale::UseForeignCanvas(TCanvas* ForeignCv, int x, int y) {
  FForeignCv = ForeignCv;
  FForCvPosX = x;
  FForCvPosY = y;
}

void TScale::SetIsHelperComponent(bool v) {
  if (v == FIsHelper) return;
  FIsHelper = v;
  // A helper paints onto its owner's canvas; its own surface is needed only if asked for.
  SetLazySurface(v);
  RepaintScale();
}

void TScale::SetForeignCanvasPosX(int v) {
  FForCvPosX = v;
  RepaintScale();
}

void TScale::SetForeignCanvasPosY(int v) {
  FForCvPosY = v;
  RepaintScale();
}

// ---------------------------------------------------------------------------------------------
// Range and mapping

TScaleStrip TScale::Strip() const {
  TScaleStrip s;
  s.Width = Width();
  s.Height = Height();
  s.MarginLeft = FMarginLeft;
  s.MarginRight = FMarginRight;
  s.MarginTop = FMarginTop;
  s.MarginBottom = FMarginBottom;
  s.ScaleType = FScaleType;
  return s;
}

void TScale::AdjustScalePars() {
  if (ComponentState().Contains(csLoading)) return;
  AdjustScaleTransform(Strip(), FRangeLow, FRangeHigh, FAxLog, FTransf);
}

int TScale::R2M(double value) const {
  return ScaleValueToPixel(FTransf, Strip(), FRangeLow, FRangeHigh, FAxLog, value);
}

double TScale::M2R(int pixel) const {
  return ScalePixelToValue(FTransf, FRangeLow, FRangeHigh, FAxLog, pixel);
}

void TScale::SetRangeLow(double v) {
  if (!std::isfinite(v)) return;
  FRangeLow = v;
  if (v == FRangeHigh) FRangeHigh = DistinctEnd(v);
  Remap();
}

void TScale::SetRangeHigh(double v) {
  if (!std::isfinite(v)) return;
  FRangeHigh = v;
  if (v == FRangeLow) FRangeLow = DistinctEnd(v);
  Remap();
}

void TScale::SetRange(double LowVal, double HighVal) {
  if (!std::isfinite(LowVal) || !std::isfinite(HighVal)) return;
  FRangeLow = LowVal;
  FRangeHigh = HighVal == LowVal ? DistinctEnd(LowVal) : HighVal;
  Remap();
}

// ---------------------------------------------------------------------------------------------
// Recorded ticks

double TScale::GetTickPos(int ix) const {
  if (ix < 1 || ix > FTickCount) return 0;
  return FScaleTickPos[static_cast<std::size_t>(ix - 1)];
}

void TScale::ResetTickList() {
  FTickCount = 0;
  FScaleTickPos.assign(kMaxRecordedTicks, 0.0);
}

void TScale::RecordTick(double value) {
  if (FTickCount >= kMaxRecordedTicks) return;
  FScaleTickPos[static_cast<std::size_t>(FTickCount)] = value;
  ++FTickCount;
}

TScaleTickSettings TScale::TickSettings() const {
  TScaleTickSettings s;
  s.Low = FRangeLow;
  s.High = FRangeHigh;
  s.NumTicks = FNumTicks;
  s.ShortTicks = FShortTicks;
  s.Logarithmic = FAxLog;
  s.ScaleType = FScaleType;
  s.LabelType = FLabelType;
  s.DecPlaces = FDecPlaces;
  s.UserText = FUserTicktext;
  s.Inscript = FScaleInscript;
  s.DateFormat = ScaleDateFormatOf(*FDTFormat);
  return s;
}

// ---------------------------------------------------------------------------------------------
// Properties

void TScale::SetCaption(const std::string& v) {
  FUnitLabel = v;
  RepaintScale();
}

void TScale::SetCaptionPosX(int v) {
  FLblPosX = v;
  RepaintScale();
}

void TScale::SetCaptionPosY(int v) {
  FLblPosY = v;
  RepaintScale();
}

void TScale::SetCaptionAlignment(TAlignment v) {
  if (v > taCenter) return;
  FLblAlign = v;
  RepaintScale();
}

void TScale::SetCaptionAnchor(TScaleUnitAnchor v) {
  if (v > uaSclBotRgt) return;
  FLblAnchor = v;
  RepaintScale();
}

void TScale::SetColorBackGnd(TColor v) {
  if (v == FColorBG) return;
  FColorBG = v;
  RepaintScale();
}

void TScale::SetColorScale(TColor v) {
  if (v == FColorFG) return;
  FColorFG = v;
  RepaintScale();
}

void TScale::SetColorScheme(TColorScheme v) {
  if (v == FColorScheme) return;
  FColorScheme = v;
  FColBlackLine = clBlack;
  FColGrayLine = v == csClassic ? clGray : clBtnShadow;
  FColWhiteLine = v == csClassic ? clWhite : clBtnHighlight;
  RepaintScale();
}

void TScale::SetDateFormat(const TDTLabel& v) {
  if (&v == FDTFormat.get()) return;
  FDTFormat->Assign(v);  // reports one change, which repaints
}

void TScale::SetDecPlaces(int v) {
  FDecPlaces = std::clamp(v, -3, 12);
  Remap();
}

void TScale::SetFrameStyle(TFrameStyle v) {
  if (v == FFrameStyle || v >= kFrameStyleCount) return;
  FFrameStyle = v;
  RepaintScale();
}

void TScale::SetLabelType(TFigType v) {
  if (v > fgtUserText) return;
  FLabelType = v;
  if (v == fgtDateTime) {
    FAxLog = false;
    AdjustScalePars();
  }
  if (v == fgtTime) FDecPlaces = 4;
  RepaintScale();
}

void TScale::SetLogarithmic(bool v) {
  if (!v) {
    FAxLog = false;
  } else if (FNotYetLoaded ||
             (FRangeLow >= 1e-100 && FRangeHigh >= 1e-100 && FLabelType != fgtDateTime)) {
    FAxLog = true;
  }
  Remap();
}

void TScale::SetMarginTop(int v) {
  FMarginTop = std::max(v, 0);
  Remap();
}

void TScale::SetMarginBottom(int v) {
  FMarginBottom = std::max(v, 0);
  Remap();
}

void TScale::SetMarginLeft(int v) {
  FMarginLeft = std::max(v, 0);
  Remap();
}

void TScale::SetMarginRight(int v) {
  FMarginRight = std::max(v, 0);
  Remap();
}

void TScale::SetMinTicks(int v) {
  FNumTicks = v == 0 ? 0 : std::clamp(v, 2, 10);
  RepaintScale();
}

void TScale::SetShortTicks(bool v) {
  if (v == FShortTicks) return;
  FShortTicks = v;
  RepaintScale();
}

void TScale::SetShowBaseLine(bool v) {
  FDrawBaseLine = v;
  RepaintScale();
}

void TScale::SetScaleInscript(const std::string& v) {
  FScaleInscript = v;
  RepaintScale();
}

void TScale::SetScaleType(TScaleType v) {
  if (v == FScaleType || v > sctLabelsLeft) return;
  FScaleType = v;
  Remap();
}

void TScale::SetTransparent(bool v) {
  FTransparent = v;
  RepaintScale();
}

void TScale::SetUserTickText(const std::string& v) {
  FUserTicktext = v;
  RepaintScale();
}

}  // namespace kiv
