// The two-dimensional chart gallery: a line chart with two layers and four axes (also as SVG
// and in black and white), a log-log chart, a date/time axis, the five standard layouts, text
// labels of every mode, a background image in its three fill modes and every background area.
#include <cmath>
#include <filesystem>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

#include "gallery.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/datetime.h"
#include "rchart/rchart.h"
#include "services/colorarray.h"

namespace {

using namespace kiv;

constexpr TColor kFace = RGB(244, 244, 240);
constexpr TColor kNavy = RGB(20, 60, 150);
constexpr TColor kOrange = RGB(220, 100, 0);

std::string Out(const std::filesystem::path& dir, const std::string& name) {
  return (dir / name).string();
}

}  // namespace

namespace kiv::gallery {

// The README's chart: a damped oscillation on layer 1 and its energy on layer 2, with an axis
// on every side of the data area (the code of the README, line for line).
void BuildLines(TCustomRChart& chart) {
  chart.SetBounds(0, 0, 640, 400);
  chart.SetStandardLayout(rcl_X2Both_Y2Both);  // an x and a y axis per layer
  chart.SetCaption("Damped oscillation and its energy");
  chart.Scale1X().SetCaption("t [s]");
  chart.Scale1Y().SetCaption("x [mm]");
  chart.Scale2X().SetCaption("t [ms]");
  chart.Scale2Y().SetCaption("E [mJ]");
  chart.SetRange(1, 0.0, -1.2, 10.0, 1.2);  // layer, x low, y low, x high, y high
  chart.SetRange(2, 0.0, 0.0, 10000.0, 60.0);
  chart.SetGridStyle(gsDotLines);
  chart.SetGridColor(clSilver);
  chart.SetLineWidth(2);
  std::vector<double> t, x, ms, e;
  for (int i = 0; i <= 500; ++i) {
    const double s = i * 0.02, a = std::exp(-0.3 * s);
    t.push_back(s);
    x.push_back(a * std::cos(5 * s));
    ms.push_back(1000 * s);
    e.push_back(55 * a * a);
  }
  chart.SetDataColor(clNavy);
  chart.Polyline(t, x);  // items are stored; painting replays them
  chart.SetActiveLayer(2);
  chart.SetDataColor(RGB(220, 100, 0));
  chart.Polyline(ms, e);
}

}  // namespace kiv::gallery

