// The controls: TControl (bounds, appearance, mouse messages and events), TWinControl (children,
// the window a host gives it, keyboard and focus) and TCustomControl (its own surface and
// canvas, painted by the virtual Paint). Every chart component derives from TCustomControl.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/bitmap.h"
#include "platform/color.h"
#include "platform/component.h"
#include "platform/control_types.h"
#include "platform/cursors.h"
#include "platform/graphics.h"
#include "platform/messages.h"
#include "platform/types.h"

namespace kiv {

class TCanvas;
class THost;
class TWinControl;

// A visual element with bounds in its parent's client coordinates. Input arrives as messages
// (Perform -> WndProc -> Dispatch -> the WM/CM handler); the default handlers call the protected
// virtual MouseDown, MouseMove, ... which fire the public events. A component overrides either
// level and calls the inherited implementation where the classic framework would.
class TControl : public TComponent {
 public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;
  std::string ClassName() const override { return "TControl"; }

  // --- Position and size (pixels; the parent's client coordinates, screen coordinates for a
  // control without parent).
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  // Negative sizes count as 0. OnCanResize (through CanResize) may change the size or refuse the
  // whole change; the constraints apply last. When the size changed, Resize fires OnResize
  // (not while loading). A surface that cannot be allocated raises EPlatformError and leaves the
  // bounds unchanged.
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
  void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
  // The client area: the whole control (controls have no borders here).
  virtual TRect ClientRect() const { return TRect(0, 0, width_, height_); }
  int ClientWidth() const { return ClientRect().Width(); }
  int ClientHeight() const { return ClientRect().Height(); }
  void SetClientWidth(int v) { SetWidth(v); }
  void SetClientHeight(int v) { SetHeight(v); }
  // Screen position of the client area's top-left corner.
  TPoint ClientOrigin() const;
  TPoint ClientToScreen(TPoint p) const;
  TPoint ScreenToClient(TPoint p) const;

  // Alignment inside the parent (alTop, alBottom, alLeft, alRight, alClient are applied by the
  // parent whenever its size or its children change; alCustom and anchors are only stored).
  TAlign Align() const { return align_; }
  void SetAlign(TAlign v);
  TAnchors Anchors() const { return anchors_; }
  void SetAnchors(TAnchors v) { anchors_ = v; }
  TSizeConstraints& Constraints() { return constraints_; }
  const TSizeConstraints& Constraints() const { return constraints_; }
  void SetConstraints(const TSizeConstraints& v) { constraints_.Assign(v); }

