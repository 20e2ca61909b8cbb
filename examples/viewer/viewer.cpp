// kiv_viewer: a chart of a million points and a stand-alone scale in an X11 window.
//
// Keys: P pan, W zoom window, D zoom drag, C crosshair, N no mouse action; Backspace goes one
// step back in the zoom history, Home shows everything; Ctrl+C copies the chart to the
// clipboard, Ctrl+P prints it to viewer.pdf; Escape or closing the window ends the program.
//
//   kiv_viewer                   runs interactively on $DISPLAY
//   kiv_viewer --script OUT.png  plays a short session through XTest and writes the window as
//                                the X server shows it to OUT.png (and the PDF beside it)
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

#include "platform/application.h"
#include "platform/clipboard.h"
#include "platform/errors.h"
#include "platform/forms.h"
#include "platform/printer.h"
#include "platform/x11/x11_host.h"
#include "rchart/customrchart.h"
#include "scale/scale.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace {

using namespace kiv;

constexpr int kPoints = 1000000;

const char* ModeName(TMouseActMode m) {
  switch (m) {
    case mactPan:
      return "pan";
    case mactZoomWindow:
      return "zoom window";
    case mactZoomDrag:
      return "zoom drag";
    case mactDragCrosshair:
      return "crosshair";
    default:
      return "no mouse action";
  }
}

class TViewer {
 public:
  explicit TViewer(std::string PdfPath)
      : form_(nullptr), chart_(nullptr), scale_(nullptr), pdf_(std::move(PdfPath)) {
    form_.SetBounds(40, 40, 900, 640);
    chart_.SetParent(&form_);
    chart_.SetAlign(alClient);
    scale_.SetParent(&form_);
    scale_.SetBounds(0, 560, 900, 80);
    scale_.SetAlign(alBottom);
    BuildChart();
    BuildScale();
    form_.OnKeyDown = [this](TObject*, std::uint16_t& key, TShiftState shift) { Key(key, shift); };
    form_.OnClose = [](TObject*, TCloseAction&) { Application().Terminate(); };
    chart_.OnZoomPan = [this](TObject*) {
      back_ = 0;
      SyncScale();
    };
    SetMode(mactPan);
  }

  TForm& Form() { return form_; }
  TCustomRChart& Chart() { return chart_; }

 private:
  // A noisy damped oscillation of a million points, drawn as one polyline.
  void BuildChart() {
    chart_.SetStandardLayout(rcl_X1Bottom_Y1Left);
    chart_.SetGridStyle(gsDotLines);
    chart_.SetGridColor(clSilver);
    chart_.SetChartColor(RGB(250, 250, 255));
    chart_.Scale1X().SetCaption("t [s]");
    chart_.Scale1Y().SetCaption("x [mm]");
    chart_.SetRange(1, 0.0, -1.5, 100.0, 1.5);
    chart_.SetDataColor(clNavy);
    std::mt19937 rng(7);
    std::normal_distribution<double> noise(0.0, 0.05);
    for (int i = 0; i < kPoints; ++i) {
      const double t = i * (100.0 / kPoints);
      const double x = std::exp(-0.02 * t) * std::sin(0.9 * t) + noise(rng);
      if (i == 0)
        chart_.MoveTo(t, x);
      else
        chart_.DrawTo(t, x);
    }
    chart_.CrossHair1().SetColor(clRed);
    chart_.CrossHair1().SetPos(50, 0);
    chart_.ClearZoomHistory();
  }

  // A stand-alone scale of the time axis in minutes.
  void BuildScale() {
    scale_.SetScaleType(sctLabelsBelow);
    scale_.SetRange(0, 100.0 / 60);
    scale_.SetMarginLeft(chart_.MarginLeft());
    scale_.SetMarginRight(chart_.MarginRight());
    scale_.SetMarginTop(8);
    scale_.SetCaption("t [min]");
    scale_.SetCaptionAnchor(uaSclCenter);
  }

  void SetMode(TMouseActMode m) {
    chart_.SetMouseAction(m);
    chart_.CrossHair1().SetMode(m == mactDragCrosshair ? chBoth : chOff);
    chart_.Repaint();
    form_.SetCaption(std::string("kivchart viewer: ") + ModeName(m) +
                     " (P W D C N, Backspace, "
                     "Ctrl+C, Ctrl+P)");
  }

  // Each Backspace goes one step further back in the zoom history; a new zoom or pan starts
  // counting again.
  void ZoomBack() {
    back_ = std::max(back_ - 1, -15);
    chart_.ZoomHistory(back_);
    SyncScale();
  }

  // The scale shows the chart's time range in minutes.
  void SyncScale() {
    scale_.SetRange(chart_.Scale1X().RangeLow() / 60, chart_.Scale1X().RangeHigh() / 60);
  }

