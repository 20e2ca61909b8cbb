// TScaleGauge: a linear instrument display built on the scale engine: a window with a graded
// background and a scale, an index marking the value, a cover with caption and two frames.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "gauge/gauge_draw.h"
#include "platform/bitmap.h"
#include "platform/controls.h"
#include "scale/scale.h"
#include "services/types.h"

namespace kiv {

// Fired on every mouse move over the gauge: whether the pointer is inside the scale's strip,
// and the scale value under it.
using TMouseMoveInGaugeEvent =
    std::function<void(TObject* Sender, bool InGauge, TShiftState Shift, double rMousePos)>;

// The window is the rectangle inside the four cover margins. With a fixed dial the index moves
// along the scale; with a moving dial (FixedDial off) the index stays in the middle of the
// window and the scale slides under it, centred on the value.
//
// The internal scale is a helper component that paints into the gauge's off-screen picture; the
// gauge lays it out so that its base line lies 11 pixels inside the window's bottom edge
// (horizontal) or right edge (vertical), with ticks and labels inside the window and the index
// in the 10 pixels beyond the base line. Property setters repaint at once when the value
// changes the picture.
class TScaleGauge : public TCustomControl {
 public:
  explicit TScaleGauge(TComponent* AOwner);
  ~TScaleGauge() override;
  std::string ClassName() const override { return "TScaleGauge"; }

  // --- Value and range. The value is clamped into the range between Min and Max (either order)
  // when it is set; Min and Max must be positive while Logarithmic is on (other values are
  // ignored), and Logarithmic only switches when both are positive.
  double Value() const { return FGaugeValue; }
  void SetValue(double v);
  double Min() const { return FGaugeMin; }
  void SetMin(double v);
  double Max() const { return FGaugeMax; }
  void SetMax(double v);
  // The reference value of gimDualColorBand.
  double GaugeZero() const { return FGaugeZero; }
  void SetGaugeZero(double v);
  bool Logarithmic() const { return FLogarithmic; }
  void SetLogarithmic(bool v);
  // Passed to the scale (which clamps it and starts with 3 and short ticks on of its own).
  int MinTicks() const { return FMinTicks; }
  void SetMinTicks(int v);
  bool ShortTicks() const { return FShortTicks; }
  void SetShortTicks(bool v);
  bool FixedDial() const { return FScaleFixed; }
  void SetFixedDial(bool v);

  // --- Look.
  TGaugeOrientation Orientation() const { return FGaugeOrient; }
  void SetOrientation(TGaugeOrientation v);
  TGaugeIndexMode IndexMode() const { return FGaugeIdxMode; }
  void SetIndexMode(TGaugeIndexMode v);
  TGaugeBackground Background() const { return FGaugeBG; }
  void SetBackground(TGaugeBackground v);
  TColor ColorBg1() const { return FColorSclBG1; }
  void SetColorBg1(TColor v);
  TColor ColorBg2() const { return FColorSclBG2; }
  void SetColorBg2(TColor v);
  TColor ColorIndex1() const { return FColorIndex1; }
  void SetColorIndex1(TColor v);
  TColor ColorIndex2() const { return FColorIndex2; }
  void SetColorIndex2(TColor v);
  TColor ColorCover() const { return FColorCover; }
  void SetColorCover(TColor v);
  TColor ColorScale() const { return FColorScale; }
  void SetColorScale(TColor v);
  // Stored (with the frame line colours it implies) and copied by Assign; the frames themselves
  // are drawn in fixed colours.
  TColorScheme ColorScheme() const { return FColorScheme; }
  void SetColorScheme(TColorScheme v);
  // Cover margins; each is limited so that the window keeps 20 pixels (and is at least 0).
  int MarginLeft() const { return FCovMargLeft; }
  void SetMarginLeft(int v);
  int MarginRight() const { return FCovMargRight; }
  void SetMarginRight(int v);
  int MarginTop() const { return FCovMargTop; }
  void SetMarginTop(int v);
  int MarginBottom() const { return FCovMargBottom; }
  void SetMarginBottom(int v);
  TFrameStyle FrameStyleOuter() const { return FOuterFrameSt; }
  void SetFrameStyleOuter(TFrameStyle v);
  TFrameStyle FrameStyleInner() const { return FInnerFrameSt; }
  void SetFrameStyleInner(TFrameStyle v);
  // The caption is written in the control's font with its own size, style and colour.
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& v);
  TColor CaptionColor() const { return FCaptColor; }
  void SetCaptionColor(TColor v);
  int CaptionPosX() const { return FCaptPosX; }
  void SetCaptionPosX(int v);
  int CaptionPosY() const { return FCaptPosY; }
  void SetCaptionPosY(int v);
  int CaptionSize() const { return FCaptSize; }
  void SetCaptionSize(int v);
  TFontStyles CaptionStyle() const { return FCaptStyle; }
  void SetCaptionStyle(TFontStyles v);
  // A disabled gauge (Enabled, of the control) paints in greys.

