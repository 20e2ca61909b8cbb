// The chart unit's error class: raised for impossible layer couplings, logarithmic axes over
// non-positive ranges and invalid text-label indices.
#pragma once

#include "platform/errors.h"

namespace kiv {

class EKIVRChartError : public EKIVError {
 public:
  using EKIVError::EKIVError;
};

}  // namespace kiv
