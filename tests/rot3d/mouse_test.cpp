#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "platform/offscreen_host.h"
#include "probe.h"

namespace kiv {
namespace {

using namespace rot3d;
using test::TRot3DProbe;

class Rot3DMouse : public ::testing::Test {
 protected:
  void SetUp() override { host.Show(r); }
  void Drag(int x0, int y0, int x1, int y1, TMouseButton b = mbLeft) {
    host.MouseMove(r, x0, y0);
    host.MouseDown(r, b, x0, y0);
    host.MouseMove(r, x1, y1);
    host.MouseUp(r, b, x1, y1);
  }
  TOffscreenHost host;
  TRot3DProbe r{nullptr};
};

// The 450 x 300 control: 45 pixels across are 36 degrees, 30 pixels down are 36 degrees on
// top of a full turn.
TEST_F(Rot3DMouse, TwoAndThreeAxisRotation) {
  Drag(200, 100, 155, 130);
  EXPECT_DOUBLE_EQ(r.ViewAngleZ(), 210 + 36);
  EXPECT_DOUBLE_EQ(r.ViewAngleX(), 110 + 360 + 36);
  EXPECT_DOUBLE_EQ(r.ViewAngleY(), 150);
  EXPECT_EQ(r.GetRotMat(1, 1),
            std::nearbyint(1000 * std::cos(246 * std::numbers::pi / 180)) / 1000);
  r.SetMouseRot3Axes(true);
  r.SetViewAngles(10, 20, 30);
  Drag(200, 100, 245, 70);
  EXPECT_DOUBLE_EQ(r.ViewAngleX(), 10 - 36);
  EXPECT_DOUBLE_EQ(r.ViewAngleY(), 20 + 360 - 36);
  EXPECT_DOUBLE_EQ(r.ViewAngleZ(), 30);
  const int paints = host.PaintCount(r);
  Drag(200, 100, 500, 100);  // outside the control
  EXPECT_DOUBLE_EQ(r.ViewAngleX(), -26);
  EXPECT_EQ(host.PaintCount(r), paints);
}

TEST_F(Rot3DMouse, ZoomAndPan) {
  r.SetMouseAction(mactStretch);
  Drag(10, 250, 10, 100);  // half the height up: + 2.45
  EXPECT_DOUBLE_EQ(r.Magnification(), 4000.0 / std::lround(4000 / 3.25));
  Drag(10, 0, 10, 300);  // down by the height: kept at 0.1
  EXPECT_DOUBLE_EQ(r.Magnification(), 0.1);
  r.SetMouseAction(mactPan);
  Drag(100, 100, 140, 90);
  EXPECT_EQ(r.CentX(), 225 + 40);
  EXPECT_EQ(r.CentY(), 150 - 10);
  r.SetMouseAction(mactRotateZoom);
  Drag(10, 200, 10, 50, mbRight);  // the right button zooms
  EXPECT_DOUBLE_EQ(r.Magnification(), 4000.0 / std::lround(4000 / 2.55));
  EXPECT_DOUBLE_EQ(r.ViewAngleZ(), 210);
}

// Both ends of a line lead to the line's item; objects of other kinds are left out.
TEST_F(Rot3DMouse, NearestItemOnTheScreen) {
  r.Plain();
  r.MarkAt(0, 0, 0, 1);
  r.Line(-100, 0, 0, 100, 50, 0);  // ends at (205, 150) and (245, 160)
  r.MakeVisible();
  double dist = 0;
  EXPECT_EQ(r.FindNearestItemScreen(244, 163, tkEverything, dist), 1);
  EXPECT_DOUBLE_EQ(dist, std::sqrt(1.0 + 9.0));
  EXPECT_EQ(r.FindNearestItemScreen(206, 150, tkLine, dist), 1);
  EXPECT_EQ(r.FindNearestItemScreen(206, 150, tkEverything, dist), 1);
  EXPECT_EQ(r.FindNearestItemScreen(220, 150, tkEverything, dist), 0);
  EXPECT_EQ(r.FindNearestItemScreen(244, 163, tkMarkAt, dist), 0);
  EXPECT_EQ(r.FindNearestItemScreen(244, 163, tkMoveto, dist), -1);
  r.RemoveLastItem();  // the objects still lead to the removed line until MakeVisible
  EXPECT_EQ(r.FindNearestItemScreen(244, 163, tkEverything, dist), 0);
}

}  // namespace
}  // namespace kiv
