#include <algorithm>

#include "platform/application.h"
#include "platform/canvas.h"
#include "platform/controls.h"
#include "platform/errors.h"
#include "platform/host.h"

namespace kiv {

// ---------------------------------------------------------------------------------------------
// TWinControl

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
  Destroying();
  if (host_ != nullptr) host_->ForgetControl(*this, true);
  while (!controls_.empty()) RemoveControl(*controls_.back());
  // Virtual calls would no longer reach the descendant here: take the window down directly.
  DestroyOwnWindow();
}

TControl* TWinControl::Controls(int Index) const {
  if (Index < 0 || Index >= ControlCount()) return nullptr;
  return controls_[static_cast<std::size_t>(Index)];
}

void TWinControl::InsertControl(TControl& Control) {
  if (Control.parent_ == this) return;
  if (Control.parent_ != nullptr || &Control == this) {
    Control.SetParent(this);  // validates and removes it from its previous parent first
    return;
  }
  controls_.push_back(&Control);
  Control.parent_ = this;
  Control.ApplyParentFont();
  Control.ApplyParentColor();
  if (auto* win = dynamic_cast<TWinControl*>(&Control)) {
    if (host_ != nullptr && win->Visible()) win->CreateHandle(*host_);
  }
  if (host_ != nullptr) host_->SurfaceChanged(Control);
  if (Control.Align() != alNone) Realign();
}

void TWinControl::RemoveControl(TControl& Control) {
  if (Control.parent_ != this) return;
  const bool destroyed = Control.ComponentState().Contains(csDestroying);
  if (host_ != nullptr) host_->ForgetControl(Control, destroyed);
  if (auto* win = dynamic_cast<TWinControl*>(&Control)) {
    // A dying descendant cannot run its own DestroyWnd any more; it took its window down itself.
    if (!destroyed) win->DestroyHandle();
  }
  controls_.erase(std::remove(controls_.begin(), controls_.end(), &Control), controls_.end());
  Control.parent_ = nullptr;
  if (host_ != nullptr) host_->SurfaceChanged(*this);
  if (!ComponentState().Contains(csDestroying) && Control.Align() != alNone) Realign();
}

bool TWinControl::ContainsControl(const TControl* Control) const {
  for (const TControl* c = Control; c != nullptr; c = c->Parent())
    if (c == this) return true;
  return false;
}

TControl* TWinControl::ControlAtPos(TPoint Pos, bool AllowDisabled) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* c = *it;
    if (c->Visible() && (AllowDisabled || c->Enabled()) && c->BoundsRect().Contains(Pos)) return c;
  }
  return nullptr;
}

void TWinControl::HandleNeeded() {
  if (host_ != nullptr) return;
  if (parent_ != nullptr) {
    parent_->HandleNeeded();
    if (parent_->host_ != nullptr) CreateHandle(*parent_->host_);
    return;
  }
  if (THost* host = Application().Host()) CreateHandle(*host);
}

THost* TWinControl::Host() const {
  return host_;
}

bool TWinControl::Showing() const {
  return Visible() && host_ != nullptr && (parent_ == nullptr || parent_->Showing());
}

void TWinControl::CreateHandle(THost& host) {
  if (host_ != nullptr) return;
  creating_host_ = &host;
  CreateWnd();
  creating_host_ = nullptr;
  if (host_ == nullptr) return;  // an override did not call the inherited CreateWnd
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    auto* win = dynamic_cast<TWinControl*>(controls_[i]);
    if (win != nullptr && win->Visible()) win->CreateHandle(*host_);
  }
}

void TWinControl::CreateWnd() {
  if (creating_host_ == nullptr || host_ != nullptr) return;
  host_ = creating_host_;
  host_->WindowCreated(*this);
}

void TWinControl::DestroyHandle() {
  if (host_ == nullptr) return;
  for (std::size_t i = controls_.size(); i > 0; --i) {
    if (i > controls_.size()) continue;
    if (auto* win = dynamic_cast<TWinControl*>(controls_[i - 1])) win->DestroyHandle();
  }
  DestroyWnd();
  DestroyOwnWindow();  // in case an override did not call the inherited DestroyWnd
}

void TWinControl::DestroyWnd() {
  DestroyOwnWindow();
}

