// Event types of the chart's mouse interaction: moves over the chart, crosshair drags and text
// label drags, and the capacity of the free-hand mouse trace.
#pragma once

#include <functional>

#include "platform/classes.h"
#include "platform/control_types.h"
#include "rchart/textlabel.h"
#include "services/crosshair.h"

namespace kiv {

// Every mouse-move message: whether the pointer is inside the data area, the keys and buttons
// held, and the pointer in world coordinates of the active layer.
using TMouseMoveInChartEvent = std::function<void(TObject* Sender, bool InChart, TShiftState Shift,
                                                  double rMousePosX, double rMousePosY)>;
// Before a crosshair drag starts: dx, dy from the crosshair to the pointer in pixels; clearing
// AllowMove keeps the crosshair where it is.
using TBeforeCrossHMoveEvent = std::function<void(TObject* Sender, TCrossHair& WhichCrossHair,
                                                  int dx, int dy, bool& AllowMove)>;
// After each step of a crosshair drag.
using TCrossHairMoveEvent = std::function<void(TObject* Sender, TCrossHair& WhichCrossHair)>;
// After each step of a text label drag.
using TTextLabelMoveEvent = std::function<void(TObject* Sender, TTextLabel& WhichTextLabel)>;

// Points the mouse trace holds; further points are dropped.
inline constexpr int kMaxMouseTracePoints = 5000;

}  // namespace kiv
