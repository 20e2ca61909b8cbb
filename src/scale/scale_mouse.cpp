// TScale: dragging the scale with the mouse, toggling pan and stretch by double click, and
// copying the settings of another scale.
#include "scale/scale.h"

namespace kiv {

void TScale::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  if (!Shift.Contains(ssLeft)) return;
  const int W = Width();
  const int H = Height();
  const bool inBand = IsHorizontalScale(FScaleType)
                          ? FMarginLeft < X && X < W - FMarginRight && 0 < Y && Y < H
                          : 0 < X && X < W && FMarginTop < Y && Y < H - FMarginBottom;
  if (!inBand) return;
  if (!FLButtonWasDown) {
    FMAnchorX = X;
    FMAnchorY = Y;
    FMAnchorWorldLow = FRangeLow;
    FMAnchorWorldHigh = FRangeHigh;
  } else {
    double newLow = 0;
    double newHigh = 0;
    if (Rescale(X, Y, FMAnchorX, FMAnchorY, W, H, FMarginLeft, FMarginRight, FMarginTop,
                FMarginBottom, FMAnchorWorldLow, FMAnchorWorldHigh, FMouseAction, FScaleType,
                FAxLog, FRangeLow, FRangeHigh, newLow, newHigh)) {
      const bool saved = FSuppressPaint;
      SetSuppressPaint(true);
      SetRange(newLow, newHigh);
      SetSuppressPaint(saved);  // an unsuppressed scale repaints once here
      if (OnZoomPan) OnZoomPan(this);
    }
  }
  FLButtonWasDown = true;
}

void TScale::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  FLButtonWasDown = false;
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TScale::DblClick() {
  if (FMouseAction == mactPan)
    FMouseAction = mactStretch;
  else if (FMouseAction == mactStretch)
    FMouseAction = mactPan;
  TCustomControl::DblClick();
}

void TScale::Assign(const TPersistent& Source) {
  const auto* s = dynamic_cast<const TScale*>(&Source);
  if (s == nullptr) {
    TCustomControl::Assign(Source);
    return;
  }
  if (s == this) return;
  // No paint while the copy is half done (the date settings report their change at once).
  FSuppressPaint = true;
  FFrameStyle = s->FFrameStyle;
  FColorBG = s->FColorBG;
  FColorFG = s->FColorFG;
  FColBlackLine = s->FColBlackLine;
  FColGrayLine = s->FColGrayLine;
  FColWhiteLine = s->FColWhiteLine;
  FColorScheme = s->FColorScheme;
  OnScaleTickDrawn = s->OnScaleTickDrawn;
  OnBeforeTickLabel = s->OnBeforeTickLabel;
  FAxLog = s->FAxLog;
  FTransf = s->FTransf;
  FRangeLow = s->FRangeLow;
  FRangeHigh = s->FRangeHigh;
  FShortTicks = s->FShortTicks;
  FTickCount = s->FTickCount;
  FScaleTickPos = s->FScaleTickPos;
  FNumTicks = s->FNumTicks;
  FDecPlaces = s->FDecPlaces;
  FDrawBaseLine = s->FDrawBaseLine;
  FTransparent = s->FTransparent;
  FLabelType = s->FLabelType;
  FDTFormat->Assign(*s->FDTFormat);
  FMarginTop = s->FMarginTop;
  FMarginBottom = s->FMarginBottom;
  FMarginLeft = s->FMarginLeft;
  FMarginRight = s->FMarginRight;
  FUnitLabel = s->FUnitLabel;
  FLblPosX = s->FLblPosX;
  FLblPosY = s->FLblPosY;
  FLblAnchor = s->FLblAnchor;
  FLblAlign = s->FLblAlign;
  FUserTicktext = s->FUserTicktext;
  FScaleInscript = s->FScaleInscript;
  FForCvPosX = s->FForCvPosX;
  FForCvPosY = s->FForCvPosY;
  FScaleType = s->FScaleType;
  FIsHelper = s->FIsHelper;
  OnBeforeScaleRendered = s->OnBeforeScaleRendered;
  OnAfterScaleRendered = s->OnAfterScaleRendered;
  FSuppressPaint = s->FSuppressPaint;
  RepaintScale();
}

void TScale::AssignTo(TPersistent& Dest) const {
  if (auto* d = dynamic_cast<TScale*>(&Dest)) {
    d->Assign(*this);
    return;
  }
  TCustomControl::AssignTo(Dest);
}

}  // namespace kiv
