// Integer geometry value types of the platform layer (points, rectangles, sizes) and a small
// bit-set template that stands in for the framework's Pascal-style sets.
#pragma once

#include <algorithm>
#include <climits>
#include <cstdint>
#include <initializer_list>
#include <type_traits>

namespace kiv {

// v clamped to the int range: sums and differences of coordinates are formed in 64 bits and
// saturate, so geometry near the ends of the range never overflows.
constexpr int SaturateInt(long long v) {
  return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

struct TPoint {
  int X = 0;
  int Y = 0;
  constexpr TPoint() = default;
  constexpr TPoint(int x, int y) : X(x), Y(y) {}
  friend constexpr bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
  int cx = 0;
  int cy = 0;
  friend constexpr bool operator==(const TSize&, const TSize&) = default;
};

// A rectangle in the framework's convention: Right and Bottom are exclusive.
struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  constexpr TRect() = default;
  constexpr TRect(int l, int t, int r, int b) : Left(l), Top(t), Right(r), Bottom(b) {}
  // Saturated: a rectangle wider than the int range reports INT_MAX (INT_MIN when reversed).
  constexpr int Width() const { return Span(Left, Right); }
  constexpr int Height() const { return Span(Top, Bottom); }
  constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  constexpr bool Contains(int x, int y) const {
    return x >= Left && x < Right && y >= Top && y < Bottom;
  }
  constexpr bool Contains(TPoint p) const { return Contains(p.X, p.Y); }
  // Left <= Right and Top <= Bottom.
  constexpr TRect Normalized() const {
    return TRect(std::min(Left, Right), std::min(Top, Bottom), std::max(Left, Right),
                 std::max(Top, Bottom));
  }
  constexpr TRect Intersect(const TRect& o) const {
    TRect r(std::max(Left, o.Left), std::max(Top, o.Top), std::min(Right, o.Right),
            std::min(Bottom, o.Bottom));
    if (r.IsEmpty()) return TRect();
    return r;
  }
  friend constexpr bool operator==(const TRect&, const TRect&) = default;

 private:
  // b - a, saturated. One branch per sign lets the optimiser see that a non-empty rectangle has
  // a positive width (a single clamp hides that and draws false buffer-size warnings).
  static constexpr int Span(int a, int b) {
    const long long d = static_cast<long long>(b) - a;
    return b >= a ? static_cast<int>(std::min<long long>(d, INT_MAX))
                  : static_cast<int>(std::max<long long>(d, INT_MIN));
  }
};

// Horizontal alignment of text (the framework's TAlignment).
enum TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };

constexpr TPoint Point(int x, int y) {
  return TPoint(x, y);
}
constexpr TRect Rect(int l, int t, int r, int b) {
  return TRect(l, t, r, b);
}
// The far edges saturate at the end of the int range.
constexpr TRect Bounds(int l, int t, int w, int h) {
  return TRect(l, t, SaturateInt(static_cast<long long>(l) + w),
               SaturateInt(static_cast<long long>(t) + h));
}

// A set of up to 64 values of an enumeration, as the framework's "set of" types.
template <typename E>
class TSet {
  static_assert(std::is_enum_v<E>);

 public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> values) {
    for (E v : values) bits_ |= Bit(v);
  }
  constexpr bool Contains(E v) const { return (bits_ & Bit(v)) != 0; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr TSet& Include(E v) {
    bits_ |= Bit(v);
    return *this;
  }
  constexpr TSet& Exclude(E v) {
    bits_ &= ~Bit(v);
    return *this;
  }
  constexpr TSet operator+(TSet o) const { return FromBits(bits_ | o.bits_); }
  constexpr TSet operator-(TSet o) const { return FromBits(bits_ & ~o.bits_); }
  constexpr TSet operator*(TSet o) const { return FromBits(bits_ & o.bits_); }
  constexpr std::uint64_t Bits() const { return bits_; }
  static constexpr TSet FromBits(std::uint64_t b) {
    TSet s;
    s.bits_ = b;
    return s;
  }
  friend constexpr bool operator==(const TSet&, const TSet&) = default;

 private:
  static constexpr std::uint64_t Bit(E v) { return std::uint64_t{1} << static_cast<unsigned>(v); }
  std::uint64_t bits_ = 0;
};

}  // namespace kiv
