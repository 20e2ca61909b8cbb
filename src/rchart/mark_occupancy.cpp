#include "rchart/mark_occupancy.h"

#include <algorithm>
#include <new>
#include <stdexcept>

#include "rchart/errors.h"

namespace kiv {

void TMarkOccupancy::Clear() {
  tiles_.clear();
  tiles_.shrink_to_fit();
  width_ = height_ = tiles_x_ = 0;
  tile_count_ = 0;
}

void TMarkOccupancy::Reset(long long width, long long height) {
  Clear();
  if (width <= 0 || height <= 0) return;
  const long long tx = (width + kTileSide - 1) >> kTileShift;
  const long long ty = (height + kTileSide - 1) >> kTileShift;
  try {
    tiles_.resize(static_cast<std::size_t>(tx) * static_cast<std::size_t>(ty));
  } catch (const std::bad_alloc&) {
    throw EKIVRChartError("Out of memory for the duplicate-mark map");
  } catch (const std::length_error&) {
    throw EKIVRChartError("Out of memory for the duplicate-mark map");
  }
  width_ = width;
  height_ = height;
  tiles_x_ = tx;
}

std::int32_t TMarkOccupancy::At(long long x, long long y) const {
  if (x < 0 || x >= width_ || y < 0 || y >= height_) return kEmpty;
  const auto& tile =
      tiles_[static_cast<std::size_t>((y >> kTileShift) * tiles_x_ + (x >> kTileShift))];
  if (!tile) return kEmpty;
  return (*tile)[static_cast<std::size_t>(((y & (kTileSide - 1)) << kTileShift) |
                                          (x & (kTileSide - 1)))];
}

TMarkOccupancy::Tile& TMarkOccupancy::TileAt(long long tx, long long ty) {
  auto& tile = tiles_[static_cast<std::size_t>(ty * tiles_x_ + tx)];
  if (!tile) {
    try {
      tile = std::make_unique<Tile>();
    } catch (const std::bad_alloc&) {
      throw EKIVRChartError("Out of memory for the duplicate-mark map");
    }
    tile->fill(kEmpty);
    ++tile_count_;
  }
  return *tile;
}

void TMarkOccupancy::Claim(long long x0, long long y0, long long x1, long long y1,
                           std::int32_t value) {
  x0 = std::max(x0, 0LL);
  y0 = std::max(y0, 0LL);
  x1 = std::min(x1, width_ - 1);
  y1 = std::min(y1, height_ - 1);
  for (long long y = y0; y <= y1; ++y) {
    for (long long x = x0; x <= x1;) {
      Tile& tile = TileAt(x >> kTileShift, y >> kTileShift);
      const long long end = std::min(x1, x | (kTileSide - 1));
      std::int32_t* row = tile.data() + ((y & (kTileSide - 1)) << kTileShift);
      for (; x <= end; ++x) row[x & (kTileSide - 1)] = value;
    }
  }
}

}  // namespace kiv
