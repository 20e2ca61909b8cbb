// Types of the chart's picture composition: the render events, the caption anchors and the
// standard layouts of TCustomRChart.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/classes.h"

namespace kiv {

class TCanvas;

// Raised around the drawing of the data area and after the axes. A handler draws at control
// pixel (x, y) by drawing at (x - Left, y - Top) on Canvas: on the data bitmap Top and Left are
// MarginTop and MarginLeft, on the chart bitmap both are 0.
using TRenderEvent = std::function<void(TObject* Sender, TCanvas& Canvas, int Top, int Left)>;

// Horizontal reference of the chart caption.
enum TCaptionAnchorHoriz : std::uint8_t {
  cahControlLeft,
  cahChartLeft,
  cahChartCenter,
  cahChartRight,
  cahControlRight
};

// Vertical reference of the chart caption.
enum TCaptionAnchorVert : std::uint8_t {
  cavControlTop,
  cavChartTop,
  cavChartCenter,
  cavChartBottom,
  cavControlBottom
};

// The standard arrangements of margins, caption and the four axes.
enum TrcLayout : std::uint8_t {
  rcl_X1Bottom_Y1Left,
  rcl_X1Bottom_Y2Left,
  rcl_X1Bottom_Y2Both,
  rcl_X2Bottom_Y2Left,
  rcl_X2Both_Y2Both
};

}  // namespace kiv
