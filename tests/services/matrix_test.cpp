#include "services/matrix.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>

#include "platform/errors.h"

namespace kiv {
namespace {

TEST(Matrix, StartsEmptyAndTakesItsSize) {
  TMatrix empty;
  EXPECT_EQ(empty.NrOfColumns(), 0);
  EXPECT_EQ(empty.NrOfRows(), 0);
  TMatrix m(3, 2);
  EXPECT_EQ(m.NrOfColumns(), 3);
  EXPECT_EQ(m.NrOfRows(), 2);
  EXPECT_EQ(m.GetVal(3, 2), 0.0);
}

TEST(Matrix, IndicesAreColumnThenRowFromOne) {
  TMatrix m(3, 2);
  m.SetVal(3, 1, 31.0);
  m.SetVal(1, 2, 12.0);
  EXPECT_EQ(m.GetVal(3, 1), 31.0);
  EXPECT_EQ(m.GetVal(1, 2), 12.0);
  EXPECT_EQ(m.Elem(3, 1), 31.0);
  m.SetElem(2, 2, 22.0);
  EXPECT_EQ(m.GetVal(2, 2), 22.0);
  EXPECT_EQ(m.GetVal(2, 1), 0.0);
}

TEST(Matrix, ReadsOutsideGiveZeroAndWritesOutsideAreIgnored) {
  TMatrix m(2, 2);
  m.Fill(7.0);
  const std::pair<int, int> outside[] = {{0, 1}, {1, 0}, {3, 1}, {1, 3}, {-5, -5}, {1 << 30, 1}};
  for (auto [c, r] : outside) {
    EXPECT_EQ(m.GetVal(c, r), 0.0) << c << "," << r;
    m.SetVal(c, r, 99.0);
  }
  double lo, hi;
  m.MinMax(lo, hi);
  EXPECT_EQ(lo, 7.0);
  EXPECT_EQ(hi, 7.0);
  TMatrix empty;
  empty.SetVal(1, 1, 5.0);
  EXPECT_EQ(empty.GetVal(1, 1), 0.0);
}

TEST(Matrix, ResizeKeepsTheOverlapAndZeroesNewCells) {
  TMatrix m(3, 3);
  for (int c = 1; c <= 3; ++c) {
    for (int r = 1; r <= 3; ++r) m.SetVal(c, r, 10 * c + r);
  }
  m.Resize(2, 4);
  EXPECT_EQ(m.GetVal(1, 1), 11.0);
  EXPECT_EQ(m.GetVal(2, 3), 23.0);
  EXPECT_EQ(m.GetVal(2, 4), 0.0);
  EXPECT_EQ(m.GetVal(3, 1), 0.0);  // the dropped column is gone
  m.Resize(4, 2);
  EXPECT_EQ(m.GetVal(2, 2), 22.0);
  EXPECT_EQ(m.GetVal(2, 3), 0.0);
  EXPECT_EQ(m.GetVal(4, 1), 0.0);
  m.Resize(0, 0);
  EXPECT_EQ(m.NrOfColumns(), 0);
  m.Resize(1, 1);
  EXPECT_EQ(m.GetVal(1, 1), 0.0);
}

TEST(Matrix, ImpossibleSizesRaiseAndLeaveTheMatrixAlone) {
  TMatrix m(2, 2);
  m.SetVal(2, 2, 4.0);
  EXPECT_THROW(m.Resize(-1, 5), EKIVError);
  EXPECT_THROW(m.Resize(5, -1), EKIVError);
  EXPECT_THROW(m.Resize(1 << 30, 1 << 30), EKIVError);  // product overflows 32 bits
  EXPECT_THROW(m.Resize(100000, 100000), EKIVError);
  EXPECT_THROW(TMatrix(-3, 2), EKIVError);
  EXPECT_EQ(m.NrOfColumns(), 2);
  EXPECT_EQ(m.GetVal(2, 2), 4.0);
  try {
    m.Resize(-1, 5);
  } catch (const EKIVError& e) {
    EXPECT_NE(e.Message().find("TMatrix"), std::string::npos) << e.Message();
  }
  EXPECT_NO_THROW(m.Resize(0, 1000));  // zero columns: empty, but allowed
}

TEST(Matrix, MinMaxOverAClippedBlockInAnyCornerOrder) {
  TMatrix m(3, 3);
  for (int c = 1; c <= 3; ++c) {
    for (int r = 1; r <= 3; ++r) m.SetVal(c, r, c * r);  // 1..9
  }
  double lo, hi;
  EXPECT_EQ(m.MinMax(2, 2, 3, 3, lo, hi), 4);
  EXPECT_EQ(lo, 4.0);
  EXPECT_EQ(hi, 9.0);
  EXPECT_EQ(m.MinMax(3, 3, 2, 2, lo, hi), 4);
  EXPECT_EQ(lo, 4.0);
  EXPECT_EQ(m.MinMax(-10, 0, 1, 100, lo, hi), 3);  // column 1 only
  EXPECT_EQ(lo, 1.0);
  EXPECT_EQ(hi, 3.0);
  EXPECT_EQ(m.MinMax(5, 5, 9, 9, lo, hi), 0);
  EXPECT_EQ(lo, 0.0);
  EXPECT_EQ(hi, 0.0);
  m.SetVal(1, 1, std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(m.MinMax(lo, hi), 8);
  EXPECT_EQ(lo, 2.0);
}

TEST(Matrix, PercentileInterpolatesBetweenClosestRanks) {
  // Values 1..10 in a 2 x 5 block: position 1 + 9 p / 100 in the sorted list.
  TMatrix m(2, 5);
  for (int i = 0; i < 10; ++i) m.SetVal(1 + i / 5, 1 + i % 5, 10 - i);
  EXPECT_DOUBLE_EQ(m.Percentile(0), 1.0);
  EXPECT_DOUBLE_EQ(m.Percentile(100), 10.0);
  EXPECT_DOUBLE_EQ(m.Percentile(50), 5.5);
  EXPECT_DOUBLE_EQ(m.Percentile(25), 3.25);
  EXPECT_DOUBLE_EQ(m.Percentile(10), 1.9);
  EXPECT_DOUBLE_EQ(m.Percentile(90), 9.1);
  EXPECT_DOUBLE_EQ(m.Percentile(-5), 1.0);    // clamped to 0
  EXPECT_DOUBLE_EQ(m.Percentile(250), 10.0);  // clamped to 100
  // Column 2 holds 5, 4, 3, 2, 1.
  EXPECT_DOUBLE_EQ(m.Percentile(50, 2, 1, 2, 5), 3.0);
  EXPECT_DOUBLE_EQ(m.Percentile(75, 2, 5, 2, 1), 4.0);
  EXPECT_EQ(m.Percentile(50, 7, 7, 9, 9), 0.0);  // no cells in the block
  EXPECT_TRUE(std::isnan(m.Percentile(std::numeric_limits<double>::quiet_NaN())));
}

TEST(Matrix, CopiesTakeValuesButNotTheNotification) {
  TMatrix a(2, 2);
  a.SetVal(1, 2, 3.5);
  int calls = 0;
  a.OnChange = [&](TObject* sender) {
    EXPECT_EQ(sender, &a);
    ++calls;
  };
  TMatrix b(a);
  EXPECT_EQ(b.GetVal(1, 2), 3.5);
  EXPECT_FALSE(b.OnChange);
  b.SetVal(1, 2, 8.0);
  a.Assign(b);
  EXPECT_EQ(a.GetVal(1, 2), 8.0);
  EXPECT_EQ(calls, 1);
  TIntMatrix other;
  EXPECT_THROW(a.Assign(other), EKIVError);
}

TEST(Matrix, ReportsChangesOnceInsideAnUpdate) {
  TMatrix m(2, 2);
  int calls = 0;
  m.OnChange = [&](TObject*) { ++calls; };
  m.SetVal(1, 1, 1.0);
  m.SetVal(9, 9, 1.0);  // outside: nothing changes
  m.Resize(2, 2);       // same size: nothing changes
  EXPECT_EQ(calls, 1);
  m.BeginUpdate();
  m.Fill(2.0);
  m.Resize(3, 3);
  m.SetVal(3, 3, 5.0);
  EXPECT_EQ(calls, 1);
  m.EndUpdate();
  EXPECT_EQ(calls, 2);
  m.EndUpdate();  // unmatched: harmless
  EXPECT_EQ(calls, 2);
}

TEST(IntMatrix, HoldsIntegersWithTheSameRules) {
  TIntMatrix m(2, 3);
  m.SetVal(2, 3, -7);
  m.SetVal(1, 1, 2147483647);
  EXPECT_EQ(m.GetVal(2, 3), -7);
  EXPECT_EQ(m.GetVal(0, 3), 0);
  std::int32_t lo, hi;
  EXPECT_EQ(m.MinMax(lo, hi), 6);
  EXPECT_EQ(lo, -7);
  EXPECT_EQ(hi, 2147483647);
  m.Resize(1, 1);
  EXPECT_EQ(m.GetVal(1, 1), 2147483647);
  EXPECT_THROW(m.Resize(-2, 1), EKIVError);
}

}  // namespace
}  // namespace kiv
