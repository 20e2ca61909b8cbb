// Distances of a point from the outlines the charts hit-test: a segment, a pixel rectangle and
// an axis-parallel ellipse.
#pragma once

#include "platform/types.h"
#include "services/types.h"

namespace kiv {

// Distance of p from the closest point of the segment a-b; a = b gives the distance from that
// point.
double DistanceToSegment(TPointDouble p, TPointDouble a, TPointDouble b);

// Distance in pixels of a point from the rectangle with the corners (Left, Top) and (Right,
// Bottom), taken in either order: 0 on its edges and inside, otherwise the distance from the
// nearest edge or corner. Both corners belong to the rectangle, so the hit test of a rectangle or
// bar item, which is drawn from one corner pixel to the other inclusive, sees every drawn pixel
// at distance 0; a rectangle of zero width or height is a segment and can still be hit.
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
