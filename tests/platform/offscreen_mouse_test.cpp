#include <gtest/gtest.h>

#include "control_probe.h"
#include "platform/forms.h"
#include "platform/offscreen_host.h"

namespace kiv {
namespace {

using test::TProbe;
using Log = std::vector<std::string>;

// A form 200 x 100 with a chart-like probe at (50, 20), 100 x 60.
class Mouse : public ::testing::Test {
 protected:
  void SetUp() override {
    form.SetBounds(0, 0, 200, 100);
    host.Show(form);
    chart.Clear();
  }
  TOffscreenHost host;
  TForm form{nullptr};
  TProbe chart{nullptr, &form, Bounds(50, 20, 100, 60)};
};

TEST_F(Mouse, InputGoesToTheControlUnderThePointerInItsCoordinates) {
  host.MouseMove(60, 30);
  host.MouseMove(70, 35);
  EXPECT_EQ(chart.Log, (Log{"enter", "move 10,10", "move 20,15"}));
}

TEST_F(Mouse, EventsCarrySenderButtonShiftAndPosition) {
  TMouseButton button = mbMiddle;
  TShiftState shift;
  TPoint at;
  chart.OnMouseDown = [&](TObject* sender, TMouseButton b, TShiftState s, int x, int y) {
    EXPECT_EQ(sender, &chart);
    button = b;
    shift = s;
    at = Point(x, y);
  };
  host.MouseDown(mbLeft, 55, 25, {ssShift});
  EXPECT_EQ(button, mbLeft);
  EXPECT_EQ(shift, (TShiftState{ssShift, ssLeft}));
  EXPECT_EQ(at, Point(5, 5));
}

TEST_F(Mouse, ClickFollowsAPressAndReleaseOverTheControl) {
  int clicks = 0;
  chart.OnClick = [&](TObject*) { ++clicks; };
  host.Click(chart, 10, 10);  // the pointer moves there first, as a real one would
  EXPECT_EQ(chart.Log, (Log{"enter", "move 10,10", "down left 10,10", "click", "up left 10,10"}));
  host.MouseDown(chart, mbLeft, 10, 10);
  host.MouseUp(mbLeft, 5, 5);  // released outside the chart: no click
  EXPECT_EQ(clicks, 1);
}

TEST_F(Mouse, DoubleClickCallsDblClickBeforeTheSecondMouseDown) {
  host.MouseMove(chart, 10, 10);
  chart.Clear();
  host.DoubleClick(chart, 10, 10);
  EXPECT_EQ(chart.Log, (Log{"down left 10,10", "click", "up left 10,10", "dblclick",
                            "down2 left 10,10", "up left 10,10"}));
}

TEST_F(Mouse, SeparatePressesNeverMakeADoubleClick) {
  host.Click(chart, 10, 10);
  host.Click(chart, 10, 10);
  EXPECT_EQ(std::count(chart.Log.begin(), chart.Log.end(), "dblclick"), 0);
}

TEST_F(Mouse, ADragThatLeavesTheControlKeepsReachingIt) {
  host.MouseDown(chart, mbLeft, 10, 10);
  host.MouseMove(10, 5);  // over the form, left of and above the chart
  host.MouseUp(mbLeft, 10, 5);
  EXPECT_EQ(chart.Log, (Log{"enter", "move 10,10", "down left 10,10", "leave", "drag -40,-15",
                            "up left -40,-15"}));
  host.MouseMove(12, 5);
  EXPECT_EQ(chart.Log.size(), 6u);  // the grab ended with the release
}

TEST_F(Mouse, CaptureRoutesEverythingToTheCapturingControl) {
  TProbe other(nullptr, &form, Bounds(0, 0, 20, 20));
  chart.SetMouseCapture(true);
  host.MouseMove(5, 5);
  EXPECT_EQ(chart.Log.back(), "move -45,-15");
  EXPECT_EQ(other.Log, (Log{"enter"}));
  chart.SetMouseCapture(false);
  host.MouseMove(6, 6);
  EXPECT_EQ(other.Log.back(), "move 6,6");
}

TEST_F(Mouse, EnterAndLeaveFollowThePointerAcrossControls) {
  std::vector<std::string> events;
  chart.OnMouseEnter = [&](TObject*) { events.push_back("chart in"); };
  chart.OnMouseLeave = [&](TObject*) { events.push_back("chart out"); };
  form.OnMouseEnter = [&](TObject*) { events.push_back("form in"); };
  form.OnMouseLeave = [&](TObject*) { events.push_back("form out"); };
  host.MouseMove(10, 10);
  host.MouseMove(60, 30);
  host.MouseMove(10, 10);
  host.MouseMove(300, 10);  // outside the window
  EXPECT_EQ(events, (Log{"form in", "form out", "chart in", "chart out", "form in", "form out"}));
}

TEST_F(Mouse, WheelGoesUpTheParentsUntilUsed) {
  std::vector<std::string> events;
  chart.OnMouseWheelDown = [&](TObject*, TShiftState, TPoint p, bool&) {
    events.push_back("chart " + std::to_string(p.X));
  };
  form.OnMouseWheel = [&](TObject*, TShiftState, int delta, TPoint, bool& handled) {
    events.push_back("form " + std::to_string(delta));
    handled = true;
  };
  host.Wheel(chart, 1, 1, -WHEEL_DELTA);
  EXPECT_EQ(events, (Log{"chart 51", "form -120"}));  // screen coordinates
}

TEST_F(Mouse, RightReleaseAsksForAContextMenu) {
  TPoint asked(-1, -1);
  chart.OnContextPopup = [&](TObject*, TPoint p, bool& handled) {
    asked = p;
    handled = true;
  };
  host.Click(chart, 7, 8, {}, mbRight);
  EXPECT_EQ(asked, Point(7, 8));
}

TEST_F(Mouse, DisabledControlsLetTheMouseFallThroughToTheirParent) {
  int form_downs = 0;
  form.OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++form_downs; };
  chart.SetEnabled(false);
  host.Click(60, 30);
  EXPECT_TRUE(chart.Log.empty());
  EXPECT_EQ(form_downs, 1);
}

TEST_F(Mouse, HandlersMayDestroyTheControlTheyRunFor) {
  auto doomed = std::make_unique<TProbe>(nullptr, &form, Bounds(0, 0, 20, 20));
  doomed->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { doomed.reset(); };
  doomed->OnContextPopup = [](TObject*, TPoint, bool&) { FAIL(); };
  host.Click(5, 5, {}, mbRight);
  EXPECT_EQ(doomed, nullptr);
  host.MouseMove(6, 6);
  EXPECT_EQ(host.ControlUnderPointer(), &form);
}

// A control that reports every mouse-move message before the usual handling, and guards
// against handlers that pump messages from inside the event.
class TInChart : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  Log Events;
  std::function<void()> OnMoveInChart;

