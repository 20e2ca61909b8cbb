// TPaintSuppressor: sets a chart's SuppressPaint for the length of a multi-step change and
// restores the previous value through the setter, so the chart repaints once at the end.
#pragma once

#include "rchart/customrchart.h"

namespace kiv {

class TPaintSuppressor {
 public:
  explicit TPaintSuppressor(TCustomRChart& chart) : chart_(chart), saved_(chart.SuppressPaint()) {
    chart_.SetSuppressPaint(true);
  }
  ~TPaintSuppressor() { chart_.SetSuppressPaint(saved_); }
  TPaintSuppressor(const TPaintSuppressor&) = delete;
  TPaintSuppressor& operator=(const TPaintSuppressor&) = delete;

 private:
  TCustomRChart& chart_;
  bool saved_;
};

}  // namespace kiv