  // --- State and appearance.
  bool Visible() const { return visible_; }
  void SetVisible(bool v);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // On screen: visible, inside a window, and every parent showing too.
  virtual bool Showing() const;
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);
  // Changing the font (any property) invalidates the control and switches ParentFont off.
  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& v) { font_.Assign(v); }
  // With ParentFont the control copies its parent's font when it gets a parent and whenever the
  // parent's font changes.
  bool ParentFont() const { return parent_font_; }
  void SetParentFont(bool v);
  TColor Color() const { return color_; }
  void SetColor(TColor v);
  bool ParentColor() const { return parent_color_; }
  void SetParentColor(bool v);
  // The pointer shape over this control; crDefault shows the arrow (or, for a control without
  // its own window, the parent's shape).
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor v);
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& v) { hint_ = v; }
  bool ShowHint() const { return show_hint_; }
  void SetShowHint(bool v) {
    show_hint_ = v;
    parent_show_hint_ = false;
  }
  bool ParentShowHint() const { return parent_show_hint_; }
  void SetParentShowHint(bool v) { parent_show_hint_ = v; }
  // Cleared when the menu is destroyed.
  TPopupMenu* PopupMenu() const { return popup_menu_; }
  void SetPopupMenu(TPopupMenu* v);
  TDragKind DragKind() const { return drag_kind_; }
  void SetDragKind(TDragKind v) { drag_kind_ = v; }
  TCursor DragCursor() const { return drag_cursor_; }
  void SetDragCursor(TCursor v) { drag_cursor_ = v; }
  TDragMode DragMode() const { return drag_mode_; }
  void SetDragMode(TDragMode v) { drag_mode_ = v; }
  TStyleElements StyleElements() const { return style_elements_; }
  void SetStyleElements(TStyleElements v) { style_elements_ = v; }
  TControlStyle ControlStyle() const { return control_style_; }
  void SetControlStyle(TControlStyle v) { control_style_ = v; }

  // --- Parent and window.
  TWinControl* Parent() const { return parent_; }
  // Moves the control into AParent's list of children (nullptr: no parent). A windowed control
  // gets its window when the new parent has one and loses it when it leaves. Raises
  // EPlatformError when AParent is the control itself or one of its children.
  virtual void SetParent(TWinControl* AParent);
  // The host that shows the window this control lives in; nullptr while it has none.
  virtual THost* Host() const;
  // Mouse capture: while set, every mouse message goes to this control.
  bool MouseCapture() const;
  void SetMouseCapture(bool v);

  // --- Painting. Invalidate asks the host to paint later (ProcessMessages); Update paints a
  // pending invalidation now; Repaint = Invalidate + Update. All do nothing without a window.
  virtual void Invalidate();
  virtual void Update();
  virtual void Repaint();
  void Refresh() { Repaint(); }

  // --- Messages.
  std::intptr_t Perform(TMessage& Message);
  std::intptr_t Perform(std::uint32_t Msg, std::intptr_t WParam = 0, std::intptr_t LParam = 0);
  // The window procedure: the place to see every message first. The default dispatches.
  virtual void WndProc(TMessage& Message);
  // Calls the handler for Message.Msg, or DefaultHandler.
  virtual void Dispatch(TMessage& Message);

  // --- Events (Sender is the control).
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TMouseWheelEvent OnMouseWheel;
  TMouseWheelUpDownEvent OnMouseWheelUp;
  TMouseWheelUpDownEvent OnMouseWheelDown;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TNotifyEvent OnResize;
  TCanResizeEvent OnCanResize;
  TContextPopupEvent OnContextPopup;
  // Drag-and-drop events are kept for components that publish them; this layer never fires them.
  TDragDropEvent OnDragDrop;
  TDragOverEvent OnDragOver;
  TEndDragEvent OnEndDrag;
  TStartDragEvent OnStartDrag;

 protected:
  // Fires OnResize.
  virtual void Resize();
  // Fires OnCanResize; false refuses the change.
  virtual bool CanResize(int& NewWidth, int& NewHeight);
  // Called by SetBounds with the final new size before the bounds change; may raise to refuse.
  virtual void BoundsChanging(int NewWidth, int NewHeight);
  // Called by SetBounds after the bounds changed.
  virtual void BoundsChanged(bool Resized);

  // Fire OnMouseDown, OnMouseMove, OnMouseUp, OnClick, OnDblClick.
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void Click();
  virtual void DblClick();
  // OnMouseWheel first; when it leaves Handled false, DoMouseWheelUp (delta > 0) or
  // DoMouseWheelDown fire their events. Returns whether the wheel was used.
  virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
  virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
  virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
  // Fire OnMouseEnter, OnMouseLeave.
  virtual void MouseEnter();
  virtual void MouseLeave();
  // Fires OnContextPopup (MousePos in client coordinates).
  virtual void DoContextPopup(TPoint MousePos, bool& Handled);

  // Notifications of changed state; the defaults invalidate.
  virtual void FontChanged();
  virtual void ColorChanged();
  virtual void VisibleChanged();
  virtual void EnabledChanged();

  // Message handlers. Mouse positions are client coordinates.
  virtual void WMMouseMove(TWMMouse& Message);
  // Takes the capture (csCaptureMouse), remembers the press for Click (csClickEvents), then
  // MouseDown(mbLeft).
  virtual void WMLButtonDown(TWMMouse& Message);
  // Releases the capture; fires Click when the press was on this control and the release is
  // inside its client area; then MouseUp(mbLeft).
  virtual void WMLButtonUp(TWMMouse& Message);
  // DblClick first, then MouseDown(mbLeft) with ssDouble in Shift. No Click follows the release.
  virtual void WMLButtonDblClk(TWMMouse& Message);
  virtual void WMRButtonDown(TWMMouse& Message);
  virtual void WMRButtonUp(TWMMouse& Message);
  virtual void WMRButtonDblClk(TWMMouse& Message);
  virtual void WMMButtonDown(TWMMouse& Message);
  virtual void WMMButtonUp(TWMMouse& Message);
  virtual void WMMButtonDblClk(TWMMouse& Message);
  virtual void WMMouseWheel(TWMMouseWheel& Message);
  virtual void WMContextMenu(TWMContextMenu& Message);
  // The pointer entered or left the control: MouseEnter / MouseLeave, which fire OnMouseEnter /
  // OnMouseLeave. A component that fires its own enter event after the inherited handling must
  // not fire this one again.
  virtual void CMMouseEnter(TMessage& Message);
  virtual void CMMouseLeave(TMessage& Message);
  // Messages nobody handled.
  virtual void DefaultHandler(TMessage& Message);

  void DoMouseDown(TWMMouse& Message, TMouseButton Button, TShiftState Shift);
  void DoMouseUp(TWMMouse& Message, TMouseButton Button);

  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  friend class TWinControl;
  void ApplyParentFont();
  void ApplyParentColor();
  void RequestAlign();
  void ForgetInHost(bool destroyed);

  int left_ = 0;
  int top_ = 0;
  int width_ = 0;
  int height_ = 0;
  TAlign align_ = alNone;
  TAnchors anchors_{akLeft, akTop};
  TSizeConstraints constraints_;
  bool visible_ = true;
  bool enabled_ = true;
  TFont font_;
  bool parent_font_ = true;
  bool applying_parent_font_ = false;
  TColor color_ = clWindow;
  bool parent_color_ = false;
  TCursor cursor_ = crDefault;
  std::string hint_;
  bool show_hint_ = false;
  bool parent_show_hint_ = true;
  TPopupMenu* popup_menu_ = nullptr;
  TDragKind drag_kind_ = dkDrag;
  TCursor drag_cursor_ = crDrag;
  TDragMode drag_mode_ = dmManual;
  TStyleElements style_elements_{seFont, seClient, seBorder};
  TControlStyle control_style_{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  bool clicked_ = false;  // a left press on this control waits for its release
  TWinControl* parent_ = nullptr;
};

