// TColorScale: construction, properties and their repaint rules, the lay-out of the internal
// scale, the conversions between values, colours and pixels, picture copies and Assign.
#include "colorscale/colorscale.h"

#include <algorithm>
#include <cmath>

#include "services/rounding.h"

namespace kiv {

namespace {

// The colours a fresh colour scale shows: a cool-to-warm gradient of 64 entries.
void FillDefaultColors(TColorArray& a) {
  a.SetSize(64);
  a.FillByInterpolation(1, {RGB(48, 18, 160), RGB(0, 110, 230), RGB(0, 190, 170), RGB(120, 210, 60),
                            RGB(250, 220, 40), RGB(240, 120, 20), RGB(190, 20, 30)});
}

}  // namespace

TColorScale::TColorScale(TComponent* AOwner) : TCustomControl(AOwner) {
  SetControlStyle(ControlStyle() + TControlStyle{csOpaque});
  FColorArray = std::make_unique<TColorArray>();
  FillDefaultColors(*FColorArray);
  FColorArray->OnChange = [this](TObject*) { Changed(); };
  FCrossHair = std::make_unique<TCrossHair>();
  FCrossHair->SetPos(0, 0);
  FCrossHair->SetColor(clRed);
  FCrossHair->SetMode(chBoth);
  FCrossHair->SetLineType(psDot);
  FCrossHair->SetLineWid(1);
  FCrossHair->OnChange = [this](TObject*) { Changed(); };

  FScale = std::make_unique<TScale>(this);
  FScale->SetName("ColorScale");
  FScale->SetIsHelperComponent(true);
  FScale->UseForeignCanvas(&FGrafBmp.Canvas(), 0, 0);
  FScale->SetBounds(0, 0, 300, 75);
  FScale->SetFrameStyle(rbNone);
  FScale->SetTransparent(true);
  FScale->SetScaleType(sctLabelsBelow);
  FScale->SetRange(-10, 10);
  SetBounds(Left(), Top(), 300, 75);
}

TColorScale::~TColorScale() {
  Destroying();
  FColorArray->OnChange = nullptr;
  FCrossHair->OnChange = nullptr;
}

void TColorScale::CreateWnd() {
  TCustomControl::CreateWnd();
  SetSuppressPaint(false);
}

void TColorScale::Changed() {
  if (!FSuppressPaint) Repaint();
}

void TColorScale::SetSuppressPaint(bool v) {
  if (v == FSuppressPaint) return;
  FSuppressPaint = v;
  if (!v) Repaint();
}

// ---------------------------------------------------------------------------------------------
// Properties

void TColorScale::SetCaption(const std::string& v) {
  if (v == FCaption) return;
  FCaption = v;
  Changed();
}
void TColorScale::SetCaptionColor(TColor v) {
  if (v == FCaptColor) return;
  FCaptColor = v;
  Changed();
}
void TColorScale::SetCaptionPosX(int v) {
  if (v == FCaptPosX) return;
  FCaptPosX = v;
  Changed();
}
void TColorScale::SetCaptionPosY(int v) {
  if (v == FCaptPosY) return;
  FCaptPosY = v;
  Changed();
}
void TColorScale::SetCaptionSize(int v) {
  if (v == FCaptSize) return;
  FCaptSize = v;
  Changed();
}
void TColorScale::SetCaptionStyle(TFontStyles v) {
  if (v == FCaptStyle) return;
  FCaptStyle = v;
  Changed();
}
void TColorScale::SetColorSclBkgd(TColor v) {
  if (v == FColorSclBkgd) return;
  FColorSclBkgd = v;
  Changed();
}
void TColorScale::SetColorOfScale(TColor v) {
  if (v == FColorScale) return;
  FColorScale = v;
  Changed();
}
void TColorScale::SetColorScheme(TColorScheme v) {
  if (v == FColorScheme || v > csSystem) return;
  FColorScheme = v;
  FColGrayLine = v == csClassic ? clGray : clBtnShadow;
  FColWhiteLine = v == csClassic ? clWhite : clBtnHighlight;
  Changed();
}
void TColorScale::SetFrameStyle(TFrameStyle v) {
  if (v == FFrameSt || v >= kFrameStyleCount) return;
  FFrameSt = v;
  Changed();
}
void TColorScale::SetFramedColorScale(bool v) {
  if (v == FFramedColors) return;
  FFramedColors = v;
  Changed();
}
void TColorScale::SetExtendColors(bool v) {
  if (v == FExtendColors) return;
  FExtendColors = v;
  Changed();
}
void TColorScale::SetCrossHair(const TCrossHair& v) {
  if (&v != FCrossHair.get()) FCrossHair->Assign(v);  // reports its change, which repaints
}

// ---------------------------------------------------------------------------------------------
// Ranges

void TColorScale::SetScaleRangeLow(double v) {
  FScale->SetRangeLow(v);
  FColSclMin = FScale->RangeLow();
  FColSclMax = FScale->RangeHigh();
  Changed();
}

void TColorScale::SetScaleRangeHigh(double v) {
  FScale->SetRangeHigh(v);
  FColSclMin = FScale->RangeLow();
  FColSclMax = FScale->RangeHigh();
  Changed();
}

void TColorScale::SetColorLow(double v) {
  FColorLow = v;
  if (v > FColorHigh) FColorHigh = v;
  Changed();
}

void TColorScale::SetColorHigh(double v) {
  FColorHigh = v;
  if (v < FColorLow) FColorLow = v;
  Changed();
}

void TColorScale::SetScaleRange(double lowval, double highval) {
  if (lowval == highval) {
    highval += 1;
    lowval -= 1;
  }
  FColSclMin = FColorLow = lowval;
  FColSclMax = FColorHigh = highval;
  FScale->SetRange(lowval, highval);
  Changed();
}

// ---------------------------------------------------------------------------------------------
// Layout

void TColorScale::SetScaleDims() {
  if (!FScale) return;  // during construction
  const int W = Width(), H = Height();
  FScale->SetBounds(0, 0, W, H);
  if (Horizontal()) {
    FScale->SetScaleType(sctLabelsBelow);
    FScale->SetMarginTop(H - FMarginBottom);
    FScale->SetMarginLeft(FMarginLeft);
    FScale->SetMarginRight(FMarginRight);
  } else {
    FScale->SetScaleType(sctLabelsRight);
    FScale->SetMarginLeft(W - FMarginRight);
    FScale->SetMarginTop(FMarginTop);
    FScale->SetMarginBottom(FMarginBottom);
  }
}

void TColorScale::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  SetScaleDims();
}

