// TX11Host: the host of real windows on an X server. Top-level controls become X windows that
// show their composed surfaces; pointer, wheel, keys, focus, resizes and closes arrive as the
// framework's messages; cursors, message dialogs and the CLIPBOARD selection are the server's.
#pragma once

#include <memory>
#include <string>

#include "platform/host_base.h"

namespace kiv {

// Typical use:
//   TX11Host host;                      // the display of $DISPLAY
//   Application().SetHost(&host);
//   form.Show();                        // the form's window appears
//   Application().Run();                // until the last window closes or Terminate
// Nothing here opens a display unless a TX11Host is made; this header needs no X headers.
class TX11Host : public THostBase {
 public:
  // Connects to DisplayName, or to $DISPLAY when it is empty. Raises EPlatformError "Cannot open
  // X display ..." when no server answers. UseShm false sends pictures with plain XPutImage
  // even when MIT-SHM is available.
  explicit TX11Host(const std::string& DisplayName = "", bool UseShm = true);
  ~TX11Host() override;

  // Whether windows are presented through shared memory.
  bool UsesSharedMemory() const;
  // The X window of a top-level control (0 when it has none), for tests and embedding.
  unsigned long WindowId(const TWinControl& Control) const;
  // Waits until the server has carried out every request sent so far.
  void Sync();
  // How many pictures were sent to the server for a window (presents, not exposes).
  int PresentCount(const TWinControl& Control) const;

  void CaptionChanged(TWinControl& Control) override;
  bool HandleMessage() override;
  void ShowMessage(const std::string& Text) override;
  TModalResult MessageDlg(const std::string& Text, TMsgDlgType Type,
                          TMsgDlgButtons Buttons) override;
  void ClipboardSetText(const std::string& Text) override;
  std::string ClipboardText() const override;
  void ClipboardSetBitmap(const TBitmap& Bitmap) override;
  void ClipboardSetSvg(const std::string& Svg) override;
  TSize ScreenSize() const override;

 protected:
  void PumpEvents() override;
  void Present(TWinControl& Window) override;
  void PlatformWindowCreated(TWinControl& Window) override;
  void PlatformWindowDestroyed(TWinControl& Window) override;
  void ApplyCursor(TCursor Cursor) override;

 private:
  struct Impl;
  struct WindowState;
  // Handles one event; Modal: only painting, resizes and the clipboard (a dialog is open).
  void Dispatch(void* Event, bool Modal);
  WindowState* Find(unsigned long Window) const;
  bool AnyWindowVisible() const;

  std::unique_ptr<Impl> impl_;
};

}  // namespace kiv
