// Horizontal spans, the unit every figure is reduced to before it reaches the pixel rows, and
// span sets that let a compound figure touch each pixel once (so XOR figures stay reversible).
#pragma once

#include <cstdint>
#include <vector>

#include "platform/raster/raster.h"
#include "platform/raster/rop.h"

namespace kiv::raster {

// Pixels x0 .. x1-1 of row y.
struct SpanRun {
  int y;
  int x0;
  int x1;
};

// Paints one span with a fill: solid styles through the mode, hatch styles only on the hatch
// pattern (aligned to the target origin), clear styles not at all.
void FillSpan(const Target& t, int y, int x0, int x1, const Fill& f);

// A set of spans that is painted once: overlapping spans are merged first.
class SpanSet {
 public:
  void Add(int y, int x0, int x1) {
    if (x0 < x1) runs_.push_back({y, x0, x1});
  }
  bool Empty() const { return runs_.empty(); }
  void Clear() { runs_.clear(); }
  // Sorts by row and merges overlapping or touching spans.
  void Normalize();
  // Removes the pixels of other (both must be normalised); the result stays normalised.
  void Subtract(const SpanSet& other);
  const std::vector<SpanRun>& Runs() const { return runs_; }
  void Paint(const Target& t, TPixel color, TPenMode mode) const;
  void Paint(const Target& t, const Fill& f) const;

 private:
  std::vector<SpanRun> runs_;
};

// The rows of a round pen of width w: for each row offset dy (from Lo() to Hi()), the
// horizontal offsets covered. Width 1 is a single pixel; widths 2 and 3 are squares.
class PenDisc {
 public:
  explicit PenDisc(int width);
  int Width() const { return width_; }
  int Lo() const { return lo_; }
  int Hi() const { return hi_; }
  int Left(int dy) const { return left_[static_cast<std::size_t>(dy - lo_)]; }
  int Right(int dy) const { return right_[static_cast<std::size_t>(dy - lo_)]; }

 private:
  int width_;
  int lo_;
  int hi_;
  std::vector<int> left_;
  std::vector<int> right_;
};

// Collects the extent of a figure per row (from the first to the last pixel touched in each
// row) for rows first_row .. first_row+rows-1.
class RowExtents {
 public:
  void Reset(int first_row, int rows);
  void Touch(int y, int x0, int x1) {  // pixels x0..x1 inclusive
    const long long i = static_cast<long long>(y) - first_;
    if (i < 0 || i >= static_cast<long long>(lo_.size())) return;
    auto k = static_cast<std::size_t>(i);
    if (x0 < lo_[k]) lo_[k] = x0;
    if (x1 > hi_[k]) hi_[k] = x1;
  }
  // Calls f(y, x0, x1_exclusive) for every touched row.
  template <typename F>
  void ForEach(F&& f) const {
    for (std::size_t k = 0; k < lo_.size(); ++k)
      if (lo_[k] <= hi_[k]) f(first_ + static_cast<int>(k), lo_[k], hi_[k] + 1);
  }

 private:
  int first_ = 0;
  std::vector<int> lo_;
  std::vector<int> hi_;
};

}  // namespace kiv::raster
