// Storage of chart items: TRcItemContainer, a growable array of TrcChartItem kept in fixed-size
// blocks, and TLongTextArray, the table of full texts of a container's text items.
#pragma once

#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "rchart/chartitem.h"

namespace kiv {

// Full texts of text items that the 15-character field cannot hold; entry n (1-based, as stored
// in an item's LWid) is element n - 1.
inline constexpr int kMaxLongTexts = 50;
using TLongTextArray = std::array<std::string, kMaxLongTexts>;

// A growable array of item records with random access by index. Large containers keep their
// records in blocks of kBlockItems (26 MiB, whole huge pages, mapped from the system and made
// resident only as they fill, or kept from containers that released them), so growing never
// moves stored records and costs amortised constant time per slot. A container of up to
// kSmallBlockItems slots keeps one small block that grows geometrically instead, so that empty and
// small charts stay small. Slots added by Resize are zero-filled. Charts that share their data hold
// the same container object.
class TRcItemContainer {
 public:
  static constexpr int kBlockShift = 18;
  static constexpr int kBlockItems = 1 << kBlockShift;
  static constexpr int kSmallBlockItems = 1 << 15;
  // The most slots a container takes; larger requests raise EKIVError. It keeps every index an
  // int with room to spare.
  static constexpr int kMaxSlots = 1 << 28;

  TRcItemContainer() = default;
  explicit TRcItemContainer(int slots) { Resize(slots); }
  // Copies hold their own records: the slots and their contents.
  TRcItemContainer(const TRcItemContainer& other);
  TRcItemContainer& operator=(const TRcItemContainer& other);
  TRcItemContainer(TRcItemContainer&&) noexcept = default;
  TRcItemContainer& operator=(TRcItemContainer&&) noexcept = default;

  // Number of slots (items and free slots alike).
  int Size() const { return size_; }
  bool Contains(int index) const { return index >= 0 && index < size_; }

  // Keeps the records of the first min(Size(), slots) slots and zero-fills the slots added, but
  // for those below no_zero_end, which a caller that writes whole records there at once leaves
  // as they come. Negative counts as 0. Shrinking returns memory that is no longer needed.
  // Raises EKIVError (and leaves the container unchanged) when slots exceeds kMaxSlots or memory
  // runs out.
  void Resize(int slots, int no_zero_end = 0);

  // The record of a slot; index must be in 0..Size()-1.
  TrcChartItem& operator[](int index) {
    return blocks_[static_cast<unsigned>(index) >> kBlockShift][index & (kBlockItems - 1)];
  }
  const TrcChartItem& operator[](int index) const {
    return blocks_[static_cast<unsigned>(index) >> kBlockShift][index & (kBlockItems - 1)];
  }

  // One past the last slot that follows slot `index` in memory (within its block), so that loops
  // over many records can walk them with a pointer; index must be in 0..Size()-1.
  int ContiguousEnd(int index) const {
    return static_cast<int>(std::min<long long>(size_, (index | (kBlockItems - 1)) + 1LL));
  }

  // Slots the allocated blocks can hold (at least Size()).
  int Capacity() const;

  // Full blocks that containers release are kept resident, up to four (about 100 MiB), for the
  // next container that grows: filling a chart again, or a new one, then costs the writing of
  // the records alone, not the system's providing of fresh memory (several times more). This
  // hands the kept blocks back to the system, for applications that want the memory back.
  static void ReleaseKeptBlocks();

 private:
  // Releases a block the way it was obtained: small blocks from the heap, full blocks as
  // mapped pages.
  struct BlockDeleter {
    bool mapped = false;
    void operator()(TrcChartItem* p) const;
  };
  using Block = std::unique_ptr<TrcChartItem[], BlockDeleter>;
  // A block of `slots` records (kBlockItems or at most kSmallBlockItems): zero-filled, or for a
  // full block one that another container released, with its old records (*dirty set then);
  // null when memory is exhausted.
  static Block NewBlock(int slots, bool* dirty = nullptr);
  void ZeroSlots(int first, int last);

  std::vector<Block> blocks_;
  int first_block_slots_ = 0;  // slots of block 0; below kBlockItems only while it is the only one
  int size_ = 0;
  // Slots at or beyond max(size_, dirty_end_) hold zeros: fresh blocks come zeroed, so only slots
  // that held items before a shrink need clearing when the container grows again.
  int dirty_end_ = 0;
};

// --- Texts of text items (tkText, tkTextOfs). `used` is the number of used table entries.

// Stores a UTF-8 text in a text item. A text the 8-bit field holds exactly (at most 15
// characters, all Latin-1) goes there alone and the item's long-text number becomes 0.
// Otherwise the field keeps the first 15 characters and the full text goes to the table: into
// the item's own entry when its long-text number names a used entry, else into a new entry when
// fewer than kMaxLongTexts are used (the item records its number); with the table full only the
// 15 characters remain and the number becomes 0. Entries are never reused.
void StoreTextWithTable(TrcChartItem& item, std::string_view utf8, TLongTextArray& table,
                        int& used);

// The full text of a text item: its table entry when its long-text number names a used entry,
// else the 8-bit field converted to UTF-8.
std::string FullItemText(const TrcChartItem& item, const TLongTextArray& table, int used);

}  // namespace kiv
