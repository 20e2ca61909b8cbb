// TScaleGauge: construction, the layout of the internal scale, the properties with their
// clamps and repaint rules, Assign and the mouse report.
#include "gauge/gauge.h"

#include <algorithm>
#include <cmath>

namespace kiv {

TScaleGauge::TScaleGauge(TComponent* AOwner) : TCustomControl(AOwner) {
  // Paint covers every pixel of the control.
  SetControlStyle(ControlStyle() + TControlStyle{csOpaque});
  FScale = std::make_unique<TScale>(this);
  FScale->SetName("GaugeScale");
  FScale->SetIsHelperComponent(true);
  FScale->SetSuppressPaint(true);
  FScale->UseForeignCanvas(&FGrafBmp.Canvas(), 0, 0);
  FScale->SetBounds(0, 0, FGaugeWid, FGaugeHgt);
  FScale->SetFrameStyle(rbNone);
  FScale->SetTransparent(true);
  FScale->SetScaleType(sctLabelsBelow);
  FScale->SetRange(FGaugeMin, FGaugeMax);
  FScale->SetLogarithmic(false);
  SetBounds(Left(), Top(), FGaugeWid, FGaugeHgt);
}

TScaleGauge::~TScaleGauge() {
  Destroying();
}

void TScaleGauge::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  FGaugeWid = Width();
  FGaugeHgt = Height();
  SetScaleDims();
}

void TScaleGauge::SetScaleDims() {
  TScale& s = *FScale;
  s.SetBounds(0, 0, Width(), Height());
  s.SetMarginLeft(FCovMargLeft);
  s.SetMarginTop(FCovMargTop);
  if (FGaugeOrient == goHorizontal) {
    s.SetScaleType(sctLabelsAbove);
    s.SetMarginBottom(FCovMargBottom + 10);
    s.SetMarginRight(FCovMargRight);
  } else {
    s.SetScaleType(sctLabelsLeft);
    s.SetMarginBottom(FCovMargBottom);
    s.SetMarginRight(FCovMargRight + 10);
  }
}

TGaugeGeometry TScaleGauge::Geometry() const {
  return TGaugeGeometry{Width(),     Height(),       FCovMargLeft, FCovMargRight,
                        FCovMargTop, FCovMargBottom, FGaugeOrient};
}

void TScaleGauge::RepaintGauge() {
  Paint();
}

// ---------------------------------------------------------------------------------------------
// Value and range

void TScaleGauge::SetValue(double v) {
  if (std::isnan(v) || v == FGaugeValue) return;
  FGaugeValue = std::clamp(v, std::min(FGaugeMin, FGaugeMax), std::max(FGaugeMin, FGaugeMax));
  RepaintGauge();
}

void TScaleGauge::SetMin(double v) {
  if (!std::isfinite(v) || v == FGaugeMin || (FLogarithmic && v <= 0)) return;
  FGaugeMin = v;
  FScale->SetRangeLow(v);
  RepaintGauge();
}

void TScaleGauge::SetMax(double v) {
  if (!std::isfinite(v) || v == FGaugeMax || (FLogarithmic && v <= 0)) return;
  FGaugeMax = v;
  FScale->SetRangeHigh(v);
  RepaintGauge();
}

void TScaleGauge::SetGaugeZero(double v) {
  if (std::isnan(v) || v == FGaugeZero) return;
  FGaugeZero = v;
  RepaintGauge();
}

void TScaleGauge::SetLogarithmic(bool v) {
  if (v == FLogarithmic || FGaugeMin <= 0 || FGaugeMax <= 0) return;
  FLogarithmic = v;
  FScale->SetLogarithmic(v);
  RepaintGauge();
}

void TScaleGauge::SetMinTicks(int v) {
  if (v == FMinTicks) return;
  FMinTicks = v;
  FScale->SetMinTicks(v);
  RepaintGauge();
}

void TScaleGauge::SetShortTicks(bool v) {
  if (v == FShortTicks) return;
  FShortTicks = v;
  FScale->SetShortTicks(v);
  RepaintGauge();
}

void TScaleGauge::SetFixedDial(bool v) {
  if (v == FScaleFixed) return;
  FScaleFixed = v;
  if (v) {
    FScale->SetRange(FGaugeMin, FGaugeMax);
    SetScaleDims();
  }
  RepaintGauge();
}

// ---------------------------------------------------------------------------------------------
// Look

namespace {

// Stores v in field when it differs; true when the picture has to follow.
template <typename T>
bool Changed(T& field, const T& v) {
  if (field == v) return false;
  field = v;
  return true;
}

}  // namespace

void TScaleGauge::SetOrientation(TGaugeOrientation v) {
  if (v > goVertical || !Changed(FGaugeOrient, v)) return;
  SetScaleDims();
  RepaintGauge();
}

void TScaleGauge::SetIndexMode(TGaugeIndexMode v) {
  if (v <= gimBar && Changed(FGaugeIdxMode, v)) RepaintGauge();
}

void TScaleGauge::SetBackground(TGaugeBackground v) {
  if (v <= gbHorizMidBand && Changed(FGaugeBG, v)) RepaintGauge();
}

