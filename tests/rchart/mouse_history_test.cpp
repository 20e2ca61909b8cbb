// The zoom history: sixteen states of both layers, recorded by zoom windows and at the end of
// every pan, and restored by ZoomHistory.
#include "mouse_fixture.h"

namespace kiv {
namespace {

// Each pan of one unit to the left leaves x = k..k+10 in the history.
TEST_F(MouseTest, TheHistoryKeepsTheLastSixteenStatesAndRestoresThem) {
  chart.SetMouseAction(mactPan);
  for (int k = 1; k <= 20; ++k) Drag(300, 100, 250, 100);
  EXPECT_EQ(Ranges(chart, 1), "20..30 x 0..10");
  for (int back = 0; back >= -15; --back)
    EXPECT_EQ(chart.ZoomStack(1, back).Left, 20 + back) << back;
  EXPECT_EQ(chart.ZoomStack(2, -15).Right, 100);  // layer 2 is recorded too

  const int paints = host.PaintCount(chart);
  chart.ZoomHistory(-16);  // outside: nothing, not even a repaint
  chart.ZoomHistory(1);
  EXPECT_EQ(host.PaintCount(chart), paints);
  chart.ZoomHistory(-15);
  EXPECT_EQ(Ranges(chart, 1), "5..15 x 0..10");
  EXPECT_EQ(host.PaintCount(chart), paints + 1);  // both layers, one picture
  chart.ZoomHistory(0);
  EXPECT_EQ(Ranges(chart, 1), "20..30 x 0..10");
}

TEST_F(MouseTest, AClearedHistoryHoldsOnlyTheStateAtThatTime) {
  chart.SetMouseAction(mactZoomWindowOrdered);
  Drag(100, 48, 550, 216);  // zooms to 1..10 x 3..9 and records it
  chart.ClearZoomHistory();
  chart.ForceRange(1, 3, 3, 4, 4, false);
  const int paints = host.PaintCount(chart);
  chart.ZoomHistory(-1);  // empty entries: only a repaint
  EXPECT_EQ(Ranges(chart, 1), "3..4 x 3..4");
  EXPECT_EQ(host.PaintCount(chart), paints + 1);
  chart.ZoomHistory(0);
  EXPECT_EQ(Ranges(chart, 1), "1..10 x 3..9");
}

}  // namespace
}  // namespace kiv
