// The canvas test card: every primitive, pen style and width, raster modes, brushes, bitmap
// transfers, the marks, the frame styles and fonts in sizes and styles.
#include <array>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "gallery.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "services/frame.h"
#include "services/marks.h"

namespace {

using namespace kiv;

void Title(TCanvas& c, int x, int y, const std::string& text) {
  c.Brush().SetStyle(bsClear);
  c.Font().SetSize(9);
  c.Font().SetStyle({fsBold});
  c.Font().SetColor(clNavy);
  c.TextOut(x, y, text);
  c.Font().SetStyle({});
  c.Font().SetColor(clBlack);
  c.Font().SetSize(8);
  c.Brush().SetStyle(bsSolid);
}

void Label(TCanvas& c, int x, int y, const std::string& text) {
  c.Brush().SetStyle(bsClear);
  c.Font().SetSize(7);
  c.Font().SetColor(clGray);
  c.TextOut(x, y, text);
  c.Font().SetColor(clBlack);
  c.Font().SetSize(8);
  c.Brush().SetStyle(bsSolid);
}

void Reset(TCanvas& c) {
  c.Pen().SetColor(clBlack);
  c.Pen().SetWidth(1);
  c.Pen().SetStyle(psSolid);
  c.Pen().SetMode(pmCopy);
  c.Brush().SetColor(clWhite);
  c.Brush().SetStyle(bsSolid);
}

// Lines in every direction and the figures, each in its box.
void Primitives(TCanvas& c, int x0, int y0) {
  Title(c, x0, y0, "Primitives");
  const int cx = x0 + 60, cy = y0 + 80;
  for (int k = 0; k < 24; ++k) {
    const double a = k * std::numbers::pi / 12;
    c.Pen().SetColor(k % 2 ? clNavy : clTeal);
    c.MoveTo(cx, cy);
    c.LineTo(cx + static_cast<int>(std::lround(50 * std::cos(a))),
             cy - static_cast<int>(std::lround(50 * std::sin(a))));
  }
  Reset(c);
  c.Brush().SetColor(RGB(255, 236, 160));
  c.Rectangle(x0 + 130, y0 + 30, x0 + 210, y0 + 80);
  c.Brush().SetColor(RGB(180, 220, 255));
  c.Ellipse(x0 + 220, y0 + 30, x0 + 320, y0 + 80);
  c.Pen().SetColor(clRed);
  c.Arc(x0 + 330, y0 + 30, x0 + 420, y0 + 120, x0 + 420, y0 + 75, x0 + 375, y0 + 30);
  c.Pen().SetColor(clBlue);
  c.Arc(x0 + 330, y0 + 30, x0 + 420, y0 + 120, x0 + 330, y0 + 75, x0 + 420, y0 + 75);
  Reset(c);
  const std::vector<TPoint> star = {{x0 + 175, y0 + 88},
                                    {x0 + 200, y0 + 150},
                                    {x0 + 135, y0 + 110},
                                    {x0 + 215, y0 + 110},
                                    {x0 + 150, y0 + 150}};
  c.Brush().SetColor(RGB(200, 255, 200));
  c.Polygon(star);
  c.SetPolyFillMode(fmWinding);
  std::vector<TPoint> star2 = star;
  for (auto& p : star2) p.X += 100;
  c.Polygon(star2);
  c.SetPolyFillMode(fmAlternate);
  Label(c, x0 + 130, y0 + 152, "alternate");
  Label(c, x0 + 230, y0 + 152, "winding");
  Reset(c);
  for (int i = 0; i < 12; ++i) c.SetPixels(x0 + 330 + 4 * i, y0 + 130, clBlack);
  Label(c, x0 + 330, y0 + 135, "single pixels");
}

void PenStyles(TCanvas& c, int x0, int y0) {
  Title(c, x0, y0, "Pen styles (gaps: brush colour / clear brush)");
  const std::array<std::pair<TPenStyle, const char*>, 8> styles = {
      {{psSolid, "psSolid"},
       {psDash, "psDash"},
       {psDot, "psDot"},
       {psDashDot, "psDashDot"},
       {psDashDotDot, "psDashDotDot"},
       {psAlternate, "psAlternate"},
       {psInsideFrame, "psInsideFrame"},
       {psClear, "psClear"}}};
  int y = y0 + 24;
  for (const auto& [style, name] : styles) {
    Label(c, x0, y - 5, name);
    c.Pen().SetStyle(style);
    c.Brush().SetColor(RGB(255, 200, 200));
    c.MoveTo(x0 + 90, y);
    c.LineTo(x0 + 250, y);
    c.Brush().SetStyle(bsClear);
    c.MoveTo(x0 + 260, y);
    c.LineTo(x0 + 420, y);
    Reset(c);
    y += 14;
  }
}

void PenWidths(TCanvas& c, int x0, int y0) {
  Title(c, x0, y0, "Pen widths 1 to 10");
  c.Brush().SetStyle(bsClear);
  for (int w = 1; w <= 10; ++w) {
    c.Pen().SetWidth(w);
    c.Pen().SetColor(RGB(20 * w, 60, 200 - 15 * w));
    const int x = x0 + 10 + (w - 1) * 40;
    c.MoveTo(x, y0 + 30);
    c.LineTo(x + 20, y0 + 90);
    c.Ellipse(x - 5, y0 + 100, x + 25, y0 + 130);
  }
  c.Pen().SetWidth(6);
  c.Pen().SetColor(clGreen);
  const std::vector<TPoint> zig = {{x0 + 10, y0 + 160},
                                   {x0 + 60, y0 + 140},
                                   {x0 + 110, y0 + 170},
                                   {x0 + 160, y0 + 140},
                                   {x0 + 210, y0 + 170}};
  c.Polyline(zig);
  c.Pen().SetStyle(psInsideFrame);
  c.Pen().SetColor(clMaroon);
  c.Rectangle(x0 + 240, y0 + 140, x0 + 300, y0 + 180);
  c.Pen().SetStyle(psSolid);
  c.Rectangle(x0 + 320, y0 + 140, x0 + 380, y0 + 180);
  Reset(c);
  Label(c, x0 + 240, y0 + 182, "inside frame");
  Label(c, x0 + 320, y0 + 182, "centred");
}

void RasterModes(TCanvas& c, int x0, int y0) {
  Title(c, x0, y0, "XOR, NOT and merge modes");
  c.Brush().SetColor(RGB(255, 220, 120));
  c.FillRect(TRect(x0, y0 + 24, x0 + 200, y0 + 120));
  c.Pen().SetMode(pmXor);
  c.Pen().SetColor(clWhite);
  c.Brush().SetColor(clTeal);
  c.Rectangle(x0 + 20, y0 + 40, x0 + 120, y0 + 100);
  c.Ellipse(x0 + 80, y0 + 30, x0 + 180, y0 + 110);
  c.Pen().SetWidth(5);
  c.MoveTo(x0 + 10, y0 + 115);
  c.LineTo(x0 + 190, y0 + 30);
  Reset(c);
  c.Brush().SetColor(RGB(120, 200, 255));
  c.FillRect(TRect(x0 + 220, y0 + 24, x0 + 420, y0 + 120));
  c.Pen().SetMode(pmNot);
  c.Brush().SetStyle(bsClear);
  c.Rectangle(x0 + 240, y0 + 40, x0 + 330, y0 + 100);
  c.Pen().SetMode(pmMerge);
  c.Pen().SetColor(clRed);
  c.Brush().SetStyle(bsSolid);
  c.Brush().SetColor(RGB(0, 128, 0));
  c.Ellipse(x0 + 300, y0 + 35, x0 + 400, y0 + 110);
  Reset(c);
  Label(c, x0, y0 + 122, "pmXor (drawn twice, the picture comes back)");
  Label(c, x0 + 220, y0 + 122, "pmNot, pmMerge");
}

void Brushes(TCanvas& c, int x0, int y0) {
  Title(c, x0, y0, "Brushes");
  const std::array<std::pair<TBrushStyle, const char*>, 8> styles = {{{bsSolid, "solid"},
                                                                      {bsClear, "clear"},
                                                                      {bsHorizontal, "horizontal"},
                                                                      {bsVertical, "vertical"},
                                                                      {bsFDiagonal, "f-diagonal"},
                                                                      {bsBDiagonal, "b-diagonal"},
                                                                      {bsCross, "cross"},
                                                                      {bsDiagCross, "diag-cross"}}};
  int x = x0;
  for (const auto& [style, name] : styles) {
    c.Brush().SetColor(clPurple);
    c.Brush().SetStyle(style);
    c.Rectangle(x, y0 + 24, x + 46, y0 + 70);
    Reset(c);
    Label(c, x, y0 + 72, name);
    x += 52;
  }
}

void CopyModes(TCanvas& c, int x0, int y0) {
  Title(c, x0, y0, "Bitmap transfers");
  TBitmap sprite(32, 32);
  TCanvas& s = sprite.Canvas();
  s.Brush().SetColor(clNavy);
  s.FillRect(TRect(0, 0, 32, 32));
  s.Brush().SetColor(clYellow);
  s.Pen().SetColor(clRed);
  s.Ellipse(4, 4, 28, 28);
  const std::array<std::pair<TCopyMode, const char*>, 5> modes = {{{cmSrcCopy, "copy"},
                                                                   {cmSrcAnd, "AND"},
                                                                   {cmSrcPaint, "OR"},
                                                                   {cmSrcInvert, "XOR"},
                                                                   {cmNotSrcCopy, "NOT src"}}};
  int x = x0;
  for (const auto& [mode, name] : modes) {
    c.Brush().SetColor(RGB(160, 220, 160));
    c.FillRect(TRect(x, y0 + 24, x + 44, y0 + 68));
    c.SetCopyMode(mode);
    c.Draw(x + 6, y0 + 30, sprite);
    c.SetCopyMode(cmSrcCopy);
    Label(c, x, y0 + 70, name);
    x += 52;
  }
  c.StretchDraw(TRect(x, y0 + 24, x + 88, y0 + 68), sprite);
  c.CopyRect(TRect(x + 140, y0 + 24, x + 96, y0 + 68), sprite.Canvas(), TRect(0, 0, 32, 32));
  Label(c, x, y0 + 70, "stretched, mirrored");
}

void Marks(TCanvas& c, int x0, int y0) {
  Title(c, x0, y0, "Marks 0 to 51");
  for (int m = 0; m < 52; ++m) {
    const int col = m % 13, row = m / 13;
    const int x = x0 + 16 + col * 32, y = y0 + 36 + row * 34;
    c.Pen().SetColor(clNavy);
    c.Brush().SetColor(RGB(255, 170, 60));
    DrawMarkOnCanvas(c, m, x, y);
    Reset(c);
    Label(c, x - 6, y + 9, std::to_string(m));
  }
}

void Frames(TCanvas& c, int x0, int y0) {
  Title(c, x0, y0, "Frame styles");
  const std::array<const char*, kFrameStyleCount> names = {
      "rbNone",     "rbSimple",   "rbLowered",       "rbRaised",
      "rbEmbossed", "rbEngraved", "rbDoubleLowered", "rbDoubleRaised"};
  for (int i = 0; i < kFrameStyleCount; ++i) {
    const int x = x0 + (i % 4) * 104, y = y0 + 24 + (i / 4) * 58;
    c.Brush().SetColor(clBtnFace);
    c.FillRect(TRect(x, y, x + 96, y + 40));
    DrawFrame(c, static_cast<TFrameStyle>(i), x + 4, y + 4, x + 91, y + 35, clWhite, clSilver,
              clGray, clBlack, clBlack);
    Reset(c);
    Label(c, x, y + 42, names[static_cast<std::size_t>(i)]);
  }
}

void Fonts(TCanvas& c, int x0, int y0) {
  Title(c, x0, y0, "Fonts");
  c.Brush().SetStyle(bsClear);
  int y = y0 + 24;
  for (int size : {6, 8, 10, 12, 16, 20}) {
    c.Font().SetSize(size);
    c.TextOut(x0, y, std::to_string(size) + " pt Arial 0123456789 AbcXyz");
    y += c.TextHeight("X") + 2;
  }
  c.Font().SetSize(10);
  const std::array<std::pair<TFontStyles, const char*>, 5> styles = {
      {{{}, "regular"},
       {{fsBold}, "bold"},
       {{fsItalic}, "italic"},
       {{fsUnderline}, "underline"},
       {{fsStrikeOut}, "strike-out"}}};
  int x = x0;
  for (const auto& [style, name] : styles) {
    c.Font().SetStyle(style);
    c.TextOut(x, y + 4, name);
    x += c.TextWidth(name) + 14;
  }
  c.Font().SetStyle({});
  y += 26;
  x = x0;
  for (const char* family : {"Times New Roman", "Courier New", "DejaVu Sans", "DejaVu Serif"}) {
    c.Font().SetName(family);
    c.TextOut(x, y, family);
    x += c.TextWidth(family) + 16;
  }
  c.Font().SetName(TFont::kDefaultName);
  y += 24;
  c.Font().SetColor(clWhite);
  c.Brush().SetStyle(bsSolid);
  c.Brush().SetColor(clNavy);
  c.TextOut(x0, y, " opaque background ");
  c.Font().SetColor(clRed);
  c.Brush().SetStyle(bsClear);
  c.TextOut(x0 + 150, y, "Unicode: µ ° ± € √ ∑");
  Reset(c);
  c.Font().SetColor(clBlack);
  c.Font().SetSize(8);
}

KIV_GALLERY(canvas_testcard) {
  TBitmap bmp(900, 920);
  TCanvas& c = bmp.Canvas();
  c.Brush().SetColor(clWhite);
  c.FillRect(TRect(0, 0, 900, 920));
  c.Font().SetSize(14);
  c.Font().SetStyle({fsBold});
  c.Brush().SetStyle(bsClear);
  c.TextOut(10, 8, "kivchart canvas test card");
  c.Font().SetStyle({});
  c.Font().SetSize(8);
  Reset(c);
  Primitives(c, 10, 40);
  PenStyles(c, 460, 40);
  PenWidths(c, 10, 220);
  RasterModes(c, 460, 190);
  Brushes(c, 460, 330);
  CopyModes(c, 10, 420);
  Frames(c, 460, 430);
  Marks(c, 10, 520);
  Fonts(c, 10, 700);
  bmp.SaveToFile((dir / "canvas-testcard.png").string());
}

}  // namespace
