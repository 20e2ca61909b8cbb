// TScale: a stand-alone scale (axis) control, and the engine the two-dimensional chart, the
// colour scale and the gauge draw their axes with. Chief header of the scale unit.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/canvas.h"
#include "platform/controls.h"
#include "scale/labels.h"
#include "scale/rescale.h"
#include "scale/scale_types.h"
#include "scale/ticks.h"
#include "scale/transform.h"
#include "services/dtlabel.h"
#include "services/types.h"

namespace kiv {

// A strip with ticks, labels and a caption inside four margins, optionally framed; the user pans
// and zooms it by dragging with the left button (MouseAction).
//
// The scale is also a helper component: an owner that never shows it as a window sets
// IsHelperComponent, points it at its own canvas with UseForeignCanvas, keeps SuppressPaint on
// and calls ForcePaint (or DrawXScale / DrawYScale) whenever its picture needs the axis. The
// owner arranges size and margins so that ConvertToPixelCoords yields its canvas columns (rows).
//
// Setters that change the picture repaint: at once when the scale is opaque or a helper
// component, through Invalidate when it is a transparent control (so what lies behind it is
// painted first). Nothing paints while SuppressPaint is on, while loading or while invisible.
class TScale : public TCustomControl {
 public:
  explicit TScale(TComponent* AOwner);
  ~TScale() override;
  std::string ClassName() const override { return "TScale"; }

  // Every property back to its reset value (ScaleInscript and Font stay). Leaves SuppressPaint
  // on and does not repaint.
  void ResetComp();

  // --- Range and mapping.
  double RangeLow() const { return FRangeLow; }
  double RangeHigh() const { return FRangeHigh; }
  // Setting one end equal to the other moves the other end to value + 1 (a reversed scale when
  // RangeHigh is set to RangeLow). Non-finite values are ignored.
  void SetRangeLow(double v);
  void SetRangeHigh(double v);
  // Both ends; equal ends give HighVal = LowVal + 1.
  void SetRange(double LowVal, double HighVal);
  double Center() const { return (FRangeLow + FRangeHigh) / 2; }
  // Recomputes the mapping from range, size, margins, scale type and Logarithmic. Setters call
  // it; owners that change the size through other paths call it too.
  void AdjustScalePars();
  // Value to pixel along the strip (x on horizontal types, y on vertical types).
  int R2M(double value) const;
  int ConvertToPixelCoords(double Value) const { return R2M(Value); }
  // Pixel to value.
  double M2R(int pixel) const;
  double ConvertPixelToScale(int PixelCoord) const { return M2R(PixelCoord); }
  double TransfK() const { return FTransf.k; }
  double TransfD() const { return FTransf.d; }

  // --- Ticks recorded by the last drawing pass (at most 250), counted from 1 in drawing order.
  int NumTicks() const { return FTickCount; }
  // 0 for ix outside 1..NumTicks.
  double GetTickPos(int ix) const;
  double TickPos(int ix) const { return GetTickPos(ix); }
  // The settings the tick engine reads, and the ticks a drawing pass would draw now.
  TScaleTickSettings TickSettings() const;
  TScaleTickList ComputeTicks() const { return ComputeScaleTicks(TickSettings()); }

  // --- Drawing passes onto any canvas with its current pen and font: ticks, labels, date/time
  // messages and the caption (no base line, no frame). The base line lies on row y (column x).
  void DrawXScale(TCanvas& canvas, int y);
  void DrawYScale(TCanvas& canvas, int x);

