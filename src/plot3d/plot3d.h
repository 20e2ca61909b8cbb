// TPlot3D: the surface plot, a control that shows a matrix of values as a colour-coded surface
// over a rectangular grid inside a box with three axes, rotated, zoomed and panned by the mouse.
#pragma once

#include <array>
#include <string>

#include "platform/bitmap.h"
#include "platform/controls.h"
#include "plot3d/colorcoding.h"
#include "plot3d/plot3d_types.h"
#include "plot3d/view.h"
#include "services/colorarray.h"
#include "services/matrix.h"
#include "services/picture_output.h"
#include "services/types.h"

namespace kiv {
class TQuadPainter;
}  // namespace kiv

namespace kiv::plot3d {

// The grid's columns run along x, its rows along y, and the values give z. The grid is drawn
// in a cube of -150..150 internal units per axis (times the scale factors), seen in parallel
// projection; RangeZLow..RangeZHigh maps onto the cube's height, the x and y ranges only label
// the axes. Fill GridMat, then repaint (or switch SuppressPaint off): changes of the matrix do
// not paint by themselves.
//
// Setters that change the picture repaint the control (when it has a window and painting is
// not suppressed). Out-of-range settings are limited, never refused with an error.
class TPlot3D : public TCustomControl, public TPictureOutputs {
 public:
  explicit TPlot3D(TComponent* AOwner);
  ~TPlot3D() override;
  std::string ClassName() const override { return "TPlot3D"; }

  // The data: NC columns (x) by NR rows (y), 1-based.
  TMatrix GridMat;
  // Colour table of ccmColorArray (empty at first).
  TColorArray IsoColors;

  // --- View.
  // Angles in degrees, normalised into 0..360 (370 -> 10, -30 -> 330).
  double ViewAngleX() const { return FViewAngle[0]; }
  void SetViewAngleX(double v);
  double ViewAngleZ() const { return FViewAngle[2]; }
  void SetViewAngleZ(double v);
  // Both at once, painting once; nothing when both equal the current angles.
  void SetViewAngles(double vax, double vaz);
  // Element (row ix, column iy) of the rotation matrix; 0 outside 1..3.
  double GetRotMat(int ix, int iy) const;
  // 0.1 .. 5.0.
  double Magnification() const { return FMagnification; }
  void SetMagnification(double v);
  double ScaleFactX() const { return FSclXIntern; }
  void SetScaleFactX(double v);
  double ScaleFactY() const { return FSclYIntern; }
  void SetScaleFactY(double v);
  double ScaleFactZ() const { return FSclZIntern; }
  void SetScaleFactZ(double v);
  // The screen point of the cube's centre. With AutoCenter the setters only re-centre the view
  // on the control; otherwise the value is limited to -Width..2 Width (-Height..2 Height).
  int CentX() const { return FCentX; }
  void SetCentX(int v);
  int CentY() const { return FCentY; }
  void SetCentY(int v);
  bool AutoCenter() const { return FAutoCenter; }
  void SetAutoCenter(bool v);

  // --- Ranges of the axes. An end set equal to the other is moved 1 away from it.
  double RangeXLow() const { return FRange[0][0]; }
  double RangeXHigh() const { return FRange[0][1]; }
  double RangeYLow() const { return FRange[1][0]; }
  double RangeYHigh() const { return FRange[1][1]; }
  double RangeZLow() const { return FRange[2][0]; }
  double RangeZHigh() const { return FRange[2][1]; }
  void SetRangeXLow(double v) { SetRangeEnd(0, 0, v); }
  void SetRangeXHigh(double v) { SetRangeEnd(0, 1, v); }
  void SetRangeYLow(double v) { SetRangeEnd(1, 0, v); }
  void SetRangeYHigh(double v) { SetRangeEnd(1, 1, v); }
  void SetRangeZLow(double v) { SetRangeEnd(2, 0, v); }
  void SetRangeZHigh(double v) { SetRangeEnd(2, 1, v); }
  // All six; an axis whose ends are equal is widened by 0.5 on each side.
  void SetRange(double xLow, double xHigh, double yLow, double yHigh, double zLow, double zHigh);

