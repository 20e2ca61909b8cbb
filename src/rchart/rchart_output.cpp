// Output of the chart's picture: bitmaps (whole control or data area, in colour or black and
// white, with or without crosshairs), image files, SVG documents composed on a recording
// canvas, the clipboard and the printer.
#include <algorithm>
#include <climits>
#include <cmath>

#include "platform/atomicfile.h"
#include "platform/box_filter.h"
#include "platform/clipboard.h"
#include "platform/errors.h"
#include "platform/metafile.h"
#include "platform/printer.h"
#include "platform/scaled_canvas.h"
#include "rchart/customrchart.h"
#include "rchart/paintscope.h"
#include "services/rounding.h"

namespace kiv {

void TCustomRChart::CopyToBitmap(TBitmap& ABitmap, bool BlkWhite, bool IncludeCrossHairs) {
  TMonochromeScope mono(*this, BlkWhite);
  TBitmap data;
  ComposePicture(ABitmap, data, BlkWhite);
  if (IncludeCrossHairs) DrawCrossHairs(0, 0, ABitmap);
}

void TCustomRChart::CopyToBitmapDAOnly(TBitmap& ABitmap, bool BlkWhite, bool IncludeCrossHairs) {
  TMonochromeScope mono(*this, BlkWhite);
  TBitmap chart;
  ComposePicture(chart, ABitmap, BlkWhite);
  if (IncludeCrossHairs) DrawCrossHairs(RcLRim, RcTRim, ABitmap);
}

void TCustomRChart::CopyToBMP(const std::string& FName, bool BlkWhite) {
  TBitmap picture;
  CopyToBitmap(picture, BlkWhite);
  picture.SetPngCompressionLevel(FPngLevel);
  picture.SaveToFile(FName);
}

// Scaled pictures are composed as the screen picture is, on scaled canvases: the chart bitmap's
// parts and the data area's background, grid, labels and frame on the picture's pixels, each a
// block of Scale x Scale pixels, and the items at the larger picture's own resolution (the
// fine view RenderContainers finds on a scaled canvas). The data area is drawn in place,
// shifted by the margins and clipped to its rectangle, on a canvas of its own as it would be
// on its own bitmap.
void TCustomRChart::CopyToBitmapScaled(TBitmap& ABitmap, int Scale, bool Smooth, bool BlkWhite) {
  Scale = std::clamp(Scale, 1, 4);
  if (Scale == 1 && !Smooth) {
    CopyToBitmap(ABitmap, BlkWhite);
    return;
  }
  constexpr int kSuper = 4;  // the smooth picture is drawn four times larger and reduced
  const int s = Smooth ? kSuper * Scale : Scale;
  TMonochromeScope mono(*this, BlkWhite);
  TBitmap large(std::max(Width(), 0) * s, std::max(Height(), 0) * s);
  {
    TScaledCanvas chart(large, s);
    ConstructChartBmp(chart);
  }
  const TSize d = DataBitmapSize();
  if (d.cx > 0 && d.cy > 0) {
    TScaledCanvas data(large, s);
    data.SetClipRect(TRect(RcLRim, RcTRim, RcLRim + d.cx, RcTRim + d.cy));
    InitGraf(data, RcLRim, RcTRim, d.cx, d.cy);
    ConstructDataBmpCanvas(data, RcLRim, RcTRim, BlkWhite, 0);
  }
  if (Smooth)
    ABitmap = ReduceByBoxFilter(large, kSuper);
  else
    ABitmap = std::move(large);
}

void TCustomRChart::CopyToBMPScaled(const std::string& FName, int Scale, bool Smooth,
                                    bool BlkWhite) {
  TBitmap picture;
  CopyToBitmapScaled(picture, Scale, Smooth, BlkWhite);
  picture.SetPngCompressionLevel(FPngLevel);
  picture.SaveToFile(FName);
}

// The chart bitmap's parts are recorded directly (background, caption, axes), the data area
// on a recording of its own, which is then played into the picture at the top-left margin and
// clipped to the data area there.
void TCustomRChart::CopyToMetafile(TMetafile& Metafile, bool BlkWhite) {
  TMonochromeScope mono(*this, BlkWhite);
  Metafile.Clear();
  Metafile.SetSize(Width(), Height());
  TMetafileCanvas canvas(Metafile);
  ConstructChartBmp(canvas);
  const TSize s = DataBitmapSize();
  TMetafile data(s.cx, s.cy);
  {
    TMetafileCanvas dc(data);
    InitGraf(dc, 0, 0, s.cx, s.cy);
    ConstructDataBmpCanvas(dc, 0, 0, BlkWhite, 0);
  }
  data.Replay(canvas, RcLRim, RcTRim);
}

std::string TCustomRChart::ToSvg(bool BlkWhite) {
  TMetafile picture;
  CopyToMetafile(picture, BlkWhite);
  return picture.ToSvg();
}

void TCustomRChart::CopyToWMF(const std::string& FName, bool BlkWhite) {
  WriteFileAtomically(FName, ToSvg(BlkWhite));
}

void TCustomRChart::CopyToClipboard(bool BlkWhite, bool IncludeCrossHairs) {
  TBitmap picture;
  CopyToBitmap(picture, BlkWhite, IncludeCrossHairs);
  Clipboard().Assign(picture);
}

void TCustomRChart::CopyToClipboardDAOnly(bool BlkWhite, bool IncludeCrossHairs) {
  TBitmap picture;
  CopyToBitmapDAOnly(picture, BlkWhite, IncludeCrossHairs);
  Clipboard().Assign(picture);
}

void TCustomRChart::CopyToClipboardWMF(bool BlkWhite) {
  Clipboard().SetSvg(ToSvg(BlkWhite));
}

// The printer gets the recorded picture scaled into place: vector pages (PDF, printers) keep
// it vector, page bitmaps show the screen picture magnified by nearest pixel.
void TCustomRChart::CopyToOpenPrinter(int& x, int& y, double ScaleF, bool BlkWhite) {
  TPrinter& printer = Printer();
  if (!printer.Printing()) return;
  const double f = ScaleF > 0 && std::isfinite(ScaleF) ? ScaleF : printer.PixelsPerInch() / 96.0;
  // Sizes and corners saturate, so no scale factor or position can overflow the coordinates.
  const int w = RoundToInt(std::min(Width() * f, 1e6)), h = RoundToInt(std::min(Height() * f, 1e6));
  x = static_cast<int>(std::clamp<long long>(x, INT_MIN / 2, INT_MAX / 2));
  y = static_cast<int>(std::clamp<long long>(y, INT_MIN / 2, INT_MAX / 2));
  TMetafile picture;
  CopyToMetafile(picture, BlkWhite);
  printer.Canvas().StretchDraw(TRect(x, y, x + w, y + h), picture);
  x += w;
  y += h;
}

void TCustomRChart::PrintIt(double ScaleF, bool BlkWhite) {
  TPrinter& printer = Printer();
  printer.BeginDoc();
  int x = printer.PixelsPerInch() / 2, y = x;  // half an inch from the page's corner
  CopyToOpenPrinter(x, y, ScaleF, BlkWhite);
  printer.EndDoc();
}

}  // namespace kiv
