// The chart's side of item drawing: the drawing state a composition starts from, polyline
// batching, text extents, the duplicate-mark settings and the loop over both containers.
#include <algorithm>
#include <optional>
#include <string>

#include "platform/fine_canvas.h"
#include "platform/scaled_canvas.h"
#include "rchart/item_renderer.h"

namespace kiv {

using namespace itemdraw;

void TCustomRChart::SetAvoidDuplicateMarks(bool value) {
  if (value == FAvoidDupMarks) return;
  FAvoidDupMarks = value;
  Repaint();
}

void TCustomRChart::SetMinDupMarkDist(int value) {
  value = std::clamp(value, 1, 3);
  if (value == FDupMarksMinD) return;
  FDupMarksMinD = value;
  Repaint();
}

void TCustomRChart::SetMissingValueGaps(bool value) {
  if (value == FMissingGaps) return;
  FMissingGaps = value;
  RepaintIfAutoRedraw();
}

void TCustomRChart::PrepareRenderState(TCanvas& Canvas, int XOffset, int YOffset) {
  if (FAvoidDupMarks) {
    // The map covers the control's pixels and MinDupMarkDist around them. Mark centres are
    // clamped to +-kCoordLimit, so cells beyond kCoordLimit + 2 d are never looked at: the map
    // ends there, and its tiles are made only where marks claim cells.
    const long long d = FDupMarksMinD;
    const long long reach = kCoordLimit + 2 * d + 1;
    FMarkMap.Reset(std::min(std::max(0, Width()) + 2 * d, reach),
                   std::min(std::max(0, Height()) + 2 * d, reach));
  } else {
    FMarkMap.Clear();
  }
  Canvas.Pen().SetWidth(std::clamp<int>(RcLineWid, 1, kMaxPenWidth));
  FLastLWidth = RcLineWid;
  Canvas.MoveTo(XOffset, YOffset);
  FLastMoveToX = XOffset;
  FLastMoveToY = YOffset;
  FNumPPa = 0;
  FPenLifted = false;
  Canvas.Pen().SetColor(RcChartCol);
  Canvas.Pen().SetStyle(psSolid);
  Canvas.Brush().SetColor(RcChartCol);
  Canvas.Font().SetColor(RcChartCol);
  Canvas.SetTextAlign(TA_LEFT | TA_TOP);
  FLastPenCol = RcChartCol;
  FLastPenStyle = psSolid;
  FLastBrushCol = RcChartCol;
  FLastFontCol = RcChartCol;
}

void TCustomRChart::EnterPolyline(int x, int y, TCanvas& Canvas) {
  if (FNumPPa == 0) FPPa[0] = TPoint(FLastMoveToX, FLastMoveToY), FNumPPa = 1;
  FPPa[static_cast<std::size_t>(FNumPPa++)] = TPoint(x, y);
  if (FNumPPa == kPolyBatch) {
    FinishPolyLine(Canvas);
    FPPa[0] = TPoint(x, y);
    FNumPPa = 1;
  }
}

void TCustomRChart::FinishPolyLine(TCanvas& Canvas) {
  if (FNumPPa <= 0) return;
  const TPoint last = FPPa[static_cast<std::size_t>(FNumPPa - 1)];
  // A single pending point is the end of the batch drawn before: nothing new to draw.
  if (FNumPPa >= 2)
    Canvas.Polyline(std::span<const TPoint>(FPPa.data(), static_cast<std::size_t>(FNumPPa)));
  Canvas.MoveTo(last.X, last.Y);
  FLastMoveToX = last.X;
  FLastMoveToY = last.Y;
  FNumPPa = 0;
}

int TCustomRChart::CalcTextExtents(std::string_view Text, TCanvas& Canvas, int& LineHeight,
                                   int& TotalHeight, int& MaxWidth) {
  int n = 0;
  MaxWidth = 0;
  LineHeight = 0;
  TotalHeight = 0;
  if (!FontUsable(Canvas)) return 0;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = Text.find('\n', start);
    const std::string_view line =
        Text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    MaxWidth = std::max(MaxWidth, Canvas.TextWidth(line));
    ++n;
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  if (MaxWidth == 0) MaxWidth = Canvas.TextWidth(Text);
  LineHeight = Canvas.TextHeight(Text) + 1;
  TotalHeight = LineHeight * n;
  return n;
}

void TCustomRChart::DoOnBeforeRenderChartItem(TObject* Sender, TrcChartItem& ChartItem, int Index,
                                              bool IsAnnotation) {
  if (OnBeforeRenderChartItem) OnBeforeRenderChartItem(Sender, ChartItem, Index, IsAnnotation);
}

void TCustomRChart::DrawContainerItemOnCanvas(TCanvas& Canvas, const TrcChartItem& Item, int Index,
                                              bool IsAnnotation, const TLongTextArray& LongTexts,
                                              bool BlkWhite, int XOffset, int YOffset) {
  TItemRenderer(*this, Canvas, BlkWhite, XOffset, YOffset, Item.Layer)
      .Draw(Item, Index, IsAnnotation, LongTexts);
}

void TCustomRChart::RenderContainers(TCanvas& Picture, int XOffset, int YOffset, bool BlkWhite,
                                     int FirstItem) {
  // A picture drawn larger gets the items at its own resolution: their geometry is computed
  // there, on the fine view of the scaled canvas, instead of on the picture's pixels.
  TFineCanvas* fine = nullptr;
  if (auto* scaled = dynamic_cast<TScaledCanvas*>(&Picture); scaled && scaled->Scale() > 1) {
    fine = &scaled->Fine();
    fine->SetPen(Picture.Pen());
    fine->SetBrush(Picture.Brush());
    fine->SetCopyMode(Picture.CopyMode());
    PrepareRenderState(*fine, static_cast<int>(fine->Centre(XOffset)),
                       static_cast<int>(fine->Centre(YOffset)));
  }
  TCanvas& Canvas = fine ? *fine : Picture;
  const auto draw_item = [&](const TrcChartItem& it, int i, bool anno,
                             const TLongTextArray& texts) {
    TItemRenderer(*this, Canvas, BlkWhite, XOffset, YOffset, it.Layer, fine)
        .Draw(it, i, anno, texts);
  };
  const auto LayerShown = [this](std::int32_t L) {
    return (L == 1 || L == 2) && FLayerVisib[static_cast<std::size_t>(L - 1)];
  };
  // Handlers may add or remove items: counts and slots are read again for every item, and a
  // handler's item is a copy.
  const auto draw_data = [&] {
    // Renderers, one per layer, made when needed and dropped after every item whose drawing
    // runs handlers (they may change the transformation).
    std::optional<TItemRenderer> fast[2];
    for (int i = std::max(0, FirstItem); i < FNumChartItems && i < FDataContainer->Size(); ++i) {
      const TrcChartItem& it = (*FDataContainer)[i];
      // Streaming a million 104-byte items is bound by memory: fetch ahead, and without keeping
      // them in the caches the pixels live in.
      if (i + 16 < FNumChartItems && i + 16 < FDataContainer->Size())
        __builtin_prefetch(&(*FDataContainer)[i + 16], 0, 0);
      if (!FItClassVisib[it.ItemClass] || !LayerShown(it.Layer)) continue;
      if (OnBeforeRenderChartItem) {
        TrcChartItem copy = it;
        DoOnBeforeRenderChartItem(this, copy, i, false);
        draw_item(copy, i, false, FLongTextsData);
        fast[0].reset();
        fast[1].reset();
        continue;
      }
      if (IsTextKind(it.ItemKind)) {
        draw_item(it, i, false, FLongTextsData);
        fast[0].reset();
        fast[1].reset();
        continue;
      }
      // Only texts run user code (OnBeforeRenderText): for every other kind the renderer of the
      // item's layer stays valid and is reused.
      std::optional<TItemRenderer>& r = fast[it.Layer - 1];
      if (!r) r.emplace(*this, Canvas, BlkWhite, XOffset, YOffset, it.Layer, fine);
      if (!r->FastStep(it)) r->Draw(it, i, false, FLongTextsData);
      // No user code runs until the next text or handler: the item count stays as it is.
      const int n = std::min(FNumChartItems, FDataContainer->Size());
      if (it.ItemKind == tkLineto)
        i = r->LineRun(*FDataContainer, i + 1, n) - 1;
      else if (it.ItemKind == tkMarkAt && it.CoordMode == cmAllWorld)
        i = r->MarkRun(*FDataContainer, i + 1, n) - 1;
    }
    FinishPolyLine(Canvas);
  };
  // pass 0: every visible annotation; pass 1: all but texts; pass 2: texts only.
  const auto draw_annos = [&](int pass) {
    for (int i = 0; i < FNumAnnoItems && i < FAnnoContainer->Size(); ++i) {
      TrcChartItem copy = (*FAnnoContainer)[i];
      if (!FAnnoClassVisib[copy.ItemClass] || !LayerShown(copy.Layer)) continue;
      if (pass != 0 && IsTextKind(copy.ItemKind) != (pass == 2)) continue;
      DoOnBeforeRenderChartItem(this, copy, i, true);
      draw_item(copy, i, true, FLongTextsAnno);
    }
  };
  if (!FAnnoBelowChart) draw_data();
  if (FAnnosVisible) {
    if (FAnnoTextOnTop) {
      draw_annos(1);
      draw_annos(2);
    } else {
      draw_annos(0);
    }
    FinishPolyLine(Canvas);
  }
  if (FAnnoBelowChart) draw_data();
}

void TCustomRChart::RenderItems(TCanvas& Canvas) {
  PrepareRenderState(Canvas, 0, 0);
  RenderContainers(Canvas, 0, 0, false, 0);
}

}  // namespace kiv
