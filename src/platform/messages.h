// Window messages of the control layer: the message records a host delivers to controls, their
// numbers, virtual key codes and dialog codes. Controls override one handler per message and call
// the inherited one, as with any window procedure.
#pragma once

#include <cstdint>

#include "platform/types.h"

namespace kiv {

enum TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };

enum TShiftStateFlag : std::uint8_t { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateFlag>;

// Message numbers.
inline constexpr std::uint32_t WM_SETFOCUS = 0x0007;
inline constexpr std::uint32_t WM_KILLFOCUS = 0x0008;
inline constexpr std::uint32_t WM_PAINT = 0x000F;
inline constexpr std::uint32_t WM_CONTEXTMENU = 0x007B;
inline constexpr std::uint32_t WM_GETDLGCODE = 0x0087;
inline constexpr std::uint32_t WM_KEYDOWN = 0x0100;
inline constexpr std::uint32_t WM_KEYUP = 0x0101;
inline constexpr std::uint32_t WM_CHAR = 0x0102;
inline constexpr std::uint32_t WM_MOUSEMOVE = 0x0200;
inline constexpr std::uint32_t WM_LBUTTONDOWN = 0x0201;
inline constexpr std::uint32_t WM_LBUTTONUP = 0x0202;
inline constexpr std::uint32_t WM_LBUTTONDBLCLK = 0x0203;
inline constexpr std::uint32_t WM_RBUTTONDOWN = 0x0204;
inline constexpr std::uint32_t WM_RBUTTONUP = 0x0205;
inline constexpr std::uint32_t WM_RBUTTONDBLCLK = 0x0206;
inline constexpr std::uint32_t WM_MBUTTONDOWN = 0x0207;
inline constexpr std::uint32_t WM_MBUTTONUP = 0x0208;
inline constexpr std::uint32_t WM_MBUTTONDBLCLK = 0x0209;
inline constexpr std::uint32_t WM_MOUSEWHEEL = 0x020A;
inline constexpr std::uint32_t CM_BASE = 0xB000;
inline constexpr std::uint32_t CM_DIALOGKEY = CM_BASE + 5;
inline constexpr std::uint32_t CM_MOUSEENTER = CM_BASE + 19;
inline constexpr std::uint32_t CM_MOUSELEAVE = CM_BASE + 20;

// Results of WM_GETDLGCODE: the keys a control wants instead of the dialog navigation.
inline constexpr int DLGC_WANTARROWS = 0x0001;
inline constexpr int DLGC_WANTTAB = 0x0002;
inline constexpr int DLGC_WANTALLKEYS = 0x0004;
inline constexpr int DLGC_WANTMESSAGE = 0x0004;
inline constexpr int DLGC_HASSETSEL = 0x0008;
inline constexpr int DLGC_DEFPUSHBUTTON = 0x0010;
inline constexpr int DLGC_UNDEFPUSHBUTTON = 0x0020;
inline constexpr int DLGC_RADIOBUTTON = 0x0040;
inline constexpr int DLGC_WANTCHARS = 0x0080;
inline constexpr int DLGC_STATIC = 0x0100;
inline constexpr int DLGC_BUTTON = 0x2000;

// Virtual key codes (letters and digits are their upper-case ASCII codes).
inline constexpr std::uint16_t VK_BACK = 0x08;
inline constexpr std::uint16_t VK_TAB = 0x09;
inline constexpr std::uint16_t VK_RETURN = 0x0D;
inline constexpr std::uint16_t VK_SHIFT = 0x10;
inline constexpr std::uint16_t VK_CONTROL = 0x11;
inline constexpr std::uint16_t VK_MENU = 0x12;
inline constexpr std::uint16_t VK_ESCAPE = 0x1B;
inline constexpr std::uint16_t VK_SPACE = 0x20;
inline constexpr std::uint16_t VK_PRIOR = 0x21;
inline constexpr std::uint16_t VK_NEXT = 0x22;
inline constexpr std::uint16_t VK_END = 0x23;
inline constexpr std::uint16_t VK_HOME = 0x24;
inline constexpr std::uint16_t VK_LEFT = 0x25;
inline constexpr std::uint16_t VK_UP = 0x26;
inline constexpr std::uint16_t VK_RIGHT = 0x27;
inline constexpr std::uint16_t VK_DOWN = 0x28;
inline constexpr std::uint16_t VK_INSERT = 0x2D;
inline constexpr std::uint16_t VK_DELETE = 0x2E;
inline constexpr std::uint16_t VK_ADD = 0x6B;
inline constexpr std::uint16_t VK_SUBTRACT = 0x6D;
inline constexpr std::uint16_t VK_F1 = 0x70;

// One unit of wheel rotation.
inline constexpr int WHEEL_DELTA = 120;

// Which record a message really is; Dispatch only casts to the record the tag names, so a
// message built with the wrong record is ignored instead of misread.
enum class TMessageRecord : std::uint8_t { Plain, Mouse, MouseWheel, Key, ContextMenu };

// A message: its number, two free parameters and the result the handler leaves.
struct TMessage {
  std::uint32_t Msg = 0;
  std::intptr_t WParam = 0;
  std::intptr_t LParam = 0;
  std::intptr_t Result = 0;

