// TRChart: the two-dimensional chart as applications place it on a form, TCustomRChart with its
// settings published under their declared defaults.
#pragma once

#include <string>

#include "rchart/customrchart.h"

namespace kiv {

// Adds nothing to TCustomRChart but its class name: every published property and event is the
// chart's own. A fresh TRChart is 280 x 200 pixels and paints once its window exists.
// Declared defaults, the values a form designer need not store (where construction sets
// another value, it is named): Align alNone; AvoidDuplicateMarks false; AllocSize 1000;
// AutoRedraw true; MarginLeft/Right/Top/Bottom and LRim/RRim/TRim/BRim 50, 10, 16, 32
// (construction applies the standard layout: 50, 20, 20, 40); MinDupMarkDist 1; ClassDefault 0;
// GridStyle gsNone; GridDx, GridDy 0; Isometric false; DataColor black; PenStyle psSolid;
// ChartFrameColor black; FillColor and TextBkColor (one field) 12632256; ChartColor white;
// WindColor clBtnFace; GridColor black; LineWidth 1; Caption empty; CaptionPosX, CaptionPosY 0,
// -16; CaptionAlignment taRightJustify; CaptionAnchorHoriz cahChartRight; CaptionAnchorVert
// cavChartTop; CaptionTrim 100; MouseTraceColor white; MouseTraceInvert true; MouseAction
// mactNone; MouseCursorFixed true; PanGridDx, PanGridDy 1; PanGridOffsX, PanGridOffsY 0;
// StandardLayout rcl_X1Bottom_Y1Left (never stored); ShadowWidth 0; ShadowStyle shsPlain;
// ShadowColor clGrayText; ShadowBakColor clBtnFace; UseDataOf none; TextFont a copy of Font;
// TextBkStyle tbClear; TextAlignment taCenter. Every event is empty.
class TRChart : public TCustomRChart {
 public:
  explicit TRChart(TComponent* AOwner) : TCustomRChart(AOwner) {}
  std::string ClassName() const override { return "TRChart"; }
};

}  // namespace kiv