void TWinControl::DestroyOwnWindow() {
  if (host_ == nullptr) return;
  THost* host = host_;
  host_ = nullptr;
  host->WindowDestroyed(*this);
}

void TWinControl::Invalidate() {
  if (host_ != nullptr) host_->InvalidateControl(*this);
}

void TWinControl::Update() {
  if (host_ != nullptr) host_->UpdateControl(*this);
}

bool TWinControl::CanFocus() const {
  if (host_ == nullptr) return false;
  for (const TControl* c = this; c != nullptr; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

bool TWinControl::Focused() const {
  return host_ != nullptr && host_->Focused() == this;
}

void TWinControl::SetFocus() {
  if (!CanFocus()) throw EPlatformError("Cannot focus a disabled or invisible window");
  host_->SetFocus(this);
}

void TWinControl::CollectFocusable(std::vector<TWinControl*>& out, bool check_tab_stop) const {
  for (TControl* c : controls_) {
    auto* win = dynamic_cast<TWinControl*>(c);
    if (win == nullptr || !win->CanFocus()) continue;
    if (!check_tab_stop || win->TabStop()) out.push_back(win);
    win->CollectFocusable(out, check_tab_stop);
  }
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
  std::vector<TWinControl*> list;
  CollectFocusable(list, CheckTabStop);
  if (list.empty()) return;
  const auto it = std::find(list.begin(), list.end(), CurControl);
  const auto n = static_cast<std::ptrdiff_t>(list.size());
  std::ptrdiff_t next = 0;
  if (it == list.end())
    next = GoForward ? 0 : n - 1;
  else
    next = ((it - list.begin()) + (GoForward ? 1 : n - 1)) % n;
  TWinControl* target = list[static_cast<std::size_t>(next)];
  if (target != CurControl) target->SetFocus();
}

void TWinControl::Realign() {
  if (aligning_ || ComponentState().Contains(csDestroying)) return;
  aligning_ = true;
  TRect r = ClientRect();
  try {
    AlignControls(r);
  } catch (...) {
    aligning_ = false;
    throw;
  }
  aligning_ = false;
}

void TWinControl::AlignControls(TRect& Rect) {
  for (TAlign kind : {alTop, alBottom, alLeft, alRight, alClient}) {
    for (std::size_t i = 0; i < controls_.size(); ++i) {
      TControl* c = controls_[i];
      if (c->Align() != kind || !c->Visible()) continue;
      const int w = std::max(Rect.Width(), 0);
      const int h = std::max(Rect.Height(), 0);
      switch (kind) {
        case alTop:
          c->SetBounds(Rect.Left, Rect.Top, w, c->Height());
          Rect.Top += c->Height();
          break;
        case alBottom:
          c->SetBounds(Rect.Left, Rect.Bottom - c->Height(), w, c->Height());
          Rect.Bottom -= c->Height();
          break;
        case alLeft:
          c->SetBounds(Rect.Left, Rect.Top, c->Width(), h);
          Rect.Left += c->Width();
          break;
        case alRight:
          c->SetBounds(Rect.Right - c->Width(), Rect.Top, c->Width(), h);
          Rect.Right -= c->Width();
          break;
        default:
          c->SetBounds(Rect.Left, Rect.Top, w, h);
          break;
      }
    }
  }
}

void TWinControl::Dispatch(TMessage& Message) {
  if (Message.Record() == TMessageRecord::Key) {
    auto& m = static_cast<TWMKey&>(Message);
    switch (Message.Msg) {
      case WM_KEYDOWN:
        return WMKeyDown(m);
      case WM_KEYUP:
        return WMKeyUp(m);
      case WM_CHAR:
        return WMChar(m);
      case CM_DIALOGKEY:
        return CMDialogKey(m);
      default:
        break;
    }
  }
  switch (Message.Msg) {
    case WM_GETDLGCODE:
      return WMGetDlgCode(Message);
    case WM_SETFOCUS:
      return WMSetFocus(Message);
    case WM_KILLFOCUS:
      return WMKillFocus(Message);
    default:
      TControl::Dispatch(Message);
  }
}

void TWinControl::WMKeyDown(TWMKey& Message) {
  std::uint16_t key = Message.CharCode;
  KeyDown(key, Message.Shift);
  Message.CharCode = key;
  Message.Result = key == 0 ? 1 : 0;
}

void TWinControl::WMKeyUp(TWMKey& Message) {
  std::uint16_t key = Message.CharCode;
  KeyUp(key, Message.Shift);
  Message.CharCode = key;
  Message.Result = key == 0 ? 1 : 0;
}

void TWinControl::WMChar(TWMKey& Message) {
  char key = static_cast<char>(Message.CharCode);
  KeyPress(key);
  Message.CharCode = static_cast<std::uint8_t>(key);
  Message.Result = key == 0 ? 1 : 0;
}

void TWinControl::WMGetDlgCode(TWMGetDlgCode& Message) {
  Message.Result = 0;
}
void TWinControl::WMSetFocus(TMessage&) {
  DoEnter();
}
void TWinControl::WMKillFocus(TMessage&) {
  DoExit();
}
void TWinControl::CMDialogKey(TCMDialogKey& Message) {
  Message.Result = 0;
}

void TWinControl::KeyDown(std::uint16_t& Key, TShiftState Shift) {
  if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(std::uint16_t& Key, TShiftState Shift) {
  if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(char& Key) {
  if (OnKeyPress) OnKeyPress(this, Key);
}

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

void TWinControl::FontChanged() {
  TControl::FontChanged();
  for (std::size_t i = 0; i < controls_.size(); ++i) controls_[i]->ApplyParentFont();
}

void TWinControl::ColorChanged() {
  TControl::ColorChanged();
  for (std::size_t i = 0; i < controls_.size(); ++i) controls_[i]->ApplyParentColor();
}

void TWinControl::VisibleChanged() {
  if (Visible() && host_ == nullptr) {
    // A child shown inside a window gets its own; a top-level control shown by the program
    // becomes a window of the application's host.
    if (parent_ != nullptr) {
      if (parent_->host_ != nullptr) CreateHandle(*parent_->host_);
    } else {
      HandleNeeded();
    }
  }
  TControl::VisibleChanged();
}

void TWinControl::BoundsChanged(bool Resized) {
  TControl::BoundsChanged(Resized);
  if (Resized) Realign();
}

// ---------------------------------------------------------------------------------------------
// TCustomControl

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner) {}

TCustomControl::~TCustomControl() {
  Destroying();
  // The host must not present the surface once it is gone.
  if (THost* host = Host()) host->ForgetControl(*this, true);
}

TCanvas& TCustomControl::Canvas() {
  Realize();
  if (canvas_ == nullptr) canvas_ = &surface_.Canvas();
  return *canvas_;
}

const TBitmap* TCustomControl::Surface() const {
  Realize();
  return &surface_;
}

void TCustomControl::SetLazySurface(bool value) {
  lazy_ = value;
  if (!value) {
    Realize();
  } else if (canvas_ == nullptr) {
    // Nobody draws on it yet: its pixels can wait.
    surface_ = TBitmap();
    realized_ = false;
  }
}

void TCustomControl::Realize() const {
  if (realized_) return;
  surface_.SetSize(Width(), Height());
  realized_ = true;
}

std::uint64_t TCustomControl::SurfaceChangeCount() const {
  return canvas_ != nullptr ? canvas_->ChangeCount() : 0;
}

void TCustomControl::BoundsChanging(int NewWidth, int NewHeight) {
  TWinControl::BoundsChanging(NewWidth, NewHeight);
  if (realized_) surface_.SetSize(NewWidth, NewHeight);
}

void TCustomControl::PaintWindow() {
  Realize();
  if (!ControlStyle().Contains(csOpaque) && !surface_.Empty()) {
    const TPixel fill = ColorToPixel(Color());
    std::fill(surface_.Bits(),
              surface_.Bits() + static_cast<std::size_t>(surface_.Width()) *
                                    static_cast<std::size_t>(surface_.Height()),
              fill);
  }
  Paint();
  if (THost* host = Host()) host->SurfaceChanged(*this);
}

// ---------------------------------------------------------------------------------------------
// THost doors

void THost::CreateHandle(TWinControl& Control, THost& Host) {
  Control.CreateHandle(Host);
}
void THost::DestroyHandle(TWinControl& Control) {
  Control.DestroyHandle();
}
void THost::PaintWindow(TWinControl& Control) {
  Control.PaintWindow();
}

}  // namespace kiv
