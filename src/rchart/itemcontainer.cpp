#include "rchart/itemcontainer.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include <sys/mman.h>

#include "rchart/block_pool.h"
#include "services/allocsize.h"

namespace kiv {

namespace {

constexpr const char* kWhat = "chart item container";
// Smallest single block: a fresh chart's one-slot containers stay tiny.
constexpr int kMinBlockSlots = 16;
constexpr std::size_t kHugePage = std::size_t{2} << 20;
constexpr std::size_t kBlockBytes = sizeof(TrcChartItem) * TRcItemContainer::kBlockItems;
static_assert(kBlockBytes % kHugePage == 0);

int BlocksFor(int slots) {
  return (slots + TRcItemContainer::kBlockItems - 1) >> TRcItemContainer::kBlockShift;
}

}  // namespace

void TRcItemContainer::BlockDeleter::operator()(TrcChartItem* p) const {
  if (mapped) {
    if (p != nullptr && !blockpool::Keep(p, kBlockBytes)) munmap(p, kBlockBytes);
  } else {
    std::free(p);
  }
}

// Small blocks come from calloc; the record is an implicit-lifetime aggregate, so the zero bytes
// are zero-valued records. Full blocks come from the pool of released blocks (block_pool.h), with
// their old contents (dirty), or are mapped directly, aligned to the huge-page size and advised
// as huge pages: the system hands them out zeroed and makes them resident as they are written, a
// few faults per block instead of one per 4 KiB. Providing fresh memory costs more than writing
// the records into it, which is why released blocks are kept.
TRcItemContainer::Block TRcItemContainer::NewBlock(int slots, bool* dirty) {
  if (dirty != nullptr) *dirty = false;
  if (slots != kBlockItems) {
    return Block(static_cast<TrcChartItem*>(std::calloc(slots, sizeof(TrcChartItem))),
                 BlockDeleter{false});
  }
  if (void* kept = blockpool::Take(kBlockBytes)) {
    if (dirty != nullptr) *dirty = true;
    return Block(static_cast<TrcChartItem*>(kept), BlockDeleter{true});
  }
  const std::size_t len = kBlockBytes + kHugePage;
  void* raw = mmap(nullptr, len, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (raw == MAP_FAILED) return Block(nullptr, BlockDeleter{true});
  const auto start = reinterpret_cast<std::uintptr_t>(raw);
  const std::uintptr_t aligned = (start + kHugePage - 1) & ~(std::uintptr_t{kHugePage} - 1);
  if (aligned > start) munmap(raw, aligned - start);
  const std::size_t tail = start + len - (aligned + kBlockBytes);
  if (tail > 0) munmap(reinterpret_cast<void*>(aligned + kBlockBytes), tail);
  void* block = reinterpret_cast<void*>(aligned);
  madvise(block, kBlockBytes, MADV_HUGEPAGE);  // a hint; without huge pages nothing changes
  return Block(static_cast<TrcChartItem*>(block), BlockDeleter{true});
}

TRcItemContainer::TRcItemContainer(const TRcItemContainer& other) {
  *this = other;
}

TRcItemContainer& TRcItemContainer::operator=(const TRcItemContainer& other) {
  if (this == &other) return *this;
  std::vector<Block> blocks;
  blocks.reserve(other.blocks_.size());
  bool dirty = false;
  for (std::size_t b = 0; b < other.blocks_.size(); ++b) {
    const int cap = b == 0 ? other.first_block_slots_ : kBlockItems;
    const int used = std::clamp(other.size_ - static_cast<int>(b) * kBlockItems, 0, cap);
    bool d = false;
    Block block = NewBlock(cap, &d);
    dirty = dirty || d;
    if (!block) RaiseOutOfMemory(kWhat, static_cast<std::size_t>(cap));
    std::memcpy(static_cast<void*>(block.get()), other.blocks_[b].get(),
                static_cast<std::size_t>(used) * sizeof(TrcChartItem));
    blocks.push_back(std::move(block));
  }
  blocks_ = std::move(blocks);
  first_block_slots_ = other.first_block_slots_;
  size_ = other.size_;
  dirty_end_ = dirty ? Capacity() : 0;
  return *this;
}

void TRcItemContainer::ReleaseKeptBlocks() {
  blockpool::ReleaseAll();
}

int TRcItemContainer::Capacity() const {
  if (blocks_.empty()) return 0;
  return first_block_slots_ + static_cast<int>(blocks_.size() - 1) * kBlockItems;
}

void TRcItemContainer::ZeroSlots(int first, int last) {
  while (first < last) {
    const int in_block = first & (kBlockItems - 1);
    const int n = std::min(last - first, kBlockItems - in_block);
    // The record is trivially copyable and every byte of it is a member: zero bytes are a
    // zero-valued record.
    std::memset(static_cast<void*>(&(*this)[first]), 0,
                static_cast<std::size_t>(n) * sizeof(TrcChartItem));
    first += n;
  }
}

void TRcItemContainer::Resize(int slots, int no_zero_end) {
  if (slots < 0) slots = 0;
  CheckedElemCount(kWhat, slots, kMaxSlots);
  if (slots == size_) return;

  if (slots > size_) {
    // A small block 0 grows geometrically up to kSmallBlockItems and is then replaced by a full
    // block; further blocks are full from the start.
    int first_target = kBlockItems;
    if (first_block_slots_ >= slots) {
      first_target = first_block_slots_;
    } else if (slots <= kSmallBlockItems) {
      first_target =
          std::min(kSmallBlockItems, std::max({slots, 2 * first_block_slots_, kMinBlockSlots}));
    }
    const bool new_first = blocks_.empty() || first_target != first_block_slots_;
    const int need_blocks = std::max(1, BlocksFor(slots));

    // Obtain everything first, so that a failure leaves the container as it was.
    blocks_.reserve(static_cast<std::size_t>(need_blocks));
    Block first;
    bool first_dirty = false, extra_dirty = false;
    if (new_first) {
      first = NewBlock(first_target, &first_dirty);
      if (!first) RaiseOutOfMemory(kWhat, static_cast<std::size_t>(first_target));
    }
    std::vector<Block> extra;
    const int have = std::max<int>(1, static_cast<int>(blocks_.size()));
    extra.reserve(static_cast<std::size_t>(need_blocks - std::min(have, need_blocks)));
    for (int b = have; b < need_blocks; ++b) {
      bool d = false;
      extra.push_back(NewBlock(kBlockItems, &d));
      if (!extra.back()) RaiseOutOfMemory(kWhat, static_cast<std::size_t>(kBlockItems));
      extra_dirty = extra_dirty || d;
    }

    if (new_first) {
      // Only a lone block is ever replaced, so all stored slots are in it.
      if (!blocks_.empty()) {
        std::memcpy(static_cast<void*>(first.get()), blocks_[0].get(),
                    static_cast<std::size_t>(size_) * sizeof(TrcChartItem));
        blocks_[0] = std::move(first);
      } else {
        blocks_.push_back(std::move(first));
      }
      first_block_slots_ = first_target;
      dirty_end_ = first_dirty ? first_target : 0;
    }
    for (Block& b : extra) blocks_.push_back(std::move(b));
    if (extra_dirty) dirty_end_ = Capacity();
    ZeroSlots(std::max(size_, no_zero_end), std::min(slots, dirty_end_));
    size_ = slots;
    return;
  }

  // Shrinking: the dropped slots may hold records until they are cleared by a later growth.
  dirty_end_ = std::max(dirty_end_, size_);
  size_ = slots;
  if (slots == 0) {
    blocks_.clear();
    first_block_slots_ = 0;
    dirty_end_ = 0;
    return;
  }
  const int keep = std::max(1, BlocksFor(slots));
  if (static_cast<int>(blocks_.size()) > keep) blocks_.resize(static_cast<std::size_t>(keep));
  if (keep == 1 && slots <= kSmallBlockItems / 4 &&
      first_block_slots_ > 4 * std::max(slots, kMinBlockSlots)) {
    // A mostly unused lone block is traded for a small one; without memory for it, the big
    // block simply stays.
    const int cap = std::max(slots, kMinBlockSlots);
    if (Block small = NewBlock(cap)) {
      std::memcpy(static_cast<void*>(small.get()), blocks_[0].get(),
                  static_cast<std::size_t>(slots) * sizeof(TrcChartItem));
      blocks_[0] = std::move(small);
      first_block_slots_ = cap;
      dirty_end_ = 0;
    }
  }
  dirty_end_ = std::min(dirty_end_, Capacity());
}

}  // namespace kiv

namespace kiv {

namespace {

bool NamesUsedEntry(std::int32_t number, int used) {
  return number >= 1 && number <= std::min(used, kMaxLongTexts);
}

}  // namespace

void StoreTextWithTable(TrcChartItem& item, std::string_view utf8, TLongTextArray& table,
                        int& used) {
  used = std::clamp(used, 0, kMaxLongTexts);
  if (StoreItemText(item.Text, utf8)) {
    item.LWid = 0;
    return;
  }
  if (NamesUsedEntry(item.LWid, used)) {
    table[static_cast<std::size_t>(item.LWid - 1)] = std::string(utf8);
    return;
  }
  if (used < kMaxLongTexts) {
    table[static_cast<std::size_t>(used)] = std::string(utf8);
    ++used;
    item.LWid = used;
    return;
  }
  item.LWid = 0;
}

std::string FullItemText(const TrcChartItem& item, const TLongTextArray& table, int used) {
  if (NamesUsedEntry(item.LWid, used)) return table[static_cast<std::size_t>(item.LWid - 1)];
  return ItemTextToUtf8(item.Text);
}

}  // namespace kiv
