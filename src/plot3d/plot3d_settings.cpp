// TPlot3D: the settings of the axes, the colour coding, the mesh, the box and the frame, each
// repainting when it changes the picture.
#include <algorithm>

#include "plot3d/plot3d.h"

namespace kiv::plot3d {

// ---------------------------------------------------------------------------------------------
// Axes

void TPlot3D::SetMinTick(int axis, int v) {
  v = std::clamp(v, 2, 20);
  int& t = FAxis[static_cast<std::size_t>(axis)].MinTick;
  if (v == t) return;
  t = v;
  Changed();
}

void TPlot3D::SetDecPlace(int axis, int v) {
  FAxis[static_cast<std::size_t>(axis)].DecPlace = std::clamp(v, -2, 12);
  Changed();
}

void TPlot3D::SetCaption(int axis, const std::string& v) {
  std::string& c = FAxis[static_cast<std::size_t>(axis)].Caption;
  if (v == c) return;
  c = v;
  Changed();
}

void TPlot3D::SetLabDist(int axis, int v) {
  int& d = FAxis[static_cast<std::size_t>(axis)].LabDist;
  if (v == d) return;
  d = v;
  Changed();
}

void TPlot3D::SetAxisVisible(int axis, bool v) {
  FAxis[static_cast<std::size_t>(axis)].Visible = v;
  Changed();
}

void TPlot3D::SetAxisColor(int axis, TColor v) {
  FAxis[static_cast<std::size_t>(axis)].Color = v;
  Changed();
}

// ---------------------------------------------------------------------------------------------
// Colours, mesh, box and frame

TColor TPlot3D::CalcColorCoding(double value) const {
  return TColorCoder({FColorCodingMode, FColorLow, FColorMid, FColorHigh, FColorScaleLow,
                      FColorScaleHigh, &IsoColors})(value);
}

void TPlot3D::SetColorCodingMode(TColorCodingMode v) {
  if (v == FColorCodingMode) return;
  FColorCodingMode = v;
  Changed();
}

void TPlot3D::SetColorLow(TColor v) {
  FColorLow = v;
  Changed();
}

void TPlot3D::SetColorMid(TColor v) {
  FColorMid = v;
  Changed();
}

void TPlot3D::SetColorHigh(TColor v) {
  FColorHigh = v;
  Changed();
}

void TPlot3D::SetColorScaleLow(double v) {
  if (!(v < FColorScaleHigh)) return;  // NaN too
  FColorScaleLow = v;
  Changed();
}

void TPlot3D::SetColorScaleHigh(double v) {
  if (!(v > FColorScaleLow)) return;
  FColorScaleHigh = v;
  Changed();
}

void TPlot3D::SetColorCodeAvg(bool v) {
  if (v == FColorCodeAvg) return;
  FColorCodeAvg = v;
  Changed();
}

void TPlot3D::SetMeshKind(TMeshKind v) {
  if (v == FMeshKind) return;
  FMeshKind = v;
  Changed();
}

void TPlot3D::SetMeshVisible(bool v) {
  if (v == FMeshVisible) return;
  FMeshVisible = v;
  Changed();
}

void TPlot3D::SetColorMesh(TColor v) {
  FColorMesh = v;
  Changed();
}

void TPlot3D::SetBoundBoxStyle(TBoundingBox v) {
  if (v == FBoundBoxStyle) return;
  FBoundBoxStyle = v;
  Changed();
}

void TPlot3D::SetColorCubeFrame(TColor v) {
  FColorCubeFrame = v;
  Changed();
}

void TPlot3D::SetColorCubeHidLin(TColor v) {
  FColorCubeHidLin = v;
  Changed();
}

void TPlot3D::SetColorCubeFaceLow(TColor v) {
  FColorCubeFaceLow = v;
  Changed();
}

void TPlot3D::SetColorCubeFaceHigh(TColor v) {
  FColorCubeFaceHigh = v;
  Changed();
}

void TPlot3D::SetColorBakGnd(TColor v) {
  FColorBakGnd = v;
  Changed();
}

void TPlot3D::SetColorFrame(TColor v) {
  FColorFrame = v;
  Changed();
}

void TPlot3D::SetFrameStyle(TFrameStyle v) {
  if (v == FFrameStyle) return;
  FFrameStyle = v;
  Changed();
}

// The shading colours are kept for applications that read them; the frame itself is drawn in
// fixed colours.
void TPlot3D::SetColorScheme(TColorScheme v) {
  if (v == FColorScheme) return;
  FColorScheme = v;
  if (v == csClassic) {
    FColGrayLine = clGray;
    FColWhiteLine = clWhite;
  } else {
    FColGrayLine = clBtnShadow;
    FColWhiteLine = clBtnHighlight;
  }
  Changed();
}

}  // namespace kiv::plot3d
