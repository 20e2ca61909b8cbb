#include <algorithm>

#include "platform/controls.h"
#include "platform/errors.h"
#include "platform/host.h"

namespace kiv {

// ---------------------------------------------------------------------------------------------
// TSizeConstraints

void TSizeConstraints::SetMinWidth(int v) {
  v = std::max(v, 0);
  if (v == min_width_) return;
  min_width_ = v;
  if (max_width_ > 0 && max_width_ < v) max_width_ = v;
  Changed();
}

void TSizeConstraints::SetMinHeight(int v) {
  v = std::max(v, 0);
  if (v == min_height_) return;
  min_height_ = v;
  if (max_height_ > 0 && max_height_ < v) max_height_ = v;
  Changed();
}

void TSizeConstraints::SetMaxWidth(int v) {
  v = std::max(v, 0);
  if (v == max_width_) return;
  max_width_ = v;
  if (v > 0 && min_width_ > v) min_width_ = v;
  Changed();
}

void TSizeConstraints::SetMaxHeight(int v) {
  v = std::max(v, 0);
  if (v == max_height_) return;
  max_height_ = v;
  if (v > 0 && min_height_ > v) min_height_ = v;
  Changed();
}

void TSizeConstraints::Apply(int& Width, int& Height) const {
  if (max_width_ > 0) Width = std::min(Width, max_width_);
  if (max_height_ > 0) Height = std::min(Height, max_height_);
  Width = std::max(Width, min_width_);
  Height = std::max(Height, min_height_);
}

void TSizeConstraints::Assign(const TPersistent& Source) {
  const auto* src = dynamic_cast<const TSizeConstraints*>(&Source);
  if (src == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  min_width_ = src->min_width_;
  min_height_ = src->min_height_;
  max_width_ = src->max_width_;
  max_height_ = src->max_height_;
  Changed();
}

// ---------------------------------------------------------------------------------------------
// TControl

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {
  font_.OnChange = [this](TObject*) {
    if (!applying_parent_font_) parent_font_ = false;
    FontChanged();
  };
  constraints_.OnChange = [this](TObject*) { SetBounds(left_, top_, width_, height_); };
}

TControl::~TControl() {
  Destroying();
  font_.OnChange = nullptr;
  constraints_.OnChange = nullptr;
  if (popup_menu_ != nullptr) RemoveFreeNotification(popup_menu_);
  if (parent_ != nullptr) {
    parent_->RemoveControl(*this);
  }
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  AWidth = std::max(AWidth, 0);
  AHeight = std::max(AHeight, 0);
  if (!CanResize(AWidth, AHeight)) return;
  AWidth = std::max(AWidth, 0);
  AHeight = std::max(AHeight, 0);
  constraints_.Apply(AWidth, AHeight);
  if (ALeft == left_ && ATop == top_ && AWidth == width_ && AHeight == height_) return;
  const bool resized = AWidth != width_ || AHeight != height_;
  if (resized) BoundsChanging(AWidth, AHeight);
  left_ = ALeft;
  top_ = ATop;
  width_ = AWidth;
  height_ = AHeight;
  BoundsChanged(resized);
  if (resized && !ComponentState().Contains(csLoading)) Resize();
  RequestAlign();
}

void TControl::Resize() {
  if (OnResize) OnResize(this);
}

bool TControl::CanResize(int& NewWidth, int& NewHeight) {
  bool resize = true;
  if (OnCanResize) OnCanResize(this, NewWidth, NewHeight, resize);
  return resize;
}

void TControl::BoundsChanging(int, int) {}

void TControl::BoundsChanged(bool Resized) {
  if (THost* host = Host()) host->SurfaceChanged(*this);
  if (Resized) Invalidate();
}

TPoint TControl::ClientOrigin() const {
  TPoint p(left_, top_);
  for (const TControl* c = parent_; c != nullptr; c = c->parent_) {
    p.X += c->left_;
    p.Y += c->top_;
  }
  return p;
}

TPoint TControl::ClientToScreen(TPoint p) const {
  const TPoint o = ClientOrigin();
  return TPoint(p.X + o.X, p.Y + o.Y);
}

TPoint TControl::ScreenToClient(TPoint p) const {
  const TPoint o = ClientOrigin();
  return TPoint(p.X - o.X, p.Y - o.Y);
}

void TControl::SetAlign(TAlign v) {
  if (v == align_) return;
  align_ = v;
  if (parent_ != nullptr) parent_->Realign();
}

void TControl::RequestAlign() {
  if (align_ != alNone && align_ != alCustom && parent_ != nullptr) parent_->Realign();
}

void TControl::SetVisible(bool v) {
  if (v == visible_) return;
  visible_ = v;
  VisibleChanged();
}

bool TControl::Showing() const {
  return visible_ && parent_ != nullptr && parent_->Showing();
}

void TControl::SetEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  EnabledChanged();
}

void TControl::SetParentFont(bool v) {
  parent_font_ = v;
  if (v) ApplyParentFont();
}

void TControl::ApplyParentFont() {
  if (!parent_font_ || parent_ == nullptr) return;
  applying_parent_font_ = true;
  font_.Assign(parent_->Font());
  applying_parent_font_ = false;
}

void TControl::SetColor(TColor v) {
  parent_color_ = false;
  if (v == color_) return;
  color_ = v;
  ColorChanged();
}

void TControl::SetParentColor(bool v) {
  parent_color_ = v;
  if (v) ApplyParentColor();
}

void TControl::ApplyParentColor() {
  if (!parent_color_ || parent_ == nullptr || parent_->Color() == color_) return;
  color_ = parent_->Color();
  ColorChanged();
}

void TControl::SetCursor(TCursor v) {
  if (v == cursor_) return;
  cursor_ = v;
  if (THost* host = Host()) host->CursorChanged();
}

void TControl::SetPopupMenu(TPopupMenu* v) {
  if (v == popup_menu_) return;
  if (popup_menu_ != nullptr) RemoveFreeNotification(popup_menu_);
  popup_menu_ = v;
  if (v != nullptr) FreeNotification(v);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent != nullptr && AComponent == popup_menu_)
    popup_menu_ = nullptr;
}

