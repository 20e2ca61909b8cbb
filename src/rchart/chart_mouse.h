// TChartMouse: the state machine behind the chart's mouse handlers: pan, zoom by window or by
// dragging, rubber bands, selections, scale drags, crosshair and label drags, the mouse trace.
#pragma once

#include "rchart/customrchart.h"

namespace kiv {

// Works on the interaction fields of the chart it is made for and keeps nothing itself, so the
// chart makes one per message. Positions are pixels relative to the control.
class TChartMouse {
 public:
  explicit TChartMouse(TCustomRChart& Chart) : c_(Chart) {}

  // MouseDown after the inherited handling: the mouse box's press, the start of a window.
  void Down(TMouseButton Button, int X, int Y);
  // MouseMove after the inherited handling: mouse box, scale drags, the mode's work, pointer.
  void Move(TShiftState Shift, int X, int Y);
  // MouseUp before the inherited handling: ends drags, windows, strokes and the mouse box.
  void Up(TMouseButton Button, int X, int Y);
  // A double click on a scale toggles its drag between mactPan and mactStretch.
  void DblClick();
  // Ends the mouse box query and a window being drawn, erasing their figures.
  void Abort();

  // The data area, both corners included.
  bool InDataArea(int X, int Y) const;

 private:
  // --- chart_mouse.cpp: drags of the data area and the scales, the pointer.
  void StoreDragAnchors(int X, int Y);
  void DragScales(TShiftState Shift, int X, int Y);
  bool DragScale(int Layer, bool XAxis, int X, int Y);
  void PanOrZoom(TShiftState Shift, int X, int Y);
  void PanLayer(int Layer, int X, int Y);
  void ZoomLayer(int Layer, int X, int Y);
  void TrackPointer(int X, int Y);
  int ClampX(int X) const;
  int ClampY(int Y) const;

  // --- chart_windows.cpp: XOR figures on the control's canvas.
  void XorLine(int x1, int y1, int x2, int y2);
  void XorRect(int x1, int y1, int x2, int y2);
  void XorFigure(int X, int Y);  // the current mode's figure from the window anchor to (X, Y)
  void MoveMouseBox(int& X, int& Y);
  void DrawWindow(int X, int Y);
  void FinishWindow(TMouseButton Button);

  // --- chart_crosshairs.cpp, chart_labeldrag.cpp, chart_mousetrace.cpp.
  void DragCrossHair(TShiftState Shift, int X, int Y);
  void DragLabel(TShiftState Shift, int X, int Y);
  void RecordTrace(TShiftState Shift, int X, int Y);
  void EndTraceStroke();

  TCustomRChart& c_;
};

}  // namespace kiv
