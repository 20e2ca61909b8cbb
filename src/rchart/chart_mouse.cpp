// The chart's mouse handlers and the drags of the data area and of the scales: pan, zoom by
// dragging, scale drags through Rescale, and the pointer's world position and shape.
#include "rchart/chart_mouse.h"

#include <algorithm>

#include "platform/screen.h"
#include "rchart/chart_panzoom.h"
#include "rchart/chartcursors.h"
#include "rchart/paintscope.h"
#include "scale/rescale.h"

namespace kiv {

namespace {

bool IsPanMode(TMouseActMode m) {
  return m == mactPan || m == mactPanX || m == mactPanY || m == mactPanSnap;
}

bool IsWindowMode(TMouseActMode m) {
  return m == mactRubberBand || m == mactZoomWindow || m == mactZoomWindowOrdered ||
         m == mactSelectRect;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The chart's handlers: the inherited handling fires the platform events around the chart's own
// work; a double click swallows the press (or release) that follows it.

void TCustomRChart::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FWasDblClk) {
    FWasDblClk = false;
    return;
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
  TChartMouse(*this).Down(Button, X, Y);
}

void TCustomRChart::MouseMove(TShiftState Shift, int X, int Y) {
  LastMouseX = X;
  LastMouseY = Y;
  TCustomControl::MouseMove(Shift, X, Y);
  TChartMouse(*this).Move(Shift, X, Y);
}

void TCustomRChart::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FWasDblClk) {
    FWasDblClk = false;
    return;
  }
  TChartMouse(*this).Up(Button, X, Y);
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TCustomRChart::DblClick() {
  TChartMouse(*this).DblClick();
  TCustomControl::DblClick();
}

void TCustomRChart::WMMouseMove(TWMMouse& Message) {
  if (MouseMoveActive) return;
  MouseMoveActive = true;
  struct Clear {
    bool& flag;
    ~Clear() { flag = false; }
  } clear{MouseMoveActive};
  TCustomControl::WMMouseMove(Message);
  double x, y;
  M2R(FActiveLayer, Message.XPos, Message.YPos, x, y);
  MouseMoveInChart(TChartMouse(*this).InDataArea(Message.XPos, Message.YPos), Message.Keys, x, y);
}

void TCustomRChart::WMGetDlgCode(TWMGetDlgCode& Message) {
  TCustomControl::WMGetDlgCode(Message);
  Message.Result = DLGC_WANTARROWS | DLGC_WANTTAB;
}

void TCustomRChart::CMMouseLeave(TMessage& Message) {
  TCustomControl::CMMouseLeave(Message);
  // The screen cursor is application-wide: the chart's shape must not outlive the pointer's
  // visit, unless someone else has set another one since.
  if (FCursorSet != crDefault && Screen().Cursor() == FCursorSet) Screen().SetCursor(crDefault);
  FCursorSet = crDefault;
}

void TCustomRChart::MouseMoveInChart(bool InChart, TShiftState Shift, double x, double y) {
  if (OnMouseMoveInChart) OnMouseMoveInChart(this, InChart, Shift, x, y);
}

void TCustomRChart::DoZoomPanEvent() {
  if (OnZoomPan) OnZoomPan(this);
}

void TCustomRChart::ResetMouseState() {
  FZoomState = zsIdle;
  WindAnchorX = WindAnchorY = WindOldCornerX = WindOldCornerY = 0;
  LButtonWasDown = false;
  FMAnchorScrX = FMAnchorScrY = {};
  FMAnchorRcLoX = FMAnchorRcLoY = FMAnchorRcHiX = FMAnchorRcHiY = {};
  LastMouseX = LastMouseY = 0;
  MouseBoxState = mbsIdle;
  CHNext = TLNext = 1;
}

// ---------------------------------------------------------------------------------------------
// The state machine

bool TChartMouse::InDataArea(int X, int Y) const {
  return c_.RcLRim <= X && X <= c_.Width() - c_.RcRRim - c_.F3DRim && c_.RcTRim <= Y &&
         Y <= c_.Height() - c_.RcBRim - c_.F3DRim;
}

int TChartMouse::ClampX(int X) const {
  return std::max(c_.RcLRim, std::min(X, c_.Width() - c_.RcRRim - c_.F3DRim));
}

int TChartMouse::ClampY(int Y) const {
  return std::max(c_.RcTRim, std::min(Y, c_.Height() - c_.RcBRim - c_.F3DRim));
}

void TChartMouse::Down(TMouseButton Button, int X, int Y) {
  if (c_.MouseBoxState == mbsWaiting) {
    if (Button == mbRight) {
      c_.MouseBoxState = mbsIdle;
    } else {
      c_.MouseBoxX1 = c_.WindOldCornerX = X;
      c_.MouseBoxY1 = c_.WindOldCornerY = Y;
      c_.MouseBoxState = mbsDragging;
    }
  }
  if (IsWindowMode(c_.RcMouseAction) && c_.FZoomState == zsIdle && Button == mbLeft &&
      InDataArea(X, Y)) {
    c_.FZoomState = zsDrawing;
    c_.WindAnchorX = c_.WindOldCornerX = X;
    c_.WindAnchorY = c_.WindOldCornerY = Y;
  }
}

void TChartMouse::Move(TShiftState Shift, int X, int Y) {
  if (c_.MouseBoxState == mbsDragging) MoveMouseBox(X, Y);
  DragScales(Shift, X, Y);
  const TMouseActMode mode = c_.RcMouseAction;
  if (IsPanMode(mode) || mode == mactZoomDrag) {
    PanOrZoom(Shift, X, Y);
  } else if (IsWindowMode(mode)) {
    if (c_.FZoomState == zsDrawing) DrawWindow(X, Y);
  } else if (mode == mactDragCrosshair) {
    DragCrossHair(Shift, X, Y);
  } else if (mode == mactDragLabel) {
    DragLabel(Shift, X, Y);
  } else if (mode == mactTrace) {
    RecordTrace(Shift, X, Y);
  }
  TrackPointer(X, Y);
}

void TChartMouse::Up(TMouseButton Button, int X, int Y) {
  c_.LButtonWasDown = false;
  if (c_.MouseBoxState == mbsDragging) {
    if (Button == mbRight) {
      c_.MouseBoxState = mbsIdle;
    } else {
      c_.MouseBoxX2 = X;
      c_.MouseBoxY2 = Y;
      c_.MouseBoxState = mbsDone;
    }
    XorRect(c_.MouseBoxX1, c_.MouseBoxY1, c_.WindOldCornerX, c_.WindOldCornerY);
  }
  const TMouseActMode mode = c_.RcMouseAction;
  if (mode == mactTrace) EndTraceStroke();
  if (IsWindowMode(mode) && c_.FZoomState == zsDrawing) FinishWindow(Button);
  if (IsPanMode(mode) || mode == mactZoomDrag) c_.ZoomStateOnStack();
}

void TChartMouse::DblClick() {
  c_.FWasDblClk = true;
  const int s = c_.DetectScale(c_.LastMouseX, c_.LastMouseY);
  if (s == 0) return;
  TScaleProps& p = s < 0 ? static_cast<TScaleProps&>(c_.ScalePropsX(-s)) : c_.ScalePropsY(s);
  if (p.MouseAction() == mactPan)
    p.SetMouseAction(mactStretch);
  else if (p.MouseAction() == mactStretch)
    p.SetMouseAction(mactPan);
}

void TChartMouse::StoreDragAnchors(int X, int Y) {
  for (std::size_t i = 0; i < 2; ++i) {
    const int L = static_cast<int>(i) + 1;
    c_.FMAnchorScrX[i] = X;
    c_.FMAnchorScrY[i] = Y;
    c_.FMAnchorRcLoX[i] = c_.ScalePropsX(L).RangeLow();
    c_.FMAnchorRcHiX[i] = c_.ScalePropsX(L).RangeHigh();
    c_.FMAnchorRcLoY[i] = c_.ScalePropsY(L).RangeLow();
    c_.FMAnchorRcHiY[i] = c_.ScalePropsY(L).RangeHigh();
  }
}

// ---------------------------------------------------------------------------------------------
// Scale drags: independent of the chart's mode, each axis whose own MouseAction is set follows a
// left-button drag that started on a scale band.

void TChartMouse::DragScales(TShiftState Shift, int X, int Y) {
  if (!Shift.Contains(ssLeft)) {
    c_.LButtonWasDown = false;
    return;
  }
  if (!c_.LButtonWasDown) {
    if (c_.DetectScale(X, Y) != 0) {
      StoreDragAnchors(X, Y);
      c_.LButtonWasDown = true;
    }
    return;
  }
  bool changed = false;
  for (int L = 1; L <= 2; ++L) {
    changed = DragScale(L, true, X, Y) || changed;
    changed = DragScale(L, false, X, Y) || changed;
  }
  if (changed) c_.DoZoomPanEvent();
}

// The bands are those of DetectScale, 50 pixels deep for every scale and whether the scale is
// visible or not.
bool TChartMouse::DragScale(int Layer, bool XAxis, int X, int Y) {
  TScaleProps& p = XAxis ? static_cast<TScaleProps&>(c_.ScalePropsX(Layer))
                         : static_cast<TScaleProps&>(c_.ScalePropsY(Layer));
  if (p.MouseAction() == mactNone || c_.FZoomState == zsDrawing) return false;
  const long long W = c_.Width(), H = c_.Height(), pos = p.ScalePos();
  const long long L = c_.RcLRim, R = c_.RcRRim, T = c_.RcTRim, B = c_.RcBRim;
  const TScaleType type = p.ScaleType();
  bool hit = false;
  if (XAxis) {
    const bool along = L < X && X < W - R;
    if (type == sctLabelsBelow) hit = along && H + pos - B < Y && Y < H + pos - B + 50;
    if (type == sctLabelsAbove) hit = along && T - pos - 50 < Y && Y < T - pos;
  } else {
    const bool along = T < Y && Y < H - B;
    if (type == sctLabelsRight) hit = along && W + pos - R < X && X < W + pos - R + 50;
    if (type == sctLabelsLeft) hit = along && L - pos - 50 < X && X < L - pos;
  }
  if (!hit) return false;
  const std::size_t i = static_cast<std::size_t>(Layer - 1);
  const double anchorLo = XAxis ? c_.FMAnchorRcLoX[i] : c_.FMAnchorRcLoY[i];
  const double anchorHi = XAxis ? c_.FMAnchorRcHiX[i] : c_.FMAnchorRcHiY[i];
  double lo, hi;
  if (!Rescale(X, Y, c_.FMAnchorScrX[i], c_.FMAnchorScrY[i], c_.Width(), c_.Height(), c_.RcLRim,
               c_.RcRRim, c_.RcTRim, c_.RcBRim, anchorLo, anchorHi, p.MouseAction(), type,
               p.Logarithmic(), p.RangeLow(), p.RangeHigh(), lo, hi))
    return false;
  const TScaleProps& px = c_.ScalePropsX(Layer);
  const TScaleProps& py = c_.ScalePropsY(Layer);
  if (XAxis)
    c_.ForceRange(Layer, lo, py.RangeLow(), hi, py.RangeHigh(), false, true);
  else
    c_.ForceRange(Layer, px.RangeLow(), lo, px.RangeHigh(), hi, false, true);
  return true;
}

// ---------------------------------------------------------------------------------------------
// Pan and zoom by dragging: the first move with the left button held takes the anchors, every
// later one inside the data area computes the ranges of each mouse-affected layer afresh from
// them and paints once.

void TChartMouse::PanOrZoom(TShiftState Shift, int X, int Y) {
  if (!Shift.Contains(ssLeft)) {
    c_.LButtonWasDown = false;
    return;
  }
  if (!c_.LButtonWasDown) {
    StoreDragAnchors(X, Y);
  } else if (InDataArea(X, Y)) {
    {
      TPaintSuppressor once(c_);
      for (int L = 1; L <= 2; ++L) {
        if (!c_.MouseAffectsLayer(L)) continue;
        if (c_.RcMouseAction == mactZoomDrag)
          ZoomLayer(L, X, Y);
        else
          PanLayer(L, X, Y);
      }
    }
    c_.DoZoomPanEvent();
  }
  c_.LButtonWasDown = true;
}

void TChartMouse::PanLayer(int Layer, int X, int Y) {
  const std::size_t i = static_cast<std::size_t>(Layer - 1);
  const TScaleProps& px = c_.ScalePropsX(Layer);
  const TScaleProps& py = c_.ScalePropsY(Layer);
  const int W = c_.Width() - c_.RcLRim - c_.RcRRim - c_.F3DRim;
  const int H = c_.Height() - c_.RcTRim - c_.RcBRim - c_.F3DRim;
  const TAxisSpan anchorX{c_.FMAnchorRcLoX[i], c_.FMAnchorRcHiX[i]};
  const TAxisSpan anchorY{c_.FMAnchorRcLoY[i], c_.FMAnchorRcHiY[i]};
  const TAxisSpan curX{px.RangeLow(), px.RangeHigh()};
  const TAxisSpan curY{py.RangeLow(), py.RangeHigh()};
  TAxisSpan x = PanSpanX(anchorX, curX, X - c_.FMAnchorScrX[i], W, px.Logarithmic());
  TAxisSpan y = PanSpanY(anchorY, curY, Y - c_.FMAnchorScrY[i], H, py.Logarithmic());
  switch (c_.RcMouseAction) {
    case mactPanX:
      y = curY;
      break;
    case mactPanY:
      x = curX;
      break;
    case mactPanSnap:
      if (px.Logarithmic() || py.Logarithmic()) return;
      x = SnapSpan(anchorX, x.Lo, c_.FPanGridDx, c_.FPanGridOffsX);
      y = SnapSpan(anchorY, y.Lo, c_.FPanGridDy, c_.FPanGridOffsY);
      break;
    default:
      break;
  }
  if (IsFinite(x) && IsFinite(y)) c_.ForceRange(Layer, x.Lo, y.Lo, x.Hi, y.Hi, false, true);
}

// Zooming divides by the whole control's size, not the data area's.
void TChartMouse::ZoomLayer(int Layer, int X, int Y) {
  const std::size_t i = static_cast<std::size_t>(Layer - 1);
  const double fx = 1 - static_cast<double>(X - c_.FMAnchorScrX[i]) / c_.Width();
  const double fy =
      c_.FIsometric ? fx : 1 + static_cast<double>(Y - c_.FMAnchorScrY[i]) / c_.Height();
  const TAxisSpan x = ZoomSpan({c_.FMAnchorRcLoX[i], c_.FMAnchorRcHiX[i]}, fx);
  const TAxisSpan y = ZoomSpan({c_.FMAnchorRcLoY[i], c_.FMAnchorRcHiY[i]}, fy);
  if (IsFinite(x) && IsFinite(y)) c_.ForceRange(Layer, x.Lo, y.Lo, x.Hi, y.Hi, false, true);
}

// ---------------------------------------------------------------------------------------------
// The pointer: its world position inside the data area, and the shape of the mode there.

void TChartMouse::TrackPointer(int X, int Y) {
  const bool inside = InDataArea(X, Y);
  if (inside) c_.M2R(c_.FActiveLayer, X, Y, c_.FMousePosX, c_.FMousePosY);
  TCursor shape = crDefault;
  if (inside && !c_.FMCurFixed) {
    switch (c_.RcMouseAction) {
      case mactNone:
        shape = crCross;
        break;
      case mactPan:
      case mactPanX:
      case mactPanY:
      case mactPanSnap:
        shape = crChartHand;
        break;
      case mactZoomWindow:
        shape = crChartZoomWindow;
        break;
      case mactZoomWindowOrdered:
        shape = crChartZoomPlus;
        break;
      case mactZoomDrag:
        shape = crChartZoomDrag;
        break;
      case mactRubberBand:
      case mactDragCrosshair:
      case mactDragLabel:
      case mactSelectRect:
        break;
      default:  // the stretch, rotation and trace modes leave the shape alone
        return;
    }
  }
  Screen().SetCursor(shape);
  c_.FCursorSet = shape;
}

}  // namespace kiv
