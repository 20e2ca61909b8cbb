#include "services/colorarray.h"

#include <algorithm>
#include <array>
#include <new>

#include "services/allocsize.h"
#include "services/rounding.h"

namespace kiv {

TColor InterpolateColor(TColor c1, TColor c2, double f) {
  if (!(f > 0)) f = 0;  // also NaN
  if (f > 1) f = 1;
  const TColor a = ColorToRGB(c1);
  const TColor b = ColorToRGB(c2);
  const auto mix = [f](int x, int y) { return RoundToInt(x + (y - x) * f); };
  return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)),
             mix(GetBValue(a), GetBValue(b)));
}

TColor PredefinedColors(int i) {
  static constexpr std::array<TColor, kNumPredefinedColors> kColors = {
      RGB(0, 0, 0),        // black
      RGB(0, 0, 255),      // blue
      RGB(220, 0, 0),      // red
      RGB(0, 90, 0),       // dark green
      RGB(255, 128, 0),    // orange
      RGB(230, 0, 230),    // magenta
      RGB(0, 150, 255),    // sky blue
      RGB(128, 64, 0),     // brown
      RGB(150, 100, 255),  // violet
      RGB(128, 128, 0),    // olive
      RGB(130, 0, 40),     // maroon
      RGB(0, 200, 120),    // spring green
      RGB(150, 60, 120),   // plum
      RGB(0, 0, 120),      // navy
      RGB(100, 210, 0),    // lime
      RGB(0, 200, 200),    // cyan
      RGB(128, 128, 128),  // grey
  };
  if (i < 0 || i >= kNumPredefinedColors) return clBlack;
  return kColors[static_cast<std::size_t>(i)];
}

TColorArray::TColorArray(int size) {
  SetSize(size);
}

TColorArray::TColorArray(const TColorArray& other)
    : TNotifyingPersistent(other), colors_(other.colors_) {}

TColorArray& TColorArray::operator=(const TColorArray& other) {
  if (this != &other) CopyFrom(other);
  return *this;
}

void TColorArray::SetSize(int size) {
  const std::size_t n = CheckedElemCount(ClassName(), size);
  if (n == colors_.size()) return;
  try {
    colors_.resize(n, clBlack);
  } catch (const std::bad_alloc&) {
    RaiseOutOfMemory(ClassName(), n);
  }
  Changed();
}

void TColorArray::SetColorElem(int ix, TColor c) {
  if (!IsInside(ix)) return;
  colors_[Slot(ix)] = c;
  Changed();
}

void TColorArray::CopyFrom(const TColorArray& Source) {
  if (&Source != this) colors_ = Source.colors_;
  Changed();
}

void TColorArray::CopyFrom(const TColorArray& Source, int SourceFirst, int DestFirst, int Count) {
  if (Count <= 0) return;
  // Work in 64 bits so that huge counts or offsets cannot overflow.
  long long src = SourceFirst;
  long long dst = DestFirst;
  long long n = Count;
  // Skip the part before index 1 of either array.
  const long long skip = std::max({0LL, 1 - src, 1 - dst});
  src += skip;
  dst += skip;
  n -= skip;
  n = std::min({n, Source.Size() - src + 1, Size() - dst + 1});
  if (n <= 0) return;
  const auto from = Source.colors_.begin() + (src - 1);
  const auto to = colors_.begin() + (dst - 1);
  // Within one array the ranges may overlap; copy backwards when moving entries up.
  if (&Source == this && dst > src)
    std::copy_backward(from, from + n, to + n);
  else
    std::copy(from, from + n, to);
  Changed();
}

void TColorArray::FillByInterpolation(int First, std::span<const TColor> Colors) {
  const int first = std::max(First, 1);
  const int last = Size();
  if (Colors.empty() || first > last) return;
  const int n = last - first + 1;
  const int segments = static_cast<int>(Colors.size()) - 1;
  for (int j = 0; j < n; ++j) {
    TColor c;
    if (segments == 0 || n == 1) {
      c = Colors.front();
    } else if (j == n - 1) {
      c = Colors.back();
    } else {
      // Position along the colour list; the integer part picks the pair of neighbours.
      const double t = static_cast<double>(j) * segments / (n - 1);
      const int s = std::min(static_cast<int>(t), segments - 1);
      c = InterpolateColor(Colors[static_cast<std::size_t>(s)],
                           Colors[static_cast<std::size_t>(s) + 1], t - s);
    }
    colors_[Slot(first + j)] = c;
  }
  Changed();
}

int TColorArray::ColorToIndex(TColor c) const {
  const TColor rgb = ColorToRGB(c);
  for (std::size_t i = 0; i < colors_.size(); ++i) {
    if (ColorToRGB(colors_[i]) == rgb) return static_cast<int>(i) + 1;
  }
  return 0;
}

void TColorArray::Assign(const TPersistent& Source) {
  if (const auto* src = dynamic_cast<const TColorArray*>(&Source)) {
    CopyFrom(*src);
    return;
  }
  TNotifyingPersistent::Assign(Source);
}

void TColorArray::AssignTo(TPersistent& Dest) const {
  if (auto* dst = dynamic_cast<TColorArray*>(&Dest)) {
    dst->CopyFrom(*this);
    return;
  }
  TNotifyingPersistent::AssignTo(Dest);
}

}  // namespace kiv