  // --- Axes: wanted tick count (2..20), decimals (-2..12, -2 automatic), caption, caption
  // distance in pixels, visibility and colour.
  int MinTickX() const { return FAxis[0].MinTick; }
  int MinTickY() const { return FAxis[1].MinTick; }
  int MinTickZ() const { return FAxis[2].MinTick; }
  void SetMinTickX(int v) { SetMinTick(0, v); }
  void SetMinTickY(int v) { SetMinTick(1, v); }
  void SetMinTickZ(int v) { SetMinTick(2, v); }
  int DecPlaceX() const { return FAxis[0].DecPlace; }
  int DecPlaceY() const { return FAxis[1].DecPlace; }
  int DecPlaceZ() const { return FAxis[2].DecPlace; }
  void SetDecPlaceX(int v) { SetDecPlace(0, v); }
  void SetDecPlaceY(int v) { SetDecPlace(1, v); }
  void SetDecPlaceZ(int v) { SetDecPlace(2, v); }
  const std::string& CaptionX() const { return FAxis[0].Caption; }
  const std::string& CaptionY() const { return FAxis[1].Caption; }
  const std::string& CaptionZ() const { return FAxis[2].Caption; }
  void SetCaptionX(const std::string& v) { SetCaption(0, v); }
  void SetCaptionY(const std::string& v) { SetCaption(1, v); }
  void SetCaptionZ(const std::string& v) { SetCaption(2, v); }
  int LabDistX() const { return FAxis[0].LabDist; }
  int LabDistY() const { return FAxis[1].LabDist; }
  int LabDistZ() const { return FAxis[2].LabDist; }
  void SetLabDistX(int v) { SetLabDist(0, v); }
  void SetLabDistY(int v) { SetLabDist(1, v); }
  void SetLabDistZ(int v) { SetLabDist(2, v); }
  bool VisibleXCoords() const { return FAxis[0].Visible; }
  bool VisibleYCoords() const { return FAxis[1].Visible; }
  bool VisibleZCoords() const { return FAxis[2].Visible; }
  void SetVisibleXCoords(bool v) { SetAxisVisible(0, v); }
  void SetVisibleYCoords(bool v) { SetAxisVisible(1, v); }
  void SetVisibleZCoords(bool v) { SetAxisVisible(2, v); }
  TColor ColorXCoords() const { return FAxis[0].Color; }
  TColor ColorYCoords() const { return FAxis[1].Color; }
  TColor ColorZCoords() const { return FAxis[2].Color; }
  void SetColorXCoords(TColor v) { SetAxisColor(0, v); }
  void SetColorYCoords(TColor v) { SetAxisColor(1, v); }
  void SetColorZCoords(TColor v) { SetAxisColor(2, v); }

  // --- Colour coding of the cells.
  TColorCodingMode ColorCodingMode() const { return FColorCodingMode; }
  void SetColorCodingMode(TColorCodingMode v);
  TColor ColorLow() const { return FColorLow; }
  void SetColorLow(TColor v);
  TColor ColorMid() const { return FColorMid; }
  void SetColorMid(TColor v);
  TColor ColorHigh() const { return FColorHigh; }
  void SetColorHigh(TColor v);
  // The value range of the colours; a low end not below the high end (a high end not above the
  // low end) is ignored.
  double ColorScaleLow() const { return FColorScaleLow; }
  void SetColorScaleLow(double v);
  double ColorScaleHigh() const { return FColorScaleHigh; }
  void SetColorScaleHigh(double v);
  // A cell's colour from the mean of its four corners instead of their maximum.
  bool ColorCodeAvg() const { return FColorCodeAvg; }
  void SetColorCodeAvg(bool v);

