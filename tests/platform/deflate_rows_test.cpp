// The fast row deflater against zlib's inflater: rows of runs, repeats of the row above and noise,
// short and long (longer than the window, where rows cannot refer to the row above); and the
// compression of PNG rows at every level, the size setting against zlib's own level 6.
#include "platform/deflate_rows.h"
#include "platform/png_deflate.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cmath>
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

// Palette indices of an 800 x 600 picture as charts make them, each row after its filter
// byte: flat areas, grid lines, three curves and a band of text-like noise.
std::vector<std::uint8_t> ChartRows(std::size_t& row_bytes) {
  const int w = 800, h = 600;
  row_bytes = w + 1;
  std::vector<std::uint8_t> rows(row_bytes * h, 0);
  unsigned noise = 12345;
  for (int y = 0; y < h; ++y) {
    std::uint8_t* r = &rows[static_cast<std::size_t>(y) * row_bytes + 1];
    for (int x = 0; x < w; ++x) {
      std::uint8_t v = (x < 70 || y > 540) ? 1 : 2;
      if (v == 2 && (x % 50 == 0 || y % 50 == 0)) v = 3;
      for (int k = 0; k < 3; ++k)
        if (std::abs(y - static_cast<int>(300 + (150 - 40 * k) * std::sin(x / 80.0 + k))) < 2)
          v = static_cast<std::uint8_t>(4 + k);
      if (y > 550 && y < 565 && x % 50 < 24) {
        noise = noise * 1103515245u + 12345u;
        v = static_cast<std::uint8_t>(8 + (noise >> 16) % 4);
      }
      r[x] = v;
    }
  }
  return rows;
}

TEST(PngCompression, EveryLevelInflatesBackAndTheSizeSettingBeatsZlibSix) {
  std::size_t row_bytes = 0;
  const std::vector<std::uint8_t> rows = ChartRows(row_bytes);
  std::vector<std::size_t> sizes;
  for (int level = -1; level <= 10; ++level) {
    const std::vector<std::uint8_t> z = CompressRows(rows.data(), rows.size(), row_bytes, level);
    EXPECT_EQ(Inflate(z, rows.size()), rows) << "level " << level;
    sizes.push_back(z.size());
  }
  // Out-of-range levels are the nearest ones; level 0 stores.
  EXPECT_EQ(sizes[0], sizes[1]);
  EXPECT_EQ(sizes[11], sizes[10]);
  EXPECT_GT(sizes[1], rows.size());
  // The fastest level still shrinks charts many times; the size setting more.
  EXPECT_LT(sizes[2], rows.size() / 20);
  EXPECT_LT(sizes[7], sizes[2]);
  uLongf zn = compressBound(static_cast<uLong>(rows.size()));
  std::vector<std::uint8_t> zlib6(zn);
  ASSERT_EQ(compress2(zlib6.data(), &zn, rows.data(), static_cast<uLong>(rows.size()), 6), Z_OK);
  EXPECT_LE(sizes[7], zn);
  // Nothing to compress is a valid stream too.
  EXPECT_TRUE(Inflate(CompressRows(rows.data(), 0, row_bytes, 6), 0).empty());
}

}  // namespace
}  // namespace kiv::imageio::detail
