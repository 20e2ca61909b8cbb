#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "rot3d/rot3d.h"

namespace kiv {
namespace {

using namespace rot3d;

template <typename T>
T Read(const unsigned char* bytes, std::size_t at) {
  T v;
  std::memcpy(&v, bytes + at, sizeof v);
  return v;
}

TEST(Rot3DItems, RecordBytes) {
  TRot3D r(nullptr);
  r.SetColorData(static_cast<TColor>(0x7F123456));  // only the low 24 bits are kept
  r.SetDataTag(-7);
  r.SetLineWidth(40);  // limited to 32
  r.Line(1.5, -2, 3, 4, 5, -6.25);
  const Tr3ChartItem it = r.GetChartItem(0);
  unsigned char b[sizeof(Tr3ChartItem)];
  std::memcpy(b, &it, sizeof b);
  EXPECT_EQ(sizeof b, 72u);
  EXPECT_EQ(Read<double>(b, 0), 1.5);
  EXPECT_EQ(Read<double>(b, 8), -2);
  EXPECT_EQ(Read<double>(b, 16), 3);
  EXPECT_EQ(Read<std::int32_t>(b, 24), 0x123456);
  EXPECT_EQ(Read<std::int32_t>(b, 28), -7);
  EXPECT_EQ(b[32], tkLine);
  EXPECT_EQ(Read<double>(b, 40), 4);
  EXPECT_EQ(Read<double>(b, 48), 5);
  EXPECT_EQ(Read<double>(b, 56), -6.25);
  EXPECT_EQ(b[64], 32);
  for (std::size_t pad : {33u, 34u, 35u, 36u, 37u, 38u, 39u, 65u, 66u, 67u, 68u, 69u, 70u, 71u})
    EXPECT_EQ(b[pad], 0) << pad;
}

TEST(Rot3DItems, AddingReadingAndReplacing) {
  TRot3D r(nullptr);
  EXPECT_EQ(r.TypeOfFirstItem(), tkNone);
  EXPECT_EQ(r.TypeOfLastItem(), tkNone);
  r.MarkAt(1, 2, 3, 17);
  r.Moveto(0, 0, 0);
  r.SetLineWidth(3);
  r.Drawto(1, 1, 1);
  EXPECT_EQ(r.NumItems(), 3);
  EXPECT_EQ(r.TypeOfFirstItem(), tkMarkAt);
  EXPECT_EQ(r.TypeOfLastItem(), tkLineto);
  EXPECT_EQ(r.GetChartItem(0).marklw, 17);
  EXPECT_EQ(r.GetChartItem(2).marklw, 3);
  EXPECT_EQ(r.GetChartItem(3).ItemKind, tkNone);
  EXPECT_EQ(r.GetChartItem(-1).ItemKind, tkNone);
  Tr3ChartItem it = r.GetChartItem(0);
  it.x = 9;
  r.SetChartitem(1, it);
  r.SetChartitem(3, it);  // outside: ignored
  EXPECT_EQ(r.GetChartItem(1).x, 9);
  EXPECT_EQ(r.NumItems(), 3);
  it.ItemKind = tkEverything;
  r.SetItemParams(1, it);  // not a storable kind
  it.ItemKind = tkNone;
  r.SetItemParams(1, it);
  EXPECT_EQ(r.GetItemParams(1).ItemKind, tkMarkAt);
  r.SetAllocSize(0);
  r.SetAllocSize(1000001);
  EXPECT_EQ(r.AllocSize(), 1000);
  r.SetAllocSize(1);
  EXPECT_EQ(r.AllocSize(), 1);
}

TEST(Rot3DItems, Removing) {
  TRot3D r(nullptr);
  for (int i = 0; i < 4; ++i) r.MarkAt(i, 0, 0, 1);
  r.RemoveItem(4);
  r.RemoveItem(-1);
  EXPECT_EQ(r.NumItems(), 4);
  r.RemoveItem(1);  // later items move down
  EXPECT_EQ(r.GetChartItem(1).x, 2);
  r.RemoveFirstItem();
  EXPECT_EQ(r.GetChartItem(0).x, 2);
  r.RemoveLastItem();
  EXPECT_EQ(r.NumItems(), 1);
  r.RemoveLastItem();
  EXPECT_EQ(r.NumItems(), 0);
  r.RemoveLastItem();
  EXPECT_EQ(r.NumItems(), 0);
  r.MarkAt(5, 5, 5, 1);
  r.Clear();
  EXPECT_EQ(r.NumItems(), 0);
  EXPECT_EQ(r.TypeOfLastItem(), tkNone);
}

TEST(Rot3DItems, NearestItemInWorldCoordinates) {
  TRot3D r(nullptr);
  double dist = 0;
  EXPECT_EQ(r.FindNearestItemReal(0, 0, 0, tkEverything, dist), -1);
  r.MarkAt(0, 0, 0, 1);
  r.Line(3, 4, 0, 100, 100, 100);  // its first point counts
  r.MarkAt(3, 4, 0, 1);            // as near as the line: the first one wins
  r.Moveto(10, 0, 0);
  EXPECT_EQ(r.FindNearestItemReal(3, 4, 1, tkEverything, dist), 1);
  EXPECT_DOUBLE_EQ(dist, 1);
  EXPECT_EQ(r.FindNearestItemReal(3, 4, 1, tkMarkAt, dist), 2);
  EXPECT_EQ(r.FindNearestItemReal(100, 100, 100, tkMoveto, dist), 3);
  EXPECT_EQ(r.FindNearestItemReal(0, 0, 0, tkLineto, dist), -1);
  EXPECT_EQ(r.FindNearestItemReal(0, 0, 0, tkNone, dist), -1);
  EXPECT_EQ(dist, std::sqrt(std::numeric_limits<double>::max()));
}

}  // namespace
}  // namespace kiv
