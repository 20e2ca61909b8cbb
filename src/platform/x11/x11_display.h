// The connection to the X server the X11 host talks through: the display, its default visual,
// the atoms the host uses and a scope that turns protocol errors into return values.
#pragma once

#include <X11/Xlib.h>

#include <string>

namespace kiv::x11 {

struct TAtoms {
  Atom wm_protocols, wm_delete_window, net_wm_name, utf8_string, clipboard, targets, multiple,
      timestamp, incr, text, text_plain, text_plain_utf8, string, image_png, image_bmp, image_svg,
      kiv_selection, kiv_time, net_wm_window_type, net_wm_window_type_dialog;
};

class TDisplay {
 public:
  // Opens Name, or $DISPLAY when Name is empty. Raises EPlatformError "Cannot open X display
  // <name>" when the server cannot be reached.
  explicit TDisplay(const std::string& Name);
  ~TDisplay();
  TDisplay(const TDisplay&) = delete;
  TDisplay& operator=(const TDisplay&) = delete;

  Display* Dpy() const { return dpy_; }
  int ScreenNumber() const { return screen_; }
  Window Root() const { return RootWindow(dpy_, screen_); }
  Visual* Vis() const { return DefaultVisual(dpy_, screen_); }
  int ScreenDepth() const { return DefaultDepth(dpy_, screen_); }
  const TAtoms& Atoms() const { return atoms_; }
  const std::string& Name() const { return name_; }
  // The largest property chunk sent in one request.
  long MaxChunk() const { return max_chunk_; }

 private:
  Display* dpy_ = nullptr;
  int screen_ = 0;
  std::string name_;
  TAtoms atoms_{};
  long max_chunk_ = 0;
};

// While alive, protocol errors are recorded instead of ending the program; Failed() syncs and
// tells whether any arrived. Scopes do not nest.
class TErrorTrap {
 public:
  explicit TErrorTrap(Display* Dpy);
  ~TErrorTrap();
  TErrorTrap(const TErrorTrap&) = delete;
  TErrorTrap& operator=(const TErrorTrap&) = delete;
  bool Failed();

 private:
  Display* dpy_;
  int (*previous_)(Display*, XErrorEvent*);
};

}  // namespace kiv::x11