  explicit TMessage(std::uint32_t msg = 0, std::intptr_t wparam = 0, std::intptr_t lparam = 0)
      : Msg(msg), WParam(wparam), LParam(lparam) {}
  TMessageRecord Record() const { return record_; }

 protected:
  TMessage(std::uint32_t msg, TMessageRecord record) : Msg(msg), record_(record) {}

 private:
  TMessageRecord record_ = TMessageRecord::Plain;
};

// Button and move messages. Keys holds the modifier keys and the buttons held after the event
// (a button-down message includes its own button, a button-up message no longer does); the
// position is in the receiving control's client coordinates.
struct TWMMouse : TMessage {
  TShiftState Keys;
  int XPos = 0;
  int YPos = 0;
  TWMMouse(std::uint32_t msg, TShiftState keys, int x, int y)
      : TMessage(msg, TMessageRecord::Mouse), Keys(keys), XPos(x), YPos(y) {}
  TPoint Pos() const { return TPoint(XPos, YPos); }
};
using TWMMouseMove = TWMMouse;
using TWMLButtonDown = TWMMouse;
using TWMLButtonUp = TWMMouse;
using TWMLButtonDblClk = TWMMouse;
using TWMRButtonDown = TWMMouse;
using TWMRButtonUp = TWMMouse;
using TWMRButtonDblClk = TWMMouse;
using TWMMButtonDown = TWMMouse;
using TWMMButtonUp = TWMMouse;
using TWMMButtonDblClk = TWMMouse;

// The wheel: WheelDelta in multiples of WHEEL_DELTA (positive = away from the user), the
// position in screen coordinates. A handler that used the wheel sets Result to 1; otherwise the
// host offers the message to the parent.
struct TWMMouseWheel : TMessage {
  TShiftState Keys;
  int WheelDelta = 0;
  int XPos = 0;
  int YPos = 0;
  TWMMouseWheel(TShiftState keys, int delta, int x, int y)
      : TMessage(WM_MOUSEWHEEL, TMessageRecord::MouseWheel),
        Keys(keys),
        WheelDelta(delta),
        XPos(x),
        YPos(y) {}
  TPoint Pos() const { return TPoint(XPos, YPos); }
};

// Key messages: CharCode is the virtual key (WM_KEYDOWN, WM_KEYUP, CM_DIALOGKEY) or the
// character (WM_CHAR); Shift the modifier keys. A handler that sets CharCode to 0 consumed it.
struct TWMKey : TMessage {
  std::uint16_t CharCode = 0;
  TShiftState Shift;
  TWMKey(std::uint32_t msg, std::uint16_t code, TShiftState shift)
      : TMessage(msg, TMessageRecord::Key), CharCode(code), Shift(shift) {}
};
using TWMKeyDown = TWMKey;
using TWMKeyUp = TWMKey;
using TWMChar = TWMKey;
using TCMDialogKey = TWMKey;

// Asks a control which keys it wants (Result: DLGC_ flags, 0 by default).
using TWMGetDlgCode = TMessage;

// A context menu request, position in screen coordinates. Result 1 = handled.
struct TWMContextMenu : TMessage {
  int XPos = 0;
  int YPos = 0;
  TWMContextMenu(int x, int y)
      : TMessage(WM_CONTEXTMENU, TMessageRecord::ContextMenu), XPos(x), YPos(y) {}
  TPoint Pos() const { return TPoint(XPos, YPos); }
};

}  // namespace kiv
