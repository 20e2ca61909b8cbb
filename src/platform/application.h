// TApplication: the process-wide object that knows the active host, pumps its messages and ends
// the message loop. Application() returns the single instance.
#pragma once

#include <exception>
#include <functional>
#include <string>

#include "platform/component.h"

namespace kiv {

class THost;

// There is no host until one is installed: without a host the controls run headless (no
// windows; Invalidate and Repaint do nothing; ShowMessage writes to the standard error stream).
// A host is installed with SetHost (the offscreen host for tests and headless rendering, the X11
// host for real windows) and removes itself when destroyed.
class TApplication : public TComponent {
 public:
  TApplication() : TComponent(nullptr) {}
  std::string ClassName() const override { return "TApplication"; }

  THost* Host() const { return host_; }
  void SetHost(THost* Host) { host_ = Host; }

  // Lets the host deliver pending input and paint; returns at once. Does nothing without host.
  void ProcessMessages();
  // Processes messages until Terminate is called or the host has nothing left to wait for.
  void Run();
  bool Terminated() const { return terminated_; }
  void Terminate() { terminated_ = true; }

  // Reports an exception that escaped an event handler: OnException when assigned, else a
  // message dialog with the exception's text.
  void HandleException(TObject* Sender, const std::exception& E);
  std::function<void(TObject* Sender, const std::exception& E)> OnException;

  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& v) { title_ = v; }

 private:
  THost* host_ = nullptr;
  bool terminated_ = false;
  std::string title_ = "kivchart";
};

TApplication& Application();

}  // namespace kiv