 protected:
  void WMMouseMove(TWMMouse& Message) override {
    if (active_) return;
    active_ = true;
    TCustomControl::WMMouseMove(Message);
    Events.push_back("in chart " + std::to_string(Message.XPos));
    if (OnMoveInChart) OnMoveInChart();
    active_ = false;
  }
  void MouseMove(TShiftState Shift, int X, int Y) override {
    Events.push_back("move " + std::to_string(X));
    TCustomControl::MouseMove(Shift, X, Y);
  }

 private:
  bool active_ = false;
};

TEST(MouseMessages, AComponentCanWrapTheMouseMoveMessage) {
  TOffscreenHost host;
  Application().SetHost(&host);
  TInChart chart(nullptr);
  chart.SetBounds(0, 0, 50, 50);
  host.Show(chart);
  host.Post([&] { host.MouseMove(20, 20); });  // arrives while the handler pumps
  chart.OnMoveInChart = [&] { Application().ProcessMessages(); };
  host.MouseMove(10, 10);
  EXPECT_EQ(chart.Events, (Log{"move 10", "in chart 10"}));
}

// A control with the shape of a modal query: it pumps messages until the user has pressed and
// released the button over it.
class TBoxQuery : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  bool Ask(TOffscreenHost& host) {
    state_ = 1;
    for (int round = 0; round < 100 && state_ != 3; ++round) Application().ProcessMessages();
    static_cast<void>(host);
    const bool done = state_ == 3;
    state_ = 0;
    return done;
  }
  TPoint From, To;

 protected:
  void MouseDown(TMouseButton b, TShiftState s, int x, int y) override {
    TCustomControl::MouseDown(b, s, x, y);
    if (state_ == 1) {
      From = Point(x, y);
      state_ = 2;
    }
  }
  void MouseUp(TMouseButton b, TShiftState s, int x, int y) override {
    TCustomControl::MouseUp(b, s, x, y);
    if (state_ == 2) {
      To = Point(x, y);
      state_ = 3;
    }
  }

 private:
  int state_ = 0;
};

TEST(MouseModal, PostedInputReachesAControlWaitingInAModalLoop) {
  TOffscreenHost host;
  Application().SetHost(&host);
  TBoxQuery box(nullptr);
  box.SetBounds(0, 0, 100, 100);
  host.Show(box);
  host.Post([&] { host.MouseDown(mbLeft, 10, 20); });
  host.Post([&] { host.MouseMove(40, 50, {}); });
  host.Post([&] { host.MouseUp(mbLeft, 60, 70); });
  EXPECT_TRUE(box.Ask(host));
  EXPECT_EQ(box.From, Point(10, 20));
  EXPECT_EQ(box.To, Point(60, 70));
}

}  // namespace
}  // namespace kiv
