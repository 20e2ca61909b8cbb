// TContourPlot's rendering of the pivot grid: the tiles of every pivot (isoline dots, colour
// surface or flat cells) written into the bitmap's rows, then the mask overlays combined by
// three whole-bitmap raster operations; and the single-tile forms for descendants.
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "rchart/contour_tiles.h"
#include "rchart/contourplot.h"
#include "rchart/item_renderer.h"
#include "services/rounding.h"

namespace kiv {

namespace {

using contour::TCanvasTarget;
using contour::TRowTarget;
using contour::TTileGeom;

constexpr int kCoordLimit = 30000;

// Every point of a tile through the chart's layer-1 transformation: in double arithmetic where
// that certainly gives R2M's pixel, else through R2M.
struct TDirectMap {
  const TCustomRChart* chart = nullptr;
  itemdraw::AxisMap ax, ay;
  TTileGeom g{};
  TDirectMap(const TCustomRChart* c, const TTileGeom& geom, bool logX, bool logY)
      : chart(c), g(geom) {
    double kx = 0, dx = 0, ky = 0, dy = 0;
    c->GetTransformParams(1, kx, dx, ky, dy);
    ax = itemdraw::AxisMap(kx, dx, !logX && std::isfinite(kx) && std::isfinite(dx));
    ay = itemdraw::AxisMap(ky, dy, !logY && std::isfinite(ky) && std::isfinite(dy));
  }
  const TTileGeom& Geom() const { return g; }
  int X(double x) const {
    int px = 0, py = 0;
    if (ax.Pixel(x, px)) return px;
    chart->R2M(1, x, g.y0, px, py);
    return px;
  }
  int Y(double y) const {
    int px = 0, py = 0;
    if (ay.Pixel(y, py)) return py;
    chart->R2M(1, g.x0, y, px, py);
    return py;
  }
  int SubX(int i, int n) const { return X(g.SubXw(i, n)); }
  int SubX1(int i, int n) const { return X(g.SubX1w(i, n)); }
  int SubY(int i, int n) const { return Y(g.SubYw(i, n)); }
  int SubY1(int i, int n) const { return Y(g.SubY1w(i, n)); }
};

// The pixels of one tile side for the sub-step count n it is drawn with: sub[i] is the pixel of
// SubXw(i, n) (i = 0..n), sub1[i] that of SubX1w(i, n); tile0 and tile1 are the side's ends.
struct TSideTable {
  int tile0 = 0;
  int tile1 = 0;
  int lim0 = 0;  // tile0 and tile1 limited to the target
  int lim1 = 0;
  double w0 = 0;  // world position of the side's start
  int n = 0;
  std::size_t at = 0;  // offset of sub in the owner's store; sub1 follows at at + n + 1
};

// A side's ends and, for n > 0, its sub-steps, with the expressions the direct map evaluates.
template <class MapFn>
void FillEnds(TSideTable& s, double x0, double d, MapFn map) {
  const TTileGeom g{x0, 0, d, 0};
  s.tile0 = map(g.SubXw(0, 1));
  s.tile1 = map(g.SubX1w(0, 1));
  s.w0 = x0;
  s.n = 0;
}
template <class MapFn>
void FillSubs(TSideTable& s, std::vector<int>& store, int n, double x0, double d, MapFn map) {
  const TTileGeom g{x0, 0, d, 0};
  s.n = n;
  s.at = store.size();
  for (int i = 0; i <= n; ++i) store.push_back(map(g.SubXw(i, n)));
  for (int i = 0; i < n; ++i) store.push_back(map(g.SubX1w(i, n)));
}

// Table look-ups for the points the rasterisers ask for, the direct map for all others (the
// same pixels either way).
struct TTableMap {
  explicit TTableMap(const TDirectMap& d) : direct(d) {}
  TDirectMap direct;
  const TSideTable* col = nullptr;
  const int* colStore = nullptr;
  const TSideTable* row = nullptr;
  const int* rowStore = nullptr;
  const TTileGeom& Geom() const { return direct.g; }
  int X(double x) const { return direct.X(x); }
  int Y(double y) const { return direct.Y(y); }
  // The pixel of point i of n sub-steps (second: the far end of sub-step i) from a side's
  // table, when the table holds it.
  static bool Look(const TSideTable* t, const int* store, int i, int n, bool second, int& out) {
    if (n == 1 && i == 0) {
      out = second ? t->tile1 : t->tile0;
      return true;
    }
    if (n != t->n) return false;
    out = store[t->at + static_cast<std::size_t>(second ? n + 1 + i : i)];
    return true;
  }
  int SubX(int i, int n) const {
    int p = 0;
    return Look(col, colStore, i, n, false, p) ? p : direct.SubX(i, n);
  }
  int SubX1(int i, int n) const {
    int p = 0;
    return Look(col, colStore, i, n, true, p) ? p : direct.SubX1(i, n);
  }
  int SubY(int i, int n) const {
    int p = 0;
    return Look(row, rowStore, i, n, false, p) ? p : direct.SubY(i, n);
  }
  int SubY1(int i, int n) const {
    int p = 0;
    return Look(row, rowStore, i, n, true, p) ? p : direct.SubY1(i, n);
  }
};

// The pivot values and masks as the corner averaging reads them.
struct TGridView {
  const double* z;
  const std::uint8_t* mask;
  int N, M;
  std::size_t At(int ix, int iy) const {
    return static_cast<std::size_t>(ix - 1) * static_cast<std::size_t>(M) +
           static_cast<std::size_t>(iy - 1);
  }
  // Neighbours outside the grid do not count: the field is not pulled towards 0 at its edges.
  bool Counts(int ix, int iy) const {
    return ix >= 1 && ix <= N && iy >= 1 && iy <= M && mask[At(ix, iy)] == 0;
  }
  double Corner(double own, int ax, int ay, int bx, int by, int cx, int cy) const {
    double s = own;
    int c = 1;
    if (Counts(ax, ay)) s += z[At(ax, ay)], ++c;
    if (Counts(bx, by)) s += z[At(bx, by)], ++c;
    if (Counts(cx, cy)) s += z[At(cx, cy)], ++c;
    return s / c;
  }
  // The lower-left corner alone.
  double Corner00(int ix, int iy, bool unmasked) const {
    const std::size_t at = At(ix, iy);
    if (unmasked && ix > 1 && iy > 1) {
      const double* l = z + at - static_cast<std::size_t>(M);
      return (z[at] + l[0] + l[-1] + z[at - 1]) * 0.25;
    }
    return Corner(z[at], ix - 1, iy, ix - 1, iy - 1, ix, iy - 1);
  }
  // unmasked: no mask in the whole grid is set, so inside the border every neighbour counts.
  void Corners(int ix, int iy, bool unmasked, double& z00, double& z10, double& z01,
               double& z11) const {
    const std::size_t at = At(ix, iy);
    const double own = z[at];
    if (unmasked && ix > 1 && ix < N && iy > 1 && iy < M) {
      const std::size_t m = static_cast<std::size_t>(M);
      const double* l = z + at - m;  // column ix - 1 at row iy
      const double* r = z + at + m;
      z00 = (own + l[0] + l[-1] + z[at - 1]) * 0.25;
      z01 = (own + l[0] + l[1] + z[at + 1]) * 0.25;
      z11 = (own + z[at + 1] + r[1] + r[0]) * 0.25;
      z10 = (own + z[at - 1] + r[-1] + r[0]) * 0.25;
      return;
    }
    z00 = Corner(own, ix - 1, iy, ix - 1, iy - 1, ix, iy - 1);
    z01 = Corner(own, ix - 1, iy, ix - 1, iy + 1, ix, iy + 1);
    z11 = Corner(own, ix, iy + 1, ix + 1, iy + 1, ix + 1, iy);
    z10 = Corner(own, ix, iy - 1, ix + 1, iy - 1, ix + 1, iy);
  }
};

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
  // Progress reports run application code, which may replace the grid: the walk then stops.
  auto progress = [&](int ix, int base) {
    if (ix % step == 0) FeedbackProgress(RoundToInt(ix * 15.0 / N) + base);
    return generation == FGridGeneration;
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
  // Isolines: the band of every pivot value. A tile whose 3 x 3 neighbourhood lies in one band
  // has corners and scan lines in it too, so no level crosses it (the tolerance covers the
  // rounding of means and interpolation).
  std::vector<std::int16_t> bandLo, bandHi;
  const bool banded = dots && lv.Count > 0 && lv.IsRegular();
  if (banded) {
    double maxAbs = 0;
    for (std::size_t i = 0; i < cells; ++i)
      if (std::isfinite(grid.z[i])) maxAbs = std::max(maxAbs, std::fabs(grid.z[i]));
    const double tol = 1e-6 + 64 * DBL_EPSILON * maxAbs * lv.InvDist;
    bandLo.resize(cells);
    bandHi.resize(cells);
    for (std::size_t i = 0; i < cells; ++i) {
      int a = 0, b = 0;
      lv.Band(grid.z[i], tol, a, b);
      bandLo[i] = static_cast<std::int16_t>(a);
      bandHi[i] = static_cast<std::int16_t>(b);
    }
  }
  // Per row of the current column: whether the 3 x 3 neighbourhood lies in one band.
  std::vector<std::int16_t> rowLo(static_cast<std::size_t>(M) + 2), rowHi(rowLo.size());
  std::vector<char> oneBand(static_cast<std::size_t>(M) + 1);
  auto bandsOfColumn = [&](int ix) {
    const std::size_t m = static_cast<std::size_t>(M);
    auto column = [&](const std::vector<std::int16_t>& b, int c) {
      return b.data() + static_cast<std::size_t>(std::clamp(c, 1, N) - 1) * m;
    };
    const std::int16_t *l0 = column(bandLo, ix - 1), *l1 = column(bandLo, ix),
                       *l2 = column(bandLo, ix + 1);
    const std::int16_t *h0 = column(bandHi, ix - 1), *h1 = column(bandHi, ix),
                       *h2 = column(bandHi, ix + 1);
    std::int16_t* lo = rowLo.data() + 1;
    std::int16_t* hi = rowHi.data() + 1;
    for (std::size_t i = 0; i < m; ++i) {
      lo[i] = std::min(std::min(l0[i], l1[i]), l2[i]);
      hi[i] = std::max(std::max(h0[i], h1[i]), h2[i]);
    }
    rowLo[0] = rowLo[1];  // outside the grid: the border row again
    rowHi[0] = rowHi[1];
    rowLo[m + 1] = rowLo[m];
    rowHi[m + 1] = rowHi[m];
    for (std::size_t i = 1; i <= m; ++i)
      oneBand[i] = std::min(std::min(rowLo[i - 1], rowLo[i]), rowLo[i + 1]) ==
                   std::max(std::max(rowHi[i - 1], rowHi[i]), rowHi[i + 1]);
  };
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
    if (banded) bandsOfColumn(ix);
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
      if (banded && oneBand[static_cast<std::size_t>(iy)]) continue;
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

  // Pass 2: mask overlays. Without masks above 1 the three layers would change nothing.
  const bool overlays =
      std::any_of(grid.mask, grid.mask + cells, [](std::uint8_t k) { return k > 1; });
  if (!overlays) {
    for (int ix = 1; ix <= N; ++ix)
      if (!progress(ix, 85)) return;
    return;
  }
  TBitmap clearing(W, H), colours(W, H), inversion(W, H);  // fresh bitmaps are white
  for (TBitmap* b : {&colours, &inversion}) {
    b->Canvas().Brush().SetColor(clBlack);
    b->Canvas().FillRect(TRect(0, 0, W, H));
  }
  auto C = [](long long v) {
    return static_cast<int>(std::clamp<long long>(v, -kCoordLimit, kCoordLimit));
  };
  auto mark = [&](TBitmap& b, int x1, int y1, int x2, int y2, TColor c) {
    TCanvas& cv = b.Canvas();
    if (x1 == x2 && y1 == y2) {
      cv.SetPixels(x1, y1, c);
      return;
    }
    cv.Pen().SetColor(c);
    cv.Brush().SetColor(c);
    cv.Brush().SetStyle(bsSolid);
    cv.Rectangle(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2) + 1, std::max(y1, y2) + 1);
  };
  for (int ix = 1; ix <= N; ++ix) {
    if (!progress(ix, 85)) return;
    const TSideTable& col = cols[static_cast<std::size_t>(ix - 1)];
    for (int iy = 1; iy <= M; ++iy) {
      const std::uint8_t k = grid.mask[grid.At(ix, iy)];
      if (k <= 1) continue;
      const TSideTable& row = rows[static_cast<std::size_t>(iy - 1)];
      const int x1 = C(col.tile0 + static_cast<long long>(target.shiftX));
      const int x2 = C(col.tile1 + static_cast<long long>(target.shiftX));
      const int y1 = C(row.tile0 + static_cast<long long>(target.shiftY));
      const int y2 = C(row.tile1 + static_cast<long long>(target.shiftY));
      if (k == 255) {
        mark(inversion, x1, y1, x2, y2, clWhite);
      } else {
        mark(clearing, x1, y1, x2, y2, clBlack);
        mark(colours, x1, y1, x2, y2, MaskPalette.GetColorElem(k));
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

}  // namespace kiv
