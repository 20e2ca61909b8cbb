// TRot3D: the rotatable 3D chart, a control that shows marks, lines and character marks in
// world coordinates inside an optional box, rotated, zoomed and panned with the mouse.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/bitmap.h"
#include "platform/controls.h"
#include "rot3d/errors.h"
#include "rot3d/r3item.h"
#include "rot3d/rotmatrix.h"
#include "services/picture_output.h"
#include "services/types.h"

namespace kiv::rot3d {

// A mark was drawn: the handler may give it a label, placed at the mark plus (dx, dy) by the
// alignments, in LblFont.
using TLblRequestEvent =
    std::function<void(TObject* Sender, int obj, std::string& LblText, int& dx, int& dy,
                       TAlignment& HAlign, TVerticalAlignment& VAlign, TFont& LblFont)>;
using TRenderEvent = std::function<void(TObject* Sender, TCanvas& Canvas)>;

// Items are added in world coordinates and show after MakeVisible, which centres them on their
// mean (or the given origin), scales each axis to about -500..500 and turns them into integer
// rotation objects; painting projects these with a rotation matrix scaled by 1000 and the
// divisor 4000 / Magnification. Item setters never repaint.
class TRot3D : public TCustomControl, public TPictureOutputs {
 public:
  explicit TRot3D(TComponent* AOwner);
  ~TRot3D() override;
  std::string ClassName() const override { return "TRot3D"; }

  // --- View. Angles in degrees, not normalised.
  double ViewAngleX() const { return FViewAngle[0]; }
  double ViewAngleY() const { return FViewAngle[1]; }
  double ViewAngleZ() const { return FViewAngle[2]; }
  void SetViewAngleX(double v) { SetViewAngle(0, v); }
  void SetViewAngleY(double v) { SetViewAngle(1, v); }
  void SetViewAngleZ(double v) { SetViewAngle(2, v); }
  void SetViewAngles(double vax, double vay, double vaz);
  // Rotation about x, y and z; otherwise about x and z (the y angle is ignored).
  bool MouseRot3Axes() const { return FRotMat3D; }
  void SetMouseRot3Axes(bool v);
  TAxDir AxDir() const { return FAxDir; }
  void SetAxDir(TAxDir v);
  // Element (ix, iy) of the rotation matrix; 0 outside 1..3.
  double GetRotMat(int ix, int iy) const;
  // 0.1 .. 5.0, stored as the divisor Round(4000 / value).
  double Magnification() const { return 4000.0 / FMagnify; }
  void SetMagnification(double v);
  // Screen point of the origin, limited to 0..Width (0..Height).
  int CentX() const { return FCentX; }
  void SetCentX(int v);
  int CentY() const { return FCentY; }
  void SetCentY(int v);

  // --- How MakeVisible places the items. Switching these runs MakeVisible.
  double OriginX() const { return FOrigin[0]; }
  double OriginY() const { return FOrigin[1]; }
  double OriginZ() const { return FOrigin[2]; }
  void SetOriginX(double v) { SetOrigin(0, v); }
  void SetOriginY(double v) { SetOrigin(1, v); }
  void SetOriginZ(double v) { SetOrigin(2, v); }
  void SetOrigins(double vax, double vay, double vaz);
  bool AutoOrigin() const { return FAutoOrigin; }
  void SetAutoOrigin(bool v);
  bool AutoScale() const { return FAutoScale; }
  void SetAutoScale(bool v);
  bool IsoMetric() const { return FIsoMetric; }
  void SetIsoMetric(bool v);
  // The scales MakeVisible used (or uses, without AutoScale).
  double ScaleFactX() const { return FScaleFact[0]; }
  double ScaleFactY() const { return FScaleFact[1]; }
  double ScaleFactZ() const { return FScaleFact[2]; }
  void SetScaleFactX(double v) { SetScaleFact(0, v); }
  void SetScaleFactY(double v) { SetScaleFact(1, v); }
  void SetScaleFactZ(double v) { SetScaleFact(2, v); }
  void SetScaleFactors(double sfx, double sfy, double sfz);

