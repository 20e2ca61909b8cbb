// Canvas helpers of the base services that are not drawing primitives of their own: font sizes
// that keep their physical size on canvases of any resolution.
#pragma once

#include "platform/canvas.h"

namespace kiv {

// Sets the canvas font to Size points at the canvas's resolution, so that text has the same
// physical size on every device: a bitmap or screen canvas at 96 pixels per inch gets the usual
// pixel size, a printer canvas at 600 pixels per inch proportionally larger glyphs. Sizes below
// 1 point are ignored (the font keeps its size but still takes the canvas's resolution).
void SetCanvasFontSizeScaled(TCanvas& Canvas, int Size);

}  // namespace kiv
