#include "rchart/contour_levels.h"

#include <algorithm>
#include <cmath>

#include "services/rounding.h"

namespace kiv {

TContourLevels::TContourLevels(double low, double high, double dist)
    : Low(low), High(high), Dist(dist) {
  const double n = dist > 0 ? RoundHalfEven((high - low) / dist) : 0;
  Count = n >= 1 ? static_cast<int>(std::min(n, static_cast<double>(kMaxContourLevels))) : 0;
  InvDist = Count > 0 ? 1 / dist : 0;
  // Rounding of Low + (k - 1) * Dist is a few units in the last place of the largest level.
  const double largest = std::fabs(low) + Count * std::fabs(dist);
  Regular = Count > 0 && std::isfinite(InvDist) && largest * 1e-12 < dist * 1e-7;
}

int TContourLevels::FirstAbove(double v) const {
  if (Count == 0 || std::isnan(v)) return Count + 1;
  // A guess from the level distance, then exact steps against the stored formula (levels are
  // monotonic, though consecutive ones may coincide when Dist is tiny beside Low).
  const double guess = (v - Low) * InvDist + 1;
  int k = guess >= 1 ? static_cast<int>(std::min(guess, Count + 1.0)) : 1;
  while (k > 1 && Value(k - 1) > v) --k;
  while (k <= Count && Value(k) <= v) ++k;
  return k;
}

namespace {

int Ratio(double v, const TContourColorRule& r) {
  return RoundToInt(r.NC * (v - r.Low) / (r.High - r.Low));
}

}  // namespace

int TContourColorRule::LevelIndex(double L) const {
  const int i = Ratio(L, *this);
  return std::min(std::max(i, 1), NC);
}

int TContourColorRule::SurfaceIndexExact(double z) const {
  if (z <= Low) return 1;
  if (std::isnan(z)) return 0;
  double f = NC * (z - Low) / (High - Low);
  if (f > NC) f = NC;
  return RoundToInt(f);
}

int TContourColorRule::CellIndexExact(double z) const {
  if (z < Low || std::isnan(z)) return 0;
  return std::min(Ratio(z, *this), NC);
}

TContourPalette::TContourPalette(const TColorArray& colors) {
  const int nc = colors.Size();
  pixels_.resize(static_cast<std::size_t>(nc) + 1);
  for (int i = 1; i <= nc; ++i)
    pixels_[static_cast<std::size_t>(i)] = ToPixel(colors.GetColorElem(i));
  pixels_[0] = nc > 0 ? pixels_[1] : ToPixel(clBlack);
}

TRGB32 TContourPalette::ToPixel(TColor c) {
  const TColor rgb = ColorToRGB(c);
  return TRGB32{GetBValue(rgb), GetGValue(rgb), GetRValue(rgb), 0};
}

}  // namespace kiv
