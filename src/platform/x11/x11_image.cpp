#include "platform/x11/x11_image.h"

#include <X11/Xutil.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/x11/x11_display.h"

namespace kiv::x11 {

TWindowImage::TWindowImage(TDisplay& Display, bool TryShm)
    : display_(&Display), try_shm_(TryShm && XShmQueryExtension(Display.Dpy())) {}

TWindowImage::~TWindowImage() {
  Release();
}

void TWindowImage::Release() {
  if (image_ == nullptr) return;
  Display* dpy = display_->Dpy();
  if (shm_) {
    XShmDetach(dpy, &segment_);
    XSync(dpy, False);
    XDestroyImage(image_);
    shmdt(segment_.shmaddr);
  } else {
    XDestroyImage(image_);  // frees the data too
  }
  image_ = nullptr;
  shm_ = false;
  width_ = height_ = 0;
}

void TWindowImage::Allocate(int W, int H) {
  if (image_ != nullptr && W == width_ && H == height_) return;
  Release();
  Display* dpy = display_->Dpy();
  Visual* visual = display_->Vis();
  const int depth = display_->ScreenDepth();
  if (try_shm_) {
    image_ = XShmCreateImage(dpy, visual, depth, ZPixmap, nullptr, &segment_, W, H);
    if (image_ != nullptr) {
      segment_.shmid = shmget(IPC_PRIVATE, static_cast<std::size_t>(image_->bytes_per_line) * H,
                              IPC_CREAT | 0600);
      void* addr = segment_.shmid >= 0 ? shmat(segment_.shmid, nullptr, 0) : nullptr;
      bool attached = false;
      if (addr != nullptr && addr != reinterpret_cast<void*>(-1)) {
        segment_.shmaddr = image_->data = static_cast<char*>(addr);
        segment_.readOnly = False;
        // A server on another machine cannot attach: fall back to plain images for good.
        TErrorTrap trap(dpy);
        XShmAttach(dpy, &segment_);
        attached = !trap.Failed();
        if (!attached) shmdt(addr);
      }
      // The segment goes away with the last detach.
      if (segment_.shmid >= 0) shmctl(segment_.shmid, IPC_RMID, nullptr);
      if (attached) {
        shm_ = true;
      } else {
        image_->data = nullptr;
        XDestroyImage(image_);
        image_ = nullptr;
        try_shm_ = false;
      }
    }
  }
  if (image_ == nullptr) {
    image_ = XCreateImage(dpy, visual, depth, ZPixmap, 0, nullptr, W, H, 32, 0);
    image_->data =
        static_cast<char*>(std::calloc(static_cast<std::size_t>(image_->bytes_per_line) * H, 1));
  }
  width_ = W;
  height_ = H;
  native_ = image_->bits_per_pixel == 32 && image_->byte_order == LSBFirst &&
            image_->red_mask == 0xFF0000 && image_->green_mask == 0xFF00 &&
            image_->blue_mask == 0xFF;
}

void TWindowImage::CopyPixels(const TBitmap& Picture) {
  for (int y = 0; y < height_; ++y) {
    const TPixel* row = Picture.ScanLine(y);
    char* out = image_->data + static_cast<std::ptrdiff_t>(y) * image_->bytes_per_line;
    if (native_) {
      std::memcpy(out, row, static_cast<std::size_t>(width_) * 4);
    } else {
      for (int x = 0; x < width_; ++x) {
        const TPixel p = row[x];
        const unsigned long r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
        auto scale = [](unsigned long v, unsigned long mask) {
          if (mask == 0) return 0UL;
          int shift = 0;
          while (((mask >> shift) & 1) == 0) ++shift;
          const unsigned long max = mask >> shift;
          return ((v * max + 127) / 255) << shift;
        };
        XPutPixel(image_, x, y,
                  scale(r, image_->red_mask) | scale(g, image_->green_mask) |
                      scale(b, image_->blue_mask));
      }
    }
  }
}

void TWindowImage::Put(Window Win, GC Gc, int X, int Y, int W, int H) {
  Display* dpy = display_->Dpy();
  if (shm_)
    XShmPutImage(dpy, Win, Gc, image_, X, Y, X, Y, W, H, False);
  else
    XPutImage(dpy, Win, Gc, image_, X, Y, X, Y, W, H);
}

void TWindowImage::Present(Window Win, GC Gc, const TBitmap& Picture) {
  if (Picture.Empty()) return;
  // The server may still be reading the shared image of the last frame.
  if (shm_) XSync(display_->Dpy(), False);
  Allocate(Picture.Width(), Picture.Height());
  CopyPixels(Picture);
  Put(Win, Gc, 0, 0, width_, height_);
  XFlush(display_->Dpy());
}

void TWindowImage::Repaint(Window Win, GC Gc, int X, int Y, int W, int H) {
  if (image_ == nullptr) return;
  const int x0 = std::max(X, 0), y0 = std::max(Y, 0);
  const int x1 = std::min(X + W, width_), y1 = std::min(Y + H, height_);
  if (x1 <= x0 || y1 <= y0) return;
  Put(Win, Gc, x0, y0, x1 - x0, y1 - y0);
}

}  // namespace kiv::x11