  void Key(std::uint16_t key, TShiftState shift) {
    if (shift.Contains(ssCtrl) && key == 'C') {
      chart_.CopyToClipboard(false);
    } else if (shift.Contains(ssCtrl) && key == 'P') {
      try {
        Printer().SetTargetFile(pdf_);
        Printer().Title = "kivchart viewer";
        chart_.PrintIt(1.0, false);
        std::printf("printed to %s\n", pdf_.c_str());
      } catch (const EPlatformError& e) {
        MessageDlg(e.what(), mtError, {mbOK});
      }
    } else if (key == 'P') {
      SetMode(mactPan);
    } else if (key == 'W') {
      SetMode(mactZoomWindow);
    } else if (key == 'D') {
      SetMode(mactZoomDrag);
    } else if (key == 'C') {
      SetMode(mactDragCrosshair);
    } else if (key == 'N') {
      SetMode(mactNone);
    } else if (key == VK_BACK) {
      ZoomBack();
    } else if (key == VK_HOME) {
      chart_.SetRange(1, 0.0, -1.5, 100.0, 1.5);
      chart_.Repaint();
      SyncScale();
    } else if (key == VK_ESCAPE) {
      Application().Terminate();
    }
  }

  TForm form_;
  TCustomRChart chart_;
  TScale scale_;
  std::string pdf_;
  int back_ = 0;
};

// ---------------------------------------------------------------------------------------------
// The scripted session: another X client types at the window, then reads it back.

void Type(Display* dpy, KeySym sym, bool ctrl) {
  const KeyCode control = XKeysymToKeycode(dpy, XK_Control_L);
  if (ctrl) XTestFakeKeyEvent(dpy, control, True, CurrentTime);
  XTestFakeKeyEvent(dpy, XKeysymToKeycode(dpy, sym), True, CurrentTime);
  XTestFakeKeyEvent(dpy, XKeysymToKeycode(dpy, sym), False, CurrentTime);
  if (ctrl) XTestFakeKeyEvent(dpy, control, False, CurrentTime);
  XSync(dpy, False);
}

void Settle(TX11Host& host, int ms) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (std::chrono::steady_clock::now() < end) {
    host.Sync();
    host.ProcessMessages();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

bool SaveWindow(Display* dpy, unsigned long win, const std::string& path) {
  XWindowAttributes a;
  if (!XGetWindowAttributes(dpy, win, &a)) return false;
  XImage* img = XGetImage(dpy, win, 0, 0, static_cast<unsigned>(a.width),
                          static_cast<unsigned>(a.height), AllPlanes, ZPixmap);
  if (img == nullptr) return false;
  TBitmap shot(a.width, a.height);
  for (int y = 0; y < a.height; ++y)
    for (int x = 0; x < a.width; ++x)
      shot.ScanLine(y)[x] = 0xFF000000u | static_cast<TPixel>(XGetPixel(img, x, y) & 0xFFFFFF);
  XDestroyImage(img);
  shot.SaveToFile(path);
  return true;
}

int Script(TX11Host& host, TViewer& viewer, const std::string& png) {
  Display* dpy = nullptr;
  for (int attempt = 0; attempt < 40 && dpy == nullptr; ++attempt) {
    dpy = XOpenDisplay(nullptr);  // a busy server may turn a connection away for a moment
    if (dpy == nullptr) std::this_thread::sleep_for(std::chrono::milliseconds(25));
  }
  if (dpy == nullptr) return 1;
  const unsigned long win = host.WindowId(viewer.Form());
  Settle(host, 100);
  int ox = 0, oy = 0;
  Window child;
  XTranslateCoordinates(dpy, win, DefaultRootWindow(dpy), 0, 0, &ox, &oy, &child);
  auto move = [&](int x, int y) {
    XTestFakeMotionEvent(dpy, DefaultScreen(dpy), ox + x, oy + y, CurrentTime);
    XSync(dpy, False);
    Settle(host, 20);
  };
  auto drag = [&](int x1, int y1, int x2, int y2) {
    move(x1, y1);
    XTestFakeButtonEvent(dpy, 1, True, CurrentTime);
    for (int i = 1; i <= 8; ++i) move(x1 + (x2 - x1) * i / 8, y1 + (y2 - y1) * i / 8);
    XTestFakeButtonEvent(dpy, 1, False, CurrentTime);
    XSync(dpy, False);
    Settle(host, 50);
  };
  // Pan left by a quarter, zoom into a window, step back to the panned view, then the
  // crosshair follows the pointer; copy and print.
  Type(dpy, XK_p, false);
  drag(500, 300, 300, 300);
  Type(dpy, XK_w, false);
  drag(200, 150, 520, 420);
  Settle(host, 50);
  Type(dpy, XK_BackSpace, false);
  Type(dpy, XK_c, false);
  drag(400, 250, 430, 200);
  Type(dpy, XK_c, true);
  Type(dpy, XK_p, true);
  Settle(host, 300);
  const bool saved = SaveWindow(dpy, win, png);
  XCloseDisplay(dpy);
  return saved && Clipboard().LastFormat() == TClipboardFormat::Bitmap ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string script = argc > 2 && std::string(argv[1]) == "--script" ? argv[2] : "";
  try {
    TX11Host host;
    Application().SetHost(&host);
    Application().SetTitle("kivchart viewer");
    const std::string pdf =
        script.empty() ? "viewer.pdf"
                       : (std::filesystem::path(script).parent_path() / "viewer.pdf").string();
    TViewer viewer(pdf);
    viewer.Form().Show();
    if (!script.empty()) return Script(host, viewer, script);
    Application().Run();
  } catch (const EKIVError& e) {
    std::fprintf(stderr, "kiv_viewer: %s\n", e.what());
    return 1;
  }
  return 0;
}
