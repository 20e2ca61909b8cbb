// The modal message window of ShowMessage and MessageDlg: the text, a row of buttons, the
// default button focused; Return presses the focused button, Escape cancels, Tab and the
// arrow keys move between buttons, a click presses one.
#pragma once

#include <X11/Xlib.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/bitmap.h"
#include "platform/dialogs.h"

namespace kiv::x11 {

class TDisplay;
class TWindowImage;

class TMessageWindow {
 public:
  TMessageWindow(TDisplay& Display, const std::string& Text, TMsgDlgType Type,
                 TMsgDlgButtons Buttons);
  ~TMessageWindow();
  TMessageWindow(const TMessageWindow&) = delete;
  TMessageWindow& operator=(const TMessageWindow&) = delete;

  Window Win() const { return window_; }
  // Handles an event of the message window; true when it was one.
  bool Handle(const XEvent& Event);
  bool Done() const { return result_ != mrNone; }
  TModalResult Result() const { return result_; }
  // The picture the window shows.
  const TBitmap& Picture() const { return picture_; }

 private:
  struct Button {
    TMsgDlgBtn kind;
    TRect rect;
  };
  void Draw();
  void Key(unsigned long KeySym);
  TModalResult CancelResult() const;

  TDisplay* display_;
  Window window_ = 0;
  GC gc_ = nullptr;
  std::unique_ptr<TWindowImage> image_;
  std::vector<std::string> lines_;
  std::vector<Button> buttons_;
  std::size_t focus_ = 0;
  TModalResult result_ = mrNone;
  TBitmap picture_;
  bool mapped_ = false;
};

}  // namespace kiv::x11
