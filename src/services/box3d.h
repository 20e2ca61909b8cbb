// The bounding box of the three-dimensional charts: corner numbering, the corners sharing an
// edge, the six faces, the three faces around each corner, and the depth search over corners.
#pragma once

#include <array>
#include <cstdint>

#include "platform/color.h"

namespace kiv::box3d {

// Corners are numbered 0..7 by three bits: bit 2 selects +x, bit 1 +y and bit 0 +z, so that
// flipping one bit (c ^ 4, c ^ 2, c ^ 1) walks along an edge.
inline constexpr int kCorners = 8;
inline constexpr int kBitX = 4;
inline constexpr int kBitY = 2;
inline constexpr int kBitZ = 1;

// +1 or -1: the sign of the corner's x, y or z coordinate.
constexpr int SignX(int c) {
  return (c & kBitX) ? 1 : -1;
}
constexpr int SignY(int c) {
  return (c & kBitY) ? 1 : -1;
}
constexpr int SignZ(int c) {
  return (c & kBitZ) ? 1 : -1;
}

// The corners sharing an edge with each corner: c ^ 1, c ^ 2, c ^ 4.
inline constexpr std::array<std::array<std::uint8_t, 3>, kCorners> kNeighbours{
    {{1, 2, 4}, {0, 3, 5}, {0, 3, 6}, {1, 2, 7}, {0, 5, 6}, {1, 4, 7}, {2, 4, 7}, {3, 5, 6}}};

// The faces as polygons of four corners: 0 z+, 1 y+, 2 z-, 3 y-, 4 x+, 5 x-.
inline constexpr std::array<std::array<std::uint8_t, 4>, 6> kFaces{
    {{1, 5, 7, 3}, {2, 3, 7, 6}, {2, 6, 4, 0}, {0, 4, 5, 1}, {4, 5, 7, 6}, {0, 1, 3, 2}}};

// The three faces that contain each corner, in the order they are drawn.
inline constexpr std::array<std::array<std::uint8_t, 3>, kCorners> kFacesOfCorner{
    {{5, 3, 2}, {0, 3, 5}, {2, 5, 1}, {0, 1, 5}, {3, 4, 2}, {0, 3, 4}, {1, 2, 4}, {0, 4, 1}}};

// The value a + b + c with each term's sign taken from the corner's bits (x, y, z): the
// projection of the unit cube's corner on one row of a rotation matrix.
template <typename T>
constexpr T CornerComponent(int c, T rx, T ry, T rz) {
  return static_cast<T>(SignX(c) * rx + SignY(c) * ry + SignZ(c) * rz);
}

// The first corner with the smallest (largest) value of f(c); ties keep the lower number.
template <typename F>
int CornerWithSmallest(F&& f) {
  int best = 0;
  auto v = f(0);
  for (int c = 1; c < kCorners; ++c) {
    const auto w = f(c);
    if (w < v) {
      v = w;
      best = c;
    }
  }
  return best;
}
template <typename F>
int CornerWithLargest(F&& f) {
  return CornerWithSmallest([&f](int c) { return -f(c); });
}

// A face's colour: each channel F / Full of the way from Low to High, the integer division
// truncating toward zero.
inline TColor FaceShade(TColor Low, TColor High, int F, int Full) {
  const TColor lo = ColorToRGB(Low), hi = ColorToRGB(High);
  auto channel = [&](int shift) {
    const int l = (lo >> shift) & 0xFF, h = (hi >> shift) & 0xFF;
    return l + (h - l) * F / Full;
  };
  return RGB(channel(0), channel(8), channel(16));
}

}  // namespace kiv::box3d
