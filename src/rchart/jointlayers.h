// Coupling of the two chart layers' ranges: an axis of one layer can follow the same axis of the
// other layer, so that zooming and panning the master moves the follower.
#pragma once

#include <array>
#include <string>

#include "services/notifier.h"

namespace kiv {

class TCustomRChart;

class TJointLayers : public TNotifyingPersistent {
 public:
  explicit TJointLayers(TCustomRChart* owner) : FOwner(owner) {}
  std::string ClassName() const override { return "TJointLayers"; }

  // Every layer controls itself.
  void ResetComp();

  // The layer whose x (y) range controls layer Index (1 or 2); Index itself when uncoupled.
  // Reading another Index gives that Index.
  int GetControlledLayerX(int Index) const { return Master(FMasterLayerX, Index); }
  int GetControlledLayerY(int Index) const { return Master(FMasterLayerY, Index); }
  // Couples (Value another layer) or uncouples (Value == Index) an axis. Raises EKIVRChartError
  // "Destination layer <Value> is out of range", "Destination layer <Value> is already joined",
  // or "Layer <Index> is joined by other layers (<list>)". Coupling copies the master's range
  // into layer Index and fires OnChange. An Index outside 1..2 is ignored.
  void SetControlledLayerX(int Index, int Value) {
    SetControlled(FMasterLayerX, true, Index, Value);
  }
  void SetControlledLayerY(int Index, int Value) {
    SetControlled(FMasterLayerY, false, Index, Value);
  }

  int L01xControlledBy() const { return GetControlledLayerX(1); }
  void SetL01xControlledBy(int v) { SetControlledLayerX(1, v); }
  int L02xControlledBy() const { return GetControlledLayerX(2); }
  void SetL02xControlledBy(int v) { SetControlledLayerX(2, v); }
  int L01yControlledBy() const { return GetControlledLayerY(1); }
  void SetL01yControlledBy(int v) { SetControlledLayerY(1, v); }
  int L02yControlledBy() const { return GetControlledLayerY(2); }
  void SetL02yControlledBy(int v) { SetControlledLayerY(2, v); }

  // Copies the four master values; this object keeps its owner and its change notification.
  void Assign(const TPersistent& Source) override;

 private:
  static int Master(const std::array<int, 2>& m, int index) {
    return (index == 1 || index == 2) ? m[static_cast<std::size_t>(index - 1)] : index;
  }
  void SetControlled(std::array<int, 2>& masters, bool x_axis, int Index, int Value);

  TCustomRChart* FOwner;
  std::array<int, 2> FMasterLayerX{1, 2};
  std::array<int, 2> FMasterLayerY{1, 2};
};

}  // namespace kiv
