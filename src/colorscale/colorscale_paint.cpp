// TColorScale: the picture (background, colour bar, extension, bar frame, scale, caption,
// crosshair line, control frame), composed in the control's bitmap.
#include <algorithm>
#include <cmath>

#include "colorscale/colorscale.h"
#include "services/frame.h"
#include "services/rounding.h"

namespace kiv {

namespace {

int ClampTo(int v, int lo, int hi) {
  return std::max(lo, std::min(v, hi));  // lo wins for a bar without pixels
}

}  // namespace

void TColorScale::Paint() {
  const bool designing = ComponentState().Contains(csDesigning);
  if (!designing && (!Visible() || FSuppressPaint)) return;
  RenderPicture();
  Canvas().SetCopyMode(cmSrcCopy);
  Canvas().Draw(0, 0, FGrafBmp);
}

void TColorScale::RenderPicture() {
  const int W = Width(), H = Height();
  FGrafBmp.SetSize(W, H);
  TCanvas& c = FGrafBmp.Canvas();
  c.SetTextAlign(TA_LEFT | TA_TOP);
  c.Pen().SetMode(pmCopy);
  c.Pen().SetStyle(psSolid);
  c.Pen().SetWidth(1);
  c.Pen().SetColor(FColorSclBkgd);
  c.Brush().SetColor(FColorSclBkgd);
  c.Brush().SetStyle(bsSolid);
  c.Rectangle(0, 0, W, H);

  DrawBar(c);

  if (FFramedColors) {
    c.Pen().SetColor(FColorScale);
    c.Brush().SetStyle(bsClear);
    if (Horizontal())
      c.Rectangle(FMarginLeft, FMarginTop, W - FMarginRight, H - FMarginBottom + 1);
    else
      c.Rectangle(FMarginLeft, FMarginTop, W - FMarginRight + 1, H - FMarginBottom);
  }

  FScale->Font().Assign(Font());
  FScale->SetColorScale(FColorScale);
  FScale->UseForeignCanvas(&c, 0, 0);
  FScale->ForcePaint();

  c.Font().Assign(Font());
  c.Font().SetSize(FCaptSize);
  c.Font().SetStyle(FCaptStyle);
  c.Font().SetColor(FCaptColor);
  c.Brush().SetStyle(bsClear);
  c.SetTextAlign(TA_LEFT | TA_TOP);
  if (!FCaption.empty()) c.TextOut(FCaptPosX, FCaptPosY, FCaption);

  if (OnDataRendered) OnDataRendered(this, c, 0, 0);
  DrawCrossHairLine(c);
  DrawFrame(c, FFrameSt, 0, 0, W - 1, H - 1, clWhite, clSilver, clGray, clBlack, clBlack);
}

// Column (row) e of the bar shows entry round((e - b) / (c - b) * N), where b and c are the
// pixels of the colour range's ends; the bar itself is limited to the strip inside the margins.
void TColorScale::DrawBar(TCanvas& c) {
  const int N = FColorArray->Size();
  if (N == 0) return;
  const int W = Width(), H = Height();
  const bool hor = Horizontal();
  const int b = ValueToPixel(FColorLow), e_c = ValueToPixel(FColorHigh);
  const int lo = hor ? FMarginLeft : FMarginTop;
  const int hi = hor ? W - FMarginRight - 1 : H - FMarginBottom - 1;
  const int a = ClampTo(b, lo, hi), d = ClampTo(e_c, lo, hi);
  auto line = [&](int e, TColor col) {
    c.Pen().SetColor(col);
    if (hor) {
      c.MoveTo(e, FMarginTop);
      c.LineTo(e, H - FMarginBottom);
    } else {
      c.MoveTo(FMarginLeft, e);
      c.LineTo(W - FMarginRight, e);
    }
  };
  auto entry = [&](int e) {
    int f = N / 2;
    if (a != d) f = RoundToInt(static_cast<double>(e - b) / (static_cast<double>(e_c) - b) * N);
    return FColorArray->GetColorElem(std::clamp(f, 1, N));
  };
  // Horizontal bars run from the low end rightwards, vertical ones from the low end upwards.
  if (hor) {
    for (int e = a; e <= d; ++e) line(e, entry(e));
  } else {
    for (int e = a; e >= d; --e) line(e, entry(e));
  }
  if (!FExtendColors) return;
  // The end colours fill the bar up to its last line (hi), never the line past it: that one
  // lies outside the bar's frame.
  const TColor first = FColorArray->GetColorElem(1), last = FColorArray->GetColorElem(N);
  if (hor) {
    if (FMarginLeft < a)
      for (int e = FMarginLeft; e <= a; ++e) line(e, first);
    if (d < W - FMarginRight)
      for (int e = d; e <= hi; ++e) line(e, last);
  } else {
    if (a < H - FMarginBottom)
      for (int e = a; e <= hi; ++e) line(e, first);
    if (FMarginTop < d)
      for (int e = FMarginTop; e <= d; ++e) line(e, last);
  }
}

void TColorScale::DrawCrossHairLine(TCanvas& c) {
  const TCrossHair& ch = *FCrossHair;
  if (ch.Mode() == chOff) return;
  const int W = Width(), H = Height();
  c.Brush().SetColor(clWhite);
  c.Brush().SetStyle(bsSolid);
  const int p = ValueToPixel(Horizontal() ? ch.PosX() : ch.PosY());
  const int w = ch.LineWid();
  c.Pen().SetColor(ch.Color());
  c.Pen().SetWidth(w);
  c.Pen().SetStyle(ch.LineType());
  if (Horizontal()) {
    c.MoveTo(p, FMarginTop + w / 2 + 1);
    c.LineTo(p, H - FMarginBottom - w / 2);
  } else {
    c.MoveTo(FMarginLeft + w / 2 + 1, p);
    c.LineTo(W - FMarginRight - w / 2, p);
  }
  c.Pen().SetWidth(1);
  c.Pen().SetStyle(psSolid);
}

}  // namespace kiv
