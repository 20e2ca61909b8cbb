// TScaleGauge painting: working colours, the moving dial, background, scale, index, cover,
// caption and frames composed in the off-screen picture, then copied to the control.
#include <cmath>

#include "gauge/gauge.h"
#include "platform/errors.h"
#include "services/frame.h"

namespace kiv {

namespace {

// The colours a disabled gauge paints with.
constexpr TColor kDisabledBackground = 15329774;
constexpr TColor kDisabledInk = clGray;

}  // namespace

void TScaleGauge::Paint() {
  const TComponentState state = ComponentState();
  if (state.Contains(csLoading)) return;
  if (!Visible() && !state.Contains(csDesigning)) return;
  ComposePicture();
  Canvas().SetCopyMode(cmSrcCopy);
  Canvas().Draw(0, 0, FGrafBmp);
}

void TScaleGauge::CopyToBitmap(TBitmap& ABitmap) {
  ComposePicture();
  ABitmap.Assign(FGrafBmp);
}

void TScaleGauge::ComposePicture() {
  const bool on = FEnabled;
  const TColor bg1 = on ? FColorSclBG1 : kDisabledBackground;
  const TColor bg2 = on ? FColorSclBG2 : kDisabledBackground;
  const TColor scaleColor = on ? FColorScale : kDisabledInk;
  const TColor index1 = on ? FColorIndex1 : kDisabledInk;
  const TColor index2 = on ? FColorIndex2 : kDisabledInk;
  const TColor labelColor = on ? Font().Color() : kDisabledInk;
  const TColor captionColor = on ? FCaptColor : kDisabledInk;

  const int W = Width(), H = Height();
  const int L = FCovMargLeft, R = FCovMargRight, T = FCovMargTop, B = FCovMargBottom;
  FGrafBmp.SetSize(W, H);
  TCanvas& c = FGrafBmp.Canvas();
  c.SetCopyMode(cmSrcCopy);

  if (!FScaleFixed) {
    // The scale slides under the index: its range is centred on the value.
    if (FLogarithmic) {
      const double s = std::sqrt(FGaugeMax / FGaugeMin);
      FScale->SetRange(FGaugeValue / s, FGaugeValue * s);
    } else {
      const double h = std::fabs(FGaugeMax - FGaugeMin) / 2;
      FScale->SetRange(FGaugeValue - h, FGaugeValue + h);
    }
  }

  const TGaugeGeometry g = Geometry();
  DrawGaugeBackground(c, FGaugeBG, bg1, bg2, g);

  FScale->Font().Assign(Font());
  FScale->Font().SetColor(labelColor);
  FScale->SetColorScale(scaleColor);
  FScale->ForcePaint();

  TGaugeIndex index;
  index.Mode = FGaugeIdxMode;
  if (FScaleFixed)
    index.Pos = FScale->ConvertToPixelCoords(FGaugeValue);
  else
    index.Pos = FGaugeOrient == goHorizontal ? L + (W - L - R) / 2 : T + (H - T - B) / 2;
  index.ValuePixel = FScale->ConvertToPixelCoords(FGaugeValue);
  index.ZeroPixel = FScale->ConvertToPixelCoords(FGaugeZero);
  index.ZeroAboveValue = FGaugeZero > FGaugeValue;
  index.Color1 = index1;
  index.Color2 = index2;
  DrawGaugeIndex(c, index, g);

  // The cover hides whatever the scale and the index drew outside the window.
  c.Pen().SetColor(FColorCover);
  c.Pen().SetStyle(psSolid);
  c.Pen().SetWidth(1);
  c.Pen().SetMode(pmCopy);
  c.Brush().SetColor(FColorCover);
  c.Brush().SetStyle(bsSolid);
  c.Rectangle(0, 0, L, H);
  c.Rectangle(W - R, 0, W, H);
  c.Rectangle(0, 0, W, T);
  c.Rectangle(0, H - B, W, H);

  if (!FCaption.empty()) {
    c.Font().Assign(Font());
    c.Font().SetSize(FCaptSize);
    c.Font().SetStyle(FCaptStyle);
    c.Font().SetColor(captionColor);
    c.Brush().SetStyle(bsClear);
    try {
      c.TextOut(FCaptPosX, FCaptPosY, FCaption);
    } catch (const EPlatformError&) {
      // No font on this system: the gauge is shown without its caption.
    }
  }

  DrawFrame(c, FInnerFrameSt, L, T, W - R - 1, H - B - 1, clWhite, clSilver, clGray, clBlack,
            clBlack);
  DrawFrame(c, FOuterFrameSt, 0, 0, W - 1, H - 1, clWhite, clSilver, clGray, clBlack, clBlack);
}

}  // namespace kiv
