// Helpers of the text tests: bitmaps in one colour and the box of the pixels text changed.
#pragma once

#include <algorithm>

#include "platform/bitmap.h"
#include "platform/types.h"

namespace kiv::testing {

inline void Clear(TBitmap& b, TPixel p) {
  for (int y = 0; y < b.Height(); ++y) std::fill(b.ScanLine(y), b.ScanLine(y) + b.Width(), p);
}

// The smallest rectangle holding every pixel that is not bg (empty when there is none), and
// how many there are.
struct Ink {
  TRect box;
  int count = 0;
};

inline Ink FindInk(const TBitmap& b, TPixel bg) {
  Ink ink;
  int l = b.Width(), t = b.Height(), r = 0, btm = 0;
  for (int y = 0; y < b.Height(); ++y) {
    for (int x = 0; x < b.Width(); ++x) {
      if (b.ScanLine(y)[x] == bg) continue;
      ++ink.count;
      l = std::min(l, x);
      t = std::min(t, y);
      r = std::max(r, x + 1);
      btm = std::max(btm, y + 1);
    }
  }
  if (ink.count > 0) ink.box = TRect(l, t, r, btm);
  return ink;
}

}  // namespace kiv::testing
