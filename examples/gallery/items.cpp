// The chart item gallery: one panel per item kind and coordinate mode (polylines, pixel paths,
// lines, rectangles, frames, 3D bars, ellipses, arcs, arrows, marks, error bars, texts,
// cursors), the grid styles and the text-label modes, each a data area drawn by a chart.
#include <cmath>
#include <functional>
#include <numbers>
#include <string>

#include "gallery.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "rchart/rchart.h"
#include "services/marks.h"

namespace {

using namespace kiv;

constexpr int kW = 228;  // data area of a panel
constexpr int kH = 150;
constexpr int kCols = 4;
constexpr int kCellW = kW + 16;
constexpr int kCellH = kH + 34;
constexpr int kTop = 36;

// A chart with a kW x kH data area whose layer 1 runs from 0 to 100 in x and 0 to 60 in y.
class PanelChart : public TCustomRChart {
 public:
  PanelChart() : TCustomRChart(nullptr) {
    SetAutoRedraw(false);
    SetMarginLeft(10);
    SetMarginRight(10);
    SetMarginTop(10);
    SetMarginBottom(10);
    SetBounds(0, 0, kW + 19, kH + 19);
    SetRange(1, 0.0L, 0.0L, 100.0L, 60.0L);
  }
};

void Panel(TCanvas& page, int index, const std::string& caption,
           const std::function<void(PanelChart&)>& setup, bool black_and_white = false) {
  const int x = 8 + (index % kCols) * kCellW;
  const int y = kTop + (index / kCols) * kCellH;
  PanelChart chart;
  setup(chart);
  TBitmap bmp;
  chart.CopyToBitmapDAOnly(bmp, black_and_white);
  page.Draw(x, y + 18, bmp);
  page.Brush().SetStyle(bsClear);
  page.Font().SetColor(clBlack);
  page.Font().SetSize(8);
  page.TextOut(x, y + 2, caption);
}

void Polylines(PanelChart& ch) {
  const TColor colours[] = {clNavy, clRed, clGreen, clPurple};
  const TPenStyle styles[] = {psSolid, psDash, psDot, psDashDot};
  for (int k = 0; k < 4; ++k) {
    ch.SetDataColor(colours[k]);
    ch.SetLineWidth(static_cast<std::uint8_t>(k == 0 ? 3 : 1));
    ch.SetPenStyle(styles[k]);
    ch.MoveTo(2.0, 8.0 + 14 * k);
    for (int i = 1; i <= 96; ++i) ch.DrawTo(2.0 + i, 8.0 + 14 * k + 5 * std::sin(i * 0.2 + k));
  }
}

void PixelPaths(PanelChart& ch) {
  ch.SetDataColor(clNavy);
  ch.MoveTo(10.0, 50.0);
  for (int i = 0; i < 8; ++i) {
    ch.DrawToRelPix(12, 0);
    ch.DrawToRelPix(0, i % 2 == 0 ? 12 : -12);
  }
  ch.SetDataColor(clRed);
  for (int i = 0; i < 10; ++i) ch.DrawToRelPix(10.0 + 9 * i, 20.0, 14, -20 + 4 * i);
  ch.SetDataColor(clGreen);
  ch.MoveTo(60.0, 10.0);
  ch.MoveToRelPix(0, -30);
  ch.DrawToRelPix(40, 0);
}

void Lines(PanelChart& ch) {
  for (int i = 0; i < 12; ++i) {
    ch.SetDataColor(RGB(20 * i, 40, 240 - 20 * i));
    ch.Line(50.0, 30.0, 50 + 40 * std::cos(i * 0.5236), 30 + 25 * std::sin(i * 0.5236));
  }
  ch.SetDataColor(clRed);
  ch.LineOffset(5.0, 5.0, 30.0, 5.0, 0, 0);
  ch.LineOffset(5.0, 5.0, 30.0, 5.0, 0, -6);
  ch.LineOffset(5.0, 5.0, 30.0, 5.0, 0, -12);
  ch.SetDataColor(clGray);
  ch.SetPenStyle(psDot);
  ch.CursorVert(92.0);
  ch.CursorHoriz(55.0);
}

void Rectangles(PanelChart& ch) {
  ch.SetDataColor(clNavy);
  ch.SetFillColor(RGB(166, 202, 240));
  ch.Rectangle(5.0, 10.0, 30.0, 50.0);
  ch.SetTransparentItems(true);
  ch.SetDataColor(clRed);
  ch.Rectangle(20.0, 20.0, 45.0, 40.0);
  ch.SetTransparentItems(false);
  ch.SetDataColor(clGreen);
  ch.SetFillColor(RGB(192, 220, 192));
  for (int i = 0; i < 4; ++i) ch.RectangleRelPix(60.0 + 10 * i, 45.0, 2 + i, 2 + 2 * i);
  ch.SetFillColor(RGB(255, 251, 240));
  ch.SetDataColor(clMaroon);
  ch.Ellipse(75.0, 18.0, 18.0, 10.0);
  ch.SetTransparentItems(true);
  ch.Ellipse(75.0, 18.0, 8.0, 14.0);
}

void Frames(PanelChart& ch) {
  ch.SetChartColor(RGB(222, 228, 240));  // so that the white highlights show
  const TFrameStyle styles[] = {rbLowered, rbRaised, rbEmbossed, rbEngraved};
  for (int k = 0; k < 4; ++k) {
    ch.SetFillColor(clSilver);
    ch.RectFrame(4.0 + 24 * k, 15.0, 22.0 + 24 * k, 50.0, styles[k], clGray, clWhite);
  }
}

void Bars(PanelChart& ch) {
  const int angles[] = {0, 30, 60, 90, 120, 150, 180};
  for (int k = 0; k < 7; ++k) {
    ch.SetDataColor(clNavy);
    ch.SetFillColor(RGB(120 + 18 * k, 180, 255 - 18 * k));
    ch.Bar3D(4.0 + 13.5 * k, 2.0, 11.0 + 13.5 * k, 20.0 + 5 * k, 10, angles[k]);
  }
}

void Arcs(PanelChart& ch) {
  constexpr double pi = std::numbers::pi;
  for (int k = 0; k < 4; ++k) {
    ch.SetDataColor(RGB(60 * k, 0, 200 - 40 * k));
    ch.Arc(25.0, 30.0, 8.0 + 5 * k, 5.0 + 5 * k, k * pi / 4, pi - k * pi / 8);
  }
  ch.SetDataColor(clRed);
  ch.Arc(75.0, 30.0, 18.0, 22.0, -pi / 2, pi / 2);
  ch.SetDataColor(clGreen);
  ch.Arc(75.0, 30.0, 18.0, 22.0, pi / 2, -pi / 2);
}

void Arrows(PanelChart& ch) {
  ch.SetDataColor(clNavy);
  ch.SetFillColor(clYellow);
  for (int k = 0; k < 8; ++k) {
    const double a = k * std::numbers::pi / 4;
    ch.Arrow(25.0, 30.0, 25 + 20 * std::cos(a), 30 + 30 * std::sin(a), 9);
  }
  ch.SetTransparentItems(true);
  ch.SetDataColor(clRed);
  ch.Arrow(55.0, 50.0, 95.0, 50.0, 12);
  ch.DoubleArrow(55.0, 35.0, 95.0, 35.0, 12);
  ch.SetTransparentItems(false);
  ch.SetDataColor(clGreen);
  ch.DoubleArrow(55.0, 15.0, 95.0, 15.0, 10);
}

void Marks(PanelChart& ch) {
  ch.SetDataColor(clNavy);
  ch.SetFillColor(clYellow);
  ch.MoveTo(0.0, 0.0);
  ch.DrawTo(0.0, 0.0);  // lends the marks its fill colour as the brush
  for (int m = 0; m < kNumMarks; ++m)
    ch.MarkAt(6.0 + (m % 13) * 7.5, 52.0 - (m / 13) * 13.0, static_cast<std::uint8_t>(m));
}

void ErrorBars(PanelChart& ch) {
  ch.SetDataColor(clNavy);
  for (int k = 0; k < 6; ++k) {
    const double x = 8.0 + 9 * k, y = 20 + 15 * std::sin(k);
    ch.MarkErrorBar(x, y, 3 + k, 6 - k * 0.5, orVertical, 27);
  }
  ch.SetDataColor(clRed);
  for (int k = 0; k < 4; ++k)
    ch.MarkErrorBar(72.0 + 4 * k, 12.0 + 12 * k, 4 + 2 * k, 8, orHorizontal, 9);
}

void Texts(PanelChart& ch) {
  const TAlignment aligns[] = {taLeftJustify, taCenter, taRightJustify};
  const double xs[] = {5.0, 50.0, 95.0};
  ch.SetFillColor(RGB(255, 251, 240));
  for (int k = 0; k < 3; ++k) {
    ch.SetTextAlignment(aligns[k]);
    ch.SetTextBkStyle(k == 1 ? tbSolid : tbClear);
    ch.SetDataColor(k == 2 ? clRed : clNavy);
    ch.Text(xs[k], 45.0, 8,
            k == 0 ? "left\naligned lines" : (k == 1 ? "centred\nthree\nlines" : "right\naligned"));
    ch.MarkAt(xs[k], 45.0, 5);
  }
  ch.SetTextAlignment(taLeftJustify);
  ch.SetDataColor(clGreen);
  ch.Text(5.0, 10.0, 10, "offset text", 20, -6, taLeftJustify);
  ch.MarkAt(5.0, 10.0, 3);
}

void Modes(PanelChart& ch) {
  // Annotations keep their coordinate mode: integers are pixels of the data area.
  ch.SetAnnoMode(true);
  ch.SetDataColor(clNavy);
  ch.SetFillColor(RGB(166, 202, 240));
  ch.Rectangle(10, 10, 60, 40);        // screen, screen
  ch.Rectangle(20.0, 20.0, 110, 120);  // world main point, screen second corner
  ch.SetDataColor(clRed);
  ch.Line(150, 10, 90.0, 50.0);       // screen main point, world second point
  ch.Arrow(150, 10.0, 210, 30.0, 8);  // x screen, y world
  ch.SetDataColor(clGreen);
  ch.Arrow(60.0, 140, 95.0, 100, 8);  // x world, y screen
  ch.MarkAt(200, 130, 12);
  ch.SetTextAlignment(taLeftJustify);
  ch.Text(12, 140, 8, "pixels (12, 140)");
}

void Grid(PanelChart& ch, GridStyleType style, double dx, double dy) {
  ch.SetGridStyle(style);
  ch.SetGridColor(clGray);
  ch.SetGridDx(dx);
  ch.SetGridDy(dy);
  ch.SetDataColor(clNavy);
  ch.MoveTo(0.0, 10.0);
  for (int i = 1; i <= 50; ++i) ch.DrawTo(2.0 * i, 30 + 20 * std::sin(i * 0.25));
}

void LogGrid(PanelChart& ch) {
  ch.SetRange(1, 1.0L, 0.0L, 1000.0L, 60.0L);
  ch.Scale1X().SetLogarithmic(true);
  ch.SetGridStyle(gsLines);
  ch.SetGridColor(clGray);
  ch.SetGridDx(-3);
  ch.SetGridDy(10);
  ch.SetDataColor(clNavy);
  ch.MoveTo(1.0, 5.0);
  for (int i = 1; i <= 60; ++i)
    ch.DrawTo(std::pow(10.0, i / 20.0), 5 + 50 * (i / 60.0) * (i / 60.0));
}

void Labels(PanelChart& ch) {
  const TTxtLblMode modes[] = {tlmPlain, tlmFramed, tlmUnderlined, tlmShadowed};
  const char* names[] = {"plain", "framed", "underlined", "shadowed\ntwo lines"};
  for (int k = 0; k < 4; ++k) {
    TTextLabel& lb = ch.TextLabels(k + 1);
    lb.SetCaption(names[k]);
    lb.SetMode(modes[k]);
    lb.SetAttachToData(taXY);
    lb.SetPosX(k % 2 == 0 ? 25.0 : 75.0);
    lb.SetPosY(k < 2 ? 45.0 : 20.0);
    lb.SetColorBkg(k == 3 ? RGB(255, 251, 240) : clWhite);
    lb.SetColorBorder(clNavy);
    lb.SetVisible(true);
  }
}

}  // namespace

