#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "probe.h"

namespace kiv {
namespace {

using namespace plot3d;
using test::At;
using test::SamePixels;
using test::TPlot3DProbe;

// Looking straight down (view 0 / 0) the rotation is the identity: grid point (X, Y) of the
// cube lands on screen at (325 + X, 250 + Y) of the default 650 x 500 control.
void FaceOn(TPlot3DProbe& p, int n) {
  p.SurfaceOnly();
  p.SetViewAngles(0, 0);
  p.GridMat.Resize(n, n);
}

TEST(Plot3DSurface, ColourOfAValueInEachMode) {
  TPlot3DProbe p(nullptr);
  p.SetColorLow(RGB(0, 0, 0));
  p.SetColorMid(RGB(100, 100, 100));
  p.SetColorHigh(RGB(200, 100, 50));
  EXPECT_EQ(p.CalcColorCoding(25), RGB(50, 25, 12));  // 12.5 rounds to even
  EXPECT_EQ(p.CalcColorCoding(1000), RGB(200, 100, 50));
  EXPECT_EQ(p.CalcColorCoding(-5), RGB(0, 0, 0));
  p.SetColorCodingMode(ccmThreeColors);
  EXPECT_EQ(p.CalcColorCoding(25), RGB(50, 50, 50));
  EXPECT_EQ(p.CalcColorCoding(50), RGB(100, 100, 100));
  EXPECT_EQ(p.CalcColorCoding(75), RGB(150, 100, 75));
  p.SetColorCodingMode(ccmColorArray);
  p.IsoColors.SetSize(4);
  for (int i = 1; i <= 4; ++i) p.IsoColors.SetColorElem(i, RGB(10 * i, 0, 0));
  EXPECT_EQ(p.CalcColorCoding(25), RGB(10, 0, 0));
  EXPECT_EQ(p.CalcColorCoding(62.5), RGB(20, 0, 0));  // entry Round(2.5) = 2
  EXPECT_EQ(p.CalcColorCoding(100), RGB(40, 0, 0));
  EXPECT_EQ(p.CalcColorCoding(10), clBlack);  // entry 0: outside the table
  p.SetColorScaleLow(-100);
  p.SetColorScaleHigh(-50);
  EXPECT_EQ(p.CalcColorCoding(-75), RGB(20, 0, 0));
}

TEST(Plot3DSurface, MeshKindsOnOneCell) {
  struct Case {
    TMeshKind kind;
    bool meshVisible;
    std::vector<TPoint> mesh;  // pixels in the mesh colour
    std::vector<TPoint> cell;  // pixels in the cell colour
  } cases[] = {
      {mkMesh, true, {{175, 250}, {300, 100}, {475, 300}, {200, 400}}, {{300, 250}, {474, 399}}},
      {mkMesh, false, {}, {{175, 250}, {300, 100}, {300, 250}}},
      {mkWaterfallHorz, true, {{175, 250}, {475, 250}}, {{300, 100}, {300, 400}, {300, 250}}},
      {mkWaterfallVert, false, {{300, 100}, {300, 400}}, {{175, 250}, {475, 250}}},
      {mkWaterfallDiag, true, {{325, 250}, {176, 101}}, {{175, 250}, {300, 200}}},
      {mkGrid, true, {{175, 100}, {475, 100}, {475, 400}, {175, 400}}, {{176, 100}, {300, 250}}},
  };
  for (const Case& c : cases) {
    TPlot3DProbe p(nullptr);
    FaceOn(p, 2);
    p.GridMat.Fill(50);
    p.SetColorMesh(clRed);
    p.SetMeshKind(c.kind);
    p.SetMeshVisible(c.meshVisible);
    const TBitmap b = p.PictureBitmap(false);
    const TColor cell = RGB(128, 128, 0);  // half way from black to yellow
    for (TPoint q : c.mesh)
      EXPECT_EQ(At(b, q.X, q.Y), clRed) << +c.kind << " " << q.X << "," << q.Y;
    for (TPoint q : c.cell) EXPECT_EQ(At(b, q.X, q.Y), cell) << c.kind << " " << q.X << "," << q.Y;
    EXPECT_EQ(At(b, 174, 250), clWhite);
    EXPECT_EQ(At(b, 476, 250), clWhite);
  }
}

TEST(Plot3DSurface, CellColourFromTheMaximumOrTheMean) {
  TPlot3DProbe p(nullptr);
  FaceOn(p, 2);
  p.GridMat.SetVal(2, 2, 100);
  EXPECT_EQ(At(p.PictureBitmap(false), 300, 250), clYellow);
  p.SetColorCodeAvg(true);
  EXPECT_EQ(At(p.PictureBitmap(false), 300, 250), RGB(64, 64, 0));  // 63.75
  p.GridMat.SetVal(1, 1, std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(At(p.PictureBitmap(false), 300, 250), clWhite);  // a missing value: no cell
}

// With a flat surface the depth of a cell's centre grows linearly across the grid; drawing
// back to front means the depths never decrease along the drawing order, in every octant.
TEST(Plot3DSurface, CellsAreDrawnFromBackToFrontInEveryOctant) {
  for (double vax : {45.0, 135.0, 225.0, 315.0})
    for (double vaz : {45.0, 135.0, 225.0, 315.0}) {
      TPlot3DProbe p(nullptr);
      p.GridMat.Resize(4, 3);
      p.SetViewAngles(vax, vaz);
      std::vector<TPoint> cells;
      p.OnBeforeRenderPolygon = [&](TObject*, TCanvas&, bool&, int ix, int iy, const TQuad&,
                                    TColor&) { cells.push_back(TPoint(ix, iy)); };
      p.PictureBitmap(false);
      auto depth = [&](TPoint c) {  // of the cell's centre
        return (GridCoord(c.X, 4) + 50) * p.GetRotMat(3, 1) +
               (GridCoord(c.Y, 3) + 75) * p.GetRotMat(3, 2);
      };
      // Rows one after the other, each from one end to the other: a row is never farther than
      // the row before it, a cell never farther than the one before it in its row.
      ASSERT_EQ(cells.size(), 6u);
      for (std::size_t k = 1; k < cells.size(); ++k) {
        const std::size_t prev = cells[k].Y == cells[k - 1].Y ? k - 1 : k - 3;
        EXPECT_GE(depth(cells[k]), depth(cells[prev]) - 1e-9) << vax << "/" << vaz << " " << k;
        EXPECT_EQ(k % 3 != 0, cells[k].Y == cells[k - 1].Y);
      }
    }
}

TEST(Plot3DSurface, CellCountsAndHandledCells) {
  for (auto [nc, nr, cells] : {std::tuple{1, 1, 0}, {2, 2, 1}, {3, 2, 2}, {1, 5, 0}}) {
    TPlot3D p(nullptr);
    p.GridMat.Resize(nc, nr);
    int calls = 0;
    p.OnBeforeRenderPolygon = [&](TObject*, TCanvas&, bool&, int, int, const TQuad&, TColor&) {
      ++calls;
    };
    p.PictureBitmap(true);
    EXPECT_EQ(calls, cells) << nc << "x" << nr;
  }
  // Cells a handler draws itself leave only the box and the axes.
  TPlot3D handled(nullptr), empty(nullptr);
  handled.GridMat.Resize(6, 5);
  handled.GridMat.Fill(0.5);
  handled.OnBeforeRenderPolygon = [](TObject*, TCanvas&, bool& h, int, int, const TQuad&, TColor&) {
    h = true;
  };
  EXPECT_TRUE(SamePixels(handled.PictureBitmap(true), empty.PictureBitmap(true)));
  // A handler's colour is used.
  TPlot3DProbe p(nullptr);
  FaceOn(p, 2);
  p.OnBeforeRenderPolygon = [](TObject*, TCanvas&, bool&, int, int, const TQuad& q, TColor& c) {
    EXPECT_EQ(q[0], TPoint(175, 100));
    EXPECT_EQ(q[2], TPoint(475, 400));
    c = clGreen;
  };
  EXPECT_EQ(At(p.PictureBitmap(false), 300, 250), clGreen);
}

// The box faces around the nearest corner, shaded by how squarely they face the viewer: seen
// at 60 degrees from above, the top face has F = 100, the front face F = 173, the side face is
// edge-on (F = 0).
TEST(Plot3DSurface, BoxFacesAreShadedByTheirDepth) {
  TPlot3D p(nullptr);
  p.SetViewAngles(60, 0);
  TBitmap b = p.PictureBitmap(true);
  EXPECT_EQ(At(b, 325, 120), RGB(215, 215, 223));
  EXPECT_EQ(At(b, 325, 325), RGB(231, 231, 245));
  EXPECT_EQ(At(b, 325, 195), TColor{0x404040});  // front edge from corner 7 to corner 3
  p.SetBoundBoxStyle(bbOutline);
  b = p.PictureBitmap(true);
  EXPECT_EQ(At(b, 325, 120), clWhite);
  EXPECT_EQ(At(b, 325, 195), TColor{0x404040});
  p.SetBoundBoxStyle(bbNone);
  b = p.PictureBitmap(true);
  EXPECT_EQ(At(b, 325, 195), clWhite);
  p.SetBoundBoxStyle(bbFaced);
  p.SetViewAngles(0, 0);  // the top face straight on: F = 200
  EXPECT_EQ(At(p.PictureBitmap(true), 300, 200), TColor{0xFEEEEE});
}

// The pixels written straight into the rows equal those of the canvas path, which a handler
// forces, for every mesh kind, also where cells leave the picture.
TEST(Plot3DSurface, DirectCellsEqualCanvasCells) {
  std::mt19937 rng(7);
  std::uniform_real_distribution<double> value(-1, 1), angle(0, 360);
  for (TMeshKind kind : {mkMesh, mkWaterfallHorz, mkWaterfallVert, mkWaterfallDiag, mkGrid})
    for (bool mesh : {true, false}) {
      TPlot3D p(nullptr);
      p.SetBounds(0, 0, 300, 240);
      p.GridMat.Resize(23, 17);
      for (int ix = 1; ix <= 23; ++ix)
        for (int iy = 1; iy <= 17; ++iy) p.GridMat.SetVal(ix, iy, value(rng));
      p.SetColorScaleLow(-1);
      p.SetColorScaleHigh(1);
      p.SetColorCodingMode(ccmThreeColors);
      p.SetMeshKind(kind);
      p.SetMeshVisible(mesh);
      p.SetViewAngles(angle(rng), angle(rng));
      p.SetMagnification(kind == mkGrid ? 3.5 : 0.7);
      const TBitmap direct = p.PictureBitmap(true);
      p.OnBeforeRenderPolygon = [](TObject*, TCanvas&, bool&, int, int, const TQuad&, TColor&) {};
      EXPECT_TRUE(SamePixels(direct, p.PictureBitmap(true))) << kind << " " << mesh;
    }
}

}  // namespace
}  // namespace kiv
