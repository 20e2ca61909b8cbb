// Copying a whole chart: Assign takes over another chart's items, settings, axes, zoom history,
// owned objects and event handlers; the copy takes part in no data sharing.
#include <algorithm>
#include <utility>

#include "rchart/customrchart.h"

namespace kiv {

namespace {

// A container of the source's items with room up to the next multiple of AllocSize.
std::shared_ptr<TRcItemContainer> CopyItems(const TRcItemContainer& src, int count, int alloc) {
  count = std::min(count, src.Size());
  const long long slots = static_cast<long long>(alloc) * (count / alloc + 1);
  auto c = std::make_shared<TRcItemContainer>(
      static_cast<int>(std::min<long long>(slots, TRcItemContainer::kMaxSlots)));
  for (int i = 0; i < count; ++i) (*c)[i] = src[i];
  return c;
}

}  // namespace

void TCustomRChart::Assign(const TPersistent& Source) {
  const auto* s = dynamic_cast<const TCustomRChart*>(&Source);
  if (s == nullptr) {
    TCustomControl::Assign(Source);
    return;
  }
  if (s == this) return;
  // Built first: without memory for them the chart stays as it was.
  auto data = CopyItems(*s->FDataContainer, s->FNumChartItems, s->FAllocSize);
  auto annos = CopyItems(*s->FAnnoContainer, s->FNumAnnoItems, s->FAllocSize);
  LeaveSharingGroup();
  FSuppressPaint = true;  // no paint while the copy is half done

  SetTag(s->Tag());
  // Items.
  FDataContainer = std::move(data);
  FAnnoContainer = std::move(annos);
  FNumChartItems = std::min(s->FNumChartItems, s->FDataContainer->Size());
  FNumAnnoItems = std::min(s->FNumAnnoItems, s->FAnnoContainer->Size());
  FNumAllocData = s->FNumAllocData;
  FNumAllocAnno = s->FNumAllocAnno;
  FAllocSize = s->FAllocSize;
  FLongTextsData = s->FLongTextsData;
  FLongTextsAnno = s->FLongTextsAnno;
  FNumLongTextsData = s->FNumLongTextsData;
  FNumLongTextsAnno = s->FNumLongTextsAnno;
  FItemCount = s->FItemCount;
  FLastElemOnShow = s->FLastElemOnShow;
  // Switches and visibility.
  FAnnoMode = s->FAnnoMode;
  FAnnosVisible = s->FAnnosVisible;
  FAnnoBelowChart = s->FAnnoBelowChart;
  FAnnoTextOnTop = s->FAnnoTextOnTop;
  FInvalidDataBmp = true;
  FItClassVisib = s->FItClassVisib;
  FAnnoClassVisib = s->FAnnoClassVisib;
  FLayerVisib = s->FLayerVisib;
  // Settings of the picture and of new items.
  FDataTag = s->FDataTag;
  RcGridStyle = s->RcGridStyle;
  RcGridCol = s->RcGridCol;
  RcGridDx = s->RcGridDx;
  RcGridDy = s->RcGridDy;
  RcLRim = s->RcLRim;
  RcRRim = s->RcRRim;
  RcTRim = s->RcTRim;
  RcBRim = s->RcBRim;
  F3DRim = s->F3DRim;
  RcShadowStyle = s->RcShadowStyle;
  FShadowColor = s->FShadowColor;
  RcShadowBakCol = s->RcShadowBakCol;
  RcWindCol = s->RcWindCol;
  FChartFrameCol = s->FChartFrameCol;
  RcChartCol = s->RcChartCol;
  RcDataCol = s->RcDataCol;
  RcFillCol = s->RcFillCol;
  RcPenStyle = s->RcPenStyle;
  RcLineWid = s->RcLineWid;
  FChartCaption = s->FChartCaption;
  FCaptPosX = s->FCaptPosX;
  FCaptPosY = s->FCaptPosY;
  FCaptAlignment = s->FCaptAlignment;
  FCaptAnchorX = s->FCaptAnchorX;
  FCaptAnchorY = s->FCaptAnchorY;
  FCaptTrim = s->FCaptTrim;
  FStdLayout = s->FStdLayout;
  RcClassDefault = s->RcClassDefault;
  FActiveLayer = s->FActiveLayer;
  FTextBkStyle = s->FTextBkStyle;
  FTextAlignment = s->FTextAlignment;
  FIsometric = s->FIsometric;
  FTranspItems = s->FTranspItems;
  FAvoidDupMarks = s->FAvoidDupMarks;
  FDupMarksMinD = s->FDupMarksMinD;
  FAutoRedraw = s->FAutoRedraw;
  FPngLevel = s->FPngLevel;
  // Mouse settings and the state of the mouse, of a window being drawn and of the mouse box.
  RcMouseAction = s->RcMouseAction;
  FMCurFixed = s->FMCurFixed;
  FMouseAffLayer = s->FMouseAffLayer;
  FZoomState = s->FZoomState;
  WindAnchorX = s->WindAnchorX;
  WindAnchorY = s->WindAnchorY;
  WindOldCornerX = s->WindOldCornerX;
  WindOldCornerY = s->WindOldCornerY;
  LButtonWasDown = s->LButtonWasDown;
  FMAnchorScrX = s->FMAnchorScrX;
  FMAnchorScrY = s->FMAnchorScrY;
  FMAnchorRcLoX = s->FMAnchorRcLoX;
  FMAnchorRcLoY = s->FMAnchorRcLoY;
  FMAnchorRcHiX = s->FMAnchorRcHiX;
  FMAnchorRcHiY = s->FMAnchorRcHiY;
  FWasDblClk = s->FWasDblClk;
  LastMouseX = s->LastMouseX;
  LastMouseY = s->LastMouseY;
  FMousePosX = s->FMousePosX;
  FMousePosY = s->FMousePosY;
  MouseBoxState = s->MouseBoxState;
  MouseBoxX1 = s->MouseBoxX1;
  MouseBoxY1 = s->MouseBoxY1;
  MouseBoxX2 = s->MouseBoxX2;
  MouseBoxY2 = s->MouseBoxY2;
  CHNext = s->CHNext;
  TLNext = s->TLNext;
  FColorMTrace = s->FColorMTrace;
  FMTraceInvert = s->FMTraceInvert;
  FPanGridDx = s->FPanGridDx;
  FPanGridDy = s->FPanGridDy;
  FPanGridOffsX = s->FPanGridOffsX;
  FPanGridOffsY = s->FPanGridOffsY;
  // Axes, transformation and zoom history. The internal scales keep reporting to this chart.
  Cpkx = s->Cpkx;
  Cpdx = s->Cpdx;
  Cpky = s->Cpky;
  Cpdy = s->Cpdy;
  for (std::size_t i = 0; i < 2; ++i) {
    for (auto [mine, theirs] : {std::pair{FScalesX[i].get(), s->FScalesX[i].get()},
                                std::pair{FScalesY[i].get(), s->FScalesY[i].get()}}) {
      auto tick_drawn = mine->OnScaleTickDrawn;
      auto before_label = mine->OnBeforeTickLabel;
      mine->Assign(*theirs);
      mine->OnScaleTickDrawn = std::move(tick_drawn);
      mine->OnBeforeTickLabel = std::move(before_label);
    }
    // Pushed into the scales once at the end, not after each object.
    for (auto [mine, theirs] : {std::pair<TScaleProps*, const TScaleProps*>{
                                    FScalePropsX[i].get(), s->FScalePropsX[i].get()},
                                std::pair<TScaleProps*, const TScaleProps*>{
                                    FScalePropsY[i].get(), s->FScalePropsY[i].get()}}) {
      auto changed = std::move(mine->OnChange);
      mine->OnChange = nullptr;
      mine->Assign(*theirs);
      mine->OnChange = std::move(changed);
    }
  }
  FZoomStack = s->FZoomStack;
  FZStackPoi = s->FZStackPoi;
  FZoomRange = s->FZoomRange;
  // Owned objects (each keeps its own change notification).
  FBakGndFile.Assign(s->FBakGndFile);
  for (std::size_t i = 0; i < FCrossHair.size(); ++i) FCrossHair[i]->Assign(*s->FCrossHair[i]);
  for (std::size_t i = 0; i < FTextLabels.size(); ++i) FTextLabels[i]->Assign(*s->FTextLabels[i]);
  FJointLayers->Assign(*s->FJointLayers);
  FTextFont.Assign(s->FTextFont);
  // Event handlers.
  OnBeforeRenderData = s->OnBeforeRenderData;
  OnDataRendered = s->OnDataRendered;
  OnScalesRendered = s->OnScalesRendered;
  OnScaleTickDrawn = s->OnScaleTickDrawn;
  OnBeforeTickLabel = s->OnBeforeTickLabel;
  OnBeforeRenderChartItem = s->OnBeforeRenderChartItem;
  OnBeforeRenderText = s->OnBeforeRenderText;
  OnClick = s->OnClick;
  OnDblClick = s->OnDblClick;
  OnDragDrop = s->OnDragDrop;
  OnDragOver = s->OnDragOver;
  OnEndDrag = s->OnEndDrag;
  OnStartDrag = s->OnStartDrag;
  OnMouseMove = s->OnMouseMove;
  OnMouseDown = s->OnMouseDown;
  OnMouseUp = s->OnMouseUp;
  OnMouseEnter = s->OnMouseEnter;
  OnMouseLeave = s->OnMouseLeave;
  OnMouseWheel = s->OnMouseWheel;
  OnMouseWheelUp = s->OnMouseWheelUp;
  OnMouseWheelDown = s->OnMouseWheelDown;
  OnKeyDown = s->OnKeyDown;
  OnKeyUp = s->OnKeyUp;
  OnKeyPress = s->OnKeyPress;
  OnCanResize = s->OnCanResize;
  OnResize = s->OnResize;
  OnZoomPan = s->OnZoomPan;
  OnRubberBand = s->OnRubberBand;
  OnSelectRect = s->OnSelectRect;
  OnMouseMoveInChart = s->OnMouseMoveInChart;
  OnBeforeCrossHairMove = s->OnBeforeCrossHairMove;
  OnCrossHairMove = s->OnCrossHairMove;
  OnTextLabelMove = s->OnTextLabelMove;

  PlaceScales();
  ScalePropsChanged(this);
  AdjustScaling();
  FSuppressPaint = s->FSuppressPaint;
  Repaint();
}

void TCustomRChart::AssignTo(TPersistent& Dest) const {
  if (auto* d = dynamic_cast<TCustomRChart*>(&Dest)) {
    d->Assign(*this);
    return;
  }
  TCustomControl::AssignTo(Dest);
}

}  // namespace kiv
