// The item pictures of the large-data paths against the ordinary drawing of every item, for
// the tests of those paths.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "render_util.h"

namespace kiv::testing {

// Paints the chart's items twice, through the large-data paths and item by item, and expects the
// same bytes; returns the fast picture.
inline TBitmap ExpectSamePicture(DrawChart& chart, const std::string& what,
                                 const std::function<void(TCanvas&)>& prepare = nullptr) {
  const auto render = [&] {
    TBitmap b(DrawChart::kW, DrawChart::kH);
    if (prepare) prepare(b.Canvas());
    chart.RenderItems(b.Canvas());
    return b;
  };
  chart.OnBeforeRenderChartItem = nullptr;
  const TBitmap fast = render();
  chart.OnBeforeRenderChartItem = [](TObject*, TrcChartItem&, int, bool) {};
  const TBitmap slow = render();
  chart.OnBeforeRenderChartItem = nullptr;
  const std::size_t n = static_cast<std::size_t>(DrawChart::kW) * DrawChart::kH;
  if (std::memcmp(fast.Bits(), slow.Bits(), n * sizeof(TPixel)) != 0) {
    for (std::size_t i = 0; i < n; ++i) {
      if (fast.Bits()[i] != slow.Bits()[i]) {
        ADD_FAILURE() << what << ": first difference at (" << i % DrawChart::kW << ", "
                      << i / DrawChart::kW << "): " << std::hex << fast.Bits()[i] << " instead of "
                      << slow.Bits()[i];
        break;
      }
    }
  }
  return fast;
}

}  // namespace kiv::testing
