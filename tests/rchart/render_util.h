// Helpers for the chart's drawing tests: a chart whose world coordinates are the pixels of a
// 200 x 150 data bitmap, with its drawing steps exposed, and a canvas that records the drawing
// calls it receives instead of painting.
#pragma once

#include <string>
#include <vector>

#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "rchart/rchart.h"

namespace kiv::testing {

// Margins of 10 on every side of a 200 x 150 data area; layer 1 maps world (x, y) to the data
// bitmap's pixel (x, y) (its y range runs from 149 at the bottom to 0 at the top).
class DrawChart : public TCustomRChart {
 public:
  static constexpr int kW = 200;
  static constexpr int kH = 150;
  DrawChart() : TCustomRChart(nullptr) {
    SetAutoRedraw(false);
    SetMarginLeft(10);
    SetMarginRight(10);
    SetMarginTop(10);
    SetMarginBottom(10);
    SetBounds(0, 0, kW + 19, kH + 19);
    SetRange(1, 0.0L, kH - 1.0L, kW - 1.0L, 0.0L);
    FSuppressPaint = false;  // painting allowed, as in a chart that has its window
  }
  void Repaint() override { ++repaints; }

  using TCustomRChart::CalcTextExtents;
  using TCustomRChart::DrawContainerItemOnCanvas;
  using TCustomRChart::DrawGrid;
  using TCustomRChart::FinishPolyLine;
  using TCustomRChart::PrepareRenderState;
  using TCustomRChart::RenderContainers;
  using TCustomRChart::RenderTextLabels;
  int LastMoveToX() const { return FLastMoveToX; }
  int LastMoveToY() const { return FLastMoveToY; }
  int PendingPoints() const { return FNumPPa; }

  // The items on a fresh white bitmap of the data area's size.
  TBitmap Render() {
    TBitmap b(kW, kH);
    RenderItems(b.Canvas());
    return b;
  }

  int repaints = 0;
};

// One drawing call as the device received it, with the state it was made with.
struct Call {
  std::string
      kind;  // line, polyline, polygon, rect, fillrect, framerect, ellipse, arc, pixel, text
  std::vector<TPoint> points;  // line ends, polyline and polygon points, arc rays
  TRect rect;                  // rectangle, ellipse and arc boxes
  std::string text;
  TColor pen = 0, brush = 0, font = 0;
  TPenStyle pen_style = psSolid;
  int pen_width = 1;
  TBrushStyle brush_style = bsSolid;
  TColor pixel = 0;
  std::string font_name;  // texts take name and style from the chart's text font
  int font_size = 0;
  TFontStyles font_style;
};

// The calls of one kind, in order.
inline std::vector<Call> OfKind(const std::vector<Call>& calls, const std::string& kind) {
  std::vector<Call> out;
  for (const Call& c : calls)
    if (c.kind == kind) out.push_back(c);
  return out;
}

class RecordingCanvas final : public TCanvas {
 public:
  std::vector<Call> calls;
  std::vector<Call> Of(const std::string& kind) const { return OfKind(calls, kind); }

 protected:
  Call& Add(const std::string& kind) {
    Call c;
    c.kind = kind;
    c.pen = Pen().Color();
    c.brush = Brush().Color();
    c.font = Font().Color();
    c.pen_style = Pen().Style();
    c.pen_width = Pen().Width();
    c.brush_style = Brush().Style();
    c.font_name = Font().Name();
    c.font_size = Font().Size();
    c.font_style = Font().Style();
    calls.push_back(c);
    return calls.back();
  }
  void DoLine(TPoint from, TPoint to, bool) override { Add("line").points = {from, to}; }
  void DoPolyline(std::span<const TPoint> p) override {
    Add("polyline").points.assign(p.begin(), p.end());
  }
  void DoPolygon(std::span<const TPoint> p) override {
    Add("polygon").points.assign(p.begin(), p.end());
  }
  void DoRectangle(const TRect& r) override { Add("rect").rect = r; }
  void DoFillRect(const TRect& r) override { Add("fillrect").rect = r; }
  void DoFrameRect(const TRect& r) override { Add("framerect").rect = r; }
  void DoEllipse(const TRect& r) override { Add("ellipse").rect = r; }
  void DoArc(const TRect& box, TPoint start, TPoint end) override {
    Call& c = Add("arc");
    c.rect = box;
    c.points = {start, end};
  }
  TColor DoGetPixel(int, int) const override { return clNone; }
  void DoSetPixel(int x, int y, TColor col) override {
    Call& c = Add("pixel");
    c.points = {TPoint(x, y)};
    c.pixel = col;
  }
  void DoText(int x, int y, std::string_view text, const TRect*) override {
    Call& c = Add("text");
    c.points = {TPoint(x, y)};
    c.text = std::string(text);
  }
  void DoStretch(const TRect&, const TBitmap&, const TRect&) override { Add("stretch"); }
  TRect DeviceBounds() const override { return TRect(0, 0, DrawChart::kW, DrawChart::kH); }
};

// The colour of a pixel of a bitmap.
inline TColor At(const TBitmap& b, int x, int y) {
  if (x < 0 || y < 0 || x >= b.Width() || y >= b.Height()) return clNone;
  return PixelToColor(b.ScanLine(y)[x]);
}

// Number of pixels that are not white.
inline int CountInk(const TBitmap& b) {
  int n = 0;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) n += At(b, x, y) != clWhite;
  return n;
}

}  // namespace kiv::testing
