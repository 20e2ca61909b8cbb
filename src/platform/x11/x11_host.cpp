// Our headers come before Xlib's, whose macros (None, KeyPress, ...) would clash with them.
#include "platform/x11/x11_host.h"
#include "platform/application.h"
#include "platform/controls.h"
#include "platform/errors.h"
#include "platform/forms.h"
#include "platform/host_base.h"
#include "platform/x11/x11_clipboard.h"
#include "platform/x11/x11_cursors.h"
#include "platform/x11/x11_dialog.h"
#include "platform/x11/x11_display.h"
#include "platform/x11/x11_image.h"
#include "platform/x11/x11_keys.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <poll.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace kiv {

struct TX11Host::WindowState {
  TWinControl* control = nullptr;
  Window win = 0;
  GC gc = nullptr;
  std::unique_ptr<x11::TWindowImage> image;
  int width = 0;
  int height = 0;
  bool mapped = false;
  int presents = 0;
  TBitmap picture;  // the composed frame, kept to reuse its memory
  // The focused control while the window has the keyboard, kept while it does not.
  TWinControl* saved_focus = nullptr;
};

struct TX11Host::Impl {
  Impl(const std::string& name, bool shm)
      : display(name), cursors(display), clipboard(display), use_shm(shm) {}
  x11::TDisplay display;
  x11::TCursorCache cursors;
  x11::TClipboardOwner clipboard;
  bool use_shm;
  std::vector<std::unique_ptr<WindowState>> windows;
  TCursor cursor = crArrow;
  int modal = 0;  // open message windows
};

namespace {

TMouseButton ButtonOf(unsigned int b) {
  return b == Button3 ? mbRight : b == Button2 ? mbMiddle : mbLeft;
}

std::string TitleOf(const TWinControl& c) {
  if (const auto* form = dynamic_cast<const TForm*>(&c))
    if (!form->Caption().empty()) return form->Caption();
  return Application().Title();
}

// The double-click time of the X resources ("*multiClickTime"), 500 ms when unset.
int MultiClickTime(Display* dpy) {
  const char* v = XGetDefault(dpy, "kivchart", "multiClickTime");
  const int ms = v != nullptr ? std::atoi(v) : 0;
  return ms > 0 ? ms : 500;
}

}  // namespace

TX11Host::TX11Host(const std::string& DisplayName, bool UseShm)
    : impl_(std::make_unique<Impl>(DisplayName, UseShm)) {
  SetDoubleClickTime(MultiClickTime(impl_->display.Dpy()));
}

TX11Host::~TX11Host() {
  DestroyAllWindows();
}

bool TX11Host::UsesSharedMemory() const {
  for (const auto& w : impl_->windows)
    if (w->image->HasPicture()) return w->image->Shared();
  x11::TWindowImage probe(impl_->display, impl_->use_shm);
  probe.Allocate(1, 1);
  return probe.Shared();
}

TX11Host::WindowState* TX11Host::Find(unsigned long Window) const {
  for (const auto& w : impl_->windows)
    if (w->win == Window) return w.get();
  return nullptr;
}

unsigned long TX11Host::WindowId(const TWinControl& Control) const {
  for (const auto& w : impl_->windows)
    if (w->control == &Control) return w->win;
  return 0;
}

int TX11Host::PresentCount(const TWinControl& Control) const {
  for (const auto& w : impl_->windows)
    if (w->control == &Control) return w->presents;
  return 0;
}

void TX11Host::Sync() {
  XSync(impl_->display.Dpy(), False);
}

TSize TX11Host::ScreenSize() const {
  Display* dpy = impl_->display.Dpy();
  const int s = impl_->display.ScreenNumber();
  return TSize{DisplayWidth(dpy, s), DisplayHeight(dpy, s)};
}

// ---------------------------------------------------------------------------------------------
// Windows

