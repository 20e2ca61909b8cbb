// DeflateRows: a fast zlib stream for picture rows, built from runs of a repeated byte and
// repeats of the row above, with the fixed Huffman codes. Internal to the platform layer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kiv::imageio::detail {

// The zlib stream (RFC 1950 around one fixed-code deflate block, RFC 1951) of size bytes of
// rows of row_bytes each. It looks for two kinds of repeat only, the byte before (flat areas)
// and the byte one row up (rows that repeat the row above, as charts' rows mostly do), so it
// runs at a few instructions a byte; any inflater reads it.
std::vector<std::uint8_t> DeflateRows(const std::uint8_t* data, std::size_t size,
                                      std::size_t row_bytes);

}  // namespace kiv::imageio::detail
