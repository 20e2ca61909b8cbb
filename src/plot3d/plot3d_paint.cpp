// TPlot3D: painting through the off-screen picture, the whole picture for the outputs, and
// drawing on foreign canvases.
#include "plot3d/plot3d.h"
#include "services/frame.h"
#include "services/picture_output.h"

namespace kiv::plot3d {

void TPlot3D::InitGraf(TCanvas& Canvas) {
  TPen& pen = Canvas.Pen();
  pen.SetStyle(psSolid);
  pen.SetMode(pmCopy);
  pen.SetWidth(1);
  pen.SetColor(FColorBakGnd);
  Canvas.Brush().SetStyle(bsSolid);
  Canvas.Brush().SetColor(FColorBakGnd);
  Canvas.FillRect(TRect(0, 0, Width(), Height()));
  if (ComponentState().Contains(csDesigning)) {
    const TColor bg = ColorToRGB(FColorBakGnd);
    const int r = bg & 0xFF, g = (bg >> 8) & 0xFF, b = (bg >> 16) & 0xFF;
    Canvas.Font().Assign(Font());
    Canvas.Font().SetColor(r * r + g * g + b * b <= 50000 ? clWhite : clBlack);
    Canvas.TextOut(10, 10, "Plot3D");
  }
}

// Black and white: the picture in grey levels, so that the surface stays readable.
void TPlot3D::DrawPicture(TCanvas& Canvas, bool BlkWhite, bool IncludeFrame) {
  InitGraf(Canvas);
  if (!ComponentState().Contains(csDesigning)) ConstructDataBmp(Canvas, false);
  if (IncludeFrame)
    DrawFrame(Canvas, FFrameStyle, 0, 0, Width() - 1, Height() - 1, clWhite, clSilver, clGray,
              clBlack, FColorFrame);
  if (BlkWhite && Canvas.RasterBitmap()) MakeGrey(*Canvas.RasterBitmap());
}

void TPlot3D::Paint() {
  if (FSuppressPaint || !Visible()) return;
  GrafBmp.SetSize(Width(), Height());
  GrafBmp.SetPixelFormat(pf32bit);
  DrawPicture(GrafBmp.Canvas(), false, true);
  Canvas().SetCopyMode(cmSrcCopy);
  Canvas().Draw(0, 0, GrafBmp);
}

void TPlot3D::DrawOnForeignCanvas(TCanvas& cv) {
  FSuppressPaint = true;
  ConstructDataBmp(cv, false);
  SetSuppressPaint(false);
}

}  // namespace kiv::plot3d
