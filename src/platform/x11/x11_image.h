// The picture of one window on the X server's side: a client image the size of the window,
// shared with the server through MIT-SHM when the extension works, sent with XPutImage
// otherwise. Presenting copies the composed picture in; exposes resend the part they need.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include "platform/bitmap.h"

namespace kiv::x11 {

class TDisplay;

class TWindowImage {
 public:
  TWindowImage(TDisplay& Display, bool TryShm);
  ~TWindowImage();
  TWindowImage(const TWindowImage&) = delete;
  TWindowImage& operator=(const TWindowImage&) = delete;

  // Takes Picture as the window's content and sends it all.
  void Present(Window Win, GC Gc, const TBitmap& Picture);
  // Sends the part (x, y, w, h) of the last picture again (an expose).
  void Repaint(Window Win, GC Gc, int X, int Y, int W, int H);
  bool Shared() const { return shm_; }
  bool HasPicture() const { return image_ != nullptr; }
  // Makes the client image W x H (shared when possible); keeps it when the size is the same.
  void Allocate(int W, int H);

 private:
  void Release();
  void Put(Window Win, GC Gc, int X, int Y, int W, int H);
  void CopyPixels(const TBitmap& Picture);

  TDisplay* display_;
  bool try_shm_;
  bool shm_ = false;
  XImage* image_ = nullptr;
  XShmSegmentInfo segment_{};
  int width_ = 0;
  int height_ = 0;
  // The server's pixel layout is our own (32-bit little-endian 0x00RRGGBB): rows are copied
  // as they are; any other layout is converted pixel by pixel.
  bool native_ = false;
};

}  // namespace kiv::x11