  // --- Box, axes and frame.
  TBoundingBox BoundBoxStyle() const { return FBoundBoxStyle; }
  void SetBoundBoxStyle(TBoundingBox v);
  // Edge length of the box in object units, 0..4000, even.
  int BoundBoxSize() const { return 2 * FBBSize; }
  void SetBoundBoxSize(int v);
  int AxSize() const { return FAxSize; }
  void SetAxSize(int v);
  bool ShowAxes() const { return FShowAxes; }
  void SetShowAxes(bool v);
  const std::string& AxNameX() const { return FAxName[0]; }
  const std::string& AxNameY() const { return FAxName[1]; }
  const std::string& AxNameZ() const { return FAxName[2]; }
  void SetAxNameX(const std::string& v) { SetAxName(0, v); }
  void SetAxNameY(const std::string& v) { SetAxName(1, v); }
  void SetAxNameZ(const std::string& v) { SetAxName(2, v); }
  TColor ColorChart() const { return FColorChart; }
  void SetColorChart(TColor v) { SetColor(FColorChart, v); }
  TColor ColorFrame() const { return FColorFrame; }
  void SetColorFrame(TColor v) { SetColor(FColorFrame, v); }
  TColor ColorCubeFrame() const { return FColorCubeFrame; }
  void SetColorCubeFrame(TColor v) { SetColor(FColorCubeFrame, v); }
  TColor ColorCubeHidLin() const { return FColorCubeHidLin; }
  void SetColorCubeHidLin(TColor v) { SetColor(FColorCubeHidLin, v); }
  TColor ColorCubeFaceLow() const { return FColorCubeFaceLow; }
  void SetColorCubeFaceLow(TColor v) { SetColor(FColorCubeFaceLow, v); }
  TColor ColorCubeFaceHigh() const { return FColorCubeFaceHigh; }
  void SetColorCubeFaceHigh(TColor v) { SetColor(FColorCubeFaceHigh, v); }
  TFrameStyle FrameStyle() const { return FFrameStyle; }
  void SetFrameStyle(TFrameStyle v);
  TColorScheme ColorScheme() const { return FColorScheme; }
  void SetColorScheme(TColorScheme v);
  // Character marks (mark numbers 52 and above): style and point size.
  TFontStyles TextFontStyle() const { return FTextFontStyle; }
  void SetTextFontStyle(TFontStyles v);
  std::uint8_t TextMarkSize() const { return FTextMarkSize; }
  void SetTextMarkSize(std::uint8_t v);
  // What a left-button drag does: mactRotate (12), mactRotateZoom (13, the right button
  // zooms), mactStretch (6, zoom), mactPan (1).
  TMouseActMode MouseAction() const { return FMouseAction; }
  void SetMouseAction(TMouseActMode v) { FMouseAction = v; }

  // --- Items.
  int AllocSize() const { return FAllocSize; }
  // Accepted only within 1..1000000.
  void SetAllocSize(int v);
  // Colour of new items (low 24 bits kept), their tag and line width (1..32).
  TColor ColorData() const { return FColorData; }
  void SetColorData(TColor v) { FColorData = v & 0xFFFFFF; }
  std::int32_t DataTag() const { return FDataTag; }
  void SetDataTag(std::int32_t v) { FDataTag = v; }
  int LineWidth() const { return FLineWidth; }
  void SetLineWidth(int v);
  int NumItems() const { return FNumChartItems; }
  Tr3Item TypeOfFirstItem() const;
  Tr3Item TypeOfLastItem() const;

  void MarkAt(double x, double y, double z, std::uint8_t mk);
  void Moveto(double x, double y, double z);
  void Drawto(double x, double y, double z);
  void Line(double x1, double y1, double z1, double x2, double y2, double z2);
  // Indices outside 0..NumItems-1 are ignored.
  void RemoveItem(int Index);
  void RemoveFirstItem() { RemoveItem(0); }
  void RemoveLastItem();
  // The item, or a tkNone record outside the list.
  Tr3ChartItem GetChartItem(int idx) const;
  // Replaces a valid index's item.
  void SetChartitem(int idx, const Tr3ChartItem& item);
  void SetChartItem(int idx, const Tr3ChartItem& item) { SetChartitem(idx, item); }
  // The same for callers that keep their indices valid; an invalid index reads a tkNone
  // record and writes nothing, and records of kind tkNone or tkEverything are not stored.
  Tr3ChartItem GetItemParams(int Item) const { return GetChartItem(Item); }
  void SetItemParams(int Item, const Tr3ChartItem& ItParams);
  // Clears the picture to the background and removes every item; the rotation objects stay
  // until the next MakeVisible.
  void Clear();
  // Builds the rotation objects from the items and repaints (nothing without items). Raises
  // EKIVRot3DError when the objects cannot be allocated; the chart is then unchanged.
  void MakeVisible();

