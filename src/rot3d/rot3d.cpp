// TRot3D: construction, the view and the settings with their repaint rules.
#include "rot3d/rot3d.h"

#include <algorithm>
#include <cmath>

#include "services/rounding.h"

namespace kiv::rot3d {

TRot3D::TRot3D(TComponent* AOwner) : TCustomControl(AOwner) {
  SetControlStyle(ControlStyle() + TControlStyle{csOpaque});
  SetBounds(Left(), Top(), 450, 300);
  FCentX = Width() / 2;
  FCentY = Height() / 2;
  SetCubeCorners();
  CalcRotMatrix();
}

TRot3D::~TRot3D() {
  Destroying();
}

// ---------------------------------------------------------------------------------------------
// View

void TRot3D::CalcRotMatrix() {
  if (FRotMat3D)
    CalcRotMatrix_3Ax();
  else
    CalcRotMatrix_2Ax();
}

void TRot3D::CalcRotMatrix_2Ax() {
  FRotMat = RotMatrix2Axes(FViewAngle[0], FViewAngle[2], FAxDir);
}

void TRot3D::CalcRotMatrix_3Ax() {
  FRotMat = RotMatrix3Axes(FViewAngle[0], FViewAngle[1], FViewAngle[2], FAxDir);
}

double TRot3D::GetRotMat(int ix, int iy) const {
  if (ix < 1 || ix > 3 || iy < 1 || iy > 3) return 0;
  return FRotMat[static_cast<std::size_t>(ix - 1)][static_cast<std::size_t>(iy - 1)] / 1000.0;
}

void TRot3D::SetViewAngle(int axis, double v) {
  const auto a = static_cast<std::size_t>(axis);
  if (v == FViewAngle[a] || !std::isfinite(v)) return;
  FViewAngle[a] = FAngleAnchor[a] = v;
  CalcRotMatrix();
  Repaint();
}

void TRot3D::SetViewAngles(double vax, double vay, double vaz) {
  if (vax == FViewAngle[0] && vay == FViewAngle[1] && vaz == FViewAngle[2]) return;
  if (!std::isfinite(vax) || !std::isfinite(vay) || !std::isfinite(vaz)) return;
  FViewAngle = FAngleAnchor = {vax, vay, vaz};
  CalcRotMatrix();
  Repaint();
}

void TRot3D::SetMouseRot3Axes(bool v) {
  FRotMat3D = v;
  CalcRotMatrix();
  Repaint();
}

void TRot3D::SetAxDir(TAxDir v) {
  FAxDir = v;
  CalcRotMatrix();
  Repaint();
}

void TRot3D::SetMagnification(double v) {
  if (std::isnan(v)) return;
  FMagnify = RoundToInt(4000 / std::clamp(v, 0.1, 5.0));
  Repaint();
}

void TRot3D::SetCentX(int v) {
  if (v == FCentX) return;
  FCentX = std::clamp(v, 0, Width());
  Repaint();
}

void TRot3D::SetCentY(int v) {
  if (v == FCentY) return;
  FCentY = std::clamp(v, 0, Height());
  Repaint();
}

TIntProjection TRot3D::Projection() const {
  TIntProjection p;
  p.R = FRotMat;
  p.Magnify = FMagnify;
  p.CentX = FCentX;
  p.CentY = FCentY;
  return p;
}

// ---------------------------------------------------------------------------------------------
// Placement of the items

void TRot3D::SetOrigin(int axis, double v) {
  const auto a = static_cast<std::size_t>(axis);
  if (v == FOrigin[a]) return;
  FOrigin[a] = v;
  Repaint();
}

void TRot3D::SetOrigins(double vax, double vay, double vaz) {
  if (vax == FOrigin[0] && vay == FOrigin[1] && vaz == FOrigin[2]) return;
  FOrigin = {vax, vay, vaz};
  Repaint();
}

void TRot3D::SetAutoOrigin(bool v) {
  if (v == FAutoOrigin) return;
  FAutoOrigin = v;
  MakeVisible();
}

void TRot3D::SetAutoScale(bool v) {
  if (v == FAutoScale) return;
  FAutoScale = v;
  MakeVisible();
}

void TRot3D::SetIsoMetric(bool v) {
  if (v == FIsoMetric) return;
  FIsoMetric = v;
  MakeVisible();
}

void TRot3D::SetScaleFact(int axis, double v) {
  const auto a = static_cast<std::size_t>(axis);
  if (v == FScaleFact[a]) return;
  FScaleFact[a] = v;
  Repaint();
}

void TRot3D::SetScaleFactors(double sfx, double sfy, double sfz) {
  if (sfx == FScaleFact[0] && sfy == FScaleFact[1] && sfz == FScaleFact[2]) return;
  FScaleFact = {sfx, sfy, sfz};
  Repaint();
}

// ---------------------------------------------------------------------------------------------
// Box, axes, frame and fonts

void TRot3D::SetCubeCorners() {
  for (std::size_t c = 0; c < 8; ++c)
    CubeCorners[c] = {(c & 4) ? FBBSize : -FBBSize, (c & 2) ? FBBSize : -FBBSize,
                      (c & 1) ? FBBSize : -FBBSize};
}

void TRot3D::SetBoundBoxStyle(TBoundingBox v) {
  if (v == FBoundBoxStyle) return;
  FBoundBoxStyle = v;
  Repaint();
}

void TRot3D::SetBoundBoxSize(int v) {
  if (v == 2 * FBBSize) return;
  FBBSize = std::clamp(v, 0, 4000) / 2;
  SetCubeCorners();
  Repaint();
}

void TRot3D::SetAxSize(int v) {
  if (v == FAxSize) return;
  FAxSize = std::clamp(v, 0, 4000);
  Repaint();
}

void TRot3D::SetShowAxes(bool v) {
  if (v == FShowAxes) return;
  FShowAxes = v;
  Repaint();
}

void TRot3D::SetAxName(int axis, const std::string& v) {
  std::string& n = FAxName[static_cast<std::size_t>(axis)];
  if (v == n) return;
  n = v;
  Repaint();
}

void TRot3D::SetColor(TColor& field, TColor v) {
  field = v;
  Repaint();
}

void TRot3D::SetFrameStyle(TFrameStyle v) {
  if (v == FFrameStyle) return;
  FFrameStyle = v;
  Repaint();
}

void TRot3D::SetColorScheme(TColorScheme v) {
  if (v == FColorScheme) return;
  FColorScheme = v;
  FColGrayLine = v == csClassic ? clGray : clBtnShadow;
  FColWhiteLine = v == csClassic ? clWhite : clBtnHighlight;
  Repaint();
}

void TRot3D::SetTextFontStyle(TFontStyles v) {
  FTextFontStyle = v;
  Repaint();
}

void TRot3D::SetTextMarkSize(std::uint8_t v) {
  FTextMarkSize = v;
  Repaint();
}

void TRot3D::SetAllocSize(int v) {
  if (v >= 1 && v <= 1000000) FAllocSize = v;
}

void TRot3D::SetLineWidth(int v) {
  FLineWidth = std::clamp(v, 1, 32);
}

}  // namespace kiv::rot3d
