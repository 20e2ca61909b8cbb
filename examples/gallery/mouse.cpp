// Pictures of the chart's mouse interaction, taken from the screen of a chart driven through the
// offscreen host the way a user's pointer drives it: a zoom window drawn and applied, two
// crosshairs with their readouts, and a free-hand trace that follows a pan.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <numbers>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "gallery.h"
#include "platform/application.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/offscreen_host.h"
#include "platform/screen.h"
#include "rchart/chartcursors.h"
#include "rchart/rchart.h"

namespace {

using namespace kiv;

constexpr TColor kFace = RGB(244, 244, 240);
constexpr TColor kNavy = RGB(20, 60, 150);

double Signal(double x) {
  return 1.0 * std::exp(-std::pow((x - 3) / 0.3, 2)) +
         0.6 * std::exp(-std::pow((x - 6.5) / 0.5, 2)) + 0.1;
}

// A spectrum with two peaks and a little noise, 400 x 260 pixels.
void BuildSignal(TCustomRChart& chart, const std::string& caption) {
  chart.SetBounds(0, 0, 400, 260);
  chart.SetWindColor(kFace);
  chart.SetCaption(caption);
  chart.SetCaptionAlignment(taLeftJustify);
  chart.SetCaptionAnchorHoriz(cahChartLeft);
  chart.SetGridStyle(gsDotLines);
  chart.SetGridColor(clSilver);
  chart.SetRange(1, 0.0, 0.0, 10.0, 1.3);
  chart.SetDataColor(kNavy);
  std::mt19937 rng(3);
  std::normal_distribution<double> noise(0, 0.015);
  for (int i = 0; i <= 1000; ++i) {
    const double x = i * 0.01, y = Signal(x) + noise(rng);
    if (i == 0)
      chart.MoveTo(x, y);
    else
      chart.DrawTo(x, y);
  }
}

// The pointer's picture over a frame, its hot spot at (x, y).
void DrawPointer(TBitmap& frame, TCursor cursor, int x, int y) {
  const TCursorImage image = Screen().Cursors(cursor);
  for (int v = 0; v < image.Height(); ++v) {
    for (int u = 0; u < image.Width(); ++u) {
      const TPixel p = image.Pixel(u, v);
      const int fx = x - image.HotSpot().X + u, fy = y - image.HotSpot().Y + v;
      if ((p >> 24) != 0 && fx >= 0 && fy >= 0 && fx < frame.Width() && fy < frame.Height())
        frame.ScanLine(fy)[fx] = p;
    }
  }
}

// Frames side by side, each with its caption below.
TBitmap Strip(const std::vector<std::pair<TBitmap, std::string>>& frames) {
  constexpr int kGap = 12, kText = 22;
  const int w = frames.front().first.Width(), h = frames.front().first.Height();
  TBitmap strip(static_cast<int>(frames.size()) * (w + kGap) + kGap, h + 2 * kGap + kText);
  TCanvas& c = strip.Canvas();
  c.Brush().SetColor(clWhite);
  c.FillRect(TRect(0, 0, strip.Width(), strip.Height()));
  c.Font().SetSize(10);
  for (std::size_t i = 0; i < frames.size(); ++i) {
    const int x = kGap + static_cast<int>(i) * (w + kGap);
    c.Draw(x, kGap, frames[i].first);
    c.TextOut(x + (w - c.TextWidth(frames[i].second)) / 2, h + kGap + 4, frames[i].second);
  }
  return strip;
}

std::string Out(const std::filesystem::path& dir, const std::string& name) {
  return (dir / name).string();
}

}  // namespace

// Zooming by window: press, drag (the window is drawn in XOR over the picture), release.
KIV_GALLERY(mouse_zoom) {
  TOffscreenHost host;
  Application().SetHost(&host);
  TCustomRChart chart(nullptr);
  BuildSignal(chart, "Drag a window to zoom into it");
  chart.SetMouseAction(mactZoomWindowOrdered);
  chart.SetMouseCursorFixed(false);
  host.Show(chart);

  std::vector<std::pair<TBitmap, std::string>> frames;
  host.MouseMove(110, 40);
  frames.emplace_back(host.Snapshot(chart), "1. press at one corner");
  DrawPointer(frames.back().first, Screen().Cursor(), 110, 40);
  host.MouseDown(mbLeft, 110, 40);
  host.MouseMove(160, 120);
  host.MouseMove(190, 200);
  frames.emplace_back(host.Snapshot(chart), "2. drag to the other");
  DrawPointer(frames.back().first, Screen().Cursor(), 190, 200);
  host.MouseUp(mbLeft, 190, 200);
  frames.emplace_back(host.Snapshot(chart), "3. release: zoomed");
  for (std::size_t i = 0; i < frames.size(); ++i)
    frames[i].first.SaveToFile(Out(dir, "mouse-zoom-" + std::to_string(i + 1) + ".png"));
  Strip(frames).SaveToFile(Out(dir, "mouse-zoom.png"));
  Screen().SetCursor(crDefault);
}

