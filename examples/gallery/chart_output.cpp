// The chart's legend in its placements, gaps for missing values, and pictures at twice the size
// and smoothed.
#include <cmath>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "gallery.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "rchart/rchart.h"

namespace {

using namespace kiv;

constexpr TColor kFace = RGB(244, 244, 240);
constexpr TColor kNavy = RGB(20, 60, 150);
constexpr TColor kOrange = RGB(220, 100, 0);
constexpr TColor kGreen = RGB(0, 140, 70);

std::string Out(const std::filesystem::path& dir, const std::string& name) {
  return (dir / name).string();
}

// Three series of the same chart: a measured curve, its model (dashed) and samples as marks.
void Series(TCustomRChart& chart) {
  chart.SetRange(1, 0.0, -1.3, 10.0, 1.3);
  chart.SetGridStyle(gsDotLines);
  chart.SetGridColor(clSilver);
  std::vector<double> x, y, model, sx, sy;
  for (int i = 0; i <= 200; ++i) {
    const double t = i * 0.05;
    x.push_back(t);
    y.push_back(std::exp(-0.15 * t) * std::sin(2 * t) + 0.08 * std::sin(13 * t));
    model.push_back(std::exp(-0.15 * t) * std::sin(2 * t));
  }
  for (int i = 0; i <= 20; ++i) {
    sx.push_back(i * 0.5);
    sy.push_back(0.9 * std::cos(0.6 * i * 0.5));
  }
  chart.SetLineWidth(2);
  chart.SetDataColor(kNavy);
  chart.Polyline(x, y);
  chart.SetLineWidth(1);
  chart.SetPenStyle(psDash);
  chart.SetDataColor(kOrange);
  chart.Polyline(x, model);
  chart.SetPenStyle(psSolid);
  chart.SetDataColor(kGreen);
  chart.Marks(sx, sy, 16);
  TChartLegend& legend = chart.Legend();
  legend.AddLine("measured", kNavy, 2);
  legend.AddLine("model", kOrange, 1, psDash);
  // The chart fills marks with the brush the steps before them left, FillColor (silver).
  legend.AddMark("samples", kGreen, 16, clSilver);
}

// Charts side by side on a sheet of the gallery's grey.
void Sheet(const std::string& file, int cols, int w, int h,
           const std::vector<std::function<void(TCustomRChart&, bool&)>>& charts) {
  const int rows = (static_cast<int>(charts.size()) + cols - 1) / cols;
  TBitmap sheet(cols * w, rows * h);
  sheet.Canvas().Brush().SetColor(kFace);
  sheet.Canvas().FillRect(TRect(0, 0, cols * w, rows * h));
  for (std::size_t i = 0; i < charts.size(); ++i) {
    TCustomRChart chart(nullptr);
    chart.SetBounds(0, 0, w, h);
    chart.SetWindColor(kFace);
    chart.SetCaptionAnchorHoriz(cahChartCenter);
    chart.SetCaptionAlignment(taCenter);
    bool black_white = false;
    charts[i](chart, black_white);
    TBitmap picture;
    chart.CopyToBitmap(picture, black_white);
    sheet.Canvas().Draw(static_cast<int>(i % cols) * w, static_cast<int>(i / cols) * h, picture);
  }
  sheet.SaveToFile(file);
}

}  // namespace

KIV_GALLERY(chart_legend) {
  Sheet(Out(dir, "chart-legend.png"), 2, 400, 280,
        {[](TCustomRChart& c, bool&) {
           c.SetCaption("legend inside, top right, framed");
           Series(c);
         },
         [](TCustomRChart& c, bool&) {
           c.SetCaption("inside, bottom left, transparent, no frame");
           Series(c);
           c.Legend().SetCorner(lcBottomLeft);
           c.Legend().SetFramed(false);
           c.Legend().SetTransparent(true);
         },
         [](TCustomRChart& c, bool&) {
           c.SetCaption("outside, right of the data area");
           Series(c);
           c.Legend().SetInside(false);
           c.Legend().SetMargin(6);
           c.Legend().SetColorBkg(RGB(252, 252, 246));
           c.SetMarginRight(c.Legend().Extent().cx + 14);
         },
         [](TCustomRChart& c, bool& black_white) {
           c.SetCaption("black and white output");
           Series(c);
           c.Legend().SetCorner(lcBottomRight);
           black_white = true;
         }});
}

namespace kiv::gallery {
// The README's line chart (charts.cpp).
void BuildLines(TCustomRChart& chart);
}  // namespace kiv::gallery

// The README's line chart at twice its size, and smoothed at its own size.
KIV_GALLERY(chart_lines_scaled) {
  TCustomRChart chart(nullptr);
  kiv::gallery::BuildLines(chart);
  chart.CopyToBMPScaled(Out(dir, "chart-lines@2x.png"), 2, false, false);
  chart.CopyToBMPScaled(Out(dir, "chart-lines-smooth.png"), 1, true, false);
}

// Missing values in a series of measurements: clamped to the edge (the default) and as gaps.
KIV_GALLERY(chart_nan_gaps) {
  std::vector<double> x, y;
  for (int i = 0; i <= 120; ++i) {
    x.push_back(i * 0.25);
    const bool missing = (i >= 30 && i < 36) || i == 70 || (i >= 95 && i < 99);
    y.push_back(missing ? std::nan("") : 20 + 6 * std::sin(i * 0.09) + 2 * std::sin(i * 0.7));
  }
  Sheet(Out(dir, "chart-nan-gaps.png"), 2, 400, 260,
        {[&](TCustomRChart& c, bool&) {
           c.SetCaption("missing values clamped (default)");
           c.SetRange(1, 0.0, 0.0, 30.0, 32.0);
           c.SetDataColor(kNavy);
           c.Polyline(x, y);
           c.Marks(x, y, 2);
         },
         [&](TCustomRChart& c, bool&) {
           c.SetCaption("SetMissingValueGaps(true)");
           c.SetRange(1, 0.0, 0.0, 30.0, 32.0);
           c.SetMissingValueGaps(true);
           c.SetDataColor(kNavy);
           c.Polyline(x, y);
           c.Marks(x, y, 2);
         }});
}
