// Tr3ChartItem, the fixed 72-byte record of one item of the rotatable 3D chart, with its kinds
// and the handedness of the axes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "platform/color.h"

namespace kiv::rot3d {

// Kind of an item. tkEverything is only a query filter and never stored by the chart.
enum Tr3Item : std::uint8_t { tkNone, tkMarkAt, tkLineto, tkLine, tkMoveto, tkEverything };

// adRightHanded swaps the first two columns of the rotation matrix.
enum TAxDir : std::uint8_t { adLeftHanded, adRightHanded };

// One item: a mark, a pen move, a line step to a point, or a line segment between two points.
// Padding is explicit and zero in every record the chart makes.
struct Tr3ChartItem {
  double x = 0;  // first point
  double y = 0;
  double z = 0;
  TColor color = 0;           // ColorData when the item was added
  std::int32_t tag = 0;       // DataTag when the item was added
  Tr3Item ItemKind = tkNone;  // kind of item
  std::uint8_t Pad1[7] = {};
  double x2 = 0;  // second point (tkLine only)
  double y2 = 0;
  double z2 = 0;
  std::uint8_t marklw = 0;  // mark number (tkMarkAt) or line width (lines)
  std::uint8_t Pad2[7] = {};
};

static_assert(sizeof(Tr3ChartItem) == 72);
static_assert(std::is_standard_layout_v<Tr3ChartItem>);
static_assert(std::is_trivially_copyable_v<Tr3ChartItem>);
static_assert(offsetof(Tr3ChartItem, x) == 0);
static_assert(offsetof(Tr3ChartItem, y) == 8);
static_assert(offsetof(Tr3ChartItem, z) == 16);
static_assert(offsetof(Tr3ChartItem, color) == 24);
static_assert(offsetof(Tr3ChartItem, tag) == 28);
static_assert(offsetof(Tr3ChartItem, ItemKind) == 32);
static_assert(offsetof(Tr3ChartItem, x2) == 40);
static_assert(offsetof(Tr3ChartItem, y2) == 48);
static_assert(offsetof(Tr3ChartItem, z2) == 56);
static_assert(offsetof(Tr3ChartItem, marklw) == 64);

}  // namespace kiv::rot3d
