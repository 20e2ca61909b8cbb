// The Smith chart gallery: the impedance of an antenna over a frequency sweep, with marks at
// round frequencies, a crosshair on the resonance and the diagram at two sizes (fewer labels
// on the small one).
#include <cmath>
#include <complex>
#include <numbers>
#include <string>

#include "gallery.h"
#include "rchart/smithchart.h"

namespace {

using namespace kiv;

// A short dipole near resonance in series with a matching section, normalised to 50 ohms:
// z(f) = (R(f) + jX(f)) / 50 for f in MHz.
std::complex<double> AntennaImpedance(double f) {
  const double w = 2 * std::numbers::pi * f * 1e6;
  const double r = 18 + 0.004 * (f - 100) * (f - 100);  // radiation and loss resistance
  const double x = w * 95e-9 - 1 / (w * 27e-12);        // series L and C
  const std::complex<double> zl(r, x);
  const std::complex<double> zs(0, w * 22e-9);  // a series line section
  return (zl + zs) / 50.0;
}

void BuildSweep(TSmithChart& chart, int size) {
  chart.SetBounds(0, 0, size, size);
  chart.SetMarginLeft(16);
  chart.SetMarginRight(16);
  chart.SetMarginTop(28);
  chart.SetMarginBottom(16);
  chart.SetCaption("Antenna impedance, 60 .. 140 MHz (Z0 = 50 ohm)");
  chart.SetCaptionAnchorHoriz(cahChartLeft);
  chart.SetCaptionAlignment(taLeftJustify);
  chart.SetCaptionPosY(-20);
  chart.SetRange(-1.12, -1.12, 1.12, 1.12);
  chart.CenterChart();
  chart.SetDataColor(RGB(200, 30, 30));
  chart.SetLineWidth(2);
  double best = 1e300, bestR = 0, bestI = 0;
  for (int i = 0; i <= 800; ++i) {
    const double f = 60 + i * 0.1;
    const std::complex<double> z = AntennaImpedance(f);
    const double gr = TSmithChart::CalcReflectionReal(z.real(), z.imag());
    const double gi = TSmithChart::CalcReflectionImag(z.real(), z.imag());
    if (i == 0)
      chart.MoveTo(gr, gi);
    else
      chart.DrawTo(gr, gi);
    if (std::hypot(gr, gi) < best) {
      best = std::hypot(gr, gi);
      bestR = gr;
      bestI = gi;
    }
  }
  chart.SetDataColor(RGB(20, 60, 150));
  chart.SetTextBkStyle(tbClear);
  for (int f = 60; f <= 140; f += 10) {
    const std::complex<double> z = AntennaImpedance(f);
    const double gr = TSmithChart::CalcReflectionReal(z.real(), z.imag());
    const double gi = TSmithChart::CalcReflectionImag(z.real(), z.imag());
    chart.MarkAt(gr, gi, 3);
    chart.Text(gr, gi, 8, std::to_string(f), 0, -12, taCenter);
  }
  // Crosshair 1 on the best match, crosshair 2 (moved to layer 1) boxes the 120 MHz point.
  chart.CrossHairSetup(RGB(0, 140, 0), chBoth, psDot, 1);
  chart.CrossHairSetPos(bestR, bestI);
  const std::complex<double> z120 = AntennaImpedance(120);
  chart.CrossHair2().SetLayer(1);
  chart.CrossHairSetup(2, RGB(160, 0, 160), chCrossBox, psSolid, 1);
  chart.CrossHairSetPos(2, TSmithChart::CalcReflectionReal(z120.real(), z120.imag()),
                        TSmithChart::CalcReflectionImag(z120.real(), z120.imag()));
}

}  // namespace

KIV_GALLERY(smith_antenna) {
  TSmithChart chart(nullptr);
  BuildSweep(chart, 760);
  TBitmap picture;
  chart.CopyToBitmap(picture, false, true);
  picture.SaveToFile((dir / "smith-antenna.png").string());
}

KIV_GALLERY(smith_small) {
  TSmithChart chart(nullptr);
  BuildSweep(chart, 320);
  // A little more room around the unit circle than on the large chart: the labels of x = ±1
  // stand 10 pixels beyond it and would be cut at the data area's edges.
  chart.SetRange(-1.25, -1.25, 1.25, 1.25);
  chart.CenterChart();
  chart.SetCaption("Small: level-1 labels only");
  TBitmap picture;
  chart.CopyToBitmap(picture, false, true);
  picture.SaveToFile((dir / "smith-small.png").string());
}