  TMouseMoveInGaugeEvent OnMouseMoveInGauge;

  // The framework's bounds, then the scale follows the new size.
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  // The scale value at a pixel (a column of horizontal gauges, a row of vertical ones).
  double ConvertPixelToScale(int PixelCoord) const {
    return FScale->ConvertPixelToScale(PixelCoord);
  }
  // The internal scale, for reading its range and ticks.
  const TScale& GaugeScale() const { return *FScale; }

  // The gauge's picture, composed afresh (also for a gauge that is not shown).
  void CopyToBitmap(TBitmap& ABitmap);

  // From another TScaleGauge: frame styles, Enabled, Value, the two background colours, the
  // frame line colours and the colour scheme, then a repaint; other sources as the framework.
  void Assign(const TPersistent& Source) override;

 protected:
  void Paint() override;
  void AssignTo(TPersistent& Dest) const override;
  void WMMouseMove(TWMMouse& Message) override;
  void EnabledChanged() override;

 private:
  // Lays the scale out for the orientation, the control's size and the cover margins.
  void SetScaleDims();
  void RepaintGauge();
  // The whole picture in FGrafBmp.
  void ComposePicture();
  // Stores a changed margin limited as the setters describe; false when nothing changed.
  bool StoreMargin(int& field, int v, int extent, int opposite);
  TGaugeGeometry Geometry() const;

  std::unique_ptr<TScale> FScale;
  TBitmap FGrafBmp;
  int FGaugeWid = 300;
  int FGaugeHgt = 75;

  double FGaugeValue = 0;
  double FGaugeMin = -10;
  double FGaugeMax = 10;
  double FGaugeZero = 0;
  bool FLogarithmic = false;
  int FMinTicks = 0;
  bool FShortTicks = false;
  bool FScaleFixed = true;
  TGaugeOrientation FGaugeOrient = goHorizontal;
  TGaugeIndexMode FGaugeIdxMode = gimTriangle;
  TGaugeBackground FGaugeBG = gbVertGrad;
  TColor FColorSclBG1 = clGray;
  TColor FColorSclBG2 = clWhite;
  TColor FColorIndex1 = clBlack;
  TColor FColorIndex2 = clRed;
  TColor FColorCover = clSilver;
  TColor FColorScale = clBlack;
  TColorScheme FColorScheme = csClassic;
  TColor FColBlackLine = clBlack;
  TColor FColGrayLine = clGray;
  TColor FColWhiteLine = clWhite;
  int FCovMargLeft = 20;
  int FCovMargRight = 10;
  int FCovMargTop = 10;
  int FCovMargBottom = 20;
  TFrameStyle FOuterFrameSt = rbRaised;
  TFrameStyle FInnerFrameSt = rbLowered;
  std::string FCaption;
  TColor FCaptColor = clBlack;
  int FCaptPosX = 10;
  int FCaptPosY = 10;
  int FCaptSize = 12;
  TFontStyles FCaptStyle{fsBold};
  bool FEnabled = true;
};

}  // namespace kiv
