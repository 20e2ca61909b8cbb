// The contour plot gallery: isolines of a field with two hills and a valley, the same field as
// a colour surface with a colour scale beside it, a field with masked points (holes, marked
// cells, inverted cells), and a resonance over a logarithmic frequency axis.
#include <cmath>
#include <filesystem>

#include "colorscale/colorscale.h"
#include "gallery.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "rchart/rchart.h"

namespace {

using namespace kiv;

constexpr TColor kFace = RGB(244, 244, 240);

double Hills(double x, double y) {
  auto bump = [](double x, double y, double cx, double cy, double w) {
    return std::exp(-((x - cx) * (x - cx) + (y - cy) * (y - cy)) / w);
  };
  return 1.2 * bump(x, y, -1.8, 1.2, 3.0) + 0.9 * bump(x, y, 2.2, 1.6, 2.0) -
         1.1 * bump(x, y, 0.6, -2.2, 4.0) + 0.08 * x;
}

void Rainbow(TColorArray& colors, int n) {
  colors.SetSize(n);
  colors.FillByInterpolation(1, {RGB(40, 40, 150), RGB(30, 120, 220), RGB(40, 190, 170),
                                 RGB(150, 210, 60), RGB(250, 200, 40), RGB(220, 60, 30)});
}

void Setup(TContourPlot& p, int width, int height, const char* caption) {
  p.SetBounds(0, 0, width, height);
  p.SetWindColor(kFace);
  p.SetCaption(caption);
  p.Scale1X().SetCaption("x [km]");
  p.Scale1Y().SetCaption("y [km]");
  p.SetPivotResolution(400);
  p.OnEstimateZVal = [](TObject*, double x, double y, int, int, double& z, std::uint8_t&) {
    z = Hills(x, y);
  };
}

KIV_GALLERY(contour_isolines) {
  TContourPlot p(nullptr);
  Setup(p, 520, 420, "Isolines every 0.1 in the level colours");
  p.SetPlotMode(cpmDots);
  p.SetIsoParams(-1.2, 1.3, 0.1);
  Rainbow(p.IsoColors, 25);
  p.SetActiveLayer(1);
  p.SetDataColor(clBlack);
  p.MarkAt(-1.8, 1.2, 3);
  p.MarkAt(2.2, 1.6, 3);
  p.AddTextLabel(-1.8, 1.6, clBlack, "summit");
  p.CopyToBMP((dir / "contour-isolines.png").string(), false);
}

// The plot and its legend side by side, the legend driven by the plot's levels.
KIV_GALLERY(contour_surface) {
  TContourPlot p(nullptr);
  Setup(p, 520, 420, "Colour surface with its colour scale");
  TColorScale cs(nullptr);
  cs.SetOrientation(csoVertical);
  cs.SetBounds(0, 0, 90, 420);
  cs.SetColorSclBkgd(kFace);
  cs.SetMarginTop(20);
  cs.SetMarginBottom(40);
  cs.SetMarginLeft(10);
  cs.SetMarginRight(52);
  cs.SetFrameStyle(rbNone);
  cs.SetCaption("z [m]");
  cs.SetCaptionSize(8);
  cs.SetCaptionPosX(8);
  cs.SetCaptionPosY(2);
  cs.CrossHair().SetMode(chOff);
  p.SetAttachedColorScale(&cs);
  p.SetIsoParams(-1.2, 1.3, 0.1);
  Rainbow(p.IsoColors, 25);
  TBitmap picture(610, 420);
  TBitmap chart;
  p.CopyToBitmap(chart, false);
  picture.Canvas().Draw(0, 0, chart);
  cs.PaintTo(picture, 520, 0);
  picture.SaveToFile((dir / "contour-surface.png").string());
}

KIV_GALLERY(contour_masked) {
  TContourPlot p(nullptr);
  Setup(p, 520, 420, "Masked points: holes, marked cells, inverted cells");
  p.SetPivotResolution(200);
  p.SetIsoParams(-1.2, 1.3, 0.1);
  Rainbow(p.IsoColors, 25);
  p.SetChartColor(RGB(230, 230, 230));
  p.OnEstimateZVal = [](TObject*, double x, double y, int, int, double& z, std::uint8_t& mask) {
    z = Hills(x, y);
    if (std::hypot(x - 2.8, y + 2.8) < 1.3) mask = 1;                // no data: a hole
    if (std::fabs(x + 3) < 0.8 && std::fabs(y + 3) < 0.8) mask = 6;  // a marked region
    if (std::fabs(y - 3.8) < 0.5 && x > 0) mask = 255;               // shown inverted
  };
  p.CopyToBMP((dir / "contour-masked.png").string(), false);
}

// |H| of a second-order low-pass over frequency (logarithmic axis) and damping, in dB.
KIV_GALLERY(contour_log) {
  TContourPlot p(nullptr);
  p.SetBounds(0, 0, 520, 420);
  p.SetWindColor(kFace);
  p.SetCaption("Resonance |H(f)| [dB] over a logarithmic frequency axis");
  p.SetRange(10.0, 0.05, 10000.0, 1.0);  // positive before the axis turns logarithmic
  p.Scale1X().SetLogarithmic(true);
  p.Scale1X().SetCaption("f [Hz]");
  p.Scale1Y().SetCaption("damping");
  // Pivots are spaced evenly in f: enough of them for the first decade.
  p.SetNumPivotsX(3000);
  p.SetNumPivotsY(120);
  p.SetIsoParams(-60, 20, 5);
  Rainbow(p.IsoColors, 16);
  p.OnEstimateZVal = [](TObject*, double f, double d, int, int, double& z, std::uint8_t&) {
    const double u = f / 300;
    z = -10 * std::log10((1 - u * u) * (1 - u * u) + 4 * d * d * u * u);
  };
  p.CopyToBMP((dir / "contour-log.png").string(), false);
}

}  // namespace
