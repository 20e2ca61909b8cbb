// Rescale: the new range of a scale dragged with the mouse (pan, zoom about the centre, or
// stretch of one end), shared by the stand-alone scale and the chart's axes.
#pragma once

#include "services/types.h"

namespace kiv {

// Computes the range after a drag from (AnchorX, AnchorY) to (MouseX, MouseY) on a control of
// CtrlWidth x CtrlHeight whose strip lies inside the four margins. AnchorLow..AnchorHigh is the
// range when the drag started, RangeLow..RangeHigh the current one (its ratio sets the pan speed
// of a logarithmic scale).
//   mactPan       the value under the anchor follows the pointer;
//   mactZoomDrag  the anchor range shrinks or widens about its centre (the geometric centre on a
//                 logarithmic scale) by 1 - dx / CtrlWidth, or 1 + dy / CtrlHeight;
//   mactStretch   the end farther from the anchor stays, the other end moves so that the
//                 anchor's value comes to lie under the pointer.
// Returns true and writes NewLow and NewHigh only for these three actions on one of the four
// scale types, and only when the result is a usable range: finite, and positive on a
// logarithmic scale. A zero divisor (the pointer or the anchor on a margin column, a strip of
// no length), a collapsed result (equal ends) or a range whose logarithm is undefined gives false
// and leaves both untouched.
bool Rescale(int MouseX, int MouseY, int AnchorX, int AnchorY, int CtrlWidth, int CtrlHeight,
             int MargLeft, int MargRight, int MargTop, int MargBottom, double AnchorLow,
             double AnchorHigh, TMouseActMode MouseAction, TScaleType ScaleType, bool LogScale,
             double RangeLow, double RangeHigh, double& NewLow, double& NewHigh);

}  // namespace kiv
