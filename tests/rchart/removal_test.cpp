// Removing items: single items, the first and last, by class and by layer, with the counters and
// the container's slots in step, and the shift of records across the container's blocks.
#include <gtest/gtest.h>

#include <array>

#include "probe_chart.h"

namespace kiv {
namespace {

void ExpectCountersMatchItems(const ProbeChart& c) {
  std::array<int, kNumItemKinds> n{};
  for (int i = 0; i < c.NumItems(); ++i) ++n[c.GetChartItem(i).ItemKind];
  for (int k = 0; k < kNumItemKinds; ++k) EXPECT_EQ(c.ItemCount(TrcItem(k)), n[k]) << k;
}

std::vector<double> Xs(const ProbeChart& c) {
  std::vector<double> x;
  for (int i = 0; i < c.NumItems(); ++i) x.push_back(c.GetChartItem(i).x);
  return x;
}

TEST(Removal, SingleItemsKeepOrderCountersAndNotifySharingCharts) {
  ProbeChart c;
  c.MoveTo(0.0, 0.0);
  for (int i = 1; i <= 5; ++i) c.DrawTo(double(i), 0.0);
  c.MarkAt(6.0, 0.0, 1);
  int updates = c.shared_updates;

  c.RemoveItem(-1);
  c.RemoveItem(c.NumItems());
  EXPECT_EQ(c.NumItems(), 7);
  EXPECT_EQ(c.shared_updates, updates + 2);  // invalid indices still notify

  c.RemoveFirstItem();
  c.RemoveLastItem();
  c.RemoveItem(2);
  EXPECT_EQ(Xs(c), (std::vector<double>{1, 2, 4, 5}));
  EXPECT_EQ(c.ItemCount(tkMoveTo), 0);
  EXPECT_EQ(c.ItemCount(tkMarkAt), 0);
  EXPECT_EQ(c.ItemCount(tkLineto), 4);
  EXPECT_EQ(c.DataSlots(), 1000);  // slots stay while items remain
  EXPECT_EQ(c.shared_updates, updates + 5);

  while (c.NumItems() > 1) c.RemoveLastItem();
  c.RemoveItem(0);  // the only item: the container shrinks to one slot
  EXPECT_EQ(c.NumItems(), 0);
  EXPECT_EQ(c.DataSlots(), 1);
  EXPECT_EQ(c.NumAllocData(), 0);
  ExpectCountersMatchItems(c);
  c.RemoveLastItem();  // nothing left: no change, no fault
  c.DrawTo(1.0, 1.0);
  EXPECT_EQ(c.DataSlots(), 1000);
  c.RemoveLastItem();
  EXPECT_EQ(c.DataSlots(), 1);
  EXPECT_EQ(c.NumAllocData(), 0);
}

TEST(Removal, ByClassAndByLayerCompactInOrder) {
  ProbeChart c;
  for (int i = 0; i < 12; ++i) {
    c.SetClassDefault(static_cast<std::uint8_t>(i % 3 + 2));  // classes 2, 3, 4
    c.SetActiveLayer(i % 4 == 0 ? 2 : 1);
    if (i % 2)
      c.MarkAt(double(i), 0.0, 0);
    else
      c.DrawTo(double(i), 0.0);
  }
  EXPECT_EQ(c.RemoveItemsByClass(3), 4);
  EXPECT_EQ(Xs(c), (std::vector<double>{0, 2, 3, 5, 6, 8, 9, 11}));
  ExpectCountersMatchItems(c);
  EXPECT_EQ(c.RemoveItemsByLayer(2), 2);  // 0 and 8; the layer-2 item 4 went with class 3
  EXPECT_EQ(Xs(c), (std::vector<double>{2, 3, 5, 6, 9, 11}));
  ExpectCountersMatchItems(c);
  EXPECT_EQ(c.RemoveItemsByClass(255), 0);  // an ordinary class here
  EXPECT_EQ(c.RemoveItemsByLayer(7), 0);
  EXPECT_EQ(c.RemoveItemsByClass(2), 3);
  EXPECT_EQ(c.RemoveItemsByClass(4), 3);
  EXPECT_EQ(c.NumItems(), 0);
  ExpectCountersMatchItems(c);
}

// Large containers keep their records in blocks of 2^18; removing near the front shifts every
// later record, across the block boundaries.
TEST(Removal, RecordsMoveAcrossContainerBlocks) {
  ProbeChart c;
  c.SetAllocSize(1000000);
  const int n = TRcItemContainer::kBlockItems * 2 + 3;
  for (int i = 0; i < n; ++i) c.DrawTo(double(i), 0.0);
  c.RemoveItem(5);
  c.RemoveItem(TRcItemContainer::kBlockItems - 1);  // the last record of the first block
  ASSERT_EQ(c.NumItems(), n - 2);
  for (int i = 0; i < c.NumItems(); ++i) {
    const double want = i < 5 ? i : (i < TRcItemContainer::kBlockItems - 1 ? i + 1 : i + 2);
    if (c.GetChartItem(i).x != want) FAIL() << "item " << i << " is " << c.GetChartItem(i).x;
  }
}

TEST(Removal, AnnotationsAreRemovedWithoutCountersOrSharing) {
  ProbeChart c;
  c.SetAnnoMode(true);
  for (int i = 0; i < 3; ++i) c.MarkAt(double(i), 0.0, 0);
  const int updates = c.shared_updates;
  c.RemoveAnnoItem(1);
  c.RemoveAnnoItem(7);
  EXPECT_EQ(c.NumAnnos(), 2);
  EXPECT_EQ(c.GetAnnoItem(1).x, 2);
  c.RemoveAnnoItem(0);
  c.RemoveAnnoItem(0);
  EXPECT_EQ(c.NumAnnos(), 0);
  EXPECT_EQ(c.AnnoSlots(), 1);
  EXPECT_EQ(c.NumAllocAnno(), 0);
  EXPECT_EQ(c.shared_updates, updates);
  EXPECT_EQ(c.ItemCount(tkMarkAt), 0);
}

}  // namespace
}  // namespace kiv
