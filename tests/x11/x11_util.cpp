#include "x11_util.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/x11/x11_host.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace kiv::test {

namespace {
// A busy server turns connections away now and then: retry like the host does.
Display* Open() {
  for (int attempt = 0; attempt < 40; ++attempt) {
    if (Display* d = XOpenDisplay(nullptr)) return d;
    if (std::getenv("DISPLAY") == nullptr) return nullptr;
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
  }
  return nullptr;
}
}  // namespace

bool HaveDisplay() {
  static const bool have = [] {
    Display* d = Open();
    if (d == nullptr) return false;
    XCloseDisplay(d);
    return true;
  }();
  return have;
}

TOtherClient::TOtherClient() : dpy_(Open()) {}

TOtherClient::~TOtherClient() {
  if (dpy_ != nullptr) XCloseDisplay(dpy_);
}

TBitmap TOtherClient::Capture(unsigned long Window) {
  XWindowAttributes a;
  XGetWindowAttributes(dpy_, Window, &a);
  XImage* img = XGetImage(dpy_, Window, 0, 0, static_cast<unsigned>(a.width),
                          static_cast<unsigned>(a.height), AllPlanes, ZPixmap);
  TBitmap out(a.width, a.height);
  if (img == nullptr) return out;
  for (int y = 0; y < a.height; ++y) {
    TPixel* row = out.ScanLine(y);
    for (int x = 0; x < a.width; ++x)
      row[x] = 0xFF000000u | static_cast<TPixel>(XGetPixel(img, x, y) & 0xFFFFFF);
  }
  XDestroyImage(img);
  return out;
}

void TOtherClient::MovePointer(unsigned long Window, int X, int Y) {
  int rx = 0, ry = 0;
  ::Window child;
  XTranslateCoordinates(dpy_, Window, DefaultRootWindow(dpy_), X, Y, &rx, &ry, &child);
  XTestFakeMotionEvent(dpy_, DefaultScreen(dpy_), rx, ry, CurrentTime);
  XSync(dpy_, False);
}

void TOtherClient::Button(unsigned int B, bool Press) {
  XTestFakeButtonEvent(dpy_, B, Press ? True : False, CurrentTime);
  XSync(dpy_, False);
}

void TOtherClient::Key(unsigned long KeySym, bool Press) {
  XTestFakeKeyEvent(dpy_, XKeysymToKeycode(dpy_, KeySym), Press ? True : False, CurrentTime);
  XSync(dpy_, False);
}

void TOtherClient::Resize(unsigned long Window, int W, int H) {
  XResizeWindow(dpy_, Window, static_cast<unsigned>(W), static_cast<unsigned>(H));
  XSync(dpy_, False);
}

unsigned long TOtherClient::FindWindow(const std::string& Title) {
  ::Window root = 0, parent = 0, *children = nullptr;
  unsigned int n = 0;
  unsigned long found = 0;
  if (XQueryTree(dpy_, DefaultRootWindow(dpy_), &root, &parent, &children, &n) == 0) return 0;
  for (unsigned int i = 0; i < n && found == 0; ++i) {
    char* name = nullptr;
    XWindowAttributes a;
    if (XFetchName(dpy_, children[i], &name) != 0 && name != nullptr) {
      if (Title == name && XGetWindowAttributes(dpy_, children[i], &a) && a.map_state == IsViewable)
        found = children[i];
      XFree(name);
    }
  }
  if (children != nullptr) XFree(children);
  return found;
}

bool PumpUntil(TX11Host& Host, const std::function<bool()>& Done,
               std::chrono::milliseconds Timeout) {
  const auto end = std::chrono::steady_clock::now() + Timeout;
  for (;;) {
    Host.Sync();
    Host.ProcessMessages();
    if (Done()) return true;
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

int RunOnce(TX11Host& Host, const std::string& Command, std::string& Output, std::string& Errors);

int RunWhilePumping(TX11Host& Host, const std::string& Command, std::string& Output) {
  std::string errors;
  int status = -1;
  for (int attempt = 0; attempt < 10; ++attempt) {
    status = RunOnce(Host, Command, Output, errors);
    if (errors.find("display") == std::string::npos) break;
  }
  return status;
}

int RunOnce(TX11Host& Host, const std::string& Command, std::string& Output, std::string& Errors) {
  char path[] = "/tmp/kiv-x11-out.XXXXXX";
  char epath[] = "/tmp/kiv-x11-err.XXXXXX";
  const int efd = mkstemp(epath);
  const int fd = mkstemp(path);
  if (fd < 0) return -1;
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(fd, 1);
    if (efd >= 0) dup2(efd, 2);
    execl("/bin/sh", "sh", "-c", Command.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fd);
  if (efd >= 0) close(efd);
  int status = -1;
  const bool done = PumpUntil(
      Host, [&] { return waitpid(pid, &status, WNOHANG) == pid; }, std::chrono::seconds(10));
  if (!done) {
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    status = -1;
  }
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  Output = s.str();
  unlink(path);
  std::ifstream err(epath, std::ios::binary);
  std::stringstream e;
  e << err.rdbuf();
  Errors = e.str();
  unlink(epath);
  return done && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void SampleChart(TCustomRChart& c, int W, int H) {
  c.SetBounds(0, 0, W, H);
  c.SetStandardLayout(rcl_X2Both_Y2Both);
  c.SetCaption("Window test");
  c.SetRange(1, 0, -1.2, 10, 1.2);
  c.SetGridStyle(gsDotLines);
  c.SetDataColor(clNavy);
  for (int i = 0; i <= 200; ++i) {
    const double x = i * 0.05, y = std::sin(x) * std::exp(-0.1 * x);
    if (i == 0)
      c.MoveTo(x, y);
    else
      c.DrawTo(x, y);
  }
  c.SetDataColor(clRed);
  for (int i = 0; i <= 10; ++i)
    c.MarkAt(static_cast<double>(i), std::cos(i * 0.6), std::uint8_t{3});
  c.AddTextLabel(1, 1, clGreen, "window");
}

std::string FirstDifference(const TBitmap& A, const TBitmap& B) {
  if (A.Width() != B.Width() || A.Height() != B.Height())
    return "sizes " + std::to_string(A.Width()) + "x" + std::to_string(A.Height()) + " vs " +
           std::to_string(B.Width()) + "x" + std::to_string(B.Height());
  for (int y = 0; y < A.Height(); ++y)
    for (int x = 0; x < A.Width(); ++x) {
      const TPixel a = A.ScanLine(y)[x] & 0xFFFFFF, b = B.ScanLine(y)[x] & 0xFFFFFF;
      if (a != b) {
        char buf[80];
        std::snprintf(buf, sizeof buf, "(%d, %d): %06x vs %06x", x, y, a, b);
        return buf;
      }
    }
  return "";
}

}  // namespace kiv::test