void TColorScale::SetOrientation(TColScaleOrientation v) {
  if (v > csoVertical) return;
  FColScaleOrient = v;
  SetScaleDims();
  Changed();
}

void TColorScale::SetMarginTop(int v) {
  if (v == FMarginTop) return;
  FMarginTop = std::max(0, std::min(v, Height() - FMarginBottom - 1));
  if (!Horizontal()) FScale->SetMarginTop(FMarginTop);
  Changed();
}

void TColorScale::SetMarginBottom(int v) {
  if (v == FMarginBottom) return;
  FMarginBottom = std::max(0, std::min(v, Height() - FMarginTop - 1));
  if (Horizontal())
    FScale->SetMarginTop(Height() - FMarginBottom);
  else
    FScale->SetMarginBottom(FMarginBottom);
  Changed();
}

void TColorScale::SetMarginLeft(int v) {
  if (v == FMarginLeft) return;
  FMarginLeft = std::max(0, std::min(v, Width() - FMarginRight - 1));
  if (Horizontal()) FScale->SetMarginLeft(FMarginLeft);
  Changed();
}

void TColorScale::SetMarginRight(int v) {
  if (v == FMarginRight) return;
  FMarginRight = std::max(0, std::min(v, Width() - FMarginLeft - 1));
  if (Horizontal())
    FScale->SetMarginRight(FMarginRight);
  else
    FScale->SetMarginLeft(Width() - FMarginRight);
  Changed();
}

int TColorScale::MinTicks() const {
  return FScale->MinTicks();
}

void TColorScale::SetMinTicks(int v) {
  if (v == FScale->MinTicks()) return;
  FScale->SetMinTicks(std::clamp(v, 2, 10));
  Changed();
}

