// TContourPlot's rendering of the pivot grid: the tiles of every pivot (isoline dots, colour
// surface or flat cells) written into the bitmap's rows, then the mask overlays combined by
// three whole-bitmap raster operations; and the single-tile forms for descendants.
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <vector>

#include "rchart/contour_bands.h"
#include "rchart/contour_geometry.h"
#include "rchart/contour_masks.h"
#include "rchart/contourplot.h"
#include "services/rounding.h"

namespace kiv {

namespace {

using contour::TCanvasTarget;
using contour::TDirectMap;
using contour::TGridView;
using contour::TRowTarget;
using contour::TSideTable;
using contour::TTableMap;
using contour::TTileGeom;

constexpr int kCoordLimit = 30000;

// False only when no level can lie strictly between the values of any scan line of the tile:
// scan lines interpolate the corners, up to a few units in the last place.
bool TileMayCrossLevel(const TContourLevels& lv, double a, double b, double c, double d) {
  const double lo = std::min(std::min(a, b), std::min(c, d));
  const double hi = std::max(std::max(a, b), std::max(c, d));
  if (!(std::isfinite(lo) && std::isfinite(hi))) return true;
  return lv.MayLieBetween(lo, hi, 32 * DBL_EPSILON * std::max(std::fabs(lo), std::fabs(hi)));
}

TRowTarget RowTarget(TRGB32* rows, int pitch, int height, int shiftX, int shiftY) {
  TRowTarget t;
  t.row0 = rows;
  t.pitch = pitch;
  t.width = std::abs(pitch);
  t.height = height;
  t.shiftX = shiftX;
  t.shiftY = shiftY;
  return t;
}

// A canvas target for control pixels that may be far outside: clamped where the rasteriser
// stays exact, so the shift cannot overflow.
struct TClampedCanvasTarget : TCanvasTarget {
  static int C(int v) { return std::clamp(v, -kCoordLimit, kCoordLimit); }
  void Dot(int px, int py, TColor c) const { TCanvasTarget::Dot(C(px), C(py), c); }
  void Cell(int x1, int y1, int x2, int y2, TColor c) const {
    TCanvasTarget::Cell(C(x1), C(y1), C(x2), C(y2), c);
  }
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// Single tiles

void TContourPlot::IsoQuadSL(TRGB32* rows, int pitch, int height, int XOffs, int YOffs, double x0,
                             double y0, double dx, double dy, double z00, double z10, double z01,
                             double z11, int nx, int ny) {
  if (rows == nullptr || pitch == 0 || height <= 0 || nx < 1 || ny < 1) return;
  const TRowTarget t = RowTarget(rows, pitch, height, XOffs - RcLRim, YOffs - RcTRim);
  const TDirectMap m(this, {x0, y0, dx, dy}, Scale1X().Logarithmic(), Scale1Y().Logarithmic());
  const TContourLevels lv(FIsoLow, FIsoHigh, FIsoDist);
  const TContourColorRule rule{FIsoLow, FIsoHigh, IsoColors.Size()};
  const TContourPalette pal(IsoColors);
  const TRGB32 mono = pal.Pixel(std::min(1, pal.NC()));
  contour::IsolineTile(t, m, lv, z00, z10, z01, z11, nx, ny, [&](int k) {
    return FPlotMode == cpmMonoDots ? mono : pal.Pixel(rule.LevelIndex(lv.Value(k)));
  });
}

void TContourPlot::IsoColQuadSL(TRGB32* rows, int pitch, int height, int XOffs, int YOffs,
                                double x0, double y0, double dx, double dy, double z00, double z10,
                                double z01, double z11, int nx, int ny) {
  if (rows == nullptr || pitch == 0 || height <= 0 || nx < 1 || ny < 1) return;
  const TRowTarget t = RowTarget(rows, pitch, height, XOffs - RcLRim, YOffs - RcTRim);
  const TDirectMap m(this, {x0, y0, dx, dy}, Scale1X().Logarithmic(), Scale1Y().Logarithmic());
  const TContourColorRule rule{FIsoLow, FIsoHigh, IsoColors.Size()};
  const TContourPalette pal(IsoColors);
  contour::SurfaceTile(
      t, m, z00, z10, z01, z11, nx, ny, [&](double z) { return rule.SurfaceIndex(z); },
      [&](int i) { return pal.Pixel(i); });
}

void TContourPlot::IsoQuad(TCanvas& Canvas, int XOffs, int YOffs, double x0, double y0, double dx,
                           double dy, double z00, double z10, double z01, double z11, int nx,
                           int ny) {
  if (nx < 1 || ny < 1) return;
  TClampedCanvasTarget t;
  t.canvas = &Canvas;
  t.shiftX = XOffs - RcLRim;
  t.shiftY = YOffs - RcTRim;
  const TDirectMap m(this, {x0, y0, dx, dy}, Scale1X().Logarithmic(), Scale1Y().Logarithmic());
  const TContourLevels lv(FIsoLow, FIsoHigh, FIsoDist);
  const TContourColorRule rule{FIsoLow, FIsoHigh, IsoColors.Size()};
  contour::IsolineTile(t, m, lv, z00, z10, z01, z11, nx, ny, [&](int k) {
    const int i = FPlotMode == cpmMonoDots ? 1 : rule.LevelIndex(lv.Value(k));
    return IsoColors.GetColorElem(std::max(i, 1));
  });
}

void TContourPlot::IsoColQuad(TCanvas& Canvas, int XOffs, int YOffs, double x0, double y0,
                              double dx, double dy, double z00, double z10, double z01, double z11,
                              int nx, int ny) {
  if (nx < 1 || ny < 1) return;
  TClampedCanvasTarget t;
  t.canvas = &Canvas;
  t.shiftX = XOffs - RcLRim;
  t.shiftY = YOffs - RcTRim;
  const TDirectMap m(this, {x0, y0, dx, dy}, Scale1X().Logarithmic(), Scale1Y().Logarithmic());
  const TContourColorRule rule{FIsoLow, FIsoHigh, IsoColors.Size()};
  const TBrushStyle brush = Canvas.Brush().Style();
  Canvas.Brush().SetStyle(bsSolid);
  Canvas.Pen().SetStyle(psSolid);
  contour::SurfaceTile(
      t, m, z00, z10, z01, z11, nx, ny, [&](double z) { return rule.SurfaceIndex(z); },
      [&](int i) { return IsoColors.GetColorElem(std::max(i, 1)); });
  Canvas.Brush().SetStyle(brush);
}

// ---------------------------------------------------------------------------------------------
// The whole grid

void TContourPlot::RenderFromPivotPoints(TBitmap& Bmp, int XOffs, int YOffs) {
  const int N = FNumPivotsX, M = FNumPivotsY;
  const int W = Bmp.Width(), H = Bmp.Height();
  const bool draw = W > 0 && H > 0 && FPivotMat.NrOfColumns() == N && FPivotMat.NrOfRows() == M;
  const int step = std::max(1, N / 100);
  const std::uint64_t generation = FGridGeneration;
  // Progress reports run application code, which may replace the grid or resize the bitmap
  // (a repaint, a new size): the walk then stops, the rows it would write are gone.
  const TPixel* const pixels = Bmp.Bits();
  auto progress = [&](int ix, int base) {
    if (ix % step == 0) FeedbackProgress(RoundToInt(ix * 15.0 / N) + base);
    return generation == FGridGeneration && Bmp.Bits() == pixels && Bmp.Width() == W &&
           Bmp.Height() == H;
  };
  if (!draw) {
    for (int pass = 70; pass <= 85; pass += 15)
      for (int ix = 1; ix <= N; ++ix)
        if (!progress(ix, pass)) return;
    return;
  }

  const double xLo = Scale1X().RangeLow(), xHi = Scale1X().RangeHigh();
  const double yLo = Scale1Y().RangeLow(), yHi = Scale1Y().RangeHigh();
  const double dx = (xHi - xLo) / (N - 1), dy = (yHi - yLo) / (M - 1);
  const int s = SubSteps();
  const TRowTarget target = RowTarget(Bmp.ScanLineRGB(0), W, H, XOffs - RcLRim, YOffs - RcTRim);
  const TContourLevels lv(FIsoLow, FIsoHigh, FIsoDist);
  const TContourColorRule rule{FIsoLow, FIsoHigh, IsoColors.Size()};
  const TContourPalette pal(IsoColors);
  std::vector<TRGB32> levelPixels(static_cast<std::size_t>(lv.Count) + 1);
  const TRGB32 mono = pal.Pixel(std::min(1, pal.NC()));
  for (int k = 1; k <= lv.Count; ++k)
    levelPixels[static_cast<std::size_t>(k)] =
        FPlotMode == cpmMonoDots ? mono : pal.Pixel(rule.LevelIndex(lv.Value(k)));
  const bool dots = FPlotMode == cpmDots || FPlotMode == cpmMonoDots;
  const bool surface = FPlotMode == cpmColorSurface;

  TTableMap map(TDirectMap(this, {}, Scale1X().Logarithmic(), Scale1Y().Logarithmic()));
  auto mapX = [&](double x) { return map.direct.X(x); };
  auto mapY = [&](double y) { return map.direct.Y(y); };
  // Sub-step counts per side: s for dots, the tile's pixel extent (at most s) for surfaces.
  auto limit = [&](TSideTable& t, bool alongX) {
    t.lim0 = alongX ? target.LimX(t.tile0) : target.LimY(t.tile0);
    t.lim1 = alongX ? target.LimX(t.tile1) : target.LimY(t.tile1);
  };
  auto sideSteps = [&](const TSideTable& t) {
    return surface ? std::max(1, std::min(s, std::abs(t.lim1 - t.lim0))) : s;
  };
  std::vector<TSideTable> rows(static_cast<std::size_t>(M));
  std::vector<int> rowStore;
  for (int iy = 1; iy <= M; ++iy) {
    TSideTable& r = rows[static_cast<std::size_t>(iy - 1)];
    const double y0 = PivotCoord(yLo, yHi, iy, M) - dy / 2;
    FillEnds(r, y0, dy, mapY);
    limit(r, false);
    if (dots || surface) FillSubs(r, rowStore, sideSteps(r), y0, dy, mapY);
  }
  map.rowStore = rowStore.data();
  std::vector<TSideTable> cols(static_cast<std::size_t>(N));
  for (int ix = 1; ix <= N; ++ix) {
    TSideTable& c = cols[static_cast<std::size_t>(ix - 1)];
    FillEnds(c, PivotCoord(xLo, xHi, ix, N) - dx / 2, dx, mapX);
    limit(c, true);
  }
  std::vector<int> colStore;

  const TGridView grid{FPivotMat.Data(), FMaskMat.Data(), N, M};
  const std::size_t cells = static_cast<std::size_t>(N) * static_cast<std::size_t>(M);
  const bool unmasked =
      std::all_of(grid.mask, grid.mask + cells, [](std::uint8_t k) { return k == 0; });
  // Values whose corner means stay finite: then a tile of at most one pixel each way shows the
  // colour of its lower-left corner alone (its one sub-cell is sampled there), filling its
  // whole rectangle.
  const bool tame = surface && std::all_of(grid.z, grid.z + cells,
                                           [](double v) { return std::fabs(v) <= 1e300; });
  auto thin = [&](const TSideTable& t) { return std::abs(t.lim1 - t.lim0) <= 1; };
  auto drawn = [](std::uint8_t k) { return k == 0 || k == 255; };
  // Such tiles that a later tile covers entirely need not be drawn: the next one up in the
  // same column, or the whole next column when all its tiles are drawn.
  const bool skipping = surface && tame;
  const bool allRowsThin = std::all_of(rows.begin(), rows.end(), thin);
  std::vector<char> rowCovered(static_cast<std::size_t>(M), 0);
  for (int iy = 1; iy < M; ++iy) {
    const TSideTable &a = rows[static_cast<std::size_t>(iy - 1)],
                     &b = rows[static_cast<std::size_t>(iy)];
    rowCovered[static_cast<std::size_t>(iy - 1)] = thin(b) && b.lim1 <= a.lim1 && b.lim0 >= a.lim0;
  }
  auto columnCovered = [&](int ix) {
    if (!skipping || !allRowsThin || ix >= N) return false;
    const TSideTable &a = cols[static_cast<std::size_t>(ix - 1)],
                     &b = cols[static_cast<std::size_t>(ix)];
    if (!thin(b) || b.lim0 > a.lim0 || b.lim1 < a.lim1) return false;
    const std::uint8_t* m = grid.mask + grid.At(ix + 1, 1);
    return unmasked || std::all_of(m, m + M, drawn);
  };
  // Isolines: tiles whose 3 x 3 neighbourhood lies between two adjacent levels are skipped.
  contour::TLevelBands bands;
  const bool banded = dots && bands.Build(grid, lv);
  auto surfIndex = [&](double z) { return rule.SurfaceIndex(z); };
  auto surfPixel = [&](int i) { return pal.Pixel(i); };
  auto levelPixel = [&](int k) { return levelPixels[static_cast<std::size_t>(k)]; };

  // Pass 1: the tiles of the points with mask 0 or 255.
  for (int ix = 1; ix <= N; ++ix) {
    if (!progress(ix, 70)) return;
    if (columnCovered(ix)) continue;
    TSideTable& col = cols[static_cast<std::size_t>(ix - 1)];
    colStore.clear();
    if (dots || surface) FillSubs(col, colStore, sideSteps(col), col.w0, dx, mapX);
    map.col = &col;
    map.colStore = colStore.data();
    map.direct.g.x0 = col.w0;
    map.direct.g.dx = dx;
    map.direct.g.dy = dy;
    const bool thinColumn = skipping && col.n == 1;
    if (banded) bands.Column(ix);
    for (int iy = 1; iy <= M; ++iy) {
      const std::size_t at = grid.At(ix, iy);
      if (!drawn(grid.mask[at])) continue;
      const TSideTable& row = rows[static_cast<std::size_t>(iy - 1)];
      if (thinColumn && row.n == 1) {
        if (rowCovered[static_cast<std::size_t>(iy - 1)] && drawn(grid.mask[at + 1])) continue;
        const int c = rule.SurfaceIndex(grid.Corner00(ix, iy, unmasked));
        target.Cell(col.lim0, row.lim0, col.lim1, row.lim1, pal.Pixel(c));
        continue;
      }
      if (!dots && !surface) {
        const int idx = rule.CellIndex(grid.z[at]);
        if (idx == 0 && FPlotMode == cpmColorSurfNoIpTransp) continue;
        target.Cell(std::min(col.lim0, col.lim1), std::max(row.lim0, row.lim1),
                    std::max(col.lim0, col.lim1), std::min(row.lim0, row.lim1), pal.Pixel(idx));
        continue;
      }
      if (banded && bands.OneBand(iy)) continue;
      double z00, z10, z01, z11;
      grid.Corners(ix, iy, unmasked, z00, z10, z01, z11);
      map.row = &row;
      map.direct.g.y0 = row.w0;
      if (surface) {
        contour::SurfaceTile(target, map, z00, z10, z01, z11, s, s, surfIndex, surfPixel);
      } else if (TileMayCrossLevel(lv, z00, z10, z01, z11)) {
        contour::IsolineTile(target, map, lv, z00, z10, z01, z11, s, s, levelPixel);
      }
    }
  }
  Bmp.Canvas().NotifyPixelsWritten();

  // Pass 2: the mask overlays.
  contour::DrawMaskLayers(Bmp, grid, cols, rows, target.shiftX, target.shiftY, MaskPalette,
                          [&](int ix) { return progress(ix, 85); });
}

}  // namespace kiv
