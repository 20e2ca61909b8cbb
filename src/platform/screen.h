// TScreen: the desktop as the controls see it: the global cursor override, the table of cursor
// images, the resolution and size, and the device capabilities components query.
#pragma once

#include <map>

#include "platform/cursors.h"
#include "platform/types.h"

namespace kiv {

class TCanvas;

class TScreen {
 public:
  TScreen() = default;
  TScreen(const TScreen&) = delete;
  TScreen& operator=(const TScreen&) = delete;

  // A cursor shown everywhere in the application, whatever the controls say; crDefault lets
  // each control show its own.
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor v);

  // The image of cursor number Index: a registered image, else the standard image of a standard
  // number, else the arrow.
  TCursorImage Cursors(TCursor Index) const;
  // Registers (or replaces) the image of a cursor number; components register their own shapes
  // under positive numbers.
  void SetCursors(TCursor Index, const TCursorImage& Image);
  // Whether an image was registered under Index.
  bool HasCursor(TCursor Index) const { return cursors_.count(Index) != 0; }

  int PixelsPerInch() const { return 96; }
  // Size of the desktop: the host's screen, 1920 x 1080 without host.
  int Width() const;
  int Height() const;
  // Relative width and height of a pixel (the device capabilities ASPECTX and ASPECTY): 36 and
  // 36, square pixels.
  int AspectX() const { return 36; }
  int AspectY() const { return 36; }

 private:
  TCursor cursor_ = crDefault;
  std::map<TCursor, TCursorImage> cursors_;
};

TScreen& Screen();

// Device capabilities, as a device context reports them.
inline constexpr int HORZRES = 8;
inline constexpr int VERTRES = 10;
inline constexpr int BITSPIXEL = 12;
inline constexpr int ASPECTX = 40;
inline constexpr int ASPECTY = 42;
inline constexpr int ASPECTXY = 44;
inline constexpr int LOGPIXELSX = 88;
inline constexpr int LOGPIXELSY = 90;

// The capability Index of the device behind Canvas: resolution from the canvas, aspect and size
// from the screen; 0 for an unknown index.
int GetDeviceCaps(const TCanvas& Canvas, int Index);

}  // namespace kiv
