// The fast row deflater against zlib's inflater: rows of runs, repeats of the row above and noise,
// short and long (longer than the window, where rows cannot refer to the row above).
#include "platform/deflate_rows.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <random>
#include <vector>

namespace kiv::imageio::detail {
namespace {

std::vector<std::uint8_t> Inflate(const std::vector<std::uint8_t>& z, std::size_t size) {
  std::vector<std::uint8_t> out(size + 1);
  uLongf n = static_cast<uLongf>(out.size());
  EXPECT_EQ(uncompress(out.data(), &n, z.data(), static_cast<uLong>(z.size())), Z_OK);
  out.resize(n);
  return out;
}

// Rows that start as copies of the row above or as runs and get noise of the given rate.
std::vector<std::uint8_t> Rows(std::mt19937& rng, std::size_t row_bytes, int rows, int noise) {
  std::vector<std::uint8_t> d(row_bytes * static_cast<std::size_t>(rows));
  std::uniform_int_distribution<int> pct(0, 99), byte(0, 255), kind(0, 2);
  for (int r = 0; r < rows; ++r) {
    const int k = kind(rng);
    for (std::size_t x = 0; x < row_bytes; ++x) {
      std::uint8_t& v = d[static_cast<std::size_t>(r) * row_bytes + x];
      if (k == 0 && r > 0)
        v = d[static_cast<std::size_t>(r - 1) * row_bytes + x];
      else if (k == 1)
        v = static_cast<std::uint8_t>(x / 37);
      else
        v = static_cast<std::uint8_t>(byte(rng));
      if (pct(rng) < noise) v = static_cast<std::uint8_t>(byte(rng));
    }
  }
  return d;
}

TEST(DeflateRows, ZlibReadsBackEveryByte) {
  std::mt19937 rng(5);
  for (const std::size_t row_bytes : {1u, 2u, 7u, 301u, 801u, 32768u, 32769u, 70000u}) {
    for (const int noise : {0, 1, 30, 100}) {
      const int rows = row_bytes > 10000 ? 3 : 40;
      const std::vector<std::uint8_t> d = Rows(rng, row_bytes, rows, noise);
      EXPECT_EQ(Inflate(DeflateRows(d.data(), d.size(), row_bytes), d.size()), d)
          << row_bytes << " bytes a row, noise " << noise;
    }
  }
  const std::vector<std::uint8_t> none;
  EXPECT_EQ(Inflate(DeflateRows(none.data(), 0, 5), 0), none);
}

TEST(DeflateRows, RepeatsShrink) {
  std::vector<std::uint8_t> flat(801 * 600, 7);
  for (std::size_t i = 0; i < flat.size(); i += 801) flat[i] = 0;  // filter bytes
  EXPECT_LT(DeflateRows(flat.data(), flat.size(), 801).size(), flat.size() / 50);
}

}  // namespace
}  // namespace kiv::imageio::detail
