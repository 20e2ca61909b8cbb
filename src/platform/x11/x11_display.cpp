// Our headers come before Xlib's, whose macros (None, KeyPress, ...) would clash with them.
#include "platform/x11/x11_display.h"
#include "platform/errors.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <thread>

namespace kiv::x11 {

TDisplay::TDisplay(const std::string& Name) {
  const char* env = std::getenv("DISPLAY");
  name_ = !Name.empty() ? Name : (env != nullptr ? env : "");
  // A busy server may turn a connection away for a moment (its listen queue is full): try a
  // few times before giving up.
  for (int attempt = 0; attempt < 20 && dpy_ == nullptr; ++attempt) {
    if (attempt > 0) std::this_thread::sleep_for(std::chrono::milliseconds(25));
    errno = 0;
    dpy_ = XOpenDisplay(name_.empty() ? nullptr : name_.c_str());
    if (dpy_ == nullptr && errno != EAGAIN && errno != ECONNRESET) break;
  }
  if (dpy_ == nullptr) throw EPlatformError("Cannot open X display \"" + name_ + "\"");
  screen_ = DefaultScreen(dpy_);
  struct Named {
    Atom* atom;
    const char* name;
  };
  const Named names[] = {
      {&atoms_.wm_protocols, "WM_PROTOCOLS"},
      {&atoms_.wm_delete_window, "WM_DELETE_WINDOW"},
      {&atoms_.net_wm_name, "_NET_WM_NAME"},
      {&atoms_.utf8_string, "UTF8_STRING"},
      {&atoms_.clipboard, "CLIPBOARD"},
      {&atoms_.targets, "TARGETS"},
      {&atoms_.multiple, "MULTIPLE"},
      {&atoms_.timestamp, "TIMESTAMP"},
      {&atoms_.incr, "INCR"},
      {&atoms_.text, "TEXT"},
      {&atoms_.text_plain, "text/plain"},
      {&atoms_.text_plain_utf8, "text/plain;charset=utf-8"},
      {&atoms_.string, "STRING"},
      {&atoms_.image_png, "image/png"},
      {&atoms_.image_bmp, "image/bmp"},
      {&atoms_.image_svg, "image/svg+xml"},
      {&atoms_.kiv_selection, "KIV_SELECTION"},
      {&atoms_.kiv_time, "KIV_TIME"},
      {&atoms_.net_wm_window_type, "_NET_WM_WINDOW_TYPE"},
      {&atoms_.net_wm_window_type_dialog, "_NET_WM_WINDOW_TYPE_DIALOG"},
  };
  for (const Named& n : names) *n.atom = XInternAtom(dpy_, n.name, False);
  // Requests are counted in 4-byte units; leave room for the request header.
  long units = XExtendedMaxRequestSize(dpy_);
  if (units == 0) units = XMaxRequestSize(dpy_);
  max_chunk_ = std::min<long>(units * 4 - 256, 256 * 1024);
}

TDisplay::~TDisplay() {
  XCloseDisplay(dpy_);
}

namespace {
bool g_failed = false;
int Record(Display*, XErrorEvent*) {
  g_failed = true;
  return 0;
}
}  // namespace

TErrorTrap::TErrorTrap(Display* Dpy) : dpy_(Dpy) {
  XSync(dpy_, False);
  g_failed = false;
  previous_ = XSetErrorHandler(Record);
}

TErrorTrap::~TErrorTrap() {
  XSync(dpy_, False);
  XSetErrorHandler(previous_);
}

bool TErrorTrap::Failed() {
  XSync(dpy_, False);
  return g_failed;
}

}  // namespace kiv::x11
