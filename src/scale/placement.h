// Where the scale writes its texts: tick labels beside the base line, the caption at its anchor.
// Pure integer rules, shared by the drawing pass and its tests.
#pragma once

#include "platform/types.h"
#include "scale/scale_types.h"

namespace kiv {

// Left edge of a label of width w under or over tick column x on a control of the given width:
// centred, but never left of column 2; a label that would reach the right edge ends 2 pixels
// inside the control instead.
int HorizontalLabelLeft(int x, int w, int controlWidth);
// Top edge of a label of height h: 7 rows below the base row y for sctLabelsBelow, 7 rows plus
// its height above it otherwise.
int HorizontalLabelTop(TScaleType type, int y, int h);
// Left edge of a label of width w beside the base column x: 8 columns right of it for
// sctLabelsRight, ending 8 columns left of it otherwise.
int VerticalLabelLeft(TScaleType type, int x, int w);
// Top edge of a label centred on tick row y, refHeight being the reference text height.
int VerticalLabelTop(int y, int refHeight);
// Left edge of a caption of width w aligned at column x.
int CaptionLeft(TAlignment align, int x, int w);

}  // namespace kiv
