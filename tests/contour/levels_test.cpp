// The level and colour rules of the contour plot: level values and counts, the palette indices
// of isoline dots, colour surfaces and flat cells at and around level boundaries, and the quick
// tests that stand in for the exact ones.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "rchart/contour_levels.h"
#include "services/rounding.h"

namespace kiv {
namespace {

TEST(ContourLevels, CountAndValues) {
  const TContourLevels d(-1, 1, 0.1);  // the defaults: -1.0, -0.9, ..., 0.9
  EXPECT_EQ(d.Count, 20);
  EXPECT_NEAR(d.Value(20), 0.9, 1e-12);
  EXPECT_EQ(d.FirstAbove(1.0), 21);  // 1.0 lies above the last level
  EXPECT_EQ(d.FirstAbove(-1.0), 2);  // strictly above
  EXPECT_EQ(d.FirstAbove(-1.5), 1);
  EXPECT_EQ(d.FirstAbove(d.Value(7)), 8);
  EXPECT_EQ(d.FirstAbove(std::nan("")), 21);
  EXPECT_EQ(TContourLevels(0, 1, 0.4).Count, 2);  // Round(2.5) = 2
  EXPECT_EQ(TContourLevels(0, 1, 0).Count, 0);    // no distance, no levels
  EXPECT_EQ(TContourLevels(0, 1, -0.1).Count, 0);
  EXPECT_EQ(TContourLevels(0, 1, 1e-300).Count, kMaxContourLevels);
}

// The index a rule gives, computed straight from its formula.
int Formula(double z, double lo, double hi, int nc) {
  return RoundToInt(nc * (z - lo) / (hi - lo));
}

TEST(ContourColorRules, IndicesAtLevelBoundaries) {
  const TContourColorRule r(0, 1, 4);  // colour boundaries at the exact halves 0.125, 0.375, ...
  struct Case {
    double z;
    int surface, cell;
  };
  for (const Case c :
       {Case{-0.5, 1, 0}, Case{0.0, 1, 0}, Case{0.1, 0, 0}, Case{0.125, 0, 0}, Case{0.126, 1, 1},
        Case{0.375, 2, 2}, Case{0.625, 2, 2}, Case{0.875, 4, 4}, Case{1.0, 4, 4}, Case{7.0, 4, 4},
        Case{std::numeric_limits<double>::infinity(), 4, 4}, Case{std::nan(""), 0, 0}}) {
    EXPECT_EQ(r.SurfaceIndex(c.z), c.surface) << c.z;
    EXPECT_EQ(r.CellIndex(c.z), c.cell) << c.z;
  }
  // Level colours: L(1) = 0 maps to 0, raised to 1; the last level stays below NC.
  const TContourLevels lv(0, 1, 0.25);
  ASSERT_EQ(lv.Count, 4);
  EXPECT_EQ(r.LevelIndex(lv.Value(1)), 1);
  EXPECT_EQ(r.LevelIndex(lv.Value(2)), 1);
  EXPECT_EQ(r.LevelIndex(lv.Value(3)), 2);
  EXPECT_EQ(r.LevelIndex(lv.Value(4)), 3);
  EXPECT_EQ(TContourColorRule(0, 1, 0).LevelIndex(0.5), 0);  // no colours at all
  EXPECT_EQ(r.LevelIndex(9), 4);
}

// The rules avoid a division where a multiplication decides; on values crowding the halves
// between indices they must still agree with the formula everywhere.
TEST(ContourColorRules, QuickPathAgreesWithTheFormula) {
  std::mt19937_64 rng(7);
  for (const auto& [lo, hi, nc] :
       {std::tuple{-1.0, 1.0, 20}, std::tuple{0.1, 0.7, 7}, std::tuple{-3e5, 1e6, 1000},
        std::tuple{2.0, 2.0001, 3}, std::tuple{-0.3, 0.9, 255}}) {
    const TContourColorRule r(lo, hi, nc);
    auto check = [&](double z) {
      const int f = std::min(Formula(z, lo, hi, nc), nc);
      EXPECT_EQ(r.SurfaceIndex(z), z <= lo ? 1 : f) << z;
      EXPECT_EQ(r.CellIndex(z), z < lo ? 0 : f) << z;
    };
    std::uniform_real_distribution<double> any(lo - (hi - lo) * 0.2, hi + (hi - lo) * 0.2);
    for (int i = 0; i < 5000; ++i) check(any(rng));
    for (int h = 0; h <= 2 * nc; ++h) {  // every half step, and 8 doubles either side
      double up = lo + (h * 0.5) * (hi - lo) / nc, down = up;
      check(up);
      for (int u = 0; u < 8; ++u) {
        check(up = std::nextafter(up, HUGE_VAL));
        check(down = std::nextafter(down, -HUGE_VAL));
      }
    }
  }
}

// The quick test may say "maybe" too often, never "no" where a scan line finds a level.
TEST(ContourLevels, QuickTestNeverMissesALevel) {
  std::mt19937_64 rng(11);
  for (const auto& [lo, hi, dist] :
       {std::tuple{-1.0, 1.0, 0.1}, std::tuple{1e9, 1e9 + 1, 1e-6}, std::tuple{-5.0, 5.0, 0.37}}) {
    const TContourLevels lv(lo, hi, dist);
    std::uniform_real_distribution<double> any(lo - 1, hi + 1);
    std::uniform_int_distribution<int> level(1, lv.Count);
    for (int i = 0; i < 20000; ++i) {
      double a = any(rng), b = any(rng);
      if (i % 3 == 0) a = lv.Value(level(rng));  // on a level
      if (i % 3 == 1) b = std::nextafter(lv.Value(level(rng)), HUGE_VAL);
      if (a > b) std::swap(a, b);
      const int k = lv.FirstAbove(a);
      const bool between = k <= lv.Count && lv.Value(k) < b;
      if (between) {
        ASSERT_TRUE(lv.MayLieBetween(a, b, 0)) << a << " " << b;
      }
    }
  }
}

}  // namespace
}  // namespace kiv
