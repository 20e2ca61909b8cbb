// The contour plot's tile rasterisers: isoline dots and colour-surface cells of one tile of the
// pivot grid, written either straight into 32-bit pixel rows or through a canvas.
#pragma once

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdlib>

#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "rchart/contour_levels.h"

namespace kiv::contour {

// A tile spans x0..x0 + dx and y0..y0 + dy in world units. A map turns its points into control
// pixels; the rasterisers ask only for these points, so a map may look them up in tables:
//   SubX(i, n)  the pixel of x0 + dx * i / n        SubX1(i, n)  of (x0 + dx * i / n) + dx / n
//   X(x)        the pixel of any x                  and the same for y.
// TTileGeom holds the world values and computes the points; maps wrap it.
struct TTileGeom {
  double x0, y0, dx, dy;
  double SubXw(int i, int n) const { return x0 + dx * i / n; }
  double SubX1w(int i, int n) const { return x0 + dx * i / n + dx / n; }
  double SubYw(int i, int n) const { return y0 + dy * i / n; }
  double SubY1w(int i, int n) const { return y0 + dy * i / n + dy / n; }
};

// Pixel rows of a 32-bit bitmap: row y at row0 + y * pitch. A control pixel p lands on target
// pixel p + shift; points are first limited to the target (the limits of the direct-pixel form).
struct TRowTarget {
  TRGB32* row0 = nullptr;
  int pitch = 0;
  int width = 0;  // |pitch|
  int height = 0;
  int shiftX = 0;  // XOffs - MarginLeft
  int shiftY = 0;  // YOffs - MarginTop

  int LimX(int px) const { return std::clamp(px, -shiftX, -shiftX + width - 1); }
  int LimY(int py) const { return std::clamp(py, -shiftY, -shiftY + height - 1); }
  TRGB32* Row(int ty) const { return row0 + static_cast<std::ptrdiff_t>(ty) * pitch; }
  void Dot(int px, int py, TRGB32 c) const { Row(LimY(py) + shiftY)[LimX(px) + shiftX] = c; }
  // Columns x1..x2 and rows y2..y1 of limited control pixels; nothing when a range is empty.
  void Cell(int x1, int y1, int x2, int y2, TRGB32 c) const {
    if (x1 > x2 || y2 > y1) return;
    for (int y = y2; y <= y1; ++y) {
      TRGB32* r = Row(y + shiftY);
      std::fill(r + x1 + shiftX, r + x2 + shiftX + 1, c);
    }
  }
};

// A canvas: pixels and rectangles in canvas coordinates, nothing limited.
struct TCanvasTarget {
  TCanvas* canvas = nullptr;
  int shiftX = 0;
  int shiftY = 0;

  int LimX(int px) const { return px; }
  int LimY(int py) const { return py; }
  void Dot(int px, int py, TColor c) const { canvas->SetPixels(px + shiftX, py + shiftY, c); }
  // Both corners included in either order; a single pixel when they coincide.
  void Cell(int x1, int y1, int x2, int y2, TColor c) const {
    if (x1 == x2 && y1 == y2) {
      canvas->SetPixels(x1 + shiftX, y1 + shiftY, c);
      return;
    }
    canvas->Pen().SetColor(c);
    canvas->Brush().SetColor(c);
    canvas->Rectangle(std::min(x1, x2) + shiftX, std::min(y1, y2) + shiftY,
                      std::max(x1, x2) + 1 + shiftX, std::max(y1, y2) + 1 + shiftY);
  }
};

// Isoline dots of a tile with corner values z00 (x0, y0), z10 (x0 + dx, y0), z01 (x0, y0 + dy),
// z11: on nx vertical scan lines (left edge included, right edge not) and ny + 1 horizontal ones
// (both edges), one dot where a level lies strictly between the line's end values, at the
// linearly interpolated place. colorOf(k) gives the dot colour of level k.
template <class Target, class Map, class ColorOf>
void IsolineTile(const Target& t, const Map& m, const TContourLevels& lv, double z00, double z10,
                 double z01, double z11, int nx, int ny, const ColorOf& colorOf) {
  const TTileGeom& g = m.Geom();
  // Scan lines interpolate the corners (up to rounding), so no level below the lowest corner
  // can lie above a line's low end: the search for each line starts there.
  const double lowest = std::min(std::min(z00, z10), std::min(z01, z11));
  const double highest = std::max(std::max(z00, z10), std::max(z01, z11));
  const double slack = 32 * DBL_EPSILON * std::max(std::fabs(lowest), std::fabs(highest));
  const int first = std::isfinite(lowest + highest) ? lv.FirstAbove(lowest - slack) : 1;
  auto levels = [&](double lo, double hi, auto dot) {
    for (int k = first; k <= lv.Count; ++k) {
      const double L = lv.Value(k);
      if (!(L < hi)) break;
      if (L > lo) dot(k, L);
    }
  };
  for (int r = 0; r < nx; ++r) {
    const double zb = z00 + (z10 - z00) * r / nx;
    const double zt = z01 + (z11 - z01) * r / nx;
    const double lo = std::min(zb, zt), hi = std::max(zb, zt);
    if (!(lo < hi)) continue;
    const int px = m.SubX(r, nx);
    levels(lo, hi, [&](int k, double L) {
      t.Dot(px, m.Y(g.y0 + g.dy * (L - zb) / (zt - zb)), colorOf(k));
    });
  }
  for (int r = 0; r <= ny; ++r) {
    const double zl = z00 + (z01 - z00) * r / ny;
    const double zr = z10 + (z11 - z10) * r / ny;
    const double lo = std::min(zl, zr), hi = std::max(zl, zr);
    if (!(lo < hi)) continue;
    const int py = m.SubY(r, ny);
    levels(lo, hi, [&](int k, double L) {
      t.Dot(m.X(g.x0 + g.dx * (L - zl) / (zr - zl)), py, colorOf(k));
    });
  }
}

// Colour surface of a tile: one cell of the corner colour when the four corners agree, else
// min(nx, tile width) x min(ny, tile height) sub-cells, each in the colour of the bilinear value
// at its lower-left corner. colorOf(z) gives the colour, indexOf(z) the index it is chosen by.
template <class Target, class Map, class IndexOf, class ColorOf>
void SurfaceTile(const Target& t, const Map& m, double z00, double z10, double z01, double z11,
                 int nx, int ny, const IndexOf& indexOf, const ColorOf& colorOf) {
  const int px1 = t.LimX(m.SubX(0, 1)), px2 = t.LimX(m.SubX1(0, 1));
  const int py1 = t.LimY(m.SubY(0, 1)), py2 = t.LimY(m.SubY1(0, 1));
  const int c00 = indexOf(z00);
  if (c00 == indexOf(z10) && c00 == indexOf(z01) && c00 == indexOf(z11)) {
    t.Cell(px1, py1, px2, py2, colorOf(c00));
    return;
  }
  nx = std::max(1, std::min(nx, std::abs(px2 - px1)));
  ny = std::max(1, std::min(ny, std::abs(py2 - py1)));
  for (int i = 0; i < nx; ++i) {
    const double zb = z00 + (z10 - z00) * i / nx;
    const double zt = z01 + (z11 - z01) * i / nx;
    const int x1 = t.LimX(m.SubX(i, nx)), x2 = t.LimX(m.SubX1(i, nx));
    for (int j = 0; j < ny; ++j) {
      const double z = zb + (zt - zb) * j / ny;
      t.Cell(x1, t.LimY(m.SubY(j, ny)), x2, t.LimY(m.SubY1(j, ny)), colorOf(indexOf(z)));
    }
  }
}

}  // namespace kiv::contour
