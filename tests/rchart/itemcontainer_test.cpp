#include "rchart/itemcontainer.h"

#include <gtest/gtest.h>

#include "platform/errors.h"

namespace kiv {
namespace {

constexpr int kBlock = TRcItemContainer::kBlockItems;

void Mark(TRcItemContainer& c, int i) {
  c[i].x = i;
  c[i].Tag = i + 1;
  c[i].ItemKind = tkLine;
}

bool IsZero(const TrcChartItem& item) {
  return item.x == 0 && item.Tag == 0 && item.ItemKind == tkNone && item.Layer == 0;
}

TEST(ItemContainer, GrowingKeepsRecordsAndZeroFillsNewSlots) {
  TRcItemContainer c(1);
  Mark(c, 0);
  c.Resize(1000);
  EXPECT_EQ(c.Size(), 1000);
  EXPECT_EQ(c[0].Tag, 1);
  EXPECT_TRUE(IsZero(c[999]));
  for (int i = 0; i < 1000; ++i) Mark(c, i);
  c.Resize(5000);  // the small block is replaced by a larger one
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(c[i].Tag, i + 1);
  EXPECT_TRUE(IsZero(c[1000]));
  EXPECT_TRUE(IsZero(c[4999]));
}

TEST(ItemContainer, RecordsSurviveTheStepFromSmallToFullBlocks) {
  TRcItemContainer c;
  int size = 0;
  // Growth by 1000 as a chart does, across the end of the small block and of the first full
  // block; every record written stays where it is.
  while (size < kBlock + 5000) {
    c.Resize(size + 1000);
    for (int i = size; i < size + 1000; ++i) {
      ASSERT_TRUE(IsZero(c[i])) << i;
      Mark(c, i);
    }
    size += 1000;
  }
  for (int i = 0; i < size; ++i) ASSERT_EQ(c[i].Tag, i + 1) << i;
  EXPECT_GE(c.Capacity(), size);
  EXPECT_LE(c.Capacity(), size + kBlock);
}

TEST(ItemContainer, SlotsDroppedByShrinkingComeBackZeroed) {
  TRcItemContainer c(kBlock + 10);
  for (int i : {0, 1, 5, kBlock - 1, kBlock, kBlock + 9}) Mark(c, i);
  c.Resize(1);
  EXPECT_EQ(c.Size(), 1);
  EXPECT_EQ(c[0].Tag, 1);
  c.Resize(kBlock + 10);
  EXPECT_EQ(c[0].Tag, 1);
  for (int i : {1, 5, kBlock - 1, kBlock, kBlock + 9}) EXPECT_TRUE(IsZero(c[i])) << i;

  c.Resize(3);  // shrinking inside a block keeps the block; regrowing must still clear
  c.Resize(6);
  EXPECT_TRUE(IsZero(c[5]));
}

// Released full blocks are kept for the next container, with their old records: every way a
// container takes blocks must still give zero slots where it grows, except those a caller
// writes whole itself.
TEST(ItemContainer, KeptBlocksOfOtherContainersComeBackZeroed) {
  const auto fill_and_drop = [] {
    TRcItemContainer old(3 * kBlock);
    for (int i = 0; i < 3 * kBlock; ++i) Mark(old, i);
  };
  const auto all_zero = [](const TRcItemContainer& c, int from, int to) {
    for (int i = from; i < to; ++i)
      if (!IsZero(c[i])) return false;
    return true;
  };
  fill_and_drop();
  TRcItemContainer grown;
  grown.Resize(2 * kBlock + 7);  // a full first block and a second one, both kept blocks
  EXPECT_TRUE(all_zero(grown, 0, 2 * kBlock + 7));
  grown.Resize(2 * kBlock + 1000);  // the rest of the kept second block
  EXPECT_TRUE(all_zero(grown, 2 * kBlock + 7, 2 * kBlock + 1000));

  fill_and_drop();
  TRcItemContainer small(kBlock / 2);  // small block replaced by a kept full one as it grows
  Mark(small, 3);
  small.Resize(kBlock + 100);
  EXPECT_EQ(small[3].Tag, 4);
  EXPECT_TRUE(all_zero(small, 4, kBlock + 100));

  fill_and_drop();
  TRcItemContainer source(kBlock + 10);  // copies take kept blocks too
  Mark(source, kBlock + 2);
  TRcItemContainer copy(source);
  EXPECT_EQ(copy[kBlock + 2].Tag, kBlock + 3);
  copy.Resize(copy.Capacity());
  EXPECT_TRUE(all_zero(copy, kBlock + 10, copy.Capacity()));

  // A caller that writes whole records gets its slots as they come, the others zeroed.
  fill_and_drop();
  TRcItemContainer written;
  written.Resize(kBlock + 50, kBlock + 40);
  EXPECT_TRUE(all_zero(written, kBlock + 40, kBlock + 50));
  TRcItemContainer::ReleaseKeptBlocks();
}

TEST(ItemContainer, ShrinkingReturnsMemory) {
  TRcItemContainer c(3 * kBlock);
  c.Resize(1);
  EXPECT_LT(c.Capacity(), 100);
  c.Resize(0);
  EXPECT_EQ(c.Capacity(), 0);
  EXPECT_EQ(c.Size(), 0);
}

TEST(ItemContainer, CopiesAreIndependent) {
  TRcItemContainer a(kBlock + 2);
  Mark(a, 0);
  Mark(a, kBlock + 1);
  TRcItemContainer b(a);
  EXPECT_EQ(b.Size(), kBlock + 2);
  EXPECT_EQ(b[kBlock + 1].Tag, kBlock + 2);
  b[0].Tag = 77;
  EXPECT_EQ(a[0].Tag, 1);
  TRcItemContainer small(3);
  small = a;
  EXPECT_EQ(small[0].Tag, 1);
  EXPECT_EQ(small.Size(), a.Size());
}

TEST(ItemContainer, BadSizesAreRefusedOrClamped) {
  TRcItemContainer c(10);
  Mark(c, 9);
  c.Resize(-5);
  EXPECT_EQ(c.Size(), 0);
  c.Resize(10);
  EXPECT_THROW(c.Resize(TRcItemContainer::kMaxSlots + 1), EKIVError);
  EXPECT_EQ(c.Size(), 10);
  EXPECT_TRUE(c.Contains(9));
  EXPECT_FALSE(c.Contains(10));
  EXPECT_FALSE(c.Contains(-1));
}

// --- Long texts.

TrcChartItem TextItem() {
  TrcChartItem item;
  ClearChartItem(item);
  item.ItemKind = tkText;
  return item;
}

TEST(LongTextTable, ShortLatin1TextsNeedNoEntry) {
  TLongTextArray table;
  int used = 0;
  TrcChartItem item = TextItem();
  StoreTextWithTable(item, "just 15 chars!!", table, used);
  EXPECT_EQ(item.LWid, 0);
  EXPECT_EQ(used, 0);
  EXPECT_EQ(FullItemText(item, table, used), "just 15 chars!!");
}

TEST(LongTextTable, TextsTheFieldCannotHoldGetAnEntry) {
  TLongTextArray table;
  int used = 0;
  TrcChartItem a = TextItem();
  StoreTextWithTable(a, "sixteen chars!!!", table, used);
  EXPECT_EQ(a.LWid, 1);
  EXPECT_EQ(ItemTextToUtf8(a.Text), "sixteen chars!!");
  EXPECT_EQ(FullItemText(a, table, used), "sixteen chars!!!");

  TrcChartItem b = TextItem();
  StoreTextWithTable(b, "ΔT", table, used);  // short, but not Latin-1
  EXPECT_EQ(b.LWid, 2);
  EXPECT_EQ(ItemTextToUtf8(b.Text), "?T");
  EXPECT_EQ(FullItemText(b, table, used), "ΔT");
  EXPECT_EQ(used, 2);
}

TEST(LongTextTable, AnItemKeepsItsEntryWhenItsTextChanges) {
  TLongTextArray table;
  int used = 0;
  TrcChartItem a = TextItem();
  StoreTextWithTable(a, "a first long text", table, used);
  StoreTextWithTable(a, "a second long text", table, used);
  EXPECT_EQ(a.LWid, 1);
  EXPECT_EQ(used, 1);
  EXPECT_EQ(table[0], "a second long text");
  // A short text leaves the entry behind, unused; entries are never reused.
  StoreTextWithTable(a, "short", table, used);
  EXPECT_EQ(a.LWid, 0);
  EXPECT_EQ(FullItemText(a, table, used), "short");
  StoreTextWithTable(a, "long once again!", table, used);
  EXPECT_EQ(a.LWid, 2);
}

TEST(LongTextTable, AFullTableKeeps15Characters) {
  TLongTextArray table;
  int used = 0;
  for (int i = 0; i < kMaxLongTexts; ++i) {
    TrcChartItem item = TextItem();
    StoreTextWithTable(item, "long text number " + std::to_string(i + 1), table, used);
    ASSERT_EQ(item.LWid, i + 1);
  }
  TrcChartItem last = TextItem();
  StoreTextWithTable(last, "long text number 51", table, used);
  EXPECT_EQ(last.LWid, 0);
  EXPECT_EQ(used, kMaxLongTexts);
  EXPECT_EQ(FullItemText(last, table, used), "long text numbe");
}

TEST(LongTextTable, NumbersNamingNoUsedEntryAreNotFollowed) {
  TLongTextArray table;
  int used = 1;
  table[0] = "entry one";
  table[1] = "stale entry two";
  TrcChartItem item = TextItem();
  StoreItemText(item.Text, "own text");
  for (int bad : {-1, 2, 50, 51, 1000}) {
    item.LWid = bad;
    EXPECT_EQ(FullItemText(item, table, used), "own text") << bad;
  }
  item.LWid = 7;  // unusable: a long text gets a new entry instead
  StoreTextWithTable(item, "a new long text!", table, used);
  EXPECT_EQ(item.LWid, 2);
  EXPECT_EQ(table[1], "a new long text!");
}

}  // namespace
}  // namespace kiv
