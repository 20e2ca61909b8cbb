// Windows drawn with the mouse: zoom windows, rubber bands, selections, the XOR figures on the
// screen, cancelling with the right button and the modal mouse box.
#include <cstdio>

#include "mouse_fixture.h"

namespace kiv {
namespace {

using Log = std::vector<std::string>;

std::string Event(const char* name, int layer, double x1, double y1, double x2, double y2) {
  char s[160];
  std::snprintf(s, sizeof s, "%s %d: %g %g %g %g", name, layer, x1, y1, x2, y2);
  return s;
}

// Corners as dragged (a drag to the left reverses x; the anchor's y, the upper one here, becomes
// the low end), ordered to the axes, or nothing for a window without width.
TEST_F(MouseTest, ZoomWindowsTakeTheirCornersAsDraggedOrOrdered) {
  struct Case {
    TMouseActMode mode;
    int x1, y1, x2, y2;
    const char* ranges;
    Log events;
  } cases[] = {
      {mactZoomWindow, 100, 48, 300, 216, "1..5 x 9..3", {"zoompan"}},
      {mactZoomWindow, 300, 216, 100, 48, "5..1 x 3..9", {"zoompan"}},
      {mactZoomWindowOrdered, 300, 48, 100, 216, "1..5 x 3..9", {"zoompan"}},
      {mactZoomWindow, 100, 48, 100, 216, "0..10 x 0..10", {}},
      {mactZoomWindowOrdered, 100, 48, 300, 48, "0..10 x 0..10", {}},
  };
  for (const Case& c : cases) {
    chart.SetRange(1, 0, 0, 10, 10);
    chart.SetMouseAction(c.mode);
    log.clear();
    Drag(c.x1, c.y1, c.x2, c.y2);
    EXPECT_EQ(Ranges(chart, 1), c.ranges);
    EXPECT_EQ(log, c.events);
    EXPECT_EQ(chart.ZoomState(), zsIdle);
    TBitmap fresh;  // no trace of the window is left on the screen
    chart.CopyToBitmap(fresh, false);
    EXPECT_TRUE(SamePicture(fresh, Shown()));
  }
}

// Rubber bands and selections report once per mouse-affected layer in its own units, before
// OnZoomPan; the ranges stay.
TEST_F(MouseTest, BandsAndSelectionsReportEveryMouseAffectedLayer) {
  chart.SetMouseAffectsLayer(2, true);
  auto record = [this](const char* name) {
    return [this, name](TObject* s, int L, double x1, double y1, double x2, double y2) {
      EXPECT_EQ(s, &chart);
      log.push_back(Event(name, L, x1, y1, x2, y2));
    };
  };
  chart.OnRubberBand = record("band");
  chart.OnSelectRect = record("select");
  chart.SetMouseAction(mactRubberBand);
  Drag(300, 48, 100, 216);
  chart.SetMouseAction(mactSelectRect);
  Drag(300, 48, 100, 216);
  EXPECT_EQ(log,
            (Log{Event("band", 1, 5, 9, 1, 3), Event("band", 2, 50, 90, 10, 30), "zoompan",
                 Event("select", 1, 1, 3, 5, 9), Event("select", 2, 10, 30, 50, 90), "zoompan"}));
  EXPECT_EQ(Ranges(chart, 1), "0..10 x 0..10");
}

// While the window is drawn only its XOR outline differs from the picture; a right release, a
// second button or a release without width takes it away pixel for pixel.
TEST_F(MouseTest, XorFiguresLeaveThePictureExactlyAsBefore) {
  const TBitmap before = Shown();
  for (TMouseActMode mode : {mactZoomWindow, mactRubberBand, mactSelectRect}) {
    chart.SetMouseAction(mode);
    host.MouseDown(mbLeft, 100, 100);
    host.MouseMove(200, 150);
    host.MouseMove(250, 130);
    EXPECT_EQ(chart.ZoomState(), zsDrawing);
    const TBitmap drawing = Shown();
    EXPECT_FALSE(SamePicture(before, drawing));
    // The outline inverts exactly the pixels between the corners.
    EXPECT_EQ(drawing.ScanLine(100)[100], before.ScanLine(100)[100] ^ 0xFFFFFFu);
    EXPECT_EQ(drawing.ScanLine(99)[100], before.ScanLine(99)[100]);
    host.MouseDown(mbRight, 250, 130);  // a second button changes nothing
    host.MouseUp(mbRight, 250, 130);    // its release cancels
    EXPECT_EQ(chart.ZoomState(), zsIdle);
    host.MouseMove(260, 140);
    host.MouseUp(mbLeft, 260, 140);
    EXPECT_TRUE(SamePicture(before, Shown()));
    EXPECT_EQ(Ranges(chart, 1), "0..10 x 0..10");
  }
  chart.SetMouseAction(mactRubberBand);  // a vertical band cannot zoom, and is taken away
  Drag(100, 100, 100, 200);
  EXPECT_TRUE(SamePicture(before, Shown()));
  EXPECT_TRUE(log.empty());
}

// The window stays inside the data area when the pointer leaves the control; an isometric chart
// draws square zoom windows.
TEST_F(MouseTest, WindowsAreClampedToTheDataAreaAndSquareWhenIsometric) {
  chart.SetMouseAction(mactZoomWindowOrdered);
  Drag(300, 48, 700, -30);
  EXPECT_EQ(Ranges(chart, 1), "5..10 x 9..10");
  chart.SetBounds(0, 0, 570, 340);
  chart.SetIsometric(true);
  chart.SetRange(1, 0, 0, 10, 10);
  Drag(100, 100, 200, 130);  // 100 pixels wide, made 100 high
  EXPECT_NEAR(chart.Scale1X().RangeHigh() - chart.Scale1X().RangeLow(), 2, 1e-9);
  EXPECT_NEAR(chart.Scale1Y().RangeHigh() - chart.Scale1Y().RangeLow(), 2, 0.01);
}

TEST_F(MouseTest, MouseBoxAsksTheUserForARectangle) {
  double xLo = -7, yLo = -7, xHi = -7, yHi = -7;
  host.Post([&] { host.MouseDown(mbLeft, 300, 48); });
  host.Post([&] { host.MouseMove(700, 500); });  // the box stays in the data area
  host.Post([&] { host.MouseUp(mbLeft, 100, 216); });
  const TBitmap before = Shown();
  EXPECT_TRUE(chart.MouseBox(xLo, yLo, xHi, yHi));
  EXPECT_EQ(std::vector<double>({xLo, yLo, xHi, yHi}), std::vector<double>({1, 3, 5, 9}));
  EXPECT_TRUE(SamePicture(before, Shown()));  // the box is gone

  host.Post([&] { host.MouseDown(mbRight, 300, 48); });  // the right button refuses
  EXPECT_FALSE(chart.MouseBox(xLo, yLo, xHi, yHi));
  EXPECT_EQ(xLo, 1);
  host.Post([&] { host.MouseDown(mbLeft, 300, 48); });
  host.Post([&] { host.MouseMove(200, 100); });
  host.Post([&] { chart.MouseBoxAbort(); });
  EXPECT_FALSE(chart.MouseBox(xLo, yLo, xHi, yHi));
  EXPECT_TRUE(SamePicture(before, Shown()));
  host.MouseUp(mbLeft, 200, 100);

  TCustomRChart hidden(nullptr);  // no window: nobody could answer
  EXPECT_FALSE(hidden.MouseBox(xLo, yLo, xHi, yHi));
}

}  // namespace
}  // namespace kiv
