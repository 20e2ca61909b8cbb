// TOffscreenHost: a host without a display. Windows live in memory, painting happens in
// ProcessMessages, input is synthesised by the program (tests, headless tools), dialogs are
// recorded and answered from a script, and the clipboard is kept for inspection.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/bitmap.h"
#include "platform/host_base.h"

namespace kiv {

// A dialog the host was asked to show.
struct TDialogRecord {
  std::string Text;
  TMsgDlgType Type = mtInformation;
  TMsgDlgButtons Buttons;
  TModalResult Result = mrOk;
};

// Typical use:
//   TOffscreenHost host;                 // optionally Application().SetHost(&host)
//   host.Show(form);                     // windows created, everything painted once
//   host.MouseDown(mbLeft, 10, 20);      // coordinates in the active window
//   host.ProcessMessages();              // paints what the handlers invalidated
//   TBitmap picture = host.Snapshot(form);
// Synthetic calls act at once. Post queues an action for the next ProcessMessages, which is how a
// test feeds input to a component that waits in a modal loop. Separate press calls never combine
// into a double click; DoubleClick produces one.
class TOffscreenHost : public THostBase {
 public:
  TOffscreenHost();
  // Takes down the windows it made and uninstalls itself from Application.
  ~TOffscreenHost() override;

  // The window that coordinate-only input goes to: the one shown last, or set here.
  TWinControl* ActiveWindow() const { return active_; }
  void SetActiveWindow(TWinControl& Window);
  void Show(TWinControl& Control) override;

  // --- Pointer input in client coordinates of the active window.
  void MouseMove(int X, int Y, TShiftState Shift = {});
  void MouseDown(TMouseButton Button, int X, int Y, TShiftState Shift = {});
  void MouseUp(TMouseButton Button, int X, int Y, TShiftState Shift = {});
  // Press and release at one point.
  void Click(int X, int Y, TShiftState Shift = {}, TMouseButton Button = mbLeft);
  // Left press, release, second press (a double click) and release at one point.
  void DoubleClick(int X, int Y, TShiftState Shift = {});
  // Press at (X1, Y1), Steps moves along the line, release at (X2, Y2).
  void Drag(int X1, int Y1, int X2, int Y2, int Steps = 4, TMouseButton Button = mbLeft,
            TShiftState Shift = {});
  void Wheel(int X, int Y, int WheelDelta, TShiftState Shift = {});
  // The pointer leaves every window.
  void MouseLeave();

  // --- The same addressed to a control: coordinates are its client coordinates; its
  // top-level window becomes the active window. The input still goes where a real pointer at
  // that place would send it (a child on top, the capture, ...).
  void MouseMove(TControl& Control, int X, int Y, TShiftState Shift = {});
  void MouseDown(TControl& Control, TMouseButton Button, int X, int Y, TShiftState Shift = {});
  void MouseUp(TControl& Control, TMouseButton Button, int X, int Y, TShiftState Shift = {});
  void Click(TControl& Control, int X, int Y, TShiftState Shift = {}, TMouseButton Button = mbLeft);
  void DoubleClick(TControl& Control, int X, int Y, TShiftState Shift = {});
  void Wheel(TControl& Control, int X, int Y, int WheelDelta, TShiftState Shift = {});

  // --- Keys, to the focused control of the active window (or the window itself).
  void KeyDown(std::uint16_t Key, TShiftState Shift = {});
  void KeyUp(std::uint16_t Key, TShiftState Shift = {});
  void KeyPress(char Key);

  // Runs Action at the next ProcessMessages (in posting order).
  void Post(std::function<void()> Action);

  // --- Inspection.
  TCursor CurrentCursor() const { return ShownCursor(); }
  // Paint passes of a control (Paint calls through the host) since it got its window.
  int PaintCount(const TControl& Control) const;
  // How often a top-level window was presented (painted or drawn on, moved, shown, ...).
  int PresentCount(const TWinControl& Window) const;
  void ResetCounts();
  // The picture a top-level control (or any windowed control) shows now.
  TBitmap Snapshot(const TWinControl& Control) const { return Compose(Control); }
  // Texts of every dialog shown, in order; Dialogs gives the details.
  const std::vector<std::string>& Messages() const { return messages_; }
  const std::vector<TDialogRecord>& Dialogs() const { return dialogs_; }
  void ClearMessages();
  // Answers for the next MessageDlg calls, in order; without one a dialog takes its default
  // button. ShowMessage needs no answer (its OK is pressed at once).
  void QueueDialogResult(TModalResult Result) { answers_.push_back(Result); }

  // --- Clipboard contents.
  std::string ClipboardText() const override { return clip_text_; }
  const TBitmap& ClipboardBitmap() const { return clip_bitmap_; }
  const std::string& ClipboardSvg() const { return clip_svg_; }
  void ClipboardSetText(const std::string& Text) override { clip_text_ = Text; }
  void ClipboardSetBitmap(const TBitmap& Bitmap) override { clip_bitmap_ = Bitmap; }
  void ClipboardSetSvg(const std::string& Svg) override { clip_svg_ = Svg; }

  void ShowMessage(const std::string& Text) override;
  TModalResult MessageDlg(const std::string& Text, TMsgDlgType Type,
                          TMsgDlgButtons Buttons) override;

  TSize ScreenSize() const override { return screen_; }
  void SetScreenSize(TSize Size) { screen_ = Size; }
  // One ProcessMessages; false: an offscreen host has nothing to wait for.
  bool HandleMessage() override;
  void ForgetControl(TControl& Control, bool Destroyed) override;

 protected:
  void PumpEvents() override;
  void Present(TWinControl& Window) override;
  void Painted(TWinControl& Control) override;
  void PlatformWindowDestroyed(TWinControl& Window) override;

 private:
  TWinControl& Window();
  TPoint ToWindow(TControl& Control, int X, int Y);
  std::uint64_t NextPressTime();

  TWinControl* active_ = nullptr;
  std::deque<std::function<void()>> posted_;
  std::unordered_map<const TControl*, int> paints_;
  std::unordered_map<const TWinControl*, int> presents_;
  std::vector<std::string> messages_;
  std::vector<TDialogRecord> dialogs_;
  std::deque<TModalResult> answers_;
  std::string clip_text_;
  TBitmap clip_bitmap_;
  std::string clip_svg_;
  TSize screen_{1920, 1080};
  std::uint64_t clock_ms_ = 0;
};

}  // namespace kiv
