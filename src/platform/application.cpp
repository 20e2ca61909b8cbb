#include "platform/application.h"

#include "platform/dialogs.h"
#include "platform/host.h"

namespace kiv {

TApplication& Application() {
  static TApplication app;
  return app;
}

void TApplication::ProcessMessages() {
  if (host_ != nullptr) host_->ProcessMessages();
}

void TApplication::Run() {
  while (!terminated_ && host_ != nullptr && host_->HandleMessage()) {
  }
}

void TApplication::HandleException(TObject* Sender, const std::exception& E) {
  if (OnException) {
    OnException(Sender, E);
    return;
  }
  MessageDlg(E.what(), mtError, {mbOK});
}

}  // namespace kiv
