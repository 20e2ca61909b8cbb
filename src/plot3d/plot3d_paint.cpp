// TPlot3D: painting through the off-screen picture, drawing on foreign canvases and the
// picture outputs (bitmaps, files, SVG, clipboard, printer).
#include "platform/clipboard.h"
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

void TPlot3D::DrawPicture(TCanvas& Canvas, bool IncludeFrame) {
  InitGraf(Canvas);
  if (!ComponentState().Contains(csDesigning)) ConstructDataBmp(Canvas, false);
  if (IncludeFrame)
    DrawFrame(Canvas, FFrameStyle, 0, 0, Width() - 1, Height() - 1, clWhite, clSilver, clGray,
              clBlack, FColorFrame);
}

void TPlot3D::Paint() {
  if (FSuppressPaint || !Visible()) return;
  GrafBmp.SetSize(Width(), Height());
  GrafBmp.SetPixelFormat(pf32bit);
  DrawPicture(GrafBmp.Canvas(), true);
  Canvas().SetCopyMode(cmSrcCopy);
  Canvas().Draw(0, 0, GrafBmp);
}

void TPlot3D::DrawOnForeignCanvas(TCanvas& cv) {
  FSuppressPaint = true;
  ConstructDataBmp(cv, false);
  SetSuppressPaint(false);
}

TBitmap TPlot3D::PictureBitmap(bool IncludeFrame, bool BlkWhite) {
  TBitmap bmp =
      kiv::PictureBitmap(Width(), Height(), [&](TCanvas& c) { DrawPicture(c, IncludeFrame); });
  if (BlkWhite) MakeGrey(bmp);
  return bmp;
}

void TPlot3D::CopyToBMP(const std::string& FName, bool IncludeFrame) {
  PictureBitmap(IncludeFrame).SaveToFile(FName);
}

std::string TPlot3D::ToSvg(bool IncludeFrame) {
  return PictureSvg(Width(), Height(), [&](TCanvas& c) { DrawPicture(c, IncludeFrame); });
}

void TPlot3D::CopyToWMF(const std::string& FName, bool IncludeFrame) {
  WriteTextFile(FName, ToSvg(IncludeFrame));
}

void TPlot3D::CopyToClipboard(bool IncludeFrame) {
  Clipboard().Assign(PictureBitmap(IncludeFrame));
}

void TPlot3D::CopyToClipboardWMF(bool IncludeFrame) {
  Clipboard().SetSvg(ToSvg(IncludeFrame));
}

void TPlot3D::PrintIt(double ScaleF, bool BlkWhite, bool IncludeFrame) {
  PrintPictureDocument(PictureBitmap(IncludeFrame, BlkWhite), ScaleF);
}

void TPlot3D::CopyToOpenPrinter(int& x, int& y, double ScaleF, bool BlkWhite, bool IncludeFrame) {
  PrintPicture(PictureBitmap(IncludeFrame, BlkWhite), x, y, ScaleF);
}

}  // namespace kiv::plot3d