// A control with a window: it holds child controls, receives keyboard input when focused and is
// painted by its host. The window exists from HandleNeeded (or the host showing the control or
// its top-level parent) until DestroyWnd, the control leaving its parent, or its destruction.
class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* AOwner);
  // Children are not destroyed (their creators own them); they lose their parent and window.
  ~TWinControl() override;
  std::string ClassName() const override { return "TWinControl"; }

  int ControlCount() const { return static_cast<int>(controls_.size()); }
  // The child at Index (first = bottom of the stacking order); nullptr out of range.
  TControl* Controls(int Index) const;
  // Same as Control.SetParent(this) / Control.SetParent(nullptr) for a child.
  void InsertControl(TControl& Control);
  void RemoveControl(TControl& Control);
  // Whether Control is this control or lies inside it.
  bool ContainsControl(const TControl* Control) const;
  // The topmost visible child whose bounds contain the client point, or nullptr.
  TControl* ControlAtPos(TPoint Pos, bool AllowDisabled = false) const;

  bool HandleAllocated() const { return host_ != nullptr; }
  // Gives the control its window when it has none: inside the parent's window, or, for a
  // control without parent, in Application().Host(). Without a host nothing happens.
  void HandleNeeded();
  THost* Host() const override;
  bool Showing() const override;

  void Invalidate() override;
  void Update() override;

  // --- Keyboard focus.
  bool TabStop() const { return tab_stop_; }
  void SetTabStop(bool v) { tab_stop_ = v; }
  // Showing, enabled (with all parents) and with a window.
  bool CanFocus() const;
  bool Focused() const;
  // Raises EPlatformError "Cannot focus a disabled or invisible window" when CanFocus is false.
  virtual void SetFocus();
  // Focuses the next (or previous) focusable control inside this one after CurControl, in the
  // order of the children; with CheckTabStop only controls with TabStop count.
  void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
  // Lays out the aligned children again.
  void Realign();

  void Dispatch(TMessage& Message) override;

  // The pixels the host shows for this window, or nullptr (then the host fills it with Color).
  virtual const TBitmap* Surface() const { return nullptr; }
  // Increases whenever the surface is drawn on.
  virtual std::uint64_t SurfaceChangeCount() const { return 0; }

  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

 protected:
  // Called once per window when the window is created, before the children get theirs.
  // Overrides call the inherited CreateWnd first; afterwards HandleAllocated() is true.
  virtual void CreateWnd();
  // Called when the window goes, after the children lost theirs.
  virtual void DestroyWnd();
  // Paints the window's surface; the host calls it. The default does nothing.
  virtual void PaintWindow() {}

  // Fire OnKeyDown, OnKeyUp, OnKeyPress, OnEnter, OnExit.
  virtual void KeyDown(std::uint16_t& Key, TShiftState Shift);
  virtual void KeyUp(std::uint16_t& Key, TShiftState Shift);
  virtual void KeyPress(char& Key);
  virtual void DoEnter();
  virtual void DoExit();

  virtual void WMKeyDown(TWMKey& Message);
  virtual void WMKeyUp(TWMKey& Message);
  virtual void WMChar(TWMKey& Message);
  // Which keys the control wants instead of the dialog navigation (Result, DLGC_ flags). The
  // default wants none.
  virtual void WMGetDlgCode(TWMGetDlgCode& Message);
  virtual void WMSetFocus(TMessage& Message);
  virtual void WMKillFocus(TMessage& Message);
  // A navigation key (Tab, arrows, Return, Escape) the focused control did not want; Result 1
  // when this top-level control used it. The default does not.
  virtual void CMDialogKey(TCMDialogKey& Message);

  // Places the aligned children inside Rect.
  virtual void AlignControls(TRect& Rect);

  void FontChanged() override;
  void ColorChanged() override;
  void VisibleChanged() override;
  void BoundsChanged(bool Resized) override;

 private:
  friend class TControl;
  friend class THost;
  void CreateHandle(THost& host);
  void DestroyHandle();
  void DestroyOwnWindow();
  void CollectFocusable(std::vector<TWinControl*>& out, bool check_tab_stop) const;

  std::vector<TControl*> controls_;
  THost* host_ = nullptr;
  THost* creating_host_ = nullptr;
  bool tab_stop_ = false;
  bool aligning_ = false;
};

