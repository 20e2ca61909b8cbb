#include "platform/dialogs.h"

#include <iostream>

#include "platform/application.h"
#include "platform/host.h"

namespace kiv {

TModalResult ModalResultOf(TMsgDlgBtn Button) {
  switch (Button) {
    case mbYes:
      return mrYes;
    case mbNo:
      return mrNo;
    case mbOK:
      return mrOk;
    case mbCancel:
      return mrCancel;
    case mbAbort:
      return mrAbort;
    case mbRetry:
      return mrRetry;
    case mbIgnore:
      return mrIgnore;
    case mbAll:
      return mrAll;
    case mbNoToAll:
      return mrNoToAll;
    case mbYesToAll:
      return mrYesToAll;
    case mbHelp:
      return mrHelp;
    case mbClose:
      return mrClose;
  }
  return mrNone;
}

TModalResult DefaultModalResult(TMsgDlgButtons Buttons) {
  if (Buttons.Empty() || Buttons.Contains(mbOK)) return mrOk;
  if (Buttons.Contains(mbYes)) return mrYes;
  for (int b = mbYes; b <= mbClose; ++b)
    if (Buttons.Contains(static_cast<TMsgDlgBtn>(b)))
      return ModalResultOf(static_cast<TMsgDlgBtn>(b));
  return mrOk;
}

void ShowMessage(const std::string& Text) {
  if (THost* host = Application().Host()) {
    host->ShowMessage(Text);
    return;
  }
  std::cerr << Text << '\n';
}

TModalResult MessageDlg(const std::string& Text, TMsgDlgType Type, TMsgDlgButtons Buttons, int) {
  if (THost* host = Application().Host()) return host->MessageDlg(Text, Type, Buttons);
  std::cerr << Text << '\n';
  return DefaultModalResult(Buttons);
}

}  // namespace kiv
