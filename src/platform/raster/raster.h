// The rasteriser: lines, polylines, polygons, rectangles, ellipses, arcs and bitmap transfers
// written as spans straight into pixel rows. Every primitive is clipped once, against
// Target::clip, and accepts any int coordinates without overflow.
#pragma once

#include <span>

#include "platform/graphics.h"
#include "platform/raster/target.h"

namespace kiv::raster {

// How outlines are drawn.
struct Stroke {
  TPixel color = kOpaque;      // pen colour
  TPixel gap_color = kOpaque;  // colour of the gaps of dashed styles
  bool opaque_gaps = false;    // gaps are painted (the brush is not clear)
  int width = 1;               // pen width in pixels, at least 1
  TPenStyle style = psSolid;
  TPenMode mode = pmCopy;
  bool Visible() const { return style != psClear; }
  // Dash patterns apply to one-pixel pens only; wider pens draw solid.
  bool Dashed() const {
    return width == 1 && style != psSolid && style != psInsideFrame && style != psClear;
  }
};

// How interiors are filled.
struct Fill {
  TPixel color = 0xFFFFFFFFu;
  TBrushStyle style = bsSolid;  // bsClear: no fill; hatch styles paint only the hatch lines
  TPenMode mode = pmCopy;
  bool Visible() const { return style != bsClear; }
};

// A line from a to b. One-pixel pens exclude b and advance the dash phase by the pixels
// stepped; wider pens draw a round-ended stroke that covers both ends.
void Line(const Target& t, TPoint a, TPoint b, const Stroke& s, int& dash_phase);

// Lines through the points. One-pixel pens exclude the last point (unless closed, where the
// outline returns to the first point); wider pens paint the union of all segments once.
void Polyline(const Target& t, std::span<const TPoint> points, const Stroke& s, int& dash_phase,
              bool closed);

// Filled polygon (alternate or winding rule) with its closed outline.
void Polygon(const Target& t, std::span<const TPoint> points, const Stroke& s, const Fill& f,
             bool winding);

// Rectangle covering r.Left..r.Right-1, r.Top..r.Bottom-1 (r normalised first): outline with
// the stroke, interior with the fill. A clear pen leaves the right column and bottom row
// unpainted, as the outline would have covered them.
void Rectangle(const Target& t, TRect r, const Stroke& s, const Fill& f);

// The ellipse inscribed in r (normalised): outline with the stroke, interior with the fill. A
// dashed outline runs its pattern counter-clockwise from the right end of the middle row.
void Ellipse(const Target& t, TRect r, const Stroke& s, const Fill& f);

// The counter-clockwise part of the ellipse inscribed in box from the ray towards start to the
// ray towards end (rays from the box centre through the pixel centres of the given points). A
// dashed arc starts its pattern at the start ray.
void Arc(const Target& t, TRect box, TPoint start, TPoint end, const Stroke& s);

// Whole rectangle with the fill colour and style (pen mode not used: always copy).
void FillRect(const Target& t, TRect r, const Fill& f);

// Sets one pixel through the mode.
void SetPixel(const Target& t, int x, int y, TPixel color, TPenMode mode);

// Bitmap transfer of the src rectangle of a source picture onto dest (nearest pixel when the
// sizes differ, mirrored when dest or src is mirrored), combined by a raster operation code
// (the canvas copy modes). brush is the pattern colour of the modes that use it.
struct Source {
  const TPixel* pixels = nullptr;
  int width = 0;
  int height = 0;
  std::ptrdiff_t stride = 0;
};
void Stretch(const Target& t, TRect dest, const Source& src, TRect src_rect, std::int32_t rop,
             TPixel brush);

}  // namespace kiv::raster
