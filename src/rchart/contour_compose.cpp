// TContourPlot's picture: the cached data bitmap (grid, items, text labels) and when it is
// rebuilt, the vector form for SVG output, painting, the text labels in layer-1 coordinates,
// and the output operations.
#include <algorithm>
#include <array>

#include "rchart/contourplot.h"

namespace kiv {

// ---------------------------------------------------------------------------------------------
// The cached picture

TContourPlot::TPictureKey TContourPlot::CurrentPictureKey() const {
  TPictureKey k;
  k.k[0] = Cpkx[0];
  k.k[1] = Cpdx[0];
  k.k[2] = Cpky[0];
  k.k[3] = Cpdy[0];
  k.log[0] = FScalePropsX[0]->Logarithmic();
  k.log[1] = FScalePropsY[0]->Logarithmic();
  k.range[0] = FScalePropsX[0]->RangeLow();
  k.range[1] = FScalePropsX[0]->RangeHigh();
  k.range[2] = FScalePropsY[0]->RangeLow();
  k.range[3] = FScalePropsY[0]->RangeHigh();
  k.margin[0] = RcLRim;
  k.margin[1] = RcTRim;
  const TSize s = DataBitmapSize();
  k.size[0] = s.cx;
  k.size[1] = s.cy;
  k.chart = RcChartCol;
  return k;
}

// Ranges change through many chart operations (scale properties, auto-ranging, joint layers,
// the zoom history) and the size through resizing; the picture follows them even where no
// handler marked it invalid.
bool TContourPlot::DataBmpStale() const {
  const TSize s = DataBitmapSize();
  return FInvalidDataBmp || GrafBmp.Width() != s.cx || GrafBmp.Height() != s.cy ||
         !(CurrentPictureKey() == FPictureKey);
}

void TContourPlot::BeforeRenderData(TCanvas& Canvas, int XOffs, int YOffs) {
  const TColor brush = Canvas.Brush().Color(), pen = Canvas.Pen().Color();
  if (OnBeforeRenderData) OnBeforeRenderData(this, Canvas, RcTRim - YOffs, RcLRim - XOffs);
  Canvas.Brush().SetColor(brush);
  Canvas.Pen().SetColor(pen);
}

void TContourPlot::DrawItemsAndLabels(TCanvas& Canvas, int XOffs, int YOffs, bool BlkWhite,
                                      int FirstItem) {
  PrepareRenderState(Canvas, XOffs, YOffs);
  RenderContainers(Canvas, XOffs, YOffs, BlkWhite,
                   PrimePolyline(Canvas, XOffs, YOffs, BlkWhite, FirstItem));
  RenderLabels(Canvas, XOffs, YOffs);
}

void TContourPlot::FinishDataArea(TCanvas& Canvas, int XOffs, int YOffs) {
  if (OnDataRendered) OnDataRendered(this, Canvas, RcTRim, RcLRim);
  const int W = Width() - RcLRim - RcRRim - F3DRim;
  const int H = Height() - RcTRim - RcBRim - F3DRim;
  Canvas.Pen().SetColor(FChartFrameCol);
  Canvas.Pen().SetStyle(psSolid);
  Canvas.Pen().SetMode(pmCopy);
  Canvas.Pen().SetWidth(1);
  const std::array<TPoint, 5> frame = {TPoint(XOffs, YOffs), TPoint(XOffs + W, YOffs),
                                       TPoint(XOffs + W, YOffs + H), TPoint(XOffs, YOffs + H),
                                       TPoint(XOffs, YOffs)};
  Canvas.Polyline(frame);
}

// The picture counts as valid from the start of its rebuild, so that a change made by
// application code while it is drawn (events, progress reports) asks for the next one.
void TContourPlot::ConstructDataBmp(TBitmap& Bmp, int XOffs, int YOffs, bool BlkWhite,
                                    int FirstItem) {
  TCanvas& canvas = Bmp.Canvas();
  if (FInvalidDataBmp) {
    FInvalidDataBmp = false;
    if (&Bmp == &GrafBmp) FPictureKey = CurrentPictureKey();
    BeforeRenderData(canvas, XOffs, YOffs);
    CalculatePivotPoints(false);
    RenderFromPivotPoints(Bmp, XOffs, YOffs);
    DrawItemsAndLabels(canvas, XOffs, YOffs, BlkWhite, FirstItem);
  }
  FinishDataArea(canvas, XOffs, YOffs);
}

void TContourPlot::ConstructDataBmpCanvas(TCanvas& Canvas, int XOffset, int YOffset, bool BlkWhite,
                                          int FirstItem) {
  const TSize s = DataBitmapSize();
  TBitmap field(s.cx, s.cy);
  field.SetPixelFormat(pf32bit);
  InitGraf(field.Canvas(), 0, 0, s.cx, s.cy);
  BeforeRenderData(Canvas, XOffset, YOffset);
  CalculatePivotPoints(false);
  RenderFromPivotPoints(field, 0, 0);
  Canvas.SetCopyMode(cmSrcCopy);
  Canvas.Draw(XOffset, YOffset, field);
  DrawItemsAndLabels(Canvas, XOffset, YOffset, BlkWhite, FirstItem);
  FinishDataArea(Canvas, XOffset, YOffset);
}

void TContourPlot::Paint() {
  if (!CanPaint()) return;
  ConstructChartBmp(ChartBmp.Canvas());
  if (DataBmpStale()) {
    FInvalidDataBmp = true;
    const TSize s = DataBitmapSize();
    GrafBmp.SetSize(std::max(s.cx, 0), std::max(s.cy, 0));
    GrafBmp.SetPixelFormat(pf32bit);
    InitGraf(GrafBmp.Canvas(), 0, 0, GrafBmp.Width(), GrafBmp.Height());
  }
  ConstructDataBmp(GrafBmp, 0, 0, false, 0);
  ChartBmp.Canvas().SetCopyMode(cmSrcCopy);
  ChartBmp.Canvas().Draw(RcLRim, RcTRim, GrafBmp);
  DrawFinish(0, 0, Canvas(), ChartBmp);
}

// ---------------------------------------------------------------------------------------------
// Text labels

// As the chart draws its labels, but world positions always in layer 1 and the vertical
// alignment measured by one line: top adds one line height, centre half of one.
void TContourPlot::RenderLabels(TCanvas& Canvas, int XOffs, int YOffs) {
  Canvas.Pen().SetWidth(1);
  DrawTextLabels(Canvas, XOffs, YOffs, 1, true);
}

// ---------------------------------------------------------------------------------------------
// Output: each builds the picture afresh; the screen's cached picture keeps its state.

template <class F>
void TContourPlot::Exporting(F f) {
  const bool saved = FInvalidDataBmp;
  FInvalidDataBmp = true;
  struct Restore {
    bool& flag;
    bool value;
    ~Restore() { flag = value; }
  } restore{FInvalidDataBmp, saved};
  f();
}

void TContourPlot::CopyToBitmap(TBitmap& ABitmap, bool BlkWhite, bool IncludeCrossHairs) {
  Exporting([&] { TCustomRChart::CopyToBitmap(ABitmap, BlkWhite, IncludeCrossHairs); });
}
void TContourPlot::CopyToBitmapDAOnly(TBitmap& ABitmap, bool BlkWhite, bool IncludeCrossHairs) {
  Exporting([&] { TCustomRChart::CopyToBitmapDAOnly(ABitmap, BlkWhite, IncludeCrossHairs); });
}
void TContourPlot::CopyToBMP(const std::string& FName, bool BlkWhite) {
  Exporting([&] { TCustomRChart::CopyToBMP(FName, BlkWhite); });
}
void TContourPlot::CopyToClipboard(bool BlkWhite, bool IncludeCrossHairs) {
  Exporting([&] { TCustomRChart::CopyToClipboard(BlkWhite, IncludeCrossHairs); });
}
void TContourPlot::CopyToClipboardDAOnly(bool BlkWhite, bool IncludeCrossHairs) {
  Exporting([&] { TCustomRChart::CopyToClipboardDAOnly(BlkWhite, IncludeCrossHairs); });
}
void TContourPlot::CopyToClipBoardWMF(bool BlkWhite) {
  Exporting([&] { TCustomRChart::CopyToClipboardWMF(BlkWhite); });
}
void TContourPlot::PrintIt(double ScaleF, bool BlkWhite) {
  Exporting([&] { TCustomRChart::PrintIt(ScaleF, BlkWhite); });
}

}  // namespace kiv
