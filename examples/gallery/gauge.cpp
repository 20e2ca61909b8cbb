// The gauge gallery: every index mode on a horizontal gauge, every background on a vertical one,
// and a moving dial, a logarithmic and a disabled gauge, on one sheet.
#include <functional>
#include <string>

#include "gallery.h"
#include "gauge/gauge.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"

namespace {

using namespace kiv;

// Paints one gauge at (x, y) of the sheet; setup configures it after the common settings.
// The scale's ends lie on the window's edges, where the cover hides half of a label centred on
// an end tick: the ranges reach a little past their outermost labels, so every label shows whole.
void Place(TCanvas& sheet, int x, int y, int w, int h,
           const std::function<void(TScaleGauge&)>& setup) {
  TScaleGauge g(nullptr);
  g.SetBounds(0, 0, w, h);
  g.SetCaptionSize(9);
  g.SetCaptionPosY(5);
  g.SetMin(-11);
  g.SetMax(11);
  setup(g);
  TBitmap picture;
  g.CopyToBitmap(picture);
  sheet.SetCopyMode(cmSrcCopy);
  sheet.Draw(x, y, picture);
}

void Title(TCanvas& c, int x, int y, const std::string& text) {
  c.Brush().SetStyle(bsClear);
  c.Font().SetSize(12);
  c.Font().SetStyle({fsBold});
  c.Font().SetColor(clNavy);
  c.TextOut(x, y, text);
}

}  // namespace

KIV_GALLERY(gauge_sheet) {
  const int W = 900, H = 790;
  TBitmap bmp(W, H);
  TCanvas& c = bmp.Canvas();
  c.Brush().SetColor(clWhite);
  c.FillRect(TRect(0, 0, W, H));
  Title(c, 10, 8, "TScaleGauge: index modes, backgrounds, moving dial");

  struct Mode {
    TGaugeIndexMode mode;
    const char* name;
    double value;
  };
  const Mode modes[] = {{gimThread, "gimThread", 3.5},
                        {gimTriangle, "gimTriangle", -6},
                        {gimThreadTriangle, "gimThreadTriangle", 7.2},
                        {gimThreadTwoTriangles, "gimThreadTwoTriangles", 0},
                        {gimBand, "gimBand", 4},
                        {gimDualColorBand, "gimDualColorBand (zero 0)", -4},
                        {gimBar, "gimBar", 8.5}};
  int y = 44;
  for (const Mode& m : modes) {
    Place(c, 10, y, 420, 84, [&](TScaleGauge& g) {
      g.SetMarginTop(26);
      g.SetIndexMode(m.mode);
      g.SetValue(m.value);
      g.SetCaption(m.name);
      g.SetColorIndex1(m.mode == gimBand ? RGB(0, 120, 0) : clBlack);
    });
    y += 92;
  }

  struct Background {
    TGaugeBackground bg;
    const char* name;
    TGaugeIndexMode mode;
    TColor c1, c2;
  };
  const Background backgrounds[] = {
      {gbPlain, "Plain", gimThread, RGB(255, 250, 220), clWhite},
      {gbVertGrad, "VertGrad", gimTriangle, clGray, clWhite},
      {gbHorizGrad, "HorizGrad", gimBar, RGB(0, 60, 140), RGB(200, 230, 255)},
      {gbVertMidBand, "VertMid", gimThreadTwoTriangles, RGB(120, 120, 120), clWhite},
      {gbHorizMidBand, "HorizMid", gimBand, RGB(60, 20, 0), RGB(255, 220, 160)},
  };
  int x = 450;
  for (const Background& b : backgrounds) {
    Place(c, x, 44, 86, 420, [&](TScaleGauge& g) {
      g.SetOrientation(goVertical);
      g.SetMarginTop(30);
      g.SetMarginLeft(10);
      g.SetCaptionPosX(6);
      g.SetBackground(b.bg);
      g.SetColorBg1(b.c1);
      g.SetColorBg2(b.c2);
      g.SetIndexMode(b.mode);
      g.SetColorIndex1(b.mode == gimBand ? RGB(0, 120, 0) : clBlack);
      g.SetValue(2.5);
      g.SetCaption(b.name);
    });
    x += 88;
  }

  Place(c, 450, 480, 430, 84, [](TScaleGauge& g) {
    g.SetMarginTop(26);
    g.SetMin(-10);  // a moving dial's labels slide under the cover anyway
    g.SetMax(10);
    g.SetFixedDial(false);
    g.SetIndexMode(gimThreadTwoTriangles);
    g.SetBackground(gbVertMidBand);
    g.SetMinTicks(8);
    g.SetValue(3);
    g.SetCaption("moving dial, Value 3 of -10..10");
  });
  Place(c, 450, 572, 430, 84, [](TScaleGauge& g) {
    g.SetMarginTop(26);
    g.SetMin(0.5);
    g.SetMax(20000);
    g.SetLogarithmic(true);
    g.SetMinTicks(4);  // labels at the decades only
    g.SetShortTicks(true);
    g.SetIndexMode(gimBand);
    g.SetValue(420);
    g.SetCaption("logarithmic 0.5..20000, Value 420");
  });
  Place(c, 450, 664, 430, 84, [](TScaleGauge& g) {
    g.SetMarginTop(26);
    g.SetIndexMode(gimThreadTriangle);
    g.SetValue(5);
    g.SetCaption("disabled");
    g.SetEnabled(false);
  });
  bmp.SaveToFile((dir / "gauge-sheet.png").string());
}
