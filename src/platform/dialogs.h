// Message dialogs: ShowMessage (an information text with an OK button) and MessageDlg (a text
// with a type and a choice of buttons). The active host shows them.
#pragma once

#include <cstdint>
#include <string>

#include "platform/types.h"

namespace kiv {

enum TMsgDlgType : std::uint8_t { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

enum TMsgDlgBtn : std::uint8_t {
  mbYes,
  mbNo,
  mbOK,
  mbCancel,
  mbAbort,
  mbRetry,
  mbIgnore,
  mbAll,
  mbNoToAll,
  mbYesToAll,
  mbHelp,
  mbClose
};
using TMsgDlgButtons = TSet<TMsgDlgBtn>;
inline constexpr TMsgDlgButtons mbYesNo{mbYes, mbNo};
inline constexpr TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
inline constexpr TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
inline constexpr TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};

// Results of a modal dialog.
using TModalResult = int;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;
inline constexpr TModalResult mrAbort = 3;
inline constexpr TModalResult mrRetry = 4;
inline constexpr TModalResult mrIgnore = 5;
inline constexpr TModalResult mrYes = 6;
inline constexpr TModalResult mrNo = 7;
inline constexpr TModalResult mrClose = 8;
inline constexpr TModalResult mrHelp = 9;
inline constexpr TModalResult mrAll = 12;
inline constexpr TModalResult mrNoToAll = 13;
inline constexpr TModalResult mrYesToAll = 14;

// The result a button gives.
TModalResult ModalResultOf(TMsgDlgBtn Button);
// The result of the default button of a dialog: OK, else Yes, else the first button of the set
// in the order of TMsgDlgBtn; mrOk for an empty set (which shows an OK button).
TModalResult DefaultModalResult(TMsgDlgButtons Buttons);

// Shows Text in an information dialog with an OK button and returns when it is closed. Without
// a host the text goes to the standard error stream.
void ShowMessage(const std::string& Text);
// Shows a dialog and returns the result of the button pressed. Without a host the text goes to
// the standard error stream and the default button's result is returned.
TModalResult MessageDlg(const std::string& Text, TMsgDlgType Type, TMsgDlgButtons Buttons,
                        int HelpContext = 0);

}  // namespace kiv
