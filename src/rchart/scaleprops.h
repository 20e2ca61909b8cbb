// The settings and ranges of one axis of the two-dimensional chart (TScalePropsHoriz for x,
// TScalePropsVert for y). They are the authoritative copy of an axis; the chart copies them into
// its internal scale components before drawing.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>

#include "platform/graphics.h"
#include "scale/scale_types.h"
#include "services/dtlabel.h"
#include "services/notifier.h"
#include "services/types.h"

namespace kiv {

class TCustomRChart;

enum TScaleLocationHoriz : std::uint8_t { slTop, slBottom };
enum TScaleLocationVert : std::uint8_t { slLeft, slRight };

// Every setter stores its value (by the rules at each setter) and fires OnChange; the font and
// the date/time settings report their own changes through OnChange as well.
class TScaleProps : public TNotifyingPersistent {
 public:
  TScaleProps();
  TScaleProps(const TScaleProps&) = delete;
  TScaleProps& operator=(const TScaleProps&) = delete;
  std::string ClassName() const override { return "TScaleProps"; }

  // Returns every setting to its default (no OnChange).
  virtual void ResetComp();

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& v);
  int CaptionPosX() const { return FCaptionPosX; }
  void SetCaptionPosX(int v);
  int CaptionPosY() const { return FCaptionPosY; }
  void SetCaptionPosY(int v);
  TAlignment CaptionAlignment() const { return FCaptAlign; }
  void SetCaptionAlignment(TAlignment v);
  TScaleUnitAnchor CaptionAnchor() const { return FCaptAnchor; }
  void SetCaptionAnchor(TScaleUnitAnchor v);
  TColor ColorScale() const { return FColorScale; }
  void SetColorScale(TColor v);
  TDTLabel& DateFormat() { return FDTFormat; }
  const TDTLabel& DateFormat() const { return FDTFormat; }
  void SetDateFormat(const TDTLabel& v) { FDTFormat.Assign(v); }
  // Clamped to -3..12.
  int DecPlaces() const { return FDecPlaces; }
  void SetDecPlaces(int v);
  // Switching on is refused once the chart has loaded unless both range ends are at least
  // 1e-100 and the labels are not calendar dates; switching off is always taken. A chart made in
  // code takes the switch as it comes: give the axis its positive range first (SetRange), then
  // switch it on, or the chart's mapping raises "Logarithmic axis must not be negative." over
  // the fresh range 0..1. A switch the chart cannot map is taken back before that error reaches
  // the caller: the axis stays linear with its mapping and the chart draws as before.
  bool Logarithmic() const { return FLogAx; }
  void SetLogarithmic(bool v);
  // fgtDateTime also switches the logarithmic mapping off; fgtTime sets DecPlaces to 4.
  TFigType LabelType() const { return FLabelType; }
  void SetLabelType(TFigType v);
  TFont& Font() { return FFont; }
  const TFont& Font() const { return FFont; }
  void SetFont(const TFont& v) { FFont.Assign(v); }
  int MinTicks() const { return FMinTicks; }
  void SetMinTicks(int v);
  // Range ends. A new end closer than MinRange to the other end moves the other end to
  // value + MinRange (value - MinRange for RangeHigh); on a logarithmic axis ends below 1e-100
  // are not taken, nor is an end whose MinRange move would take the other end there. An end that
  // is not finite, or that would leave the range or its span not finite, is not taken either
  // (the chart's SetRange and ForceRange refuse such ranges too).
  double RangeLow() const { return FRangeLow; }
  void SetRangeLow(double x);
  double RangeHigh() const { return FRangeHigh; }
  void SetRangeHigh(double x);
  double GetScaleCenter() const { return (FRangeLow + FRangeHigh) / 2; }
  // Whether lo..hi can be an axis range: both ends and the span finite.
  static bool IsValidRange(double lo, double hi) {
    return std::isfinite(lo) && std::isfinite(hi) && std::isfinite(hi - lo);
  }
  bool ShortTicks() const { return FShortTicks; }
  void SetShortTicks(bool v);
  const std::string& ScaleInscript() const { return FScaleInscript; }
  void SetScaleInscript(const std::string& v);
  // Offset of the scale from its data-area edge in pixels.
  int ScalePos() const;
  void SetScalePos(int v);
  // Narrowest range allowed; values <= 1e-100 and values that are not finite are ignored, as is
  // a minimum whose widening of the range about its centre would not be finite (or, on a
  // logarithmic axis, would reach below 1e-100). A wider minimum widens the range about its
  // centre.
  double MinRange() const { return FMinRngDiff; }
  void SetMinRange(double x);
  TMouseActMode MouseAction() const { return FMouseAction; }
  void SetMouseAction(TMouseActMode v);
  const std::string& UserTickText() const { return FUserTickText; }
  void SetUserTickText(const std::string& v);
  bool Visible() const { return FVisible; }
  void SetVisible(bool v);
  TScaleType ScaleType() const { return FScaleType; }

  // True until the chart has finished loading; only the logarithmic switch looks at it.
  bool NotYetLoaded() const { return FNotYetLoaded; }
  void SetNotYetLoaded(bool v) { FNotYetLoaded = v; }

  // Copies every setting; this object keeps its own change notification.
  void Assign(const TPersistent& Source) override;

 protected:
  friend class TCustomRChart;
  // Range ends as the chart's range logic decides them: stored without rules or notification.
  void StoreRange(double lo, double hi) {
    FRangeLow = lo;
    FRangeHigh = hi;
  }
  void SetScaleTypeIntern(TScaleType t) { FScaleType = t; }

  std::string FCaption;
  int FCaptionPosX = 0;
  int FCaptionPosY = 0;
  TAlignment FCaptAlign = taCenter;
  TScaleUnitAnchor FCaptAnchor = uaSclTopLft;
  TColor FColorScale = clBlack;
  TDTLabel FDTFormat;
  int FDecPlaces = -2;
  bool FLogAx = false;
  TFigType FLabelType = fgtNumeric;
  TFont FFont;
  int FMinTicks = 3;
  bool FNotYetLoaded = true;
  double FRangeLow = 0;
  double FRangeHigh = 1;
  bool FShortTicks = true;
  std::string FScaleInscript;
  TScaleType FScaleType = sctLabelsBelow;
  int FScalePosX = 0;
  int FScalePosY = 0;
  double FMinRngDiff = 1e-10;
  TMouseActMode FMouseAction = mactNone;
  std::string FUserTickText;
  bool FVisible = false;
};

// An x axis: below or above the data area.
class TScalePropsHoriz : public TScaleProps {
 public:
  TScalePropsHoriz();
  std::string ClassName() const override { return "TScalePropsHoriz"; }
  void ResetComp() override;
  TScaleLocationHoriz ScaleLocation() const { return FScaleLoc; }
  // slTop gives labels above the base line, slBottom below it.
  void SetScaleLocation(TScaleLocationHoriz v);
  void Assign(const TPersistent& Source) override;

 private:
  TScaleLocationHoriz FScaleLoc = slBottom;
};

// A y axis: left or right of the data area.
class TScalePropsVert : public TScaleProps {
 public:
  TScalePropsVert();
  std::string ClassName() const override { return "TScalePropsVert"; }
  void ResetComp() override;
  TScaleLocationVert ScaleLocation() const { return FScaleLoc; }
  // slLeft gives labels left of the base line, slRight right of it.
  void SetScaleLocation(TScaleLocationVert v);
  void Assign(const TPersistent& Source) override;

 private:
  TScaleLocationVert FScaleLoc = slLeft;
};

}  // namespace kiv