// ---------------------------------------------------------------------------------------------
// Conversions

TColor TColorScale::ValueToColor(double v) const {
  const int N = FColorArray->Size();
  if (N == 0 || std::isnan(v)) return clBlack;
  const double range = FColorHigh - FColorLow;
  double a = range == 0 ? N / 2.0 : N * (v - FColorLow) / range;
  if (std::isnan(a)) a = N / 2.0;  // an infinite range
  a = std::clamp(a, 1.0, static_cast<double>(N));
  return FColorArray->GetColorElem(RoundToInt(a));
}

double TColorScale::ColorToValue(TColor cl) const {
  const int N = FColorArray->Size();
  if (N == 0) return FColorLow;
  const int i = FColorArray->ColorToIndex(cl);
  return FColorLow + static_cast<double>(i) / N * (FColorHigh - FColorLow);
}

int TColorScale::ValueToPixel(double v) const {
  return FScale->ConvertToPixelCoords(v);
}

double TColorScale::PixelToValue(int p) const {
  return FScale->ConvertPixelToScale(p);
}

// ---------------------------------------------------------------------------------------------
// Copies

void TColorScale::CopyToBitMap(TBitmap* ABitmap, int PosX, int PosY) {
  if (ABitmap == nullptr) return;
  if (PosX < 0 || PosY < 0) {
    ABitmap->SetSize(FGrafBmp.Width(), FGrafBmp.Height());
    PosX = PosY = 0;
  }
  ABitmap->Canvas().SetCopyMode(cmSrcCopy);
  ABitmap->Canvas().Draw(PosX, PosY, FGrafBmp);
}

void TColorScale::PaintTo(TBitmap& ABitmap, int PosX, int PosY) {
  RenderPicture();
  CopyToBitMap(&ABitmap, PosX, PosY);
}

void TColorScale::Assign(const TPersistent& Source) {
  const auto* s = dynamic_cast<const TColorScale*>(&Source);
  if (s == nullptr) {
    TCustomControl::Assign(Source);
    return;
  }
  if (s == this) return;
  const bool saved = FSuppressPaint;
  FSuppressPaint = true;  // one repaint at the end
  FFrameSt = s->FFrameSt;
  FColGrayLine = s->FColGrayLine;
  FColWhiteLine = s->FColWhiteLine;
  FColorScheme = s->FColorScheme;
  OnDataRendered = s->OnDataRendered;
  FCaption = s->FCaption;
  FCaptColor = s->FCaptColor;
  FCaptPosX = s->FCaptPosX;
  FCaptPosY = s->FCaptPosY;
  FCaptSize = s->FCaptSize;
  FCaptStyle = s->FCaptStyle;
  FColSclMin = s->FColSclMin;
  FColSclMax = s->FColSclMax;
  FCrossHair->Assign(*s->FCrossHair);
  FExtendColors = s->FExtendColors;
  FMarginTop = s->FMarginTop;
  FMarginBottom = s->FMarginBottom;
  FMarginLeft = s->FMarginLeft;
  FMarginRight = s->FMarginRight;
  FMouseAction = s->FMouseAction;
  FZoomPanMode = s->FZoomPanMode;
  FFramedColors = s->FFramedColors;
  FColorLow = s->FColorLow;
  FColorHigh = s->FColorHigh;
  FColScaleOrient = s->FColScaleOrient;
  FColorSclBkgd = s->FColorSclBkgd;
  FColorScale = s->FColorScale;
  OnMouseMoveInScale = s->OnMouseMoveInScale;
  OnCrossHairMove = s->OnCrossHairMove;
  OnZoomPan = s->OnZoomPan;
  FScale->Assign(*s->FScale);
  FColorArray->Assign(*s->FColorArray);
  // The copied scale lay-out belongs to the other control's size.
  SetScaleDims();
  FSuppressPaint = saved;
  Changed();
}

void TColorScale::AssignTo(TPersistent& Dest) const {
  if (auto* d = dynamic_cast<TColorScale*>(&Dest)) {
    d->Assign(*this);
    return;
  }
  TCustomControl::AssignTo(Dest);
}

}  // namespace kiv
