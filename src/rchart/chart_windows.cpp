// Figures drawn with the mouse: rubber bands, zoom windows, selection rectangles and the box of
// the modal MouseBox query. They are drawn in XOR straight onto the control's canvas, so drawing
// a figure again at the same place erases it without repainting the chart.
#include <chrono>
#include <thread>
#include <utility>

#include "platform/canvas.h"
#include "platform/host.h"
#include "rchart/chart_mouse.h"
#include "rchart/chart_panzoom.h"
#include "rchart/paintscope.h"

namespace kiv {

namespace {

// Pen and brush of the XOR figures, and the canvas left in copy mode with a solid brush.
class TXorPen {
 public:
  explicit TXorPen(TCanvas& Canvas) : canvas_(Canvas) {
    canvas_.Pen().SetMode(pmXor);
    canvas_.Pen().SetColor(clWhite);
    canvas_.Pen().SetStyle(psSolid);
    canvas_.Pen().SetWidth(1);
    canvas_.Brush().SetStyle(bsClear);
  }
  ~TXorPen() {
    canvas_.Pen().SetMode(pmCopy);
    canvas_.Brush().SetStyle(bsSolid);
  }
  TXorPen(const TXorPen&) = delete;
  TXorPen& operator=(const TXorPen&) = delete;

 private:
  TCanvas& canvas_;
};

}  // namespace

void TChartMouse::XorLine(int x1, int y1, int x2, int y2) {
  TCanvas& canvas = c_.Canvas();
  TXorPen xor_pen(canvas);
  canvas.MoveTo(x1, y1);
  canvas.LineTo(x2, y2);
}

void TChartMouse::XorRect(int x1, int y1, int x2, int y2) {
  TCanvas& canvas = c_.Canvas();
  TXorPen xor_pen(canvas);
  canvas.Rectangle(x1, y1, x2, y2);
}

void TChartMouse::XorFigure(int X, int Y) {
  if (c_.RcMouseAction == mactRubberBand)
    XorLine(c_.WindAnchorX, c_.WindAnchorY, X, Y);
  else
    XorRect(c_.WindAnchorX, c_.WindAnchorY, X, Y);
}

// The box follows the pointer inside the data area; the clamped position is what the rest of
// the move works with.
void TChartMouse::MoveMouseBox(int& X, int& Y) {
  X = ClampX(X);
  Y = ClampY(Y);
  XorRect(c_.MouseBoxX1, c_.MouseBoxY1, c_.WindOldCornerX, c_.WindOldCornerY);
  XorRect(c_.MouseBoxX1, c_.MouseBoxY1, X, Y);
  c_.WindOldCornerX = X;
  c_.WindOldCornerY = Y;
}

// An isometric chart's zoom windows are square in pixels as long as the data area allows.
void TChartMouse::DrawWindow(int X, int Y) {
  const TMouseActMode mode = c_.RcMouseAction;
  X = ClampX(X);
  if (c_.FIsometric && (mode == mactZoomWindow || mode == mactZoomWindowOrdered)) {
    const long long dx = X - c_.WindAnchorX, dy = Y - c_.WindAnchorY;
    Y = dx * dy > 0 ? c_.WindAnchorY + (X - c_.WindAnchorX) : c_.WindAnchorY - (X - c_.WindAnchorX);
  }
  Y = ClampY(Y);
  XorFigure(c_.WindOldCornerX, c_.WindOldCornerY);
  XorFigure(X, Y);
  c_.WindOldCornerX = X;
  c_.WindOldCornerY = Y;
}

// A left release over a window of some width and height acts on every mouse-affected layer; any
// other release only takes the figure away.
void TChartMouse::FinishWindow(TMouseButton Button) {
  c_.FZoomState = zsIdle;
  const int ax = c_.WindAnchorX, ay = c_.WindAnchorY;
  const int cx = c_.WindOldCornerX, cy = c_.WindOldCornerY;
  // Erased also before the repaint below: with painting suppressed nothing else would.
  XorFigure(cx, cy);
  if (Button != mbLeft || ax == cx || ay == cy) return;
  const TMouseActMode mode = c_.RcMouseAction;
  TPaintSuppressor once(c_);
  for (int L = 1; L <= 2; ++L) {
    if (!c_.MouseAffectsLayer(L)) continue;
    double x1, y1, x2, y2;
    c_.M2R(L, ax, ay, x1, y1);
    c_.M2R(L, cx, cy, x2, y2);
    if (mode == mactZoomWindowOrdered || mode == mactSelectRect) {
      OrderToAxis(x1, x2, {c_.ScalePropsX(L).RangeLow(), c_.ScalePropsX(L).RangeHigh()});
      OrderToAxis(y1, y2, {c_.ScalePropsY(L).RangeLow(), c_.ScalePropsY(L).RangeHigh()});
    }
    if (mode == mactRubberBand) {
      if (c_.OnRubberBand) c_.OnRubberBand(&c_, L, x1, y1, x2, y2);
    } else if (mode == mactSelectRect) {
      if (c_.OnSelectRect) c_.OnSelectRect(&c_, L, x1, y1, x2, y2);
    } else if (IsFinite({x1, x2}) && IsFinite({y1, y2})) {
      c_.ForceRange(L, x1, y1, x2, y2, true, false);
    }
  }
  c_.DoZoomPanEvent();
}

// ---------------------------------------------------------------------------------------------
// The modal rectangle query

bool TCustomRChart::MouseBox(double& xLo, double& yLo, double& xHi, double& yHi) {
  MouseBoxState = mbsWaiting;
  while (MouseBoxState == mbsWaiting || MouseBoxState == mbsDragging) {
    // Without a window nobody can answer: the query would never end.
    THost* host = Host();
    if (!HandleAllocated() || host == nullptr) {
      MouseBoxAbort();
      break;
    }
    host->ProcessMessages();  // the host showing the chart, installed in Application or not
    // Messages are fetched, not waited for: leave the processor to others meanwhile.
    if (MouseBoxState == mbsWaiting || MouseBoxState == mbsDragging)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  const bool done = MouseBoxState == mbsDone;
  MouseBoxState = mbsIdle;
  if (!done) return false;
  M2R(FActiveLayer, MouseBoxX1, MouseBoxY1, xLo, yLo);
  M2R(FActiveLayer, MouseBoxX2, MouseBoxY2, xHi, yHi);
  if (xHi < xLo) std::swap(xLo, xHi);
  if (yHi < yLo) std::swap(yLo, yHi);
  return true;
}

void TCustomRChart::MouseBoxAbort() {
  TChartMouse(*this).Abort();
}

// A figure still on the screen goes with its query.
void TChartMouse::Abort() {
  if (c_.MouseBoxState == mbsDragging)
    XorRect(c_.MouseBoxX1, c_.MouseBoxY1, c_.WindOldCornerX, c_.WindOldCornerY);
  if (c_.FZoomState == zsDrawing) XorFigure(c_.WindOldCornerX, c_.WindOldCornerY);
  c_.MouseBoxState = mbsIdle;
  c_.FZoomState = zsIdle;
}

}  // namespace kiv
