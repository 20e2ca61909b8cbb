// Full blocks of chart item records that containers released, kept for the next container that
// grows, so that a chart filled again or made anew finds its memory already provided.
#pragma once

#include <cstddef>

namespace kiv::blockpool {

// How many blocks are kept at the most (about 100 MiB of 26 MiB blocks, what 10^6 items take).
inline constexpr std::size_t kMaxKept = 4;

// A kept block of `bytes` bytes, or null when none is kept. Its contents are whatever they were.
void* Take(std::size_t bytes);
// Keeps a released block of `bytes` bytes resident for the next container; false when kMaxKept
// blocks are kept already, and the caller releases it.
bool Keep(void* block, std::size_t bytes);
// Hands every kept block back to the system.
void ReleaseAll();

}  // namespace kiv::blockpool
