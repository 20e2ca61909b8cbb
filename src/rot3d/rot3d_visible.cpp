// TRot3D::MakeVisible: the items become integer rotation objects, centred on their mean (or the
// given origin) and scaled so that each axis spans about -500..500.
#include <algorithm>
#include <array>
#include <limits>
#include <new>
#include <optional>
#include <stdexcept>
#include <vector>

#include "rot3d/rot3d.h"
#include "services/rounding.h"

namespace kiv::rot3d {

namespace {

struct Extent {
  std::array<double, 3> sum{};
  std::array<double, 3> min{std::numeric_limits<double>::max(), std::numeric_limits<double>::max(),
                            std::numeric_limits<double>::max()};
  std::array<double, 3> max{-std::numeric_limits<double>::max(),
                            -std::numeric_limits<double>::max(),
                            -std::numeric_limits<double>::max()};
  long long objects = 0;

  void Include(double x, double y, double z) {
    const double v[3] = {x, y, z};
    for (std::size_t a = 0; a < 3; ++a) {
      min[a] = std::min(min[a], v[a]);
      max[a] = std::max(max[a], v[a]);
    }
  }
};

// The per-object arrays of a new set of rotation objects.
struct Objects {
  std::vector<std::int32_t> x, y, z, link;
  std::vector<std::uint32_t> prop;
  std::vector<std::uint8_t> mark, lw;

  explicit Objects(std::size_t n) : x(n), y(n), z(n), link(n), prop(n), mark(n), lw(n) {}
};

}  // namespace

void TRot3D::MakeVisible() {
  Extent e;
  for (const Tr3ChartItem& it : FDataContainer) {
    e.objects += it.ItemKind == tkLine ? 2 : 1;
    e.sum[0] += it.x;
    e.sum[1] += it.y;
    e.sum[2] += it.z;
    e.Include(it.x, it.y, it.z);
    if (it.ItemKind == tkLine) e.Include(it.x2, it.y2, it.z2);
  }
  if (e.objects == 0) return;

  std::array<double, 3> centre;
  for (std::size_t a = 0; a < 3; ++a) centre[a] = e.sum[a] / static_cast<double>(e.objects);
  if (FAutoOrigin)
    FOrigin = centre;
  else
    centre = FOrigin;

  const auto fail = [this] {
    return EKIVRot3DError("Component \"" + Name() + "\": insufficient memory");
  };
  if (e.objects > std::numeric_limits<std::int32_t>::max()) throw fail();
  const auto n = static_cast<std::size_t>(e.objects);
  std::optional<Objects> made;
  try {
    made.emplace(n);
  } catch (const std::bad_alloc&) {
    throw fail();
  } catch (const std::length_error&) {
    throw fail();
  }
  Objects& o = *made;

  std::array<double, 3> scale;
  for (std::size_t a = 0; a < 3; ++a) {
    const double ext = e.max[a] - e.min[a];
    scale[a] = ext <= 1e-30 ? 1 : 1000 / ext;
  }
  if (FIsoMetric) scale.fill(*std::min_element(scale.begin(), scale.end()));
  if (!FAutoScale)
    scale = FIsoMetric ? std::array<double, 3>{FScaleFact[0], FScaleFact[0], FScaleFact[0]}
                       : FScaleFact;
  FScaleFact = scale;
  for (std::size_t a = 0; a < 3; ++a) {
    FMinCoord[a] = RoundToInt((e.min[a] - centre[a]) * scale[a]);
    FMaxCoord[a] = RoundToInt((e.max[a] - centre[a]) * scale[a]);
  }

  std::size_t k = 0;
  auto put = [&](double x, double y, double z, int item, const Tr3ChartItem& it, int kind,
                 std::uint8_t mark, std::uint8_t lw) {
    o.x[k] = RoundToInt((x - centre[0]) * scale[0]);
    o.y[k] = RoundToInt((y - centre[1]) * scale[1]);
    o.z[k] = RoundToInt((z - centre[2]) * scale[2]);
    o.prop[k] = (static_cast<std::uint32_t>(it.color) & 0xFFFFFFu) |
                (static_cast<std::uint32_t>(kind) << 24);
    o.mark[k] = mark;
    o.lw[k] = lw;
    o.link[k] = item;
    ++k;
  };
  for (int i = 0; i < FNumChartItems; ++i) {
    const Tr3ChartItem& it = FDataContainer[static_cast<std::size_t>(i)];
    switch (it.ItemKind) {
      case tkMarkAt:
        put(it.x, it.y, it.z, i, it, 3, it.marklw, 0);
        break;
      case tkLineto:
        put(it.x, it.y, it.z, i, it, 2, 0, it.marklw);
        break;
      case tkMoveto:
        put(it.x, it.y, it.z, i, it, 1, 0, 0);
        break;
      case tkLine:
        put(it.x, it.y, it.z, i, it, 1, 0, 0);
        put(it.x2, it.y2, it.z2, i, it, 2, 0, it.marklw);
        break;
      default:
        put(it.x, it.y, it.z, i, it, 0, 0, 0);  // never drawn
        break;
    }
  }
  FRotDataX.swap(o.x);
  FRotDataY.swap(o.y);
  FRotDataZ.swap(o.z);
  FRotProp.swap(o.prop);
  FRotMark.swap(o.mark);
  FLineWid.swap(o.lw);
  FBackLink.swap(o.link);
  NRotObj = static_cast<int>(n);
  Repaint();
}

}  // namespace kiv::rot3d