namespace {

using kiv::gallery::BuildLines;

KIV_GALLERY(chart_lines) {
  TCustomRChart chart(nullptr);
  BuildLines(chart);
  chart.CopyToBMP(Out(dir, "chart-lines.png"), false);
  chart.CopyToWMF(Out(dir, "chart-lines.svg"), false);
}

KIV_GALLERY(chart_bw) {
  TCustomRChart chart(nullptr);
  BuildLines(chart);
  chart.SetShadowWidth(5);
  chart.SetCaption("Monochrome output of a coloured chart");
  // Line widths tell the curves apart where colours cannot.
  for (int i = 0; i < chart.NumItems(); ++i) {
    TrcChartItem item = chart.GetItemParams(i);
    if (item.Layer == 2) {
      item.LWid = 1;
      chart.SetItemParams(i, item);
    }
  }
  chart.SetActiveLayer(1);
  chart.AddTextLabel(6.2, 0.75, clRed, "amplitude decays\nwith exp(-0.3 t)");
  chart.TextLabels(1).SetMode(tlmShadowed);
  chart.TextLabels(1).SetColorBkg(RGB(255, 255, 200));
  chart.TextLabels(1).SetShadowDx(3);
  chart.TextLabels(1).SetShadowDy(3);
  chart.CrossHair1().SetMode(chCrossBox);
  chart.CrossHair1().SetPos(std::numbers::pi / 5, 0.0);
  TBitmap picture;
  chart.CopyToBitmap(picture, true, true);
  picture.SaveToFile(Out(dir, "chart-bw.png"));
}

KIV_GALLERY(chart_loglog) {
  TCustomRChart chart(nullptr);
  chart.SetBounds(0, 0, 560, 400);
  chart.SetStandardLayout(rcl_X1Bottom_Y1Left);
  chart.SetMarginLeft(64);
  chart.SetCaption("Low-pass filters: gain over frequency");
  chart.SetCaptionAnchorHoriz(cahChartCenter);
  chart.SetCaptionAlignment(taCenter);
  chart.Scale1X().SetCaption("frequency [Hz]");
  chart.Scale1Y().SetCaption("gain");
  chart.SetRange(1, 1.0, 1e-5, 1e5, 2.0);
  chart.Scale1X().SetLogarithmic(true);
  chart.Scale1Y().SetLogarithmic(true);
  chart.SetGridStyle(gsLines);
  chart.SetGridColor(RGB(215, 225, 235));
  chart.SetGridDx(-1);
  chart.SetGridDy(-1);
  chart.SetLineWidth(2);
  chart.SetTextAlignment(taLeftJustify);
  const TColor colours[] = {kNavy, RGB(0, 140, 70), kOrange, RGB(170, 0, 120)};
  for (int order = 1; order <= 4; ++order) {
    chart.SetDataColor(colours[order - 1]);
    for (int i = 0; i <= 250; ++i) {
      const double f = std::pow(10.0, i * 0.02);
      const double g = 1 / std::sqrt(1 + std::pow(f / 100, 2 * order));
      if (i == 0)
        chart.MoveTo(f, g);
      else
        chart.DrawTo(f, g);
    }
    // The label sits right of the point where the gain is 0.3 / 10^order.
    const double g = 0.3 * std::pow(10.0, -order);
    const double f = 100 * std::pow(1 / g, 1.0 / order);
    chart.Text(f * 1.3, g, 9, "order " + std::to_string(order));
  }
  chart.SetDataColor(clBlack);
  chart.SetLineWidth(1);
  chart.SetPenStyle(psDash);
  chart.CursorVert(100.0);
  chart.CopyToBMP(Out(dir, "chart-loglog.png"), false);
}

KIV_GALLERY(chart_datetime) {
  TCustomRChart chart(nullptr);
  chart.SetBounds(0, 0, 640, 360);
  chart.SetStandardLayout(rcl_X1Bottom_Y1Left);
  chart.SetMarginBottom(56);
  chart.SetMarginLeft(56);
  chart.SetCaption("Outdoor temperature, 12 to 14 March 2023");
  chart.Scale1X().SetLabelType(fgtDateTime);
  chart.Scale1X().DateFormat().SetDateForTime(dftDayChange);
  chart.Scale1Y().SetCaption("°C");
  const double t0 = EncodeDate(2023, 3, 12);
  chart.SetRange(1, t0 + 0.25, -4.0, t0 + 2.75, 16.0);
  chart.SetGridStyle(gsDotLines);
  chart.SetGridColor(RGB(160, 160, 160));
  // The nights in a light band behind the curve.
  chart.SetAnnoBelowChart(true);
  chart.SetAnnoMode(true);
  chart.SetFillColor(RGB(225, 232, 250));
  chart.SetDataColor(RGB(225, 232, 250));
  for (int d = 0; d < 4; ++d) chart.Rectangle(t0 + d - 0.25, 16.0, t0 + d + 0.25, -4.0);
  chart.SetAnnoMode(false);
  chart.SetDataColor(RGB(200, 40, 40));
  chart.SetLineWidth(2);
  for (int i = 0; i <= 84; ++i) {
    const double t = t0 + i / 24.0;
    const double temp = 5 + 6 * std::sin(2 * std::numbers::pi * (i / 24.0 - 0.375)) +
                        1.5 * std::sin(i * 0.7) + 0.05 * i;
    if (i == 0)
      chart.MoveTo(t, temp);
    else
      chart.DrawTo(t, temp);
  }
  chart.SetLineWidth(1);
  for (int i = 0; i <= 84; i += 3) {
    const double t = t0 + i / 24.0;
    const double temp = 5 + 6 * std::sin(2 * std::numbers::pi * (i / 24.0 - 0.375)) +
                        1.5 * std::sin(i * 0.7) + 0.05 * i;
    chart.MarkAt(t, temp, 2);
  }
  chart.CopyToBMP(Out(dir, "chart-datetime.png"), false);
}

// One chart per standard layout, each showing which axes it places where.
KIV_GALLERY(chart_layouts) {
  const struct {
    TrcLayout layout;
    const char* name;
  } layouts[] = {{rcl_X1Bottom_Y1Left, "X1Bottom_Y1Left"},
                 {rcl_X1Bottom_Y2Left, "X1Bottom_Y2Left"},
                 {rcl_X1Bottom_Y2Both, "X1Bottom_Y2Both"},
                 {rcl_X2Bottom_Y2Left, "X2Bottom_Y2Left"},
                 {rcl_X2Both_Y2Both, "X2Both_Y2Both"}};
  for (const auto& l : layouts) {
    TCustomRChart chart(nullptr);
    chart.SetBounds(0, 0, 480, 320);
    chart.SetStandardLayout(l.layout);
    chart.SetCaption(std::string("rcl_") + l.name);
    chart.Scale1X().SetCaption("x1");
    chart.Scale1Y().SetCaption("y1");
    chart.Scale2X().SetCaption("x2");
    chart.Scale2Y().SetCaption("y2");
    chart.SetRange(1, 0.0, 0.0, 10.0, 1.0);
    chart.SetRange(2, -50.0, -200.0, 50.0, 200.0);
    chart.SetLineWidth(2);
    chart.SetDataColor(PredefinedColors(0));
    chart.MoveTo(0.0, 0.5);
    for (int i = 1; i <= 100; ++i) chart.DrawTo(i * 0.1, 0.5 + 0.3 * std::sin(i * 0.12));
    chart.SetActiveLayer(2);
    chart.SetDataColor(RGB(0, 0, 255));
    chart.MoveTo(-50.0, -150.0);
    for (int i = 1; i <= 100; ++i) chart.DrawTo(-50 + i, -150 + 3 * i - 0.02 * i * i);
    chart.CopyToBMP(Out(dir, std::string("chart-layout-") + l.name + ".png"), false);
  }
}

KIV_GALLERY(chart_labels) {
  TCustomRChart chart(nullptr);
  chart.SetBounds(0, 0, 600, 380);
  chart.SetCaption("Text labels: plain, framed, underlined, shadowed");
  chart.SetCaptionAnchorHoriz(cahChartCenter);
  chart.SetCaptionAlignment(taCenter);
  chart.SetWindColor(kFace);
  chart.SetChartColor(RGB(252, 252, 246));
  chart.SetRange(1, 0.0, 0.0, 10.0, 10.0);
  chart.SetGridStyle(gsLines);
  chart.SetGridColor(RGB(230, 230, 220));
  chart.SetDataColor(kNavy);
  chart.SetLineWidth(2);
  chart.MoveTo(0.0, 1.0);
  for (int i = 1; i <= 100; ++i) chart.DrawTo(i * 0.1, 1 + 8 * (1 - std::exp(-i * 0.04)));

  TTextLabel& plain =
      chart.TextLabels(chart.AddTextLabel(2, 8.5, kNavy, "plain: taXY, world position"));
  plain.SetColorBkg(RGB(230, 238, 255));

  TTextLabel& framed =
      chart.TextLabels(chart.AddTextLabel(7, 6.6, clBlack, "framed\nthree lines\nright-aligned"));
  framed.SetMode(tlmFramed);
  framed.SetAlignment(taRightJustify);
  framed.SetColorBorder(kNavy);

  TTextLabel& under = chart.TextLabels(chart.AddTextLabel(6.5, 2.5, RGB(0, 110, 0), "underlined"));
  under.SetMode(tlmUnderlined);
  under.SetColorBorder(RGB(0, 110, 0));
  under.Font().SetSize(12);

  TTextLabel& shadowed =
      chart.TextLabels(chart.AddTextLabel(440, 300, clWhite, "shadowed, taNone: pixels"));
  shadowed.SetMode(tlmShadowed);
  shadowed.SetAttachToData(taNone);
  shadowed.SetColorBkg(kOrange);
  shadowed.SetColorBorder(RGB(120, 50, 0));
  shadowed.SetColorShadow(RGB(150, 150, 150));
  shadowed.SetShadowDx(4);
  shadowed.SetShadowDy(4);
  shadowed.Font().SetStyle({fsBold});

  // A label made from another one as its template.
  chart.AddTextLabel(2, 4.5, clBlack, "from template 3", 3);
  chart.CopyToBMP(Out(dir, "chart-labels.png"), false);
}

// A picture for the background: a soft landscape of colour bands.
std::string BackgroundPicture() {
  TBitmap img(64, 48);
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x) {
      const double v = 0.5 + 0.25 * std::sin(x * 0.2) + 0.25 * std::cos(y * 0.25 + x * 0.05);
      img.Canvas().SetPixels(
          x, y, RGB(static_cast<int>(200 + 40 * v), static_cast<int>(215 + 30 * v), 235));
    }
  const std::string file = (std::filesystem::temp_directory_path() / "kiv-gallery-bg.png").string();
  img.SaveToFile(file);
  return file;
}

