// TColorScale: a colour legend control (a bar of the colours of a colour array beside a scale,
// a caption, a frame and a crosshair line) that converts between values, colours and pixels.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/bitmap.h"
#include "platform/controls.h"
#include "platform/graphics.h"
#include "rchart/composition_types.h"
#include "scale/scale.h"
#include "services/colorarray.h"
#include "services/crosshair.h"
#include "services/types.h"

namespace kiv {

enum TColScaleOrientation : std::uint8_t { csoHorizontal, csoVertical };

// Fired on every mouse move: InScale tells whether the pointer is over the bar, rMousePos is
// the scale value under the pointer along the scale.
using TMouseMoveInColorScaleEvent =
    std::function<void(TObject* Sender, bool InScale, TShiftState Shift, double rMousePos)>;

// The bar lies inside the four margins; the scale's base line runs along its lower edge
// (horizontal) or its right edge (vertical). Two ranges: the scale range (what the scale shows)
// and the colour range (over which the colour array is spread, entry 1 at ColorLow, entry N at
// ColorHigh). SetScaleRange and mouse drags set both, the single properties one each.
//
// Setters repaint (through the host; headless controls paint when they are shown or asked with
// PaintTo). The internal scale is a helper component that draws onto the control's bitmap.
class TColorScale : public TCustomControl {
 public:
  explicit TColorScale(TComponent* AOwner);
  ~TColorScale() override;
  std::string ClassName() const override { return "TColorScale"; }

  // --- Caption, written at (CaptionPosX, CaptionPosY) in the control's font at CaptionSize
  // points and CaptionStyle.
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

  // --- Colours and frame.
  TColor ColorSclBkgd() const { return FColorSclBkgd; }
  void SetColorSclBkgd(TColor v);
  // Pen of the scale and of the bar's frame.
  TColor ColorOfScale() const { return FColorScale; }
  void SetColorOfScale(TColor v);
  // Stored (with the grey and white frame line colours it implies) and copied by Assign; the
  // frame is always drawn in the classic colours.
  TColorScheme ColorScheme() const { return FColorScheme; }
  void SetColorScheme(TColorScheme v);
  TFrameStyle FrameStyle() const { return FFrameSt; }
  void SetFrameStyle(TFrameStyle v);
  bool FramedColorScale() const { return FFramedColors; }
  void SetFramedColorScale(bool v);
  // Parts of the bar outside the colour range take the end colours instead of the background.
  bool ExtendColors() const { return FExtendColors; }
  void SetExtendColors(bool v);
  // The colours of the bar, entry 1 at the low end. Its changes repaint.
  TColorArray& ColorArray() { return *FColorArray; }
  const TColorArray& ColorArray() const { return *FColorArray; }

  // Crosshair line across the bar at a value (x position for horizontal, y for vertical
  // orientation). Writing copies the settings; any change repaints.
  TCrossHair& CrossHair() { return *FCrossHair; }
  void SetCrossHair(const TCrossHair& v);

  // --- Ranges.
  double ScaleRangeLow() const { return FColSclMin; }
  double ScaleRangeHigh() const { return FColSclMax; }
  // Sets the scale's end (an end set equal to the other moves that one to value + 1) and
  // stores what the scale then holds.
  void SetScaleRangeLow(double v);
  void SetScaleRangeHigh(double v);
  double ColorLow() const { return FColorLow; }
  double ColorHigh() const { return FColorHigh; }
  // A low end above the high end drags the high end along, and vice versa.
  void SetColorLow(double v);
  void SetColorHigh(double v);
  // Scale range and colour range together; equal ends become lowval - 1 .. highval + 1.
  void SetScaleRange(double lowval, double highval);

  // --- Layout. Margins are limited so that the bar keeps at least one pixel (and never go
  // below 0).
  int MarginTop() const { return FMarginTop; }
  void SetMarginTop(int v);
  int MarginBottom() const { return FMarginBottom; }
  void SetMarginBottom(int v);
  int MarginLeft() const { return FMarginLeft; }
  void SetMarginLeft(int v);
  int MarginRight() const { return FMarginRight; }
  void SetMarginRight(int v);
  // The internal scale's wanted number of tick intervals; new values are clamped to 2..10.
  int MinTicks() const;
  void SetMinTicks(int v);
  TColScaleOrientation Orientation() const { return FColScaleOrient; }
  void SetOrientation(TColScaleOrientation v);
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  // mactDragCrosshair moves the crosshair, mactScaleDrag pans (middle of the bar) or moves one
  // end of the range (outer 42 % at each end); other modes do nothing.
  TMouseActMode MouseAction() const { return FMouseAction; }
  void SetMouseAction(TMouseActMode v) { FMouseAction = v; }

