#include "platform/x11/x11_cursors.h"
#include "platform/screen.h"
#include "platform/x11/x11_display.h"

#include <X11/cursorfont.h>

#include <algorithm>
#include <vector>

namespace kiv::x11 {

namespace {

// The cursor-font glyph of a standard shape; -1 for shapes drawn from their image.
int FontShape(TCursor c) {
  switch (c) {
    case crDefault:
    case crArrow:
      return XC_left_ptr;
    case crCross:
      return XC_crosshair;
    case crIBeam:
      return XC_xterm;
    case crSizeNESW:
      return XC_bottom_left_corner;
    case crSizeNS:
      return XC_sb_v_double_arrow;
    case crSizeNWSE:
      return XC_bottom_right_corner;
    case crSizeWE:
      return XC_sb_h_double_arrow;
    case crUpArrow:
      return XC_sb_up_arrow;
    case crHourGlass:
    case crSQLWait:
      return XC_watch;
    case crNoDrop:
    case crNo:
      return XC_circle;
    case crHSplit:
      return XC_sb_h_double_arrow;
    case crVSplit:
      return XC_sb_v_double_arrow;
    case crAppStart:
      return XC_watch;
    case crHelp:
      return XC_question_arrow;
    case crHandPoint:
      return XC_hand2;
    case crSizeAll:
      return XC_fleur;
    default:
      return -1;
  }
}

}  // namespace

TCursorCache::~TCursorCache() {
  Forget();
}

void TCursorCache::Forget() {
  for (auto& m : made_) XFreeCursor(display_->Dpy(), m.second.cursor);
  made_.clear();
}

Cursor TCursorCache::Get(TCursor Number) {
  const int shape = Screen().HasCursor(Number) ? -1 : FontShape(Number);
  const TCursorImage image = shape >= 0 ? TCursorImage() : Screen().Cursors(Number);
  const auto it = made_.find(Number);
  if (it != made_.end()) {
    if (it->second.image == image) return it->second.cursor;
    XFreeCursor(display_->Dpy(), it->second.cursor);
    made_.erase(it);
  }
  const Cursor c = shape >= 0 ? XCreateFontCursor(display_->Dpy(), static_cast<unsigned>(shape))
                              : FromImage(image);
  made_[Number] = Made{c, image};
  return c;
}

// A two-colour cursor: dark opaque pixels black, light ones white, transparent ones masked.
Cursor TCursorCache::FromImage(const TCursorImage& Image) {
  Display* dpy = display_->Dpy();
  const int w = Image.Empty() ? 1 : Image.Width(), h = Image.Empty() ? 1 : Image.Height();
  const int stride = (w + 7) / 8;
  std::vector<char> fg(static_cast<std::size_t>(stride) * h), mask(fg.size());
  for (int y = 0; y < Image.Height(); ++y) {
    for (int x = 0; x < Image.Width(); ++x) {
      const TPixel p = Image.Pixel(x, y);
      if ((p >> 24) < 128) continue;
      const int luma =
          static_cast<int>(((p >> 16) & 0xFF) * 3 + ((p >> 8) & 0xFF) * 6 + (p & 0xFF));
      const std::size_t byte = static_cast<std::size_t>(y) * stride + x / 8;
      mask[byte] = static_cast<char>(mask[byte] | (1 << (x % 8)));
      if (luma < 128 * 10) fg[byte] = static_cast<char>(fg[byte] | (1 << (x % 8)));
    }
  }
  const Window root = display_->Root();
  Pixmap source = XCreateBitmapFromData(dpy, root, fg.data(), static_cast<unsigned>(w),
                                        static_cast<unsigned>(h));
  Pixmap shape = XCreateBitmapFromData(dpy, root, mask.data(), static_cast<unsigned>(w),
                                       static_cast<unsigned>(h));
  XColor black{}, white{};
  white.red = white.green = white.blue = 0xFFFF;
  const TPoint hot = Image.HotSpot();
  Cursor c = XCreatePixmapCursor(dpy, source, shape, &black, &white,
                                 static_cast<unsigned>(std::clamp(hot.X, 0, w - 1)),
                                 static_cast<unsigned>(std::clamp(hot.Y, 0, h - 1)));
  XFreePixmap(dpy, source);
  XFreePixmap(dpy, shape);
  return c;
}

}  // namespace kiv::x11
