// TSmithChart: a two-dimensional chart whose data plane is the complex reflection coefficient,
// with the Smith diagram of constant-resistance circles and constant-reactance arcs behind it.
#pragma once

#include <string>

#include "rchart/customrchart.h"
#include "rchart/smith_math.h"

namespace kiv {

// Items live on layer 1 in reflection coordinates (x = Γr, y = Γi) and are created with the
// chart's item methods; the four conversion functions translate impedances. The view is
// isometric, so the circles stay circles; all four axes are hidden.
//
// The diagram is drawn with the data-area background on every paint: the unit circle filled
// with DiagramColor, the real axis, 20 resistance circles and 19 pairs of reactance arcs (lines
// of 0, 0.2, 0.5, 1, 2, 5 and 10 in GridColorDark, the others in GridColorLight), and value
// labels whose number grows with the unit circle's size in pixels.
class TSmithChart : public TCustomRChart {
 public:
  explicit TSmithChart(TComponent* AOwner);
  std::string ClassName() const override { return "TSmithChart"; }

  // --- Conversions (smith_math.h).
  static double CalcReflectionReal(double Resistance, double Reactance) {
    return kiv::CalcReflectionReal(Resistance, Reactance);
  }
  static double CalcReflectionImag(double Resistance, double Reactance) {
    return kiv::CalcReflectionImag(Resistance, Reactance);
  }
  static double CalcResistance(double ReflectionReal, double ReflectionImag) {
    return kiv::CalcResistance(ReflectionReal, ReflectionImag);
  }
  static double CalcReactance(double ReflectionReal, double ReflectionImag) {
    return kiv::CalcReactance(ReflectionReal, ReflectionImag);
  }

  // --- The chart's operations on layer 1, in reflection coordinates.
  void M2R(int xin, int yin, double& ReflReal, double& ReflImag) const {
    TCustomRChart::M2R(1, xin, yin, ReflReal, ReflImag);
  }
  void R2M(double ReflReal, double ReflImag, int& xout, int& yout) const {
    TCustomRChart::R2M(1, ReflReal, ReflImag, xout, yout);
  }
  void GetTransformParams(double& kx, double& dx, double& ky, double& dy) const {
    TCustomRChart::GetTransformParams(1, kx, dx, ky, dy);
  }
  void SetRange(long double xLo, long double yLo, long double xHi, long double yHi) {
    TCustomRChart::SetRange(1, xLo, yLo, xHi, yHi);
  }
  void AutoRange(double Margin) { TCustomRChart::AutoRange(1, Margin, 0); }
  void AutoRange(double Margin, double MinRange) { TCustomRChart::AutoRange(1, Margin, MinRange); }
  void FindMinMax(double RangeLoX, double RangeLoY, double RangeHiX, double RangeHiY, double& MinX,
                  double& MinY, double& MaxX, double& MaxY) const {
    TCustomRChart::FindMinMax(1, RangeLoX, RangeLoY, RangeHiX, RangeHiY, MinX, MinY, MaxX, MaxY);
  }

  // Layer 1's range ends. Writing one sets it through the scale properties with painting
  // suppressed, keeps the view isometric (y is recentred) and repaints; the upper y end follows
  // from isometry.
  double RangeXLow() const;
  void SetRangeXLow(double v);
  double RangeXHigh() const;
  void SetRangeXHigh(double v);
  double RangeYLow() const;
  void SetRangeYLow(double v);
  double RangeYHigh() const;
  // Keeps the extents and centres the view on the origin.
  void CenterChart();

  // --- Diagram colours (repaint when changed, with AutoRedraw or designing).
  TColor GridColorLight() const { return FGridColLight; }
  void SetGridColorLight(TColor v);
  TColor GridColorDark() const { return FGridColDark; }
  void SetGridColorDark(TColor v);
  TColor DiagramColor() const { return FDiagramColor; }
  void SetDiagramColor(TColor v);

  // Crosshair 1 of the chart; writing copies the settings and repaints (AutoRedraw or
  // designing).
  TCrossHair& CrossHair() { return CrossHair1(); }
  void SetCrossHair(const TCrossHair& v) { TCustomRChart::SetCrossHair(1, v); }
  // Crosshair 1's position, or its colour, mode, line type and width at once; only the
  // crosshairs are drawn again. The chart's numbered forms stay available.
  using TCustomRChart::CrossHairSetPos;
  using TCustomRChart::CrossHairSetup;
  void CrossHairSetPos(double x, double y) { TCustomRChart::CrossHairSetPos(1, x, y); }
  void CrossHairSetup(TColor chColor, TCrossHMode Mode, TPenStyle LineType, int LineWidth) {
    TCustomRChart::CrossHairSetup(1, chColor, Mode, LineType, LineWidth);
  }
  // Crosshair 1's position in reflection coordinates; writing only stores it (nothing is drawn
  // until the next paint or crosshair move).
  using TCustomRChart::CrossHairPosX;
  using TCustomRChart::CrossHairPosY;
  using TCustomRChart::SetCrossHairPosX;
  using TCustomRChart::SetCrossHairPosY;
  double CrossHairPosX() const { return TCustomRChart::CrossHairPosX(1); }
  double CrossHairPosY() const { return TCustomRChart::CrossHairPosY(1); }
  void SetCrossHairPosX(double v);
  void SetCrossHairPosY(double v);

  // The chart's reset, then the Smith chart's own settings (isometric view, hidden axes, range
  // -1.2..1.2, point grid at the ticks) and diagram colours.
  void ResetComp() override;
  // The chart's Assign; from another TSmithChart also the three diagram colours; repaints.
  void Assign(const TPersistent& Source) override;

 protected:
  // The data-area background with the diagram over it.
  void InitGraf(TCanvas& Canvas, int Left, int Top, int Width, int Height) override;
  // A Smith chart paints no mouse trace.
  void DrawMouseTrace(int, int, TBitmap&) override {}

 private:
  void ApplySmithDefaults();
  void SetRangeEnd(TScaleProps& props, bool low, double v);

  TColor FGridColLight = 14408667;
  TColor FGridColDark = 10987431;
  TColor FDiagramColor = 16312552;
};

}  // namespace kiv