  // The first item of kind ItemID (any kind for tkEverything, none for tkNone) nearest to
  // (mx, my, mz) in world units, or -1; dist is that distance (sqrt of the largest double
  // when none).
  int FindNearestItemReal(double mx, double my, double mz, Tr3Item ItemID, double& dist) const;
  // The item whose rotation object lies nearest to the screen point, or -1; both ends of a
  // line lead to its item. dist in pixels.
  int FindNearestItemScreen(int mx, int my, Tr3Item ItemID, double& dist) const;

  // --- Output (TPictureOutputs): the picture as the control shows it, with or without its
  // frame; black and white draws the data in black on white.

  TRenderEvent OnBeforeRenderData;
  TRenderEvent OnDataRendered;
  TLblRequestEvent OnLblRequest;

 protected:
  void Paint() override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  TSize PictureSize() const override { return TSize{Width(), Height()}; }
  void DrawPicture(TCanvas& Canvas, bool BlkWhite, bool IncludeFrame) override;

  void CalcRotMatrix();
  void CalcRotMatrix_2Ax();
  void CalcRotMatrix_3Ax();
  void SetCubeCorners();
  // Background of the picture (white for black and white); with ResizeBitmap the off-screen
  // bitmap first takes the control's size.
  void InitGraf(TCanvas& Canvas, bool BlkWhite, bool ResizeBitmap);
  void ConstructDataBmp(TCanvas& Canvas, bool BlkWhite);
  TIntProjection Projection() const;

  // Rotation objects: coordinates, colour and kind (FRotProp: colour in the low 24 bits, kind
  // in the high byte: 1 move, 2 line, 3 mark), mark number, line width, item index.
  int NRotObj = 0;
  std::vector<std::int32_t> FRotDataX{0}, FRotDataY{0}, FRotDataZ{0};
  std::vector<std::uint32_t> FRotProp{0};
  std::vector<std::uint8_t> FRotMark{0}, FLineWid{0};
  std::vector<std::int32_t> FBackLink{0};
  std::array<int, 3> FMinCoord{}, FMaxCoord{};

  std::vector<Tr3ChartItem> FDataContainer;
  int FNumChartItems = 0;
  int FNumAllocated = 0;
  int FAllocSize = 1000;

  TIntRotMatrix FRotMat{};
  std::array<double, 3> FViewAngle{110, 150, 210};
  std::array<double, 3> FAngleAnchor{110, 150, 210};
  std::array<double, 3> FOrigin{};
  std::array<double, 3> FScaleFact{1, 1, 1};
  int FMagnify = 5000;
  double FMagAnchor = 0.8;
  int FCentX = 0, FCentY = 0, FCentXAnchor = 0, FCentYAnchor = 0;
  int MouseAnchorX = 0, MouseAnchorY = 0;
  std::array<std::array<int, 3>, 8> CubeCorners{};
  int FBBSize = 400;
  int FAxSize = 700;
  std::array<std::string, 3> FAxName{"X", "Y", "Z"};
  bool FRotMat3D = false;
  TAxDir FAxDir = adLeftHanded;
  bool FAutoOrigin = true, FAutoScale = true, FIsoMetric = false;
  TBoundingBox FBoundBoxStyle = bbFaced;
  bool FShowAxes = true;
  TColor FColorChart = clWhite, FColorFrame = clBlack;
  TColor FColorCubeFrame = 0x404040, FColorCubeHidLin = 0xB0B0B0;
  TColor FColorCubeFaceLow = 0xC0C0C0, FColorCubeFaceHigh = 0xEEEEEE;
  TFrameStyle FFrameStyle = rbLowered;
  TColorScheme FColorScheme = csSystem;
  TColor FColBlackLine = clBlack, FColGrayLine = clGray, FColWhiteLine = clWhite;
  TFontStyles FTextFontStyle;
  std::uint8_t FTextMarkSize = 8;
  TMouseActMode FMouseAction = mactRotate;
  TColor FColorData = clBlack;
  std::int32_t FDataTag = 0;
  int FLineWidth = 1;
  TBitmap GrafBmp;

 private:
  void SetViewAngle(int axis, double v);
  void SetOrigin(int axis, double v);
  void SetScaleFact(int axis, double v);
  void SetAxName(int axis, const std::string& v);
  void SetColor(TColor& field, TColor v);
  void Append(const Tr3ChartItem& item);
  Tr3ChartItem NewItem(Tr3Item kind, double x, double y, double z) const;
  void DrawBox(TCanvas& Canvas, int far, bool faces);
  void DrawAxisLines(TCanvas& Canvas);
  void DrawObjects(TCanvas& Canvas, bool BlkWhite);
  void DrawAxisNames(TCanvas& Canvas);
};

}  // namespace kiv::rot3d

namespace kiv {
using rot3d::TRot3D;
}  // namespace kiv
