// The outputs a component offers for its picture: bitmap and image files, SVG documents built
// on the recording canvas, the clipboard, the printer, and grey-level black-and-white copies.
#pragma once

#include <functional>
#include <string>

#include "platform/bitmap.h"
#include "platform/canvas.h"

namespace kiv {

// Draws the whole picture onto a canvas whose top-left corner is the picture's.
using TPictureDrawer = std::function<void(TCanvas& Canvas)>;

// The picture in a new Width x Height bitmap.
TBitmap PictureBitmap(int Width, int Height, const TPictureDrawer& Draw);
// The picture recorded as vector shapes, as an SVG document.
std::string PictureSvg(int Width, int Height, const TPictureDrawer& Draw);
// Writes text to a file; raises EPlatformError "cannot write " + FName when it cannot.
void WriteTextFile(const std::string& FName, const std::string& Text);

// Every pixel replaced by its grey level (0.299 R + 0.587 G + 0.114 B), so that a coloured
// picture prints as shades on a monochrome device.
void MakeGrey(TBitmap& Bitmap);

// Puts the picture on the open document of Printer() at (x, y), magnified ScaleF times by
// nearest pixel (ScaleF <= 0 or not finite: its screen size at the printer's resolution), and
// advances x and y past it. Nothing without an open document.
void PrintPicture(const TBitmap& Picture, int& x, int& y, double ScaleF);
// One document with the picture half an inch from the page's corner.
void PrintPictureDocument(const TBitmap& Picture, double ScaleF);

}  // namespace kiv
