#include "rchart/jointlayers.h"

#include "rchart/customrchart.h"
#include "rchart/errors.h"

namespace kiv {

void TJointLayers::ResetComp() {
  FMasterLayerX = {1, 2};
  FMasterLayerY = {1, 2};
}

void TJointLayers::SetControlled(std::array<int, 2>& masters, bool x_axis, int Index, int Value) {
  if (Index < 1 || Index > 2) return;
  if (Value < 1 || Value > 2)
    throw EKIVRChartError("Destination layer " + std::to_string(Value) + " is out of range");
  auto& master = masters[static_cast<std::size_t>(Index - 1)];
  if (Value == Index) {
    master = Index;
    return;
  }
  if (masters[static_cast<std::size_t>(Value - 1)] != Value)
    throw EKIVRChartError("Destination layer " + std::to_string(Value) + " is already joined");
  std::string followers;
  for (int i = 1; i <= 2; ++i) {
    if (i == Index || masters[static_cast<std::size_t>(i - 1)] != Index) continue;
    if (!followers.empty()) followers += ", ";
    followers += std::to_string(i);
  }
  if (!followers.empty())
    throw EKIVRChartError("Layer " + std::to_string(Index) + " is joined by other layers (" +
                          followers + ")");
  master = Value;
  if (FOwner != nullptr) {
    TScaleProps& vx = FOwner->ScalePropsX(Value);
    TScaleProps& vy = FOwner->ScalePropsY(Value);
    TScaleProps& ix = FOwner->ScalePropsX(Index);
    TScaleProps& iy = FOwner->ScalePropsY(Index);
    if (x_axis)
      FOwner->ForceRngIntern(Index, vx.RangeLow(), iy.RangeLow(), vx.RangeHigh(), iy.RangeHigh(),
                             false, false);
    else
      FOwner->ForceRngIntern(Index, ix.RangeLow(), vy.RangeLow(), ix.RangeHigh(), vy.RangeHigh(),
                             false, false);
  }
  Changed();
}

void TJointLayers::Assign(const TPersistent& Source) {
  const auto* s = dynamic_cast<const TJointLayers*>(&Source);
  if (s == nullptr) {
    TNotifyingPersistent::Assign(Source);
    return;
  }
  FMasterLayerX = s->FMasterLayerX;
  FMasterLayerY = s->FMasterLayerY;
  Changed();
}

}  // namespace kiv