void TX11Host::PlatformWindowCreated(TWinControl& Control) {
  x11::TDisplay& d = impl_->display;
  Display* dpy = d.Dpy();
  auto w = std::make_unique<WindowState>();
  w->control = &Control;
  w->width = std::max(Control.Width(), 1);
  w->height = std::max(Control.Height(), 1);
  XSetWindowAttributes a{};
  a.event_mask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                 EnterWindowMask | LeaveWindowMask | KeyPressMask | KeyReleaseMask |
                 FocusChangeMask | StructureNotifyMask;
  // No background: the picture covers the window, so resizes do not flash.
  a.background_pixmap = None;
  a.cursor = impl_->cursors.Get(impl_->cursor);
  w->win =
      XCreateWindow(dpy, d.Root(), Control.Left(), Control.Top(), static_cast<unsigned>(w->width),
                    static_cast<unsigned>(w->height), 0, CopyFromParent, InputOutput,
                    CopyFromParent, CWEventMask | CWBackPixmap | CWCursor, &a);
  Atom protocols[] = {d.Atoms().wm_delete_window};
  XSetWMProtocols(dpy, w->win, protocols, 1);
  XSizeHints hints{};
  hints.flags = PPosition | PSize;
  hints.x = Control.Left();
  hints.y = Control.Top();
  hints.width = w->width;
  hints.height = w->height;
  XSetWMNormalHints(dpy, w->win, &hints);
  XClassHint cls{const_cast<char*>("kivchart"), const_cast<char*>("Kivchart")};
  XSetClassHint(dpy, w->win, &cls);
  w->gc = XCreateGC(dpy, w->win, 0, nullptr);
  w->image = std::make_unique<x11::TWindowImage>(d, impl_->use_shm);
  impl_->windows.push_back(std::move(w));
  CaptionChanged(Control);
}

void TX11Host::PlatformWindowDestroyed(TWinControl& Control) {
  auto& ws = impl_->windows;
  const auto it =
      std::find_if(ws.begin(), ws.end(), [&](const auto& w) { return w->control == &Control; });
  if (it == ws.end()) return;
  Display* dpy = impl_->display.Dpy();
  (*it)->image.reset();
  XFreeGC(dpy, (*it)->gc);
  XDestroyWindow(dpy, (*it)->win);
  XFlush(dpy);
  ws.erase(it);
}

void TX11Host::CaptionChanged(TWinControl& Control) {
  const unsigned long win = WindowId(Control);
  if (win == 0) return;
  Display* dpy = impl_->display.Dpy();
  const std::string title = TitleOf(Control);
  XStoreName(dpy, win, title.c_str());
  XChangeProperty(dpy, win, impl_->display.Atoms().net_wm_name, impl_->display.Atoms().utf8_string,
                  8, PropModeReplace, reinterpret_cast<const unsigned char*>(title.data()),
                  static_cast<int>(title.size()));
  XFlush(dpy);
}

bool TX11Host::AnyWindowVisible() const {
  for (const auto& w : impl_->windows)
    if (w->control->Visible()) return true;
  return false;
}

void TX11Host::Present(TWinControl& Control) {
  const unsigned long id = WindowId(Control);
  WindowState* w = Find(id);
  if (w == nullptr) return;
  Display* dpy = impl_->display.Dpy();
  if (!Control.Visible()) {
    if (w->mapped) XUnmapWindow(dpy, w->win);
    w->mapped = false;
    XFlush(dpy);
    return;
  }
  // A size set by the program goes to the window; one set by the user came from it.
  const int cw = std::max(Control.Width(), 1), ch = std::max(Control.Height(), 1);
  if (cw != w->width || ch != w->height) {
    w->width = cw;
    w->height = ch;
    XResizeWindow(dpy, w->win, static_cast<unsigned>(cw), static_cast<unsigned>(ch));
  }
  if (!w->mapped) {
    XMapRaised(dpy, w->win);
    w->mapped = true;
  }
  Compose(Control, w->picture);
  w->image->Present(w->win, w->gc, w->picture);
  ++w->presents;
}