  // --- Painting control.
  bool SuppressPaint() const { return FSuppressPaint; }
  // Clearing the flag repaints (only when it changes).
  void SetSuppressPaint(bool v);
  // Paints once even while SuppressPaint is on.
  void ForcePaint();
  // Paint onto another canvas at (x, y) instead of the own one; nullptr returns to the own
  // canvas. The canvas is not owned and must outlive its use here. Does not repaint.
  void UseForeignCanvas(TCanvas* ForeignCv, int x, int y);
  TCanvas* ForeignCanvas() const { return FForeignCv; }
  bool IsHelperComponent() const { return FIsHelper; }
  void SetIsHelperComponent(bool v);
  int ForeignCanvasPosX() const { return FForCvPosX; }
  int ForeignCanvasPosY() const { return FForCvPosY; }
  void SetForeignCanvasPosX(int v);
  void SetForeignCanvasPosY(int v);

  // --- Published properties. The chart addresses some setters by their internal names, which
  // are kept as aliases.
  const std::string& Caption() const { return FUnitLabel; }
  void SetCaption(const std::string& v);
  void SetUnitLabel(const std::string& v) { SetCaption(v); }
  int CaptionPosX() const { return FLblPosX; }
  int CaptionPosY() const { return FLblPosY; }
  void SetCaptionPosX(int v);
  void SetCaptionPosY(int v);
  void SetUnitLabelPosX(int v) { SetCaptionPosX(v); }
  void SetUnitLabelPosY(int v) { SetCaptionPosY(v); }
  TAlignment CaptionAlignment() const { return FLblAlign; }
  void SetCaptionAlignment(TAlignment v);
  void SetCaptAlign(TAlignment v) { SetCaptionAlignment(v); }
  TScaleUnitAnchor CaptionAnchor() const { return FLblAnchor; }
  void SetCaptionAnchor(TScaleUnitAnchor v);
  void SetCaptAnchor(TScaleUnitAnchor v) { SetCaptionAnchor(v); }
  TColor ColorBackGnd() const { return FColorBG; }
  void SetColorBackGnd(TColor v);
  TColor ColorScale() const { return FColorFG; }
  void SetColorScale(TColor v);
  void SetColorFG(TColor v) { SetColorScale(v); }
  // Scheme 0 shades frames grey and white, any other the system shadow and highlight colours.
  TColorScheme ColorScheme() const { return FColorScheme; }
  void SetColorScheme(TColorScheme v);
  // The scale's own date/time label settings; changing them repaints.
  TDTLabel& DateFormat() { return *FDTFormat; }
  const TDTLabel& DateFormat() const { return *FDTFormat; }
  void SetDateFormat(const TDTLabel& v);
  // -3..12; -2 and -3 choose automatically (-3 labels logarithmic decades by their exponent).
  int DecPlaces() const { return FDecPlaces; }
  void SetDecPlaces(int v);
  TFrameStyle FrameStyle() const { return FFrameStyle; }
  void SetFrameStyle(TFrameStyle v);
  TFigType LabelType() const { return FLabelType; }
  // fgtDateTime switches Logarithmic off; fgtTime sets DecPlaces to 4.
  void SetLabelType(TFigType v);
  bool Logarithmic() const { return FAxLog; }
  // Once loaded, true is only taken when both ends are >= 1e-100 and the labels are not dates.
  void SetLogarithmic(bool v);
  void SetAxLinLog(bool v) { SetLogarithmic(v); }
  int MarginTop() const { return FMarginTop; }
  int MarginBottom() const { return FMarginBottom; }
  int MarginLeft() const { return FMarginLeft; }
  int MarginRight() const { return FMarginRight; }
  // Negative margins become 0.
  void SetMarginTop(int v);
  void SetMarginBottom(int v);
  void SetMarginLeft(int v);
  void SetMarginRight(int v);
  // Wanted number of tick intervals: 0 (automatic) or 2..10; other values are clamped.
  int MinTicks() const { return FNumTicks; }
  void SetMinTicks(int v);
  void SetNumTicks(int v) { SetMinTicks(v); }
  TMouseActMode MouseAction() const { return FMouseAction; }
  void SetMouseAction(TMouseActMode v) { FMouseAction = v; }
  bool ShortTicks() const { return FShortTicks; }
  void SetShortTicks(bool v);
  bool ShowBaseLine() const { return FDrawBaseLine; }
  void SetShowBaseLine(bool v);
  const std::string& ScaleInscript() const { return FScaleInscript; }
  void SetScaleInscript(const std::string& v);
  TScaleType ScaleType() const { return FScaleType; }
  void SetScaleType(TScaleType v);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool v);
  const std::string& UserTickText() const { return FUserTicktext; }
  void SetUserTickText(const std::string& v);

