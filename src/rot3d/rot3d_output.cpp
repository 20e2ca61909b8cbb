// TRot3D: the picture outputs (bitmaps, files, SVG, clipboard, printer).
#include "platform/clipboard.h"
#include "rot3d/rot3d.h"
#include "services/picture_output.h"

namespace kiv::rot3d {

TBitmap TRot3D::PictureBitmap(bool IncludeFrame, bool BlkWhite) {
  return kiv::PictureBitmap(Width(), Height(),
                            [&](TCanvas& c) { DrawPicture(c, BlkWhite, IncludeFrame); });
}

void TRot3D::CopyToBMP(const std::string& FName, bool IncludeFrame) {
  PictureBitmap(IncludeFrame).SaveToFile(FName);
}

std::string TRot3D::ToSvg(bool IncludeFrame) {
  return PictureSvg(Width(), Height(), [&](TCanvas& c) { DrawPicture(c, false, IncludeFrame); });
}

void TRot3D::CopyToWMF(const std::string& FName, bool IncludeFrame) {
  WriteTextFile(FName, ToSvg(IncludeFrame));
}

void TRot3D::CopyToClipboard(bool IncludeFrame) {
  Clipboard().Assign(PictureBitmap(IncludeFrame));
}

void TRot3D::CopyToClipboardWMF(bool IncludeFrame) {
  Clipboard().SetSvg(ToSvg(IncludeFrame));
}

void TRot3D::PrintIt(double ScaleF, bool BlkWhite, bool IncludeFrame) {
  PrintPictureDocument(PictureBitmap(IncludeFrame, BlkWhite), ScaleF);
}

void TRot3D::CopyToOpenPrinter(int& x, int& y, double ScaleF, bool BlkWhite, bool IncludeFrame) {
  PrintPicture(PictureBitmap(IncludeFrame, BlkWhite), x, y, ScaleF);
}

}  // namespace kiv::rot3d
