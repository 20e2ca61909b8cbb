// Charts in real X windows: what the server shows, input from another client, resizes, and
// the modal message window.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/application.h"
#include "platform/forms.h"
#include "platform/x11/x11_host.h"
#include "x11_util.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace kiv {
namespace {

using test::FirstDifference;
using test::PumpUntil;
using test::TOtherClient;

// A form at (30, 20) holding a chart that fills it.
struct ChartWindow {
  explicit ChartWindow(TX11Host& host, int w = 400, int h = 300) : form(nullptr), chart(nullptr) {
    form.SetCaption("kivchart window test");
    form.SetBounds(30, 20, w, h);
    test::SampleChart(chart, w, h);
    chart.SetParent(&form);
    chart.SetAlign(alClient);
    host.Show(form);
    PumpUntil(host, [&] { return host.PresentCount(form) > 0; });
  }
  TForm form;
  TCustomRChart chart;
};

TEST(X11Window, ShowsTheChartsExactPixelsAndRepaintsAfterAResize) {
  KIV_NEED_DISPLAY();
  for (const bool shm : {true, false}) {
    SCOPED_TRACE(shm ? "shared memory" : "XPutImage");
    TX11Host host("", shm);
    EXPECT_EQ(host.UsesSharedMemory(), shm);
    ChartWindow w(host);
    TOtherClient other;
    const unsigned long win = host.WindowId(w.form);
    ASSERT_NE(win, 0u);
    TBitmap expected;
    w.chart.CopyToBitmap(expected, false);
    EXPECT_EQ(FirstDifference(other.Capture(win), expected), "");

    // Another client resizes the window: the chart follows and the new picture is shown.
    other.Resize(win, 520, 360);
    ASSERT_TRUE(PumpUntil(host, [&] { return w.chart.Width() == 520 && w.chart.Height() == 360; }));
    PumpUntil(
        host, [] { return false; }, std::chrono::milliseconds(50));
    w.chart.CopyToBitmap(expected, false);
    EXPECT_EQ(FirstDifference(other.Capture(win), expected), "");

    // A size set by the program goes to the window.
    w.form.SetBounds(w.form.Left(), w.form.Top(), 300, 200);
    host.ProcessMessages();
    host.Sync();
    XWindowAttributes a;
    XGetWindowAttributes(other.Dpy(), win, &a);
    EXPECT_EQ(a.width, 300);
    EXPECT_EQ(a.height, 200);
  }
}

TEST(X11Window, InputFromAnotherClientReachesTheHandlers) {
  KIV_NEED_DISPLAY();
  TX11Host host;
  ChartWindow w(host);
  TOtherClient other;
  const unsigned long win = host.WindowId(w.form);
  std::vector<std::string> log;
  auto point = [](const char* what, int x, int y) {
    return std::string(what) + " " + std::to_string(x) + "," + std::to_string(y);
  };
  w.chart.OnMouseEnter = [&](TObject*) { log.push_back("enter"); };
  w.chart.OnMouseLeave = [&](TObject*) { log.push_back("leave"); };
  w.chart.OnMouseDown = [&](TObject*, TMouseButton b, TShiftState s, int x, int y) {
    log.push_back(point(b == mbLeft ? "down left" : "down right", x, y) +
                  (s.Contains(ssDouble) ? " double" : ""));
  };
  w.chart.OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int x, int y) {
    log.push_back(point("up", x, y));
  };
  w.chart.OnDblClick = [&](TObject*) { log.push_back("dblclick"); };
  w.chart.OnMouseWheel = [&](TObject*, TShiftState, int delta, TPoint, bool& handled) {
    log.push_back("wheel " + std::to_string(delta));
    handled = true;
  };
  int moves = 0;
  TPoint last;
  w.chart.OnMouseMove = [&](TObject*, TShiftState, int x, int y) {
    ++moves;
    last = TPoint(x, y);
  };
  std::vector<std::string> keys;
  w.form.OnKeyDown = [&](TObject*, std::uint16_t& key, TShiftState s) {
    keys.push_back(std::to_string(key) + (s.Contains(ssCtrl) ? " ctrl" : ""));
  };
  auto settle = [&] {
    PumpUntil(
        host, [] { return false; }, std::chrono::milliseconds(40));
  };

  other.MovePointer(win, 100, 80);
  ASSERT_TRUE(PumpUntil(host, [&] { return last == TPoint(100, 80); }));
  other.MovePointer(win, 120, 90);
  ASSERT_TRUE(PumpUntil(host, [&] { return last == TPoint(120, 90); }));
  other.Button(1, true);
  other.Button(1, false);
  other.Button(1, true);  // the second press within the double-click time
  other.Button(1, false);
  other.Button(3, true);
  other.Button(3, false);
  other.Button(4, true);
  other.Button(4, false);
  other.Button(5, true);
  other.Button(5, false);
  settle();
  other.Key(XK_Control_L, true);
  other.Key(XK_c, true);
  other.Key(XK_c, false);
  other.Key(XK_Control_L, false);
  other.Key(XK_BackSpace, true);
  other.Key(XK_BackSpace, false);
  settle();
  other.MovePointer(DefaultRootWindow(other.Dpy()), 5, 5);  // outside the window
  settle();
  EXPECT_GE(moves, 2);
  // The chart swallows the press that makes a double click (its OnDblClick has it).
  const std::vector<std::string> expected = {
      "enter",     "down left 120,90", "up 120,90",  "dblclick", "up 120,90", "down right 120,90",
      "up 120,90", "wheel 120",        "wheel -120", "leave"};
  EXPECT_EQ(log, expected);
  const std::vector<std::string> expected_keys = {
      std::to_string(VK_CONTROL), std::to_string('C') + " ctrl", std::to_string(VK_BACK)};
  EXPECT_EQ(keys, expected_keys);
}

TEST(X11Window, MessageWindowAnswersWithTheKeyPressed) {
  KIV_NEED_DISPLAY();
  TX11Host host;
  Application().SetTitle("kivchart");
  struct Case {
    unsigned long key;
    TMsgDlgButtons buttons;
    TModalResult result;
  };
  const Case cases[] = {
      {XK_Return, mbYesNo, mrYes},        // the default button
      {XK_Escape, mbYesNo, mrNo},         // the way out
      {XK_Escape, mbOKCancel, mrCancel},  //
      {XK_Tab, mbOKCancel, mrCancel},     // Tab moves to Cancel, then Return presses it
  };
  for (const Case& c : cases) {
    std::atomic<bool> pressed{false};
    std::thread user([&] {
      TOtherClient other;
      unsigned long box = 0;
      for (int i = 0; i < 300 && box == 0; ++i) {
        box = other.FindWindow("Confirm");
        if (box == 0) std::this_thread::sleep_for(std::chrono::milliseconds(10));
      }
      if (box == 0) return;
      other.MovePointer(box, 5, 5);
      other.Key(c.key, true);
      other.Key(c.key, false);
      if (c.key == XK_Tab) {
        other.Key(XK_Return, true);
        other.Key(XK_Return, false);
      }
      pressed = true;
    });
    const TModalResult r = host.MessageDlg("Replace the chart?", mtConfirmation, c.buttons);
    user.join();
    EXPECT_TRUE(pressed);
    EXPECT_EQ(r, c.result);
  }
}

}  // namespace
}  // namespace kiv
