// TQuadPainter: many small filled quadrilaterals with one-pixel outlines, lines and pixels
// written straight into the rows of a bitmap canvas, as a surface of grid cells needs them.
#pragma once

#include "platform/canvas.h"
#include "platform/color.h"
#include "platform/raster/target.h"
#include "platform/types.h"

namespace kiv {

// Gives exactly the pixels of Canvas.Polygon (four points), MoveTo + LineTo and SetPixels with
// a one-pixel solid pen in copy mode and a solid brush, without resolving the canvas's state
// or allocating for each figure. Colours are passed per call; the canvas's pen, brush and pen
// position are not changed. The canvas's bitmap size and clip rectangle must stay as they are
// between Prepare and the last drawing call.
class TQuadPainter {
 public:
  // Whether the canvas allows it: a bitmap canvas, a one-pixel pen in copy mode whose style is
  // solid (or clear: no outlines), a solid brush.
  bool Prepare(TCanvas& Canvas);
  // The quadrilateral q[0..3]: interior in Fill, closed outline in Pen (unless the pen is
  // clear), the outline drawn over the interior.
  void Quad(const TPoint* q, TPixel Fill, TPixel Pen);
  // A line from a towards b, b excluded.
  void Line(TPoint a, TPoint b, TPixel Pen);
  void Pixel(TPoint p, TPixel c);
  // Tells the canvas that its pixels changed (hosts present what changed).
  void Finish();

 private:
  TCanvas* canvas_ = nullptr;
  raster::Target target_;
  bool outline_ = true;
};

}  // namespace kiv
