// TForm: the top-level container an application puts its components on; one form is one window
// of the host. Also brings in Screen() and Application(), as the classic forms unit does.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/application.h"
#include "platform/controls.h"
#include "platform/screen.h"

namespace kiv {

enum TCloseAction : std::uint8_t { caNone, caHide, caFree, caMinimize };
using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;

// A form starts hidden, 320 x 240, in the button-face colour, with ParentFont off. Its Width and
// Height are the client size (window decorations belong to the window system). Tab and the arrow
// keys move the focus between its controls unless the focused control asks for them
// (WM_GETDLGCODE).
class TForm : public TCustomControl {
 public:
  explicit TForm(TComponent* AOwner);
  std::string ClassName() const override { return "TForm"; }

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& v);

  // Shows the form as a window of Application().Host() (just sets Visible without a host).
  void Show();
  // OnClose decides; any action but caNone hides the form (it is not destroyed: its creator
  // owns it).
  void Close();

  // The focused control inside the form, or nullptr.
  TWinControl* ActiveControl() const;
  // Focuses Control when the form is showing.
  void SetActiveControl(TWinControl* Control);

  TNotifyEvent OnPaint;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TCloseEvent OnClose;

 protected:
  // Fills the client area with Color, then fires OnPaint.
  void Paint() override;
  void VisibleChanged() override;
  void CMDialogKey(TCMDialogKey& Message) override;

 private:
  std::string caption_;
};

}  // namespace kiv
