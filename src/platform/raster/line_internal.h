// Line machinery shared by the figures of the rasteriser: exact line geometry and clipping,
// thin and wide segments, and the pixels of an outline as spans.
#pragma once

#include <array>
#include <span>

#include "platform/raster/raster.h"
#include "platform/raster/spans.h"

namespace kiv::raster {

// Dash patterns of one-pixel pens: lengths of alternating on and off runs, starting with on.
struct DashPattern {
  std::array<int, 6> runs{};
  int count = 0;
  int total = 0;
};
// The pattern of a style (solid for the styles without one).
DashPattern PatternOf(TPenStyle style);
// Whether position k of the pattern is "on".
bool DashOn(const DashPattern& p, long long k);

// The pixels of a line: step i (0 .. count-1) lies at major0 + major_step * i on the major axis
// and at Minor(i) on the other.
struct LineGeometry {
  bool x_major = true;
  long long major0 = 0;
  long long minor0 = 0;
  int major_step = 1;
  long long d_major = 0;  // |extent| along the major axis
  long long d_minor = 0;  // signed extent along the minor axis
  long long count = 0;

  bool Setup(TPoint a, TPoint b, long long count);
  long long Minor(long long i) const;
  // The steps whose pixel lies inside clip; false when none does.
  bool ClipRange(const TRect& clip, long long& first, long long& last) const;
};

// A one-pixel line from a to b; the dash pattern starts at phase.
void ThinLine(const Target& t, TPoint a, TPoint b, const Stroke& s, long long phase,
              bool include_last);

// A round pen of the given width moved from a to b (both ends covered). With collect the spans
// are added to it instead of being painted.
void WideSegment(const Target& t, TPoint a, TPoint b, int width, SpanSet* collect, TPixel color,
                 TPenMode mode);

// All pixels an outline through the points would touch (dash gaps included), clipped.
void OutlineSpans(const Target& t, std::span<const TPoint> points, const Stroke& s, bool closed,
                  SpanSet& out);

}  // namespace kiv::raster