  // --- Mesh, box and frame.
  TMeshKind MeshKind() const { return FMeshKind; }
  void SetMeshKind(TMeshKind v);
  bool MeshVisible() const { return FMeshVisible; }
  void SetMeshVisible(bool v);
  TColor ColorMesh() const { return FColorMesh; }
  void SetColorMesh(TColor v);
  TBoundingBox BoundBoxStyle() const { return FBoundBoxStyle; }
  void SetBoundBoxStyle(TBoundingBox v);
  TColor ColorCubeFrame() const { return FColorCubeFrame; }
  void SetColorCubeFrame(TColor v);
  TColor ColorCubeHidLin() const { return FColorCubeHidLin; }
  void SetColorCubeHidLin(TColor v);
  TColor ColorCubeFaceLow() const { return FColorCubeFaceLow; }
  void SetColorCubeFaceLow(TColor v);
  TColor ColorCubeFaceHigh() const { return FColorCubeFaceHigh; }
  void SetColorCubeFaceHigh(TColor v);
  TColor ColorBakGnd() const { return FColorBakGnd; }
  void SetColorBakGnd(TColor v);
  TColor ColorFrame() const { return FColorFrame; }
  void SetColorFrame(TColor v);
  TFrameStyle FrameStyle() const { return FFrameStyle; }
  void SetFrameStyle(TFrameStyle v);
  TColorScheme ColorScheme() const { return FColorScheme; }
  void SetColorScheme(TColorScheme v);

  // What a left-button drag does: mactRotate (12, within the angle limits), mactRotateZoom (13,
  // unlimited, the right button zooms), mactRotateX (14), mactRotateZ (15), mactStretch (6,
  // zoom), mactPan (1).
  TMouseActMode MouseAction() const { return FMouseAction; }
  void SetMouseAction(TMouseActMode v) { FMouseAction = v; }

  // Switching it off refreshes what is derived from the data and repaints.
  bool SuppressPaint() const { return FSuppressPaint; }
  void SetSuppressPaint(bool v);

  // --- Operations.
  // ScaleFactX and ScaleFactY give square cells; ScaleFactZ stretches the data's extent to the
  // z range (1 for constant data).
  void AutoScale();
  // Centre, scale factors 1, view angles 66 and 135, magnification 1.
  void Reset();
  // GridMat filled with 0.
  void Clear();
  // The surface, box and axes drawn onto any canvas (no background, no frame).
  void DrawOnForeignCanvas(TCanvas& cv);

  // --- Output (TPictureOutputs): the picture as the control shows it, with or without its
  // frame; black-and-white output is the picture in grey levels.

  TMouseActionEvent OnMouseAction;
  TMouseMoveOverPlotEvent OnMouseMoveOverPlot;
  TBeforeRenderPolygonEvent OnBeforeRenderPolygon;
  Tp3BeforeDrawScaleLabelEvent OnBeforeDrawScaleLabel;
  TRenderEvent OnDataRendered;
  TZoomPanEvent OnZoomPan;

 protected:
  struct TAxisSettings {
    int MinTick = 3;
    int DecPlace = 1;
    std::string Caption;
    int LabDist = 40;
    bool Visible = true;
    TColor Color = clBlack;
  };

  void Paint() override;
  void Resize() override;
  TSize PictureSize() const override { return TSize{Width(), Height()}; }
  void DrawPicture(TCanvas& Canvas, bool BlkWhite, bool IncludeFrame) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;

  void CalcRotMatrix();
  TColor CalcColorCoding(double value) const;
  double CalcIntZ(double value) const { return FCalibZk * value + FCalibZd; }
  void AdjustScaling();
  void SetCubeCorners();
  void InitGraf(TCanvas& Canvas);
  // The picture: box faces, hidden edges, surface, front edges, axes. The flag is unused.
  void ConstructDataBmp(TCanvas& Canvas, bool flag);
  void DrawAxis(TCanvas& Canvas, TP3ScaleKind ScaleType, int x1, int y1, int x2, int y2, double Low,
                double High, int corner);
  // Text centred on (x, y) by its width and height.
  void DrawCenteredText(TCanvas& Canvas, int x, int y, const std::string& text);
  void MouseActionMove(TShiftState Shift, int X, int Y);
  void MouseMoveOverPlot(TShiftState Shift, int X, int Y);
  void DoZoomPanEvent();
  void ProcessResize();
  // Cube corners, the data's extent and the projection maps' size, from GridMat.
  void GridMatChanged();
  // The grid cell whose drawn quadrilateral contains (mx, my), the one drawn last where several
  // do; false when none does.
  bool FindCell(int mx, int my, int& CellX, int& CellY) const;
  TSurfaceProjection Projection() const;
  // The paths through the painting rules: repaint when allowed.
  void Changed();
  void Wrapped(double& angle) const;