void TControl::SetParent(TWinControl* AParent) {
  if (AParent == parent_) return;
  if (AParent != nullptr) {
    for (const TControl* c = AParent; c != nullptr; c = c->parent_)
      if (c == this) throw EPlatformError("A control cannot have itself or a child as its parent");
  }
  if (parent_ != nullptr) parent_->RemoveControl(*this);
  if (AParent != nullptr) AParent->InsertControl(*this);
}

THost* TControl::Host() const {
  return parent_ != nullptr ? parent_->Host() : nullptr;
}

bool TControl::MouseCapture() const {
  const THost* host = Host();
  return host != nullptr && host->GetCapture() == this;
}

void TControl::SetMouseCapture(bool v) {
  THost* host = Host();
  if (host == nullptr) return;
  if (v)
    host->SetCapture(this);
  else if (host->GetCapture() == this)
    host->SetCapture(nullptr);
}

void TControl::ForgetInHost(bool destroyed) {
  if (THost* host = Host()) host->ForgetControl(*this, destroyed);
}

void TControl::Invalidate() {
  if (parent_ != nullptr) parent_->Invalidate();
}

void TControl::Update() {
  if (parent_ != nullptr) parent_->Update();
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

std::intptr_t TControl::Perform(TMessage& Message) {
  WndProc(Message);
  return Message.Result;
}

std::intptr_t TControl::Perform(std::uint32_t Msg, std::intptr_t WParam, std::intptr_t LParam) {
  TMessage m(Msg, WParam, LParam);
  return Perform(m);
}

void TControl::WndProc(TMessage& Message) {
  Dispatch(Message);
}

void TControl::Dispatch(TMessage& Message) {
  if (Message.Record() == TMessageRecord::Mouse) {
    auto& m = static_cast<TWMMouse&>(Message);
    switch (Message.Msg) {
      case WM_MOUSEMOVE:
        return WMMouseMove(m);
      case WM_LBUTTONDOWN:
        return WMLButtonDown(m);
      case WM_LBUTTONUP:
        return WMLButtonUp(m);
      case WM_LBUTTONDBLCLK:
        return WMLButtonDblClk(m);
      case WM_RBUTTONDOWN:
        return WMRButtonDown(m);
      case WM_RBUTTONUP:
        return WMRButtonUp(m);
      case WM_RBUTTONDBLCLK:
        return WMRButtonDblClk(m);
      case WM_MBUTTONDOWN:
        return WMMButtonDown(m);
      case WM_MBUTTONUP:
        return WMMButtonUp(m);
      case WM_MBUTTONDBLCLK:
        return WMMButtonDblClk(m);
      default:
        break;
    }
  } else if (Message.Record() == TMessageRecord::MouseWheel && Message.Msg == WM_MOUSEWHEEL) {
    return WMMouseWheel(static_cast<TWMMouseWheel&>(Message));
  } else if (Message.Record() == TMessageRecord::ContextMenu && Message.Msg == WM_CONTEXTMENU) {
    return WMContextMenu(static_cast<TWMContextMenu&>(Message));
  } else if (Message.Msg == CM_MOUSEENTER) {
    return CMMouseEnter(Message);
  } else if (Message.Msg == CM_MOUSELEAVE) {
    return CMMouseLeave(Message);
  }
  DefaultHandler(Message);
}

void TControl::DefaultHandler(TMessage&) {}

void TControl::DoMouseDown(TWMMouse& Message, TMouseButton Button, TShiftState Shift) {
  if (!control_style_.Contains(csNoStdEvents))
    MouseDown(Button, Message.Keys + Shift, Message.XPos, Message.YPos);
}

void TControl::DoMouseUp(TWMMouse& Message, TMouseButton Button) {
  if (!control_style_.Contains(csNoStdEvents))
    MouseUp(Button, Message.Keys, Message.XPos, Message.YPos);
}

void TControl::WMMouseMove(TWMMouse& Message) {
  if (!control_style_.Contains(csNoStdEvents)) MouseMove(Message.Keys, Message.XPos, Message.YPos);
}

void TControl::WMLButtonDown(TWMMouse& Message) {
  if (control_style_.Contains(csCaptureMouse)) SetMouseCapture(true);
  if (control_style_.Contains(csClickEvents)) clicked_ = true;
  DoMouseDown(Message, mbLeft, {});
}

void TControl::WMLButtonUp(TWMMouse& Message) {
  if (control_style_.Contains(csCaptureMouse)) SetMouseCapture(false);
  if (clicked_) {
    clicked_ = false;
    if (ClientRect().Contains(Message.Pos())) Click();
  }
  DoMouseUp(Message, mbLeft);
}

void TControl::WMLButtonDblClk(TWMMouse& Message) {
  if (control_style_.Contains(csCaptureMouse)) SetMouseCapture(true);
  if (control_style_.Contains(csClickEvents)) DblClick();
  DoMouseDown(Message, mbLeft, {ssDouble});
}

void TControl::WMRButtonDown(TWMMouse& Message) {
  DoMouseDown(Message, mbRight, {});
}
void TControl::WMRButtonUp(TWMMouse& Message) {
  DoMouseUp(Message, mbRight);
}
void TControl::WMRButtonDblClk(TWMMouse& Message) {
  DoMouseDown(Message, mbRight, {ssDouble});
}
void TControl::WMMButtonDown(TWMMouse& Message) {
  DoMouseDown(Message, mbMiddle, {});
}
void TControl::WMMButtonUp(TWMMouse& Message) {
  DoMouseUp(Message, mbMiddle);
}
void TControl::WMMButtonDblClk(TWMMouse& Message) {
  DoMouseDown(Message, mbMiddle, {ssDouble});
}

void TControl::WMMouseWheel(TWMMouseWheel& Message) {
  Message.Result = DoMouseWheel(Message.Keys, Message.WheelDelta, Message.Pos()) ? 1 : 0;
}

void TControl::WMContextMenu(TWMContextMenu& Message) {
  bool handled = false;
  DoContextPopup(ScreenToClient(Message.Pos()), handled);
  Message.Result = handled ? 1 : 0;
}

void TControl::CMMouseEnter(TMessage&) {
  MouseEnter();
}
void TControl::CMMouseLeave(TMessage&) {
  MouseLeave();
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  bool handled = false;
  if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
  if (!handled) {
    if (WheelDelta < 0)
      handled = DoMouseWheelDown(Shift, MousePos);
    else if (WheelDelta > 0)
      handled = DoMouseWheelUp(Shift, MousePos);
  }
  return handled;
}

bool TControl::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  bool handled = false;
  if (OnMouseWheelDown) OnMouseWheelDown(this, Shift, MousePos, handled);
  return handled;
}

bool TControl::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  bool handled = false;
  if (OnMouseWheelUp) OnMouseWheelUp(this, Shift, MousePos, handled);
  return handled;
}

void TControl::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::MouseLeave() {
  if (OnMouseLeave) OnMouseLeave(this);
}

void TControl::DoContextPopup(TPoint MousePos, bool& Handled) {
  if (OnContextPopup) OnContextPopup(this, MousePos, Handled);
}

void TControl::FontChanged() {
  Invalidate();
}

void TControl::ColorChanged() {
  Invalidate();
}

void TControl::VisibleChanged() {
  if (!visible_) {
    clicked_ = false;
    ForgetInHost(false);
  }
  if (THost* host = Host()) host->SurfaceChanged(*this);
  if (visible_) Invalidate();
  if (parent_ != nullptr && align_ != alNone) parent_->Realign();
}

void TControl::EnabledChanged() {
  if (!enabled_) {
    clicked_ = false;
    ForgetInHost(false);
  }
  Invalidate();
}

}  // namespace kiv