void TScaleGauge::SetColorBg1(TColor v) {
  if (Changed(FColorSclBG1, v)) RepaintGauge();
}
void TScaleGauge::SetColorBg2(TColor v) {
  if (Changed(FColorSclBG2, v)) RepaintGauge();
}
void TScaleGauge::SetColorIndex1(TColor v) {
  if (Changed(FColorIndex1, v)) RepaintGauge();
}
void TScaleGauge::SetColorIndex2(TColor v) {
  if (Changed(FColorIndex2, v)) RepaintGauge();
}
void TScaleGauge::SetColorCover(TColor v) {
  if (Changed(FColorCover, v)) RepaintGauge();
}
void TScaleGauge::SetColorScale(TColor v) {
  if (Changed(FColorScale, v)) RepaintGauge();
}

void TScaleGauge::SetColorScheme(TColorScheme v) {
  if (v > csSystem || !Changed(FColorScheme, v)) return;
  FColBlackLine = clBlack;
  FColGrayLine = v == csClassic ? clGray : clBtnShadow;
  FColWhiteLine = v == csClassic ? clWhite : clBtnHighlight;
  RepaintGauge();
}

void TScaleGauge::SetFrameStyleOuter(TFrameStyle v) {
  if (v < kFrameStyleCount && Changed(FOuterFrameSt, v)) RepaintGauge();
}
void TScaleGauge::SetFrameStyleInner(TFrameStyle v) {
  if (v < kFrameStyleCount && Changed(FInnerFrameSt, v)) RepaintGauge();
}

void TScaleGauge::SetCaption(const std::string& v) {
  if (Changed(FCaption, v)) RepaintGauge();
}
void TScaleGauge::SetCaptionColor(TColor v) {
  if (Changed(FCaptColor, v)) RepaintGauge();
}
void TScaleGauge::SetCaptionPosX(int v) {
  if (Changed(FCaptPosX, v)) RepaintGauge();
}
void TScaleGauge::SetCaptionPosY(int v) {
  if (Changed(FCaptPosY, v)) RepaintGauge();
}
void TScaleGauge::SetCaptionSize(int v) {
  if (Changed(FCaptSize, v)) RepaintGauge();
}
void TScaleGauge::SetCaptionStyle(TFontStyles v) {
  if (Changed(FCaptStyle, v)) RepaintGauge();
}

// ---------------------------------------------------------------------------------------------
// Margins: the window keeps at least 20 pixels between opposite margins.

bool TScaleGauge::StoreMargin(int& field, int v, int extent, int opposite) {
  if (v == field) return false;
  field = std::max(std::min(v, extent - opposite - 20), 0);
  return true;
}

void TScaleGauge::SetMarginLeft(int v) {
  if (!StoreMargin(FCovMargLeft, v, Width(), FCovMargRight)) return;
  SetScaleDims();
  RepaintGauge();
}

void TScaleGauge::SetMarginRight(int v) {
  if (!StoreMargin(FCovMargRight, v, Width(), FCovMargLeft)) return;
  SetScaleDims();
  RepaintGauge();
}

void TScaleGauge::SetMarginTop(int v) {
  if (!StoreMargin(FCovMargTop, v, Height(), FCovMargBottom)) return;
  SetScaleDims();
  RepaintGauge();
}

void TScaleGauge::SetMarginBottom(int v) {
  if (!StoreMargin(FCovMargBottom, v, Height(), FCovMargTop)) return;
  SetScaleDims();
  RepaintGauge();
}

// ---------------------------------------------------------------------------------------------
// Enabling, copying, mouse

void TScaleGauge::EnabledChanged() {
  FEnabled = Enabled();
  RepaintGauge();
}

void TScaleGauge::Assign(const TPersistent& Source) {
  const auto* src = dynamic_cast<const TScaleGauge*>(&Source);
  if (src == nullptr) {
    TCustomControl::Assign(Source);
    return;
  }
  FOuterFrameSt = src->FOuterFrameSt;
  FInnerFrameSt = src->FInnerFrameSt;
  FGaugeValue = src->FGaugeValue;
  FColorSclBG1 = src->FColorSclBG1;
  FColorSclBG2 = src->FColorSclBG2;
  FColBlackLine = src->FColBlackLine;
  FColGrayLine = src->FColGrayLine;
  FColWhiteLine = src->FColWhiteLine;
  FColorScheme = src->FColorScheme;
  if (src->Enabled() != Enabled())
    SetEnabled(src->Enabled());  // repaints
  else
    RepaintGauge();
}

void TScaleGauge::AssignTo(TPersistent& Dest) const {
  if (auto* dest = dynamic_cast<TScaleGauge*>(&Dest)) {
    dest->Assign(*this);
    return;
  }
  TCustomControl::AssignTo(Dest);
}

void TScaleGauge::WMMouseMove(TWMMouse& Message) {
  TCustomControl::WMMouseMove(Message);
  const int X = Message.XPos, Y = Message.YPos;
  const TScale& s = *FScale;
  const double v = s.ConvertPixelToScale(FGaugeOrient == goHorizontal ? X : Y);
  const bool in = s.MarginLeft() <= X && X <= s.Width() - s.MarginRight() && s.MarginTop() <= Y &&
                  Y <= Height() - s.MarginBottom();
  if (OnMouseMoveInGauge) OnMouseMoveInGauge(this, in, Message.Keys, v);
}

}  // namespace kiv
