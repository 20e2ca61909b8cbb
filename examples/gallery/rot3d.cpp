// The rotatable 3D chart gallery: a cloud of marks around a helix with labelled and numbered
// points inside the box, seen with the two-axis rotation and with the three-axis rotation.
#include <cmath>
#include <functional>
#include <numbers>
#include <random>
#include <string>

#include "gallery.h"
#include "rot3d/rot3d.h"

namespace {

using namespace kiv;
using namespace kiv::rot3d;

void Scatter(TRot3D& r) {
  std::mt19937 rng(3);
  std::normal_distribution<double> noise(0, 0.35);
  // Two clusters of marks, coloured by cluster.
  for (int i = 0; i < 160; ++i) {
    const bool second = i % 2 == 1;
    r.SetColorData(second ? RGB(200, 60, 40) : RGB(30, 90, 200));
    r.MarkAt((second ? 1.5 : -1.2) + noise(rng), (second ? -1.0 : 0.8) + noise(rng),
             (second ? 2.6 : 1.4) + noise(rng), second ? 16 : 28);
  }
  // A helix through them.
  r.SetColorData(RGB(20, 140, 60));
  r.SetLineWidth(2);
  for (int i = 0; i <= 120; ++i) {
    const double t = i * std::numbers::pi / 20;
    const double x = 2 * std::cos(t), y = 2 * std::sin(t), z = 4.0 * i / 120;
    if (i == 0)
      r.Moveto(x, y, z);
    else
      r.Drawto(x, y, z);
  }
  // The helix's full turns numbered beside it, and a segment from the base to the top.
  r.SetColorData(clBlack);
  for (int k = 0; k <= 3; ++k) r.MarkAt(2.3, 0, 4.0 * k / 3, 200 + k);
  r.SetLineWidth(1);
  r.Line(0, 0, 0, 0, 0, 4);
  r.OnLblRequest = [](TObject*, int obj, std::string& text, int& dx, int&, TAlignment& ha,
                      TVerticalAlignment&, TFont&) {
    // The last mark of each cluster is drawn on top of the others.
    if (obj == 158 || obj == 159) {
      text = obj == 158 ? "cluster A" : "cluster B";
      dx = 9;
      ha = taLeftJustify;
    }
  };
}

void Render(const std::filesystem::path& dir, const std::string& name,
            const std::function<void(TRot3D&)>& setup) {
  TRot3D r(nullptr);
  r.SetBounds(0, 0, 480, 400);
  r.SetCentX(240);
  r.SetCentY(200);
  r.SetAxNameX("x");
  r.SetAxNameY("y");
  r.SetAxNameZ("z");
  r.SetBoundBoxSize(1040);  // the items span -500..500 on each axis
  r.SetAxSize(760);
  r.SetMagnification(0.7);
  Scatter(r);
  r.MakeVisible();
  setup(r);
  r.CopyToBMP((dir / (name + ".png")).string(), true);
}

}  // namespace

KIV_GALLERY(rotatable) {
  Render(dir, "rot3d-scatter", [](TRot3D& r) { r.SetViewAngles(115, 0, 220); });
  Render(dir, "rot3d-3axes", [](TRot3D& r) {
    r.SetMouseRot3Axes(true);
    r.SetViewAngles(250, 20, 30);
  });
  Render(dir, "rot3d-outline", [](TRot3D& r) {
    r.SetBoundBoxStyle(bbOutline);
    r.SetIsoMetric(true);
    r.SetViewAngles(100, 0, 160);
  });
}
