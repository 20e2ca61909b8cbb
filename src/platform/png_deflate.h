// The zlib stream of a PNG's filtered rows at a compression level: the own row deflater for
// speed, libdeflate for size. Internal to the platform layer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kiv::imageio::detail {

// Levels follow zlib's scale: 0 stores the rows, 1 is the fastest (DeflateRows: runs and
// repeats of the row above, a few instructions a byte), 2 to 9 trade time for size through
// libdeflate (6, the default for files, gives files no larger than zlib's level 6 in about half
// its time). Out-of-range levels are clamped. Raises EPlatformError when memory runs out.
std::vector<std::uint8_t> CompressRows(const std::uint8_t* rows, std::size_t size,
                                       std::size_t row_bytes, int level);

}  // namespace kiv::imageio::detail
