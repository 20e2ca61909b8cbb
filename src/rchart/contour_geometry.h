// Geometry of the contour plot's grid rendering: tile points mapped to pixels (directly or from
// tables of the tile edges made once per rendering) and the pivot values as tiles read them.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "rchart/contour_tiles.h"
#include "rchart/customrchart.h"
#include "rchart/item_renderer.h"

namespace kiv::contour {

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

}  // namespace kiv::contour
