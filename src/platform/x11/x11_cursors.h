// Pointer shapes as X cursors: the standard shapes from the server's cursor font, every other
// number from its image in Screen().Cursors (black, white and transparent pixels).
#pragma once

#include <X11/Xlib.h>

#include <map>

#include "platform/cursors.h"

namespace kiv::x11 {

class TDisplay;

class TCursorCache {
 public:
  explicit TCursorCache(TDisplay& Display) : display_(&Display) {}
  ~TCursorCache();
  TCursorCache(const TCursorCache&) = delete;
  TCursorCache& operator=(const TCursorCache&) = delete;

  // The X cursor for a cursor number, made again when its registered image changed.
  Cursor Get(TCursor Number);
  void Forget();

 private:
  Cursor FromImage(const TCursorImage& Image);

  TDisplay* display_;
  struct Made {
    Cursor cursor;
    TCursorImage image;  // empty for cursor-font shapes
  };
  std::map<TCursor, Made> made_;
};

}  // namespace kiv::x11