// ---------------------------------------------------------------------------------------------
// Events

void TX11Host::PumpEvents() {
  Display* dpy = impl_->display.Dpy();
  while (XPending(dpy) > 0) {
    XEvent e;
    XNextEvent(dpy, &e);
    // Only the newest of a run of motion events matters.
    while (e.type == MotionNotify && XPending(dpy) > 0) {
      XEvent next;
      XPeekEvent(dpy, &next);
      if (next.type != MotionNotify || next.xmotion.window != e.xmotion.window) break;
      XNextEvent(dpy, &e);
    }
    Dispatch(&e, false);
  }
}

void TX11Host::Dispatch(void* Event, bool Modal) {
  XEvent& e = *static_cast<XEvent*>(Event);
  if (impl_->clipboard.Handle(e)) return;
  WindowState* w = Find(e.xany.window);
  if (w == nullptr) return;
  TWinControl& c = *w->control;
  Display* dpy = impl_->display.Dpy();
  switch (e.type) {
    case Expose:
      if (w->image->HasPicture())
        w->image->Repaint(w->win, w->gc, e.xexpose.x, e.xexpose.y, e.xexpose.width,
                          e.xexpose.height);
      else
        SurfaceChanged(c);
      return;
    case ConfigureNotify: {
      int x = e.xconfigure.x, y = e.xconfigure.y;
      if (!e.xconfigure.send_event) {
        Window child;
        XTranslateCoordinates(dpy, w->win, impl_->display.Root(), 0, 0, &x, &y, &child);
      }
      const int cw = e.xconfigure.width, ch = e.xconfigure.height;
      w->width = cw;
      w->height = ch;
      if (x != c.Left() || y != c.Top() || cw != c.Width() || ch != c.Height())
        c.SetBounds(x, y, cw, ch);
      return;
    }
    case ClientMessage:
      if (!Modal && e.xclient.message_type == impl_->display.Atoms().wm_protocols &&
          static_cast<Atom>(e.xclient.data.l[0]) == impl_->display.Atoms().wm_delete_window) {
        if (auto* form = dynamic_cast<TForm*>(&c))
          form->Close();
        else
          c.SetVisible(false);
      }
      return;
    case FocusIn:
      if (!Modal && e.xfocus.mode == NotifyNormal && w->saved_focus != nullptr &&
          w->saved_focus->CanFocus())
        SetFocus(w->saved_focus);
      return;
    case FocusOut:
      if (!Modal && e.xfocus.mode == NotifyNormal && Focused() != nullptr &&
          c.ContainsControl(Focused())) {
        w->saved_focus = Focused();
        SetFocus(nullptr);
      }
      return;
    default:
      break;
  }
  if (Modal) return;  // a message window is open: no input reaches the other windows
  switch (e.type) {
    case MotionNotify:
      DeliverMouseMove(c, TPoint(e.xmotion.x, e.xmotion.y), x11::ModifierState(e.xmotion.state));
      break;
    case EnterNotify:
      DeliverMouseMove(c, TPoint(e.xcrossing.x, e.xcrossing.y),
                       x11::ModifierState(e.xcrossing.state));
      break;
    case LeaveNotify:
      // While a button is held the press keeps the pointer (the X server grabs it too).
      if (e.xcrossing.mode == NotifyNormal &&
          (Buttons() * TShiftState{ssLeft, ssRight, ssMiddle}).Empty())
        DeliverPointerLeave();
      break;
    case ButtonPress: {
      const TPoint p(e.xbutton.x, e.xbutton.y);
      const TShiftState mods = x11::ModifierState(e.xbutton.state);
      const unsigned int b = e.xbutton.button;
      // Click to focus: without a window manager nobody else gives the keyboard.
      XSetInputFocus(dpy, w->win, RevertToParent, e.xbutton.time);
      if (b == Button4 || b == Button5)
        DeliverWheel(c, p, b == Button4 ? WHEEL_DELTA : -WHEEL_DELTA, mods);
      else if (b <= Button3)
        DeliverButtonDown(c, ButtonOf(b), p, mods, e.xbutton.time);
      break;
    }
    case ButtonRelease:
      if (e.xbutton.button <= Button3)
        DeliverButtonUp(c, ButtonOf(e.xbutton.button), TPoint(e.xbutton.x, e.xbutton.y),
                        x11::ModifierState(e.xbutton.state));
      break;
    case KeyPress:
    case KeyRelease: {
      char text[8] = {};
      KeySym sym = 0;
      const int n = XLookupString(&e.xkey, text, sizeof text, &sym, nullptr);
      const std::uint16_t vk = x11::VirtualKey(sym);
      const TShiftState mods = x11::ModifierState(e.xkey.state);
      if (e.type == KeyRelease) {
        if (vk != 0) DeliverKeyUp(c, vk, mods);
        break;
      }
      if (vk != 0) DeliverKeyDown(c, vk, mods);
      // Characters follow their key, as the classic message loop translates them.
      if (n == 1 && Find(e.xany.window) != nullptr) DeliverChar(c, text[0], mods);
      break;
    }
    default:
      break;
  }
}

