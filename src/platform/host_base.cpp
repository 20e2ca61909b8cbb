#include "platform/host_base.h"

#include <algorithm>
#include <cstdlib>

#include "platform/application.h"
#include "platform/controls.h"
#include "platform/screen.h"

namespace kiv {

namespace {

constexpr TShiftState kModifierKeys{ssShift, ssAlt, ssCtrl};
constexpr TShiftState kButtonFlags{ssLeft, ssRight, ssMiddle};
constexpr int kDoubleClickDistance = 2;

TShiftStateFlag ButtonFlag(TMouseButton b) {
  switch (b) {
    case mbRight:
      return ssRight;
    case mbMiddle:
      return ssMiddle;
    default:
      return ssLeft;
  }
}

std::uint32_t DownMessage(TMouseButton b, bool dbl) {
  switch (b) {
    case mbRight:
      return dbl ? WM_RBUTTONDBLCLK : WM_RBUTTONDOWN;
    case mbMiddle:
      return dbl ? WM_MBUTTONDBLCLK : WM_MBUTTONDOWN;
    default:
      return dbl ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN;
  }
}

std::uint32_t UpMessage(TMouseButton b) {
  switch (b) {
    case mbRight:
      return WM_RBUTTONUP;
    case mbMiddle:
      return WM_MBUTTONUP;
    default:
      return WM_LBUTTONUP;
  }
}

// Whether c is Outer or lies inside it. Only pointers are compared on the way up, so Outer may
// be an object that is being destroyed.
bool Inside(const TControl* c, const TControl& Outer) {
  for (; c != nullptr; c = c->Parent())
    if (c == &Outer) return true;
  return false;
}

int Depth(const TControl* c) {
  int d = 0;
  for (; c != nullptr; c = c->Parent()) ++d;
  return d;
}

TWinControl* Root(TControl& c) {
  TControl* r = &c;
  while (r->Parent() != nullptr) r = r->Parent();
  return dynamic_cast<TWinControl*>(r);
}

void FillRect(TBitmap& out, const TRect& r, TPixel p) {
  for (int y = r.Top; y < r.Bottom; ++y)
    std::fill(out.ScanLine(y) + r.Left, out.ScanLine(y) + r.Right, p);
}

void ComposeInto(TBitmap& out, const TWinControl& c, TPoint origin, const TRect& clip) {
  const TRect area = Bounds(origin.X, origin.Y, c.Width(), c.Height()).Intersect(clip);
  if (area.IsEmpty()) return;
  const TBitmap* surface = c.Surface();
  const TRect drawn =
      surface != nullptr
          ? Bounds(origin.X, origin.Y, surface->Width(), surface->Height()).Intersect(area)
          : TRect();
  if (drawn != area) FillRect(out, area, ColorToPixel(c.Color()));
  if (!drawn.IsEmpty()) {
    for (int y = drawn.Top; y < drawn.Bottom; ++y) {
      const TPixel* src = surface->ScanLine(y - origin.Y) + (drawn.Left - origin.X);
      std::copy(src, src + drawn.Width(), out.ScanLine(y) + drawn.Left);
    }
  }
  for (int i = 0; i < c.ControlCount(); ++i) {
    const auto* child = dynamic_cast<const TWinControl*>(c.Controls(i));
    if (child == nullptr || !child->Visible()) continue;
    ComposeInto(out, *child, TPoint(origin.X + child->Left(), origin.Y + child->Top()), area);
  }
}

}  // namespace

THostBase::THostBase() = default;

THostBase::~THostBase() {
  DestroyAllWindows();
  if (Application().Host() == this) Application().SetHost(nullptr);
}

void THostBase::DestroyAllWindows() {
  while (!tops_.empty()) {
    TWinControl* top = tops_.back();
    DestroyHandle(*top);
    if (!tops_.empty() && tops_.back() == top) tops_.pop_back();
  }
  invalid_.clear();
  dirty_.clear();
  seen_.clear();
}

// ---------------------------------------------------------------------------------------------
// Windows

void THostBase::Show(TWinControl& Control) {
  TWinControl* top = Root(Control);
  if (top == nullptr) return;
  if (top->Host() != this) {
    if (top->HandleAllocated()) DestroyHandle(*top);
    CreateHandle(*top, *this);
  }
  top->SetVisible(true);
  if (!IsTop(top)) return;
  SurfaceChanged(*top);
  PaintPending();
  PresentChanged();
}

void THostBase::Hide(TWinControl& Control) {
  TWinControl* top = Root(Control);
  if (top == nullptr || !IsTop(top)) return;
  top->SetVisible(false);
  PresentChanged();
}

void THostBase::WindowCreated(TWinControl& Control) {
  if (Control.Parent() == nullptr && !IsTop(&Control)) {
    tops_.push_back(&Control);
    PlatformWindowCreated(Control);
  }
  seen_[&Control] = ~std::uint64_t{0};
  InvalidateControl(Control);
  SurfaceChanged(Control);
}

void THostBase::WindowDestroyed(TWinControl& Control) {
  ForgetControl(Control, false);
  seen_.erase(&Control);
  if (IsTop(&Control)) {
    tops_.erase(std::remove(tops_.begin(), tops_.end(), &Control), tops_.end());
    dirty_.erase(std::remove(dirty_.begin(), dirty_.end(), &Control), dirty_.end());
    PlatformWindowDestroyed(Control);
  }
}

void THostBase::ForgetControl(TControl& Control, bool Destroyed) {
  auto forget = [&](auto*& p) {
    if (p != nullptr && Inside(p, Control)) p = nullptr;
  };
  forget(hover_);
  forget(grab_);
  forget(capture_);
  forget(focus_);
  forget(pointer_window_);
  forget(last_press_.control);
  for (TControl*& s : sending_) forget(s);
  invalid_.erase(std::remove_if(invalid_.begin(), invalid_.end(),
                                [&](const TWinControl* c) { return Inside(c, Control); }),
                 invalid_.end());
  // A window's change count is dropped with the window itself (WindowDestroyed), which always
  // comes before the control is gone.
  static_cast<void>(Destroyed);
}

bool THostBase::IsTop(const TWinControl* Control) const {
  return std::find(tops_.begin(), tops_.end(), Control) != tops_.end();
}

TWinControl* THostBase::TopOf(TControl& Control) const {
  TControl* r = &Control;
  while (r->Parent() != nullptr) r = r->Parent();
  for (TWinControl* t : tops_)
    if (t == r) return t;
  return nullptr;
}

// ---------------------------------------------------------------------------------------------
// Painting and presenting

void THostBase::InvalidateControl(TWinControl& Control) {
  if (Control.Host() != this) return;
  if (std::find(invalid_.begin(), invalid_.end(), &Control) == invalid_.end())
    invalid_.push_back(&Control);
}

bool THostBase::IsInvalid(const TWinControl& Control) const {
  return std::find(invalid_.begin(), invalid_.end(), &Control) != invalid_.end();
}

void THostBase::UpdateControl(TWinControl& Control) {
  const auto it = std::find(invalid_.begin(), invalid_.end(), &Control);
  if (it == invalid_.end() || !Control.Showing()) return;
  invalid_.erase(it);
  PaintNow(Control);
}

void THostBase::PaintNow(TWinControl& Control) {
  PaintWindow(Control);
  Painted(Control);
  SurfaceChanged(Control);
}

void THostBase::SurfaceChanged(TControl& Control) {
  TWinControl* top = TopOf(Control);
  if (top != nullptr && std::find(dirty_.begin(), dirty_.end(), top) == dirty_.end())
    dirty_.push_back(top);
}

void THostBase::ProcessMessages() {
  PumpEvents();
  PaintPending();
  PresentChanged();
}

void THostBase::PaintPending() {
  // Controls invalidated while this pass paints wait for the next pass; hidden controls stay
  // queued until they show.
  std::vector<TWinControl*> batch = invalid_;
  std::stable_sort(batch.begin(), batch.end(),
                   [](const TWinControl* a, const TWinControl* b) { return Depth(a) < Depth(b); });
  for (TWinControl* c : batch) {
    const auto it = std::find(invalid_.begin(), invalid_.end(), c);
    if (it == invalid_.end() || !c->Showing()) continue;
    invalid_.erase(it);
    PaintNow(*c);
  }
}

bool THostBase::CollectChanges(const TWinControl& Window, bool update) {
  bool changed = false;
  const std::uint64_t count = Window.SurfaceChangeCount();
  auto it = seen_.find(&Window);
  if (it == seen_.end() || it->second != count) {
    changed = true;
    if (update) seen_[&Window] = count;
  }
  for (int i = 0; i < Window.ControlCount(); ++i)
    if (const auto* w = dynamic_cast<const TWinControl*>(Window.Controls(i)))
      if (w->HandleAllocated()) changed = CollectChanges(*w, update) || changed;
  return changed;
}

void THostBase::PresentChanged() {
  for (std::size_t i = 0; i < tops_.size(); ++i) {
    TWinControl* top = tops_[i];
    const auto d = std::find(dirty_.begin(), dirty_.end(), top);
    const bool dirty = d != dirty_.end();
    if (dirty) dirty_.erase(d);
    const bool changed = CollectChanges(*top, true);
    if (dirty || changed) Present(*top);
  }
}

TBitmap THostBase::Compose(const TWinControl& Control) {
  TBitmap out(Control.Width(), Control.Height());
  if (!out.Empty()) ComposeInto(out, Control, TPoint(0, 0), TRect(0, 0, out.Width(), out.Height()));
  return out;
}

void THostBase::Compose(const TWinControl& Control, TBitmap& Out) {
  if (Out.Width() != Control.Width() || Out.Height() != Control.Height())
    Out.SetSize(Control.Width(), Control.Height());
  if (!Out.Empty()) ComposeInto(Out, Control, TPoint(0, 0), TRect(0, 0, Out.Width(), Out.Height()));
}

// ---------------------------------------------------------------------------------------------
// Input

bool THostBase::Send(TControl* Control, TMessage& Message) {
  if (Control == nullptr) return false;
  sending_.push_back(Control);
  try {
    Control->Perform(Message);
  } catch (...) {
    sending_.pop_back();
    throw;
  }
  const bool alive = sending_.back() == Control;
  sending_.pop_back();
  return alive;
}

TControl* THostBase::MouseTarget() const {
  if (capture_ != nullptr) return capture_;
  if (grab_ != nullptr) return grab_;
  return hover_;
}

TControl* THostBase::HitTest(TWinControl& Window, TPoint Pos) const {
  if (Window.Host() != this || !Window.Visible() || !Window.Enabled()) return nullptr;
  if (!Window.ClientRect().Contains(Pos)) return nullptr;
  TControl* c = &Window;
  TPoint local = Pos;
  for (;;) {
    auto* win = dynamic_cast<TWinControl*>(c);
    if (win == nullptr) break;
    TControl* child = win->ControlAtPos(local);
    if (child == nullptr) break;
    if (auto* child_win = dynamic_cast<TWinControl*>(child))
      if (!child_win->HandleAllocated()) break;
    local = TPoint(local.X - child->Left(), local.Y - child->Top());
    c = child;
  }
  return c;
}

void THostBase::UpdateHover() {
  TControl* now = pointer_window_ != nullptr ? HitTest(*pointer_window_, pointer_pos_) : nullptr;
  if (now == hover_) return;
  TControl* old = hover_;
  hover_ = now;
  if (old != nullptr) {
    TMessage leave(CM_MOUSELEAVE);
    Send(old, leave);
  }
  if (now != nullptr && hover_ == now) {
    TMessage enter(CM_MOUSEENTER);
    Send(now, enter);
  }
}

TCursor THostBase::ShownCursor() const {
  if (Screen().Cursor() != crDefault) return Screen().Cursor();
  for (const TControl* c = MouseTarget(); c != nullptr; c = c->Parent()) {
    if (c->Cursor() != crDefault) return c->Cursor();
    if (dynamic_cast<const TWinControl*>(c) != nullptr) break;
  }
  return crArrow;
}

void THostBase::UpdateCursor() {
  const TCursor now = ShownCursor();
  if (now == shown_cursor_) return;
  shown_cursor_ = now;
  ApplyCursor(now);
}

void THostBase::CursorChanged() {
  shown_cursor_ = ShownCursor();
  ApplyCursor(shown_cursor_);
}

TPoint THostBase::CursorPos() const {
  return pointer_screen_;
}

void THostBase::SetCapture(TControl* Control) {
  capture_ = Control;
  UpdateCursor();
}

void THostBase::SetFocus(TWinControl* Control) {
  if (Control == focus_) return;
  TWinControl* old = focus_;
  focus_ = Control;
  if (old != nullptr) {
    TMessage kill(WM_KILLFOCUS);
    Send(old, kill);
  }
  if (Control != nullptr && focus_ == Control) {
    TMessage set(WM_SETFOCUS);
    Send(Control, set);
  }
}

void THostBase::DeliverMouseMove(TWinControl& Window, TPoint Pos, TShiftState Modifiers) {
  pointer_window_ = IsTop(&Window) ? &Window : nullptr;
  pointer_pos_ = Pos;
  pointer_screen_ = Window.ClientToScreen(Pos);
  modifiers_ = Modifiers * kModifierKeys;
  UpdateHover();
  if (TControl* target = MouseTarget()) {
    const TPoint local = target->ScreenToClient(pointer_screen_);
    TWMMouse m(WM_MOUSEMOVE, modifiers_ + buttons_, local.X, local.Y);
    Send(target, m);
  }
  UpdateCursor();
}

void THostBase::DeliverPointerLeave() {
  pointer_window_ = nullptr;
  UpdateHover();
  UpdateCursor();
}

void THostBase::DeliverButtonDown(TWinControl& Window, TMouseButton Button, TPoint Pos,
                                  TShiftState Modifiers, std::uint64_t TimeMs) {
  if (pointer_window_ != &Window || pointer_pos_ != Pos) DeliverMouseMove(Window, Pos, Modifiers);
  modifiers_ = Modifiers * kModifierKeys;
  TControl* target = MouseTarget();
  const bool first = (buttons_ * kButtonFlags).Empty();
  buttons_.Include(ButtonFlag(Button));
  if (target == nullptr) {
    last_press_ = PressInfo();
    return;
  }
  if (first && capture_ == nullptr) grab_ = target;
  const bool dbl = last_press_.control == target && last_press_.button == Button &&
                   TimeMs >= last_press_.time &&
                   TimeMs - last_press_.time <= static_cast<std::uint64_t>(double_click_time_) &&
                   std::abs(pointer_screen_.X - last_press_.screen.X) <= kDoubleClickDistance &&
                   std::abs(pointer_screen_.Y - last_press_.screen.Y) <= kDoubleClickDistance &&
                   target->ControlStyle().Contains(csDoubleClicks);
  if (dbl)
    last_press_ = PressInfo();  // a third press starts over
  else
    last_press_ = PressInfo{target, Button, pointer_screen_, TimeMs};
  const TPoint local = target->ScreenToClient(pointer_screen_);
  TWMMouse m(DownMessage(Button, dbl), modifiers_ + buttons_, local.X, local.Y);
  Send(target, m);
  UpdateCursor();
}

void THostBase::DeliverButtonUp(TWinControl& Window, TMouseButton Button, TPoint Pos,
                                TShiftState Modifiers) {
  if (pointer_window_ != &Window || pointer_pos_ != Pos) DeliverMouseMove(Window, Pos, Modifiers);
  modifiers_ = Modifiers * kModifierKeys;
  TControl* target = MouseTarget();
  buttons_.Exclude(ButtonFlag(Button));
  if (target != nullptr) {
    const TPoint local = target->ScreenToClient(pointer_screen_);
    TWMMouse m(UpMessage(Button), modifiers_ + buttons_, local.X, local.Y);
    const bool alive = Send(target, m);
    if (alive && Button == mbRight) {
      for (TControl* c = target; c != nullptr; c = c->Parent()) {
        TWMContextMenu menu(pointer_screen_.X, pointer_screen_.Y);
        if (!Send(c, menu) || menu.Result != 0) break;
      }
    }
  }
  if ((buttons_ * kButtonFlags).Empty()) {
    grab_ = nullptr;
    UpdateHover();
  }
  UpdateCursor();
}

void THostBase::DeliverWheel(TWinControl& Window, TPoint Pos, int WheelDelta,
                             TShiftState Modifiers) {
  if (pointer_window_ != &Window || pointer_pos_ != Pos) DeliverMouseMove(Window, Pos, Modifiers);
  modifiers_ = Modifiers * kModifierKeys;
  for (TControl* c = capture_ != nullptr ? capture_ : hover_; c != nullptr; c = c->Parent()) {
    TWMMouseWheel m(modifiers_ + buttons_, WheelDelta, pointer_screen_.X, pointer_screen_.Y);
    if (!Send(c, m) || m.Result != 0) break;
  }
}

TWinControl* THostBase::KeyTarget(TWinControl& Window) const {
  if (focus_ != nullptr && Window.ContainsControl(focus_)) return focus_;
  return &Window;
}

void THostBase::DeliverKeyDown(TWinControl& Window, std::uint16_t Key, TShiftState Modifiers) {
  if (!IsTop(&Window)) return;
  modifiers_ = Modifiers * kModifierKeys;
  TWinControl* target = KeyTarget(Window);
  int mask = 0;
  if (Key == VK_TAB)
    mask = DLGC_WANTTAB;
  else if (Key >= VK_LEFT && Key <= VK_DOWN)
    mask = DLGC_WANTARROWS;
  else if (Key == VK_RETURN || Key == VK_ESCAPE)
    mask = DLGC_WANTALLKEYS;
  if (mask != 0) {
    TWMGetDlgCode query(WM_GETDLGCODE);
    if (!Send(target, query)) return;
    if ((query.Result & mask) == 0) {
      if (!IsTop(&Window)) return;
      TWMKey dialog_key(CM_DIALOGKEY, Key, modifiers_);
      if (!Send(&Window, dialog_key) || dialog_key.Result != 0) return;
    }
  }
  TWMKey m(WM_KEYDOWN, Key, modifiers_);
  Send(target, m);
}

void THostBase::DeliverKeyUp(TWinControl& Window, std::uint16_t Key, TShiftState Modifiers) {
  if (!IsTop(&Window)) return;
  modifiers_ = Modifiers * kModifierKeys;
  TWMKey m(WM_KEYUP, Key, modifiers_);
  Send(KeyTarget(Window), m);
}

void THostBase::DeliverChar(TWinControl& Window, char Key, TShiftState Modifiers) {
  if (!IsTop(&Window)) return;
  modifiers_ = Modifiers * kModifierKeys;
  TWMKey m(WM_CHAR, static_cast<std::uint8_t>(Key), modifiers_);
  Send(KeyTarget(Window), m);
}

}  // namespace kiv
