#include "services/vector.h"

#include <gtest/gtest.h>

#include "platform/errors.h"

namespace kiv {
namespace {

TEST(Vector, ResizeKeepsLeadingValuesAndOutsideAccessIsHarmless) {
  TVector v(3);
  v.SetVal(1, 1.5);
  v.SetVal(3, 3.5);
  v.SetVal(0, 9.0);
  v.SetVal(4, 9.0);
  EXPECT_EQ(v.GetVal(0), 0.0);
  EXPECT_EQ(v.GetVal(4), 0.0);
  v.SetVecSize(5);
  EXPECT_EQ(v.NrOfElem(), 5);
  EXPECT_EQ(v.GetVal(3), 3.5);
  EXPECT_EQ(v.Elem(5), 0.0);
  v.Resize(2);
  EXPECT_EQ(v.GetVal(1), 1.5);
  EXPECT_EQ(v.GetVal(3), 0.0);
  EXPECT_THROW(v.Resize(-1), EKIVError);
  EXPECT_THROW(v.Resize(2000000000), EKIVError);
  EXPECT_EQ(v.NrOfElem(), 2);
}

TEST(Vector, PercentileAndMinMaxOverARange) {
  TVector v(6);
  const double values[] = {4, 8, 15, 16, 23, 42};
  for (int i = 1; i <= 6; ++i) v.SetVal(i, values[i - 1]);
  // Elements 2..5 are 8, 15, 16, 23: median between 15 and 16; 25th at position 1.75.
  EXPECT_DOUBLE_EQ(v.Percentile(50, 2, 5), 15.5);
  EXPECT_DOUBLE_EQ(v.Percentile(25, 5, 2), 13.25);
  EXPECT_DOUBLE_EQ(v.Percentile(100, 0, 99), 42.0);
  EXPECT_EQ(v.Percentile(50, 1, 0), 4.0);  // clipped to element 1
  EXPECT_EQ(v.Percentile(50, 8, 9), 0.0);  // nothing left
  double lo, hi;
  EXPECT_EQ(v.MinMax(3, 4, lo, hi), 2);
  EXPECT_EQ(lo, 15.0);
  EXPECT_EQ(hi, 16.0);
  v.Fill(1.0);
  EXPECT_EQ(v.MinMax(lo, hi), 6);
  EXPECT_EQ(hi, 1.0);
}

TEST(Vector, AssignCopiesValuesAndNotifies) {
  TVector a(2);
  TVector b(3);
  b.SetVal(3, 7.0);
  int calls = 0;
  a.OnChange = [&](TObject*) { ++calls; };
  a.Assign(b);
  EXPECT_EQ(a.NrOfElem(), 3);
  EXPECT_EQ(a.GetVal(3), 7.0);
  EXPECT_EQ(calls, 1);
}

}  // namespace
}  // namespace kiv
