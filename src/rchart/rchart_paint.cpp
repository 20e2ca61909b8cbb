// Painting of TCustomRChart: the full composition, the data-area refreshes of ShowGraf and
// ShowGrafNewOnly, the crosshair overlay, the painting switch and the change handlers, and the
// setters of the picture around the data area.
#include <algorithm>
#include <array>

#include "platform/canvas.h"
#include "rchart/customrchart.h"
#include "rchart/errors.h"

namespace kiv {

// ---------------------------------------------------------------------------------------------
// Composition

bool TCustomRChart::CanPaint() const {
  const TComponentState state = ComponentState();
  if (state.Contains(csLoading) || FSuppressPaint) return false;
  return Visible() || state.Contains(csDesigning);
}

void TCustomRChart::ComposePicture(TBitmap& chart, TBitmap& data, bool BlkWhite) {
  ConstructChartBmp(chart.Canvas());
  const TSize s = DataBitmapSize();
  data.SetSize(s.cx, s.cy);
  data.SetPixelFormat(pf32bit);
  InitGraf(data.Canvas(), 0, 0, s.cx, s.cy);
  ConstructDataBmp(data, 0, 0, BlkWhite, 0);
  DrawMouseTrace(0, 0, data);
  chart.Canvas().SetCopyMode(cmSrcCopy);
  chart.Canvas().Draw(RcLRim, RcTRim, data);
}

void TCustomRChart::Paint() {
  if (!CanPaint()) return;
  ComposePicture(ChartBmp, GrafBmp, false);
  DrawFinish(0, 0, Canvas(), ChartBmp);
}

void TCustomRChart::DrawFinish(int x, int y, TCanvas& Canvas, const TBitmap& Bitmap) {
  Canvas.SetCopyMode(cmSrcCopy);
  const bool any = std::any_of(FCrossHair.begin(), FCrossHair.end(),
                               [](const auto& ch) { return ch->Mode() != chOff; });
  if (!any) {
    Canvas.Draw(x, y, Bitmap);
    return;
  }
  TBitmap overlay(Bitmap);
  DrawCrossHairs(x, y, overlay);
  Canvas.Draw(x, y, overlay);
}

void TCustomRChart::RefreshCrossHairOverlay() {
  if (!CanPaint()) return;
  if (GrafBmp.Empty() || ChartBmp.Width() != Width() || ChartBmp.Height() != Height()) {
    Paint();  // nothing composed for this size yet
    return;
  }
  ChartBmp.Canvas().SetCopyMode(cmSrcCopy);
  ChartBmp.Canvas().Draw(RcLRim, RcTRim, GrafBmp);
  DrawFinish(0, 0, Canvas(), ChartBmp);
}

// The data area alone, drawn into the data bitmap and shown at the top-left margin. The chart
// bitmap takes the new data area too, so later crosshair refreshes start from it.
void TCustomRChart::ShowGraf() {
  if (Visible()) {
    FLastElemOnShow = FNumChartItems - 1;
    AdjustCanInfoOfSharedCharts();
    if (!FAutoRedraw || GrafBmp.Empty()) {
      Paint();
    } else if (CanPaint()) {
      InitGraf(GrafBmp.Canvas(), 0, 0, GrafBmp.Width(), GrafBmp.Height());
      ConstructDataBmp(GrafBmp, 0, 0, false, 0);
      ChartBmp.Canvas().SetCopyMode(cmSrcCopy);
      ChartBmp.Canvas().Draw(RcLRim, RcTRim, GrafBmp);
      DrawFinish(RcLRim, RcTRim, Canvas(), GrafBmp);
    }
  }
  RefreshSharingCharts();
}

void TCustomRChart::ShowGrafNewOnly() {
  if (!Visible()) return;
  if (CanPaint() && GrafBmp.Empty()) {
    Paint();  // the first picture: all of it
  } else if (CanPaint()) {
    ConstructDataBmp(GrafBmp, 0, 0, false, FLastElemOnShow);
    ChartBmp.Canvas().SetCopyMode(cmSrcCopy);
    ChartBmp.Canvas().Draw(RcLRim, RcTRim, GrafBmp);
    DrawFinish(RcLRim, RcTRim, Canvas(), GrafBmp);
  }
  FLastElemOnShow = FNumChartItems - 1;
  AdjustCanInfoOfSharedCharts();
}

void TCustomRChart::ResetDataBitmap() {
  if (GrafBmp.Empty()) return;  // nothing painted yet
  const TSize s = DataBitmapSize();
  GrafBmp.SetSize(s.cx, s.cy);
  InitGraf(GrafBmp.Canvas(), 0, 0, s.cx, s.cy);
}

// ---------------------------------------------------------------------------------------------
// Crosshairs

void TCustomRChart::DrawCrossHairs(int dx, int dy, TBitmap& Bitmap) {
  DrawCrossHairsOnCanvas(dx, dy, Bitmap.Canvas());
}

void TCustomRChart::DrawCrossHairsOnCanvas(int dx, int dy, TCanvas& Canvas) {
  if (std::all_of(FCrossHair.begin(), FCrossHair.end(),
                  [](const auto& ch) { return ch->Mode() == chOff; }))
    return;
  TPen& pen = Canvas.Pen();
  TBrush& brush = Canvas.Brush();
  const TColor savedColor = pen.Color();
  const int savedWidth = pen.Width();
  const TPenStyle savedStyle = pen.Style();
  const TBrushStyle savedBrush = brush.Style();
  pen.SetMode(pmCopy);
  const long long L = RcLRim, T = RcTRim;
  const long long R = static_cast<long long>(Width()) - RcRRim - F3DRim;
  const long long B = static_cast<long long>(Height()) - RcBRim - F3DRim;
  auto line = [&](long long x1, long long y1, long long x2, long long y2) {
    auto c = [](long long v) { return static_cast<int>(std::clamp<long long>(v, -30000, 30000)); };
    Canvas.MoveTo(c(x1), c(y1));
    Canvas.LineTo(c(x2), c(y2));
  };
  for (int n = 4; n >= 1; --n) {
    const TCrossHair& ch = *FCrossHair[static_cast<std::size_t>(n - 1)];
    const TCrossHMode mode = ch.Mode();
    if (mode == chOff) continue;
    int sxi, syi;
    R2M(ch.Layer(), ch.PosX(), ch.PosY(), sxi, syi);
    const long long sx = sxi, sy = syi;
    pen.SetColor(ch.Color());
    pen.SetWidth(ch.LineWid());
    pen.SetStyle(ch.LineType());
    brush.SetColor(RcChartCol);
    const long long h = ch.LineWid() / 2;
    const bool rowInside = T + h < sy && sy < B - h;
    const bool colInside = L + h < sx && sx < R - h;
    if ((mode == chHoriz || mode == chBoth) && rowInside)
      line(L + h + 1 - dx, sy - dy, R - h - dx, sy - dy);
    if ((mode == chVert || mode == chBoth) && colInside)
      line(sx - dx, T + h + 1 - dy, sx - dx, B - h - dy);
    if (!rowInside || !colInside) continue;
    const int cx = static_cast<int>(sx - dx), cy = static_cast<int>(sy - dy);
    if (mode == chCrossBox) {
      line(cx - 13, cy, cx + 14, cy);
      line(cx, cy - 13, cx, cy + 14);
      brush.SetStyle(bsClear);
      pen.SetStyle(psSolid);
      pen.SetColor(clWhite);
      Canvas.Rectangle(cx - 3, cy - 3, cx + 4, cy + 4);
      pen.SetColor(clBlack);
      Canvas.Rectangle(cx - 2, cy - 2, cx + 3, cy + 3);
    } else if (mode == chBox) {
      brush.SetStyle(bsClear);
      Canvas.Rectangle(cx - 4, cy - 4, cx + 5, cy + 5);
    }
  }
  pen.SetColor(savedColor);
  pen.SetWidth(savedWidth);
  pen.SetStyle(savedStyle);
  brush.SetStyle(savedBrush);
}

void TCustomRChart::SetCrossHair(int n, const TCrossHair& v) {
  if (n < 1 || n > 4) return;
  FCrossHair[static_cast<std::size_t>(n - 1)]->Assign(v);
  RepaintIfAutoRedraw();
}

// ---------------------------------------------------------------------------------------------
// Painting switch and change handlers

void TCustomRChart::CreateWnd() {
  TCustomControl::CreateWnd();
  FSuppressPaint = false;
}

void TCustomRChart::Loaded() {
  TCustomControl::Loaded();
  CopyScaleProps();
  for (std::size_t i = 0; i < 2; ++i) {
    FScalePropsX[i]->SetNotYetLoaded(false);
    FScalePropsY[i]->SetNotYetLoaded(false);
  }
  try {
    AdjustScaling();
  } catch (const EKIVRChartError&) {
    // A logarithmic axis over a non-positive range keeps its previous mapping.
  }
  Repaint();
}

void TCustomRChart::SetSuppressPaint(bool value) {
  if (value == FSuppressPaint) return;
  FSuppressPaint = value;
  if (!value) Repaint();
}

void TCustomRChart::StyleChanged(TObject*) {
  RepaintIfAutoRedraw();
}

// The properties are copied and the ranges taken over with painting suppressed; the flag is
// then restored directly so that the chart repaints exactly once.
void TCustomRChart::ScalePropsChanged(TObject*) {
  const bool saved = FSuppressPaint;
  FSuppressPaint = true;
  struct Restore {
    bool& flag;
    bool value;
    ~Restore() { flag = value; }
  } restore{FSuppressPaint, saved};
  CopyScaleProps();
  for (int L = 1; L <= 2; ++L)
    ForceRange(L, ScalePropsX(L).RangeLow(), ScalePropsY(L).RangeLow(), ScalePropsX(L).RangeHigh(),
               ScalePropsY(L).RangeHigh(), false, false);
  FSuppressPaint = saved;
  if (!saved) Repaint();
}

void TCustomRChart::ScaleZoomPan(TObject* Sender) {
  ScalePropsChanged(Sender);
}

void TCustomRChart::DoOnScaleTickDrawn(TObject* Sender, TCanvas& Canvas, TScaleType ScaleType,
                                       double CurrentTickPos, int ChartX, int ChartY) {
  if (OnScaleTickDrawn) OnScaleTickDrawn(Sender, Canvas, ScaleType, CurrentTickPos, ChartX, ChartY);
}

void TCustomRChart::DoOnBeforeTickLabel(TObject* Sender, TScaleType ScaleType,
                                        double CurrentTickPos, std::string& TickLabel) {
  if (OnBeforeTickLabel) OnBeforeTickLabel(Sender, ScaleType, CurrentTickPos, TickLabel);
}

// ---------------------------------------------------------------------------------------------
// The picture around the data area

void TCustomRChart::SetWindColor(TColor v) {
  RcWindCol = v;
  RepaintIfAutoRedraw();
}
void TCustomRChart::SetChartFrameColor(TColor v) {
  FChartFrameCol = v;
  RepaintIfAutoRedraw();
}
void TCustomRChart::SetShadowStyle(TShadowStyle v) {
  if (v > shsBackFramed) return;
  RcShadowStyle = v;
  RepaintIfAutoRedraw();
}
void TCustomRChart::SetShadowColor(TColor v) {
  FShadowColor = v;
  RepaintIfAutoRedraw();
}
void TCustomRChart::SetShadowBakColor(TColor v) {
  RcShadowBakCol = v;
  RepaintIfAutoRedraw();
}
void TCustomRChart::SetCaption(const std::string& v) {
  FChartCaption = v;
  RepaintIfAutoRedraw();
}
void TCustomRChart::SetCaptionPosX(int v) {
  FCaptPosX = v;
  RepaintIfAutoRedraw();
}
void TCustomRChart::SetCaptionPosY(int v) {
  FCaptPosY = v;
  RepaintIfAutoRedraw();
}
void TCustomRChart::SetCaptionAlignment(TAlignment v) {
  if (v > taCenter) return;
  FCaptAlignment = v;
  RepaintIfAutoRedraw();
}
void TCustomRChart::SetCaptionAnchorHoriz(TCaptionAnchorHoriz v) {
  if (v > cahControlRight) return;
  FCaptAnchorX = v;
  RepaintIfAutoRedraw();
}
void TCustomRChart::SetCaptionAnchorVert(TCaptionAnchorVert v) {
  if (v > cavControlBottom) return;
  FCaptAnchorY = v;
  RepaintIfAutoRedraw();
}
void TCustomRChart::SetCaptionTrim(int v) {
  FCaptTrim = v == 0 ? 0 : std::clamp(v, 5, 100);
  RepaintIfAutoRedraw();
}

}  // namespace kiv
