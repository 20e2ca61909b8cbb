// The X11 host beside nothing: the time from a pointer event to the new frame on the X server
// while panning a chart of 10^6 line points, and the time to repaint an exposed window whose
// chart did not change. An 800 x 600 window on the X server of $DISPLAY (scripts/bench starts
// Xvfb); without a server it prints no rows.
//
//   kiv_component_x11 write DIR   (nothing to write)
//   kiv_component_x11 rows DIR    task<TAB>ms<TAB>target ms
// The pan is the chart's own (MouseAction mactPan, the left button held through XTest).
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>

#include "platform/application.h"
#include "platform/forms.h"
#include "platform/x11/x11_host.h"
#include "rchart/customrchart.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#ifndef KIV_HAVE_X11
#error "the X11 benchmark needs the X11 host"
#endif

namespace {

using namespace kiv;
using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point t0) {
  return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

int Rows() {
  Display* other = XOpenDisplay(nullptr);
  if (other == nullptr) {
    std::fprintf(stderr, "x11: no X display, no rows\n");
    return 0;
  }
  TX11Host host;
  Application().SetHost(&host);
  TForm form(nullptr);
  form.SetBounds(0, 0, 800, 600);
  TCustomRChart chart(nullptr);
  chart.SetParent(&form);
  chart.SetAlign(alClient);
  chart.SetRange(1, 0.0, -4.0, 1e6, 4.0);
  std::mt19937 rng(1);
  std::normal_distribution<double> step(0.0, 0.01);
  double y = 0;
  for (int i = 0; i < 1000000; ++i) {
    y = std::clamp(y + step(rng), -3.5, 3.5);
    if (i == 0)
      chart.MoveTo(static_cast<double>(i), y);
    else
      chart.DrawTo(static_cast<double>(i), y);
  }
  chart.SetMouseAction(mactPan);
  host.Show(form);
  const unsigned long win = host.WindowId(form);
  for (int i = 0; i < 50 && host.PresentCount(form) == 0; ++i) host.ProcessMessages();
  host.Sync();

  int rx = 0, ry = 0;
  Window child;
  XTranslateCoordinates(other, win, DefaultRootWindow(other), 400, 300, &rx, &ry, &child);
  auto move = [&](int x) {
    XTestFakeMotionEvent(other, DefaultScreen(other), rx + x, ry, CurrentTime);
    XSync(other, False);
  };
  move(0);
  for (int i = 0; i < 20; ++i) host.ProcessMessages();
  // The left button stays down: every move is a pan step of the chart's mouse handling.
  XTestFakeButtonEvent(other, 1, True, CurrentTime);
  XSync(other, False);
  move(3);  // the first move with the button held anchors the drag
  for (int i = 0; i < 20; ++i) host.ProcessMessages();

  // Pan: a pointer move reaches the chart, which pans and repaints; the frame counts as shown
  // when the server has carried out the picture's transfer.
  double pan = 1e9;
  for (int i = 1; i <= 15; ++i) {
    const int before = host.PresentCount(form);
    const auto t0 = Clock::now();
    move(i % 2 == 0 ? 0 : 7);
    while (host.PresentCount(form) == before) host.ProcessMessages();
    host.Sync();
    pan = std::min(pan, Ms(t0));
  }
  XTestFakeButtonEvent(other, 1, False, CurrentTime);
  XSync(other, False);
  for (int i = 0; i < 20; ++i) host.ProcessMessages();

  // Expose: another client clears the window; the host sends the kept picture again.
  double expose = 1e9;
  const int presents = host.PresentCount(form);
  for (int i = 0; i < 15; ++i) {
    const auto t0 = Clock::now();
    XClearArea(other, win, 0, 0, 0, 0, True);
    XSync(other, False);
    host.ProcessMessages();
    host.Sync();
    expose = std::min(expose, Ms(t0));
  }
  if (host.PresentCount(form) != presents) std::fprintf(stderr, "x11: expose painted again\n");
  std::printf("x11 800x600 pan 1e6 points, event to frame\t%.2f\t20\n", pan);
  std::printf("x11 800x600 expose, unchanged chart\t%.2f\t3\n", expose);
  Application().SetHost(nullptr);
  XCloseDisplay(other);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string cmd = argc > 1 ? argv[1] : "";
  if (cmd == "write") return 0;
  if (cmd == "rows") return Rows();
  std::fprintf(stderr, "usage: kiv_component_x11 write|rows DIR\n");
  return 2;
}
