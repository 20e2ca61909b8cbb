// Dragging the chart's scales, double clicks on them, the pointer's shape and position, and the
// messages the chart answers.
#include "mouse_fixture.h"
#include "platform/screen.h"
#include "rchart/chartcursors.h"

namespace kiv {
namespace {

using Log = std::vector<std::string>;

// The x scale's band lies below the data area (rows 301..339), the y scale's left of it
// (columns 1..49); each follows its own MouseAction whatever the chart's mode.
TEST_F(MouseTest, ScalesFollowTheirOwnMouseAction) {
  chart.SetMouseAction(mactZoomWindow);
  chart.Scale1X().SetMouseAction(mactPan);
  chart.Scale1Y().SetMouseAction(mactZoomDrag);
  Drag(100, 320, 150, 320);  // the strip is 500 pixels long: one unit
  EXPECT_EQ(Ranges(chart, 1), "-1..9 x 0..10");
  Drag(30, 100, 30, 134);  // 34 of 340 pixels down: 10 % wider about the centre
  EXPECT_EQ(Ranges(chart, 1), "-1..9 x -0.5..10.5");
  EXPECT_EQ(log, (Log{"zoompan", "zoompan"}));
  chart.SetMouseAction(mactNone);
  Drag(100, 200, 150, 320);  // started in the data area: the scale does not follow
  EXPECT_EQ(Ranges(chart, 1), "-1..9 x -0.5..10.5");
}

// A double click on a scale toggles its drag between panning and stretching; the press that
// follows the double click is swallowed whole.
TEST_F(MouseTest, DoubleClicksOnAScaleToggleItsDrag) {
  int presses = 0;
  chart.OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++presses; };
  chart.Scale1Y().SetMouseAction(mactPan);
  host.DoubleClick(30, 100);
  EXPECT_EQ(chart.Scale1Y().MouseAction(), mactStretch);
  EXPECT_EQ(presses, 1);
  host.DoubleClick(30, 100);
  EXPECT_EQ(chart.Scale1Y().MouseAction(), mactPan);
  host.DoubleClick(100, 320);  // the x scale's drag is off and stays off
  EXPECT_EQ(chart.Scale1X().MouseAction(), mactNone);
}

TEST_F(MouseTest, ThePointerShowsTheModesShapeInsideTheDataArea) {
  struct Case {
    TMouseActMode mode;
    TCursor inside;
  } cases[] = {{mactNone, crCross},
               {mactPan, crChartHand},
               {mactPanSnap, crChartHand},
               {mactZoomWindow, crChartZoomWindow},
               {mactZoomWindowOrdered, crChartZoomPlus},
               {mactZoomDrag, crChartZoomDrag},
               {mactRubberBand, crDefault},
               {mactDragLabel, crDefault},
               {mactTrace, crHourGlass},  // left alone
               {mactStretch, crHourGlass}};
  for (const Case& c : cases) {
    chart.SetMouseAction(c.mode);
    chart.SetMouseCursorFixed(true);
    host.MouseMove(200, 100);
    EXPECT_EQ(kiv::Screen().Cursor(), crDefault);  // fixed: always the default
    chart.SetMouseCursorFixed(false);
    kiv::Screen().SetCursor(crHourGlass);
    host.MouseMove(201, 100);
    EXPECT_EQ(kiv::Screen().Cursor(), c.inside) << static_cast<int>(c.mode);
    host.MouseMove(20, 320);
    EXPECT_EQ(kiv::Screen().Cursor(), crDefault);
  }
  chart.SetMouseAction(mactPan);
  host.MouseMove(200, 100);
  host.MouseLeave();  // the chart's shape does not stay behind
  EXPECT_EQ(kiv::Screen().Cursor(), crDefault);
}

TEST_F(MouseTest, EveryMoveReportsItsWorldPositionOnce) {
  chart.OnMouseMoveInChart = [&](TObject* s, bool in, TShiftState shift, double x, double y) {
    EXPECT_EQ(s, &chart);
    log.push_back(std::to_string(in) + " " + std::to_string(shift.Contains(ssLeft)) + " " +
                  std::to_string(x) + " " + std::to_string(y));
    host.Post([this] { host.MouseMove(100, 48); });  // arrives while the handler pumps: dropped
    Application().ProcessMessages();
  };
  host.MouseMove(100, 48);
  host.MouseDown(mbLeft, 100, 48);
  host.MouseMove(10, 328);
  EXPECT_EQ(log, (Log{"1 0 1.000000 9.000000", "0 1 -0.800000 -1.000000"}));
  EXPECT_EQ(chart.MousePosX(), 1);  // the last position inside the data area
  EXPECT_EQ(chart.MousePosY(), 9);
  EXPECT_EQ(chart.Perform(WM_GETDLGCODE), DLGC_WANTARROWS | DLGC_WANTTAB);
}

}  // namespace
}  // namespace kiv