void Scatter(TCustomRChart& chart) {
  chart.SetRange(1, 0.0, 0.0, 10.0, 10.0);
  for (int i = 0; i < 60; ++i) {
    const double x = 0.5 + 9 * std::fmod(i * 0.618034, 1.0);
    const double y = 1 + 0.8 * x + 1.2 * std::sin(i * 1.7);
    chart.SetDataColor(i % 3 == 0 ? kOrange : kNavy);
    chart.MarkAt(x, y, static_cast<std::uint8_t>(i % 3 == 0 ? 3 : 2));
  }
}

// Several small charts side by side on one picture.
void Sheet(const std::string& file, int cols, int rows, int w, int h,
           const std::function<void(TCustomRChart&, int)>& setup, int count) {
  TBitmap sheet(cols * w, rows * h);
  sheet.Canvas().Brush().SetColor(kFace);  // cells without a chart take the charts' grey
  sheet.Canvas().FillRect(TRect(0, 0, cols * w, rows * h));
  for (int i = 0; i < count; ++i) {
    TCustomRChart chart(nullptr);
    chart.SetBounds(0, 0, w, h);
    chart.SetWindColor(kFace);
    setup(chart, i);
    TBitmap picture;
    chart.CopyToBitmap(picture, false);
    sheet.Canvas().Draw((i % cols) * w, (i / cols) * h, picture);
  }
  sheet.SaveToFile(file);
}

