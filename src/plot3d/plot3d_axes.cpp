// TPlot3D: the three axes along edges of the box, with ticks, tick labels and captions placed
// by the view angles so that they stay outside the box.
#include <cmath>
#include <numbers>

#include "plot3d/plot3d.h"
#include "services/box3d.h"
#include "services/canvasutil.h"
#include "services/rounding.h"
#include "services/scalepars.h"
#include "services/stringutil.h"

namespace kiv::plot3d {

namespace {

double SinDeg(double a) {
  return std::sin(a * std::numbers::pi / 180);
}
double CosDeg(double a) {
  return std::cos(a * std::numbers::pi / 180);
}

// Decimals of the tick labels: the axis's setting, or for -2 a choice by the range's width
// (-2 again, strff's automatic form, for very wide and very narrow ranges).
int AxisDecimals(int setting, double low, double high) {
  if (setting != -2) return setting;
  const double d = std::fabs(high - low);
  if (d >= 1e6 || d <= 1e-4) return -2;
  if (d >= 100) return 0;
  return 2 - RoundToInt(std::log(d) / 2.5);
}

std::string TickLabel(double t, double low, double high, int decimals) {
  std::string text;
  if (std::fabs(t / (high - low)) < 1e-14) {
    if (std::fabs(high - low) <= 100000)
      text = strff(0, 1, decimals);
    else
      text = decimals != 0 ? "0.0" : "0";
  } else {
    text = strff(t, 1, decimals);
  }
  if (text.size() > 14) text.resize(14);
  return text;
}

}  // namespace

void TPlot3D::DrawAxes(TCanvas& Canvas, int near) {
  const TSurfaceProjection proj = Projection();
  auto corner = [&](int c) {
    const auto& p = CubeCorners[static_cast<std::size_t>(c)];
    return proj.Project(p[0], p[1], p[2]);
  };
  auto axis = [&](TP3ScaleKind kind, int from, int to) {
    const TAxisSettings& s = FAxis[kind];
    if (!s.Visible) return;
    const TPoint a = corner(from), b = corner(to);
    DrawAxis(Canvas, kind, a.X, a.Y, b.X, b.Y, FRange[kind][0], FRange[kind][1], from);
  };
  // X and Y run along edges through the corner next to the nearest one in z, from their low to
  // their high end.
  const int L = near ^ box3d::kBitZ;
  int kx = L ^ box3d::kBitX, lx = L;
  if (CubeCorners[static_cast<std::size_t>(kx)][0] < CubeCorners[static_cast<std::size_t>(lx)][0])
    std::swap(kx, lx);
  axis(p3skX, lx, kx);
  int ky = L ^ box3d::kBitY, ly = L;
  if (CubeCorners[static_cast<std::size_t>(ky)][1] < CubeCorners[static_cast<std::size_t>(ly)][1])
    std::swap(ky, ly);
  axis(p3skY, ly, ky);
  // Z stands on the corner furthest to the right on the screen.
  const double r11 = FRotMat(1, 1), r12 = FRotMat(1, 2), r13 = FRotMat(1, 3);
  const int M =
      box3d::CornerWithLargest([&](int c) { return box3d::CornerComponent(c, r11, r12, r13); });
  axis(p3skZ, M, M ^ box3d::kBitZ);
}

void TPlot3D::DrawAxis(TCanvas& Canvas, TP3ScaleKind ScaleType, int x1, int y1, int x2, int y2,
                       double Low, double High, int) {
  const TAxisSettings& s = FAxis[ScaleType];
  TFont& font = Canvas.Font();
  font.SetName(Font().Name());
  font.SetStyle(Font().Style());
  SetCanvasFontSizeScaled(Canvas, 8);
  font.SetColor(s.Color);
  Canvas.Pen().SetColor(s.Color);
  Canvas.Brush().SetStyle(bsClear);
  const double vax = FViewAngle[0], vaz = FViewAngle[2];
  const bool below = vax <= 90 || (vax > 180 && vax <= 270);
  const int g = vax <= 180 ? 1 : -1;

  const int decimals = AxisDecimals(s.DecPlace, Low, High);
  long double first = 0, dist = 0;
  std::uint16_t sub = 1;
  CalcScalePars(s.MinTick, Low, High, first, dist, sub);
  const double dir = High <= Low ? -1 : 1;
  const int hT = Canvas.TextHeight("0");
  if (dist != 0 && std::isfinite(static_cast<double>(dist))) {
    const double width = High - Low;
    for (int k = 0; k < kMaxScaleTicks; ++k) {  // the cap only guards against bad steps
      const double t = static_cast<double>(first + k * dist);
      const int px = x1 + RoundToInt((t - Low) / width * (x2 - x1));
      const int py = y1 + RoundToInt((t - Low) / width * (y2 - y1));
      int ex = px, ey = py, labelDy = 0;
      if (ScaleType == p3skZ) {
        ex = px + 8;
        labelDy = -(hT / 2);
      } else if (below) {
        ey = py + 8;
      } else {
        ey = py - 8;
        labelDy = -hT;
      }
      Canvas.MoveTo(px, py);
      Canvas.LineTo(ex, ey);
      std::string text = TickLabel(t, Low, High, decimals);
      if (OnBeforeDrawScaleLabel) OnBeforeDrawScaleLabel(this, Canvas, ScaleType, text, px, py);
      const int hw = Canvas.TextWidth(text) / 2;
      int lx = ex + 3;
      if (ScaleType == p3skX) {
        const int sh = RoundToInt(SinDeg(vaz) * hw) * g;
        lx = (vaz <= 90 || vaz > 270) ? ex - hw - sh : ex - hw + sh;
      } else if (ScaleType == p3skY) {
        const int sh = RoundToInt(CosDeg(vaz) * hw) * g;
        lx = vaz <= 180 ? ex - hw + sh : ex - hw - sh;
      }
      Canvas.TextOut(lx, ey + labelDy, text);
      const double next = static_cast<double>(first + (k + 1) * dist);
      if (dir * (next - High) > 0.001 * std::fabs(static_cast<double>(dist))) break;
    }
  }

  const double dx = x2 - x1, dy = y2 - y1;
  const double len = std::sqrt(dx * dx + dy * dy);
  if (len == 0) return;
  const int cx = (x1 + x2) / 2, cy = (y1 + y2) / 2;
  const double e = below ? -1 : 1;
  const std::string& caption = s.Caption;
  if (ScaleType == p3skZ) {
    Canvas.TextOut(x1 + s.LabDist, cy - 8, caption);
    return;
  }
  const int ox = RoundToInt(dy * s.LabDist * e / len), oy = RoundToInt(dx * s.LabDist * e / len);
  // X: +(ox, -oy) on the near side of the x range, mirrored otherwise; Y the other way round.
  bool plus;
  if (ScaleType == p3skX)
    plus = vaz <= 90 || vaz > 270;
  else
    plus = !(vaz <= 180);
  if (plus)
    DrawCenteredText(Canvas, cx + ox, cy - oy, caption);
  else
    DrawCenteredText(Canvas, cx - ox, cy + oy, caption);
}

void TPlot3D::DrawCenteredText(TCanvas& Canvas, int x, int y, const std::string& text) {
  const TSize ext = Canvas.TextExtent(text);
  Canvas.TextOut(x - ext.cx / 2, y - ext.cy / 2, text);
}

}  // namespace kiv::plot3d
