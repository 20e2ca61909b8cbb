// The background of the chart's data area: an image file (unscaled, stretched or tiled) or, when
// there is none, a coloured area bounded by world coordinates of the active layer.
#pragma once

#include <cstdint>
#include <string>

#include "platform/color.h"
#include "services/notifier.h"
#include "services/types.h"

namespace kiv {

enum TBGAreaMode : std::uint8_t {
  bamNone,
  bamLeft,
  bamRight,
  bamTop,
  bamBottom,
  bamVStripe,
  bamHStripe,
  bamRect,
  bamRectInv,
  bamVStripeInv,
  bamHStripeInv
};

// Every setter stores its value and fires OnChange.
class TBakGndImg : public TNotifyingPersistent {
 public:
  std::string ClassName() const override { return "TBakGndImg"; }
  void ResetComp();

  // The image file; empty for none. Without IncludePath only the file-name part (after the last
  // "/" or "\") is kept.
  const std::string& Name() const { return FName; }
  void SetName(const std::string& v);
  bool IncludePath() const { return FIncludePath; }
  // Switching it off also cuts the stored name down to its file-name part.
  void SetIncludePath(bool v);
  TBkgFill FillMode() const { return FFillMode; }
  void SetFillMode(TBkgFill v);
  TBGAreaMode AreaMode() const { return FAreaMode; }
  void SetAreaMode(TBGAreaMode v);
  TColor AreaColor() const { return FAreaColor; }
  void SetAreaColor(TColor v);
  double AreaLeft() const { return FAreaLeft; }
  void SetAreaLeft(double v);
  double AreaRight() const { return FAreaRight; }
  void SetAreaRight(double v);
  double AreaTop() const { return FAreaTop; }
  void SetAreaTop(double v);
  double AreaBottom() const { return FAreaBottom; }
  void SetAreaBottom(double v);

  // Copies every setting; this object keeps its change notification.
  void Assign(const TPersistent& Source) override;

 private:
  std::string FName;
  bool FIncludePath = false;
  TBkgFill FFillMode = bfStretched;
  TBGAreaMode FAreaMode = bamNone;
  TColor FAreaColor = 0xDDDDDD;
  double FAreaLeft = -1;
  double FAreaRight = 1;
  double FAreaTop = 1;
  double FAreaBottom = -1;
};

}  // namespace kiv
