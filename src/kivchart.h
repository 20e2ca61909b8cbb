// kivchart: the one header an application includes. It brings every public component and type
// of the library: the platform (pictures, canvas, controls, hosts, files, dates, printing), the
// services, and the components.
//
// A first chart, complete:
//
//   #include <kivchart.h>
//   int main() {
//     kiv::TCustomRChart chart(nullptr);          // a control; pictures need no window
//     chart.SetBounds(0, 0, 480, 320);
//     chart.SetRange(1, 0.0, 0.0, 10.0, 100.0);    // layer, x low, y low, x high, y high
//     chart.MoveTo(0.0, 0.0);
//     for (int i = 1; i <= 10; ++i) chart.DrawTo(1.0 * i, 1.0 * i * i);
//     chart.CopyToBMP("first.png", false);
//   }
//
// Logarithmic axes: give the axis a positive range first, then switch it on. A fresh axis runs
// from 0 to 1, and the chart refuses a logarithmic mapping over a range that reaches 0 or below
// (EKIVRChartError "Logarithmic axis must not be negative."):
//
//   chart.SetRange(1, 1.0, 1e-3, 1e4, 10.0);      // positive ranges ...
//   chart.Scale1X().SetLogarithmic(true);          // ... then the switch
//   chart.Scale1Y().SetLogarithmic(true);
//
// A new component is added here, one line under "Components" (its chief header).
#pragma once

// The platform: colours, pictures and their files, the canvas, fonts, controls and their
// hosts (headless, with synthetic input), vector pictures, printing, the clipboard, dates.
#include "platform/application.h"
#include "platform/bitmap.h"
#include "platform/box_filter.h"
#include "platform/canvas.h"
#include "platform/clipboard.h"
#include "platform/color.h"
#include "platform/controls.h"
#include "platform/datetime.h"
#include "platform/dialogs.h"
#include "platform/errors.h"
#include "platform/fine_canvas.h"
#include "platform/forms.h"
#include "platform/graphics.h"
#include "platform/imageio.h"
#include "platform/metafile.h"
#include "platform/offscreen_host.h"
#include "platform/printer.h"
#include "platform/scaled_canvas.h"
#include "platform/screen.h"
#include "platform/types.h"
// The host of real windows (in the library when it was built with the X11 host, KIV_HAVE_X11).
#include "platform/x11/x11_host.h"

// Base and math services: shared types, text labels, crosshairs, marks, frames, data tables.
#include "services/services.h"

// Components.
#include "boxplot/boxplot.h"
#include "colorscale/colorscale.h"
#include "gauge/gauge.h"
#include "plot3d/plot3d.h"
#include "rchart/errors.h"
#include "rchart/rchart.h"
#include "rot3d/errors.h"
#include "rot3d/rot3d.h"
#include "scale/scale.h"
