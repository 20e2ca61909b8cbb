// The arithmetic of mouse panning and zooming: the range of one axis after a drag step, computed
// from the range at the drag's start, the pan grid, and corners ordered to an axis' direction.
#pragma once

namespace kiv {

// A range of one axis, low and high end as the scale stores them (low > high: reversed axis).
struct TAxisSpan {
  double Lo = 0;
  double Hi = 0;
  friend constexpr bool operator==(const TAxisSpan&, const TAxisSpan&) = default;
};

// Both ends are finite numbers: a range a mouse step may apply (a data area without extent
// maps pixels to infinities).
bool IsFinite(TAxisSpan s);

// The range under the pointer after it moved Delta pixels along an axis of Length pixels,
// measured from the range Anchor the drag started with; Current (the range shown now) sets the
// speed. The content follows the pointer: a drag to the right lowers an x range, a drag
// downwards (Delta > 0) raises a y range. A logarithmic axis moves by a factor.
TAxisSpan PanSpanX(TAxisSpan Anchor, TAxisSpan Current, int Delta, int Length, bool Log);
TAxisSpan PanSpanY(TAxisSpan Anchor, TAxisSpan Current, int Delta, int Length, bool Log);

// A pan step snapped to a grid: the new low end Lo goes to trunc(Lo / Grid) * Grid + Offset and
// the width of Anchor is kept. Grid <= 0 leaves Lo as it is.
TAxisSpan SnapSpan(TAxisSpan Anchor, double Lo, double Grid, double Offset);

// The anchor range scaled about its centre by Factor (below 1 zooms in), in plain arithmetic
// also on logarithmic axes.
TAxisSpan ZoomSpan(TAxisSpan Anchor, double Factor);

// Swaps v1 and v2 when they run against the axis (Lo..Hi): afterwards v1 lies at the axis' low
// end side, so a window keeps the direction of the axis.
void OrderToAxis(double& v1, double& v2, TAxisSpan Axis);

}  // namespace kiv
