// Panning and zooming by dragging in the data area, as a user does it through the host.
#include "mouse_fixture.h"

namespace kiv {
namespace {

using Log = std::vector<std::string>;

// Each mode of the data area as one drag: the ranges it leaves on layer 1 (layer 2 is not
// mouse-affected by default and stays), one OnZoomPan per step, and the result recorded in the
// zoom history on release.
TEST_F(MouseTest, EveryPanAndZoomDragModeMovesLayerOneFromTheDragsAnchor) {
  struct Case {
    TMouseActMode mode;
    int dx, dy;
    const char* ranges;
  } cases[] = {
      {mactPan, 50, 20, "-1..9 x 0.714286..10.7143"},  // content follows the pointer
      {mactPanX, 50, 20, "-1..9 x 0..10"},
      {mactPanY, 50, 20, "0..10 x 0.714286..10.7143"},
      {mactPanSnap, 55, 20, "-1..9 x 0..10"},          // -1.1 and 0.71 snap to the grid of 1
      {mactZoomDrag, 57, -34, "0.5..9.5 x 0.5..9.5"},  // right and up: factor 0.9 in
      {mactNone, 50, 20, "0..10 x 0..10"},
      {mactStretch, 50, 20, "0..10 x 0..10"},
      {mactRotate, 50, 20, "0..10 x 0..10"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.mode));
    chart.SetRange(1, 0, 0, 10, 10);
    chart.SetMouseAction(c.mode);
    log.clear();
    Drag(100, 100, 100 + c.dx, 100 + c.dy);
    EXPECT_EQ(Ranges(chart, 1), c.ranges);
    EXPECT_EQ(Ranges(chart, 2), "0..100 x 0..100");
    const bool moves = c.mode != mactNone && c.mode != mactStretch && c.mode != mactRotate;
    EXPECT_EQ(log, moves ? Log{"zoompan"} : Log{});
    const TRectDouble latest = chart.ZoomStack(1, 0);
    EXPECT_EQ(latest.Left, chart.Scale1X().RangeLow());
    EXPECT_EQ(latest.Bottom, chart.Scale1Y().RangeLow());
  }
}

// The picture after a pan is the picture of a chart given those ranges directly.
TEST_F(MouseTest, APannedChartLooksLikeOneSetToTheSameRanges) {
  chart.SetMouseAction(mactPan);
  chart.SetMouseAffectsLayer(2, true);
  Drag(300, 100, 200, 156);  // 2 units left, 2 units down on layer 1
  EXPECT_EQ(Ranges(chart, 1), "2..12 x 2..12");
  EXPECT_EQ(Ranges(chart, 2), "20..120 x 20..120");
  TCustomRChart other(nullptr);
  other.SetBounds(0, 0, 570, 340);
  other.SetRange(1, 2, 2, 12, 12);
  other.MoveTo(1.0, 1.0);
  other.DrawTo(9.0, 7.0);
  other.MarkAt(5.0, 5.0, 3);
  TBitmap expected;
  other.CopyToBitmap(expected, false);
  EXPECT_TRUE(SamePicture(expected, Shown()));
}

// Moves outside the data area are ignored, also after the pointer left the control; the drag
// goes on from its anchor when the pointer comes back, and a move without the button ends it.
TEST_F(MouseTest, APanIgnoresMovesOutsideTheDataAreaAndResumesFromItsAnchor) {
  chart.SetMouseAction(mactPan);
  host.MouseDown(mbLeft, 100, 100);
  host.MouseMove(100, 100);
  host.MouseMove(-40, 500);  // outside the control
  EXPECT_EQ(Ranges(chart, 1), "0..10 x 0..10");
  const int paints = host.PaintCount(chart);
  host.MouseMove(200, 100);
  EXPECT_EQ(Ranges(chart, 1), "-2..8 x 0..10");
  EXPECT_EQ(host.PaintCount(chart), paints + 1);  // one picture per step
  host.MouseUp(mbLeft, 200, 100);
  host.MouseMove(300, 100);  // no button: nothing
  EXPECT_EQ(Ranges(chart, 1), "-2..8 x 0..10");
}

// A logarithmic axis pans by a factor; the pan grid needs linear axes.
TEST_F(MouseTest, LogarithmicAxesPanByAFactorAndRefuseThePanGrid) {
  chart.SetRange(1, 1, 0, 1e5, 10);
  chart.Scale1X().SetLogarithmic(true);
  chart.SetMouseAction(mactPan);
  Drag(300, 100, 200, 100);  // a fifth of the width: one decade
  EXPECT_NEAR(chart.Scale1X().RangeLow(), 10, 1e-9);
  EXPECT_NEAR(chart.Scale1X().RangeHigh(), 1e6, 1e-4);
  chart.SetMouseAction(mactPanSnap);
  Drag(300, 100, 200, 150);
  EXPECT_NEAR(chart.Scale1X().RangeLow(), 10, 1e-9);
}

// Confinement: a pan slides back inside the limits keeping its width, a zoom drag is cut, a
// window zoom is free.
TEST_F(MouseTest, ConfinedPansSlideBackAndConfinedZoomsAreCut) {
  chart.ConfineZoomRange(0, 0, 10, 10);
  chart.SetRange(1, 0, 0, 5, 10);
  chart.SetMouseAction(mactPan);
  Drag(100, 100, 300, 100);  // would show -2..3
  EXPECT_EQ(Ranges(chart, 1), "0..5 x 0..10");
  chart.SetRange(1, -4.5, 0, 5.5, 10);
  chart.SetMouseAction(mactZoomDrag);
  Drag(100, 100, 385, 100);  // factor 0.5: would show -2..3
  EXPECT_EQ(Ranges(chart, 1), "0..3 x 0..10");
  chart.SetRange(1, -4.5, 0, 5.5, 10);
  chart.SetMouseAction(mactZoomWindowOrdered);
  Drag(75, 50, 225, 250);  // x -4..-1
  EXPECT_EQ(chart.Scale1X().RangeLow(), -4);
  EXPECT_EQ(chart.Scale1X().RangeHigh(), -1);
}

}  // namespace
}  // namespace kiv
