// THost: the window system as the controls see it. A host gives top-level controls (and their
// windowed children) windows, paints what was invalidated, routes input, shows the pointer shape,
// message dialogs and the clipboard. The offscreen host and the X11 host implement it.
#pragma once

#include <string>

#include "platform/cursors.h"
#include "platform/dialogs.h"
#include "platform/types.h"

namespace kiv {

class TBitmap;
class TControl;
class TWinControl;

// Controls call the host only through this interface; nothing in a component depends on which
// host runs. The host that created a control's window is the one it talks to (TControl::Host());
// Application().Host() serves everything that is not tied to a window (ProcessMessages, dialogs,
// the clipboard, the screen cursor).
class THost {
 public:
  THost() = default;
  THost(const THost&) = delete;
  THost& operator=(const THost&) = delete;
  virtual ~THost() = default;

  // --- Windows.
  // Makes Control's top-level control a visible window: gives it and its visible windowed
  // children windows (CreateWnd runs once per window) and paints them.
  virtual void Show(TWinControl& Control) = 0;
  // A control's window was created (called from TWinControl::CreateWnd) or is going away.
  virtual void WindowCreated(TWinControl& Control) = 0;
  virtual void WindowDestroyed(TWinControl& Control) = 0;
  // Drop every reference to Control and the controls inside it: it was hidden, disabled, taken
  // out of its window or destroyed (Destroyed: the object is going away).
  virtual void ForgetControl(TControl& Control, bool Destroyed) = 0;
  // The window's title changed.
  virtual void CaptionChanged(TWinControl&) {}

  // --- Painting.
  // Paint Control at the next ProcessMessages (once, however often it was invalidated).
  virtual void InvalidateControl(TWinControl& Control) = 0;
  // Paint Control now if it is invalidated.
  virtual void UpdateControl(TWinControl& Control) = 0;
  // What Control shows changed (drawn on, moved, resized, shown or hidden): present it again.
  virtual void SurfaceChanged(TControl& Control) = 0;

  // --- The message loop.
  // Delivers pending input, paints what is invalidated and presents what changed; returns at
  // once. Components call it (through Application) inside long computations and modal loops.
  virtual void ProcessMessages() = 0;
  // Waits for input (if the host can wait) and processes it; false when there is nothing left
  // to wait for (no visible window, or a host that cannot wait).
  virtual bool HandleMessage() = 0;

  // --- Pointer and keyboard.
  virtual void SetCapture(TControl* Control) = 0;
  virtual TControl* GetCapture() const = 0;
  virtual void SetFocus(TWinControl* Control) = 0;
  virtual TWinControl* Focused() const = 0;
  // A control's Cursor, a cursor image or Screen().Cursor changed: update the pointer shape.
  virtual void CursorChanged() = 0;
  // The pointer position in screen coordinates.
  virtual TPoint CursorPos() const = 0;

  // --- Dialogs (modal; they return when closed).
  virtual void ShowMessage(const std::string& Text) = 0;
  virtual TModalResult MessageDlg(const std::string& Text, TMsgDlgType Type,
                                  TMsgDlgButtons Buttons) = 0;

  // --- Clipboard.
  virtual void ClipboardSetText(const std::string& Text) = 0;
  virtual std::string ClipboardText() const = 0;
  virtual void ClipboardSetBitmap(const TBitmap& Bitmap) = 0;
  // A vector picture as an SVG document.
  virtual void ClipboardSetSvg(const std::string& Svg) = 0;

  // --- The screen: size of the (virtual) desktop in pixels.
  virtual TSize ScreenSize() const = 0;

 protected:
  // Doors into the controls for host implementations.
  static void CreateHandle(TWinControl& Control, THost& Host);
  static void DestroyHandle(TWinControl& Control);
  static void PaintWindow(TWinControl& Control);
};

}  // namespace kiv
