// The outputs of a component's picture.
#include "services/picture_output.h"

#include <cmath>
#include <fstream>

#include "platform/errors.h"
#include "platform/metafile.h"
#include "platform/printer.h"
#include "services/rounding.h"

namespace kiv {

TBitmap PictureBitmap(int Width, int Height, const TPictureDrawer& Draw) {
  TBitmap bmp(Width, Height);
  bmp.SetPixelFormat(pf32bit);
  Draw(bmp.Canvas());
  return bmp;
}

std::string PictureSvg(int Width, int Height, const TPictureDrawer& Draw) {
  TMetafile picture(Width, Height);
  {
    TMetafileCanvas canvas(picture);
    Draw(canvas);
  }
  return picture.ToSvg();
}

void WriteTextFile(const std::string& FName, const std::string& Text) {
  std::ofstream out(FName, std::ios::binary | std::ios::trunc);
  if (out) out.write(Text.data(), static_cast<std::streamsize>(Text.size()));
  out.close();
  if (!out) throw EPlatformError("cannot write " + FName);
}

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

void PrintPicture(const TBitmap& Picture, int& x, int& y, double ScaleF) {
  TPrinter& printer = Printer();
  if (!printer.Printing()) return;
  // Magnifications beyond a thousand make no page and would overflow the coordinates.
  const double f = ScaleF > 0 && std::isfinite(ScaleF) ? std::fmin(ScaleF, 1000)
                                                       : printer.PixelsPerInch() / 96.0;
  const int w = RoundToInt(Picture.Width() * f), h = RoundToInt(Picture.Height() * f);
  auto advance = [](int from, int by) {
    return static_cast<int>(std::fmin(static_cast<double>(from) + by, 2147483647.0));
  };
  printer.Canvas().SetCopyMode(cmSrcCopy);
  printer.Canvas().StretchDraw(TRect(x, y, advance(x, w), advance(y, h)), Picture);
  x = advance(x, w);
  y = advance(y, h);
}

void PrintPictureDocument(const TBitmap& Picture, double ScaleF) {
  TPrinter& printer = Printer();
  printer.BeginDoc();
  int x = printer.PixelsPerInch() / 2, y = x;
  PrintPicture(Picture, x, y, ScaleF);
  printer.EndDoc();
}

}  // namespace kiv
