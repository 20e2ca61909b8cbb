// The chart's own mouse cursors: a hand for panning and three magnifiers (zoom window, zoom by
// dragging, ordered zoom window), registered as screen cursors 1 to 4.
#pragma once

#include "platform/cursors.h"

namespace kiv {

inline constexpr TCursor crChartHand = 1;        // "CURHAND"
inline constexpr TCursor crChartZoomWindow = 2;  // "CURZOOMW"
inline constexpr TCursor crChartZoomDrag = 3;    // "CURZOOMD"
inline constexpr TCursor crChartZoomPlus = 4;    // "CURZOOMP"

// The picture of one of the four cursors (an empty image for another number).
TCursorImage ChartCursorImage(TCursor Cursor);
// Registers the four pictures in Screen().Cursors under 1 to 4.
void RegisterChartCursors();

}  // namespace kiv
