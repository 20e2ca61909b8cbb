// THostBase: the part of a host that does not depend on the window system: window bookkeeping,
// the paint pass, presentation of changed windows, composition of a window's surfaces, and the
// routing of pointer and keyboard input to controls. Concrete hosts add the platform side.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "platform/bitmap.h"
#include "platform/host.h"
#include "platform/messages.h"

namespace kiv {

class TControl;
class TWinControl;

// Input routing follows the classic desktop rules:
// - The pointer is over the deepest visible, enabled control under it (disabled controls let the
//   input fall through to their parent). That control gets CM_MOUSELEAVE / CM_MOUSEENTER when
//   the pointer crosses into another one (leave first, then enter, then the move itself).
// - Mouse messages go to the capture control when one is set, else, while a button is held, to
//   the control that received the press (so a drag that leaves the control keeps reaching it,
//   with client coordinates that may be negative), else to the control under the pointer.
// - A second press of the same button on the same control within DoubleClickTime milliseconds
//   and two pixels becomes a double-click message (when the control has csDoubleClicks).
// - A right-button release is followed by WM_CONTEXTMENU, offered to the parents until handled.
// - The wheel goes to the control under the pointer and then to its parents until one uses it.
// - Keys go to the focused control of the window (or the window itself). Tab and the arrow keys
//   first ask the control with WM_GETDLGCODE; when it does not want them, the top-level control
//   gets CM_DIALOGKEY (a form moves the focus) and, if it used the key, the control never sees it.
// - The pointer shape is Screen().Cursor when set, else the Cursor of the control the mouse
//   messages go to (the arrow for crDefault).
class THostBase : public THost {
 public:
  THostBase();
  ~THostBase() override;

  void Show(TWinControl& Control) override;
  // Hides Control's top-level window (it keeps its window and state).
  void Hide(TWinControl& Control);
  void WindowCreated(TWinControl& Control) override;
  void WindowDestroyed(TWinControl& Control) override;
  void ForgetControl(TControl& Control, bool Destroyed) override;

  void InvalidateControl(TWinControl& Control) override;
  void UpdateControl(TWinControl& Control) override;
  void SurfaceChanged(TControl& Control) override;
  void ProcessMessages() override;

  void SetCapture(TControl* Control) override;
  TControl* GetCapture() const override { return capture_; }
  void SetFocus(TWinControl* Control) override;
  TWinControl* Focused() const override { return focus_; }
  void CursorChanged() override;
  TPoint CursorPos() const override;

  // The pointer shape a window would show now.
  TCursor ShownCursor() const;
  // The control under the pointer (nullptr outside every window).
  TControl* ControlUnderPointer() const { return hover_; }
  // The top-level windows this host shows or has created, oldest first.
  const std::vector<TWinControl*>& Windows() const { return tops_; }
  // Whether Control is invalidated and waits for the next paint pass.
  bool IsInvalid(const TWinControl& Control) const;

  // The picture of Control and its visible windowed children, as they are now (no painting):
  // each surface at its place, clipped to its parents; windows without a surface are filled
  // with their Color.
  static TBitmap Compose(const TWinControl& Control);
  // The same into Out, which keeps its memory when the size stays (hosts presenting every frame).
  static void Compose(const TWinControl& Control, TBitmap& Out);

  int DoubleClickTime() const { return double_click_time_; }
  void SetDoubleClickTime(int ms) { double_click_time_ = ms > 0 ? ms : 1; }

 protected:
  // --- Hooks for the platform side.
  // Read pending platform events and feed them to the Deliver* methods.
  virtual void PumpEvents() {}
  // Show the current picture of a top-level window (after painting or drawing changed it).
  virtual void Present(TWinControl&) {}
  // A top-level window came or goes.
  virtual void PlatformWindowCreated(TWinControl&) {}
  virtual void PlatformWindowDestroyed(TWinControl&) {}
  // The pointer shape changed.
  virtual void ApplyCursor(TCursor) {}
  // Control was painted by the paint pass.
  virtual void Painted(TWinControl&) {}

  // --- Input from the platform side. Positions are client coordinates of the top-level Window;
  // Modifiers holds ssShift, ssAlt, ssCtrl (button flags are added from the host's own state);
  // TimeMs is a monotonic time stamp in milliseconds.
  void DeliverMouseMove(TWinControl& Window, TPoint Pos, TShiftState Modifiers);
  void DeliverPointerLeave();
  void DeliverButtonDown(TWinControl& Window, TMouseButton Button, TPoint Pos,
                         TShiftState Modifiers, std::uint64_t TimeMs);
  void DeliverButtonUp(TWinControl& Window, TMouseButton Button, TPoint Pos, TShiftState Modifiers);
  void DeliverWheel(TWinControl& Window, TPoint Pos, int WheelDelta, TShiftState Modifiers);
  void DeliverKeyDown(TWinControl& Window, std::uint16_t Key, TShiftState Modifiers);
  void DeliverKeyUp(TWinControl& Window, std::uint16_t Key, TShiftState Modifiers);
  void DeliverChar(TWinControl& Window, char Key, TShiftState Modifiers);

  // Paints every invalidated control (parents first) and presents the windows that changed.
  void PaintPending();
  void PresentChanged();
  // Takes down every window this host made; derived hosts call it first in their destructor.
  void DestroyAllWindows();
  // The control the keys of Window go to.
  TWinControl* KeyTarget(TWinControl& Window) const;
  // The held buttons as shift flags.
  TShiftState Buttons() const { return buttons_; }

 private:
  struct PressInfo {
    TControl* control = nullptr;
    TMouseButton button = mbLeft;
    TPoint screen;
    std::uint64_t time = 0;
  };
  TControl* MouseTarget() const;
  TControl* HitTest(TWinControl& Window, TPoint Pos) const;
  void UpdateHover();
  void UpdateCursor();
  // Sends Message to Control; false when Control went away while handling it.
  bool Send(TControl* Control, TMessage& Message);
  void PaintNow(TWinControl& Control);
  TWinControl* TopOf(TControl& Control) const;
  bool IsTop(const TWinControl* Control) const;
  // Last seen change counts of Window's windowed controls; true when any differs.
  bool CollectChanges(const TWinControl& Window, bool update);

  std::vector<TWinControl*> tops_;
  std::vector<TWinControl*> invalid_;
  std::vector<const TWinControl*> dirty_;
  std::unordered_map<const TWinControl*, std::uint64_t> seen_;
  TWinControl* pointer_window_ = nullptr;
  TPoint pointer_pos_;
  TPoint pointer_screen_;
  TShiftState modifiers_;
  TShiftState buttons_;
  TControl* hover_ = nullptr;
  TControl* grab_ = nullptr;
  TControl* capture_ = nullptr;
  TWinControl* focus_ = nullptr;
  std::vector<TControl*> sending_;  // controls handling a message now; nulled when they go
  PressInfo last_press_;
  TCursor shown_cursor_ = crArrow;
  int double_click_time_ = 500;
};

}  // namespace kiv
