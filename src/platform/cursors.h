// Mouse cursors: the TCursor numbers of the standard shapes and TCursorImage, the small ARGB
// picture with a hot spot that a host turns into a real pointer shape.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "platform/color.h"
#include "platform/types.h"

namespace kiv {

class TBitmap;

// A cursor number: the standard shapes are negative, applications and components register their
// own shapes under positive numbers in Screen().Cursors.
using TCursor = int;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crNone = -1;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crCross = -3;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crSize = -22;
inline constexpr TCursor crSizeNESW = -6;
inline constexpr TCursor crSizeNS = -7;
inline constexpr TCursor crSizeNWSE = -8;
inline constexpr TCursor crSizeWE = -9;
inline constexpr TCursor crUpArrow = -10;
inline constexpr TCursor crHourGlass = -11;
inline constexpr TCursor crDrag = -12;
inline constexpr TCursor crNoDrop = -13;
inline constexpr TCursor crHSplit = -14;
inline constexpr TCursor crVSplit = -15;
inline constexpr TCursor crMultiDrag = -16;
inline constexpr TCursor crSQLWait = -17;
inline constexpr TCursor crNo = -18;
inline constexpr TCursor crAppStart = -19;
inline constexpr TCursor crHelp = -20;
inline constexpr TCursor crHandPoint = -21;
inline constexpr TCursor crSizeAll = -22;
inline constexpr TCursor crLowestStandard = -22;

// A pointer shape: Width x Height pixels 0xAARRGGBB, rows top-down, alpha 0 = transparent, and
// the hot spot (the pixel that is the pointer position). An empty image hides the pointer.
class TCursorImage {
 public:
  TCursorImage() = default;
  // A transparent image; sizes are clamped to 0..256.
  TCursorImage(int Width, int Height, TPoint HotSpot = TPoint());

  // Builds an image from rows of characters: '#' or 'X' black, '.' or 'o' white, anything else
  // transparent. The width is that of the longest row.
  static TCursorImage FromPattern(std::initializer_list<std::string_view> Rows, TPoint HotSpot);
  // Takes the bitmap's pixels (at most 256 x 256); pixels of the Transparent colour become
  // transparent.
  static TCursorImage FromBitmap(const TBitmap& Image, TColor Transparent, TPoint HotSpot);

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }
  TPoint HotSpot() const { return hot_; }
  void SetHotSpot(TPoint p) { hot_ = p; }
  // 0 (transparent) outside the image.
  TPixel Pixel(int X, int Y) const;
  void SetPixel(int X, int Y, TPixel p);
  const std::vector<TPixel>& Pixels() const { return pixels_; }
  // Surrounds every opaque pixel by a one-pixel outline of the given colour where the image is
  // transparent, so a dark shape stays visible on a dark background.
  void Outline(TPixel Color);

  friend bool operator==(const TCursorImage&, const TCursorImage&) = default;

 private:
  int width_ = 0;
  int height_ = 0;
  TPoint hot_;
  std::vector<TPixel> pixels_;
};

// The picture of a standard cursor (crArrow .. crSizeAll). crNone gives an empty image; crDefault
// and unknown numbers give the arrow.
TCursorImage StandardCursorImage(TCursor Cursor);

}  // namespace kiv