bool TX11Host::HandleMessage() {
  ProcessMessages();
  if (!AnyWindowVisible()) return false;
  Display* dpy = impl_->display.Dpy();
  XFlush(dpy);
  if (XPending(dpy) == 0) {
    pollfd p{ConnectionNumber(dpy), POLLIN, 0};
    poll(&p, 1, -1);
  }
  return true;
}

void TX11Host::ApplyCursor(TCursor Cursor) {
  impl_->cursor = Cursor;
  const ::Cursor c = impl_->cursors.Get(Cursor);
  Display* dpy = impl_->display.Dpy();
  for (const auto& w : impl_->windows) XDefineCursor(dpy, w->win, c);
  XFlush(dpy);
}

// ---------------------------------------------------------------------------------------------
// Dialogs

void TX11Host::ShowMessage(const std::string& Text) {
  MessageDlg(Text, mtInformation, {mbOK});
}

TModalResult TX11Host::MessageDlg(const std::string& Text, TMsgDlgType Type,
                                  TMsgDlgButtons Buttons) {
  Display* dpy = impl_->display.Dpy();
  Window had_focus = 0;
  int revert = 0;
  XGetInputFocus(dpy, &had_focus, &revert);
  TModalResult result = mrNone;
  {
    x11::TMessageWindow box(impl_->display, Text, Type, Buttons);
    ++impl_->modal;
    // The other windows keep painting and serving the clipboard while the box waits.
    while (!box.Done()) {
      PaintPending();
      PresentChanged();
      XEvent e;
      XNextEvent(dpy, &e);
      if (!box.Handle(e)) Dispatch(&e, true);
    }
    --impl_->modal;
    result = box.Result();
  }
  if (had_focus != 0 && had_focus != PointerRoot && Find(had_focus) != nullptr)
    XSetInputFocus(dpy, had_focus, RevertToParent, CurrentTime);
  XFlush(dpy);
  return result;
}

// ---------------------------------------------------------------------------------------------
// Clipboard

void TX11Host::ClipboardSetText(const std::string& Text) {
  impl_->clipboard.OfferText(Text);
}

std::string TX11Host::ClipboardText() const {
  return impl_->clipboard.Text();
}

void TX11Host::ClipboardSetBitmap(const TBitmap& Bitmap) {
  impl_->clipboard.OfferBitmap(Bitmap);
}

void TX11Host::ClipboardSetSvg(const std::string& Svg) {
  impl_->clipboard.OfferSvg(Svg);
}

}  // namespace kiv
