// TPictureStamp: a small drawing recorded once as runs of pixels around its centre and written
// anywhere into a bitmap, for many copies of one figure (a chart's marks in a large picture).
#pragma once

#include <functional>
#include <vector>

#include "platform/bitmap.h"
#include "platform/types.h"

namespace kiv {

// The drawing must not depend on what lies below it or on where it is drawn (copy-mode pens,
// solid or clear brushes, a picture that only moves with its centre): then writing the stamp
// gives exactly the pixels of drawing it there.
class TPictureStamp {
 public:
  // Records what draw paints into a bitmap of (2 Radius + 1) pixels a side around its centre
  // pixel (Radius, Radius); nothing beyond Radius is kept.
  void Record(int Radius, const std::function<void(TBitmap&, TPoint centre)>& draw);
  // The recorded pixels with the centre at `at`, inside clip and the bitmap.
  void Draw(TBitmap& target, const TRect& clip, TPoint at) const;

 private:
  struct Run {
    int dy, dx, len;  // from the centre
    TPixel color;
  };
  std::vector<Run> runs_;
};

}  // namespace kiv
