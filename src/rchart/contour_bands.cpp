#include "rchart/contour_bands.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace kiv::contour {

bool TLevelBands::Build(const TGridView& grid, const TContourLevels& levels) {
  if (levels.Count == 0 || !levels.IsRegular()) return false;
  N_ = grid.N;
  M_ = grid.M;
  const std::size_t cells = static_cast<std::size_t>(N_) * static_cast<std::size_t>(M_);
  double maxAbs = 0;
  for (std::size_t i = 0; i < cells; ++i)
    if (std::isfinite(grid.z[i])) maxAbs = std::max(maxAbs, std::fabs(grid.z[i]));
  const double tol = 1e-6 + 64 * DBL_EPSILON * maxAbs * levels.InvDist;
  lo_.resize(cells);
  hi_.resize(cells);
  for (std::size_t i = 0; i < cells; ++i) {
    int a = 0, b = 0;
    levels.Band(grid.z[i], tol, a, b);
    lo_[i] = static_cast<std::int16_t>(a);
    hi_[i] = static_cast<std::int16_t>(b);
  }
  rowLo_.assign(static_cast<std::size_t>(M_) + 2, 0);
  rowHi_.assign(rowLo_.size(), 0);
  one_.assign(static_cast<std::size_t>(M_) + 1, 0);
  return true;
}

void TLevelBands::Column(int ix) {
  const std::size_t m = static_cast<std::size_t>(M_);
  auto column = [&](const std::vector<std::int16_t>& b, int c) {
    return b.data() + static_cast<std::size_t>(std::clamp(c, 1, N_) - 1) * m;
  };
  // The columns either side (the border column again outside the grid), row by row ...
  const std::int16_t *l0 = column(lo_, ix - 1), *l1 = column(lo_, ix), *l2 = column(lo_, ix + 1);
  const std::int16_t *h0 = column(hi_, ix - 1), *h1 = column(hi_, ix), *h2 = column(hi_, ix + 1);
  std::int16_t* lo = rowLo_.data() + 1;
  std::int16_t* hi = rowHi_.data() + 1;
  for (std::size_t i = 0; i < m; ++i) {
    lo[i] = std::min(std::min(l0[i], l1[i]), l2[i]);
    hi[i] = std::max(std::max(h0[i], h1[i]), h2[i]);
  }
  rowLo_[0] = rowLo_[1];
  rowHi_[0] = rowHi_[1];
  rowLo_[m + 1] = rowLo_[m];
  rowHi_[m + 1] = rowHi_[m];
  // ... then the rows either side.
  for (std::size_t i = 1; i <= m; ++i)
    one_[i] = std::min(std::min(rowLo_[i - 1], rowLo_[i]), rowLo_[i + 1]) ==
              std::max(std::max(rowHi_[i - 1], rowHi_[i]), rowHi_[i + 1]);
}

}  // namespace kiv::contour
