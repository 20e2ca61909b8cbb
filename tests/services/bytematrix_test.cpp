// Byte matrix: 1-based (column, row) access, reads and writes outside, resizing, filling.
#include "services/bytematrix.h"

#include <gtest/gtest.h>

#include <limits>

#include "platform/errors.h"

namespace kiv {
namespace {

TEST(ByteMatrix, IsOneBasedByColumnAndRow) {
  TByteMatrix m(3, 2);
  EXPECT_EQ(m.NrOfColumns(), 3);
  EXPECT_EQ(m.NrOfRows(), 2);
  m.SetByte(3, 1, 7);
  m.SetByte(1, 2, 255);
  EXPECT_EQ(m.GetByte(3, 1), 7);
  EXPECT_EQ(m.GetByte(1, 2), 255);
  EXPECT_EQ(m.GetByte(1, 1), 0);
}

TEST(ByteMatrix, OutsideReadsGiveZeroAndWritesAreIgnored) {
  TByteMatrix m(2, 2);
  m.Fill(9);
  int changes = 0;
  m.OnChange = [&](TObject*) { ++changes; };
  for (auto [c, r] : {std::pair{0, 1}, {1, 0}, {3, 1}, {1, 3}, {-5, -5}}) {
    EXPECT_EQ(m.GetByte(c, r), 0) << c << "," << r;
    m.SetByte(c, r, 1);
  }
  EXPECT_EQ(m.GetByte(std::numeric_limits<int>::max(), 1), 0);
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(m.GetByte(2, 2), 9);
}

TEST(ByteMatrix, ResizeKeepsTheOverlapAndZeroesNewCells) {
  TByteMatrix m(2, 2);
  m.Fill(5);
  m.Resize(3, 1);
  EXPECT_EQ(m.GetByte(2, 1), 5);
  EXPECT_EQ(m.GetByte(3, 1), 0);
  EXPECT_EQ(m.GetByte(2, 2), 0);
  m.Resize(0, 4);
  EXPECT_EQ(m.GetByte(1, 1), 0);
}

TEST(ByteMatrix, ImpossibleSizesRaiseAndKeepTheMatrix) {
  TByteMatrix m(2, 2);
  m.SetByte(2, 2, 3);
  EXPECT_THROW(m.Resize(-1, 2), EKIVError);
  EXPECT_THROW(m.Resize(1 << 20, 1 << 20), EKIVError);
  EXPECT_EQ(m.NrOfColumns(), 2);
  EXPECT_EQ(m.GetByte(2, 2), 3);
  try {
    m.Resize(-1, 1);
  } catch (const EKIVError& e) {
    EXPECT_NE(std::string(e.what()).find("TByteMatrix"), std::string::npos) << e.what();
  }
}

TEST(ByteMatrix, AssignCopiesTheCells) {
  TByteMatrix a(2, 3);
  a.SetByte(2, 3, 200);
  TByteMatrix b;
  b.Assign(a);
  EXPECT_EQ(b.NrOfRows(), 3);
  EXPECT_EQ(b.GetByte(2, 3), 200);
}

}  // namespace
}  // namespace kiv
