// The chart's text labels: captioned boxes drawn over all items, positioned in world or pixel
// coordinates. The chart owns a fixed pool of 30; a label whose Mode is tlmNone is free.
#pragma once

#include <string>

#include "services/textlabel.h"

namespace kiv {

inline constexpr int kNumTextLabels = 30;

class TTextLabel : public TCustomTextLabel {
 public:
  std::string ClassName() const override { return "TTextLabel"; }
};

}  // namespace kiv
