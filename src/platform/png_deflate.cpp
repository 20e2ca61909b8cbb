#include "platform/png_deflate.h"

#include <libdeflate.h>

#include <algorithm>
#include <array>
#include <memory>
#include <new>

#include "platform/deflate_rows.h"
#include "platform/errors.h"

namespace kiv::imageio::detail {

namespace {

struct CompressorDeleter {
  void operator()(libdeflate_compressor* c) const { libdeflate_free_compressor(c); }
};
using Compressor = std::unique_ptr<libdeflate_compressor, CompressorDeleter>;

// One compressor per level and thread, made on first use: setting one up costs more than
// compressing a small picture.
libdeflate_compressor* CompressorFor(int level) {
  thread_local std::array<Compressor, 10> compressors;
  Compressor& c = compressors[static_cast<std::size_t>(level)];
  if (!c) c.reset(libdeflate_alloc_compressor(level));
  if (!c) throw EPlatformError("out of memory for a PNG file");
  return c.get();
}

}  // namespace

std::vector<std::uint8_t> CompressRows(const std::uint8_t* rows, std::size_t size,
                                       std::size_t row_bytes, int level) {
  level = std::clamp(level, 0, 9);
  try {
    if (level == 1) return DeflateRows(rows, size, row_bytes);
    // On chart pictures libdeflate's level 6 comes out a few percent larger than zlib's level
    // 6, its level 7 smaller, still faster than zlib (bench/png_bench.cpp): level 6 takes 7.
    // Its levels from 10 on take many times longer and were not smaller.
    constexpr std::array<int, 10> kLibdeflateLevel = {0, 1, 2, 3, 4, 5, 7, 7, 8, 9};
    libdeflate_compressor* c = CompressorFor(kLibdeflateLevel[static_cast<std::size_t>(level)]);
    std::vector<std::uint8_t> out(libdeflate_zlib_compress_bound(c, size));
    const std::size_t n = libdeflate_zlib_compress(c, rows, size, out.data(), out.size());
    if (n == 0) throw EPlatformError("PNG compression failed");
    out.resize(n);
    return out;
  } catch (const std::bad_alloc&) {
    throw EPlatformError("out of memory for a PNG file");
  }
}

}  // namespace kiv::imageio::detail
