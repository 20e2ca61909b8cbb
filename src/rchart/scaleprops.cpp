#include "rchart/scaleprops.h"

#include <algorithm>
#include <cmath>

#include "rchart/errors.h"

namespace kiv {

namespace {
constexpr double kLogFloor = 1e-100;
}

TScaleProps::TScaleProps() {
  FFont.OnChange = [this](TObject*) { Changed(); };
  FDTFormat.OnChange = [this](TObject*) { Changed(); };
}

void TScaleProps::ResetComp() {
  FCaption.clear();
  FCaptionPosX = FCaptionPosY = 0;
  FCaptAlign = taCenter;
  FCaptAnchor = uaSclTopLft;
  FColorScale = clBlack;
  {
    const TNotifyEvent keep = FDTFormat.OnChange;
    FDTFormat.OnChange = nullptr;
    FDTFormat.Assign(TDTLabel());
    FDTFormat.OnChange = keep;
  }
  FDecPlaces = -2;
  FLogAx = false;
  FLabelType = fgtNumeric;
  {
    const TNotifyEvent keep = FFont.OnChange;
    FFont.OnChange = nullptr;
    FFont.Assign(TFont());
    FFont.OnChange = keep;
  }
  FMinTicks = 3;
  FRangeLow = 0;
  FRangeHigh = 1;
  FShortTicks = true;
  FScaleInscript.clear();
  FScaleType = sctLabelsBelow;
  FScalePosX = FScalePosY = 0;
  FMinRngDiff = 1e-10;
  FMouseAction = mactNone;
  FUserTickText.clear();
  FVisible = false;
}

void TScaleProps::SetCaption(const std::string& v) {
  FCaption = v;
  Changed();
}
void TScaleProps::SetCaptionPosX(int v) {
  FCaptionPosX = v;
  Changed();
}
void TScaleProps::SetCaptionPosY(int v) {
  FCaptionPosY = v;
  Changed();
}
void TScaleProps::SetCaptionAlignment(TAlignment v) {
  FCaptAlign = v;
  Changed();
}
void TScaleProps::SetCaptionAnchor(TScaleUnitAnchor v) {
  FCaptAnchor = v;
  Changed();
}
void TScaleProps::SetColorScale(TColor v) {
  FColorScale = v;
  Changed();
}
void TScaleProps::SetDecPlaces(int v) {
  FDecPlaces = std::clamp(v, -3, 12);
  Changed();
}

void TScaleProps::SetLogarithmic(bool v) {
  const bool was = FLogAx;
  if (!v)
    FLogAx = false;
  else if (FNotYetLoaded ||
           (FRangeLow >= kLogFloor && FRangeHigh >= kLogFloor && FLabelType != fgtDateTime))
    FLogAx = true;
  try {
    Changed();
  } catch (const EKIVRChartError&) {
    // The owner could not map the axis this way: the switch is taken back, and the owner
    // maps it as before, before the error goes on to the caller.
    if (FLogAx != was) {
      FLogAx = was;
      try {
        Changed();
      } catch (const EKIVRChartError&) {
      }
    }
    throw;
  }
}

void TScaleProps::SetLabelType(TFigType v) {
  FLabelType = v;
  if (v == fgtDateTime) FLogAx = false;
  if (v == fgtTime) FDecPlaces = 4;
  Changed();
}

void TScaleProps::SetMinTicks(int v) {
  FMinTicks = v;
  Changed();
}

void TScaleProps::SetRangeLow(double x) {
  if (FMinRngDiff > std::fabs(FRangeHigh - x)) {
    if (!IsValidRange(x, x + FMinRngDiff) || (FLogAx && x < kLogFloor)) return;
    FRangeLow = x;
    FRangeHigh = x + FMinRngDiff;
  } else if ((!FLogAx || x >= kLogFloor) && IsValidRange(x, FRangeHigh)) {
    FRangeLow = x;
  }
  Changed();
}

void TScaleProps::SetRangeHigh(double x) {
  if (FMinRngDiff > std::fabs(FRangeLow - x)) {
    if (!IsValidRange(x - FMinRngDiff, x) || (FLogAx && x - FMinRngDiff < kLogFloor)) return;
    FRangeHigh = x;
    FRangeLow = x - FMinRngDiff;
  } else if ((!FLogAx || x >= kLogFloor) && IsValidRange(FRangeLow, x)) {
    FRangeHigh = x;
  }
  Changed();
}

void TScaleProps::SetShortTicks(bool v) {
  FShortTicks = v;
  Changed();
}
void TScaleProps::SetScaleInscript(const std::string& v) {
  FScaleInscript = v;
  Changed();
}

int TScaleProps::ScalePos() const {
  const bool horizontal = FScaleType == sctLabelsAbove || FScaleType == sctLabelsBelow;
  return horizontal ? FScalePosY : FScalePosX;
}

void TScaleProps::SetScalePos(int v) {
  const bool horizontal = FScaleType == sctLabelsAbove || FScaleType == sctLabelsBelow;
  (horizontal ? FScalePosY : FScalePosX) = v;
  Changed();
}

void TScaleProps::SetMinRange(double x) {
  if (!(x > kLogFloor) || !std::isfinite(x)) return;  // NaN, infinities, values <= 1e-100
  if (x > std::fabs(FRangeHigh - FRangeLow)) {
    const double c = (FRangeLow + FRangeHigh) / 2;
    if (!IsValidRange(c - x / 2, c + x / 2) || (FLogAx && c - x / 2 < kLogFloor)) return;
    FMinRngDiff = x;
    FRangeLow = c - x / 2;
    FRangeHigh = c + x / 2;
    Changed();
    return;
  }
  FMinRngDiff = x;
}

void TScaleProps::SetMouseAction(TMouseActMode v) {
  FMouseAction = v;
  Changed();
}
void TScaleProps::SetUserTickText(const std::string& v) {
  FUserTickText = v;
  Changed();
}
void TScaleProps::SetVisible(bool v) {
  FVisible = v;
  Changed();
}

void TScaleProps::Assign(const TPersistent& Source) {
  const auto* s = dynamic_cast<const TScaleProps*>(&Source);
  if (s == nullptr) {
    TNotifyingPersistent::Assign(Source);
    return;
  }
  BeginUpdate();
  FCaption = s->FCaption;
  FCaptionPosX = s->FCaptionPosX;
  FCaptionPosY = s->FCaptionPosY;
  FCaptAlign = s->FCaptAlign;
  FCaptAnchor = s->FCaptAnchor;
  FColorScale = s->FColorScale;
  FDTFormat.Assign(s->FDTFormat);
  FDecPlaces = s->FDecPlaces;
  FLogAx = s->FLogAx;
  FLabelType = s->FLabelType;
  FFont.Assign(s->FFont);
  FMinTicks = s->FMinTicks;
  FRangeLow = s->FRangeLow;
  FRangeHigh = s->FRangeHigh;
  FShortTicks = s->FShortTicks;
  FScaleInscript = s->FScaleInscript;
  FScaleType = s->FScaleType;
  FScalePosX = s->FScalePosX;
  FScalePosY = s->FScalePosY;
  FMinRngDiff = s->FMinRngDiff;
  FMouseAction = s->FMouseAction;
  FUserTickText = s->FUserTickText;
  FVisible = s->FVisible;
  Changed();
  EndUpdate();
}

TScalePropsHoriz::TScalePropsHoriz() {
  FScaleType = sctLabelsBelow;
}

void TScalePropsHoriz::ResetComp() {
  TScaleProps::ResetComp();
  FScaleLoc = slBottom;
  FScaleType = sctLabelsBelow;
}

void TScalePropsHoriz::SetScaleLocation(TScaleLocationHoriz v) {
  FScaleLoc = v;
  FScaleType = v == slTop ? sctLabelsAbove : sctLabelsBelow;
  Changed();
}

void TScalePropsHoriz::Assign(const TPersistent& Source) {
  BeginUpdate();
  TScaleProps::Assign(Source);
  if (auto* h = dynamic_cast<const TScalePropsHoriz*>(&Source)) FScaleLoc = h->FScaleLoc;
  EndUpdate();
}

TScalePropsVert::TScalePropsVert() {
  FScaleType = sctLabelsLeft;
}

void TScalePropsVert::ResetComp() {
  TScaleProps::ResetComp();
  FScaleLoc = slLeft;
  FScaleType = sctLabelsLeft;
}

void TScalePropsVert::SetScaleLocation(TScaleLocationVert v) {
  FScaleLoc = v;
  FScaleType = v == slRight ? sctLabelsRight : sctLabelsLeft;
  Changed();
}

void TScalePropsVert::Assign(const TPersistent& Source) {
  BeginUpdate();
  TScaleProps::Assign(Source);
  if (auto* h = dynamic_cast<const TScalePropsVert*>(&Source)) FScaleLoc = h->FScaleLoc;
  EndUpdate();
}

}  // namespace kiv
