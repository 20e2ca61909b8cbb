// The chart's picture in its two parts: the chart bitmap (background, drop shadow, caption and
// the four axes) and the data bitmap (background or image, grid, items in composition order,
// text labels and the data-area frame).
#include <algorithm>
#include <array>
#include <string>

#include "platform/canvas.h"
#include "platform/errors.h"
#include "rchart/customrchart.h"
#include "rchart/errors.h"
#include "services/rounding.h"

namespace kiv {

namespace {

constexpr int kCoordLimit = 30000;

int ClampCoord(int v) {
  return std::clamp(v, -kCoordLimit, kCoordLimit);
}

// Number of UTF-8 characters (lead bytes) in text.
std::size_t CharCount(const std::string& text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

// The first n UTF-8 characters of text.
std::string FirstChars(const std::string& text, std::size_t n) {
  std::size_t i = 0, seen = 0;
  for (; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
      if (seen == n) break;
      ++seen;
    }
  }
  return text.substr(0, i);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Chart bitmap

void TCustomRChart::ConstructChartBmp(TCanvas& Canvas) {
  const int W = Width(), H = Height(), d = F3DRim;
  // The picture's bitmap takes the control's size. The chart bitmap is sized only when it is
  // that bitmap: output into other bitmaps leaves it alone, so that a chart made only for
  // pictures never fills a screen-sized bitmap it does not show.
  if (TBitmap* target = Canvas.RasterBitmap()) target->SetSize(W, H);

  Canvas.Pen().SetStyle(psSolid);
  Canvas.Pen().SetMode(pmCopy);
  Canvas.Pen().SetWidth(1);
  Canvas.Pen().SetColor(RcWindCol);
  Canvas.Brush().SetColor(RcWindCol);
  Canvas.Brush().SetStyle(bsSolid);
  Canvas.FillRect(TRect(0, 0, W, H));

  if (d > 0) {
    Canvas.Pen().SetColor(RcShadowBakCol);
    Canvas.Brush().SetColor(RcShadowBakCol);
    Canvas.FillRect(TRect(W - d, 0, W, d));
    Canvas.FillRect(TRect(0, H - d, d, H));
    Canvas.Brush().SetColor(FShadowColor);
    int s = 0;
    if (RcShadowStyle == shsPlain) {
      Canvas.Pen().SetColor(FShadowColor);
      s = d - 1;
    } else if (RcShadowStyle == shsFramed) {
      Canvas.Pen().SetColor(clBlack);
    }
    const std::array<TPoint, 4> below = {TPoint(s, H - d), TPoint(d - 1, H - 1),
                                         TPoint(W - 1, H - 1), TPoint(W - d, H - d)};
    const std::array<TPoint, 4> right = {TPoint(W - d, H - d), TPoint(W - 1, H - 1),
                                         TPoint(W - 1, d - 1), TPoint(W - d, s)};
    Canvas.Polygon(below);
    Canvas.Polygon(right);
    Canvas.Pen().SetColor(clBlack);
    Canvas.Pen().SetStyle(psSolid);
    const std::array<TPoint, 5> face = {TPoint(0, 0), TPoint(W - d, 0), TPoint(W - d, H - d),
                                        TPoint(0, H - d), TPoint(0, 0)};
    Canvas.Polyline(face);
  }

  Canvas.Pen().SetColor(FChartFrameCol);
  Canvas.Brush().SetStyle(bsClear);
  Canvas.Font().Assign(Font());

  // Caption, cut to CaptionTrim percent of the data-area width.
  std::string text = FChartCaption;
  int w = Canvas.TextWidth(text);
  if (FCaptTrim != 0 && w > 0) {
    const int a = RoundToInt((W - d - RcLRim - RcRRim) * 0.01 * FCaptTrim);
    if (a < w) {
      const double len = static_cast<double>(CharCount(text));
      const int keep = RoundToInt(len * a / w) - 2;
      text = FirstChars(text, static_cast<std::size_t>(std::max(keep, 0))) + "...";
      w = Canvas.TextWidth(text);
    }
  }
  long long x = FCaptPosX;
  switch (FCaptAnchorX) {
    case cahControlLeft:
      break;
    case cahChartLeft:
      x += RcLRim;
      break;
    case cahChartCenter:
      x += RcLRim + (W - RcLRim - RcRRim - d) / 2;
      break;
    case cahChartRight:
      x += W - RcRRim - d;
      break;
    case cahControlRight:
      x += W;
      break;
  }
  long long y = FCaptPosY;
  switch (FCaptAnchorY) {
    case cavControlTop:
      break;
    case cavChartTop:
      y += RcTRim;
      break;
    case cavChartCenter:
      y += RcTRim + (H - RcTRim - RcBRim - d) / 2;
      break;
    case cavChartBottom:
      y += H - RcBRim;
      break;
    case cavControlBottom:
      y += H;
      break;
  }
  if (FCaptAlignment == taRightJustify)
    x -= w;
  else if (FCaptAlignment == taCenter)
    x -= w / 2;
  Canvas.SetTextAlign(TA_LEFT | TA_TOP);
  if (!text.empty())
    Canvas.TextOut(static_cast<int>(std::clamp<long long>(x, -kCoordLimit, kCoordLimit)),
                   static_cast<int>(std::clamp<long long>(y, -kCoordLimit, kCoordLimit)), text);

  // The axes, each painted by its scale component straight onto this canvas.
  try {
    AdjustScaling();
  } catch (const EKIVRChartError&) {
    // A logarithmic axis over a non-positive range keeps its previous mapping.
  }
  for (auto* scales : {&FScalesX, &FScalesY}) {
    for (std::size_t i = 0; i < 2; ++i) {
      TScale& sc = *(*scales)[i];
      const TScaleProps& props = scales == &FScalesX
                                     ? static_cast<const TScaleProps&>(*FScalePropsX[i])
                                     : static_cast<const TScaleProps&>(*FScalePropsY[i]);
      SetScaleProps(sc, props);
      sc.UseForeignCanvas(&Canvas, 0, 0);
      sc.ForcePaint();
      sc.UseForeignCanvas(&ChartBmp.Canvas(), 0, 0);
    }
  }
  if (!FLegend->Inside()) DrawLegend(Canvas, DataArea(), false);
  if (OnScalesRendered) OnScalesRendered(this, Canvas, 0, 0);
}

void TCustomRChart::DrawLegend(TCanvas& Canvas, const TRect& Area, bool BlkWhite) {
  const TSize ext = FLegend->Extent(Canvas);
  const TPoint at = FLegend->Origin(Area, ext);
  FLegend->Draw(Canvas, at.X, at.Y, BlkWhite || FBlackWhite);
}

// ---------------------------------------------------------------------------------------------
// Data bitmap

void TCustomRChart::InitGraf(TCanvas& Canvas, int Left, int Top, int Width, int Height) {
  Canvas.Pen().SetStyle(psSolid);
  Canvas.Pen().SetMode(pmCopy);
  Canvas.Pen().SetWidth(1);
  Canvas.Brush().SetColor(RcChartCol);
  Canvas.Brush().SetStyle(bsSolid);
  Canvas.Pen().SetColor(FChartFrameCol);
  Canvas.SetCopyMode(cmSrcCopy);
  const int right = Left + std::max(Width, 0), bottom = Top + std::max(Height, 0);
  const TRect whole(Left, Top, right, bottom);

  if (!FBakGndFile.Name().empty()) {
    bool loaded = false;
    try {
      AuxBmp.LoadFromFile(FBakGndFile.Name());
      loaded = !AuxBmp.Empty();
    } catch (const EPlatformError&) {
    }
    if (!loaded) {
      // The image is dropped without a repaint: painting is going on.
      Canvas.FillRect(whole);
      const TNotifyEvent handler = FBakGndFile.OnChange;
      FBakGndFile.OnChange = nullptr;
      FBakGndFile.SetName("");
      FBakGndFile.OnChange = handler;
      return;
    }
    const int iw = AuxBmp.Width(), ih = AuxBmp.Height();
    switch (FBakGndFile.FillMode()) {
      case bfUnscaled:
        Canvas.FillRect(whole);
        Canvas.Draw(Left, Top, AuxBmp);
        break;
      case bfStretched:
        Canvas.StretchDraw(whole, AuxBmp);
        break;
      case bfTiled: {
        const int cols = (Width - 1) / iw + 1, rows = (Height - 1) / ih + 1;
        for (int c = 0; c < cols; ++c)
          for (int r = 0; r < rows; ++r) Canvas.Draw(Left + c * iw, Top + r * ih, AuxBmp);
        break;
      }
    }
    return;
  }

  Canvas.FillRect(whole);
  const TBGAreaMode mode = FBakGndFile.AreaMode();
  if (mode == bamNone) return;
  int xl, yt, xr, yb;
  R2M(FActiveLayer, FBakGndFile.AreaLeft(), FBakGndFile.AreaTop(), xl, yt);
  R2M(FActiveLayer, FBakGndFile.AreaRight(), FBakGndFile.AreaBottom(), xr, yb);
  xl = ClampCoord(xl) - RcLRim + Left;
  xr = ClampCoord(xr) - RcLRim + Left;
  yt = ClampCoord(yt) - RcTRim + Top;
  yb = ClampCoord(yb) - RcTRim + Top;
  Canvas.Pen().SetColor(FBakGndFile.AreaColor());
  Canvas.Brush().SetColor(FBakGndFile.AreaColor());
  // Each part is kept inside the data area, so a bound beyond the area's edge fills nothing
  // outside it (also when the picture is composed on a larger canvas).
  auto fill = [&](int l, int t, int r, int b) {
    const TRect part = TRect(l, t, r, b).Normalized();
    const TRect inside(std::clamp(part.Left, Left, right), std::clamp(part.Top, Top, bottom),
                       std::clamp(part.Right, Left, right), std::clamp(part.Bottom, Top, bottom));
    if (inside.Right > inside.Left && inside.Bottom > inside.Top) Canvas.FillRect(inside);
  };
  const bool left = mode == bamLeft || mode == bamRectInv || mode == bamVStripeInv;
  const bool rightPart = mode == bamRight || mode == bamRectInv || mode == bamVStripeInv;
  const bool top = mode == bamTop || mode == bamRectInv || mode == bamHStripeInv;
  const bool bottomPart = mode == bamBottom || mode == bamRectInv || mode == bamHStripeInv;
  if (top) fill(Left, Top, right, yt);
  if (bottomPart) fill(Left, yb, right, bottom);
  if (left) fill(Left, Top, xl, bottom);
  if (rightPart) fill(xr, Top, right, bottom);
  if (mode == bamVStripe) fill(xl, Top, xr, bottom);
  if (mode == bamHStripe) fill(Left, yt, right, yb);
  if (mode == bamRect) fill(xl, yt, xr, yb);
}

// Drawing over an earlier picture from FirstItem on: those items may continue a polyline, so
// the pen goes first to the nearest visible move or polyline point before them, and the items
// after that point are drawn again (over their own pixels).
int TCustomRChart::PrimePolyline(TCanvas& Canvas, int XOffset, int YOffset, bool BlkWhite,
                                 int FirstItem) {
  if (FirstItem <= 0) return 0;
  const int n = std::min(FNumChartItems, FDataContainer->Size());
  int k = std::min(FirstItem, n - 1);
  for (; k >= 0; --k) {
    const TrcChartItem& it = (*FDataContainer)[k];
    const bool shown = (it.Layer == 1 || it.Layer == 2) &&
                       FLayerVisib[static_cast<std::size_t>(it.Layer - 1)] &&
                       FItClassVisib[it.ItemClass];
    if (shown && (it.ItemKind == tkMoveTo || it.ItemKind == tkLineto)) break;
  }
  if (k < 0) return 0;
  TrcChartItem item = (*FDataContainer)[k];
  DoOnBeforeRenderChartItem(this, item, k, false);
  if (item.ItemKind == tkLineto) item.ItemKind = tkMoveTo;
  DrawContainerItemOnCanvas(Canvas, item, k, false, FLongTextsData, BlkWhite, XOffset, YOffset);
  return k + 1;
}

void TCustomRChart::ConstructDataBmp(TBitmap& Bitmap, int XOffset, int YOffset, bool BlkWhite,
                                     int FirstItem) {
  ConstructDataBmpCanvas(Bitmap.Canvas(), XOffset, YOffset, BlkWhite, FirstItem);
}

void TCustomRChart::ConstructDataBmpCanvas(TCanvas& Canvas, int XOffset, int YOffset, bool BlkWhite,
                                           int FirstItem) {
  {
    const TColor brush = Canvas.Brush().Color(), pen = Canvas.Pen().Color();
    if (OnBeforeRenderData) OnBeforeRenderData(this, Canvas, RcTRim - YOffset, RcLRim - XOffset);
    Canvas.Brush().SetColor(brush);
    Canvas.Pen().SetColor(pen);
  }
  if (RcGridStyle != gsNone && FirstItem == 0) DrawGrid(Canvas, XOffset, YOffset);
  PrepareRenderState(Canvas, XOffset, YOffset);

  RenderContainers(Canvas, XOffset, YOffset, BlkWhite,
                   PrimePolyline(Canvas, XOffset, YOffset, BlkWhite, FirstItem));

  Canvas.Pen().SetWidth(1);
  RenderTextLabels(Canvas, XOffset, YOffset);
  // The frame covers the outermost pixels of the data bitmap.
  const int r = Width() + XOffset - RcLRim - RcRRim - F3DRim;
  const int b = Height() + YOffset - RcTRim - RcBRim - F3DRim;
  if (FLegend->Inside()) DrawLegend(Canvas, TRect(XOffset, YOffset, r + 1, b + 1), BlkWhite);
  if (OnDataRendered) OnDataRendered(this, Canvas, RcTRim - YOffset, RcLRim - XOffset);

  Canvas.Pen().SetColor(FChartFrameCol);
  Canvas.Pen().SetStyle(psSolid);
  Canvas.Pen().SetMode(pmCopy);
  Canvas.Pen().SetWidth(1);
  const std::array<TPoint, 5> frame = {TPoint(XOffset, YOffset), TPoint(r, YOffset), TPoint(r, b),
                                       TPoint(XOffset, b), TPoint(XOffset, YOffset)};
  Canvas.Polyline(frame);
}

}  // namespace kiv
