// The occupancy map of duplicate-mark suppression: which mark type last claimed each pixel cell.
// Cells live in tiles made on first claim, so memory follows the marks drawn, not the chart size.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace kiv {

class TMarkOccupancy {
 public:
  // Cells never claimed hold this value.
  static constexpr std::int32_t kEmpty = -1;

  // An empty map of width x height cells (negative sizes give none). Raises EKIVRChartError
  // when the memory for the tile index cannot be had.
  void Reset(long long width, long long height);
  // Drops every cell and its memory.
  void Clear();
  bool Empty() const { return width_ == 0 || height_ == 0; }
  long long Width() const { return width_; }
  long long Height() const { return height_; }

  // The value of cell (x, y); cells outside the map read kEmpty.
  std::int32_t At(long long x, long long y) const;
  // Sets every cell of x0..x1 x y0..y1 (inclusive, cut to the map) to value. Raises
  // EKIVRChartError when a tile cannot be allocated.
  void Claim(long long x0, long long y0, long long x1, long long y1, std::int32_t value);
  // Tiles allocated so far (for tests of the memory bound).
  std::size_t TileCount() const { return tile_count_; }

 private:
  static constexpr int kTileShift = 4;
  static constexpr int kTileSide = 1 << kTileShift;
  using Tile = std::array<std::int32_t, kTileSide * kTileSide>;

  Tile& TileAt(long long tx, long long ty);

  long long width_ = 0, height_ = 0;
  long long tiles_x_ = 0;
  std::vector<std::unique_ptr<Tile>> tiles_;
  std::size_t tile_count_ = 0;
};

}  // namespace kiv
