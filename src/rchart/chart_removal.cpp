// Removal of items from the chart's containers: single items by index, the first and last data
// item, and all data items of a class or a layer, with the per-kind counters kept in step.
#include <algorithm>
#include <cstring>

#include "rchart/customrchart.h"

namespace kiv {

namespace {

// Moves the records of slots from + 1 .. end - 1 one slot down, a block's worth at a time.
void ShiftDown(TRcItemContainer& c, int from, int end) {
  int i = from;
  while (i < end - 1) {
    const int last = std::min(c.ContiguousEnd(i), end) - 1;  // last slot of i's block to fill
    if (last > i) {
      std::memmove(static_cast<void*>(&c[i]), &c[i + 1],
                   static_cast<std::size_t>(last - i) * sizeof(TrcChartItem));
    }
    if (last + 1 < end) c[last] = c[last + 1];  // the first record of the next block
    i = last + 1;
  }
}

// Keeps the records for which keep(record) is true, in order; returns how many remain.
template <typename Keep>
int Compact(TRcItemContainer& c, int count, Keep keep) {
  int w = 0;
  for (int r = 0; r < count; ++r) {
    if (!keep(c[r])) continue;
    if (w != r) c[w] = c[r];
    ++w;
  }
  return w;
}

}  // namespace

void TCustomRChart::RemoveItem(int Index) {
  if (ValidDataIndex(Index)) {
    TRcItemContainer& c = *FDataContainer;
    if (FNumChartItems == 1) {
      c.Resize(1);
      FNumAllocData = 0;
      FNumChartItems = 0;
      FItemCount.fill(0);
    } else {
      const TrcItem kind = c[Index].ItemKind;
      if (kind < kNumItemKinds) --FItemCount[kind];
      ShiftDown(c, Index, std::min(FNumChartItems, c.Size()));
      --FNumChartItems;
    }
  }
  AdjustCanInfoOfSharedCharts();
}

void TCustomRChart::RemoveLastItem() {
  if (ValidDataIndex(FNumChartItems - 1)) {
    const TrcItem kind = (*FDataContainer)[FNumChartItems - 1].ItemKind;
    if (kind < kNumItemKinds) --FItemCount[kind];
    --FNumChartItems;
    if (FNumChartItems == 0) {
      FDataContainer->Resize(1);
      FNumAllocData = 0;
      FItemCount.fill(0);
    }
  }
  AdjustCanInfoOfSharedCharts();
}

void TCustomRChart::RemoveAnnoItem(int Index) {
  if (!ValidAnnoIndex(Index)) return;
  TRcItemContainer& c = *FAnnoContainer;
  if (FNumAnnoItems == 1) {
    c.Resize(1);
    FNumAllocAnno = 0;
    FNumAnnoItems = 0;
    return;
  }
  ShiftDown(c, Index, std::min(FNumAnnoItems, c.Size()));
  --FNumAnnoItems;
}

int TCustomRChart::RemoveItemsByClass(std::uint8_t ClassNumber) {
  const int before = std::min(FNumChartItems, FDataContainer->Size());
  FNumChartItems = Compact(*FDataContainer, before, [&](const TrcChartItem& it) {
    if (it.ItemClass != ClassNumber) return true;
    if (it.ItemKind < kNumItemKinds) --FItemCount[it.ItemKind];
    return false;
  });
  AdjustCanInfoOfSharedCharts();
  return before - FNumChartItems;
}

int TCustomRChart::RemoveItemsByLayer(int Layer) {
  const int before = std::min(FNumChartItems, FDataContainer->Size());
  FNumChartItems = Compact(*FDataContainer, before, [&](const TrcChartItem& it) {
    if (it.Layer != Layer) return true;
    if (it.ItemKind < kNumItemKinds) --FItemCount[it.ItemKind];
    return false;
  });
  AdjustCanInfoOfSharedCharts();
  return before - FNumChartItems;
}

}  // namespace kiv
