// The free-hand mouse trace: strokes recorded in world coordinates, drawn at once while the
// user draws and again by every paint.
#include "mouse_fixture.h"

namespace kiv {
namespace {

TEST_F(MouseTest, TraceStrokesArePointsInWorldUnitsThatEndOnRelease) {
  chart.SetMouseAction(mactTrace);
  chart.SetMouseTraceColor(clRed);
  Drag(100, 48, 150, 76);  // two points: the anchor move and the end
  chart.SetMouseTraceInvert(false);
  host.MouseDown(mbLeft, 200, 104);
  host.MouseMove(700, 500);  // clamped into the data area: (10, 0)
  EXPECT_EQ(chart.NumMTracePoints(), 3);
  host.MouseUp(mbLeft, 700, 500);
  struct Expected {
    double x, y;
    std::uint16_t state;
  } expected[] = {{1, 9, 2}, {2, 8, 3}, {10, 0, 1}};
  for (int i = 1; i <= 3; ++i) {
    const TColoredPoint p = chart.MouseTrace(i);
    EXPECT_EQ(p.x, expected[i - 1].x) << i;
    EXPECT_EQ(p.y, expected[i - 1].y) << i;
    EXPECT_EQ(p.State, expected[i - 1].state) << i;
    EXPECT_EQ(p.Color, clRed);
  }
  EXPECT_EQ(chart.MouseTrace(0).State, 0xFFFF);
  EXPECT_EQ(chart.MouseTrace(4).State, 0xFFFF);
  EXPECT_EQ(chart.MouseTrace(4).x, 0);
}

// What the user sees while drawing is what every later paint draws: XOR and copied segments,
// and no line between two strokes. Clearing the trace gives the picture without it.
TEST_F(MouseTest, APaintDrawsTheTraceAsItWasDrawnLive) {
  const TBitmap clean = Shown();
  chart.SetMouseAction(mactTrace);
  host.MouseDown(mbLeft, 100, 100);
  for (int x = 100; x <= 300; x += 20) host.MouseMove(x, 100 + (x % 60));
  host.MouseUp(mbLeft, 300, 100);
  chart.SetMouseTraceInvert(false);
  chart.SetMouseTraceColor(clBlue);
  Drag(120, 250, 400, 60);
  const TBitmap live = Shown();
  EXPECT_FALSE(SamePicture(clean, live));
  EXPECT_EQ(live.ScanLine(250)[120], 0xFF0000FFu);
  EXPECT_EQ(live.ScanLine(200)[300], clean.ScanLine(200)[300]);  // no line from (300, 100)
  chart.Repaint();
  EXPECT_TRUE(SamePicture(live, Shown()));
  chart.ClearMouseTrace();
  EXPECT_TRUE(SamePicture(clean, Shown()));
}

TEST_F(MouseTest, TheTraceHoldsFiveThousandPoints) {
  chart.SetMouseAction(mactTrace);
  host.MouseDown(mbLeft, 60, 30);
  for (int i = 0; i < 5001; ++i) host.MouseMove(60 + i % 400, 30 + i / 400);
  EXPECT_EQ(chart.NumMTracePoints(), 5000);
  EXPECT_EQ(chart.MouseTrace(5000).x, 0.2 + 4999 % 400 / 50.0);
  host.MouseUp(mbLeft, 60, 30);
  EXPECT_EQ(chart.MouseTrace(5000).State, 3);
}

}  // namespace
}  // namespace kiv