  // --- Events.
  TZoomPanEvent OnZoomPan;  // a drag changed the range
  TScaleTickDrawnEvent OnScaleTickDrawn;
  TBeforeTickLabelEvent OnBeforeTickLabel;
  TScaleRenderedEvent OnBeforeScaleRendered;
  TScaleRenderedEvent OnAfterScaleRendered;

  // Copies the settings of another TScale (not MouseAction, OnZoomPan, font or size) and
  // repaints; other sources as the framework does it.
  void Assign(const TPersistent& Source) override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

 protected:
  void Loaded() override;
  void CreateWnd() override;
  void VisibleChanged() override;
  void Paint() override;
  void DblClick() override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void AssignTo(TPersistent& Dest) const override;

  // Change notification of the date/time settings: repaints.
  void Changed(TObject* Sender);

 private:
  void RepaintScale();
  void Remap();
  TScaleStrip Strip() const;
  void ResetTickList();
  void RecordTick(double value);
  void DrawTicks(TCanvas& canvas, int base, bool horizontal);
  void DrawHorizontalLabel(TCanvas& canvas, const std::string& text, double value, int x, int y);
  void DrawVerticalLabel(TCanvas& canvas, const std::string& text, double value, int x, int y,
                         int refHeight);
  void DrawMessage(TCanvas& canvas, TScaleMessage message, int base, bool horizontal);
  void DrawCaption(TCanvas& canvas, int base, bool horizontal);
  void PrepareCanvas(TCanvas& canvas);
  void DrawScaleAndBaseLine(TCanvas& target, int ox, int oy);

  double FRangeLow = 0;
  double FRangeHigh = 100;
  bool FAxLog = false;
  TScaleType FScaleType = sctLabelsAbove;
  TFigType FLabelType = fgtNumeric;
  int FNumTicks = 3;
  bool FShortTicks = true;
  int FDecPlaces = -2;
  TScaleTransform FTransf;
  std::vector<double> FScaleTickPos;
  int FTickCount = 0;
  std::string FUserTicktext;
  std::string FScaleInscript;
  int FMarginTop = 20;
  int FMarginBottom = 20;
  int FMarginLeft = 20;
  int FMarginRight = 20;
  std::unique_ptr<TDTLabel> FDTFormat;

  std::string FUnitLabel;
  int FLblPosX = 4;
  int FLblPosY = 4;
  TAlignment FLblAlign = taCenter;
  TScaleUnitAnchor FLblAnchor = uaSclTopLft;

  TColor FColorBG = clBtnFace;
  TColor FColorFG = clBlack;
  TColorScheme FColorScheme = csClassic;
  TColor FColBlackLine = clBlack;
  TColor FColGrayLine = clGray;
  TColor FColWhiteLine = clWhite;
  TFrameStyle FFrameStyle = rbLowered;
  bool FDrawBaseLine = true;
  bool FTransparent = false;
  TMouseActMode FMouseAction = mactNone;

  bool FSuppressPaint = true;
  bool FIsHelper = false;
  TCanvas* FForeignCv = nullptr;
  int FForCvPosX = 0;
  int FForCvPosY = 0;
  bool FNotYetLoaded = true;

  bool FLButtonWasDown = false;
  int FMAnchorX = 0;
  int FMAnchorY = 0;
  double FMAnchorWorldLow = 0;
  double FMAnchorWorldHigh = 0;
};

}  // namespace kiv
