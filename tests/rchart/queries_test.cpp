// Item queries: the nearest data item in world units, in pixels and along an axis, the nearest
// annotation by its shape, the pixels of an item's points, and marking items by class.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <numbers>
#include <random>

#include "rchart/rchart.h"

namespace kiv {
namespace {

// 170 x 160 pixels with the standard margins 50, 20, 20, 40 and the range 0..100 on both axes
// of layer 1: world (x, y) is the control pixel (50 + x, 120 - y), screen (x, y) is (50 + x,
// 20 + y).
struct UnitChart : TCustomRChart {
  UnitChart() : TCustomRChart(nullptr) {
    SetBounds(0, 0, 170, 160);
    SetRange(1, 0, 0, 100, 100);
    SetRange(2, 0, 0, 1000, 1000);
  }
};

TEST(NearestItem, AnEmptyChartFindsNothing) {
  UnitChart c;
  double d = 0;
  EXPECT_EQ(c.FindNearestItemReal(1, 1, tkEverything, 255, d), -1);
  EXPECT_DOUBLE_EQ(d, std::sqrt(DBL_MAX));
  EXPECT_NEAR(d, 1.34e154, 0.01e154);
  EXPECT_EQ(c.FindNearestItemScreen(1, 1, tkEverything, 255, d), -1);
  EXPECT_EQ(c.FindNearestItemAlongAxis(1, 0, tkEverything, 255, d), -1);
  EXPECT_EQ(d, DBL_MAX);
  EXPECT_EQ(c.TypeOfFirstItem(), tkNone);
  EXPECT_EQ(c.TypeOfLastItem(), tkNone);
}

TEST(NearestItem, FiltersTiesAndDistancesOfTheDataSearches) {
  UnitChart c;
  c.MoveTo(10.0, 10.0);     // 0
  c.MarkAt(12.0, 10.0, 1);  // 1
  c.SetClassDefault(3);
  c.DrawTo(50.0, 50.0);  // 2
  c.SetClassDefault(0);
  c.MarkAt(50.0, 50.0, 1);  // 3, the same point as 2
  c.SetActiveLayer(2);
  c.MarkAt(90.0, 95.0, 1);  // 4, on layer 2 (its pixels follow layer 1's range in the search)
  c.SetActiveLayer(1);
  EXPECT_EQ(c.TypeOfFirstItem(), tkMoveTo);
  EXPECT_EQ(c.TypeOfLastItem(), tkMarkAt);

  struct Case {
    double x, y;
    TrcItem kind;
    std::uint8_t cls;
    bool visible_only;
    int index;
    double dist;
  };
  c.SetLayerVisible(2, false);
  const Case real[] = {
      {11, 10, tkEverything, 255, false, 0, 1},  // equal distances: the lower index
      {11, 10, tkNotMoveTo, 255, false, 1, 1},
      {11, 10, tkLineto, 255, false, 2, std::hypot(39, 40)},
      {11, 10, tkEverything, 3, false, 2, std::hypot(39, 40)},
      {50, 50, tkMarkAt, 0, false, 3, 0},
      {88, 95, tkEverything, 255, false, 4, 2},
      {88, 95, tkEverything, 255, true, 2, std::hypot(38, 45)},
      {11, 10, tkNone, 255, false, -1, std::sqrt(DBL_MAX)},
      {11, 10, tkArc, 255, false, -1, std::sqrt(DBL_MAX)},
  };
  for (const Case& k : real) {
    double d = -1;
    EXPECT_EQ(c.FindNearestItemReal(k.x, k.y, k.kind, k.cls, k.visible_only, d), k.index)
        << k.x << " " << k.kind;
    EXPECT_DOUBLE_EQ(d, k.dist) << k.x << " " << k.kind;
  }

  // In pixels of the active layer: item 4 sits at (90, 95) in layer 1's pixels.
  double d = 0;
  EXPECT_EQ(c.FindNearestItemScreen(88, 91, tkEverything, 255, d), 4);
  EXPECT_DOUBLE_EQ(d, std::hypot(2, 4));
  EXPECT_EQ(c.FindNearestItemScreen(88, 91, tkEverything, 255, true, d), 2);
  EXPECT_DOUBLE_EQ(d, std::hypot(38, 41));
  c.SetActiveLayer(2);  // now layer 2's pixels: (50, 50) is near the origin
  EXPECT_EQ(c.FindNearestItemScreen(0, 0, tkNotMoveTo, 255, d), 1);
  EXPECT_DOUBLE_EQ(d, std::hypot(1, 1));
  c.SetActiveLayer(1);

  // Along one axis.
  EXPECT_EQ(c.FindNearestItemAlongAxis(49.6, axX, tkEverything, 255, d), 2);
  EXPECT_EQ(d, 0);  // 49.6 and 50 fall in one pixel column
  EXPECT_EQ(c.FindNearestItemAlongAxis(97, axY, tkEverything, 255, d), 4);
  EXPECT_EQ(d, 2);
  EXPECT_EQ(c.FindNearestItemAlongAxis(97, axY, tkEverything, 255, true, d), 2);
  EXPECT_EQ(d, 47);
  EXPECT_EQ(c.FindNearestItemAlongAxis(10, 2, tkEverything, 255, d), -1);
  EXPECT_EQ(d, DBL_MAX);
}

// The screen search maps millions of points in double arithmetic; its pixels must be R2M's for
// every value, including ones that land within rounding of a half pixel, far-out and
// non-finite values, and logarithmic axes.
TEST(NearestItem, ScreenSearchAgreesWithR2MOnEveryPoint) {
  for (bool logarithmic : {false, true}) {
    UnitChart c;
    c.SetRange(1, 0.001, 1.0, 1000.0, 37.0);
    c.Scale1X().SetLogarithmic(logarithmic);
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> u(-50, 1100);
    std::vector<std::pair<double, double>> pts;
    for (int i = 0; i < 3000; ++i) {
      double x = u(rng), y = u(rng) / 30;
      if (i % 7 == 0) {  // exactly on a half pixel of the current mapping
        double kx, dx, ky, dy;
        c.GetTransformParams(1, kx, dx, ky, dy);
        x = (std::floor(u(rng)) + 0.5 - dx) / kx;
        y = (std::floor(u(rng) / 10) + 0.5 - dy) / ky;
      }
      if (i % 97 == 0) x = i % 2 ? 1e300 : NAN;
      pts.emplace_back(x, y);
      c.MarkAt(x, y, 0);
    }
    for (int q = 0; q < 40; ++q) {
      const double mx = u(rng), my = u(rng) / 30;
      int qx, qy;
      c.R2M(1, mx, my, qx, qy);
      double best = DBL_MAX;
      int want = -1;
      for (int i = 0; i < static_cast<int>(pts.size()); ++i) {
        int sx, sy;
        c.R2M(1, pts[i].first, pts[i].second, sx, sy);
        const double dd = std::pow(double(sx) - qx, 2) + std::pow(double(sy) - qy, 2);
        if (dd < best) best = dd, want = i;
      }
      double d;
      ASSERT_EQ(c.FindNearestItemScreen(mx, my, tkEverything, 255, d), want) << q;
      EXPECT_EQ(d, std::sqrt(best));
    }
  }
}

TEST(NearestAnnotation, EachKindIsMeasuredByTheShapeItDraws) {
  UnitChart c;
  c.SetAnnoMode(true);
  c.Rectangle(20.0, 20.0, 40.0, 30.0);                       // 0: pixels (70, 100) - (90, 90)
  c.Line(0, 0, 10, 0);                                       // 1: screen (50, 20) - (60, 20)
  c.CursorVert(80.0);                                        // 2: column 130
  c.Ellipse(50.0, 50.0, 3.0, 5.0);                           // 3: foci (50, 46) and (50, 54)
  c.Arc(20.0, 80.0, 10.0, 10.0, 0.0, std::numbers::pi / 2);  // 4: upper right quarter
  c.Bar3D(60.0, 60.0, 70.0, 70.0, 10, 0);                    // 5: shadow 10 pixels to the right
  c.MoveTo(95.0, 5.0);                                       // 6: never a candidate
  c.SetAnnoMode(false);
  c.DrawTo(95.0, 5.0);  // a data item: never an annotation candidate

  struct Case {
    double x, y;
    TrcItem kind;
    int index;
    double dist;
  };
  const Case cases[] = {
      {30, 25, tkEverything, 0, 0},  // inside the rectangle
      {30, 35, tkRect, 0, 5},        // above it
      {5, 102, tkLine, 1, 2},        // world (5, 102) is pixel (55, 18)
      {83, 10, tkCursorVert, 2, 3},
      {50, 50, tkEllipse, 3, 0},  // inside: 0
      {50, 57, tkEllipse, 3, 2},  // foci 3 and 11 away, major axis 10: sqrt(4), not squared
      {27, 87, tkArc, 4, 10 - std::hypot(7, 7)},
      {13, 87, tkArc, -1, std::sqrt(DBL_MAX)},    // left of the centre: outside the angles
      {79, 65, tk3DBar, 5, 0},                    // only the shifted rectangle covers it
      {95, 5, tkMoveTo, -1, std::sqrt(DBL_MAX)},  // moves draw nothing
  };
  for (const Case& k : cases) {
    double d = -1;
    EXPECT_EQ(c.FindNearestAnnoElem(k.x, k.y, k.kind, 255, false, d), k.index) << k.x << "," << k.y;
    EXPECT_NEAR(d, k.dist, 1e-9 * std::max(1.0, k.dist)) << k.x << "," << k.y;
  }
}

TEST(NearestAnnotation, TextsAreMeasuredAsTheyAreDrawnAfterTheTextHook) {
  UnitChart c;
  c.SetAnnoMode(true);
  c.SetTextAlignment(taLeftJustify);
  c.Text(10.0, 50.0, 10, "ab");
  c.Text(10.0, 50.0, 10, "", 40.0, 0.0, taLeftJustify);  // tkTextOfs, 40 pixels to the right
  int hooked = 0;
  c.OnBeforeRenderText = [&](TObject*, std::string& text, int, bool anno) {
    EXPECT_TRUE(anno);
    ++hooked;
    text = "a much longer text than before";
  };
  double d;
  // Left-aligned texts start at their point; the hooked text reaches far to the right.
  EXPECT_EQ(c.FindNearestAnnoElem(40, 50, tkText, 255, false, d), 0);
  EXPECT_EQ(d, 0);
  EXPECT_EQ(c.FindNearestAnnoElem(52, 50, tkTextOfs, 255, false, d), 1);
  EXPECT_EQ(d, 0);
  EXPECT_EQ(c.FindNearestAnnoElem(45, 50, tkTextOfs, 255, false, d), 1);
  EXPECT_EQ(d, 5);
  EXPECT_EQ(hooked, 3);
}

TEST(ItemPixels, EachCoordinateModeReadsItsPointsAsWorldOrScreenValues) {
  UnitChart c;
  TrcChartItem it;
  ClearChartItem(it);
  it.x = 10;
  it.y = 20;
  it.x2 = 30.5;  // half pixels round to even
  it.y2 = 41.5;
  const int w1x = 60, w1y = 100, w2x = 80, w2y = 78;  // world: (50 + x, 120 - y), rounded
  const int s1x = 60, s1y = 40, s2x = 80, s2y = 62;   // screen: (50 + x, 20 + y), rounded
  struct Case {
    TCoordMode mode;
    int x1, y1, x2, y2;
  };
  const Case cases[] = {
      {cmAllWorld, w1x, w1y, w2x, w2y},
      {cmAllScreen, s1x, s1y, s2x, s2y},
      {cmWorldMainScreenSec, w1x, w1y, s2x, s2y},
      {cmScreenMainWorldSec, s1x, s1y, w2x, w2y},
      {cmXScreenYWorld, s1x, w1y, s2x, w2y},
      {cmXWorldYScreen, w1x, s1y, w2x, s2y},
      {TCoordMode(6), -1, -1, -1, -1},
  };
  for (const Case& k : cases) {
    it.CoordMode = k.mode;
    int x1 = -1, y1 = -1, x2 = -1, y2 = -1;
    c.ConvertToScreenCoords(it, x1, y1, x2, y2);
    EXPECT_EQ((std::array{x1, y1, x2, y2}), (std::array{k.x1, k.y1, k.x2, k.y2})) << int(k.mode);
  }
  it.CoordMode = cmAllWorld;
  it.Layer = 2;  // layer 2 maps 0..1000
  int x1, y1, x2, y2;
  c.ConvertToScreenCoords(it, x1, y1, x2, y2);
  EXPECT_EQ(x1, 51);
  EXPECT_EQ(y1, 118);
}

TEST(Marking, ClassesAreSetByKindAndWindow) {
  UnitChart c;
  c.MoveTo(0.0, 0.0);
  c.DrawTo(10.0, 10.0);
  c.DrawTo(20.0, 5.0);
  c.MarkAt(10.0, 20.0, 0);
  EXPECT_EQ(c.MarkItemsInWindow(20, 10, 10, 5, tkEverything, 4), 2);  // corners reversed
  EXPECT_EQ(c.GetChartItem(1).ItemClass, 4);
  EXPECT_EQ(c.GetChartItem(2).ItemClass, 4);  // bounds belong to the window
  EXPECT_EQ(c.MarkItemsInWindow(0, 0, 100, 100, tkEverything, 255), 0);
  EXPECT_EQ(c.MarkItemsInWindow(0, 0, 100, 100, tkNone, 5), 0);
  EXPECT_EQ(c.MarkItemsInWindow(0, 0, 100, 100, tkNotMoveTo, 6), 3);
  EXPECT_EQ(c.GetChartItem(0).ItemClass, 0);

  c.MarkAllItems(tkLineto, 7);
  c.MarkAllItems(tkMarkAt, 255);  // refused
  c.MarkAllItems(tkNone, 9);      // nothing
  EXPECT_EQ(c.GetChartItem(0).ItemClass, 0);
  EXPECT_EQ(c.GetChartItem(1).ItemClass, 7);
  EXPECT_EQ(c.GetChartItem(2).ItemClass, 7);
  EXPECT_EQ(c.GetChartItem(3).ItemClass, 6);
}

}  // namespace
}  // namespace kiv
