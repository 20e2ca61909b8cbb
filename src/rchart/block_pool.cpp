#include "rchart/block_pool.h"

#include <mutex>
#include <utility>
#include <vector>

#include <sys/mman.h>

namespace kiv::blockpool {

namespace {

struct Pool {
  std::mutex lock;
  std::vector<std::pair<void*, std::size_t>> blocks;
};

// Made once and never destroyed: containers of static charts release their blocks after the
// end of main.
Pool& ThePool() {
  static Pool* pool = new Pool;
  return *pool;
}

}  // namespace

void* Take(std::size_t bytes) {
  Pool& p = ThePool();
  std::lock_guard<std::mutex> guard(p.lock);
  for (std::size_t i = 0; i < p.blocks.size(); ++i) {
    if (p.blocks[i].second != bytes) continue;
    void* block = p.blocks[i].first;
    p.blocks.erase(p.blocks.begin() + static_cast<std::ptrdiff_t>(i));
    return block;
  }
  return nullptr;
}

// The block stays resident. Handing its pages back lazily (MADV_FREE) would let the system take
// them under pressure, but writing them again then costs nearly what fresh pages cost: the
// time saved is the point of keeping the block.
bool Keep(void* block, std::size_t bytes) {
  Pool& p = ThePool();
  std::lock_guard<std::mutex> guard(p.lock);
  if (p.blocks.size() >= kMaxKept) return false;
  p.blocks.emplace_back(block, bytes);
  return true;
}

void ReleaseAll() {
  Pool& p = ThePool();
  std::lock_guard<std::mutex> guard(p.lock);
  for (const auto& [block, bytes] : p.blocks) munmap(block, bytes);
  p.blocks.clear();
}

}  // namespace kiv::blockpool