// Two crosshairs dragged onto the peaks; their readouts follow them through OnCrossHairMove.
KIV_GALLERY(mouse_crosshairs) {
  TOffscreenHost host;
  Application().SetHost(&host);
  TCustomRChart chart(nullptr);
  BuildSignal(chart, "Crosshairs read the peaks");
  chart.CrossHairSetup(1, clRed, chVert, psDash, 1);
  chart.CrossHairSetup(2, RGB(0, 140, 0), chCrossBox, psSolid, 1);
  chart.CrossHair2().SetLayer(1);
  chart.CrossHairSetPos(1, 1, 0.5);
  chart.CrossHairSetPos(2, 9, 1.2);
  for (int n = 1; n <= 3; ++n) {
    chart.SetTextLabel(n, 240, 28 + 16 * n, clBlack, "", 0);
    chart.TextLabels(n).SetAttachToData(taNone);
    chart.TextLabels(n).SetAlignment(taLeftJustify);
  }
  chart.TextLabels(1).Font().SetColor(clRed);
  chart.TextLabels(2).Font().SetColor(RGB(0, 140, 0));
  auto readout = [&chart](TObject*, TCrossHair&) {
    char s[3][64];
    const double x1 = chart.CrossHairPosX(1), x2 = chart.CrossHairPosX(2);
    std::snprintf(s[0], sizeof s[0], "1: x = %.2f  y = %.3f", x1, Signal(x1));
    std::snprintf(s[1], sizeof s[1], "2: x = %.2f  y = %.3f", x2, chart.CrossHairPosY(2));
    std::snprintf(s[2], sizeof s[2], "dx = %.2f", x2 - x1);
    for (int n = 0; n < 3; ++n) chart.TextLabels(n + 1).SetCaption(s[n]);
  };
  chart.OnCrossHairMove = readout;
  chart.SetMouseAction(mactDragCrosshair);
  host.Show(chart);
  host.Drag(90, 200, 149, 120);  // crosshair 1 (the nearer one) to the first peak
  host.Drag(340, 45, 265, 112);  // crosshair 2 onto the second peak
  host.Snapshot(chart).SaveToFile(Out(dir, "mouse-crosshairs.png"));
}

// A free-hand trace around the second peak, recorded in world units: after a pan it still
// surrounds the peak.
KIV_GALLERY(mouse_trace) {
  TOffscreenHost host;
  Application().SetHost(&host);
  TCustomRChart chart(nullptr);
  BuildSignal(chart, "A trace drawn with the mouse");
  chart.SetMouseAction(mactTrace);
  chart.SetMouseTraceInvert(false);
  chart.SetMouseTraceColor(RGB(220, 30, 30));
  host.Show(chart);
  const int cx = 265, cy = 150;
  host.MouseDown(mbLeft, cx + 44, cy);
  for (int k = 0; k <= 48; ++k) {  // once around the peak
    const double a = k * 2 * std::numbers::pi / 48;
    host.MouseMove(cx + static_cast<int>(std::lround(44 * std::cos(a))),
                   cy - static_cast<int>(std::lround(52 * std::sin(a))));
  }
  host.MouseUp(mbLeft, cx + 44, cy);
  host.Drag(345, 50, 300, 92, 12);  // a second stroke points at it
  std::vector<std::pair<TBitmap, std::string>> frames;
  frames.emplace_back(host.Snapshot(chart), "recorded");
  chart.SetMouseAction(mactPan);
  host.Drag(250, 120, 150, 120);
  frames.emplace_back(host.Snapshot(chart), "after a pan");
  Strip(frames).SaveToFile(Out(dir, "mouse-trace.png"));
}
