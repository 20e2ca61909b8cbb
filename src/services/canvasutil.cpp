#include "services/canvasutil.h"

namespace kiv {

void SetCanvasFontSizeScaled(TCanvas& Canvas, int Size) {
  TFont& font = Canvas.Font();
  font.SetPixelsPerInch(Canvas.PixelsPerInch());
  if (Size >= 1) font.SetSize(Size);
}

}  // namespace kiv
