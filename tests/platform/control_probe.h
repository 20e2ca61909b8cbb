// A test control that writes down every handler call, so tests can check what reached it and
// in which order.
#pragma once

#include <string>
#include <vector>

#include "platform/controls.h"

namespace kiv::test {

class TProbe : public TCustomControl {
 public:
  explicit TProbe(TComponent* AOwner = nullptr, TWinControl* AParent = nullptr, TRect Box = {})
      : TCustomControl(AOwner) {
    if (!Box.IsEmpty()) SetBoundsRect(Box);
    if (AParent != nullptr) SetParent(AParent);
  }

  std::vector<std::string> Log;
  int CreateWndCount = 0;
  int PaintCalls = 0;
  int DlgCode = 0;  // what WM_GETDLGCODE answers

  void Clear() { Log.clear(); }
  using TCustomControl::Canvas;

 protected:
  void CreateWnd() override {
    TCustomControl::CreateWnd();
    ++CreateWndCount;
  }
  void Paint() override { ++PaintCalls; }
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override {
    Log.push_back(std::string(Shift.Contains(ssDouble) ? "down2 " : "down ") + Name(Button) + " " +
                  Pos(X, Y));
    TCustomControl::MouseDown(Button, Shift, X, Y);
  }
  void MouseMove(TShiftState Shift, int X, int Y) override {
    Log.push_back(std::string(Shift.Contains(ssLeft) ? "drag " : "move ") + Pos(X, Y));
    TCustomControl::MouseMove(Shift, X, Y);
  }
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override {
    Log.push_back("up " + Name(Button) + " " + Pos(X, Y));
    TCustomControl::MouseUp(Button, Shift, X, Y);
  }
  void Click() override {
    Log.push_back("click");
    TCustomControl::Click();
  }
  void DblClick() override {
    Log.push_back("dblclick");
    TCustomControl::DblClick();
  }
  void MouseEnter() override {
    Log.push_back("enter");
    TCustomControl::MouseEnter();
  }
  void MouseLeave() override {
    Log.push_back("leave");
    TCustomControl::MouseLeave();
  }
  void KeyDown(std::uint16_t& Key, TShiftState Shift) override {
    Log.push_back("key " + std::to_string(Key));
    TCustomControl::KeyDown(Key, Shift);
  }
  void WMGetDlgCode(TWMGetDlgCode& Message) override {
    TCustomControl::WMGetDlgCode(Message);
    Message.Result = DlgCode;
  }

 private:
  static std::string Name(TMouseButton b) {
    return b == mbLeft ? "left" : b == mbRight ? "right" : "middle";
  }
  static std::string Pos(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }
};

}  // namespace kiv::test
