// The contour plot's mask overlays: cells of masked pivots painted on three layers of the
// picture's size and combined with it by three whole-bitmap raster operations.
#pragma once

#include <functional>
#include <vector>

#include "platform/bitmap.h"
#include "rchart/contour_geometry.h"
#include "services/colorarray.h"

namespace kiv::contour {

// Mask 2..254 covers the pivot's tile with Palette entry `mask` (the picture cleared there by
// AND with a black cell, the colour added by OR), mask 255 inverts it (XOR with white). Tiles
// are drawn from their unlimited edge pixels (cols and rows, control pixels shifted by shiftX,
// shiftY onto the bitmap), one more pixel to the right and below; a tile on one pixel sets it.
// progress(ix) runs before each column and stops the drawing when it returns false. Nothing is
// combined when no mask is above 1.
void DrawMaskLayers(TBitmap& Bmp, const TGridView& grid, const std::vector<TSideTable>& cols,
                    const std::vector<TSideTable>& rows, int shiftX, int shiftY,
                    const TColorArray& Palette, const std::function<bool(int)>& progress);

}  // namespace kiv::contour
