// The outputs of a component's picture.
#include "services/picture_output.h"

#include <cmath>

#include "platform/atomicfile.h"
#include "platform/clipboard.h"
#include "platform/metafile.h"
#include "platform/printer.h"
#include "services/rounding.h"

namespace kiv {

void MakeGrey(TBitmap& Bitmap) {
  for (int y = 0; y < Bitmap.Height(); ++y) {
    TRGB32* row = Bitmap.ScanLineRGB(y);
    for (int x = 0; x < Bitmap.Width(); ++x) {
      TRGB32& p = row[x];
      const int g = (299 * p.R + 587 * p.G + 114 * p.B + 500) / 1000;
      p.R = p.G = p.B = static_cast<std::uint8_t>(g);
    }
  }
}

TBitmap TPictureOutputs::PictureBitmap(bool IncludeFrame, bool BlkWhite) {
  const TSize s = PictureSize();
  TBitmap bmp(s.cx, s.cy);
  bmp.SetPixelFormat(pf32bit);
  DrawPicture(bmp.Canvas(), BlkWhite, IncludeFrame);
  return bmp;
}

void TPictureOutputs::CopyToBMP(const std::string& FName, bool IncludeFrame) {
  PictureBitmap(IncludeFrame).SaveToFile(FName);
}

std::string TPictureOutputs::ToSvg(bool IncludeFrame) {
  const TSize s = PictureSize();
  TMetafile picture(s.cx, s.cy);
  {
    TMetafileCanvas canvas(picture);
    DrawPicture(canvas, false, IncludeFrame);
  }
  return picture.ToSvg();
}

void TPictureOutputs::CopyToWMF(const std::string& FName, bool IncludeFrame) {
  WriteFileAtomically(FName, ToSvg(IncludeFrame));
}

void TPictureOutputs::CopyToClipboard(bool IncludeFrame) {
  Clipboard().Assign(PictureBitmap(IncludeFrame));
}

void TPictureOutputs::CopyToClipboardWMF(bool IncludeFrame) {
  Clipboard().SetSvg(ToSvg(IncludeFrame));
}

void TPictureOutputs::CopyToOpenPrinter(int& x, int& y, double ScaleF, bool BlkWhite,
                                        bool IncludeFrame) {
  TPrinter& printer = Printer();
  if (!printer.Printing()) return;
  const TBitmap picture = PictureBitmap(IncludeFrame, BlkWhite);
  // Magnifications beyond a thousand make no page and would overflow the coordinates.
  const double f = ScaleF > 0 && std::isfinite(ScaleF) ? std::fmin(ScaleF, 1000)
                                                       : printer.PixelsPerInch() / 96.0;
  const int w = RoundToInt(picture.Width() * f), h = RoundToInt(picture.Height() * f);
  auto advance = [](int from, int by) {
    return static_cast<int>(std::fmin(static_cast<double>(from) + by, 2147483647.0));
  };
  printer.Canvas().SetCopyMode(cmSrcCopy);
  printer.Canvas().StretchDraw(TRect(x, y, advance(x, w), advance(y, h)), picture);
  x = advance(x, w);
  y = advance(y, h);
}

void TPictureOutputs::PrintIt(double ScaleF, bool BlkWhite, bool IncludeFrame) {
  TPrinter& printer = Printer();
  printer.BeginDoc();
  int x = printer.PixelsPerInch() / 2, y = x;  // half an inch from the page's corner
  CopyToOpenPrinter(x, y, ScaleF, BlkWhite, IncludeFrame);
  printer.EndDoc();
}

}  // namespace kiv
