#include "platform/x11/x11_dialog.h"
#include "platform/application.h"
#include "platform/canvas.h"
#include "platform/x11/x11_display.h"
#include "platform/x11/x11_image.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>

namespace kiv::x11 {

namespace {

constexpr int kMargin = 16;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 26;
constexpr int kButtonGap = 8;

const char* Label(TMsgDlgBtn b) {
  switch (b) {
    case mbYes:
      return "Yes";
    case mbNo:
      return "No";
    case mbOK:
      return "OK";
    case mbCancel:
      return "Cancel";
    case mbAbort:
      return "Abort";
    case mbRetry:
      return "Retry";
    case mbIgnore:
      return "Ignore";
    case mbAll:
      return "All";
    case mbNoToAll:
      return "No to All";
    case mbYesToAll:
      return "Yes to All";
    case mbHelp:
      return "Help";
    case mbClose:
      return "Close";
  }
  return "";
}

std::string Title(TMsgDlgType t) {
  switch (t) {
    case mtWarning:
      return "Warning";
    case mtError:
      return "Error";
    case mtInformation:
      return "Information";
    case mtConfirmation:
      return "Confirm";
    default:
      return Application().Title();
  }
}

void SetupFont(TCanvas& c) {
  c.Font().SetName("Sans");
  c.Font().SetSize(9);
  c.Font().SetColor(clBlack);
}

}  // namespace

TMessageWindow::TMessageWindow(TDisplay& Disp, const std::string& Text, TMsgDlgType Type,
                               TMsgDlgButtons Buttons)
    : display_(&Disp), image_(std::make_unique<TWindowImage>(Disp, true)) {
  std::size_t start = 0;
  for (;;) {
    const std::size_t nl = Text.find('\n', start);
    lines_.push_back(Text.substr(start, nl == std::string::npos ? std::string::npos : nl - start));
    if (nl == std::string::npos) break;
    start = nl + 1;
  }
  if (Buttons.Empty()) Buttons.Include(mbOK);
  for (int b = mbYes; b <= mbClose; ++b)
    if (Buttons.Contains(static_cast<TMsgDlgBtn>(b)))
      buttons_.push_back(Button{static_cast<TMsgDlgBtn>(b), TRect()});
  const TModalResult def = DefaultModalResult(Buttons);
  for (std::size_t i = 0; i < buttons_.size(); ++i)
    if (ModalResultOf(buttons_[i].kind) == def) focus_ = i;

  // Size: the widest line or the button row, whichever is wider.
  TBitmap measure(1, 1);
  SetupFont(measure.Canvas());
  int text_w = 0;
  for (const std::string& l : lines_) text_w = std::max(text_w, measure.Canvas().TextWidth(l));
  const int line_h = measure.Canvas().TextHeight("Ag");
  const int row_w = static_cast<int>(buttons_.size()) * (kButtonWidth + kButtonGap) - kButtonGap;
  const int w = std::clamp(std::max(text_w, row_w) + 2 * kMargin, 240, 1200);
  const int h =
      kMargin + static_cast<int>(lines_.size()) * line_h + kMargin + kButtonHeight + kMargin;
  int x = (w - row_w) / 2;
  for (Button& b : buttons_) {
    b.rect = TRect(x, h - kMargin - kButtonHeight, x + kButtonWidth, h - kMargin);
    x += kButtonWidth + kButtonGap;
  }
  picture_.SetSize(w, h);

  Display* dpy = Disp.Dpy();
  XSetWindowAttributes a{};
  a.event_mask =
      ExposureMask | KeyPressMask | ButtonPressMask | ButtonReleaseMask | StructureNotifyMask;
  a.background_pixel = WhitePixel(dpy, Disp.ScreenNumber());
  const int sx = (DisplayWidth(dpy, Disp.ScreenNumber()) - w) / 2;
  const int sy = (DisplayHeight(dpy, Disp.ScreenNumber()) - h) / 2;
  window_ =
      XCreateWindow(dpy, Disp.Root(), sx, sy, static_cast<unsigned>(w), static_cast<unsigned>(h), 0,
                    CopyFromParent, InputOutput, CopyFromParent, CWEventMask | CWBackPixel, &a);
  const TAtoms& at = Disp.Atoms();
  const std::string title = Title(Type);
  XStoreName(dpy, window_, title.c_str());
  XChangeProperty(dpy, window_, at.net_wm_name, at.utf8_string, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(title.data()),
                  static_cast<int>(title.size()));
  XChangeProperty(dpy, window_, at.net_wm_window_type, XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&at.net_wm_window_type_dialog), 1);
  Atom protocols[] = {at.wm_delete_window};
  XSetWMProtocols(dpy, window_, protocols, 1);
  XSizeHints hints{};
  hints.flags = PMinSize | PMaxSize | PPosition;
  hints.x = sx;
  hints.y = sy;
  hints.min_width = hints.max_width = w;
  hints.min_height = hints.max_height = h;
  XSetWMNormalHints(dpy, window_, &hints);
  gc_ = XCreateGC(dpy, window_, 0, nullptr);
  Draw();
  XMapRaised(dpy, window_);
  XFlush(dpy);
}

