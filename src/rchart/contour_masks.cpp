#include "rchart/contour_masks.h"

#include <algorithm>

#include "platform/canvas.h"

namespace kiv::contour {

namespace {

constexpr long long kCoordLimit = 30000;

int Clamped(long long v) {
  return static_cast<int>(std::clamp(v, -kCoordLimit, kCoordLimit));
}

void Mark(TBitmap& b, int x1, int y1, int x2, int y2, TColor c) {
  TCanvas& cv = b.Canvas();
  if (x1 == x2 && y1 == y2) {
    cv.SetPixels(x1, y1, c);
    return;
  }
  cv.Pen().SetColor(c);
  cv.Brush().SetColor(c);
  cv.Brush().SetStyle(bsSolid);
  cv.Rectangle(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2) + 1, std::max(y1, y2) + 1);
}

}  // namespace

void DrawMaskLayers(TBitmap& Bmp, const TGridView& grid, const std::vector<TSideTable>& cols,
                    const std::vector<TSideTable>& rows, int shiftX, int shiftY,
                    const TColorArray& Palette, const std::function<bool(int)>& progress) {
  const int N = grid.N, M = grid.M;
  const std::size_t cells = static_cast<std::size_t>(N) * static_cast<std::size_t>(M);
  if (std::none_of(grid.mask, grid.mask + cells, [](std::uint8_t k) { return k > 1; })) {
    for (int ix = 1; ix <= N; ++ix)
      if (!progress(ix)) return;
    return;
  }
  const int W = Bmp.Width(), H = Bmp.Height();
  TBitmap clearing(W, H), colours(W, H), inversion(W, H);  // fresh bitmaps are white
  for (TBitmap* b : {&colours, &inversion}) {
    b->Canvas().Brush().SetColor(clBlack);
    b->Canvas().FillRect(TRect(0, 0, W, H));
  }
  for (int ix = 1; ix <= N; ++ix) {
    if (!progress(ix)) return;
    const TSideTable& col = cols[static_cast<std::size_t>(ix - 1)];
    for (int iy = 1; iy <= M; ++iy) {
      const std::uint8_t k = grid.mask[grid.At(ix, iy)];
      if (k <= 1) continue;
      const TSideTable& row = rows[static_cast<std::size_t>(iy - 1)];
      const int x1 = Clamped(static_cast<long long>(col.tile0) + shiftX);
      const int x2 = Clamped(static_cast<long long>(col.tile1) + shiftX);
      const int y1 = Clamped(static_cast<long long>(row.tile0) + shiftY);
      const int y2 = Clamped(static_cast<long long>(row.tile1) + shiftY);
      if (k == 255) {
        Mark(inversion, x1, y1, x2, y2, clWhite);
      } else {
        Mark(clearing, x1, y1, x2, y2, clBlack);
        Mark(colours, x1, y1, x2, y2, Palette.GetColorElem(k));
      }
    }
  }
  TCanvas& out = Bmp.Canvas();
  const TCopyMode saved = out.CopyMode();
  out.SetCopyMode(cmSrcAnd);
  out.Draw(0, 0, clearing);
  out.SetCopyMode(cmSrcPaint);
  out.Draw(0, 0, colours);
  out.SetCopyMode(cmSrcInvert);
  out.Draw(0, 0, inversion);
  out.SetCopyMode(saved);
}

}  // namespace kiv::contour
