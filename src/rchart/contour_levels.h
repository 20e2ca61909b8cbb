// The contour plot's levels and colour rules: level values, the colour of a level's isoline
// dots, of a colour surface at a value and of a flat cell, as palette indices and pixels.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "platform/bitmap.h"
#include "services/colorarray.h"

namespace kiv {

// At most this many levels are drawn, so a tiny level distance cannot stall the drawing.
inline constexpr int kMaxContourLevels = 10000;

// Levels L(k) = Low + (k - 1) * Dist for k = 1..Count, Count = Round((High - Low) / Dist). High
// itself is no level. A distance that is not positive, or a range that gives no levels, gives
// Count 0.
struct TContourLevels {
  double Low = -1;
  double High = 1;
  double Dist = 0.1;
  int Count = 0;
  double InvDist = 10;  // for guesses only

  TContourLevels() = default;
  TContourLevels(double low, double high, double dist);
  double Value(int k) const { return Low + (k - 1) * Dist; }
  // The smallest k with Value(k) > v (Count + 1 when there is none, also for NaN).
  int FirstAbove(double v) const;
  // Whether the levels lie on the grid Low + j * Dist closely enough for Band.
  bool IsRegular() const { return Regular; }
  // The band of a value: j when it lies between level j + 1 and level j + 2 (as t = (z - Low) /
  // Dist between j and j + 1), -1 below the first level, Count - 1 from the last one on. lo and
  // hi are the bands of t - tol and t + tol. Values in one band have no level between them.
  void Band(double z, double tol, int& lo, int& hi) const {
    const double t = (z - Low) * InvDist;
    if (std::isnan(t)) {
      lo = -2;  // no band: never shares one with anything
      hi = Count;
      return;
    }
    auto band = [&](double v) {  // floor within -2..Count + 1, by truncation
      v = std::clamp(v, -2.0, Count + 1.0);
      int f = static_cast<int>(v);
      if (f > v) --f;
      return std::clamp(f, -1, Count - 1);
    };
    lo = band(t - tol);
    hi = band(t + tol);
  }
  // False only when no level lies strictly between any two values within slack of lo..hi
  // (lo <= hi, both finite): a quick test that lets most tiles of a fine grid go without
  // scanning. Answers true whenever it cannot tell cheaply.
  bool MayLieBetween(double lo, double hi, double slack) const {
    if (Count == 0) return false;
    if (!Regular) {
      const int k = FirstAbove(lo - slack);
      return k <= Count && Value(k) < hi + slack;
    }
    // Level k sits at t = k - 1 in units of Dist from Low, up to the tolerance.
    const double tol = 1e-6 + slack * InvDist;
    const double a = std::clamp((lo - Low) * InvDist - tol, -2.0, Count + 1.0);
    const double b = std::clamp((hi - Low) * InvDist + tol, -2.0, Count + 1.0);
    const int first = std::max(0, static_cast<int>(std::floor(a)) + 1);
    const int last = std::min(Count - 1, static_cast<int>(std::ceil(b)) - 1);
    return first <= last;
  }

 private:
  // The level values lie on the grid Low + j * Dist within a millionth of Dist, so positions
  // computed by multiplication tell the levels apart.
  bool Regular = false;
};

// Palette indices of the colour rules, for NC colours over Low..High.
struct TContourColorRule {
  double Low = -1;
  double High = 1;
  int NC = 0;

  TContourColorRule(double low, double high, int nc)
      : Low(low), High(high), NC(nc), Scale(nc / (high - low)) {}

  // Level colour of isoline dots: Round(NC * (L - Low) / (High - Low)), 0 raised to 1, above NC
  // lowered to NC.
  int LevelIndex(double L) const;
  // Surface colour: 1 for z <= Low, else Round(f) with f = NC * (z - Low) / (High - Low)
  // lowered to NC (0 when f < 0.5). NaN gives 0.
  int SurfaceIndex(double z) const {
    if (z <= Low) return 1;
    const int i = FastIndex(z);
    return i >= 0 ? i : SurfaceIndexExact(z);
  }
  // Flat cells: 0 for z < Low, else Round(NC * (z - Low) / (High - Low)) lowered to NC. NaN
  // gives 0.
  int CellIndex(double z) const {
    if (z < Low) return 0;
    const int i = FastIndex(z);
    return i >= 0 ? i : CellIndexExact(z);
  }

 private:
  // The rules divide per value. A multiplication by NC / (High - Low) lands within a few units
  // in the last place of the quotient, so its rounding is the exact one unless the quotient is
  // near a half or near NC; those values (and NaN) take the division (-1 here).
  int FastIndex(double z) const {
    const double a = (z - Low) * Scale;
    if (!(a >= 0 && a < NC - 0.25)) return -1;
    const int i = static_cast<int>(a);
    const double frac = a - i;
    if (frac > 0.4999 && frac < 0.5001) return -1;
    return frac > 0.5 ? i + 1 : i;
  }
  int SurfaceIndexExact(double z) const;
  int CellIndexExact(double z) const;
  double Scale;
};

// The colours of a colour array as pixels of a 32-bit row (alpha 0), index 0..NC. Index 0 has
// no entry in the 1-based array; it shows the lowest colour, so values just above the lowest
// level do not turn black.
class TContourPalette {
 public:
  explicit TContourPalette(const TColorArray& colors);
  int NC() const { return static_cast<int>(pixels_.size()) - 1; }
  TRGB32 Pixel(int index) const { return pixels_[static_cast<std::size_t>(index)]; }
  // The colour written for index (system colours resolved).
  static TRGB32 ToPixel(TColor c);

 private:
  std::vector<TRGB32> pixels_;
};

inline bool operator==(const TRGB32& a, const TRGB32& b) {
  return a.B == b.B && a.G == b.G && a.R == b.R && a.A == b.A;
}

}  // namespace kiv
