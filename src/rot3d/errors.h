// The error class of the rotatable 3D chart: raised when the rotation objects of MakeVisible
// cannot be allocated.
#pragma once

#include "platform/errors.h"

namespace kiv {

class EKIVRot3DError : public EKIVError {
 public:
  using EKIVError::EKIVError;
};

}  // namespace kiv

namespace kiv::rot3d {
using kiv::EKIVRot3DError;
}  // namespace kiv::rot3d