TMessageWindow::~TMessageWindow() {
  Display* dpy = display_->Dpy();
  image_.reset();
  XFreeGC(dpy, gc_);
  XDestroyWindow(dpy, window_);
  XFlush(dpy);
}

void TMessageWindow::Draw() {
  TCanvas& c = picture_.Canvas();
  c.Brush().SetStyle(bsSolid);
  c.Brush().SetColor(clBtnFace);
  c.FillRect(TRect(0, 0, picture_.Width(), picture_.Height()));
  SetupFont(c);
  c.Brush().SetStyle(bsClear);
  const int line_h = c.TextHeight("Ag");
  for (std::size_t i = 0; i < lines_.size(); ++i)
    c.TextOut(kMargin, kMargin + static_cast<int>(i) * line_h, lines_[i]);
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    const TRect& r = buttons_[i].rect;
    c.Pen().SetColor(i == focus_ ? clBlack : clGray);
    c.Pen().SetWidth(1);
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(clWhite);
    c.Rectangle(r);
    if (i == focus_) c.Rectangle(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    c.Brush().SetStyle(bsClear);
    const char* label = Label(buttons_[i].kind);
    c.TextOut((r.Left + r.Right - c.TextWidth(label)) / 2, (r.Top + r.Bottom - line_h) / 2, label);
  }
  if (mapped_) image_->Present(window_, gc_, picture_);
}

TModalResult TMessageWindow::CancelResult() const {
  for (TMsgDlgBtn b : {mbCancel, mbNo, mbAbort, mbClose})
    for (const Button& button : buttons_)
      if (button.kind == b) return ModalResultOf(b);
  // A dialog that offers no way out but its default answer closes with that one.
  return buttons_.size() == 1 ? ModalResultOf(buttons_[0].kind) : mrCancel;
}

void TMessageWindow::Key(unsigned long KeySym) {
  switch (KeySym) {
    case XK_Return:
    case XK_KP_Enter:
    case XK_space:
      result_ = ModalResultOf(buttons_[focus_].kind);
      break;
    case XK_Escape:
      result_ = CancelResult();
      break;
    case XK_Tab:
    case XK_Right:
    case XK_Down:
      focus_ = (focus_ + 1) % buttons_.size();
      Draw();
      break;
    case XK_ISO_Left_Tab:
    case XK_Left:
    case XK_Up:
      focus_ = (focus_ + buttons_.size() - 1) % buttons_.size();
      Draw();
      break;
    default:
      break;
  }
}

bool TMessageWindow::Handle(const XEvent& Event) {
  if (Event.xany.window != window_) return false;
  switch (Event.type) {
    case MapNotify:
      mapped_ = true;
      // Without a window manager nobody gives the dialog the keyboard: take it.
      XSetInputFocus(display_->Dpy(), window_, RevertToParent, CurrentTime);
      image_->Present(window_, gc_, picture_);
      break;
    case Expose:
      if (mapped_)
        image_->Repaint(window_, gc_, Event.xexpose.x, Event.xexpose.y, Event.xexpose.width,
                        Event.xexpose.height);
      break;
    case KeyPress: {
      XKeyEvent k = Event.xkey;
      Key(XLookupKeysym(&k, (k.state & ShiftMask) ? 1 : 0));
      break;
    }
    case ButtonRelease:
      if (Event.xbutton.button == Button1)
        for (const Button& b : buttons_)
          if (b.rect.Contains(TPoint(Event.xbutton.x, Event.xbutton.y)))
            result_ = ModalResultOf(b.kind);
      break;
    case ClientMessage:
      if (static_cast<Atom>(Event.xclient.data.l[0]) == display_->Atoms().wm_delete_window)
        result_ = CancelResult();
      break;
    default:
      break;
  }
  return true;
}

}  // namespace kiv::x11
