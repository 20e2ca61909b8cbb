// The free-hand mouse trace: points recorded in world coordinates of the active layer while the
// left button is held in mactTrace, drawn at once on the screen and again by every paint, so the
// trace follows zooming and panning. A release ends the stroke.
#include <algorithm>

#include "platform/canvas.h"
#include "rchart/chart_mouse.h"

namespace kiv {

namespace {

constexpr std::uint16_t kStrokeEnd = 1;   // no line from this point to the next
constexpr std::uint16_t kXorSegment = 2;  // the line ending at this point is drawn in XOR

// Drawing coordinates stay where the rasteriser works exactly, as for the items.
int ClampPixel(long long v) {
  return static_cast<int>(std::clamp<long long>(v, -30000, 30000));
}

}  // namespace

void TChartMouse::RecordTrace(TShiftState Shift, int X, int Y) {
  if (c_.FZoomState == zsDrawing || !Shift.Contains(ssLeft)) return;
  X = ClampX(X);
  Y = ClampY(Y);
  if (c_.FNumMTrace >= kMaxMouseTracePoints) return;
  if (c_.FMTrace.size() < static_cast<std::size_t>(kMaxMouseTracePoints))
    c_.FMTrace.resize(kMaxMouseTracePoints);
  TColoredPoint p;
  c_.M2R(c_.FActiveLayer, X, Y, p.x, p.y);
  p.State = c_.FMTraceInvert ? kXorSegment : 0;
  p.Color = c_.FColorMTrace;
  const int n = ++c_.FNumMTrace;
  c_.FMTrace[static_cast<std::size_t>(n - 1)] = p;
  if (n < 2) return;
  const TColoredPoint& prev = c_.FMTrace[static_cast<std::size_t>(n - 2)];
  if (prev.State & kStrokeEnd) return;
  int x1, y1;
  c_.R2M(c_.FActiveLayer, prev.x, prev.y, x1, y1);
  TCanvas& canvas = c_.Canvas();
  canvas.Pen().SetColor(c_.FColorMTrace);
  canvas.Pen().SetMode(c_.FMTraceInvert ? pmXor : pmCopy);
  canvas.MoveTo(ClampPixel(x1), ClampPixel(y1));
  canvas.LineTo(X, Y);
  canvas.Pen().SetMode(pmCopy);
}

void TChartMouse::EndTraceStroke() {
  const int n = c_.FNumMTrace;
  if (n > 0 && static_cast<std::size_t>(n) <= c_.FMTrace.size())
    c_.FMTrace[static_cast<std::size_t>(n - 1)].State |= kStrokeEnd;
}

TColoredPoint TCustomRChart::GetMTracePoint(int idx) const {
  if (idx < 1 || idx > FNumMTrace || static_cast<std::size_t>(idx) > FMTrace.size())
    return TColoredPoint{0, 0, 0xFFFF, 0};
  return FMTrace[static_cast<std::size_t>(idx - 1)];
}

void TCustomRChart::ClearMouseTrace() {
  FNumMTrace = 0;
  Repaint();
}

void TCustomRChart::DrawMouseTrace(int dx, int dy, TBitmap& Bitmap) {
  const int n =
      static_cast<int>(std::min<long long>(FNumMTrace, static_cast<long long>(FMTrace.size())));
  if (n < 1) return;
  TCanvas& canvas = Bitmap.Canvas();
  TPen& pen = canvas.Pen();
  const TColor savedColor = pen.Color();
  const int savedWidth = pen.Width();
  const TPenStyle savedStyle = pen.Style();
  const TBrushStyle savedBrush = canvas.Brush().Style();
  const long long ox = static_cast<long long>(dx) - RcLRim,
                  oy = static_cast<long long>(dy) - RcTRim;
  for (int i = 1; i < n; ++i) {
    const TColoredPoint& a = FMTrace[static_cast<std::size_t>(i - 1)];
    const TColoredPoint& b = FMTrace[static_cast<std::size_t>(i)];
    if (a.State & kStrokeEnd) continue;
    pen.SetColor(b.Color);
    pen.SetMode(b.State & kXorSegment ? pmXor : pmCopy);
    int x1, y1, x2, y2;
    R2M(FActiveLayer, a.x, a.y, x1, y1);
    R2M(FActiveLayer, b.x, b.y, x2, y2);
    canvas.MoveTo(ClampPixel(x1 + ox), ClampPixel(y1 + oy));
    canvas.LineTo(ClampPixel(x2 + ox), ClampPixel(y2 + oy));
    pen.SetMode(pmCopy);
  }
  pen.SetColor(savedColor);
  pen.SetWidth(savedWidth);
  pen.SetStyle(savedStyle);
  canvas.Brush().SetStyle(savedBrush);
}

}  // namespace kiv
