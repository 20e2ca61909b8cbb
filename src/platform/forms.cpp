#include "platform/forms.h"

#include "platform/canvas.h"
#include "platform/host.h"

namespace kiv {

TForm::TForm(TComponent* AOwner) : TCustomControl(AOwner) {
  SetVisible(false);
  SetParentFont(false);
  SetColor(clBtnFace);
  SetBounds(0, 0, 320, 240);
  SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls});
}

void TForm::SetCaption(const std::string& v) {
  if (v == caption_) return;
  caption_ = v;
  if (THost* host = Host()) host->CaptionChanged(*this);
}

void TForm::Show() {
  if (THost* host = Application().Host())
    host->Show(*this);
  else
    SetVisible(true);
}

void TForm::Close() {
  TCloseAction action = caHide;
  if (OnClose) OnClose(this, action);
  if (action != caNone) SetVisible(false);
}

TWinControl* TForm::ActiveControl() const {
  const THost* host = Host();
  if (host == nullptr) return nullptr;
  TWinControl* focused = host->Focused();
  return focused != nullptr && focused != this && ContainsControl(focused) ? focused : nullptr;
}

void TForm::SetActiveControl(TWinControl* Control) {
  if (Control != nullptr && ContainsControl(Control) && Control->CanFocus()) Control->SetFocus();
}

void TForm::Paint() {
  TCanvas& canvas = Canvas();
  canvas.Brush().SetColor(Color());
  canvas.Brush().SetStyle(bsSolid);
  canvas.FillRect(ClientRect());
  if (OnPaint) OnPaint(this);
}

void TForm::VisibleChanged() {
  TCustomControl::VisibleChanged();
  if (Visible()) {
    if (OnShow) OnShow(this);
  } else if (OnHide) {
    OnHide(this);
  }
}

void TForm::CMDialogKey(TCMDialogKey& Message) {
  TWinControl* active = ActiveControl();
  switch (Message.CharCode) {
    case VK_TAB:
      if (Message.Shift.Contains(ssCtrl)) break;
      SelectNext(active, !Message.Shift.Contains(ssShift), true);
      Message.Result = 1;
      return;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
      if (active != nullptr && active->Parent() != nullptr) {
        active->Parent()->SelectNext(
            active, Message.CharCode == VK_RIGHT || Message.CharCode == VK_DOWN, false);
        Message.Result = 1;
      }
      return;
    default:
      break;
  }
  TCustomControl::CMDialogKey(Message);
}

}  // namespace kiv