KIV_GALLERY(chart_background_image) {
  const std::string picture = BackgroundPicture();
  const char* names[] = {"bfUnscaled", "bfStretched", "bfTiled"};
  Sheet(
      Out(dir, "chart-bgimage.png"), 3, 1, 300, 240,
      [&](TCustomRChart& chart, int i) {
        chart.SetCaption(std::string("background image, ") + names[i]);
        chart.SetCaptionAnchorHoriz(cahChartCenter);
        chart.SetCaptionAlignment(taCenter);
        chart.BackGroundImg().SetIncludePath(true);
        chart.BackGroundImg().SetName(picture);
        chart.BackGroundImg().SetFillMode(static_cast<TBkgFill>(i));
        Scatter(chart);
      },
      3);
  std::filesystem::remove(picture);
}

KIV_GALLERY(chart_background_areas) {
  const char* names[] = {"bamNone",    "bamLeft",       "bamRight",     "bamTop",
                         "bamBottom",  "bamVStripe",    "bamHStripe",   "bamRect",
                         "bamRectInv", "bamVStripeInv", "bamHStripeInv"};
  Sheet(
      Out(dir, "chart-areas.png"), 4, 3, 260, 200,
      [&](TCustomRChart& chart, int i) {
        chart.SetCaption(names[i]);
        chart.SetCaptionAnchorHoriz(cahChartCenter);
        chart.SetCaptionAlignment(taCenter);
        TBakGndImg& g = chart.BackGroundImg();
        g.SetAreaMode(static_cast<TBGAreaMode>(i));
        g.SetAreaLeft(3);
        g.SetAreaRight(7);
        g.SetAreaTop(7.5);
        g.SetAreaBottom(3.5);
        g.SetAreaColor(RGB(255, 228, 190));
        Scatter(chart);
      },
      11);
}

}  // namespace
