// The surface plot gallery: one surface of two peaks and a trough in each colour-coding mode and
// each mesh kind, and the same surface seen from below.
#include <cmath>
#include <functional>
#include <string>

#include "gallery.h"
#include "plot3d/plot3d.h"

namespace {

using namespace kiv;
using namespace kiv::plot3d;

// Two peaks and a trough over -3..3 x -3..3, values about -0.6 .. 1.2.
double Landscape(double x, double y) {
  auto bump = [](double x0, double y0, double w, double h, double x, double y) {
    return h * std::exp(-((x - x0) * (x - x0) + (y - y0) * (y - y0)) / w);
  };
  return bump(-1, -0.8, 1.2, 1.1, x, y) + bump(1.3, 1.0, 0.8, 0.8, x, y) -
         bump(0.8, -1.4, 1.0, 0.6, x, y) + 0.05 * std::sin(2 * x);
}

void Render(const std::filesystem::path& dir, const std::string& name, int n,
            const std::function<void(TPlot3D&)>& setup) {
  TPlot3D p(nullptr);
  p.SetBounds(0, 0, 560, 440);
  p.GridMat.Resize(n, n);
  for (int ix = 1; ix <= n; ++ix)
    for (int iy = 1; iy <= n; ++iy)
      p.GridMat.SetVal(ix, iy,
                       Landscape(-3 + 6.0 * (ix - 1) / (n - 1), -3 + 6.0 * (iy - 1) / (n - 1)));
  p.SetRange(-3, 3, -3, 3, -0.8, 1.4);
  p.SetColorScaleLow(-0.7);
  p.SetColorScaleHigh(1.2);
  p.SetViewAngles(55, 30);
  p.SetMagnification(0.8);
  p.SetCaptionX("x [km]");
  p.SetCaptionY("y [km]");
  p.SetCaptionZ("h [km]");
  setup(p);
  p.CopyToBMP((dir / (name + ".png")).string(), true);
}

}  // namespace

KIV_GALLERY(surfaces) {
  Render(dir, "plot3d-twocolors", 30, [](TPlot3D& p) {
    p.SetColorLow(RGB(20, 40, 120));
    p.SetColorHigh(RGB(255, 220, 60));
  });
  Render(dir, "plot3d-threecolors", 30, [](TPlot3D& p) {
    p.SetColorCodingMode(ccmThreeColors);
    p.SetColorLow(RGB(40, 60, 200));
    p.SetColorMid(RGB(240, 240, 240));
    p.SetColorHigh(RGB(210, 40, 30));
  });
  Render(dir, "plot3d-colorarray", 30, [](TPlot3D& p) {
    p.SetColorCodingMode(ccmColorArray);
    p.IsoColors.SetSize(12);
    p.IsoColors.FillByInterpolation(1, {RGB(48, 18, 59), RGB(40, 140, 250), RGB(30, 220, 150),
                                        RGB(250, 200, 40), RGB(200, 30, 10)});
  });
  const std::pair<const char*, TMeshKind> kinds[] = {{"plot3d-mesh", mkMesh},
                                                     {"plot3d-waterfall-horz", mkWaterfallHorz},
                                                     {"plot3d-waterfall-vert", mkWaterfallVert},
                                                     {"plot3d-waterfall-diag", mkWaterfallDiag},
                                                     {"plot3d-grid", mkGrid}};
  for (const auto& [name, kind] : kinds)
    Render(dir, name, 25, [kind](TPlot3D& p) {
      p.SetMeshKind(kind);
      p.SetColorCodingMode(ccmThreeColors);
      p.SetColorLow(RGB(30, 90, 160));
      p.SetColorMid(RGB(120, 200, 120));
      p.SetColorHigh(RGB(250, 240, 180));
    });
  Render(dir, "plot3d-below", 30, [](TPlot3D& p) {
    p.SetViewAngles(235, 300);
    p.SetColorCodingMode(ccmThreeColors);
    p.SetColorLow(RGB(40, 60, 200));
    p.SetColorMid(RGB(240, 240, 240));
    p.SetColorHigh(RGB(210, 40, 30));
  });
}
