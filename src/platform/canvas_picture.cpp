// Drawing a recorded picture on any canvas: the raster fallback every device inherits.
#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/metafile.h"

namespace kiv {

void TCanvas::StretchDraw(const TRect& dest, const TMetafile& picture) {
  if (picture.Width() <= 0 || picture.Height() <= 0 || dest.Normalized().IsEmpty()) return;
  DoStretchPicture(dest, picture);
  Touch();
}

void TCanvas::DoStretchPicture(const TRect& dest, const TMetafile& picture) {
  TBitmap pixels(picture.Width(), picture.Height());
  picture.Replay(pixels.Canvas());
  DoStretch(dest, pixels, TRect(0, 0, pixels.Width(), pixels.Height()));
}

}  // namespace kiv