KIV_GALLERY(items) {
  const int rows = 6;
  TBitmap bmp(8 + kCols * kCellW, kTop + rows * kCellH);
  TCanvas& c = bmp.Canvas();
  c.Brush().SetColor(RGB(248, 248, 244));
  c.FillRect(TRect(0, 0, bmp.Width(), bmp.Height()));
  c.Brush().SetStyle(bsClear);
  c.Font().SetSize(12);
  c.Font().SetStyle({fsBold});
  c.Font().SetColor(clNavy);
  c.TextOut(8, 8, "Chart items: every kind, coordinate modes, grids and text labels");
  c.Font().SetStyle({});

  int i = 0;
  Panel(c, i++, "DrawTo polylines: widths and pen styles", Polylines);
  Panel(c, i++, "pixel paths: DrawToRelPix, MoveToRelPix", PixelPaths);
  Panel(c, i++, "Line, LineOffset, CursorVert/Horiz", Lines);
  Panel(c, i++, "Rectangle, RectangleRelPix, Ellipse", Rectangles);
  Panel(c, i++, "RectFrame: lowered, raised, embossed, engr.", Frames);
  Panel(c, i++, "Bar3D at 0, 30, ..., 180 degrees", Bars);
  Panel(c, i++, "Arc: counter-clockwise from angle 1 to 2", Arcs);
  Panel(c, i++, "Arrow, DoubleArrow: filled and open heads", Arrows);
  Panel(c, i++, "MarkAt: the 52 marks", Marks);
  Panel(c, i++, "MarkErrorBar: vertical and horizontal", ErrorBars);
  Panel(c, i++, "Text: left, centre, right; offset", Texts);
  Panel(c, i++, "coordinate modes of annotations", Modes);
  Panel(c, i++, "grid gsLines, steps 10 / 10", [](PanelChart& ch) { Grid(ch, gsLines, 10, 10); });
  Panel(c, i++, "grid gsDotLines, steps 25 / 15",
        [](PanelChart& ch) { Grid(ch, gsDotLines, 25, 15); });
  Panel(c, i++, "grid gsPoints, steps 5 / 5", [](PanelChart& ch) { Grid(ch, gsPoints, 5, 5); });
  Panel(c, i++, "grid gsVertLines, step 20", [](PanelChart& ch) { Grid(ch, gsVertLines, 20, 0); });
  Panel(c, i++, "grid gsHorizDotLines, step 12",
        [](PanelChart& ch) { Grid(ch, gsHorizDotLines, 0, 12); });
  Panel(c, i++, "grid gsLines at the scale ticks (step 0)",
        [](PanelChart& ch) { Grid(ch, gsLines, 0, 0); });
  Panel(c, i++, "grid gsVertDotLines, steps 7.5",
        [](PanelChart& ch) { Grid(ch, gsVertDotLines, 7.5, 0); });
  Panel(c, i++, "log x 1..1000: 1..9 per decade", LogGrid);
  Panel(c, i++, "text labels: the four modes", Labels);
  Panel(c, i++, "AvoidDuplicateMarks: 20000 marks", [](PanelChart& ch) {
    ch.SetAvoidDuplicateMarks(true);
    ch.SetMinDupMarkDist(3);
    for (int k = 0; k < 20000; ++k) {
      ch.SetDataColor(k % 2 == 0 ? clNavy : clRed);
      ch.MarkAt(50 + 40 * std::sin(k * 0.013), 30 + 25 * std::cos(k * 0.029),
                static_cast<std::uint8_t>(k % 2 == 0 ? 26 : 3));
    }
  });
  Panel(c, i++, "black and white output of the arrows", Arrows, true);
  Panel(c, i++, "OnBeforeRenderChartItem: colour by value", [](PanelChart& ch) {
    ch.SetLineWidth(2);
    ch.MoveTo(0.0, 30.0);
    for (int k = 1; k <= 100; ++k) ch.DrawTo(1.0 * k, 30 + 25 * std::sin(k * 0.12));
    ch.OnBeforeRenderChartItem = [](TObject*, TrcChartItem& item, int, bool) {
      item.Color = item.y > 30 ? clRed : clNavy;
    };
  });
  bmp.SaveToFile((dir / "items.png").string());
}
