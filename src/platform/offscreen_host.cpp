#include "platform/offscreen_host.h"

#include <algorithm>

#include "platform/controls.h"
#include "platform/errors.h"

namespace kiv {

namespace {
// Presses made by separate calls are this far apart, so they never make a double click.
constexpr std::uint64_t kPressSpacingMs = 10000;
}  // namespace

TOffscreenHost::TOffscreenHost() = default;

TOffscreenHost::~TOffscreenHost() {
  DestroyAllWindows();
}

void TOffscreenHost::SetActiveWindow(TWinControl& Window) {
  const auto& w = Windows();
  if (std::find(w.begin(), w.end(), &Window) == w.end())
    throw EPlatformError("The control is not a window of this host");
  active_ = &Window;
}

void TOffscreenHost::Show(TWinControl& Control) {
  THostBase::Show(Control);
  TControl* top = &Control;
  while (top->Parent() != nullptr) top = top->Parent();
  const auto& w = Windows();
  const auto it = std::find(w.begin(), w.end(), top);
  if (it != w.end()) active_ = *it;
}

TWinControl& TOffscreenHost::Window() {
  if (active_ == nullptr) throw EPlatformError("No window is shown to receive the input");
  return *active_;
}

TPoint TOffscreenHost::ToWindow(TControl& Control, int X, int Y) {
  TControl* top = &Control;
  while (top->Parent() != nullptr) top = top->Parent();
  const auto& w = Windows();
  const auto it = std::find(w.begin(), w.end(), top);
  if (it == w.end()) throw EPlatformError("The control is not in a window of this host");
  active_ = *it;
  return active_->ScreenToClient(Control.ClientToScreen(TPoint(X, Y)));
}

std::uint64_t TOffscreenHost::NextPressTime() {
  clock_ms_ += kPressSpacingMs;
  return clock_ms_;
}

// ---------------------------------------------------------------------------------------------
// Pointer input

void TOffscreenHost::MouseMove(int X, int Y, TShiftState Shift) {
  DeliverMouseMove(Window(), TPoint(X, Y), Shift);
}

void TOffscreenHost::MouseDown(TMouseButton Button, int X, int Y, TShiftState Shift) {
  DeliverButtonDown(Window(), Button, TPoint(X, Y), Shift, NextPressTime());
}

void TOffscreenHost::MouseUp(TMouseButton Button, int X, int Y, TShiftState Shift) {
  DeliverButtonUp(Window(), Button, TPoint(X, Y), Shift);
}

void TOffscreenHost::Click(int X, int Y, TShiftState Shift, TMouseButton Button) {
  MouseDown(Button, X, Y, Shift);
  MouseUp(Button, X, Y, Shift);
}

void TOffscreenHost::DoubleClick(int X, int Y, TShiftState Shift) {
  TWinControl& w = Window();
  const TPoint p(X, Y);
  const std::uint64_t t = NextPressTime();
  DeliverButtonDown(w, mbLeft, p, Shift, t);
  if (active_ == nullptr) return;
  DeliverButtonUp(*active_, mbLeft, p, Shift);
  if (active_ == nullptr) return;
  DeliverButtonDown(*active_, mbLeft, p, Shift, t + 1);
  if (active_ == nullptr) return;
  DeliverButtonUp(*active_, mbLeft, p, Shift);
}

void TOffscreenHost::Drag(int X1, int Y1, int X2, int Y2, int Steps, TMouseButton Button,
                          TShiftState Shift) {
  MouseDown(Button, X1, Y1, Shift);
  Steps = std::max(Steps, 1);
  for (int i = 1; i <= Steps; ++i) {
    const int x = X1 + (X2 - X1) * i / Steps;
    const int y = Y1 + (Y2 - Y1) * i / Steps;
    MouseMove(x, y, Shift);
  }
  MouseUp(Button, X2, Y2, Shift);
}

void TOffscreenHost::Wheel(int X, int Y, int WheelDelta, TShiftState Shift) {
  DeliverWheel(Window(), TPoint(X, Y), WheelDelta, Shift);
}

void TOffscreenHost::MouseLeave() {
  DeliverPointerLeave();
}

void TOffscreenHost::MouseMove(TControl& Control, int X, int Y, TShiftState Shift) {
  const TPoint p = ToWindow(Control, X, Y);
  MouseMove(p.X, p.Y, Shift);
}

void TOffscreenHost::MouseDown(TControl& Control, TMouseButton Button, int X, int Y,
                               TShiftState Shift) {
  const TPoint p = ToWindow(Control, X, Y);
  MouseDown(Button, p.X, p.Y, Shift);
}

void TOffscreenHost::MouseUp(TControl& Control, TMouseButton Button, int X, int Y,
                             TShiftState Shift) {
  const TPoint p = ToWindow(Control, X, Y);
  MouseUp(Button, p.X, p.Y, Shift);
}

void TOffscreenHost::Click(TControl& Control, int X, int Y, TShiftState Shift,
                           TMouseButton Button) {
  const TPoint p = ToWindow(Control, X, Y);
  Click(p.X, p.Y, Shift, Button);
}

void TOffscreenHost::DoubleClick(TControl& Control, int X, int Y, TShiftState Shift) {
  const TPoint p = ToWindow(Control, X, Y);
  DoubleClick(p.X, p.Y, Shift);
}

void TOffscreenHost::Wheel(TControl& Control, int X, int Y, int WheelDelta, TShiftState Shift) {
  const TPoint p = ToWindow(Control, X, Y);
  Wheel(p.X, p.Y, WheelDelta, Shift);
}

// ---------------------------------------------------------------------------------------------
// Keys

void TOffscreenHost::KeyDown(std::uint16_t Key, TShiftState Shift) {
  DeliverKeyDown(Window(), Key, Shift);
}

void TOffscreenHost::KeyUp(std::uint16_t Key, TShiftState Shift) {
  DeliverKeyUp(Window(), Key, Shift);
}

void TOffscreenHost::KeyPress(char Key) {
  DeliverChar(Window(), Key, {});
}

// ---------------------------------------------------------------------------------------------
// Message loop and bookkeeping

void TOffscreenHost::Post(std::function<void()> Action) {
  if (Action) posted_.push_back(std::move(Action));
}

void TOffscreenHost::PumpEvents() {
  // Actions posted by the actions themselves wait for the next round.
  std::deque<std::function<void()>> now;
  now.swap(posted_);
  while (!now.empty()) {
    auto action = std::move(now.front());
    now.pop_front();
    action();
  }
}

bool TOffscreenHost::HandleMessage() {
  ProcessMessages();
  return false;
}

void TOffscreenHost::Painted(TWinControl& Control) {
  ++paints_[&Control];
}

void TOffscreenHost::Present(TWinControl& Window) {
  ++presents_[&Window];
}

void TOffscreenHost::PlatformWindowDestroyed(TWinControl& Window) {
  presents_.erase(&Window);
  if (active_ == &Window) active_ = nullptr;
  if (active_ == nullptr) {
    for (TWinControl* w : Windows())
      if (w != &Window) active_ = w;
  }
}

void TOffscreenHost::ForgetControl(TControl& Control, bool Destroyed) {
  THostBase::ForgetControl(Control, Destroyed);
  if (Destroyed) paints_.erase(&Control);
}

int TOffscreenHost::PaintCount(const TControl& Control) const {
  const auto it = paints_.find(&Control);
  return it == paints_.end() ? 0 : it->second;
}

int TOffscreenHost::PresentCount(const TWinControl& Window) const {
  const auto it = presents_.find(&Window);
  return it == presents_.end() ? 0 : it->second;
}

void TOffscreenHost::ResetCounts() {
  paints_.clear();
  presents_.clear();
}

// ---------------------------------------------------------------------------------------------
// Dialogs

void TOffscreenHost::ShowMessage(const std::string& Text) {
  messages_.push_back(Text);
  dialogs_.push_back(TDialogRecord{Text, mtInformation, {mbOK}, mrOk});
}

TModalResult TOffscreenHost::MessageDlg(const std::string& Text, TMsgDlgType Type,
                                        TMsgDlgButtons Buttons) {
  TModalResult result = DefaultModalResult(Buttons);
  if (!answers_.empty()) {
    result = answers_.front();
    answers_.pop_front();
  }
  messages_.push_back(Text);
  dialogs_.push_back(TDialogRecord{Text, Type, Buttons, result});
  return result;
}

void TOffscreenHost::ClearMessages() {
  messages_.clear();
  dialogs_.clear();
}

}  // namespace kiv
