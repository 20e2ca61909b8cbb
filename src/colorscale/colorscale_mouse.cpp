// TColorScale and the mouse: the value under the pointer, dragging the crosshair along the bar,
// and panning or stretching the range by dragging the bar.
#include <algorithm>
#include <cmath>

#include "colorscale/colorscale.h"
#include "services/rounding.h"

namespace kiv {

void TColorScale::WMMouseMove(TWMMouse& Message) {
  TCustomControl::WMMouseMove(Message);
  const int X = Message.XPos, Y = Message.YPos;
  const double v = FScale->ConvertPixelToScale(AlongScale(X, Y));
  const bool inScale = FMarginLeft <= X && X <= Width() - FMarginRight && FMarginTop <= Y &&
                       Y <= Height() - FMarginBottom;
  if (OnMouseMoveInScale) OnMouseMoveInScale(this, inScale, Message.Keys, v);
}

void TColorScale::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (FMouseAction != mactScaleDrag || Button != mbLeft) return;
  FMouseAnchorX = X;
  FMouseAnchorY = Y;
  FAnchorSclLow = FScale->RangeLow();
  FAnchorSclHigh = FScale->RangeHigh();
  FScaleDragActive = true;
  // The outer 42 % at each end of the strip move that end of the range, the middle pans; the
  // low end of a vertical bar is at the bottom.
  const int pos = Horizontal() ? X : Y;
  const int start = Horizontal() ? FMarginLeft : FMarginTop;
  const int S =
      Horizontal() ? Width() - FMarginLeft - FMarginRight : Height() - FMarginTop - FMarginBottom;
  const int first = Horizontal() ? 1 : 2;  // the end at the strip's start
  if (pos < start + RoundToInt(0.42 * S))
    FZoomPanMode = first;
  else if (pos > start + RoundToInt(0.58 * S))
    FZoomPanMode = 3 - first;
  else
    FZoomPanMode = 0;
}

void TColorScale::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  const bool left = Shift.Contains(ssLeft);
  if (FMouseAction == mactDragCrosshair) {
    if (!left || FCrossHair->Mode() == chOff) {
      FLeftButWasDown = false;
      return;
    }
    if (!FLeftButWasDown) {
      FLeftButWasDown = true;
      return;
    }
    const double lo = std::min(FScale->RangeLow(), FScale->RangeHigh());
    const double hi = std::max(FScale->RangeLow(), FScale->RangeHigh());
    double v = FScale->ConvertPixelToScale(AlongScale(X, Y));
    v = std::isnan(v) ? lo : std::clamp(v, lo, hi);
    FCrossHair->SetPos(v, v);  // repaints through the crosshair's change notification
    if (OnCrossHairMove) OnCrossHairMove(this);
    return;
  }
  if (FMouseAction != mactScaleDrag || !left || !FScaleDragActive) return;
  const int S =
      Horizontal() ? Width() - FMarginLeft - FMarginRight : Height() - FMarginTop - FMarginBottom;
  if (S <= 0) return;
  const double span = FScale->RangeHigh() - FScale->RangeLow();
  const double delta =
      Horizontal() ? (X - FMouseAnchorX) * span / S : (FMouseAnchorY - Y) * span / S;
  double low = FAnchorSclLow, high = FAnchorSclHigh;
  if (FZoomPanMode != 2) low = FAnchorSclLow - delta;
  if (FZoomPanMode != 1) high = FAnchorSclHigh - delta;
  if (!std::isfinite(low) || !std::isfinite(high)) return;
  FColSclMin = FColorLow = low;
  FColSclMax = FColorHigh = high;
  FScale->SetRange(low, high);
  Changed();
}

void TColorScale::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  FLeftButWasDown = false;
  const bool ended = FScaleDragActive;
  FScaleDragActive = false;
  if (ended && FMouseAction == mactScaleDrag && OnZoomPan) OnZoomPan(this);
}

}  // namespace kiv