  bool SuppressPaint() const { return FSuppressPaint; }
  // Storing false repaints.
  void SetSuppressPaint(bool v);

  // --- Conversions. ValueToColor: colour array entry round(N * (v - ColorLow) / (ColorHigh -
  // ColorLow)) clamped to 1..N (N / 2 for an empty colour range; black for NaN or N = 0).
  TColor ValueToColor(double v) const;
  // ColorLow + i / N * (ColorHigh - ColorLow) for the lowest index i holding the colour (0 when
  // none does, so an unknown colour maps to ColorLow).
  double ColorToValue(TColor cl) const;
  // The control pixel of a value along the scale (column or row).
  int ValueToPixel(double v) const;
  // The value under a control pixel along the scale.
  double PixelToValue(int p) const;

  // Copies the last painted picture onto ABitmap with its top-left corner at (PosX, PosY); a
  // negative position sizes ABitmap to the picture and copies to (0, 0). Nothing for nullptr.
  void CopyToBitMap(TBitmap* ABitmap, int PosX, int PosY);
  // Paints the picture (also headless, also while painting is suppressed) and copies it as
  // CopyToBitMap does.
  void PaintTo(TBitmap& ABitmap, int PosX, int PosY);

  void Assign(const TPersistent& Source) override;

  // The internal scale, for its label settings (decimals, logarithmic, label type).
  TScale& Scale() { return *FScale; }

  TNotifyEvent OnCrossHairMove;
  TRenderEvent OnDataRendered;  // (Sender, bitmap canvas, 0, 0) after bar, scale and caption
  TMouseMoveInColorScaleEvent OnMouseMoveInScale;
  TZoomPanEvent OnZoomPan;  // when a scale drag ends

 protected:
  void Paint() override;
  void CreateWnd() override;
  void AssignTo(TPersistent& Dest) const override;
  void WMMouseMove(TWMMouse& Message) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

  // Lays the internal scale out along the bar.
  void SetScaleDims();
  // Repaints unless painting is suppressed.
  void Changed();
  // The picture into FGrafBmp.
  void RenderPicture();
  // Steps of the picture.
  void DrawBar(TCanvas& c);
  void DrawCrossHairLine(TCanvas& c);
  bool Horizontal() const { return FColScaleOrient == csoHorizontal; }
  // Pixel along the scale of a mouse position.
  int AlongScale(int X, int Y) const { return Horizontal() ? X : Y; }

  std::string FCaption;
  TColor FCaptColor = clBlack;
  int FCaptPosX = 10;
  int FCaptPosY = 10;
  int FCaptSize = 12;
  TFontStyles FCaptStyle = TFontStyles{fsBold};
  TColor FColorSclBkgd = clSilver;
  TColor FColorScale = clBlack;
  TColorScheme FColorScheme = csClassic;
  TColor FColGrayLine = clGray;
  TColor FColWhiteLine = clWhite;
  TFrameStyle FFrameSt = rbLowered;
  double FColSclMin = -10;
  double FColSclMax = 10;
  double FColorLow = -10;
  double FColorHigh = 10;
  bool FExtendColors = false;
  bool FFramedColors = true;
  int FMarginTop = 8;
  int FMarginBottom = 22;
  int FMarginLeft = 16;
  int FMarginRight = 16;
  TMouseActMode FMouseAction = mactNone;
  TColScaleOrientation FColScaleOrient = csoHorizontal;
  bool FSuppressPaint = true;

  std::unique_ptr<TColorArray> FColorArray;
  std::unique_ptr<TCrossHair> FCrossHair;
  std::unique_ptr<TScale> FScale;
  TBitmap FGrafBmp;

  // Drag state: FZoomPanMode 0 pans, 1 moves the low end, 2 moves the high end.
  bool FLeftButWasDown = false;
  bool FScaleDragActive = false;
  int FMouseAnchorX = 0;
  int FMouseAnchorY = 0;
  double FAnchorSclLow = 0;
  double FAnchorSclHigh = 0;
  int FZoomPanMode = 0;
};

}  // namespace kiv
