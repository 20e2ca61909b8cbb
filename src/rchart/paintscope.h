// Scopes of a chart's temporary states: painting suppressed for a multi-step change (restored
// through the setter, so the chart repaints once at the end), muted settings objects, and
// black-and-white colours.
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

// Runs f on a settings object with its change notification switched off: the owner updates
// the picture itself (or not at all) instead of repainting on every setter.
template <typename T, typename F>
void Silently(T& object, F f) {
  const TNotifyEvent handler = object.OnChange;
  object.OnChange = nullptr;
  f(object);
  object.OnChange = handler;
}

// Switches the chart to black and white for the scope's length when asked to.
class TMonochromeScope {
 public:
  TMonochromeScope(TCustomRChart& chart, bool active) : chart_(active ? &chart : nullptr) {
    if (chart_) chart_->BackupColorsAndMakeBW();
  }
  ~TMonochromeScope() {
    if (chart_) chart_->ReloadBackupColors();
  }
  TMonochromeScope(const TMonochromeScope&) = delete;
  TMonochromeScope& operator=(const TMonochromeScope&) = delete;

 private:
  TCustomRChart* chart_;
};

}  // namespace kiv
