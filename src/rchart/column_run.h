// TColumnRun: collapses the consecutive points of a polyline that share one pixel column into at
// most three points covering exactly the same pixels, for long one-pixel solid polylines.
#pragma once

#include <algorithm>

#include "platform/types.h"

namespace kiv {

// A segment between two points of one column (dx = 0) steps along y and covers the rows from its
// first point up to its last point, the last one excluded; a zero-length segment covers nothing.
// A run of such segments from y0 through y1, ..., yk therefore covers every row between the
// least and the greatest of its points (lo, hi), except yk when no segment covers it: when the
// walk reached yk for the first time from one side and never crossed it, and yk is then lo or
// hi. Once the points are in place, a short path from y0 to yk with the same lo, hi and covered
// end covers the same rows:
//
//   end covered,   yk != hi:  y0 -> lo -> hi -> yk
//   end covered,   yk == hi:  y0 -> hi -> lo -> yk
//   end uncovered, yk == hi:  y0 -> lo -> yk  (y0 < hi here: a walk starting at hi covers hi)
//   end uncovered, yk == lo:  y0 -> hi -> yk  (likewise y0 > lo)
//   lo == hi:                 nothing (every segment has zero length)
//
// With one solid one-pixel pen in a mode that ignores the destination (copy), the picture of a
// polyline is the union of its segments' pixels, whatever their order, so replacing a run by its
// short path leaves every pixel as it was; segments between columns are drawn as they are.
class TColumnRun {
 public:
  // A run starts at the point the polyline has reached.
  void Start(TPoint p) {
    x_ = p.X;
    lo_ = hi_ = end_ = p.Y;
    covered_ = false;
  }
  int X() const { return x_; }
  // The polyline continues to row y of the run's column.
  void Add(int y) {
    if (y == end_) return;
    covered_ = lo_ <= y && y <= hi_;
    lo_ = std::min(lo_, y);
    hi_ = std::max(hi_, y);
    end_ = y;
  }
  // The points that replace the run's points after its first one, ending at its last point;
  // returns how many (0 to 3).
  int Path(TPoint out[3]) const {
    if (lo_ == hi_) return 0;
    int n = 0;
    if (covered_) {
      out[n++] = TPoint(x_, end_ != hi_ ? lo_ : hi_);
      out[n++] = TPoint(x_, end_ != hi_ ? hi_ : lo_);
    } else {
      out[n++] = TPoint(x_, end_ == hi_ ? lo_ : hi_);
    }
    out[n++] = TPoint(x_, end_);
    return n;
  }

 private:
  int x_ = 0;
  int lo_ = 0, hi_ = 0;   // the least and greatest row the run's points reach
  int end_ = 0;           // the row of the last point
  bool covered_ = false;  // whether a segment of the run covers the last point's pixel
};

}  // namespace kiv
