// DrawFrame: the bevelled and plain frames that the components draw around themselves and
// around parts of their picture, in the eight TFrameStyle looks.
#pragma once

#include "platform/canvas.h"
#include "platform/color.h"
#include "services/types.h"

namespace kiv {

// Draws a frame on the outermost pixels of the rectangle Left..Right, Top..Bottom; Right and
// Bottom are inclusive (components pass 0, 0, Width - 1, Height - 1). Colours, in this order:
//   HighLight  brightest edge (white)        Light      lit inner edge (silver)
//   Shadow     shaded edge (grey)            DkShadow   darkest edge (black)
//   FrameColor the plain frame line
// Looks, outermost line first ("a/b" = top and left edges / bottom and right edges; the
// bottom-right colour owns the top-right and bottom-left corner pixels):
//   rbNone          nothing
//   rbSimple        one line FrameColor
//   rbLowered       Shadow/HighLight, then DkShadow/Light              (sunken, 2 lines)
//   rbRaised        Light/DkShadow, then HighLight/Shadow              (raised, 2 lines)
//   rbEmbossed      HighLight/Shadow, then Shadow/HighLight            (ridge, 2 lines)
//   rbEngraved      Shadow/HighLight, then HighLight/Shadow            (groove, 2 lines)
//   rbDoubleLowered FrameColor, then the two lines of rbLowered        (3 lines)
//   rbDoubleRaised  FrameColor, then the two lines of rbRaised         (3 lines)
// Lines that no longer fit into a small rectangle are left out; an empty rectangle (Right <
// Left or Bottom < Top) draws nothing. The pen is used at width 1, solid, in copy mode, and left
// as it was found.
void DrawFrame(TCanvas& Canvas, TFrameStyle Style, int Left, int Top, int Right, int Bottom,
               TColor HighLight, TColor Light, TColor Shadow, TColor DkShadow, TColor FrameColor);

// Number of pixel lines the style draws on each side (0 to 3).
int FrameWidth(TFrameStyle Style);

}  // namespace kiv
