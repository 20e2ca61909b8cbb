// Level bands of the contour plot's pivot values: which tiles no isoline can cross, found from
// the 3 x 3 neighbourhood of each pivot without looking at the tile's corners.
#pragma once

#include <cstdint>
#include <vector>

#include "rchart/contour_geometry.h"
#include "rchart/contour_levels.h"

namespace kiv::contour {

// Every pivot value gets the band between two adjacent levels it lies in, widened by a
// tolerance for the rounding of corner means and interpolation. A tile's corners and scan lines
// lie within the values of its 3 x 3 neighbourhood, so when those share one band no level lies
// strictly between any two of them.
class TLevelBands {
 public:
  // False (and nothing to ask) when the levels are too irregular for bands.
  bool Build(const TGridView& grid, const TContourLevels& levels);
  // Prepares the rows of column ix; then OneBand(iy) tells whether tile (ix, iy) can be skipped.
  void Column(int ix);
  bool OneBand(int iy) const { return one_[static_cast<std::size_t>(iy)] != 0; }

 private:
  int N_ = 0, M_ = 0;
  std::vector<std::int16_t> lo_, hi_;        // per pivot, column after column
  std::vector<std::int16_t> rowLo_, rowHi_;  // per row of the column, rows 0 and M + 1 padding
  std::vector<char> one_;
};

}  // namespace kiv::contour
