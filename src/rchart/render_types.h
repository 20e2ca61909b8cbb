// Value types and event signatures of the chart's item rendering and auto-ranging: the hooks
// called just before an item or a text is drawn, and the set of layers that hold data.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/classes.h"
#include "rchart/chartitem.h"

namespace kiv {

// Called with the copy of an item that is about to be drawn; changing it changes what is drawn,
// never the stored item.
using TBeforeRenderCItemEvent =
    std::function<void(TObject* Sender, TrcChartItem& ChartItem, int Index, bool IsAnnotation)>;
// Called with the text of a text item that is about to be drawn; the handler may replace it.
using TBeforeRenderTextEvent =
    std::function<void(TObject* Sender, std::string& Text, int Index, bool IsAnnotation)>;

// One layer's world-to-pixel transformation in double precision, as the item drawing uses it,
// with the long double parameters and axis kinds it was made from (so that a change of the
// transformation is noticed by comparing bytes).
struct TRenderLayerMap {
  long double src[4] = {};  // kx, dx, ky, dy as the chart holds them
  bool src_log[2] = {};
  bool valid = false;
  double k[2] = {}, d[2] = {};  // x, y
  bool fast[2] = {};            // linear axis with finite parameters
};

// A set of layer numbers (1 and 2 are the chart's layers).
class TLayerSet {
 public:
  constexpr TLayerSet() = default;
  constexpr bool Contains(int Layer) const {
    return Layer >= 1 && Layer <= 2 && (bits_ & (1u << Layer)) != 0;
  }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr TLayerSet& Include(int Layer) {
    if (Layer >= 1 && Layer <= 2) bits_ |= 1u << Layer;
    return *this;
  }
  friend constexpr bool operator==(const TLayerSet&, const TLayerSet&) = default;

 private:
  std::uint8_t bits_ = 0;
};

}  // namespace kiv