// A windowed control with its own surface: a bitmap the size of the control, drawn through
// Canvas(). The host erases it with Color (unless csOpaque is in ControlStyle) and calls Paint
// whenever the control needs painting. Drawing on Canvas() at any other time (rubber bands in
// XOR mode) reaches the screen too: the host presents every surface whose canvas changed.
class TCustomControl : public TWinControl {
 public:
  explicit TCustomControl(TComponent* AOwner);
  ~TCustomControl() override;
  std::string ClassName() const override { return "TCustomControl"; }

  TCanvas& Canvas();
  const TBitmap* Surface() const override;
  std::uint64_t SurfaceChangeCount() const override;
  // A control that may never be shown (a helper painting onto other canvases, a chart that only
  // makes pictures) leaves its surface unallocated until Canvas(), Surface() or painting asks
  // for it; from then on the surface follows the bounds as always. A lazy surface that cannot be
  // allocated raises EPlatformError where it is first asked for, not in SetBounds.
  void SetLazySurface(bool value);

 protected:
  // Draws the control on Canvas(). The default draws nothing.
  virtual void Paint() {}
  void PaintWindow() override;
  void BoundsChanging(int NewWidth, int NewHeight) override;

 private:
  // Gives a lazy surface its pixels.
  void Realize() const;
  mutable TBitmap surface_;
  TCanvas* canvas_ = nullptr;  // the surface's canvas, once asked for
  bool lazy_ = false;
  mutable bool realized_ = true;  // the surface has the control's size
};

}  // namespace kiv
