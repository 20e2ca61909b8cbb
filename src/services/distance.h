// Distances of a point from the outlines the charts hit-test: a segment, a pixel rectangle and
// an axis-parallel ellipse.
#pragma once

#include "platform/types.h"
#include "services/types.h"

namespace kiv {

// Distance of p from the closest point of the segment a-b; a = b gives the distance from that
// point.
double DistanceToSegment(TPointDouble p, TPointDouble a, TPointDouble b);

// Distance in pixels of a pixel from the pixels a rectangle covers, 0 on or inside it. The
// rectangle follows the canvas convention: it covers the columns Left..Right-1 and the rows
// Top..Bottom-1, like Rectangle(Left, Top, Right, Bottom) draws it, so the pixel at x = Right
// is one pixel away. Corners in either order are accepted; a rectangle of zero width or height
// counts as its Left column or Top row, so a degenerate box can still be hit.
double DistFromRect(TPoint point, TRect rect);

// Distance of p from the outline of the ellipse with the given centre and semi-axes (along x
// and along y; signs are ignored), and in `nearest` the closest point of the outline. A circle,
// an ellipse flattened to a segment (one semi-axis 0) and a single point (both 0) are handled
// exactly; at the centre the nearest point is an end of the shorter axis. Non-finite input
// gives NaN with `nearest` at the centre.
double DistFromEllipse(TPointDouble p, TPointDouble centre, double semiAxisX, double semiAxisY,
                       TPointDouble& nearest);
double DistFromEllipse(TPointDouble p, TPointDouble centre, double semiAxisX, double semiAxisY);

}  // namespace kiv
