// Rendering the pivot grid: isoline dots of known fields, the fast whole-grid path against the
// single-tile forms, the canvas forms, flat cells, and the mask overlays in every mode.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>
#include <set>

#include "contour_probe.h"

namespace kiv {
namespace {

// The pixel's centre in world units.
void WorldOf(const TContourPlot& p, int x, int y, double& wx, double& wy) {
  p.M2R(x + p.MarginLeft(), y + p.MarginTop(), wx, wy);
}

TEST(ContourDots, ALinearFieldGivesStraightIsolinesAtTheLevels) {
  ProbePlot p;
  p.SetPlotMode(cpmMonoDots);
  p.IsoColors.SetSize(1);
  p.IsoColors.SetColorElem(1, clRed);
  // Shifted so that no level lies on a tile edge, where both scan lines end on it and neither
  // draws a dot.
  p.OnEstimateZVal = Field([](double x, double) { return x + 0.03; });
  const TBitmap b = p.Rendered();
  std::set<int> levelColumns;
  for (int k = 1; k <= 20; ++k) {
    int px, py;
    p.R2M(-1 + (k - 1) * 0.1 - 0.03, 0.0, px, py);
    levelColumns.insert(px - p.MarginLeft());
  }
  std::set<int> dotColumns;
  std::map<int, int> dotsPerColumn;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      if (PixelAt(b, x, y) == clRed) {
        dotColumns.insert(x);
        ++dotsPerColumn[x];
      }
  EXPECT_EQ(dotColumns, levelColumns);
  // Each isoline runs through the whole height (scan lines are denser than pixel rows).
  for (const auto& [x, n] : dotsPerColumn) EXPECT_EQ(n, b.Height()) << x;
}

TEST(ContourDots, ARadialFieldGivesCirclesInTheLevelColours) {
  ProbePlot p;
  p.SetBounds(0, 0, 330, 320);  // a square data area, 260 pixels
  p.SetPlotMode(cpmDots);
  p.SetIsoParams(1, 5, 1);  // levels 1, 2, 3, 4
  p.IsoColors.SetSize(4);
  const TColor colours[] = {clRed, clLime, clBlue, clFuchsia};
  for (int i = 0; i < 4; ++i) p.IsoColors.SetColorElem(i + 1, colours[i]);
  p.OnEstimateZVal = Field([](double x, double y) { return std::hypot(x, y); });
  const TBitmap b = p.Rendered();
  const double pixel = 10.4 / 260;
  int dots[5] = {};
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) {
      const TColor c = PixelAt(b, x, y);
      if (c == p.ChartColor()) continue;
      // Level L has colour index Round(4 * (L - 1) / 4) raised to 1: red, red, lime, blue.
      int L = 0;
      for (int k = 1; k <= 4; ++k)
        if (c == colours[std::max(k - 1, 1) - 1]) L = L ? L : k;
      ASSERT_NE(L, 0) << x << "," << y;
      double wx, wy;
      WorldOf(p, x, y, wx, wy);
      const double r = std::hypot(wx, wy);
      if (c == clRed) L = std::fabs(r - 1) < std::fabs(r - 2) ? 1 : 2;
      ASSERT_NEAR(r, L, 2 * pixel) << x << "," << y;
      ++dots[L];
    }
  for (int L = 1; L <= 4; ++L) EXPECT_GT(dots[L], 5 * L * 2 * M_PI / pixel / 10) << L;
}

// The corner values of the tile of (ix, iy) as the rendering defines them.
void Corners(const TContourPlot& p, int ix, int iy, double z[4]) {
  auto mean = std::function<double(int, int, int, int, int, int)>([&](int ax, int ay, int bx,
                                                                      int by, int cx, int cy) {
    double s = p.GetPivotVal(ix, iy);
    int n = 1;
    for (auto [x, y] : {std::pair{ax, ay}, std::pair{bx, by}, std::pair{cx, cy}})
      if (x >= 1 && x <= p.NumPivotsX() && y >= 1 && y <= p.NumPivotsY() && p.GetMaskVal(x, y) == 0)
        s += p.GetPivotVal(x, y), ++n;
    return s / n;
  });
  z[0] = mean(ix - 1, iy, ix - 1, iy - 1, ix, iy - 1);  // z00
  z[1] = mean(ix, iy - 1, ix + 1, iy - 1, ix + 1, iy);  // z10
  z[2] = mean(ix - 1, iy, ix - 1, iy + 1, ix, iy + 1);  // z01
  z[3] = mean(ix, iy + 1, ix + 1, iy + 1, ix + 1, iy);  // z11
}

// The whole-grid path (tables, quick tests, sub-pixel shortcut) draws exactly what the single
// tile forms draw, tile after tile, on grids coarser and finer than the pixels.
TEST(ContourRender, TheGridPathEqualsTheTileFormsPixelForPixel) {
  std::mt19937_64 rng(3);
  std::uniform_real_distribution<double> noise(-0.3, 0.3);
  for (const auto& [nx, ny, mode, masked] :
       {std::tuple{13, 9, cpmColorSurface, false}, std::tuple{40, 31, cpmColorSurface, true},
        std::tuple{500, 300, cpmColorSurface, false}, std::tuple{450, 280, cpmColorSurface, true},
        std::tuple{17, 12, cpmDots, true}, std::tuple{120, 90, cpmMonoDots, false},
        std::tuple{401, 350, cpmDots, false}}) {
    ProbePlot p;
    p.SetBounds(0, 0, 300, 230);
    p.SetRange(-2.0, 1.0, 3.0, 4.5);
    p.SetNumPivotsX(nx);
    p.SetNumPivotsY(ny);
    p.SetPlotMode(mode);
    p.SetIsoParams(-1.2, 1.3, 0.15);
    p.IsoColors.SetSize(11);
    p.IsoColors.FillByInterpolation(1, {clNavy, clAqua, clYellow, clRed});
    p.OnEstimateZVal = [&](TObject*, double x, double y, int ix, int iy, double& z,
                           std::uint8_t& m) {
      z = std::sin(x * 1.3) * std::cos(y) + noise(rng);
      if (nx == 40 && ix == 20 && iy == 10) z = 1e301;    // corner means that overflow
      if (masked && (ix * 7 + iy * 3) % 11 == 0) m = 1;   // single points
      if (masked && ix % 97 == 50 && iy > ny / 2) m = 1;  // columns of holes wider than a pixel
    };
    p.CalculatePivotPoints(true);
    const TBitmap fast = p.Rendered();

    const TSize s = p.DataBitmapSize();
    TBitmap ref(s.cx, s.cy);
    ref.Canvas().Brush().SetColor(p.ChartColor());
    ref.Canvas().FillRect(TRect(0, 0, s.cx, s.cy));
    const double dx = 5.0 / (nx - 1), dy = 3.5 / (ny - 1);
    for (int ix = 1; ix <= nx; ++ix)
      for (int iy = 1; iy <= ny; ++iy) {
        if (p.GetMaskVal(ix, iy) != 0) continue;
        double z[4];
        Corners(p, ix, iy, z);
        const double x0 = -2.0 + 5.0 * (ix - 1) / (nx - 1) - dx / 2;
        const double y0 = 1.0 + 3.5 * (iy - 1) / (ny - 1) - dy / 2;
        const int st = p.SubSteps();
        if (mode == cpmColorSurface)
          p.IsoColQuadSL(ref.ScanLineRGB(0), s.cx, s.cy, 0, 0, x0, y0, dx, dy, z[0], z[1], z[2],
                         z[3], st, st);
        else
          p.IsoQuadSL(ref.ScanLineRGB(0), s.cx, s.cy, 0, 0, x0, y0, dx, dy, z[0], z[1], z[2], z[3],
                      st, st);
      }
    EXPECT_TRUE(SamePicture(ref, fast)) << nx << " x " << ny << " mode " << int(mode);
  }
}

TEST(ContourRender, SubStepsFollowTheGridSize) {
  ProbePlot p;
  for (const auto& [n, s] : {std::pair{100, 5}, std::pair{50, 10}, std::pair{101, 5},
                             std::pair{42, 11}, std::pair{2, 250}}) {
    p.SetNumPivotsX(n);
    EXPECT_EQ(p.SubSteps(), s) << n;
  }
}

// Inside the target the canvas forms set the same pixels as the row forms.
TEST(ContourRender, CanvasFormsMatchTheRowForms) {
  ProbePlot p;
  p.IsoColors.SetSize(8);
  p.IsoColors.FillByInterpolation(1, {clBlue, clYellow, clRed});
  p.SetIsoParams(0, 2, 0.125);
  const TSize s = p.DataBitmapSize();
  for (const bool surface : {true, false}) {
    TBitmap rows(s.cx, s.cy), canvas(s.cx, s.cy);
    for (const auto& t : {std::array{-3.0, -2.0, 2.0, 1.5, 0.1, 1.9, 0.7, 1.2},
                          std::array{1.0, 0.5, 0.8, 0.4, 0.5, 0.5, 0.5, 0.5},
                          std::array{0.0, 3.0, 0.3, 0.2, 1.8, 0.0, 2.0, 0.3}}) {
      if (surface) {
        p.IsoColQuadSL(rows.ScanLineRGB(0), s.cx, s.cy, 0, 0, t[0], t[1], t[2], t[3], t[4], t[5],
                       t[6], t[7], 9, 7);
        p.IsoColQuad(canvas.Canvas(), 0, 0, t[0], t[1], t[2], t[3], t[4], t[5], t[6], t[7], 9, 7);
      } else {
        p.IsoQuadSL(rows.ScanLineRGB(0), s.cx, s.cy, 0, 0, t[0], t[1], t[2], t[3], t[4], t[5], t[6],
                    t[7], 9, 7);
        p.IsoQuad(canvas.Canvas(), 0, 0, t[0], t[1], t[2], t[3], t[4], t[5], t[6], t[7], 9, 7);
      }
    }
    EXPECT_TRUE(SamePicture(rows, canvas)) << surface;
  }
}

TEST(ContourRender, FlatCellsBelowTheLowestLevel) {
  ProbePlot p;
  p.SetNumPivotsX(4);
  p.SetNumPivotsY(4);
  p.IsoColors.SetSize(2);
  p.IsoColors.SetColorElem(1, clBlue);
  p.IsoColors.SetColorElem(2, clRed);
  p.SetIsoParams(0, 1, 0.5);
  p.OnEstimateZVal = Field([](double x, double) { return x < 0 ? -1 : 0.9; });
  p.SetPlotMode(cpmColorSurfNoIp);
  TBitmap b = p.Rendered();
  EXPECT_EQ(PixelAt(b, 5, 70), clBlue);  // below IsoLow: entry 1
  EXPECT_EQ(PixelAt(b, 200, 70), clRed);
  p.SetPlotMode(cpmColorSurfNoIpTransp);
  b = p.Rendered();
  EXPECT_EQ(PixelAt(b, 5, 70), p.ChartColor());  // left out
  EXPECT_EQ(PixelAt(b, 200, 70), clRed);
}

// A point with mask 1 leaves a hole, mask 7 a solid MaskPalette cell, mask 255 the cell's own
// picture inverted; in every mode.
TEST(ContourMasks, HolesPaletteCellsAndInversionInEveryMode) {
  for (const TContourPlotMode mode :
       {cpmDots, cpmMonoDots, cpmColorSurface, cpmColorSurfNoIp, cpmColorSurfNoIpTransp}) {
    ProbePlot p;
    p.SetNumPivotsX(11);  // tiles about 21 x 14 pixels
    p.SetNumPivotsY(11);
    p.SetPlotMode(mode);
    p.SetChartColor(RGB(250, 250, 240));
    p.IsoColors.SetSize(20);
    p.IsoColors.FillByInterpolation(1, {clNavy, clLime, clRed});
    p.SetIsoParams(-6, 6, 0.5);
    p.OnEstimateZVal = Field([](double x, double y) { return x + 0.5 * y; });
    p.CalculatePivotPoints(true);
    const TBitmap plain = p.Rendered();
    p.SetMaskVal(3, 3, 1);
    p.SetMaskVal(6, 6, 7);
    p.SetMaskVal(9, 4, 255);
    p.CalculatePivotPoints(true);
    const TBitmap masked = p.Rendered();
    auto centre = [&](int ix, int iy) {
      int px, py;
      p.R2M(-5.2 + 1.04 * (ix - 1), -5.2 + 1.04 * (iy - 1), px, py);
      return TPoint(px - p.MarginLeft(), py - p.MarginTop());
    };
    for (int d = -4; d <= 4; ++d) {
      const TPoint h = centre(3, 3), c = centre(6, 6), v = centre(9, 4);
      EXPECT_EQ(PixelAt(masked, h.X + d, h.Y + d), p.ChartColor()) << int(mode);
      EXPECT_EQ(PixelAt(masked, c.X + d, c.Y - d), p.MaskPalette.ColorElem(7)) << int(mode);
      const TColor before = ColorToRGB(PixelAt(plain, v.X + d, v.Y));
      EXPECT_EQ(PixelAt(masked, v.X + d, v.Y), static_cast<TColor>(before ^ 0xFFFFFF)) << int(mode);
    }
    // Far from the masks nothing changed.
    EXPECT_EQ(PixelAt(masked, 20, 20), PixelAt(plain, 20, 20));
  }
}

// The corner means of a tile leave out masked neighbours: a masked spike does not reach the
// tiles around it, while an unmasked one does.
TEST(ContourMasks, NeighboursAverageWithoutMaskedPoints) {
  ProbePlot p;
  p.SetNumPivotsX(11);
  p.SetNumPivotsY(11);
  p.IsoColors.SetSize(10);
  p.IsoColors.FillByInterpolation(1, {clBlue, clRed});
  p.SetIsoParams(0, 10, 1);
  auto field = [&](std::uint8_t spikeMask, double spike) {
    p.OnEstimateZVal = [=](TObject*, double, double, int ix, int iy, double& z, std::uint8_t& m) {
      z = 2;
      if (ix == 6 && iy == 6) z = spike, m = spikeMask;
    };
    p.CalculatePivotPoints(true);
    return p.Rendered();
  };
  const TBitmap flat = field(1, 2);
  const TBitmap maskedSpike = field(1, 100);
  const TBitmap openSpike = field(0, 100);
  int px, py;
  p.R2M(-5.2 + 1.04 * 6, -5.2 + 1.04 * 5, px, py);  // the tile right of the spike
  const int x = px - p.MarginLeft(), y = py - p.MarginTop();
  EXPECT_EQ(PixelAt(maskedSpike, x - 5, y), PixelAt(flat, x - 5, y));
  EXPECT_NE(PixelAt(openSpike, x - 5, y), PixelAt(flat, x - 5, y));
}

}  // namespace
}  // namespace kiv