  // Per grid point: screen x, screen y and the drawing-order number of the last drawing.
  TIntMatrix ProjMapX, ProjMapY, ProjMapZ;
  TBitmap GrafBmp;
  std::array<std::array<double, 3>, 8> CubeCorners{};
  TRotMatrix FRotMat;
  std::array<double, 3> FViewAngle{60, 0, 15};
  std::array<double, 3> FViewAngLimLow{0, 0, 0};
  std::array<double, 3> FViewAngLimHigh{360, 360, 360};
  std::array<double, 3> FAngleAnchor{};
  double FMagAnchor = 1;
  int FCentXAnchor = 0, FCentYAnchor = 0;
  int MouseAnchorX = 0, MouseAnchorY = 0;
  double FMinZ = 0, FMaxZ = 0;
  double FCalibZk = 150, FCalibZd = 0;
  double FSclXIntern = 1, FSclYIntern = 1, FSclZIntern = 1;
  TColor FColBlackLine = clBlack, FColGrayLine = clGray, FColWhiteLine = clWhite;

  double FMagnification = 1;
  int FCentX = 0, FCentY = 0;
  bool FAutoCenter = true;
  std::array<std::array<double, 2>, 3> FRange{{{-1, 1}, {-1, 1}, {-1, 1}}};
  std::array<TAxisSettings, 3> FAxis{{{3, 1, "X", 40, true, clRed},
                                      {3, 1, "Y", 40, true, clBlue},
                                      {3, -2, "Z", 20, true, clBlack}}};
  TColorCodingMode FColorCodingMode = ccmTwoColors;
  TColor FColorLow = clBlack, FColorMid = clBlue, FColorHigh = clYellow;
  double FColorScaleLow = 0, FColorScaleHigh = 100;
  bool FColorCodeAvg = false;
  TMeshKind FMeshKind = mkMesh;
  bool FMeshVisible = true;
  TColor FColorMesh = clBlack;
  TBoundingBox FBoundBoxStyle = bbFaced;
  TColor FColorCubeFrame = 0x404040, FColorCubeHidLin = 0xB0B0B0;
  TColor FColorCubeFaceLow = 0xC0C0C0, FColorCubeFaceHigh = 0xFEEEEE;
  TColor FColorBakGnd = clWhite, FColorFrame = clBlack;
  TFrameStyle FFrameStyle = rbLowered;
  TColorScheme FColorScheme = csSystem;
  TMouseActMode FMouseAction = mactRotate;
  bool FSuppressPaint = true;
  // GridMat changed since the data-derived state was last computed.
  bool FDataChanged = true;

 private:
  void SetRangeEnd(int axis, int end, double v);
  void SetMinTick(int axis, int v);
  void SetDecPlace(int axis, int v);
  void SetCaption(int axis, const std::string& v);
  void SetLabDist(int axis, int v);
  void SetAxisVisible(int axis, bool v);
  void SetAxisColor(int axis, TColor v);
  void SetViewAngle(int axis, double v);
  void RefreshData();
  void Recenter();
  void DrawSurface(TCanvas& Canvas);
  // One cell, straight into the rows when direct is given.
  void DrawCell(TCanvas& Canvas, TQuadPainter* direct, const TPoint* q, TColor color);
  void DrawBoxFaces(TCanvas& Canvas, int near);
  void DrawAxes(TCanvas& Canvas, int near);
};

}  // namespace kiv::plot3d

namespace kiv {
using plot3d::TPlot3D;
}  // namespace kiv
