#include <gtest/gtest.h>

#include <vector>

#include "platform/offscreen_host.h"
#include "probe.h"

namespace kiv {
namespace {

using namespace plot3d;
using test::TPlot3DProbe;

// A 3 x 3 grid seen straight from above: cells of 150 x 150 pixels with corners at columns
// 175, 325, 475 and rows 100, 250, 400, drawn row by row with rising x and y.
TEST(Plot3DHitTest, CellUnderThePointAndItsBorders) {
  TPlot3DProbe p(nullptr);
  p.GridMat.Resize(3, 3);
  int cx = -1, cy = -1;
  EXPECT_FALSE(p.FindCell(200, 150, cx, cy));  // nothing drawn yet
  p.SetViewAngles(0, 0);
  p.PictureBitmap(false);
  struct Case {
    int x, y;
    bool found;
    int cx, cy;
  } cases[] = {
      {200, 150, true, 1, 1},  {400, 150, true, 2, 1},  {200, 300, true, 1, 2},
      {474, 399, true, 2, 2},  {325, 150, true, 2, 1},  // on the edge of two: the later one
      {200, 250, true, 1, 2},  {475, 300, true, 2, 2},  // on the outer edge
      {325, 250, false, 0, 0},                          // a grid point belongs to no cell
      {174, 150, false, 0, 0}, {300, 401, false, 0, 0},
  };
  for (const Case& c : cases) {
    cx = cy = 0;
    EXPECT_EQ(p.FindCell(c.x, c.y, cx, cy), c.found) << c.x << "," << c.y;
    EXPECT_EQ(TPoint(cx, cy), TPoint(c.cx, c.cy)) << c.x << "," << c.y;
  }
}

class Plot3DMouse : public ::testing::Test {
 protected:
  void SetUp() override {
    p.GridMat.Resize(3, 3);
    host.Show(p);
  }
  // Hover at (x0, y0), then drag with the button to (x1, y1).
  void Drag(int x0, int y0, int x1, int y1, TMouseButton b = mbLeft) {
    host.MouseMove(p, x0, y0);
    host.MouseDown(p, b, x0, y0);
    host.MouseMove(p, x1, y1);
    host.MouseUp(p, b, x1, y1);
  }
  TOffscreenHost host;
  TPlot3D p{nullptr};
};

TEST_F(Plot3DMouse, RotationFollowsTheDragWithinTheLimits) {
  Drag(300, 200, 235, 150);  // 65 of 650 pixels left, 50 of 500 up: 36 degrees each
  EXPECT_DOUBLE_EQ(p.ViewAngleZ(), 15 + 36);
  EXPECT_DOUBLE_EQ(p.ViewAngleX(), 60 + 36);
  Drag(300, 200, 300, 450);  // 250 down: -180 degrees, wrapped
  EXPECT_DOUBLE_EQ(p.ViewAngleX(), 96 - 180 + 360);
  p.SetMouseAction(mactRotateX);  // the opposite sense
  Drag(300, 200, 300, 150);
  EXPECT_DOUBLE_EQ(p.ViewAngleX(), 276 - 36);
  EXPECT_DOUBLE_EQ(p.ViewAngleZ(), 51);
  p.SetMouseAction(mactRotateZ);
  Drag(300, 200, 365, 100);
  EXPECT_DOUBLE_EQ(p.ViewAngleZ(), 51 - 36);
  EXPECT_DOUBLE_EQ(p.ViewAngleX(), 240);
  const int paints = host.PaintCount(p);
  Drag(300, 200, 700, 100);  // the pointer left the control: nothing
  EXPECT_DOUBLE_EQ(p.ViewAngleZ(), 15);
  EXPECT_EQ(host.PaintCount(p), paints);
}

TEST_F(Plot3DMouse, ZoomPanAndTheActionEvent) {
  int zoomPans = 0;
  p.OnZoomPan = [&](TObject*) { ++zoomPans; };
  p.SetMouseAction(mactStretch);
  Drag(100, 375, 100, 125);  // half the height upwards: + (5 - 0.1) / 4
  EXPECT_DOUBLE_EQ(p.Magnification(), 2.225);
  Drag(100, 125, 100, 375);
  EXPECT_DOUBLE_EQ(p.Magnification(), 1.0);
  Drag(100, 125, 100, 375);
  EXPECT_DOUBLE_EQ(p.Magnification(), 0.1);  // kept within 0.1..5
  EXPECT_EQ(zoomPans, 3);
  p.SetMouseAction(mactPan);
  Drag(100, 100, 130, 90);
  EXPECT_EQ(p.CentX(), 325 + 30);
  EXPECT_EQ(p.CentY(), 250 - 10);
  EXPECT_EQ(zoomPans, 4);
  // The handler sees the new view and may change it before it is used.
  p.SetMouseAction(mactRotateZoom);
  std::vector<double> seen;
  p.OnMouseAction = [&](TObject*, int&, int&, double& ax, double& az, double& mag, TShiftState) {
    seen = {ax, az, mag};
    az = 100;
  };
  Drag(300, 200, 235, 200);
  EXPECT_EQ(seen, (std::vector<double>{60, 51, 0.1}));
  EXPECT_EQ(p.ViewAngleZ(), 100);
  EXPECT_NEAR(p.GetRotMat(1, 1), -0.17365, 1e-5);  // the matrix follows the handler's angle
  Drag(300, 400, 300, 150, mbRight);               // the right button zooms
  EXPECT_DOUBLE_EQ(p.Magnification(), 0.1 + 4.9 * 250 / 500 / 2);
}

TEST_F(Plot3DMouse, HoverReportsTheCellUnderThePointer) {
  p.SetViewAngles(0, 0);
  host.ProcessMessages();
  std::vector<std::vector<int>> reports;
  p.OnMouseMoveOverPlot = [&](TObject*, bool over, TShiftState, int cx, int cy) {
    reports.push_back({over, cx, cy});
  };
  host.MouseMove(p, 400, 300);
  host.MouseMove(p, 20, 20);
  EXPECT_EQ(reports, (std::vector<std::vector<int>>{{1, 2, 2}, {0, 0, 0}}));
}

}  // namespace
}  // namespace kiv
