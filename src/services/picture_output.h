// The outputs a component offers for its picture: bitmaps and image files, SVG documents built
// on the recording canvas, the clipboard and the printer, with or without the frame.
#pragma once

#include <string>

#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/types.h"

namespace kiv {

// Every pixel replaced by its grey level (0.299 R + 0.587 G + 0.114 B), so that a coloured
// picture prints as shades on a monochrome device.
void MakeGrey(TBitmap& Bitmap);

// A component that can draw its whole picture onto any canvas gets its outputs from here.
// Bitmap files are PNG when the name ends in ".png", else BMP; the "metafile" is an SVG
// document of vector shapes. Printing puts the bitmap picture on Printer() magnified ScaleF
// times by nearest pixel (ScaleF <= 0: its size on screen at the printer's resolution);
// CopyToOpenPrinter places it at (x, y) of an open document and advances x and y past it.
// File errors raise EPlatformError.
class TPictureOutputs {
 public:
  virtual ~TPictureOutputs() = default;

  TBitmap PictureBitmap(bool IncludeFrame, bool BlkWhite = false);
  void CopyToBMP(const std::string& FName, bool IncludeFrame);
  std::string ToSvg(bool IncludeFrame);
  void CopyToWMF(const std::string& FName, bool IncludeFrame);
  void CopyToClipboard(bool IncludeFrame);
  void CopyToClipboardWMF(bool IncludeFrame);
  void PrintIt(double ScaleF, bool BlkWhite, bool IncludeFrame);
  void CopyToOpenPrinter(int& x, int& y, double ScaleF, bool BlkWhite, bool IncludeFrame);

 protected:
  virtual TSize PictureSize() const = 0;
  // The whole picture, background first, onto a canvas whose top-left corner is the picture's.
  virtual void DrawPicture(TCanvas& Canvas, bool BlkWhite, bool IncludeFrame) = 0;
};

}  // namespace kiv
